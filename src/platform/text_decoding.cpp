#include "platform/text_decoding.h"

#include <QStringDecoder>

namespace TextDecoding {

std::optional<QString> decode(const QByteArray &bytes, Otherwise otherwise)
{
    const bool marked = bytes.startsWith(kUtf8Bom);
    // The decoder would drop a mark too; only the first one is dropped.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(QByteArrayView(bytes).sliced(marked ? kUtf8Bom.size() : 0));
    if (!utf8.hasError())
        return text;
    if (otherwise == Otherwise::Refuse)
        return std::nullopt;
    if (marked)
        return text;
    QStringDecoder windows1255("windows-1255");
    return windows1255.decode(bytes);
}

} // namespace TextDecoding

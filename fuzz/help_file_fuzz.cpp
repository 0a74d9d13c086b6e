// Any bytes decode to text (UTF-8 where they are UTF-8, Windows-1255 otherwise) and
// split into lines that hold no carriage return.
#include "platform/text_lines.h"
#include "platform/text_decoding.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = *TextDecoding::decode(bytes, TextDecoding::Otherwise::Windows1255);
    // One character per byte in the code page; a file with the mark stays UTF-8.
    const bool utf8 = TextDecoding::decode(bytes, TextDecoding::Otherwise::Refuse).has_value();
    if (!utf8 && !bytes.startsWith(TextDecoding::kUtf8Bom) && text.size() != bytes.size())
        std::abort();
    const QStringList lines = TextLines::split(text);
    if (lines.size() > text.count(QLatin1Char('\r')) + 1 || lines.join(QString()).contains(QLatin1Char('\r')))
        std::abort();
    return 0;
}

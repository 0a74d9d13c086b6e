#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

/// The one reader of text files: UTF-8, with or without a byte-order mark.
namespace TextDecoding {

/// Dropped in front of a text when it is read; a text that itself begins with the
/// mark is written with a second one.
inline const QByteArray kUtf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");

/// What bytes that are not UTF-8 become.
enum class Otherwise {
    Windows1255, ///< read in the code page of older Hebrew Windows editors
    Refuse,
};

/// The text the bytes stand for. A file that starts with the mark declares itself
/// UTF-8 and stays so for Windows1255 too: bytes it cannot read become U+FFFD.
std::optional<QString> decode(const QByteArray &bytes, Otherwise otherwise);

} // namespace TextDecoding

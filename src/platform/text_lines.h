#pragma once

#include <QString>
#include <QStringList>

namespace TextLines {

/// A text's lines as a line-by-line read of a file gives them: CR LF or a lone CR
/// ends a line, a lone LF stays inside its line. No trimming; a last line without
/// a line break counts, a final line break adds no entry.
QStringList split(const QString &text);

} // namespace TextLines

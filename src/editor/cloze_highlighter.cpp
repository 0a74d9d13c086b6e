#include "editor/cloze_highlighter.h"

#include "lessons/cloze_builder.h"

#include <QTextCharFormat>

namespace {

enum BlockState { InHeading = 0, InBody = 1 };

QTextCharFormat headingFormat()
{
    QTextCharFormat format;
    format.setForeground(QColor(0x1f, 0x4e, 0x9a));
    format.setFontWeight(QFont::Bold);
    return format;
}

QTextCharFormat answerFormat()
{
    QTextCharFormat format;
    format.setBackground(QColor(0xff, 0xf1, 0xa8));
    return format;
}

QTextCharFormat markerFormat()
{
    QTextCharFormat format = answerFormat();
    format.setForeground(QColor(0xb3, 0x6b, 0x00));
    format.setFontWeight(QFont::Bold);
    return format;
}

QTextCharFormat openMarkerFormat()
{
    QTextCharFormat format;
    format.setForeground(Qt::white);
    format.setBackground(QColor(0xc0, 0x10, 0x10));
    format.setFontWeight(QFont::Bold);
    return format;
}

} // namespace

ClozeHighlighter::ClozeHighlighter(QTextDocument *document)
    : QSyntaxHighlighter(document)
{
}

void ClozeHighlighter::highlightBlock(const QString &text)
{
    // The heading runs up to the first "1" of the whole text, across lines.
    int bodyFrom = 0;
    if (previousBlockState() != InBody) {
        const int one = int(text.indexOf(QLatin1Char('1')));
        bodyFrom = one < 0 ? int(text.size()) : one;
        setFormat(0, bodyFrom, headingFormat());
        setCurrentBlockState(one < 0 ? InHeading : InBody);
    } else {
        setCurrentBlockState(InBody);
    }
    int unpaired = -1;
    for (const Cloze::GapSpan &gap : Cloze::scanGaps(text, &unpaired)) {
        setFormat(gap.open + 1, gap.close - gap.open - 1, answerFormat());
        setFormat(gap.open, 1, markerFormat());
        setFormat(gap.close, 1, markerFormat());
    }
    if (unpaired >= 0)
        setFormat(unpaired, 1, openMarkerFormat());
}

#include "worksheet/blank_object.h"

#include "worksheet/paper_look.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextDocument>

#include <cmath>

namespace Worksheet {

namespace {

enum Property {
    kUnderscores = QTextFormat::UserProperty + 1,
    kWidth,
    kHint,
    kAnswer,
    kFilled,
};

const QColor kKeyColour(0x1f, 0x4e, 0x9a);
const QColor kKeyBack(0xe3, 0xeb, 0xf7);

QFont hintFont(const QFont &body)
{
    QFont small = body;
    small.setPointSizeF(body.pointSizeF() * 0.7);
    return small;
}

QFont answerFont(const QFont &body)
{
    QFont bold = body;
    bold.setBold(true);
    return bold;
}

const QPaintDevice *deviceOf(QTextDocument *doc)
{
    return doc->documentLayout() ? doc->documentLayout()->paintDevice() : nullptr;
}

} // namespace

BlankObject::BlankObject(QObject *parent)
    : QObject(parent)
{
}

QTextCharFormat BlankObject::blank(const QTextCharFormat &base, const QPaintDevice *device, qreal minimumWidth,
                                   const QString &hint)
{
    QTextCharFormat f = base;
    f.setObjectType(kType);
    // Whole underscores, so that the drawn blank is exactly as wide as its place.
    const qreal underscore = QFontMetricsF(base.font(), device).horizontalAdvance(QLatin1Char('_'));
    const int count = std::max(1, int(std::ceil(minimumWidth / underscore)));
    f.setProperty(kUnderscores, count);
    f.setProperty(kWidth, count * underscore);
    f.setProperty(kHint, hint);
    f.setProperty(kFilled, false);
    return f;
}

QTextCharFormat BlankObject::filled(const QTextCharFormat &base, const QPaintDevice *device, qreal minimumWidth,
                                    const QString &answer)
{
    QTextCharFormat f = blank(base, device, minimumWidth);
    const QString shown = answer.trimmed();
    const QFontMetricsF metrics(answerFont(base.font()), device);
    const qreal needed = metrics.horizontalAdvance(shown) + 2 * metrics.averageCharWidth();
    f.setProperty(kWidth, std::max(f.doubleProperty(kWidth), needed));
    f.setProperty(kAnswer, shown);
    f.setProperty(kFilled, true);
    return f;
}

QSizeF BlankObject::intrinsicSize(QTextDocument *doc, int, const QTextFormat &format)
{
    // Standing on the baseline like a word; the hint goes into the line spacing below.
    const QFontMetricsF metrics(format.toCharFormat().font(), deviceOf(doc));
    return {format.doubleProperty(kWidth), metrics.ascent()};
}

void BlankObject::drawObject(QPainter *painter, const QRectF &rect, QTextDocument *doc, int, const QTextFormat &format)
{
    const QFont font = format.toCharFormat().font();
    const QPaintDevice *device = deviceOf(doc);
    const QFontMetricsF metrics(font, device);
    const qreal baseline = rect.bottom();
    const qreal width = format.doubleProperty(kWidth);
    painter->save();
    QTextOption leftToRight(Qt::AlignCenter);
    leftToRight.setTextDirection(Qt::LeftToRight);

    if (format.boolProperty(kFilled)) {
        const QRectF box(rect.left(), baseline - metrics.ascent(), width, metrics.ascent() + metrics.descent());
        painter->fillRect(box, kKeyBack);
        painter->setPen(QPen(kKeyColour, metrics.lineWidth() * 1.5));
        // The blank's line, below the descenders of the answer.
        painter->drawLine(box.bottomLeft(), box.bottomRight());
        painter->setFont(answerFont(font));
        painter->drawText(box, format.stringProperty(kAnswer), leftToRight);
    } else {
        painter->setFont(font);
        painter->setPen(Qt::black);
        painter->drawText(QPointF(rect.left(), baseline), QString(format.intProperty(kUnderscores), QLatin1Char('_')));
        const QString hint = format.stringProperty(kHint);
        if (!hint.isEmpty()) {
            const QFont small = hintFont(font);
            const QFontMetricsF smallMetrics(small, device);
            painter->setFont(small);
            painter->setPen(kPaperGrey);
            const QRectF below(rect.left(), baseline + metrics.descent(), width, smallMetrics.height());
            painter->drawText(below, hint, leftToRight);
        }
    }
    painter->restore();
}

} // namespace Worksheet

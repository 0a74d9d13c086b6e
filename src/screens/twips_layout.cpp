#include "screens/twips_layout.h"

#include "screens/look.h"

#include <QFontMetrics>
#include <QWidget>

TwipsLayout::Record &TwipsLayout::record(QWidget *w)
{
    Record &r = m_records[w];
    r.widget = w;
    return r;
}

void TwipsLayout::apply(QWidget *w, const Record &r) const
{
    if (r.points > 0)
        w->setFont(Look::arial(r.points * m_scale.zoom(), r.bold));
    if (r.hasGeometry) {
        const QRect pixels = m_scale.rect(r.twips.x(), r.twips.y(), r.twips.width(), std::max(0.0, r.twips.height()));
        w->setGeometry(pixels.x(), pixels.y(), pixels.width(), r.twips.height() < 0 ? w->sizeHint().height() : pixels.height());
    }
}

void TwipsLayout::place(QWidget *w, const QRectF &twips)
{
    Record &r = record(w);
    r.twips = twips;
    r.hasGeometry = true;
    apply(w, r);
}

void TwipsLayout::move(QWidget *w, double left, double top)
{
    const QRectF was = placed(w);
    place(w, left, top, was.width(), was.height());
}

void TwipsLayout::resize(QWidget *w, double width, double height)
{
    const QRectF was = placed(w);
    place(w, was.x(), was.y(), width, height);
}

QRectF TwipsLayout::placed(const QWidget *w) const
{
    const auto it = m_records.constFind(const_cast<QWidget *>(w));
    return it == m_records.constEnd() ? QRectF() : it->twips;
}

void TwipsLayout::font(QWidget *w, double points, bool bold)
{
    Record &r = record(w);
    r.points = points;
    r.bold = bold;
    apply(w, r);
}

double TwipsLayout::points(const QWidget *w) const
{
    return m_records.value(const_cast<QWidget *>(w)).points;
}

void TwipsLayout::fit(QWidget *w, const QString &longest)
{
    Record &r = record(w);
    if (r.points <= 0 || !r.hasGeometry)
        return;
    const QString text = longest.isEmpty() ? w->property("text").toString() : longest;
    const double designWidth = r.twips.width() / Units::kDesignTwipsPerPixel - 4;
    while (r.points > 8 && QFontMetrics(Look::arial(r.points, r.bold)).horizontalAdvance(text) > designWidth)
        r.points -= 0.5;
    apply(w, r);
}

void TwipsLayout::rescale(Units::Scale scale)
{
    if (scale.twipsPerPixel() == m_scale.twipsPerPixel())
        return; // every control stands as it was placed
    m_scale = scale;
    for (auto it = m_records.cbegin(); it != m_records.cend(); ++it) {
        if (it->widget)
            apply(it.key(), it.value());
    }
}

#pragma once

#include "screens/units.h"

#include <QHash>
#include <QPointer>
#include <QRectF>
#include <QString>
#include <QWidget>


/// The controls of a screen placed in twips and given fonts in design points, kept so
/// that the screen can take another scale (another monitor, another size) and place
/// them all again. Twips become pixels here and nowhere else on a screen.
class TwipsLayout
{
public:
    explicit TwipsLayout(Units::Scale scale = {}) : m_scale(scale) {}

    const Units::Scale &scale() const { return m_scale; }

    /// Geometry in twips. A height below 0 takes the control's own height for its
    /// font (a text run sized to its caption).
    void place(QWidget *w, const QRectF &twips);
    void place(QWidget *w, double left, double top, double width, double height)
    {
        place(w, QRectF(left, top, width, height));
    }
    /// A placed control moved, or resized, in twips; the rest of its geometry stays.
    void move(QWidget *w, double left, double top);
    void resize(QWidget *w, double width, double height);
    /// The geometry last placed, in twips; empty for a control never placed.
    QRectF placed(const QWidget *w) const;
    /// An Arial font of the design, its size scaled with the layout.
    void font(QWidget *w, double points, bool bold = false);
    /// The design size of a control's font, after fit() may have made it smaller.
    double points(const QWidget *w) const;
    /// Shrinks a control's design font until `longest` (its caption when empty)
    /// fits its design width; the fit is made at the design scale, so it holds at all.
    void fit(QWidget *w, const QString &longest = QString());

    /// Places every control again at another scale; the same scale changes nothing.
    void rescale(Units::Scale scale);

private:
    struct Record
    {
        QPointer<QWidget> widget; ///< a control gone before its screen is passed over
        QRectF twips;
        bool hasGeometry = false;
        double points = 0; ///< 0: the font is not the layout's
        bool bold = false;
    };
    void apply(QWidget *w, const Record &record) const;
    Record &record(QWidget *w);

    Units::Scale m_scale;
    QHash<QWidget *, Record> m_records;
};

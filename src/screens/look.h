#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QWidget>

#include <initializer_list>

/// The few ways the screens paint their controls, shared so that every screen
/// sets a face or a font the same way.
namespace Look {

inline QFont arial(double points, bool bold = false)
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

/// The grey of the designed button faces and panel captions.
inline const QColor kGrey(192, 192, 192);

/// The dark red of a refusal: a setting or a lesson that cannot be taken as it is.
inline const QColor kRefusalRed(0xb0, 0x00, 0x00);

/// Gives the colour to each of the roles in the widget's palette.
inline void setRoles(QWidget *w, std::initializer_list<QPalette::ColorRole> roles, const QColor &colour)
{
    QPalette p = w->palette();
    for (QPalette::ColorRole role : roles)
        p.setColor(role, colour);
    w->setPalette(p);
}

/// The background of a label, box, list or button face.
inline void setBack(QWidget *w, const QColor &colour)
{
    setRoles(w, {QPalette::Window, QPalette::Base, QPalette::Button}, colour);
    w->setAutoFillBackground(true);
}

/// Back to the colours the widget would have without setBack.
inline void unsetBack(QWidget *w)
{
    w->setPalette(QPalette());
    w->setAutoFillBackground(false);
}

/// The text colour of a label, box, list or button.
inline void setFore(QWidget *w, const QColor &colour)
{
    setRoles(w, {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}, colour);
}

} // namespace Look

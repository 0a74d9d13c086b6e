#pragma once

#include <QColor>
#include <QFont>
#include <QPaintDevice>
#include <QStringList>

/// What every part of a worksheet shares on paper: its font, its grey, its lengths.
namespace Worksheet {

/// The grey of captions, hints and page numbers.
inline const QColor kPaperGrey(0x55, 0x55, 0x55);

/// Liberation Sans has Arial's metrics and Hebrew letters; DejaVu Sans has both too.
inline QFont paperFont(qreal points, bool bold = false)
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

/// Millimetres in the device's own units.
inline qreal deviceLength(const QPaintDevice &device, qreal mm)
{
    return mm / 25.4 * device.logicalDpiY();
}

} // namespace Worksheet

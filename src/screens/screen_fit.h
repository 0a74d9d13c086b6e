#pragma once

#include <QSize>

class QWidget;

/// Where a screen may open: its monitor's available area (the desktop less panels and
/// task bars) less the window's own frame.
namespace ScreenFit {

/// The pixels the window's contents may take on the monitor it is on.
QSize available(const QWidget *window);

/// Moves a window that would reach past its monitor's available area back into it.
void keepOnScreen(QWidget *window);

} // namespace ScreenFit

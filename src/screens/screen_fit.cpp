#include "screens/screen_fit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace ScreenFit {

namespace {

// Before a window manager has framed the window, a title bar and thin borders.
const QSize kFrameEstimate(8, 38);

QSize frame(const QWidget *window)
{
    const QSize measured = window->frameGeometry().size() - window->size();
    return measured.isEmpty() ? kFrameEstimate : measured;
}

const QScreen *screenOf(const QWidget *window)
{
    return window->screen() ? window->screen() : QGuiApplication::primaryScreen();
}

} // namespace

QSize available(const QWidget *window)
{
    const QScreen *screen = screenOf(window);
    if (!screen)
        return QSize();
    return screen->availableGeometry().size() - frame(window);
}

void keepOnScreen(QWidget *window)
{
    const QScreen *screen = screenOf(window);
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QRect outer(window->pos(), window->size() + frame(window));
    if (!area.contains(outer))
        window->move(area.topLeft());
}

} // namespace ScreenFit

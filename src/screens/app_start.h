#pragma once

class QApplication;
class QString;
class QWidget;

namespace ClozeApp {

/// Maps the fonts the screens are designed with to installed ones with Hebrew glyphs.
void installFontSubstitutes();

/// What both programs set up first: their name (which names their window class and
/// desktop file), the window icon, the style, the fonts and the toolkit's own words
/// in Hebrew.
void prepareApplication(const QString &name);

/// With CLOZE_QUIT_WHEN_SHOWN set, the program ends as soon as window has been
/// painted: the start-up benchmark's and the package test's hook.
void quitWhenPainted(QWidget *window);

/// Starts the program: the exercise screen is created hidden and its load shows the
/// chooser. Returns the exit code of the event loop.
int run(int argc, char **argv);

} // namespace ClozeApp

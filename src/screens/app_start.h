#pragma once

class QApplication;

namespace ClozeApp {

/// Maps the fonts the screens are designed with to installed ones with Hebrew glyphs.
void installFontSubstitutes();

/// Starts the program: the exercise screen is created hidden and its load shows the
/// chooser. Returns the exit code of the event loop.
int run(int argc, char **argv);

} // namespace ClozeApp

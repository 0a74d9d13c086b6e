#pragma once

/// The lesson editor's start: the window over the store beside the program, or over
/// the store named on the command line.
namespace EditorApp {

int run(int argc, char **argv);

} // namespace EditorApp

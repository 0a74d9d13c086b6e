#include "editor/editor_app.h"

int main(int argc, char **argv)
{
    return EditorApp::run(argc, argv);
}

#include "editor/editor_app.h"

#include "editor/editor_dialogs.h"
#include "editor/editor_window.h"
#include "editor/recovery_file.h"
#include "platform/sound_player.h"
#include "screens/app_start.h"
#include "screens/screen_fit.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

namespace EditorApp {

int run(int argc, char **argv)
{
    QApplication app(argc, argv);
    ClozeApp::prepareApplication(QStringLiteral("cloze-editor"));
    // Settings and recovery files under ~/.config/cloze-trainer and ~/.local/share/cloze-trainer.
    QApplication::setOrganizationName(QStringLiteral("cloze-trainer"));

    auto sound = makeMultimediaSoundPlayer();
    EditorDialogs dialogs;
    const QString programFolder = QCoreApplication::applicationDirPath();
    EditorWindow window(EditorContext{dialogs, *sound, programFolder, QDir::currentPath(),
                                      Editor::RecoveryFile::defaultFolder(), QString()});
    ClozeApp::quitWhenPainted(&window);
    // As large as designed, on a small screen as large as it takes.
    if (const QSize room = ScreenFit::available(&window); room.isValid())
        window.resize(window.size().boundedTo(room));
    window.show();
    const QStringList args = QCoreApplication::arguments();
    // Opened once the window is up, so that a question about the store has a window to stand over.
    QTimer::singleShot(0, &window, [&window, args] {
        if (args.size() > 1)
            window.openStore(args.at(1));
        else
            window.openProgramStore();
    });
    const int code = app.exec();
    sound->close();
    return code;
}

} // namespace EditorApp

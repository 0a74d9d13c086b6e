#include "editor/editor_app.h"

#include "editor/editor_dialogs.h"
#include "editor/editor_window.h"
#include "editor/recovery_file.h"
#include "platform/sound_player.h"
#include "screens/app_start.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QStyleFactory>
#include <QTimer>
#include <QTranslator>

namespace EditorApp {

namespace {

// With CLOZE_QUIT_WHEN_SHOWN set the editor ends once its window has been painted:
// the start check of the package test and the start-up benchmark.
class QuitAtFirstPaint : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int run(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("cloze-editor"));
    // Settings and recovery files under ~/.config/cloze-trainer and ~/.local/share/cloze-trainer.
    QApplication::setOrganizationName(QStringLiteral("cloze-trainer"));
    QGuiApplication::setDesktopFileName(QStringLiteral("cloze-editor"));
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1/apps/cloze-trainer.png").arg(size));
    QApplication::setWindowIcon(icon);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setLayoutDirection(Qt::RightToLeft);
    ClozeApp::installFontSubstitutes();
    QTranslator toolkitWords;
    if (toolkitWords.load(QLocale(QLocale::Hebrew), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&toolkitWords);

    auto sound = makeMultimediaSoundPlayer();
    EditorDialogs dialogs;
    const QString programFolder = QCoreApplication::applicationDirPath();
    EditorWindow window(EditorContext{dialogs, *sound, programFolder, QDir::currentPath(),
                                      Editor::RecoveryFile::defaultFolder(), QString()});
    QuitAtFirstPaint quitHook;
    if (qEnvironmentVariableIsSet("CLOZE_QUIT_WHEN_SHOWN"))
        window.installEventFilter(&quitHook);
    // As large as designed, on a small screen as large as it takes.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window.resize(window.size().boundedTo(screen->availableSize()));
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

#include "screens/app_start.h"

#include "platform/program_store.h"
#include "platform/sound_player.h"
#include "screens/chooser/choose_exercise.h"
#include "screens/dialogs.h"
#include "screens/exercise/main_screen.h"
#include "state/variables.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTimer>
#include <QTranslator>

namespace ClozeApp {

namespace {

// A measuring hook for the start-up benchmark: with CLOZE_QUIT_WHEN_SHOWN set, the
// program ends as soon as the chooser has been painted.
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

void installFontSubstitutes()
{
    // Liberation Sans has Arial's metrics and Hebrew glyphs; DejaVu Sans stands in for Tahoma.
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
}

int run(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("cloze-trainer"));
    QGuiApplication::setDesktopFileName(QStringLiteral("cloze-trainer"));
    // Compiled in from packaging/icons, so a window has it without an installed theme.
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1/apps/cloze-trainer.png").arg(size));
    QApplication::setWindowIcon(icon);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    installFontSubstitutes();
    // The toolkit's own words (the Yes and No of a question, the colour dialog) in Hebrew.
    QTranslator toolkitWords;
    if (toolkitWords.load(QLocale(QLocale::Hebrew), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&toolkitWords);
    auto sound = makeMultimediaSoundPlayer();
    Dialogs dialogs;
    const QString programFolder = QCoreApplication::applicationDirPath();
    ScreenContext context{variables(), *sound, dialogs, programFolder, QDir::currentPath(),
                          [programFolder] { return Lessons::programLessonStore(programFolder); }, {}};
    Main exerciseScreen(context);
    exerciseScreen.Form_Load();
    QuitAtFirstPaint quitHook; // the chooser is shown, but painted only by the event loop
    if (qEnvironmentVariableIsSet("CLOZE_QUIT_WHEN_SHOWN"))
        exerciseScreen.chooser()->installEventFilter(&quitHook);
    const int code = app.exec();
    sound->close();
    return code;
}

} // namespace ClozeApp

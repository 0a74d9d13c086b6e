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

class QuitAtFirstPaint : public QObject
{
public:
    using QObject::QObject;

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

void prepareApplication(const QString &name)
{
    QApplication::setApplicationName(name);
    QGuiApplication::setDesktopFileName(name);
    // Compiled in from packaging/icons, so a window has it without an installed theme.
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1/apps/cloze-trainer.png").arg(size));
    QApplication::setWindowIcon(icon);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    installFontSubstitutes();
    // The toolkit's own words (the Yes and No of a question, the colour dialog) in Hebrew.
    auto *toolkitWords = new QTranslator(qApp);
    if (toolkitWords->load(QLocale(QLocale::Hebrew), QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(toolkitWords);
}

void quitWhenPainted(QWidget *window)
{
    if (qEnvironmentVariableIsSet("CLOZE_QUIT_WHEN_SHOWN"))
        window->installEventFilter(new QuitAtFirstPaint(window));
}

int run(int argc, char **argv)
{
    QApplication app(argc, argv);
    prepareApplication(QStringLiteral("cloze-trainer"));
    auto sound = makeMultimediaSoundPlayer();
    Dialogs dialogs;
    const QString programFolder = QCoreApplication::applicationDirPath();
    ScreenContext context{variables(), *sound, dialogs, programFolder, QDir::currentPath(),
                          [programFolder] { return Lessons::programLessonStore(programFolder); }, {}};
    Main exerciseScreen(context);
    exerciseScreen.Form_Load();
    quitWhenPainted(exerciseScreen.chooser()); // shown, but painted only by the event loop
    const int code = app.exec();
    sound->close();
    return code;
}

} // namespace ClozeApp

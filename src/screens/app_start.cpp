#include "screens/app_start.h"

#include "platform/program_store.h"
#include "platform/sound_player.h"
#include "screens/dialogs.h"
#include "screens/exercise/main_screen.h"
#include "state/variables.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QStyleFactory>

namespace ClozeApp {

void installFontSubstitutes()
{
    // Liberation Sans has Arial's metrics and Hebrew glyphs; DejaVu Sans stands in for Tahoma.
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
}

int run(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    installFontSubstitutes();
    auto sound = makeMultimediaSoundPlayer();
    Dialogs dialogs;
    const QString programFolder = QCoreApplication::applicationDirPath();
    ScreenContext context{variables(), *sound, dialogs, programFolder, QDir::currentPath(),
                          [programFolder] { return Lessons::programLessonStore(programFolder); }, {}};
    Main exerciseScreen(context);
    exerciseScreen.Form_Load();
    const int code = app.exec();
    sound->close();
    return code;
}

} // namespace ClozeApp

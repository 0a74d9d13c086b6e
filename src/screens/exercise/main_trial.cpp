// The exercise screen's part in the lesson editor's Try it.
#include "screens/exercise/main_screen.h"

#include "lessons/patterns.h"
#include "screens/chooser/settings.h"
#include "screens/exercise/lesson_preparation.h"
#include "screens/results/results_screen.h"
#include "state/variables.h"

#include <QTimer>

QString Main::tryLesson(const QString &patternEntry, int lesson, const QString &text)
{
    m_trial = true;
    if (!m_chooser)
        Form_Load();
    Variables &state = m_context.state;
    state.TimeLimitOn = state.MagazineOn = state.SignsOn = true;
    const Placement::Preparation preparation = Placement::prepareLesson(text, pagePlacementInput());
    const Settings::Check settings =
        Settings::check(Settings::kInitialTexts, true, preparation.prepared ? preparation.prepared->lesson.gapCount() : 0);
    if (!preparation.prepared || !settings.accepted) {
        m_trial = false;
        return preparation.refusal ? preparation.refusal->hebrew() : settings.refusals.last().hint;
    }
    // A results screen left by its leave button shows no back button any more.
    delete m_results;
    m_results = nullptr;
    m_trialPattern = patternEntry;
    showPattern(patternEntry);
    const Placement::Prepared &prepared = *preparation.prepared;
    showLesson(Patterns::lessonEntry(lesson, QString()).left(2), prepared.lesson, prepared.input, prepared.placed);
    startExercise(*settings.accepted);
    return QString();
}

void Main::endTrial()
{
    m_trial = false;
    Timer1->stop();
    endOpenSideScreens();
    if (m_results)
        m_results->hide();
    hide();
    emit trialEnded();
}

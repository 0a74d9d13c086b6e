// The exercise screen's end of an exercise, its commands, and the way between screens.
#include "screens/exercise/main_screen.h"

#include "platform/sound_player.h"
#include "screens/chooser/choose_exercise.h"
#include "screens/counter_label.h"
#include "screens/dialogs.h"
#include "screens/exercise/answering.h"
#include "screens/exercise/colours.h"
#include "screens/exercise/exercise_page.h"
#include "screens/exercise/time_limit.h"
#include "screens/help/help4grammar.h"
#include "screens/help/help_form.h"
#include "screens/look.h"
#include "screens/results/results_module.h"
#include "screens/results/results_screen.h"
#include "state/variables.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

void Main::Timer1_Timer()
{
    Variables &state = m_context.state;
    const TimeLimit::Tick tick = TimeLimit::tick(state);
    ccrpProgressBar1->setValue(std::clamp(tick.progress, 0, 100));
    if (!tick.timeUp)
        return;
    Timer1->stop();
    state.ExerciseRunning = false;
    m_page->setGapsEnabled(false);
    FinishExercise();
}

void Main::FinishExercise()
{
    // Every end stops the timer, so an exercise ends only once.
    Timer1->stop();
    if (m_ended)
        return;
    m_ended = true;
    Variables &state = m_context.state;
    state.Points = Answering::pointsFromScore(Label9->text());
    results().setGrade(Answering::gradeText(state));
    endOpenSideScreens();
    results_module::ShowResults(*this, results());
}

Results &Main::results()
{
    if (!m_results) {
        m_results = new Results;
        connect(m_results, &Results::backChosen, this, &Main::backToChooser);
        connect(m_results, &Results::leaveChosen, this, &Main::leaveProgram);
    }
    return *m_results;
}

void Main::backToChooser()
{
    m_page->scrollToTop();
    m_results->hide();
    if (m_trial) {
        endTrial();
    } else {
        m_chooser->show();
        m_chooser->focusLessonList();
    }
}

void Main::endOpenSideScreens()
{
    m_context.dialogs.closeOpenDialog();
    if (m_help && m_help->isVisible())
        m_help->dismiss();
    if (m_grammarHelp)
        m_grammarHelp->dismiss();
}

void Main::Command1_Click()
{
    results().hideBack();
    FinishExercise();
}

void Main::Command5_Click()
{
    const QColor chosen = m_context.dialogs.chooseColour(this, m_dialogColour);
    m_dialogColour = chosen;
    m_backColour = chosen;
    m_canvas->update();
    const Colours::Channels text =
        Colours::split(Colours::contrastTextColour(Colours::compose({chosen.red(), chosen.green(), chosen.blue()})));
    const QColor textColour(text.red, text.green, text.blue);
    m_page->paint(chosen, textColour);
    for (QLabel *l : std::initializer_list<QLabel *>{Label6, Label8, Label9, Label12, Label14, Label16}) {
        Look::setBack(l, chosen);
        Look::setFore(l, textColour);
    }
}

void Main::Command6_Click()
{
    const bool endedBefore = m_ended;
    const bool yes = m_context.dialogs.askYesNo(this, QStringLiteral(" ?האם ברצונך להתחיל תרגיל חדש"));
    if (m_ended != endedBefore || !isVisible())
        return; // the time ran out while the question was open
    if (yes)
        FinishExercise();
}

void Main::Command2_Click()
{
    hide();
    m_grammarHelp = new help4grammar(m_context.state, this, m_trial ? m_trialPattern : m_chooser->selectedPatternEntry(),
                                    m_context.workingFolder, m_layout.scale());
    connect(m_grammarHelp, &QObject::destroyed, this, [this, grammar = m_grammarHelp] {
        if (m_grammarHelp == grammar)
            m_grammarHelp = nullptr;
    });
    m_grammarHelp->show();
}

void Main::showGeneralHelp(bool fromExercise)
{
    m_context.state.HelpFromExercise = fromExercise ? 1 : 0;
    if (fromExercise)
        hide();
    else
        m_chooser->hide();
    if (!m_help)
        m_help = new helpForm(m_context.state, this, m_chooser, m_context.workingFolder, m_layout.scale());
    m_help->show();
}

void Main::leaveProgram()
{
    if (m_trial) {
        endTrial();
        return;
    }
    if (m_leaving)
        return;
    m_leaving = true;
    m_context.sound.close();
    QApplication::quit();
}

void Main::closeEvent(QCloseEvent *event)
{
    event->accept();
    leaveProgram();
}

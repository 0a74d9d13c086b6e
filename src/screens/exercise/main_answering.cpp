// The exercise screen's answering: typed and choice gaps, judged at once.
#include "screens/exercise/main_screen.h"

#include "screens/counter_label.h"
#include "screens/exercise/answering.h"
#include "screens/exercise/exercise_page.h"
#include "screens/exercise/typed_gap.h"
#include "screens/look.h"
#include "state/variables.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <utility>

namespace {
const QColor kWrongBack(0xFF, 0xCC, 0xCC);
}

void Main::setLabel14(const QString &text)
{
    Label14->setValue(text);
    Label14_Change();
}

void Main::Label14_Change()
{
    if (!m_context.state.ExerciseRunning)
        return;
    Label8->setValue(Answering::attemptsMade(m_attemptsSetting, Label14->text()));
}

void Main::Text1_GotFocus(int g)
{
    Variables &state = m_context.state;
    if (!state.ExerciseRunning)
        return;
    if (m_judging) {
        m_focusedWhileJudging = g;
        return;
    }
    QLineEdit *box = m_page->typedGap(g);
    if (state.SignsOn)
        box->setText(state.GapWords[g][1]);
    box->setCursorPosition(0);
    setLabel14(QString::number(state.TriesLeft[g]));
    m_page->scrollToGap(g, false, m_layout.scale().fromPixels(m_canvas->width()));
}

void Main::Text1_KeyPress(int g, int key)
{
    Variables &state = m_context.state;
    if (!state.ExerciseRunning)
        return;
    QLineEdit *box = m_page->typedGap(g);
    const TypedGap::KeyEffect effect =
        TypedGap::keyPress({box->text(), box->cursorPosition(), box->hasSelectedText()}, key, m_clearOnNextKey == 1);
    if (effect.select >= 0)
        box->setSelection(effect.select, 1);
    if (effect.clear)
        box->clear();
    m_clearOnNextKey = 0;
    if (effect.judge)
        judged(g, false, box->text());
    if (state.GapsLeft == 0)
        FinishExercise();
    focusAfterJudgement(&Main::Text1_GotFocus);
}

void Main::Combo1_GotFocus(int g)
{
    Variables &state = m_context.state;
    if (!state.ExerciseRunning)
        return;
    if (m_judging) {
        m_focusedWhileJudging = g;
        return;
    }
    setLabel14(QString::number(state.TriesLeft[g]));
    m_page->scrollToGap(g, true, m_layout.scale().fromPixels(m_canvas->width()));
}

void Main::Combo1_Click(int g)
{
    Variables &state = m_context.state;
    QComboBox *list = m_page->choiceGap(g);
    if (!state.ExerciseRunning || !list->isVisible() || !list->isEnabled())
        return;
    judged(g, true, list->itemText(list->currentIndex()));
    if (state.GapsLeft == 0)
        FinishExercise();
    focusAfterJudgement(&Main::Combo1_GotFocus);
}

void Main::focusAfterJudgement(void (Main::*gotFocus)(int))
{
    const int g = std::exchange(m_focusedWhileJudging, 0);
    if (g && !m_ended)
        (this->*gotFocus)(g);
}

void Main::judged(int g, bool magazine, const QString &answer)
{
    Variables &state = m_context.state;
    const Answering::Judgement judgement = Answering::judge(state, g, answer, Label9->text(), m_debit);
    Label9->setValue(judgement.scoreText);
    m_judging = true; // a closing gap hands the focus on
    if (judgement.right) {
        PlaySound(QStringLiteral("/data/right.wav"));
        m_page->closeGap(g, magazine, true, state.RightAnswers[g]);
    } else {
        PlaySound(QStringLiteral("/data/wrong.wav"));
        QWidget *control = m_page->gap(g, magazine);
        Look::setBack(control, kWrongBack);
        if (!magazine) {
            // The next key empties the box; with signs the mask shows until then.
            m_clearOnNextKey = 1;
            if (state.SignsOn)
                m_page->typedGap(g)->setText(state.GapWords[g][1]);
        }
    }
    if (judgement.closedOutOfAttempts)
        m_page->closeGap(g, magazine, false, state.RightAnswers[g]);
    else if (!judgement.right)
        m_page->sayWrong(g, judgement.triesLeft);
    m_judging = false;
    setLabel14(QString::number(judgement.triesLeft));
}

#include "screens/exercise/exercise_page.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

// What the pupil does in a gap: focus coming in, the click that enters it and the keys.
namespace {

// Focus that comes back with the window, or after a menu or a list closes, is not
// the pupil moving to a gap.
bool movedToByPupil(const QEvent *event)
{
    switch (static_cast<const QFocusEvent *>(event)->reason()) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
        return false;
    default:
        return true;
    }
}

int keyCode(const QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return 13;
    if (event->key() == Qt::Key_Backspace)
        return 8;
    // Delete arrives with the text 0x7F; like the other editing keys it is no character.
    const QString text = event->text();
    if (text.size() == 1 && text.at(0).isPrint())
        return text.at(0).unicode();
    return 0;
}

} // namespace

bool ExercisePage::eventFilter(QObject *watched, QEvent *event)
{
    if (m_passingFocus)
        return false;
    for (int g = 1; g < kControls; ++g) {
        if (watched != m_text1[g] && watched != m_combo1[g])
            continue;
        bool byPupil = false;
        if (event->type() == QEvent::FocusIn) {
            // The program's move counts as the pupil's, also when the window's coming
            // back delivers it.
            byPupil = movedToByPupil(event) || watched == m_movedByProgram;
            m_movedByProgram = nullptr;
        } else if (event->type() == QEvent::FocusOut) {
            // News of the gap closed before is told once.
            if (static_cast<QWidget *>(watched)->accessibleName() != m_gapNames[g])
                setGapName(g, m_gapNames[g]);
        }
        if (watched == m_text1[g]) {
            if (event->type() == QEvent::FocusIn && byPupil) {
                // The box's own focus handling selects its text; the mask and the
                // caret at the start must come after it.
                m_passingFocus = true;
                QCoreApplication::sendEvent(watched, event);
                m_passingFocus = false;
                // The toolkit gives the focus before it hands the box the click itself.
                m_enteredByClick = static_cast<QFocusEvent *>(event)->reason() == Qt::MouseFocusReason ? g : 0;
                emit typedGapFocused(g);
                return true;
            }
            if (event->type() == QEvent::FocusOut) {
                m_enteredByClick = 0;
            } else if (event->type() == QEvent::MouseButtonPress && m_enteredByClick == g) {
                // The click that enters a gap only gives it the focus: the box would
                // otherwise move the caret from the start of the mask to the click.
                m_enteredByClick = 0;
                return true;
            } else if (event->type() == QEvent::KeyPress) {
                const int key = keyCode(static_cast<QKeyEvent *>(event));
                if (key)
                    emit typedGapKey(g, key);
                if (key == 13)
                    return true; // judged; the box has nothing to do with Enter
            }
            return false;
        }
        if (event->type() == QEvent::FocusIn && byPupil)
            emit choiceGapFocused(g);
        return false;
    }
    return false;
}

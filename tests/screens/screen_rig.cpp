#include "screen_rig.h"

#include "lessons/cloze_builder.h"
#include "lessons/patterns.h"
#include "screens/chooser/choose_exercise.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

class MemoryStore : public Lessons::LessonStore
{
public:
    explicit MemoryStore(std::shared_ptr<StoreRows> rows) : m_rows(std::move(rows)) {}

    Lessons::StoreOutcome<QList<Lessons::LessonInfo>> lessons(int pattern) override
    {
        if (!m_rows->reachable)
            return {std::nullopt, QStringLiteral("unreachable")};
        QList<Lessons::LessonInfo> found;
        for (auto it = m_rows->texts.cbegin(); it != m_rows->texts.cend(); ++it) {
            if (it.key().first == pattern && !it.value().isEmpty())
                found.append(Lessons::LessonInfo{it.key().second, Cloze::heading(it.value())});
        }
        return {found, QString()};
    }

    Lessons::StoreOutcome<QString> lessonText(int pattern, int lesson) override
    {
        if (!m_rows->reachable)
            return {std::nullopt, QStringLiteral("unreachable")};
        return {m_rows->texts.value({pattern, lesson}), QString()};
    }

    QString filePath() const override { return QStringLiteral("memory"); }

private:
    std::shared_ptr<StoreRows> m_rows;
};

} // namespace

bool ScriptedDialogs::askYesNo(QWidget *, const QString &text)
{
    asked << text;
    if (whileOpen)
        whileOpen();
    return answer;
}

QColor ScriptedDialogs::chooseColour(QWidget *, const QColor &preset)
{
    presets << preset;
    if (whileOpen)
        whileOpen();
    return colour.isValid() ? colour : preset;
}

ScreenRig::ScreenRig(StoreFactory openStore)
{
    auto rowsOfRig = rows;
    if (!openStore)
        openStore = [rowsOfRig] { return std::make_unique<MemoryStore>(rowsOfRig); };
    ScreenContext context{state, sound, dialogs, folder.path(), folder.path(), openStore,
                          [](const QString &text) { return int(text.size()) * kTwipsPerCharacter; }};
    m_main = std::make_unique<Main>(context);
}

ScreenRig::~ScreenRig()
{
    // The side screens have no parent; close them with the rig.
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w != m_main.get())
            w->hide();
    }
}

void ScreenRig::load()
{
    m_main->Form_Load();
}

ChooseExercise &ScreenRig::chooser()
{
    return *m_main->chooser();
}

void ScreenRig::clickEntry(QListWidget *list, int row)
{
    QListWidgetItem *item = list->item(row);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

bool ScreenRig::clickPattern(int pattern)
{
    QListWidget *list = chooser().List2;
    for (int row = 0; row < list->count(); ++row) {
        if (Patterns::patternNumberFromEntry(list->item(row)->text().left(3)) == pattern) {
            clickEntry(list, row);
            return true;
        }
    }
    return false;
}

bool ScreenRig::clickLesson(int lesson)
{
    QListWidget *list = chooser().List1;
    for (int row = 0; row < list->count(); ++row) {
        if (Patterns::lessonNumberFromEntry(list->item(row)->text()) == lesson) {
            clickEntry(list, row);
            return true;
        }
    }
    return false;
}

void ScreenRig::setSetting(int index, const QString &text)
{
    chooser().Combo2[index]->setEditText(text);
}

void ScreenRig::clickStart()
{
    QTest::mouseClick(chooser().Command4, Qt::LeftButton);
}

bool ScreenRig::startLesson(const QString &text, bool magazine, bool signs, const QString &attempts)
{
    rows->texts[{5, 1}] = text;
    if (state.MagazineOn != magazine)
        QTest::mouseClick(chooser().Command2, Qt::LeftButton);
    if (state.SignsOn != signs)
        QTest::mouseClick(chooser().Command3, Qt::LeftButton);
    if (!clickPattern(5) || !clickLesson(1))
        return false;
    setSetting(1, attempts);
    clickStart();
    return m_main->isVisible();
}

QWidget *ScreenRig::gap(int g)
{
    return state.MagazineOn ? static_cast<QWidget *>(m_main->Combo1[g]) : m_main->Text1[g];
}

void ScreenRig::focusGap(int g)
{
    if (!m_main->isActiveWindow()) {
        m_main->activateWindow();
        (void)QTest::qWaitForWindowActive(m_main.get(), 500);
    }
    QWidget *control = gap(g);
    // The window's coming back may have handed the gap the focus already; that is not
    // the pupil moving to it.
    if (control->hasFocus())
        control->clearFocus();
    control->setFocus(Qt::TabFocusReason);
    if (!control->hasFocus()) {
        // Without a window manager the window may not become active: send the event.
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QCoreApplication::sendEvent(control, &in);
    }
}

void ScreenRig::typeAnswer(int g, const QString &keys)
{
    focusGap(g);
    QTest::keyClicks(m_main->Text1[g], keys);
    QTest::keyClick(m_main->Text1[g], Qt::Key_Return);
}

void ScreenRig::chooseAnswer(int g, const QString &entry)
{
    focusGap(g);
    QComboBox *list = m_main->Combo1[g];
    list->setCurrentIndex(list->findText(entry));
}

QString lessonWithGaps(int n)
{
    QString text = QStringLiteral("Write the words");
    // Two gaps a line: each line is three text runs, and a page has at most 99.
    for (int i = 1; i <= n; i += 2) {
        text += QStringLiteral("\r\n%1. Say &word%1&").arg(i);
        if (i + 1 <= n)
            text += QStringLiteral(" and &word%1& now").arg(i + 1);
    }
    return text;
}

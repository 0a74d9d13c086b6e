#include "screen_rig.h"

#include "lessons/cloze_builder.h"
#include "lessons/patterns.h"
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

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

template <typename T>
T *named(QWidget *screen, const QString &name)
{
    T *found = screen->findChild<T *>(name);
    if (!found)
        qFatal("no control %s on %s", qPrintable(name), qPrintable(screen->objectName()));
    return found;
}

QWidget *topLevel(const QString &name, bool visibleOnly = false)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == name && (w->isVisible() || !visibleOnly))
            return w;
    }
    return nullptr;
}

template <typename T>
void find(QWidget *screen, std::initializer_list<std::pair<T **, const char *>> controls)
{
    for (const auto &[control, name] : controls)
        *control = named<T>(screen, QLatin1String(name));
}

bool clickEntryWhere(QListWidget *list, const std::function<bool(const QString &)> &wanted)
{
    for (int row = 0; row < list->count(); ++row) {
        QListWidgetItem *item = list->item(row);
        if (wanted(item->text())) {
            list->scrollToItem(item);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
            return true;
        }
    }
    return false;
}

} // namespace

ExerciseControls::ExerciseControls(QWidget *main) : screen(main)
{
    for (int i = 0; i < 100; ++i) {
        Text1[i] = named<QLineEdit>(main, QStringLiteral("Text1_%1").arg(i));
        Combo1[i] = named<QComboBox>(main, QStringLiteral("Combo1_%1").arg(i));
        Label4[i] = named<QLabel>(main, QStringLiteral("Label4_%1").arg(i));
    }
    for (int i = 0; i < 51; ++i)
        Label15[i] = named<QLabel>(main, QStringLiteral("Label15_%1").arg(i));
    for (int i = 0; i < 4; ++i)
        Label20[i] = named<QLabel>(main, QStringLiteral("Label20_%1").arg(i));
    QLabel **labels[] = {&Label1,  &Label2,  &Label5,  &Label7,  &Label8,  &Label9,  &Label10, &Label11,
                         &Label14, &Label17, &Label18, &Label19, &Label21, &Label22, &Label23};
    const int numbers[] = {1, 2, 5, 7, 8, 9, 10, 11, 14, 17, 18, 19, 21, 22, 23};
    for (size_t i = 0; i < std::size(numbers); ++i)
        *labels[i] = named<QLabel>(main, QStringLiteral("Label%1").arg(numbers[i]));
    find<QPushButton>(main, {{&Command1, "Command1"}, {&Command2, "Command2"}, {&Command5, "Command5"},
                             {&Command6, "Command6"}});
    find<QFrame>(main, {{&OuterBox, "OuterBox"}, {&InnerBox, "InnerBox"}, {&Frame1, "Frame1"}});
    find<QScrollBar>(main, {{&FlatScrollBar1, "FlatScrollBar1"}, {&FlatScrollBar2, "FlatScrollBar2"}});
    ccrpProgressBar1 = named<QProgressBar>(main, QStringLiteral("ccrpProgressBar1"));
    Timer1 = main->findChild<QTimer *>(QStringLiteral("Timer1"));
    menu = named<QMenuBar>(main, QStringLiteral("menu"));
}

QStringList ExerciseControls::settings() const
{
    QStringList shown;
    for (QLabel *setting : Label20)
        shown << setting->text();
    return shown;
}

ChooserControls::ChooserControls(QWidget *chooser) : screen(chooser)
{
    find<QListWidget>(chooser, {{&List1, "List1"}, {&List2, "List2"}});
    find<QPushButton>(chooser, {{&Command1, "Command1"}, {&Command2, "Command2"}, {&Command3, "Command3"},
                                {&Command4, "Command4"}});
    for (int i = 0; i < 4; ++i)
        Combo2[i] = named<QComboBox>(chooser, QStringLiteral("Combo2_%1").arg(i));
    SettingsHint = named<QLabel>(chooser, QStringLiteral("SettingsHint"));
}

ResultsControls::ResultsControls(QWidget *results) : screen(results)
{
    find<QLabel>(results, {{&Label18, "Label18"}, {&Label19, "Label19"}});
    find<QPushButton>(results, {{&Command1, "Command1"}, {&Command2, "Command2"}});
}

QWidget *ScreenRig::shown(const QString &screen) const
{
    return topLevel(screen, true);
}

QStringList ScreenRig::soundNames() const
{
    // A sound played from anywhere but the data folder shows in full.
    const QString data = folder.filePath(QStringLiteral("data/"));
    QStringList names;
    for (const QString &path : sound.played)
        names << (path.startsWith(data) ? path.mid(data.size()) : path);
    return names;
}

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
    return colour.isValid() ? colour : preset;
}

ScreenRig::ScreenRig(Start start)
{
    ScreenContext context{state, sound, dialogs, folder.path(), folder.path(),
                          [rows = rows] { return std::make_unique<MemoryStore>(rows); },
                          [](const QString &text) { return int(text.size()) * kTwipsPerCharacter; }};
    m_main = std::make_unique<Main>(context);
    m_exercise = std::make_unique<ExerciseControls>(m_main.get());
    if (start == Start::Loaded)
        m_main->Form_Load();
}

ScreenRig::~ScreenRig()
{
    // The side screens have no parent; close them with the rig.
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w != m_main.get())
            w->hide();
    }
}

ChooserControls &ScreenRig::ch()
{
    if (!m_chooser)
        m_chooser = std::make_unique<ChooserControls>(m_main->chooser());
    return *m_chooser;
}

ResultsControls ScreenRig::res()
{
    QWidget *results = topLevel(QStringLiteral("Results"));
    if (!results)
        qFatal("no results screen yet");
    return ResultsControls(results);
}

bool ScreenRig::clickPattern(int pattern)
{
    return clickEntryWhere(ch().List2, [pattern](const QString &entry) {
        return Patterns::patternNumberFromEntry(entry.left(3)) == pattern;
    });
}

bool ScreenRig::clickLesson(int lesson)
{
    return clickEntryWhere(ch().List1,
                           [lesson](const QString &entry) { return Patterns::lessonNumberFromEntry(entry) == lesson; });
}

bool ScreenRig::chooseLesson(const QString &text)
{
    rows->texts[{5, 1}] = text;
    return clickPattern(5) && clickLesson(1);
}

bool ScreenRig::startLesson(const QString &text, bool magazine, bool signs, const QString &attempts)
{
    if (state.MagazineOn != magazine)
        QTest::mouseClick(ch().Command2, Qt::LeftButton);
    if (state.SignsOn != signs)
        QTest::mouseClick(ch().Command3, Qt::LeftButton);
    if (!chooseLesson(text))
        return false;
    setSetting(1, attempts);
    clickStart();
    return m_main->isVisible();
}

QWidget *ScreenRig::gap(int g)
{
    return state.MagazineOn ? static_cast<QWidget *>(m_exercise->Combo1[g]) : m_exercise->Text1[g];
}

QWidget *ScreenRig::activate(QWidget *window)
{
    if (!window->isActiveWindow()) {
        window->activateWindow();
        (void)QTest::qWaitForWindowActive(window, 1000);
    }
    return QApplication::focusWidget();
}

void ScreenRig::focusGap(int g)
{
    activate(m_main.get());
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

void ScreenRig::chooseAnswer(int g, const QString &entry)
{
    focusGap(g);
    QComboBox *list = m_exercise->Combo1[g];
    list->setCurrentIndex(list->findText(entry));
}

void ScreenRig::answer(int g, const QString &text)
{
    if (state.MagazineOn)
        chooseAnswer(g, text);
    else
        typeAnswer(g, text);
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(file).path()) && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

void ScreenRig::trigger(QWidget *screen, const QString &action)
{
    QAction *entry = screen->findChild<QAction *>(action);
    if (!entry)
        qFatal("no menu entry %s", qPrintable(action));
    entry->trigger();
}

void ScreenRig::typeAnswer(int g, const QString &keys)
{
    focusGap(g);
    QTest::keyClicks(m_exercise->Text1[g], keys);
    QTest::keyClick(m_exercise->Text1[g], Qt::Key_Return);
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

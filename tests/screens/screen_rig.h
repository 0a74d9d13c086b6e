#pragma once

#include "lessons/lesson_store.h"
#include "platform/sound_player.h"
#include "screens/dialogs.h"
#include "screens/exercise/main_screen.h"
#include "state/variables.h"

// The controls the tests reach, and the test library itself.
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>

/// The exercise screen's controls, found by their names as a pupil finds them on the
/// screen.
struct ExerciseControls
{
    explicit ExerciseControls(QWidget *main);

    QWidget *screen;
    std::array<QLineEdit *, 100> Text1{};
    std::array<QComboBox *, 100> Combo1{};
    std::array<QLabel *, 100> Label4{};
    std::array<QLabel *, 51> Label15{};
    std::array<QLabel *, 4> Label20{};
    QLabel *Label1, *Label2, *Label5, *Label7, *Label8, *Label9, *Label10, *Label11, *Label14, *Label17, *Label18,
        *Label19, *Label21, *Label22, *Label23;
    QPushButton *Command1, *Command2, *Command5, *Command6;
    QFrame *OuterBox, *InnerBox, *Frame1;
    QScrollBar *FlatScrollBar1, *FlatScrollBar2;
    QProgressBar *ccrpProgressBar1;
    QTimer *Timer1;
    QMenuBar *menu;

    /// The four settings as the panel shows them.
    QStringList settings() const;
};

struct ChooserControls
{
    explicit ChooserControls(QWidget *chooser);

    QWidget *screen;
    QListWidget *List1, *List2;
    QPushButton *Command1, *Command2, *Command3, *Command4;
    std::array<QComboBox *, 4> Combo2{};
    QLabel *SettingsHint;
};

struct ResultsControls
{
    explicit ResultsControls(QWidget *results);

    QWidget *screen;
    QLabel *Label18, *Label19;
    QPushButton *Command1, *Command2;
};

/// Lessons held in memory; a store that can be made unreachable.
struct StoreRows
{
    QMap<QPair<int, int>, QString> texts;
    bool reachable = true;
};

class RecordingSound : public SoundPlayer
{
public:
    void play(const QString &path) override { played << path; }
    void close() override { ++closes; }

    QStringList played;
    int closes = 0;
};

/// Answers questions from a script instead of waiting for a person.
class ScriptedDialogs : public Dialogs
{
public:
    void inform(QWidget *, const QString &text) override { informed << text; }
    bool askYesNo(QWidget *, const QString &text) override;
    QColor chooseColour(QWidget *, const QColor &preset) override;
    void closeOpenDialog() override { ++closedDialogs; }

    QStringList informed;
    QStringList asked;
    bool answer = false;
    QColor colour;                     ///< invalid: the dialog is cancelled
    QList<QColor> presets;
    std::function<void()> whileOpen; ///< runs while the yes/no question is open
    int closedDialogs = 0;
};

/// The three screens over an in-memory store, a recording sound player and scripted
/// dialogs, in a working folder of their own, loaded as at start-up: the chooser
/// shows, the exercise screen stays hidden. Text runs are 100 twips a character, so
/// the page layout does not depend on the fonts of the machine.
class ScreenRig
{
public:
    static constexpr int kTwipsPerCharacter = 100;

    enum class Start { Loaded, Unloaded };
    /// Loaded: the program's start-up has run and the chooser shows. Unloaded: the
    /// exercise screen alone, as the lesson editor makes it for Try it.
    explicit ScreenRig(Start start = Start::Loaded);
    ~ScreenRig();

    Main &main() { return *m_main; }
    /// The controls of each screen; the results screen's once an exercise has ended.
    ExerciseControls &ex() { return *m_exercise; }
    ChooserControls &ch();
    ResultsControls res();
    /// The screen of that name if it is on view, else null.
    QWidget *shown(const QString &screen) const;
    /// The sounds played, by their names in the data folder.
    QStringList soundNames() const;
    /// One tick of the time limit's timer, as the timer would give it.
    void tick() { QMetaObject::invokeMethod(m_exercise->Timer1, "timeout"); }
    Variables state;
    RecordingSound sound;
    ScriptedDialogs dialogs;
    std::shared_ptr<StoreRows> rows = std::make_shared<StoreRows>();
    QTemporaryDir folder;

    // What a pupil does, through the controls.
    bool clickPattern(int pattern);
    bool clickLesson(int lesson);
    /// Pattern 5, lesson 1 of `text`, chosen.
    bool chooseLesson(const QString &text);
    void setSetting(int index, const QString &text) { ch().Combo2[index]->setEditText(text); }
    void clickStart() { QTest::mouseClick(ch().Command4, Qt::LeftButton); }
    /// Lesson 1 of pattern 5 with the options as given, then Start.
    bool startLesson(const QString &text, bool magazine, bool signs, const QString &attempts = QStringLiteral("2"));
    void focusGap(int g);
    void typeAnswer(int g, const QString &keys);
    /// Picks an entry of choice gap g, as a click in its list does.
    void chooseAnswer(int g, const QString &entry);
    /// Typed or chosen, in the mode in use.
    void answer(int g, const QString &text);
    /// A menu entry of a screen, chosen.
    void trigger(QWidget *screen, const QString &action);
    /// The control of gap g in the mode in use.
    QWidget *gap(int g);
    /// Makes the window active, as far as the platform lets it; the control with the focus then.
    static QWidget *activate(QWidget *window);

private:
    std::unique_ptr<Main> m_main;
    std::unique_ptr<ExerciseControls> m_exercise;
    std::unique_ptr<ChooserControls> m_chooser;
};

/// Two gaps, answered "goes" and "live", on two numbered lines.
inline const QString kTwoGaps = QStringLiteral("Put in the verb\r\n1. She &goes& to school.\r\n2. They &live& in Haifa.");

/// Three gaps on two rows; the first row holds two, answered "word1" to "word3".
inline const QString kThreeGaps =
    QStringLiteral("Fill in the words\r\n1. Say &word1& and &word2& now.\r\n2. &word3& ends it.");

/// Writes a file, making the folders it needs.
bool writeFile(const QString &path, const QByteArray &bytes);

/// A text of n gaps, two per numbered line, answered "word1" to "word<n>".
QString lessonWithGaps(int n);

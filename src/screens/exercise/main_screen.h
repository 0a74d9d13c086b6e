#pragma once

#include "screens/exercise/page_placement.h"
#include "screens/twips_layout.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QLabel;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QFrame;
class QTimer;
class ChooseExercise;
class CounterLabel;
class Dialogs;
class ExercisePage;
class Results;
class SoundPlayer;
class helpForm;
class help4grammar;
struct Variables;

namespace Cloze {
struct Lesson;
}
namespace Lessons {
class LessonStore;
}
namespace Settings {
struct Accepted;
}

/// What the screens share besides the exercise record.
struct ScreenContext
{
    Variables &state;
    SoundPlayer &sound;
    Dialogs &dialogs;
    QString programFolder; ///< where the lesson store lives
    QString workingFolder; ///< the current folder when Main was created: data, help files
    std::function<std::unique_ptr<Lessons::LessonStore>()> openStore;
    /// Rendered width of a text run in twips; the page font's metrics when empty.
    std::function<int(const QString &)> measure;
};

/// The exercise screen: the page of one lesson, the panel of settings and counters,
/// and the commands. Created hidden at start-up; its load creates and shows the
/// chooser. It owns the flow between the screens: the chooser and the results
/// screen tell it what the pupil chose, and it shows the next screen.
class Main : public QWidget
{
    Q_OBJECT

public:
    explicit Main(ScreenContext context);
    ~Main() override;

    void Form_Load();
    const ScreenContext &context() const { return m_context; }
    QWidget *chooser() const;

    // What the chooser hands over.
    Placement::Input pagePlacementInput() const;
    /// A lesson click that built a lesson: the page, the lesson number and the points.
    void showLesson(const QString &lessonNumber, const Cloze::Lesson &lesson, const Placement::Input &input,
                    const Placement::Result &placed);
    /// Start: the settings, the attempts, the time limit; the screen shows.
    void startExercise(const Settings::Accepted &settings);

    /// Stops the previous sound and plays a file below the working folder.
    void PlaySound(const QString &relativeName);
    /// The one end of every exercise: the points become a grade on the results screen.
    void FinishExercise();
    void showGeneralHelp(bool fromExercise);
    void leaveProgram();

    /// The lesson editor's Try it: plays a lesson text at once, built as a lesson click
    /// builds it with the three options on and started with the initial settings; the
    /// chooser stays hidden. Every way out of it (back on the results screen, leaving,
    /// closing) then hides the screens and says trialEnded instead. Gives why the
    /// lesson cannot be played, in Hebrew, or the empty text.
    QString tryLesson(const QString &patternEntry, int lesson, const QString &text);

signals:
    void trialEnded();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildPanel();
    void buildCounters();
    void Form_Resize();
    void readView();
    void applyView();
    void sizeToCanvas(QSize available);
    void showPattern(const QString &entry);
    void showSettings(const Settings::Accepted &settings, bool timeLimitOn);

    // Answering.
    void Text1_GotFocus(int g);
    void Text1_KeyPress(int g, int key);
    void Combo1_GotFocus(int g);
    void Combo1_Click(int g);
    void setLabel14(const QString &text);
    void Label14_Change();
    void judged(int g, bool magazine, const QString &answer);
    /// The focus event of the gap a closed gap handed the focus to, after the judgement
    /// that closed it, so that the attempts displays follow the gap in focus.
    void focusAfterJudgement(void (Main::*gotFocus)(int));

    // The end of an exercise and the commands.
    void Timer1_Timer();
    void Command1_Click();
    void Command2_Click();
    void Command5_Click();
    void Command6_Click();
    void backToChooser();
    Results &results();
    void endOpenSideScreens();
    void endTrial();

    ScreenContext m_context;
    TwipsLayout m_layout;
    QScrollArea *m_area = nullptr;
    QWidget *m_canvas = nullptr;
    ExercisePage *m_page = nullptr;
    ChooseExercise *m_chooser = nullptr;
    Results *m_results = nullptr;
    helpForm *m_help = nullptr;
    help4grammar *m_grammarHelp = nullptr;

    QMenuBar *m_menu = nullptr;
    QFrame *Frame1 = nullptr;
    QPushButton *Command1 = nullptr, *Command2 = nullptr, *Command5 = nullptr, *Command6 = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label5 = nullptr, *Label6 = nullptr, *Label7 = nullptr;
    QLabel *Label10 = nullptr, *Label11 = nullptr, *Label12 = nullptr;
    QLabel *Label16 = nullptr, *Label17 = nullptr, *Label18 = nullptr;
    QLabel *Label22 = nullptr, *Label23 = nullptr;
    // The values on the panel and the counters, read out with their captions.
    CounterLabel *Label8 = nullptr, *Label9 = nullptr, *Label14 = nullptr, *Label19 = nullptr, *Label21 = nullptr;
    std::array<CounterLabel *, 4> Label20{};
    QProgressBar *ccrpProgressBar1 = nullptr;
    QTimer *Timer1 = nullptr;

    QColor m_backColour;
    QColor m_dialogColour = Qt::white;
    QString m_attemptsSetting; ///< as typed on the chooser; the attempts-made display reads it
    double m_debit = 0.0;
    int m_clearOnNextKey = 0;
    bool m_judging = false;
    int m_focusedWhileJudging = 0; ///< the gap a closing gap handed the focus to
    bool m_ended = false; ///< the running exercise has been graded
    bool m_leaving = false;
    bool m_trial = false;   ///< a lesson of tryLesson is on the screens
    QString m_trialPattern; ///< its pattern entry, for the grammar help
};

#pragma once

#include "screens/exercise/page_placement.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QTimer;
class ChooseExercise;
class Dialogs;
class Results;
class SoundPlayer;
class helpForm;
struct Variables;

namespace Cloze {
struct Lesson;
}
namespace Lessons {
class LessonStore;
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

/// The exercise screen: the page of one lesson in a scrolling viewport, the panel of
/// settings and counters, and the commands. Created hidden at start-up; its load
/// creates and shows the chooser.
class Main : public QWidget
{
public:
    static constexpr int kControls = Placement::kControls;
    static constexpr int kAnswerLabels = 51; // one for every gap slot 0..50
    static constexpr int kCells = 60;

    explicit Main(ScreenContext context);
    ~Main() override;

    void Form_Load();
    void Form_Resize();

    // The page, placed by a lesson click.
    void resetPage();
    Placement::Input placementInput() const;
    void applyPlacement(const Cloze::Lesson &lesson, const Placement::Input &input, const Placement::Result &placed);

    // Answering.
    void Text1_GotFocus(int g);
    void Text1_KeyPress(int g, int key);
    void Combo1_GotFocus(int g);
    void Combo1_Click(int g);
    void Label14_Change();
    void setLabel14(const QString &text);
    /// The panel's settings display at Start: time, attempts, credit, debit.
    void showSettings(const std::array<QString, 4> &texts, bool timeLimitOn);
    void ScrollPageToGap(QWidget *control, int g);
    void PlaySound(const QString &relativeName);

    // The end of an exercise.
    void Timer1_Timer();
    void FinishExercise(bool stopTimer);
    void Command1_Click();
    void startExercise(int tickMs);

    // Commands.
    void Command5_Click();
    void Command6_Click();
    void Command2_Click();
    void help1_Click();
    void showGeneralHelp(bool fromExercise);

    void leaveProgram();

    ChooseExercise *chooser() const { return m_chooser; }
    Results *results() const { return m_results; }
    const ScreenContext &context() const { return m_context; }
    bool exerciseEnded() const { return m_ended; }

    std::array<QLabel *, kControls> Label4{};
    std::array<QLineEdit *, kControls> Text1{};
    std::array<QComboBox *, kControls> Combo1{};
    std::array<QLabel *, kAnswerLabels> Label15{};
    std::array<QLabel *, kCells> Label3{};
    std::array<QLabel *, 4> Label20{};
    QFrame *OuterBox = nullptr;
    QFrame *InnerBox = nullptr;
    QScrollBar *FlatScrollBar1 = nullptr;
    QScrollBar *FlatScrollBar2 = nullptr;
    QFrame *Frame1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command5 = nullptr;
    QPushButton *Command6 = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label5 = nullptr, *Label6 = nullptr, *Label7 = nullptr;
    QLabel *Label8 = nullptr, *Label9 = nullptr, *Label10 = nullptr, *Label11 = nullptr, *Label12 = nullptr;
    QLabel *Label14 = nullptr, *Label16 = nullptr, *Label17 = nullptr, *Label18 = nullptr, *Label19 = nullptr;
    QLabel *Label21 = nullptr, *Label22 = nullptr, *Label23 = nullptr;
    QProgressBar *ccrpProgressBar1 = nullptr;
    QTimer *Timer1 = nullptr;
    QMenuBar *menu = nullptr;
    QColor backColour;
    QColor textColour;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void buildControls();
    void closeGap(int g, QWidget *input, bool right);
    int measure(const QString &text) const;
    int choiceChrome() const;
    void endOpenSideScreens();
    void paintGap(QWidget *control, const QColor &back);
    friend class ChooseExercise;

    ScreenContext m_context;
    ChooseExercise *m_chooser = nullptr;
    Results *m_results = nullptr;
    helpForm *m_help = nullptr;
    QWidget *m_grammarHelp = nullptr;
    int m_clearOnNextKey = 0;
    bool m_ended = false;    ///< the running exercise has been graded
    bool m_leaving = false;
    bool m_passingFocus = false; ///< a focus event on its way to the box itself
    int m_enteredByClick = 0;    ///< the typed gap whose focus came with a click still to arrive
    bool m_filling = false; ///< choice lists being filled: no choice events
    QColor m_dialogColour = Qt::white;
};

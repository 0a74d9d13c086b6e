#pragma once

#include "screens/exercise/page_placement.h"
#include "screens/twips_layout.h"

#include <QColor>
#include <QObject>

#include <array>
#include <functional>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QScrollBar;
class QWidget;

namespace Cloze {
struct Lesson;
}

/// The page of one lesson as the pupil sees it: a viewport with its two scroll bars
/// and the page inside it, with the heading, the text runs, the typed and choice
/// gaps and the answer labels of closed gaps. The exercise screen answers through
/// it; the lesson editor's preview shows a lesson with it.
class ExercisePage : public QObject
{
    Q_OBJECT

public:
    static constexpr int kControls = Placement::kControls;
    static constexpr int kAnswerLabels = 51; // one for every gap slot 0..50
    static constexpr int kCells = 60;

    using Measure = std::function<int(const QString &)>;

    /// Creates the page's controls in host at their designed places. measure gives
    /// the rendered width of a text run in twips; the page font's when empty.
    ExercisePage(QWidget *host, Units::Scale scale, Measure measure = {});

    QLineEdit *typedGap(int g) const { return m_text1[g]; }
    QComboBox *choiceGap(int g) const { return m_combo1[g]; }
    QWidget *gap(int g, bool magazine) const;
    QLabel *textRun(int i) const { return m_label4[i]; }
    QLabel *answerLabel(int g) const { return m_label15[g]; }
    QFrame *viewport() const { return m_outerBox; }
    QFrame *page() const { return m_innerBox; }
    QScrollBar *verticalBar() const { return m_verticalBar; }
    QScrollBar *horizontalBar() const { return m_horizontalBar; }

    /// The fonts of a loaded screen: 14 point for the page, 12 point bold for answers.
    void setLoadedFonts();
    /// Lays the sixty cells out in a row for a view width.
    void spreadCells(int viewWidth);
    /// Everything placed again at another scale; the page keeps its place in twips.
    void rescale(Units::Scale scale);
    const TwipsLayout &layout() const { return m_layout; }

    /// Everything of the previous lesson hidden, emptied and painted in back.
    void reset(const QColor &back);
    /// What the placement needs of the page as it stands now.
    Placement::Input placementInput() const;
    /// Shows a placed lesson: the heading, the word bank in every choice list, the
    /// runs and gaps where the placement put them, the page's new size.
    void show(const Cloze::Lesson &lesson, const Placement::Input &input, const Placement::Result &placed);
    void setGapsEnabled(bool enabled);
    /// Replaces gap g by its answer label: on #00FFFF when answered right, else in
    /// #0000FF on #FF8888. When gap g has the focus, the focus moves on to the next
    /// open gap in reading order, wrapping to the first, which is told how g closed.
    void closeGap(int g, bool magazine, bool right, const QString &answer);
    /// Gap g stays open after a wrong answer, with attempts left: its name says so.
    void sayWrong(int g, int triesLeft);
    /// Puts the pupil into the first open gap, as moving there with the Tab key would.
    void focusFirstGap();
    /// Brings gap g fully into view, bars and page in step. screenWidth in twips.
    void scrollToGap(int g, bool magazine, int screenWidth);
    /// The bars' ranges for the page's current size.
    void updateScrollBars();
    void scrollToTop();
    /// The colour command's part on the page: every gap and text run.
    void paint(const QColor &back, const QColor &text);

signals:
    void typedGapFocused(int g);
    /// A character key in a typed gap, before the box applies it; Enter is 13.
    void typedGapKey(int g, int key);
    void choiceGapFocused(int g);
    void choiceMade(int g);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int measure(const QString &text) const;
    /// The open gap after g in reading order, wrapping; 0 when g is the only one.
    int nextOpenGap(int g, bool magazine) const;
    void moveFocusTo(QWidget *gap);
    void setGapName(int g, const QString &name);

    static constexpr int kTypedHeight = 420;
    static constexpr int kChoiceHeight = 375;

    TwipsLayout m_layout;
    Measure m_measure;
    QFrame *m_outerBox = nullptr;
    QFrame *m_innerBox = nullptr;
    QScrollBar *m_verticalBar = nullptr;
    QScrollBar *m_horizontalBar = nullptr;
    std::array<QLabel *, kControls> m_label4{};
    std::array<QLineEdit *, kControls> m_text1{};
    std::array<QComboBox *, kControls> m_combo1{};
    std::array<QLabel *, kAnswerLabels> m_label15{};
    std::array<QLabel *, kCells> m_label3{};
    int m_gapCount = 0;
    std::array<QString, kControls> m_gapNames; ///< what each gap is called, without news of another gap
    QWidget *m_movedByProgram = nullptr; ///< the gap the program gave the focus to, its focus event still to come
    bool m_filling = false;       ///< choice lists being filled: no choice events
    bool m_passingFocus = false;  ///< a focus event on its way to the box itself
    int m_enteredByClick = 0;     ///< the typed gap whose focus came with a click still to arrive
};

#include "screens/exercise/exercise_page.h"

#include "lessons/cloze_builder.h"
#include "screens/accessible_combo_box.h"
#include "screens/exercise/gap_speech.h"
#include "screens/exercise/page_scroll.h"
#include "screens/look.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace {

const QColor kRightBack(0x00, 0xFF, 0xFF);
const QColor kOutBack(0xFF, 0x88, 0x88);
const QColor kOutText(0x00, 0x00, 0xFF);

} // namespace

ExercisePage::ExercisePage(QWidget *host, Units::Scale scale, Measure measure)
    : QObject(host)
    , m_layout(scale)
    , m_measure(std::move(measure))
{
    AccessibleComboBox::install();
    m_outerBox = new QFrame(host);
    m_outerBox->setObjectName(QStringLiteral("OuterBox"));
    // The viewport ends where the horizontal bar begins: as designed (9600 high) its
    // foot lay under the bar and the panel, and the last row of a long page could not
    // be scrolled into sight.
    m_layout.place(m_outerBox, 0, 800, 13350, 9720 - 800);
    m_outerBox->setFrameShape(QFrame::StyledPanel);
    m_innerBox = new QFrame(m_outerBox);
    m_innerBox->setObjectName(QStringLiteral("InnerBox"));
    m_layout.place(m_innerBox, 120, 0, 17000, 15000);

    m_verticalBar = new QScrollBar(Qt::Vertical, host);
    m_verticalBar->setObjectName(QStringLiteral("FlatScrollBar1"));
    m_layout.place(m_verticalBar, 13320, 720, 255, 4695);
    m_verticalBar->setRange(-500, 15000);
    m_horizontalBar = new QScrollBar(Qt::Horizontal, host);
    m_horizontalBar->setObjectName(QStringLiteral("FlatScrollBar2"));
    m_layout.place(m_horizontalBar, 0, 9720, 5415, 255);
    m_horizontalBar->setRange(0, 32767);
    m_verticalBar->setAccessibleName(QStringLiteral("גלילת הדף למעלה ולמטה"));
    m_horizontalBar->setAccessibleName(QStringLiteral("גלילת הדף לצדדים"));
    connect(m_verticalBar, &QScrollBar::valueChanged, this,
            [this](int value) { m_layout.move(m_innerBox, m_layout.placed(m_innerBox).x(), -value); });
    connect(m_horizontalBar, &QScrollBar::valueChanged, this,
            [this](int value) { m_layout.move(m_innerBox, -value, m_layout.placed(m_innerBox).y()); });

    auto label = [this](QWidget *parent, const QString &name, const QRect &twips) {
        auto *l = new QLabel(parent);
        l->setObjectName(name);
        m_layout.place(l, twips);
        l->setTextFormat(Qt::PlainText);
        l->setLayoutDirection(Qt::LeftToRight);
        return l;
    };
    for (int i = 0; i < kControls; ++i) {
        m_label4[i] = label(m_innerBox, QStringLiteral("Label4_%1").arg(i),
                            i == 0 ? QRect(120, 0, 12270, 1336) : QRect(9555, 1155, 360, 255));
        m_layout.font(m_label4[i], 11.25);
        m_text1[i] = new QLineEdit(m_innerBox);
        m_text1[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
        m_layout.place(m_text1[i], 9435, 435, 855, kTypedHeight);
        m_layout.font(m_text1[i], 11.25);
        m_text1[i]->setLayoutDirection(Qt::LeftToRight);
        m_text1[i]->installEventFilter(this);
        m_text1[i]->hide();
        QComboBox *list = m_combo1[i] = new QComboBox(m_innerBox);
        list->setObjectName(QStringLiteral("Combo1_%1").arg(i));
        list->setEditable(true);
        list->setInsertPolicy(QComboBox::NoInsert);
        // A choice is made with the mouse or the arrow keys only: no completion, and
        // Enter or leaving the list never turns the typed text into a chosen entry.
        list->setCompleter(nullptr);
        disconnect(list->lineEdit(), &QLineEdit::editingFinished, list, nullptr);
        disconnect(list->lineEdit(), &QLineEdit::returnPressed, list, nullptr);
        m_layout.place(list, 8520, 3840, 2000, kChoiceHeight);
        m_layout.font(list, 11.25);
        list->setLayoutDirection(Qt::LeftToRight);
        list->installEventFilter(this);
        list->hide();
        connect(list, &QComboBox::currentIndexChanged, this, [this, i](int index) {
            if (!m_filling && index >= 0)
                emit choiceMade(i);
        });
    }
    m_label4[0]->setText(QStringLiteral("Text Starts Here"));
    m_layout.font(m_label4[0], 11.25, true);
    for (int i = 1; i < kControls; ++i)
        m_label4[i]->hide();
    for (int i = 0; i < kAnswerLabels; ++i) {
        m_label15[i] = label(m_innerBox, QStringLiteral("Label15_%1").arg(i), QRect(9870, 4800, 1065, 330));
        m_label15[i]->setAlignment(Qt::AlignCenter);
        m_label15[i]->hide();
    }
    // Laid out by the load and hidden by every lesson: never seen during an exercise.
    for (int i = 0; i < kCells; ++i) {
        m_label3[i] = label(m_innerBox, QStringLiteral("Label3_%1").arg(i), QRect(9120, 9600, 135, 300));
        Look::setBack(m_label3[i], Qt::red);
        m_label3[i]->hide();
    }
}

QWidget *ExercisePage::gap(int g, bool magazine) const
{
    return magazine ? static_cast<QWidget *>(m_combo1[g]) : m_text1[g];
}

void ExercisePage::setLoadedFonts()
{
    for (int i = 0; i < kControls; ++i) {
        m_layout.font(m_text1[i], 14);
        m_layout.font(m_combo1[i], 14);
        m_layout.font(m_label4[i], 14, i == 0);
        m_label4[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    for (QLabel *l : m_label15)
        m_layout.font(l, 12, true);
    m_label4[0]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void ExercisePage::spreadCells(int viewWidth)
{
    for (int i = 0; i < kCells; ++i)
        m_layout.move(m_label3[i], 60 + i * 6.75 * viewWidth / Units::kDesignViewWidth, m_layout.placed(m_label3[i]).y());
}

void ExercisePage::rescale(Units::Scale scale)
{
    m_layout.rescale(scale);
}

int ExercisePage::measure(const QString &text) const
{
    if (m_measure)
        return m_measure(text);
    return m_layout.scale().fromPixels(QFontMetrics(m_label4[1]->font()).horizontalAdvance(text));
}

void ExercisePage::reset(const QColor &back)
{
    m_filling = true;
    for (int i = 0; i < kControls; ++i) {
        m_combo1[i]->hide();
        m_combo1[i]->setEnabled(false);
        Look::setBack(m_combo1[i], back);
        m_combo1[i]->clear();
        m_text1[i]->setEnabled(false);
        m_text1[i]->hide();
        Look::setBack(m_text1[i], back);
        m_text1[i]->setText(QString());
        m_label4[i]->hide();
        Look::setBack(m_label4[i], back);
    }
    m_filling = false;
    for (QLabel *l : m_label15)
        l->hide();
    for (QLabel *l : m_label3)
        l->hide();
    m_movedByProgram = nullptr;
}

Placement::Input ExercisePage::placementInput() const
{
    Placement::Input input;
    const Units::Scale &scale = m_layout.scale();
    const QRectF heading = m_layout.placed(m_label4[0]);
    input.headingLeft = int(heading.x());
    input.headingTop = int(heading.y());
    input.headingHeight = int(heading.height());
    input.innerWidth = int(m_layout.placed(m_innerBox).width());
    for (int i = 0; i < kControls; ++i) {
        input.typedWidths[i] = int(m_layout.placed(m_text1[i]).width());
        input.choiceWidths[i] = int(m_layout.placed(m_combo1[i]).width());
    }
    input.measure = [this](const QString &text) { return measure(text); };
    // A choice gap's designed width is shared by its text and its button, which hid
    // part of short masks («¦##» for «###»): the placement widens it where needed.
    const QComboBox *probe = m_combo1[0];
    input.measureChoiceText = [scale, metrics = QFontMetrics(probe->font())](const QString &text) {
        return scale.fromPixels(metrics.horizontalAdvance(text));
    };
    QStyleOptionComboBox option;
    option.initFrom(probe);
    option.editable = true;
    option.rect = QRect(0, 0, 400, probe->height());
    const QRect field = probe->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, probe);
    const int lineEditMargins = 2 * 2 + 1 + 1; // the box's inner margins, its caret, and a pixel the edges may round away
    input.choiceChrome = scale.fromPixels(option.rect.width() - field.width() + lineEditMargins);
    return input;
}

void ExercisePage::show(const Cloze::Lesson &lesson, const Placement::Input &input, const Placement::Result &placed)
{
    m_label4[0]->setText(lesson.heading);
    m_filling = true;
    for (int g = 1; g <= lesson.gapCount(); ++g) {
        m_combo1[g]->addItems(lesson.wordBank);
        m_combo1[g]->setCurrentIndex(-1);
    }
    for (int i = 0; i < kControls; ++i) {
        m_layout.resize(m_text1[i], input.typedWidths[i], kTypedHeight);
        m_layout.resize(m_combo1[i], input.choiceWidths[i], kChoiceHeight);
    }
    // Raised in the order of the placement, which is the reading order: assistive
    // technology meets the page's controls in the order of their stacking.
    m_label4[0]->raise();
    for (const Placement::Piece &piece : placed.pieces) {
        if (piece.kind == Placement::Piece::Kind::TextRun) {
            QLabel *run = m_label4[piece.index];
            run->setText(piece.text);
            m_layout.place(run, piece.left, piece.top, measure(piece.text), -1);
            run->show();
            run->raise();
            continue;
        }
        QWidget *control = gap(piece.index, input.magazine);
        m_layout.move(control, piece.left, piece.top);
        control->show();
        control->raise();
        if (piece.setText) {
            if (input.magazine)
                m_combo1[piece.index]->setEditText(piece.text);
            else
                m_text1[piece.index]->setText(piece.text);
        }
    }
    m_filling = false;
    m_layout.resize(m_innerBox, placed.innerWidth, placed.innerHeight);
    m_verticalBar->setMaximum(placed.scrollMax);
    // Keep the horizontal bar's range with the widened page, so that every gap can be
    // scrolled into view.
    const int viewWidth = int(m_layout.placed(m_outerBox).width());
    m_horizontalBar->setEnabled(placed.innerWidth > viewWidth);
    m_horizontalBar->setMaximum(std::max(0, placed.innerWidth - viewWidth));
    m_label4[0]->show();

    m_gapCount = lesson.gapCount();
    const QStringList sentences = GapSpeech::sentences(lesson);
    for (int g = 1; g <= m_gapCount; ++g) {
        m_gapNames[g] = GapSpeech::name(g, m_gapCount);
        setGapName(g, m_gapNames[g]);
        m_text1[g]->setAccessibleDescription(sentences.value(g - 1));
        m_combo1[g]->setAccessibleDescription(sentences.value(g - 1));
    }
}

void ExercisePage::setGapName(int g, const QString &name)
{
    m_text1[g]->setAccessibleName(name);
    m_combo1[g]->setAccessibleName(name);
    m_combo1[g]->lineEdit()->setAccessibleName(name);
}

void ExercisePage::sayWrong(int g, int triesLeft)
{
    m_gapNames[g] = GapSpeech::wrong(g, m_gapCount, triesLeft);
    setGapName(g, m_gapNames[g]);
}

int ExercisePage::nextOpenGap(int g, bool magazine) const
{
    for (int step = 1; step < m_gapCount; ++step) {
        const int next = (g - 1 + step) % m_gapCount + 1;
        if (!gap(next, magazine)->isHidden())
            return next;
    }
    return 0;
}

void ExercisePage::moveFocusTo(QWidget *gap)
{
    m_movedByProgram = gap;
    gap->setFocus(Qt::TabFocusReason);
}

void ExercisePage::focusFirstGap()
{
    for (int g = 1; g <= m_gapCount; ++g) {
        for (QWidget *control : {static_cast<QWidget *>(m_text1[g]), static_cast<QWidget *>(m_combo1[g])}) {
            if (!control->isHidden() && control->isEnabled()) {
                moveFocusTo(control);
                return;
            }
        }
    }
}

void ExercisePage::setGapsEnabled(bool enabled)
{
    for (int i = 0; i < kControls; ++i) {
        m_combo1[i]->setEnabled(enabled);
        m_text1[i]->setEnabled(enabled);
    }
}

void ExercisePage::closeGap(int g, bool magazine, bool right, const QString &answer)
{
    QWidget *input = gap(g, magazine);
    // Before the gap is hidden, which would hand the focus to whatever follows it in
    // the screen's order, buttons after the last gap included.
    if (input->hasFocus()) {
        if (const int next = nextOpenGap(g, magazine)) {
            QWidget *to = gap(next, magazine);
            to->setAccessibleName(GapSpeech::afterClose(right, answer) + QLatin1Char(' ') + m_gapNames[next]);
            moveFocusTo(to);
        }
    }
    input->hide();
    QLabel *label = m_label15[g];
    label->setAccessibleName(GapSpeech::closed(g, answer, right));
    const QRectF over = m_layout.placed(input);
    m_layout.place(label, over.x(), over.y() + 3, over.width(), m_layout.placed(label).height());
    label->setText(answer);
    label->show();
    // In the gap's place in the stacking, which is the order a screen reader reads.
    label->stackUnder(input);
    if (right) {
        Look::setBack(label, kRightBack);
        if (magazine)
            Look::setFore(label, kOutText);
    } else {
        Look::setBack(label, kOutBack);
        Look::setFore(label, kOutText);
    }
}

void ExercisePage::scrollToGap(int g, bool magazine, int screenWidth)
{
    // Both rules work in twips, and the page follows the bars, so the bars always
    // show where the page stands.
    const QRectF control = m_layout.placed(gap(g, magazine));
    const QRectF previous = m_layout.placed(gap(g - 1, magazine));
    const QRectF viewport = m_layout.placed(m_outerBox);
    const QRectF page = m_layout.placed(m_innerBox);
    const PageScroll::Range vertical{m_verticalBar->minimum(), m_verticalBar->maximum(),
                                     page.height() > viewport.height()};
    m_verticalBar->setValue(PageScroll::verticalValue(int(control.y()), int(control.height()), int(viewport.height()),
                                                      m_verticalBar->value(), vertical));
    const PageScroll::Range horizontal{m_horizontalBar->minimum(), m_horizontalBar->maximum(),
                                       m_horizontalBar->isEnabled()};
    // The viewport's frame covers the page's edge.
    const int frame = m_layout.scale().fromPixels(m_outerBox->width() - m_outerBox->contentsRect().right());
    m_horizontalBar->setValue(PageScroll::horizontalValue(int(control.x()), int(control.width()), screenWidth,
                                                          int(previous.x()), int(previous.width()),
                                                          int(viewport.width()) - frame, horizontal));
    m_layout.move(m_innerBox, -m_horizontalBar->value(), -m_verticalBar->value());
}

void ExercisePage::updateScrollBars()
{
    const QRectF pageBox = m_layout.placed(m_innerBox);
    const QRectF viewBox = m_layout.placed(m_outerBox);
    const struct
    {
        QScrollBar *bar;
        double page, view;
    } bars[] = {{m_verticalBar, pageBox.height(), viewBox.height()}, {m_horizontalBar, pageBox.width(), viewBox.width()}};
    for (const auto &b : bars) {
        const int page = int(b.page);
        const int view = int(b.view);
        if (page <= view) {
            b.bar->setEnabled(false);
            continue;
        }
        b.bar->setEnabled(true);
        b.bar->setMaximum(page - view);
        b.bar->setPageStep(2500);
        b.bar->setSingleStep(250);
    }
}

void ExercisePage::scrollToTop()
{
    m_verticalBar->setValue(0);
    m_horizontalBar->setValue(0);
    m_layout.move(m_innerBox, 0, 0);
}

void ExercisePage::paint(const QColor &back, const QColor &text)
{
    for (int i = 0; i < kControls; ++i) {
        for (QWidget *w : {static_cast<QWidget *>(m_text1[i]), static_cast<QWidget *>(m_combo1[i]),
                           static_cast<QWidget *>(m_label4[i])}) {
            Look::setBack(w, back);
            Look::setFore(w, text);
        }
    }
}

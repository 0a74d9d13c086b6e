#include "screens/exercise/exercise_page.h"

#include "lessons/cloze_builder.h"
#include "screens/exercise/page_scroll.h"
#include "screens/look.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace {

const QColor kRightBack(0x00, 0xFF, 0xFF);
const QColor kOutBack(0xFF, 0x88, 0x88);
const QColor kOutText(0x00, 0x00, 0xFF);

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

ExercisePage::ExercisePage(QWidget *host, Units::Scale scale, Measure measure)
    : QObject(host)
    , m_scale(scale)
    , m_measure(std::move(measure))
{
    m_outerBox = new QFrame(host);
    m_outerBox->setObjectName(QStringLiteral("OuterBox"));
    // The viewport ends where the horizontal bar begins: as designed (9600 high) its
    // foot lay under the bar and the panel, and the last row of a long page could not
    // be scrolled into sight.
    m_outerBox->setGeometry(m_scale.rect(0, 800, 13350, 9720 - 800));
    m_outerBox->setFrameShape(QFrame::StyledPanel);
    m_innerBox = new QFrame(m_outerBox);
    m_innerBox->setObjectName(QStringLiteral("InnerBox"));
    m_innerBox->setGeometry(m_scale.rect(120, 0, 17000, 15000));

    m_verticalBar = new QScrollBar(Qt::Vertical, host);
    m_verticalBar->setObjectName(QStringLiteral("FlatScrollBar1"));
    m_verticalBar->setGeometry(m_scale.rect(13320, 720, 255, 4695));
    m_verticalBar->setRange(-500, 15000);
    m_horizontalBar = new QScrollBar(Qt::Horizontal, host);
    m_horizontalBar->setObjectName(QStringLiteral("FlatScrollBar2"));
    m_horizontalBar->setGeometry(m_scale.rect(0, 9720, 5415, 255));
    m_horizontalBar->setRange(0, 32767);
    connect(m_verticalBar, &QScrollBar::valueChanged, this,
            [this](int value) { m_innerBox->move(m_innerBox->x(), m_scale.toPixels(-value)); });
    connect(m_horizontalBar, &QScrollBar::valueChanged, this,
            [this](int value) { m_innerBox->move(m_scale.toPixels(-value), m_innerBox->y()); });

    auto label = [this](QWidget *parent, const QString &name, const QRect &twips) {
        auto *l = new QLabel(parent);
        l->setObjectName(name);
        l->setGeometry(m_scale.rect(twips.x(), twips.y(), twips.width(), twips.height()));
        l->setTextFormat(Qt::PlainText);
        l->setLayoutDirection(Qt::LeftToRight);
        return l;
    };
    for (int i = 0; i < kControls; ++i) {
        m_label4[i] = label(m_innerBox, QStringLiteral("Label4_%1").arg(i),
                            i == 0 ? QRect(120, 0, 12270, 1336) : QRect(9555, 1155, 360, 255));
        m_label4[i]->setFont(Look::arial(11.25));
        m_text1[i] = new QLineEdit(m_innerBox);
        m_text1[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
        m_text1[i]->setGeometry(m_scale.rect(9435, 435, 855, 420));
        m_text1[i]->setFont(Look::arial(11.25));
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
        list->setGeometry(m_scale.rect(8520, 3840, 2000, 375));
        list->setFont(Look::arial(11.25));
        list->setLayoutDirection(Qt::LeftToRight);
        list->installEventFilter(this);
        list->hide();
        connect(list, &QComboBox::currentIndexChanged, this, [this, i](int index) {
            if (!m_filling && index >= 0)
                emit choiceMade(i);
        });
    }
    m_label4[0]->setText(QStringLiteral("Text Starts Here"));
    m_label4[0]->setFont(Look::arial(11.25, true));
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
        m_text1[i]->setFont(Look::arial(14));
        m_combo1[i]->setFont(Look::arial(14));
        m_label4[i]->setFont(Look::arial(14, i == 0));
        m_label4[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    for (QLabel *l : m_label15)
        l->setFont(Look::arial(12, true));
    m_label4[0]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void ExercisePage::spreadCells(int viewWidth)
{
    for (int i = 0; i < kCells; ++i)
        m_label3[i]->move(m_scale.toPixels(60 + i * 6.75 * viewWidth / Units::kDesignViewWidth), m_label3[i]->y());
}

int ExercisePage::measure(const QString &text) const
{
    if (m_measure)
        return m_measure(text);
    return m_scale.fromPixels(QFontMetrics(m_label4[1]->font()).horizontalAdvance(text));
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
}

Placement::Input ExercisePage::placementInput() const
{
    Placement::Input input;
    const QRect heading = m_label4[0]->geometry();
    input.headingLeft = m_scale.fromPixels(heading.x());
    input.headingTop = m_scale.fromPixels(heading.y());
    input.headingHeight = m_scale.fromPixels(heading.height());
    input.innerWidth = m_scale.fromPixels(m_innerBox->width());
    for (int i = 0; i < kControls; ++i) {
        input.typedWidths[i] = m_scale.fromPixels(m_text1[i]->width());
        input.choiceWidths[i] = m_scale.fromPixels(m_combo1[i]->width());
    }
    input.measure = [this](const QString &text) { return measure(text); };
    // A choice gap's designed width is shared by its text and its button, which hid
    // part of short masks («¦##» for «###»): the placement widens it where needed.
    const QComboBox *probe = m_combo1[0];
    input.measureChoiceText = [this, metrics = QFontMetrics(probe->font())](const QString &text) {
        return m_scale.fromPixels(metrics.horizontalAdvance(text));
    };
    QStyleOptionComboBox option;
    option.initFrom(probe);
    option.editable = true;
    option.rect = QRect(0, 0, 400, probe->height());
    const QRect field = probe->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, probe);
    const int lineEditMargins = 2 * 2 + 1; // the box's inner margins and its caret
    input.choiceChrome = m_scale.fromPixels(option.rect.width() - field.width() + lineEditMargins);
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
        m_text1[i]->resize(m_scale.toPixels(input.typedWidths[i]), m_text1[i]->height());
        m_combo1[i]->resize(m_scale.toPixels(input.choiceWidths[i]), m_combo1[i]->height());
    }
    for (const Placement::Piece &piece : placed.pieces) {
        if (piece.kind == Placement::Piece::Kind::TextRun) {
            QLabel *run = m_label4[piece.index];
            run->setText(piece.text);
            run->setGeometry(m_scale.toPixels(piece.left), m_scale.toPixels(piece.top),
                             m_scale.toPixels(measure(piece.text)), run->sizeHint().height());
            run->show();
            continue;
        }
        QWidget *control = gap(piece.index, input.magazine);
        control->move(m_scale.toPixels(piece.left), m_scale.toPixels(piece.top));
        control->show();
        if (piece.setText) {
            if (input.magazine)
                m_combo1[piece.index]->setEditText(piece.text);
            else
                m_text1[piece.index]->setText(piece.text);
        }
    }
    m_filling = false;
    m_innerBox->resize(m_scale.toPixels(placed.innerWidth), m_scale.toPixels(placed.innerHeight));
    m_verticalBar->setMaximum(placed.scrollMax);
    // Keep the horizontal bar's range with the widened page, so that every gap can be
    // scrolled into view.
    const int viewWidth = m_scale.fromPixels(m_outerBox->width());
    m_horizontalBar->setEnabled(placed.innerWidth > viewWidth);
    m_horizontalBar->setMaximum(std::max(0, placed.innerWidth - viewWidth));
    m_label4[0]->show();
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
    input->hide();
    QLabel *label = m_label15[g];
    label->setGeometry(input->x(), input->y() + m_scale.toPixels(3), input->width(), label->height());
    label->setText(answer);
    label->show();
    label->raise();
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
    const QWidget *control = gap(g, magazine);
    const QWidget *previous = gap(g - 1, magazine);
    const PageScroll::Range vertical{m_verticalBar->minimum(), m_verticalBar->maximum(),
                                     m_innerBox->height() > m_outerBox->height()};
    m_verticalBar->setValue(PageScroll::verticalValue(m_scale.fromPixels(control->y()),
                                                      m_scale.fromPixels(control->height()),
                                                      m_scale.fromPixels(m_outerBox->height()),
                                                      m_verticalBar->value(), vertical));
    const PageScroll::Range horizontal{m_horizontalBar->minimum(), m_horizontalBar->maximum(),
                                       m_horizontalBar->isEnabled()};
    m_horizontalBar->setValue(PageScroll::horizontalValue(
        m_scale.fromPixels(control->x()), m_scale.fromPixels(control->width()), screenWidth,
        m_scale.fromPixels(previous->x()), m_scale.fromPixels(previous->width()),
        m_scale.fromPixels(m_outerBox->contentsRect().right()), horizontal));
    m_innerBox->move(m_scale.toPixels(-m_horizontalBar->value()), m_scale.toPixels(-m_verticalBar->value()));
}

void ExercisePage::updateScrollBars()
{
    const struct
    {
        QScrollBar *bar;
        int page, view;
    } bars[] = {{m_verticalBar, m_innerBox->height(), m_outerBox->height()},
                {m_horizontalBar, m_innerBox->width(), m_outerBox->width()}};
    for (const auto &b : bars) {
        const int page = m_scale.fromPixels(b.page);
        const int view = m_scale.fromPixels(b.view);
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
    m_innerBox->move(0, 0);
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

bool ExercisePage::eventFilter(QObject *watched, QEvent *event)
{
    if (m_passingFocus)
        return false;
    for (int g = 1; g < kControls; ++g) {
        if (watched == m_text1[g]) {
            if (event->type() == QEvent::FocusIn && movedToByPupil(event)) {
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
        if (watched == m_combo1[g]) {
            if (event->type() == QEvent::FocusIn && movedToByPupil(event))
                emit choiceGapFocused(g);
            return false;
        }
    }
    return false;
}

#include "screens/exercise/main_screen.h"

#include "lessons/cloze_builder.h"
#include "platform/random.h"
#include "platform/sound_player.h"
#include "screens/chooser/choose_exercise.h"
#include "screens/dialogs.h"
#include "screens/exercise/answering.h"
#include "screens/exercise/colours.h"
#include "screens/exercise/page_scroll.h"
#include "screens/exercise/time_limit.h"
#include "screens/help/help4grammar.h"
#include "screens/help/help_form.h"
#include "screens/look.h"
#include "screens/results/results_module.h"
#include "screens/results/results_screen.h"
#include "screens/twips.h"
#include "state/numbers.h"
#include "state/variables.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTimer>

namespace {

using Look::arial;
using Look::kGrey;
using Look::setBack;
using Look::setFore;

const QColor kWrongBack(0xFF, 0xCC, 0xCC);
const QColor kRightBack(0x00, 0xFF, 0xFF);
const QColor kOutBack(0xFF, 0x88, 0x88);
const QColor kOutText(0x00, 0x00, 0xFF);
const QColor kPink(255, 128, 255);

// Shrinks a caption's font until the longest text it will show fits its box.
void fitFont(QLabel *l, const QString &longest = QString())
{
    const QString text = longest.isEmpty() ? l->text() : longest;
    QFont f = l->font();
    while (f.pointSizeF() > 8 && QFontMetrics(f).horizontalAdvance(text) > l->width() - 4)
        f.setPointSizeF(f.pointSizeF() - 0.5);
    l->setFont(f);
}

QLabel *label(QWidget *parent, const QString &name, const QString &text, const QRect &twipsRect)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(Twips::rect(twipsRect.x(), twipsRect.y(), twipsRect.width(), twipsRect.height()));
    return l;
}

QPushButton *button(QWidget *parent, const QString &name, const QString &text, const QRect &twipsRect,
                    const QColor &face)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setGeometry(Twips::rect(twipsRect.x(), twipsRect.y(), twipsRect.width(), twipsRect.height()));
    setBack(b, face);
    return b;
}

// Focus that comes back with the window, or after a menu or a list closes, is not
// the pupil moving to a gap.
bool movedToByPupil(const QFocusEvent *event)
{
    switch (event->reason()) {
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
    return 0; // not a character key: no key event of the page
}

} // namespace

Main::Main(ScreenContext context) : m_context(std::move(context))
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral(" "));
    buildControls();
}

Main::~Main() = default;

void Main::buildControls()
{
    resize(Twips::toPixels(15360), Twips::toPixels(11520));
    backColour = palette().color(QPalette::Window);
    textColour = palette().color(QPalette::WindowText);

    menu = new QMenuBar(this);
    menu->setObjectName(QStringLiteral("menu"));
    menu->setLayoutDirection(Qt::RightToLeft);
    QAction *help1 = menu->addAction(QStringLiteral("עזרה"));
    help1->setObjectName(QStringLiteral("help1"));
    QAction *exit1 = menu->addAction(QStringLiteral("יציאה"));
    exit1->setObjectName(QStringLiteral("exit1"));
    connect(help1, &QAction::triggered, this, [this] { help1_Click(); });
    connect(exit1, &QAction::triggered, this, [this] { Command1_Click(); });
    menu->setGeometry(0, 0, Twips::toPixels(4000), Twips::toPixels(360));

    OuterBox = new QFrame(this);
    OuterBox->setObjectName(QStringLiteral("OuterBox"));
    // The viewport ends where the horizontal bar begins: as designed (9600 high) its
    // foot lay under the bar and the panel, and the last row of a long page could not
    // be scrolled into sight.
    OuterBox->setGeometry(Twips::rect(0, 800, 13350, 9720 - 800));
    OuterBox->setFrameShape(QFrame::StyledPanel);
    InnerBox = new QFrame(OuterBox);
    InnerBox->setObjectName(QStringLiteral("InnerBox"));
    InnerBox->setGeometry(Twips::rect(120, 0, 17000, 15000));

    FlatScrollBar1 = new QScrollBar(Qt::Vertical, this);
    FlatScrollBar1->setObjectName(QStringLiteral("FlatScrollBar1"));
    FlatScrollBar1->setGeometry(Twips::rect(13320, 720, 255, 4695));
    FlatScrollBar1->setRange(-500, 15000);
    FlatScrollBar2 = new QScrollBar(Qt::Horizontal, this);
    FlatScrollBar2->setObjectName(QStringLiteral("FlatScrollBar2"));
    FlatScrollBar2->setGeometry(Twips::rect(0, 9720, 5415, 255));
    FlatScrollBar2->setRange(0, 32767);
    connect(FlatScrollBar1, &QScrollBar::valueChanged, this,
            [this](int value) { InnerBox->move(InnerBox->x(), Twips::toPixels(-value)); });
    connect(FlatScrollBar2, &QScrollBar::valueChanged, this,
            [this](int value) { InnerBox->move(Twips::toPixels(-value), InnerBox->y()); });

    for (int i = 0; i < kControls; ++i) {
        Label4[i] = label(InnerBox, QStringLiteral("Label4_%1").arg(i), QString(),
                          i == 0 ? QRect(120, 0, 12270, 1336) : QRect(9555, 1155, 360, 255));
        Label4[i]->setFont(arial(11.25));
        Label4[i]->setTextFormat(Qt::PlainText);
        Label4[i]->setLayoutDirection(Qt::LeftToRight);
        Text1[i] = new QLineEdit(InnerBox);
        Text1[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
        Text1[i]->setGeometry(Twips::rect(9435, 435, 855, 420));
        Text1[i]->setFont(arial(11.25));
        Text1[i]->setLayoutDirection(Qt::LeftToRight);
        Text1[i]->installEventFilter(this);
        Text1[i]->hide();
        Combo1[i] = new QComboBox(InnerBox);
        Combo1[i]->setObjectName(QStringLiteral("Combo1_%1").arg(i));
        Combo1[i]->setEditable(true);
        Combo1[i]->setInsertPolicy(QComboBox::NoInsert);
        // A choice is made with the mouse or the arrow keys only: no completion, and
        // Enter or leaving the list never turns the typed text into a chosen entry.
        Combo1[i]->setCompleter(nullptr);
        disconnect(Combo1[i]->lineEdit(), &QLineEdit::editingFinished, Combo1[i], nullptr);
        disconnect(Combo1[i]->lineEdit(), &QLineEdit::returnPressed, Combo1[i], nullptr);
        Combo1[i]->setGeometry(Twips::rect(8520, 3840, 2000, 375));
        Combo1[i]->setFont(arial(11.25));
        Combo1[i]->setLayoutDirection(Qt::LeftToRight);
        Combo1[i]->installEventFilter(this);
        Combo1[i]->hide();
        connect(Combo1[i], &QComboBox::currentIndexChanged, this, [this, i](int index) {
            if (!m_filling && index >= 0)
                Combo1_Click(i);
        });
    }
    Label4[0]->setText(QStringLiteral("Text Starts Here"));
    Label4[0]->setFont(arial(11.25, true));
    for (int i = 1; i < kControls; ++i)
        Label4[i]->hide();
    for (int i = 0; i < kAnswerLabels; ++i) {
        Label15[i] = label(this, QStringLiteral("Label15_%1").arg(i), QString(), QRect(9870, 4800, 1065, 330));
        Label15[i]->setAlignment(Qt::AlignCenter);
        Label15[i]->setLayoutDirection(Qt::LeftToRight);
        Label15[i]->hide();
    }
    for (int i = 0; i < kCells; ++i) {
        Label3[i] = label(this, QStringLiteral("Label3_%1").arg(i), QString(), QRect(9120, 9600, 135, 300));
        setBack(Label3[i], Qt::red);
        Label3[i]->hide();
    }

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(Twips::rect(21, 9960, 15360, 1440));
    setBack(Frame1, QColor(128, 255, 255));
    Command6 = button(Frame1, QStringLiteral("Command6"), QStringLiteral("תרגיל חדש"), {1560, 120, 1935, 375}, kGrey);
    Command1 = button(Frame1, QStringLiteral("Command1"), QStringLiteral("יציאה מהתוכנית"), {3840, 120, 2535, 375}, kGrey);
    Command5 = button(Frame1, QStringLiteral("Command5"), QStringLiteral("שנה צבע רקע"), {6600, 120, 1935, 375}, kGrey);
    auto panelLabel = [this](const char *name, const QString &text, int left, int top, int width, bool value) {
        QLabel *l = label(Frame1, QString::fromLatin1(name), text, QRect(left, top, width, 375));
        setBack(l, value ? Qt::white : kGrey);
        l->setFont(arial(12));
        l->setAlignment(Qt::AlignCenter);
        return l;
    };
    Label18 = panelLabel("Label18", QStringLiteral("Lesson:  "), 120, 120, 1050, false);
    Label19 = panelLabel("Label19", QStringLiteral("**"), 1200, 240, 330, true);
    Label22 = panelLabel("Label22", QStringLiteral("Pattern:  "), 120, 720, 1050, false);
    Label21 = panelLabel("Label21", QStringLiteral("**"), 1200, 720, 7200, true);
    Label21->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Label21->setLayoutDirection(Qt::LeftToRight);
    Label2 = panelLabel("Label2", QStringLiteral("עם סימנים"), 10680, 120, 1275, false);
    Label1 = panelLabel("Label1", QStringLiteral("עם מחסנית"), 10680, 600, 1275, false);
    Label5 = panelLabel("Label5", QStringLiteral(": זמן"), 13320, 120, 700, false);
    Label17 = panelLabel("Label17", QStringLiteral("דקות"), 12405, 120, 500, false);
    Label10 = panelLabel("Label10", QStringLiteral(":זיכוי"), 14520, 120, 800, false);
    Label11 = panelLabel("Label11", QStringLiteral(":חיוב"), 14520, 600, 800, false);
    // Up to the credit value beside it: in the fonts at hand the caption is longer than designed.
    Label7 = panelLabel("Label7", QStringLiteral(":נסיונות במשחק"), 12360, 600, 14130 - 12360 - 30, false);
    fitFont(Label7);
    fitFont(Label1, QStringLiteral("ללא מחסנית"));
    fitFont(Label2, QStringLiteral("ללא סימנים"));
    const int valueLefts[4][2] = {{12900, 120}, {11970, 600}, {14130, 120}, {14130, 600}};
    for (int i = 0; i < 4; ++i)
        Label20[i] = panelLabel(QStringLiteral("Label20_%1").arg(i).toLatin1().constData(), QStringLiteral("**"),
                                valueLefts[i][0], valueLefts[i][1], 375, true);

    Command2 = button(this, QStringLiteral("Command2"), QStringLiteral("עזרה לתרגיל זה"), {13582, 5760, 1695, 855}, Qt::red);
    Command2->setFont(arial(12));
    ccrpProgressBar1 = new QProgressBar(this);
    ccrpProgressBar1->setObjectName(QStringLiteral("ccrpProgressBar1"));
    ccrpProgressBar1->setGeometry(Twips::rect(12495, 0, 2865, 615));
    ccrpProgressBar1->setRange(0, 100);
    ccrpProgressBar1->setValue(0);
    ccrpProgressBar1->setTextVisible(false);
    auto counter = [this](const char *name, const QString &text, QRect r, const QColor &back) {
        QLabel *l = label(this, QString::fromLatin1(name), text, r);
        l->setFont(arial(12));
        l->setAlignment(Qt::AlignCenter);
        if (back.isValid())
            setBack(l, back);
        return l;
    };
    Label23 = counter("Label23", QStringLiteral("יתרת זמן"), {14040, 600, 975, 375}, {});
    Label16 = counter("Label16", QStringLiteral("נסיונות נוספים"), {14040, 2280, 1260, 270}, {});
    Label14 = counter("Label14", QString(), {14640, 2760, 690, 480}, Qt::red);
    Label6 = counter("Label6", QStringLiteral("נסיונות שנעשו"), {14040, 3240, 1335, 375}, {});
    Label8 = counter("Label8", QString(), {14640, 3720, 690, 480}, kPink);
    Label12 = counter("Label12", QStringLiteral("מספר נקודות מצטבר"), {13560, 4320, 1935, 375}, {});
    Label9 = counter("Label9", QStringLiteral("0"), {14640, 4800, 690, 480}, kPink);
    // The captions are wider than their design boxes in the fonts at hand: give them
    // the width of the counters column and a smaller size where even that is short.
    for (QLabel *caption : {Label23, Label16, Label6, Label12}) {
        caption->setGeometry(Twips::rect(13620, Twips::fromPixels(caption->y()), 15360 - 13620 - 60,
                                         std::max(375, Twips::fromPixels(caption->height()))));
        fitFont(caption);
    }

    for (QPushButton *b : {Command1, Command5, Command6})
        b->setFont(arial(12));
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
    connect(Command6, &QPushButton::clicked, this, [this] { Command6_Click(); });

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });

    // Panel and counters stand over the viewport where the design lets them meet.
    FlatScrollBar1->raise();
    FlatScrollBar2->raise();
    Frame1->raise();
}

void Main::Form_Load()
{
    Variables &state = m_context.state;
    for (int i = 0; i < kControls; ++i) {
        Text1[i]->setFont(arial(14));
        Combo1[i]->setFont(arial(14));
        QFont f = arial(14, i == 0);
        Label4[i]->setFont(f);
        Label4[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    for (QLabel *l : Label15)
        l->setFont(arial(12, true));
    Label4[0]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Form_Resize();
    // The sound player needs no set-up: it opens its device at the first sound.
    state.ViewWidth = int16_t(Twips::pixelsToPoints(width()));
    state.ViewHeight = int16_t(Twips::pixelsToPoints(height()));
    m_chooser = new ChooseExercise(*this);
    m_chooser->show();
    hide();
    state.ViewWidth = int16_t(Twips::pixelsToPoints(width()));
    state.ViewHeight = int16_t(Twips::pixelsToPoints(height()));
    resize(int(width() * float(state.ViewWidth) / 768.0f), int(height() * float(state.ViewHeight) / 576.0f));
    Random::seedFromClock();
    for (QComboBox *picker : m_chooser->Combo2) {
        // The first entry added would become the field's text; the initial text stays.
        const QString initial = picker->currentText();
        for (int n = 1; n <= 20; ++n)
            picker->addItem(QString::number(n));
        picker->setEditText(initial);
    }
    for (int i = 0; i < kCells; ++i)
        Label3[i]->move(Twips::toPixels(60 + i * 6.75 * state.ViewWidth / 768.0), Label3[i]->y());
    state.TicksLeft = 0;
    m_chooser->fillPatternList();
}

void Main::Form_Resize()
{
    const int pageHeight = Twips::fromPixels(InnerBox->height());
    const int viewHeight = Twips::fromPixels(OuterBox->height());
    if (pageHeight <= viewHeight) {
        FlatScrollBar1->setEnabled(false);
    } else {
        FlatScrollBar1->setEnabled(true);
        FlatScrollBar1->setMaximum(pageHeight - viewHeight);
        FlatScrollBar1->setPageStep(2500);
        FlatScrollBar1->setSingleStep(250);
    }
    const int pageWidth = Twips::fromPixels(InnerBox->width());
    const int viewWidth = Twips::fromPixels(OuterBox->width());
    if (pageWidth <= viewWidth) {
        FlatScrollBar2->setEnabled(false);
    } else {
        FlatScrollBar2->setEnabled(true);
        FlatScrollBar2->setMaximum(pageWidth - viewWidth);
        FlatScrollBar2->setPageStep(2500);
        FlatScrollBar2->setSingleStep(250);
    }
}

void Main::paintEvent(QPaintEvent *event)
{
    QPainter(this).fillRect(event->rect(), backColour);
}

void Main::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (InnerBox)
        Form_Resize();
}

int Main::measure(const QString &text) const
{
    if (m_context.measure)
        return m_context.measure(text);
    return Twips::fromPixels(QFontMetrics(Label4[1]->font()).horizontalAdvance(text));
}

void Main::paintGap(QWidget *control, const QColor &back)
{
    setBack(control, back);
}

void Main::resetPage()
{
    for (QLabel *l : Label15) {
        l->hide();
        l->setParent(InnerBox);
    }
    Timer1->stop();
    m_filling = true;
    for (int i = 0; i < kControls; ++i) {
        Combo1[i]->hide();
        Combo1[i]->setEnabled(false);
        setBack(Combo1[i], backColour);
        Combo1[i]->clear();
        Text1[i]->setEnabled(false);
        Text1[i]->hide();
        setBack(Text1[i], backColour);
        Text1[i]->setText(QString());
        Label4[i]->hide();
        setBack(Label4[i], backColour);
    }
    m_filling = false;
    for (QLabel *l : Label3) {
        l->setParent(InnerBox);
        l->hide();
    }
}

Placement::Input Main::placementInput() const
{
    Placement::Input input;
    input.magazine = m_context.state.MagazineOn;
    input.signs = m_context.state.SignsOn;
    input.headingLeft = Twips::fromPixels(Label4[0]->x());
    input.headingTop = Twips::fromPixels(Label4[0]->y());
    input.headingHeight = Twips::fromPixels(Label4[0]->height());
    input.innerWidth = Twips::fromPixels(InnerBox->width());
    for (int i = 0; i < kControls; ++i) {
        input.typedWidths[i] = Twips::fromPixels(Text1[i]->width());
        input.choiceWidths[i] = Twips::fromPixels(Combo1[i]->width());
    }
    input.measure = [this](const QString &text) { return measure(text); };
    input.measureChoiceText = [metrics = QFontMetrics(Combo1[0]->font())](const QString &text) {
        return Twips::fromPixels(metrics.horizontalAdvance(text));
    };
    input.choiceChrome = choiceChrome();
    return input;
}

void Main::applyPlacement(const Cloze::Lesson &lesson, const Placement::Input &input,
                          const Placement::Result &placed)
{
    Variables &state = m_context.state;
    m_filling = true;
    for (int g = 1; g <= state.GapCount; ++g) {
        Combo1[g]->addItems(QStringList(state.WordBank.begin() + 1, state.WordBank.begin() + 1 + state.WordBankCount));
        Combo1[g]->setCurrentIndex(-1);
    }
    for (int i = 0; i < kControls; ++i) {
        Text1[i]->resize(Twips::toPixels(input.typedWidths[i]), Text1[i]->height());
        Combo1[i]->resize(Twips::toPixels(input.choiceWidths[i]), Combo1[i]->height());
    }
    for (const Placement::Piece &piece : placed.pieces) {
        if (piece.kind == Placement::Piece::Kind::TextRun) {
            QLabel *run = Label4[piece.index];
            run->setText(piece.text);
            run->setGeometry(Twips::toPixels(piece.left), Twips::toPixels(piece.top),
                             Twips::toPixels(measure(piece.text)), run->sizeHint().height());
            run->show();
        } else {
            QWidget *gap = state.MagazineOn ? static_cast<QWidget *>(Combo1[piece.index]) : Text1[piece.index];
            gap->move(Twips::toPixels(piece.left), Twips::toPixels(piece.top));
            gap->show();
            if (piece.setText) {
                if (state.MagazineOn)
                    Combo1[piece.index]->setEditText(piece.text);
                else
                    Text1[piece.index]->setText(piece.text);
            }
        }
    }
    m_filling = false;
    InnerBox->resize(Twips::toPixels(placed.innerWidth), Twips::toPixels(placed.innerHeight));
    FlatScrollBar1->setMaximum(placed.scrollMax);
    // Keep the horizontal bar's range with the widened page, so that every gap can be
    // scrolled into view.
    const int viewWidth = Twips::fromPixels(OuterBox->width());
    FlatScrollBar2->setEnabled(placed.innerWidth > viewWidth);
    FlatScrollBar2->setMaximum(std::max(0, placed.innerWidth - viewWidth));
    Label4[0]->show();
    Q_UNUSED(lesson);
}

int Main::choiceChrome() const
{
    const QComboBox *probe = Combo1[0];
    QStyleOptionComboBox option;
    option.initFrom(probe);
    option.editable = true;
    option.rect = QRect(0, 0, 400, probe->height());
    const QRect field = probe->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, probe);
    const int lineEditMargins = 2 * 2 + 1; // the box's inner margins and its caret
    return Twips::fromPixels(option.rect.width() - field.width() + lineEditMargins);
}

void Main::showSettings(const std::array<QString, 4> &texts, bool timeLimitOn)
{
    for (int i = 0; i < 4; ++i)
        Label20[i]->setText(texts[i]);
    QLabel *time = Label20[0];
    time->setGeometry(Twips::rect(12900, 120, 375, 375));
    time->setFont(arial(12));
    if (timeLimitOn)
        return;
    time->setText(QStringLiteral("ללא הגבלת זמן"));
    setBack(time, Label14->palette().color(QPalette::Window));
    // The box holds a number of minutes; the words grow it to the left, over the unit
    // of minutes, as far as the option captions.
    const int right = time->geometry().right() + 1;
    const int leftmost = Label2->geometry().right() + 1 + Twips::toPixels(30);
    const int wanted = QFontMetrics(time->font()).horizontalAdvance(time->text()) + 8;
    const int w = std::min(wanted, right - leftmost);
    time->setGeometry(right - w, time->y(), w, time->height());
    fitFont(time);
    time->raise();
}

void Main::setLabel14(const QString &text)
{
    Label14->setText(text);
    Label14_Change();
}

void Main::Label14_Change()
{
    if (!m_context.state.ExerciseRunning)
        return;
    Label8->setText(Answering::attemptsMade(m_chooser->Combo2[1]->currentText(), Label14->text()));
}

void Main::Text1_GotFocus(int g)
{
    Variables &state = m_context.state;
    if (!state.ExerciseRunning)
        return;
    if (state.SignsOn)
        Text1[g]->setText(state.GapWords[g][1]);
    Text1[g]->setCursorPosition(0);
    setLabel14(QString::number(state.TriesLeft[g]));
    ScrollPageToGap(Text1[g], g);
}

void Main::Text1_KeyPress(int g, int key)
{
    Variables &state = m_context.state;
    if (!state.ExerciseRunning)
        return;
    QLineEdit *box = Text1[g];
    // Overtype: a typed character replaces the one after the caret.
    if (!box->hasSelectedText() && key >= 32) {
        const int pos = box->cursorPosition();
        if (pos < box->text().size() && box->text().at(pos) != QLatin1Char('\r'))
            box->setSelection(pos, 1);
    }
    if (m_clearOnNextKey == 1)
        box->clear();
    m_clearOnNextKey = 0;
    if (key == 13) {
        const double debit = Numbers::readDecimal(m_chooser->Combo2[3]->currentText()).value_or(0.0);
        const auto judged = Answering::judge(state, g, box->text(), Label9->text(), debit);
        if (judged.right) {
            m_clearOnNextKey = 0;
            PlaySound(QStringLiteral("/data/right.wav"));
            closeGap(g, box, true);
        } else {
            m_clearOnNextKey = 1;
            PlaySound(QStringLiteral("/data/wrong.wav"));
            setBack(box, kWrongBack);
            if (state.SignsOn)
                box->setText(state.GapWords[g][1]);
        }
        Label9->setText(judged.scoreText);
        if (judged.closedOutOfAttempts)
            closeGap(g, box, false);
        setLabel14(QString::number(judged.triesLeft));
    }
    if (state.GapsLeft == 0)
        FinishExercise(true);
}

void Main::Combo1_GotFocus(int g)
{
    Variables &state = m_context.state;
    if (!state.ExerciseRunning)
        return;
    setLabel14(QString::number(state.TriesLeft[g]));
    ScrollPageToGap(Combo1[g], g);
}

void Main::Combo1_Click(int g)
{
    Variables &state = m_context.state;
    if (!state.ExerciseRunning || !Combo1[g]->isVisible() || !Combo1[g]->isEnabled())
        return;
    QComboBox *list = Combo1[g];
    const double debit = Numbers::readDecimal(m_chooser->Combo2[3]->currentText()).value_or(0.0);
    const auto judged = Answering::judge(state, g, list->itemText(list->currentIndex()), Label9->text(), debit);
    Label9->setText(judged.scoreText);
    if (judged.right) {
        PlaySound(QStringLiteral("/data/right.wav"));
        closeGap(g, list, true);
        setFore(Label15[g], kOutText);
    } else {
        PlaySound(QStringLiteral("/data/wrong.wav"));
        setBack(list, kWrongBack);
    }
    if (judged.closedOutOfAttempts)
        closeGap(g, list, false);
    setLabel14(QString::number(judged.triesLeft));
    if (state.GapsLeft == 0)
        FinishExercise(true);
}

void Main::closeGap(int g, QWidget *input, bool right)
{
    input->hide();
    QLabel *answer = Label15[g];
    answer->setParent(InnerBox);
    answer->setGeometry(input->x(), input->y() + Twips::toPixels(3), input->width(), answer->height());
    answer->setText(m_context.state.RightAnswers[g]);
    answer->show();
    answer->raise();
    if (right) {
        setBack(answer, kRightBack);
    } else {
        setBack(answer, kOutBack);
        setFore(answer, kOutText);
    }
}

void Main::ScrollPageToGap(QWidget *control, int g)
{
    // Both rules work in twips, and the page follows the bars, so the bars always
    // show where the page stands.
    const PageScroll::Range vertical{FlatScrollBar1->minimum(), FlatScrollBar1->maximum(),
                                     Twips::fromPixels(InnerBox->height()) > Twips::fromPixels(OuterBox->height())};
    FlatScrollBar1->setValue(PageScroll::verticalValue(Twips::fromPixels(control->y()),
                                                       Twips::fromPixels(control->height()),
                                                       Twips::fromPixels(OuterBox->height()),
                                                       FlatScrollBar1->value(), vertical));
    QWidget *previous = (control == Combo1[g]) ? static_cast<QWidget *>(Combo1[g - 1]) : Text1[g - 1];
    const PageScroll::Range horizontal{FlatScrollBar2->minimum(), FlatScrollBar2->maximum(), FlatScrollBar2->isEnabled()};
    FlatScrollBar2->setValue(PageScroll::horizontalValue(
        Twips::fromPixels(control->x()), Twips::fromPixels(control->width()), Twips::fromPixels(width()),
        Twips::fromPixels(previous->x()), Twips::fromPixels(previous->width()),
        Twips::fromPixels(OuterBox->contentsRect().right()), horizontal));
    InnerBox->move(Twips::toPixels(-FlatScrollBar2->value()), Twips::toPixels(-FlatScrollBar1->value()));
}

void Main::PlaySound(const QString &relativeName)
{
    m_context.sound.play(m_context.workingFolder + relativeName);
}

void Main::startExercise(int tickMs)
{
    m_ended = false;
    if (m_context.state.TimeLimitOn) {
        Timer1->setInterval(tickMs);
        // An interval of 0 would fire at every turn of the event loop: such a time never runs out.
        if (tickMs > 0)
            Timer1->start();
        else
            Timer1->stop();
    }
}

void Main::Timer1_Timer()
{
    Variables &state = m_context.state;
    const TimeLimit::Tick tick = TimeLimit::tick(state);
    ccrpProgressBar1->setValue(std::clamp(tick.progress, 0, 100));
    if (!tick.timeUp)
        return;
    Timer1->stop();
    state.ExerciseRunning = false;
    for (int i = 0; i < kControls; ++i) {
        Combo1[i]->setEnabled(false);
        Text1[i]->setEnabled(false);
    }
    FinishExercise(false);
}

void Main::FinishExercise(bool stopTimer)
{
    Q_UNUSED(stopTimer); // every end stops the timer, so an exercise ends only once
    Timer1->stop();
    if (m_ended)
        return;
    m_ended = true;
    Variables &state = m_context.state;
    state.Points = Answering::pointsFromScore(Label9->text());
    if (!m_results)
        m_results = new Results(*this);
    m_results->Label18->setText(Answering::gradeText(state));
    endOpenSideScreens();
    results_module::ShowResults(*this, *m_results);
}

void Main::endOpenSideScreens()
{
    m_context.dialogs.closeOpenDialog();
    if (m_help && m_help->isVisible())
        m_help->dismiss();
    if (m_grammarHelp)
        static_cast<help4grammar *>(m_grammarHelp)->dismiss();
}

void Main::Command1_Click()
{
    if (!m_results)
        m_results = new Results(*this);
    m_results->Command1->hide();
    FinishExercise(true);
}

void Main::Command5_Click()
{
    const QColor chosen = m_context.dialogs.chooseColour(this, m_dialogColour);
    m_dialogColour = chosen;
    const int32_t colour = chosen.red() + 256 * chosen.green() + 65536 * chosen.blue();
    backColour = chosen;
    // Painted by the screen itself: a palette set here would pass the colour on to
    // every control that has none of its own.
    update();
    for (int i = 0; i < kControls; ++i) {
        setBack(Text1[i], chosen);
        setBack(Combo1[i], chosen);
        setBack(Label4[i], chosen);
    }
    const std::array<QLabel *, 6> counters{Label6, Label8, Label9, Label12, Label14, Label16};
    for (QLabel *l : counters)
        setBack(l, chosen);
    const Colours::Channels text = Colours::split(Colours::contrastTextColour(colour));
    textColour = QColor(text.red, text.green, text.blue);
    for (int i = 0; i < kControls; ++i) {
        setFore(Text1[i], textColour);
        setFore(Combo1[i], textColour);
        setFore(Label4[i], textColour);
    }
    for (QLabel *l : counters)
        setFore(l, textColour);
}

void Main::Command6_Click()
{
    const bool endedBefore = m_ended;
    const bool yes = m_context.dialogs.askYesNo(this, QStringLiteral(" ?האם ברצונך להתחיל תרגיל חדש"));
    if (m_ended != endedBefore || !isVisible())
        return; // the time ran out while the question was open
    if (yes)
        FinishExercise(true);
}

void Main::Command2_Click()
{
    hide();
    auto *grammar = new help4grammar(m_context.state, this, m_chooser->selectedPatternEntry(), m_context.workingFolder);
    m_grammarHelp = grammar;
    connect(grammar, &QObject::destroyed, this, [this, grammar] {
        if (m_grammarHelp == grammar)
            m_grammarHelp = nullptr;
    });
    grammar->show();
}

void Main::help1_Click()
{
    showGeneralHelp(true);
}

void Main::showGeneralHelp(bool fromExercise)
{
    m_context.state.HelpFromExercise = fromExercise ? 1 : 0;
    if (fromExercise)
        hide();
    else
        m_chooser->hide();
    if (!m_help)
        m_help = new helpForm(m_context.state, this, m_chooser, m_context.workingFolder);
    m_help->show();
}

void Main::leaveProgram()
{
    if (m_leaving)
        return;
    m_leaving = true;
    m_context.sound.close();
    QApplication::quit();
}

bool Main::eventFilter(QObject *watched, QEvent *event)
{
    if (m_passingFocus)
        return false;
    for (int g = 1; g < kControls; ++g) {
        if (watched == Text1[g]) {
            if (event->type() == QEvent::FocusIn && !movedToByPupil(static_cast<QFocusEvent *>(event))) {
                break; // the window came back or a menu closed: what the pupil typed stays
            } else if (event->type() == QEvent::FocusIn) {
                // The box's own focus handling selects its text; the mask and the
                // caret at the start must come after it.
                m_passingFocus = true;
                QCoreApplication::sendEvent(watched, event);
                m_passingFocus = false;
                // The toolkit gives the focus before it hands the box the click itself.
                m_enteredByClick = static_cast<QFocusEvent *>(event)->reason() == Qt::MouseFocusReason ? g : 0;
                Text1_GotFocus(g);
                return true;
            } else if (event->type() == QEvent::FocusOut) {
                m_enteredByClick = 0;
            } else if (event->type() == QEvent::MouseButtonPress && m_enteredByClick == g) {
                // The click that enters a gap only gives it the focus: the box would
                // otherwise move the caret from the start of the mask to the click.
                m_enteredByClick = 0;
                return true;
            } else if (event->type() == QEvent::KeyPress) {
                const int key = keyCode(static_cast<QKeyEvent *>(event));
                if (key)
                    Text1_KeyPress(g, key);
                if (key == 13)
                    return true; // judged; the box has nothing to do with Enter
            }
            break;
        }
        if (watched == Combo1[g]) {
            if (event->type() == QEvent::FocusIn && movedToByPupil(static_cast<QFocusEvent *>(event)))
                Combo1_GotFocus(g);
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Main::closeEvent(QCloseEvent *event)
{
    event->accept();
    leaveProgram();
}

#include "screens/exercise/main_screen.h"

#include "lessons/cloze_builder.h"
#include "platform/random.h"
#include "platform/sound_player.h"
#include "screens/chooser/choose_exercise.h"
#include "screens/chooser/settings.h"
#include "screens/counter_label.h"
#include "screens/exercise/exercise_page.h"
#include "screens/help/help4grammar.h"
#include "screens/help/help_form.h"
#include "screens/results/results_screen.h"
#include "screens/look.h"
#include "screens/screen_fit.h"
#include "state/variables.h"

#include <QAction>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QShowEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

namespace {

const QColor kPink(255, 128, 255);
constexpr int kDesignWidth = 15360; // twips: 1024 by 768 pixels at the design scale
constexpr int kDesignHeight = 11520;

} // namespace

Main::Main(ScreenContext context) : m_context(std::move(context))
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral(" "));
    setAccessibleName(QStringLiteral("תרגיל")); // the screen has no title for a screen reader to say
    m_backColour = palette().color(QPalette::Window);

    // The screen's controls stand on a canvas of the designed size; on a monitor too
    // small for it at the smallest readable zoom, the canvas scrolls.
    m_area = new QScrollArea(this);
    m_area->setObjectName(QStringLiteral("MainArea"));
    m_area->setFrameShape(QFrame::NoFrame);
    m_area->setFocusPolicy(Qt::NoFocus); // Tab goes from the last command back to the first gap
    m_canvas = new QWidget;
    m_canvas->setObjectName(QStringLiteral("MainCanvas"));
    m_canvas->installEventFilter(this);
    m_area->setWidget(m_canvas);

    m_menu = new QMenuBar(m_canvas);
    m_menu->setObjectName(QStringLiteral("menu"));
    m_menu->setLayoutDirection(Qt::RightToLeft);
    QAction *help1 = m_menu->addAction(QStringLiteral("עזרה"));
    help1->setObjectName(QStringLiteral("help1"));
    QAction *exit1 = m_menu->addAction(QStringLiteral("יציאה"));
    exit1->setObjectName(QStringLiteral("exit1"));
    // Keys no typed answer holds, for pupils who cannot reach the menu with the mouse.
    help1->setShortcut(QKeySequence(Qt::Key_F1));
    exit1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(help1, &QAction::triggered, this, [this] { showGeneralHelp(true); });
    connect(exit1, &QAction::triggered, this, &Main::Command1_Click);
    m_layout.place(m_menu, 0, 0, 4000, 360);
    m_layout.font(m_menu, 9);

    m_page = new ExercisePage(m_canvas, m_layout.scale(), m_context.measure);
    connect(m_page, &ExercisePage::typedGapFocused, this, &Main::Text1_GotFocus);
    connect(m_page, &ExercisePage::typedGapKey, this, &Main::Text1_KeyPress);
    connect(m_page, &ExercisePage::choiceGapFocused, this, &Main::Combo1_GotFocus);
    connect(m_page, &ExercisePage::choiceMade, this, &Main::Combo1_Click);

    buildPanel();
    buildCounters();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, &Main::Timer1_Timer);

    // Panel and counters stand over the viewport where the design lets them meet.
    m_page->verticalBar()->raise();
    m_page->horizontalBar()->raise();
    Frame1->raise();
    sizeToCanvas(QSize());
}

Main::~Main()
{
    // The other screens are windows of their own, without a parent.
    delete m_grammarHelp;
    delete m_help;
    delete m_results;
    delete m_chooser;
}

void Main::buildPanel()
{
    Frame1 = new QFrame(m_canvas);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    // Designed 15360 wide from 21 twips in: it ends at the screen's right edge instead.
    m_layout.place(Frame1, 21, 9960, kDesignWidth - 21, 1440);
    Look::setBack(Frame1, QColor(128, 255, 255));
    auto button = [this](const char *name, const QString &text, int left, int width) {
        auto *b = new QPushButton(text, Frame1);
        b->setObjectName(QString::fromLatin1(name));
        m_layout.place(b, left, 120, width, 375);
        m_layout.font(b, 12);
        Look::setBack(b, Look::kGrey);
        return b;
    };
    Command6 = button("Command6", QStringLiteral("תרגיל חדש"), 1560, 1935);
    Command1 = button("Command1", QStringLiteral("יציאה מהתוכנית"), 3840, 2535);
    Command5 = button("Command5", QStringLiteral("שנה צבע רקע"), 6600, 1935);
    connect(Command1, &QPushButton::clicked, this, &Main::Command1_Click);
    connect(Command5, &QPushButton::clicked, this, &Main::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Main::Command6_Click);

    auto panel = [this](auto *l, const QString &name, int left, int top, int width, bool value) {
        l->setObjectName(name);
        m_layout.place(l, left, top, width, 375);
        Look::setBack(l, value ? Qt::white : Look::kGrey);
        m_layout.font(l, 12);
        l->setAlignment(Qt::AlignCenter);
        return l;
    };
    auto label = [this, panel](const QString &name, const QString &text, int left, int top, int width, bool value) {
        return panel(new QLabel(text, Frame1), name, left, top, width, value);
    };
    // The values, read out with the captions they stand beside.
    auto value = [this, panel](const QString &name, const QString &caption, int left, int top, int width) {
        return panel(new CounterLabel(caption, QStringLiteral("**"), Frame1), name, left, top, width, true);
    };
    Label18 = label(QStringLiteral("Label18"), QStringLiteral("Lesson:  "), 120, 120, 1050, false);
    Label19 = value(QStringLiteral("Label19"), QStringLiteral("שיעור"), 1200, 240, 330);
    Label22 = label(QStringLiteral("Label22"), QStringLiteral("Pattern:  "), 120, 720, 1050, false);
    Label21 = value(QStringLiteral("Label21"), QStringLiteral("תבנית"), 1200, 720, 7200);
    Label21->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Label21->setLayoutDirection(Qt::LeftToRight);
    Label2 = label(QStringLiteral("Label2"), QStringLiteral("עם סימנים"), 10680, 120, 1275, false);
    Label1 = label(QStringLiteral("Label1"), QStringLiteral("עם מחסנית"), 10680, 600, 1275, false);
    Label5 = label(QStringLiteral("Label5"), QStringLiteral(": זמן"), 13320, 120, 700, false);
    Label17 = label(QStringLiteral("Label17"), QStringLiteral("דקות"), 12405, 120, 500, false);
    Label10 = label(QStringLiteral("Label10"), QStringLiteral(":זיכוי"), 14520, 120, 800, false);
    Label11 = label(QStringLiteral("Label11"), QStringLiteral(":חיוב"), 14520, 600, 800, false);
    // Up to the credit value beside it: in the fonts at hand the caption is longer than designed.
    Label7 = label(QStringLiteral("Label7"), QStringLiteral(":נסיונות במשחק"), 12360, 600, 14130 - 12360 - 30, false);
    m_layout.fit(Label7);
    m_layout.fit(Label1, QStringLiteral("ללא מחסנית"));
    m_layout.fit(Label2, QStringLiteral("ללא סימנים"));
    const int valueLefts[4][2] = {{12900, 120}, {11970, 600}, {14130, 120}, {14130, 600}};
    const QString captions[4] = {QStringLiteral("זמן בדקות"), QStringLiteral("נסיונות במשחק"), QStringLiteral("זיכוי"),
                                 QStringLiteral("חיוב")};
    for (int i = 0; i < 4; ++i)
        Label20[i] = value(QStringLiteral("Label20_%1").arg(i), captions[i], valueLefts[i][0], valueLefts[i][1], 375);
}

void Main::buildCounters()
{
    Command2 = new QPushButton(QStringLiteral("עזרה לתרגיל זה"), m_canvas);
    Command2->setObjectName(QStringLiteral("Command2"));
    m_layout.place(Command2, 13582, 5760, 1695, 855);
    m_layout.font(Command2, 12);
    Look::setBack(Command2, Qt::red);
    connect(Command2, &QPushButton::clicked, this, &Main::Command2_Click);
    ccrpProgressBar1 = new QProgressBar(m_canvas);
    ccrpProgressBar1->setObjectName(QStringLiteral("ccrpProgressBar1"));
    m_layout.place(ccrpProgressBar1, 12495, 0, 2865, 615);
    ccrpProgressBar1->setRange(0, 100);
    ccrpProgressBar1->setValue(0);
    ccrpProgressBar1->setTextVisible(false);
    ccrpProgressBar1->setAccessibleName(QStringLiteral("יתרת זמן"));
    ccrpProgressBar1->setAccessibleDescription(QStringLiteral("כמה מהזמן כבר עבר, באחוזים"));
    auto counter = [this](auto *l, const char *name, QRect r, const QColor &back) {
        l->setObjectName(QString::fromLatin1(name));
        m_layout.place(l, r);
        m_layout.font(l, 12);
        l->setAlignment(Qt::AlignCenter);
        if (back.isValid())
            Look::setBack(l, back);
        return l;
    };
    auto caption = [this](const QString &text) { return new QLabel(text, m_canvas); };
    // Each counter is read out with the caption above it.
    auto number = [this](QLabel *caption, const QString &text) { return new CounterLabel(caption->text(), text, m_canvas); };
    Label23 = counter(caption(QStringLiteral("יתרת זמן")), "Label23", {14040, 600, 975, 375}, {});
    Label16 = counter(caption(QStringLiteral("נסיונות נוספים")), "Label16", {14040, 2280, 1260, 270}, {});
    Label14 = counter(number(Label16, QString()), "Label14", {14640, 2760, 690, 480}, Qt::red);
    Label6 = counter(caption(QStringLiteral("נסיונות שנעשו")), "Label6", {14040, 3240, 1335, 375}, {});
    Label8 = counter(number(Label6, QString()), "Label8", {14640, 3720, 690, 480}, kPink);
    Label12 = counter(caption(QStringLiteral("מספר נקודות מצטבר")), "Label12", {13560, 4320, 1935, 375}, {});
    Label9 = counter(number(Label12, QStringLiteral("0")), "Label9", {14640, 4800, 690, 480}, kPink);
    // The captions are wider than their design boxes in the fonts at hand: give them
    // the width of the counters column and a smaller size where even that is short.
    for (QLabel *caption : {Label23, Label16, Label6, Label12}) {
        const QRectF designed = m_layout.placed(caption);
        m_layout.place(caption, 13620, designed.y(), 15360 - 13620 - 60, std::max(375.0, designed.height()));
        m_layout.fit(caption);
    }
}

void Main::Form_Load()
{
    Variables &state = m_context.state;
    m_page->setLoadedFonts();
    Form_Resize();
    // The sound player needs no set-up: it opens its device at the first sound.
    readView();
    m_chooser = new ChooseExercise(m_context, *this);
    connect(m_chooser, &ChooseExercise::patternChosen, this, &Main::showPattern);
    connect(m_chooser, &ChooseExercise::magazineCaptionChanged, Label1, &QLabel::setText);
    connect(m_chooser, &ChooseExercise::signsCaptionChanged, Label2, &QLabel::setText);
    connect(m_chooser, &ChooseExercise::timeLimitTurnedOff, this, [this] { ccrpProgressBar1->setValue(0); });
    connect(m_chooser, &ChooseExercise::helpChosen, this, [this] { showGeneralHelp(false); });
    connect(m_chooser, &ChooseExercise::leaveChosen, this, &Main::leaveProgram);
    if (!m_trial)
        m_chooser->show();
    hide();
    readView();
    applyView();
    Random::seedFromClock();
    m_chooser->fillSettingPickers();
    state.TicksLeft = 0;
    m_chooser->fillPatternList();
}

QWidget *Main::chooser() const
{
    return m_chooser;
}

void Main::Form_Resize()
{
    m_page->updateScrollBars();
}

void Main::readView()
{
    // The measure of the screen's inner area: the size at which the designed screen
    // fits the monitor it opens on, in points; 768 by 576 for a designed 1024 by 768.
    const double zoom = Units::fitZoom(QSize(kDesignWidth, kDesignHeight) / Units::kDesignTwipsPerPixel,
                                       ScreenFit::available(this));
    const Units::ViewSize view = Units::viewSize(QSize(kDesignWidth, kDesignHeight) * zoom / Units::kDesignTwipsPerPixel);
    m_context.state.ViewWidth = view.width;
    m_context.state.ViewHeight = view.height;
}

void Main::applyView()
{
    // Scaled by ViewWidth / 768 and ViewHeight / 576, as designed; the two ratios are
    // one zoom, which every control and font takes.
    const double zoom = double(m_context.state.ViewWidth) / Units::kDesignViewWidth;
    const Units::Scale scale = Units::Scale::zoomed(zoom);
    m_layout.rescale(scale);
    m_page->rescale(scale);
    sizeToCanvas(ScreenFit::available(this));
    m_page->spreadCells(m_context.state.ViewWidth);
    ScreenFit::keepOnScreen(this);
}

void Main::sizeToCanvas(QSize available)
{
    const QSize canvas(m_layout.scale().toPixels(kDesignWidth), m_layout.scale().toPixels(kDesignHeight));
    m_canvas->resize(canvas);
    resize(available.isEmpty() ? canvas : canvas.boundedTo(available));
}

void Main::showEvent(QShowEvent *event)
{
    // A screen moved to another monitor, or a monitor of another size, takes a
    // fitting layout at its next opening.
    if (m_chooser) {
        readView();
        applyView();
    }
    QWidget::showEvent(event);
}

void Main::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_area->setGeometry(rect());
    if (m_page)
        Form_Resize();
}

bool Main::eventFilter(QObject *watched, QEvent *event)
{
    // The colour command paints the screen itself: a palette set here would pass the
    // colour on to every control that has none of its own.
    if (watched == m_canvas && event->type() == QEvent::Paint) {
        QPainter(m_canvas).fillRect(static_cast<QPaintEvent *>(event)->rect(), m_backColour);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Main::showPattern(const QString &entry)
{
    Label21->setValue(entry);
    m_page->textRun(0)->setText(QString());
}

Placement::Input Main::pagePlacementInput() const
{
    Placement::Input input = m_page->placementInput();
    input.magazine = m_context.state.MagazineOn;
    input.signs = m_context.state.SignsOn;
    return input;
}

void Main::showLesson(const QString &lessonNumber, const Cloze::Lesson &lesson, const Placement::Input &input,
                      const Placement::Result &placed)
{
    Label19->setValue(lessonNumber);
    Label9->setValue(QStringLiteral("0"));
    Timer1->stop();
    m_page->reset(m_backColour);
    Cloze::applyLesson(lesson, m_context.state);
    m_page->show(lesson, input, placed);
}

void Main::startExercise(const Settings::Accepted &settings)
{
    Variables &state = m_context.state;
    state.Credit = settings.credit;
    m_attemptsSetting = settings.texts[Settings::Attempts];
    m_debit = settings.debit;
    setLabel14(m_attemptsSetting);
    m_ended = false;
    if (state.TimeLimitOn) {
        state.TicksLeft = 60;
        Timer1->setInterval(settings.tickMs);
        // An interval of 0 would fire at every turn of the event loop: such a time never runs out.
        if (settings.tickMs > 0)
            Timer1->start();
        else
            Timer1->stop();
    }
    state.ExerciseRunning = true;
    m_page->setGapsEnabled(true);
    showSettings(settings, state.TimeLimitOn);
    state.TriesLeft.fill(settings.attempts);
    m_chooser->hide();
    show();
    m_page->focusFirstGap();
}

void Main::showSettings(const Settings::Accepted &settings, bool timeLimitOn)
{
    for (int i = 0; i < 4; ++i)
        Label20[i]->setValue(settings.texts[i]);
    QLabel *time = Label20[0];
    m_layout.place(time, 12900, 120, 375, 375);
    m_layout.font(time, 12);
    if (timeLimitOn)
        return;
    Label20[0]->setValue(QStringLiteral("ללא הגבלת זמן"));
    Look::setBack(time, Label14->palette().color(QPalette::Window));
    // The box holds a number of minutes; the words grow it to the left, over the unit
    // of minutes, as far as the option captions.
    const double right = 12900 + 375;
    const double leftmost = m_layout.placed(Label2).right() + 30;
    const double wanted = m_layout.scale().fromPixels(QFontMetrics(time->font()).horizontalAdvance(time->text()) + 8);
    const double w = std::min(wanted, right - leftmost);
    m_layout.place(time, right - w, 120, w, 375);
    m_layout.fit(time);
    time->raise();
}

void Main::PlaySound(const QString &relativeName)
{
    m_context.sound.play(m_context.workingFolder + relativeName);
}

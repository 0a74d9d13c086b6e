#include "screens/exercise/main_screen.h"

#include "lessons/cloze_builder.h"
#include "platform/random.h"
#include "platform/sound_player.h"
#include "screens/chooser/choose_exercise.h"
#include "screens/chooser/settings.h"
#include "screens/exercise/exercise_page.h"
#include "screens/help/help4grammar.h"
#include "screens/help/help_form.h"
#include "screens/results/results_screen.h"
#include "screens/look.h"
#include "state/variables.h"

#include <QAction>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

namespace {

using Look::arial;

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

} // namespace

Main::Main(ScreenContext context) : m_context(std::move(context))
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral(" "));
    resize(m_scale.toPixels(15360), m_scale.toPixels(11520));
    m_backColour = palette().color(QPalette::Window);

    m_menu = new QMenuBar(this);
    m_menu->setObjectName(QStringLiteral("menu"));
    m_menu->setLayoutDirection(Qt::RightToLeft);
    QAction *help1 = m_menu->addAction(QStringLiteral("עזרה"));
    help1->setObjectName(QStringLiteral("help1"));
    QAction *exit1 = m_menu->addAction(QStringLiteral("יציאה"));
    exit1->setObjectName(QStringLiteral("exit1"));
    connect(help1, &QAction::triggered, this, [this] { showGeneralHelp(true); });
    connect(exit1, &QAction::triggered, this, &Main::Command1_Click);
    m_menu->setGeometry(0, 0, m_scale.toPixels(4000), m_scale.toPixels(360));

    m_page = new ExercisePage(this, m_scale, m_context.measure);
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
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(m_scale.rect(21, 9960, 15360, 1440));
    Look::setBack(Frame1, QColor(128, 255, 255));
    auto button = [this](const char *name, const QString &text, int left, int width) {
        auto *b = new QPushButton(text, Frame1);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(m_scale.rect(left, 120, width, 375));
        b->setFont(arial(12));
        Look::setBack(b, Look::kGrey);
        return b;
    };
    Command6 = button("Command6", QStringLiteral("תרגיל חדש"), 1560, 1935);
    Command1 = button("Command1", QStringLiteral("יציאה מהתוכנית"), 3840, 2535);
    Command5 = button("Command5", QStringLiteral("שנה צבע רקע"), 6600, 1935);
    connect(Command1, &QPushButton::clicked, this, &Main::Command1_Click);
    connect(Command5, &QPushButton::clicked, this, &Main::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Main::Command6_Click);

    auto label = [this](const QString &name, const QString &text, int left, int top, int width, bool value) {
        auto *l = new QLabel(text, Frame1);
        l->setObjectName(name);
        l->setGeometry(m_scale.rect(left, top, width, 375));
        Look::setBack(l, value ? Qt::white : Look::kGrey);
        l->setFont(arial(12));
        l->setAlignment(Qt::AlignCenter);
        return l;
    };
    Label18 = label(QStringLiteral("Label18"), QStringLiteral("Lesson:  "), 120, 120, 1050, false);
    Label19 = label(QStringLiteral("Label19"), QStringLiteral("**"), 1200, 240, 330, true);
    Label22 = label(QStringLiteral("Label22"), QStringLiteral("Pattern:  "), 120, 720, 1050, false);
    Label21 = label(QStringLiteral("Label21"), QStringLiteral("**"), 1200, 720, 7200, true);
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
    fitFont(Label7);
    fitFont(Label1, QStringLiteral("ללא מחסנית"));
    fitFont(Label2, QStringLiteral("ללא סימנים"));
    const int valueLefts[4][2] = {{12900, 120}, {11970, 600}, {14130, 120}, {14130, 600}};
    for (int i = 0; i < 4; ++i)
        Label20[i] = label(QStringLiteral("Label20_%1").arg(i), QStringLiteral("**"), valueLefts[i][0], valueLefts[i][1],
                           375, true);
}

void Main::buildCounters()
{
    Command2 = new QPushButton(QStringLiteral("עזרה לתרגיל זה"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(m_scale.rect(13582, 5760, 1695, 855));
    Command2->setFont(arial(12));
    Look::setBack(Command2, Qt::red);
    connect(Command2, &QPushButton::clicked, this, &Main::Command2_Click);
    ccrpProgressBar1 = new QProgressBar(this);
    ccrpProgressBar1->setObjectName(QStringLiteral("ccrpProgressBar1"));
    ccrpProgressBar1->setGeometry(m_scale.rect(12495, 0, 2865, 615));
    ccrpProgressBar1->setRange(0, 100);
    ccrpProgressBar1->setValue(0);
    ccrpProgressBar1->setTextVisible(false);
    auto counter = [this](const char *name, const QString &text, QRect r, const QColor &back) {
        auto *l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(m_scale.rect(r.x(), r.y(), r.width(), r.height()));
        l->setFont(arial(12));
        l->setAlignment(Qt::AlignCenter);
        if (back.isValid())
            Look::setBack(l, back);
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
        caption->setGeometry(m_scale.rect(13620, m_scale.fromPixels(caption->y()), 15360 - 13620 - 60,
                                          std::max(375, m_scale.fromPixels(caption->height()))));
        fitFont(caption);
    }
}

void Main::Form_Load()
{
    Variables &state = m_context.state;
    m_page->setLoadedFonts();
    Form_Resize();
    // The sound player needs no set-up: it opens its device at the first sound.
    const auto readView = [this, &state] {
        const Units::ViewSize view = Units::viewSize(size(), m_scale);
        state.ViewWidth = view.width;
        state.ViewHeight = view.height;
    };
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
    resize(int(width() * float(state.ViewWidth) / float(Units::kDesignViewWidth)),
           int(height() * float(state.ViewHeight) / float(Units::kDesignViewHeight)));
    Random::seedFromClock();
    m_chooser->fillSettingPickers();
    m_page->spreadCells(state.ViewWidth);
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

void Main::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_page)
        Form_Resize();
}

void Main::paintEvent(QPaintEvent *event)
{
    // The colour command paints the screen itself: a palette set here would pass the
    // colour on to every control that has none of its own.
    QPainter(this).fillRect(event->rect(), m_backColour);
}

void Main::showPattern(const QString &entry)
{
    Label21->setText(entry);
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
    Label19->setText(lessonNumber);
    Label9->setText(QStringLiteral("0"));
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
}

void Main::showSettings(const Settings::Accepted &settings, bool timeLimitOn)
{
    for (int i = 0; i < 4; ++i)
        Label20[i]->setText(settings.texts[i]);
    QLabel *time = Label20[0];
    time->setGeometry(m_scale.rect(12900, 120, 375, 375));
    time->setFont(arial(12));
    if (timeLimitOn)
        return;
    time->setText(QStringLiteral("ללא הגבלת זמן"));
    Look::setBack(time, Label14->palette().color(QPalette::Window));
    // The box holds a number of minutes; the words grow it to the left, over the unit
    // of minutes, as far as the option captions.
    const int right = time->geometry().right() + 1;
    const int leftmost = Label2->geometry().right() + 1 + m_scale.toPixels(30);
    const int wanted = QFontMetrics(time->font()).horizontalAdvance(time->text()) + 8;
    const int w = std::min(wanted, right - leftmost);
    time->setGeometry(right - w, time->y(), w, time->height());
    fitFont(time);
    time->raise();
}

void Main::PlaySound(const QString &relativeName)
{
    m_context.sound.play(m_context.workingFolder + relativeName);
}

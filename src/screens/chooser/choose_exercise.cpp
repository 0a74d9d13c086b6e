#include "screens/chooser/choose_exercise.h"

#include "lessons/cloze_builder.h"
#include "lessons/lesson_store.h"
#include "lessons/patterns.h"
#include "screens/dialogs.h"
#include "screens/exercise/lesson_preparation.h"
#include "screens/exercise/main_screen.h"
#include "screens/exercise/time_limit.h"
#include "screens/look.h"
#include "screens/twips.h"
#include "state/numbers.h"
#include "state/variables.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QColor kStartReady(255, 0, 255);
const QColor kRefused(255, 170, 170);

// The working lesson file is kept for teachers to look at; the lesson itself is built
// from the text in memory, so a folder that cannot be written changes nothing.
void writeWorkingFile(const QString &workingFolder, const QString &text)
{
    QDir(workingFolder).mkpath(QStringLiteral("data"));
    QFile file(workingFolder + QStringLiteral("/data/lesson.txt"));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write((text + QStringLiteral("\r\n")).toUtf8());
}

} // namespace

ChooseExercise::ChooseExercise(Main &exerciseScreen) : m_main(exerciseScreen)
{
    setObjectName(QStringLiteral("ChooseExercise"));
    setWindowTitle(QStringLiteral("תרגול דקדוק אנגלית"));
    setLayoutDirection(Qt::RightToLeft);
    setFont(Look::arial(12));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xE8, 0xF4, 0xFF));
    setPalette(pal);
    setAutoFillBackground(true);

    auto named = [](auto *w, const char *name) {
        w->setObjectName(QString::fromLatin1(name));
        return w;
    };
    menu = named(new QMenuBar(this), "menu");
    QAction *help = menu->addAction(QStringLiteral("עזרה"));
    help->setObjectName(QStringLiteral("Help1"));
    QAction *exit = menu->addAction(QStringLiteral("יציאה"));
    exit->setObjectName(QStringLiteral("Exit"));
    connect(help, &QAction::triggered, this, [this] { Help1_Click(); });
    connect(exit, &QAction::triggered, this, [this] { Exit_Click(); });

    Title = named(new QLabel(QStringLiteral("Cloze Trainer  ·  תרגול דקדוק באנגלית"), this), "Image1");
    Title->setAlignment(Qt::AlignCenter);
    Title->setFont(Look::arial(20, true));
    Title->setStyleSheet(QStringLiteral("color: #1f4e9a; padding: 6px;"));
    Label4 = named(new QLabel(QStringLiteral("נא לבחור שיעור וללחוץ התחל"), this), "Label4");
    Label4->setAlignment(Qt::AlignCenter);
    Command1 = named(new QPushButton(QStringLiteral("עם מגבלת זמן"), this), "Command1");
    Command2 = named(new QPushButton(QStringLiteral("עם מחסנית"), this), "Command2");
    Command3 = named(new QPushButton(QStringLiteral("עם סימנים"), this), "Command3");
    for (QPushButton *toggle : {Command1, Command2, Command3})
        Look::setBack(toggle, Look::kGrey);
    Label1 = named(new QLabel(QStringLiteral("Pattern:"), this), "Label1");
    List2 = named(new QListWidget(this), "List2");
    Label2 = named(new QLabel(QStringLiteral("Lesson:"), this), "Label2");
    List1 = named(new QListWidget(this), "List1");
    for (QListWidget *list : {List1, List2}) {
        list->setLayoutDirection(Qt::LeftToRight);
        list->setFont(Look::arial(11));
    }
    for (QLabel *l : {Label1, Label2}) {
        l->setLayoutDirection(Qt::LeftToRight);
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    Label5 = named(new QLabel(QStringLiteral(": זמן"), this), "Label5");
    Label17 = named(new QLabel(QStringLiteral("דקות  "), this), "Label17");
    Label7 = named(new QLabel(QStringLiteral("נסיונות במשחק"), this), "Label7");
    Label10 = named(new QLabel(QStringLiteral("זיכוי"), this), "Label10");
    Label11 = named(new QLabel(QStringLiteral("חיוב"), this), "Label11");
    const char *initial[4] = {"1", "5", "1", "1"};
    for (int i = 0; i < 4; ++i) {
        Combo2[i] = new QComboBox(this);
        Combo2[i]->setObjectName(QStringLiteral("Combo2_%1").arg(i));
        Combo2[i]->setEditable(true);
        Combo2[i]->setInsertPolicy(QComboBox::NoInsert);
        Combo2[i]->setEditText(QString::fromLatin1(initial[i]));
        Combo2[i]->setLayoutDirection(Qt::LeftToRight);
        Combo2[i]->setMinimumWidth(80);
        connect(Combo2[i], &QComboBox::currentTextChanged, this, [this, i] {
            Combo2[i]->setPalette(QPalette()); // a refused setting is unmarked once edited
            Combo2[i]->setAutoFillBackground(false);
            SettingsHint->clear();
        });
    }
    SettingsHint = named(new QLabel(this), "SettingsHint");
    SettingsHint->setStyleSheet(QStringLiteral("color: #b00000;"));
    Command4 = named(new QPushButton(QStringLiteral("התחל"), this), "Command4");
    Command4->setFont(Look::arial(16, true));
    Command4->setMinimumHeight(48);
    Command4->setEnabled(false); // nothing to start until a lesson is built

    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(menu);
    layout->addWidget(Title);
    layout->addWidget(Label4);
    auto *toggles = new QHBoxLayout;
    toggles->addWidget(Command3);
    toggles->addWidget(Command2);
    layout->addLayout(toggles);
    auto *lists = new QVBoxLayout;
    lists->addWidget(Label1);
    lists->addWidget(List2, 3);
    lists->addWidget(Label2);
    lists->addWidget(List1, 2);
    layout->addLayout(lists, 1);
    auto *settings = new QGridLayout;
    settings->addWidget(Label11, 0, 0, Qt::AlignCenter);
    settings->addWidget(Label10, 0, 1, Qt::AlignCenter);
    settings->addWidget(Label7, 0, 2, Qt::AlignCenter);
    settings->addWidget(Combo2[3], 1, 0);
    settings->addWidget(Combo2[2], 1, 1);
    settings->addWidget(Combo2[1], 1, 2);
    layout->addLayout(settings);
    auto *time = new QHBoxLayout;
    time->addWidget(Command1);
    time->addWidget(Label5);
    time->addWidget(Combo2[0]);
    time->addWidget(Label17);
    time->addStretch();
    layout->addLayout(time);
    layout->addWidget(SettingsHint);
    layout->addWidget(Command4);
    resize(640, 720);

    Variables &state = m_main.context().state;
    state.TimeLimitOn = true;
    state.MagazineOn = true;
    state.SignsOn = true;

    connect(List2, &QListWidget::itemClicked, this, [this] { List2_Click(); });
    connect(List1, &QListWidget::itemClicked, this, [this] { List1_Click(); });
    List2->installEventFilter(this);
    List1->installEventFilter(this);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
}

void ChooseExercise::fillPatternList()
{
    List2->addItems(Patterns::patternListEntries());
}

QString ChooseExercise::selectedPatternEntry() const
{
    const QListWidgetItem *item = List2->currentItem();
    return item ? item->text() : QString();
}

void ChooseExercise::List2_Click()
{
    const QString entry = selectedPatternEntry();
    m_main.Label21->setText(entry);
    m_main.Label4[0]->setText(QString());
    List1->setEnabled(true);
    const int pattern = Patterns::patternNumberFromEntry(entry.left(3));
    const auto listing = m_main.context().openStore()->lessons(pattern);
    if (!listing.ok()) {
        m_main.context().dialogs.inform(this, Lessons::kStoreFailureMessage);
        return;
    }
    m_patternText = entry.left(3);
    List1->clear();
    for (const Lessons::LessonInfo &info : *listing.value)
        List1->addItem(Patterns::lessonEntry(info.lesson, info.heading));
}

void ChooseExercise::List1_Click()
{
    const QListWidgetItem *item = List1->currentItem();
    if (!item)
        return;
    const QString entry = item->text();
    const QString previousLesson = m_main.Label19->text();
    const QString previousScore = m_main.Label9->text();
    m_main.Label19->setText(entry.left(2));
    m_main.Label9->setText(QStringLiteral("0"));
    const auto text = m_main.context().openStore()->lessonText(Patterns::patternNumberFromEntry(m_patternText),
                                                                Patterns::lessonNumberFromEntry(entry));
    if (!text.ok()) {
        m_main.Label19->setText(previousLesson);
        m_main.Label9->setText(previousScore);
        m_main.context().dialogs.inform(this, Lessons::kStoreFailureMessage);
        return;
    }
    writeWorkingFile(m_main.context().workingFolder, *text.value);

    // Everything is checked before the previous exercise is touched.
    const Placement::Preparation preparation = Placement::prepareLesson(*text.value, m_main.placementInput());
    if (preparation.refusal) {
        m_main.Label19->setText(previousLesson);
        m_main.Label9->setText(previousScore);
        m_main.context().dialogs.inform(this, preparation.refusal->hebrew());
        return;
    }

    const Placement::Prepared &prepared = *preparation.prepared;
    m_main.resetPage();
    Command4->setEnabled(true);
    Look::setBack(Command4, kStartReady);
    Cloze::applyLesson(prepared.lesson, m_main.context().state);
    m_main.Label4[0]->setText(prepared.lesson.heading);
    m_main.applyPlacement(prepared.lesson, prepared.input, prepared.placed);
}

void ChooseExercise::Command1_Click()
{
    Variables &state = m_main.context().state;
    state.TimeLimitOn = !state.TimeLimitOn;
    Command1->setText(state.TimeLimitOn ? QStringLiteral("עם מגבלת זמן") : QStringLiteral("ללא מגבלת זמן"));
    Combo2[0]->setVisible(state.TimeLimitOn);
    Label5->setVisible(state.TimeLimitOn);
    Label17->setVisible(state.TimeLimitOn);
    if (!state.TimeLimitOn)
        m_main.ccrpProgressBar1->setValue(0);
}

void ChooseExercise::Command2_Click()
{
    Variables &state = m_main.context().state;
    state.MagazineOn = !state.MagazineOn;
    const QString caption = state.MagazineOn ? QStringLiteral("עם מחסנית") : QStringLiteral("ללא מחסנית");
    Command2->setText(caption);
    m_main.Label1->setText(caption);
}

void ChooseExercise::Command3_Click()
{
    Variables &state = m_main.context().state;
    state.SignsOn = !state.SignsOn;
    const QString caption = state.SignsOn ? QStringLiteral("עם סימנים") : QStringLiteral("ללא סימנים");
    Command3->setText(caption);
    m_main.Label2->setText(caption);
}

void ChooseExercise::markSetting(int index, const QString &hint)
{
    Look::setBack(Combo2[index], kRefused);
    if (SettingsHint->text().isEmpty())
        SettingsHint->setText(hint);
}

bool ChooseExercise::settingsAccepted()
{
    SettingsHint->clear();
    bool ok = true;
    auto wholeFromOne = [this](int index) {
        const auto value = Numbers::readWholeInt16(Combo2[index]->currentText());
        return value && *value >= 1;
    };
    if (!wholeFromOne(1)) {
        markSetting(1, QStringLiteral("מספר הנסיונות צריך להיות מספר שלם מ-1 עד 32767."));
        ok = false;
    }
    if (!wholeFromOne(2)) {
        markSetting(2, QStringLiteral("הזיכוי צריך להיות מספר שלם מ-1 עד 32767."));
        ok = false;
    }
    const auto debit = Numbers::readDecimal(Combo2[3]->currentText());
    if (!debit || *debit < 0) {
        markSetting(3, QStringLiteral("החיוב צריך להיות מספר, 0 או יותר."));
        ok = false;
    }
    if (m_main.context().state.TimeLimitOn && !TimeLimit::tickIntervalMs(Combo2[0]->currentText())) {
        markSetting(0, QStringLiteral("הזמן צריך להיות מספר דקות, 0 או יותר."));
        ok = false;
    }
    if (ok && m_main.context().state.GapCount == 0) {
        SettingsHint->setText(QStringLiteral("בשיעור זה אין מילים להשלים. נא לבחור שיעור אחר."));
        ok = false;
    }
    return ok;
}

void ChooseExercise::Command4_Click()
{
    if (!settingsAccepted())
        return;
    Variables &state = m_main.context().state;
    Look::setBack(Command4, Qt::white);
    state.Credit = *Numbers::readWholeInt16(Combo2[2]->currentText());
    m_main.setLabel14(Combo2[1]->currentText());
    if (state.TimeLimitOn)
        state.TicksLeft = 60;
    m_main.startExercise(state.TimeLimitOn ? *TimeLimit::tickIntervalMs(Combo2[0]->currentText()) : 0);
    state.ExerciseRunning = true;
    for (int i = 0; i < Main::kControls; ++i) {
        m_main.Combo1[i]->setEnabled(true);
        m_main.Text1[i]->setEnabled(true);
    }
    Command4->setEnabled(false);
    m_main.showSettings({Combo2[0]->currentText(), Combo2[1]->currentText(), Combo2[2]->currentText(),
                         Combo2[3]->currentText()},
                        state.TimeLimitOn);
    state.TriesLeft.fill(*Numbers::readWholeInt16(Combo2[1]->currentText()));
    hide();
    m_main.show();
}

void ChooseExercise::Help1_Click()
{
    m_main.showGeneralHelp(false);
}

void ChooseExercise::Exit_Click()
{
    m_main.leaveProgram();
}

bool ChooseExercise::eventFilter(QObject *watched, QEvent *event)
{
    // Enter on the highlighted entry chooses it, for pupils who work with the keyboard.
    if (event->type() == QEvent::KeyPress && (watched == List2 || watched == List1)) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        auto *list = static_cast<QListWidget *>(watched);
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && list->currentItem()) {
            if (list == List2)
                List2_Click();
            else
                List1_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ChooseExercise::closeEvent(QCloseEvent *event)
{
    event->accept();
    m_main.leaveProgram();
}

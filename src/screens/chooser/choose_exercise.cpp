#include "screens/chooser/choose_exercise.h"

#include "lessons/lesson_store.h"
#include "lessons/patterns.h"
#include "screens/accessible_combo_box.h"
#include "screens/dialogs.h"
#include "screens/exercise/main_screen.h"
#include "screens/chooser/settings.h"
#include "screens/exercise/lesson_preparation.h"
#include "screens/look.h"
#include "screens/screen_fit.h"
#include "state/variables.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
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

ChooseExercise::ChooseExercise(const ScreenContext &context, Main &exerciseScreen)
    : m_context(context)
    , m_main(exerciseScreen)
{
    setObjectName(QStringLiteral("ChooseExercise"));
    setWindowTitle(QStringLiteral("תרגול דקדוק אנגלית"));
    setLayoutDirection(Qt::RightToLeft);
    m_layout.font(this, 12);
    Look::setBack(this, QColor(0xE8, 0xF4, 0xFF));
    AccessibleComboBox::install();

    auto named = [](auto *w, const char *name) {
        w->setObjectName(QString::fromLatin1(name));
        return w;
    };
    menu = named(new QMenuBar(this), "menu");
    QAction *help = menu->addAction(QStringLiteral("עזרה"));
    help->setObjectName(QStringLiteral("Help1"));
    QAction *exit = menu->addAction(QStringLiteral("יציאה"));
    exit->setObjectName(QStringLiteral("Exit"));
    // Keys no setting holds, for pupils who cannot reach the menu with the mouse.
    help->setShortcut(QKeySequence(Qt::Key_F1));
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(help, &QAction::triggered, this, &ChooseExercise::helpChosen);
    connect(exit, &QAction::triggered, this, &ChooseExercise::leaveChosen);

    Title = named(new QLabel(QStringLiteral("Cloze Trainer  ·  תרגול דקדוק באנגלית"), this), "Image1");
    Title->setAlignment(Qt::AlignCenter);
    m_layout.font(Title, 20, true);
    Title->setContentsMargins(6, 6, 6, 6);
    Look::setFore(Title, QColor(0x1f, 0x4e, 0x9a));
    Label4 = named(new QLabel(QStringLiteral("נא לבחור שיעור וללחוץ התחל"), this), "Label4");
    Label4->setAlignment(Qt::AlignCenter);
    Command1 = named(new QPushButton(QStringLiteral("עם מגבלת זמן"), this), "Command1");
    Command2 = named(new QPushButton(QStringLiteral("עם מחסנית"), this), "Command2");
    Command3 = named(new QPushButton(QStringLiteral("עם סימנים"), this), "Command3");
    for (QPushButton *toggle : {Command1, Command2, Command3})
        Look::setBack(toggle, Look::kGrey);
    // The caption says whether the option is on; the description what it does.
    Command1->setAccessibleDescription(QStringLiteral("לחיצה מפעילה או מבטלת את מגבלת הזמן"));
    Command2->setAccessibleDescription(
        QStringLiteral("עם מחסנית בוחרים כל השלמה מתוך רשימת מילים. לחיצה מפעילה או מבטלת"));
    Command3->setAccessibleDescription(
        QStringLiteral("עם סימנים כל השלמה מראה סימן # לכל אות. לחיצה מפעילה או מבטלת"));
    Label1 = named(new QLabel(QStringLiteral("Pattern:"), this), "Label1");
    List2 = named(new QListWidget(this), "List2");
    Label2 = named(new QLabel(QStringLiteral("Lesson:"), this), "Label2");
    List1 = named(new QListWidget(this), "List1");
    for (QListWidget *list : {List1, List2}) {
        list->setLayoutDirection(Qt::LeftToRight);
        m_layout.font(list, 11);
        list->setAccessibleDescription(QStringLiteral("בוחרים בחצים ולוחצים Enter"));
    }
    List2->setAccessibleName(QStringLiteral("תבנית דקדוק"));
    List1->setAccessibleName(QStringLiteral("שיעור"));
    for (QLabel *l : {Label1, Label2}) {
        l->setLayoutDirection(Qt::LeftToRight);
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    Label5 = named(new QLabel(QStringLiteral(": זמן"), this), "Label5");
    Label17 = named(new QLabel(QStringLiteral("דקות  "), this), "Label17");
    Label7 = named(new QLabel(QStringLiteral("נסיונות במשחק"), this), "Label7");
    Label10 = named(new QLabel(QStringLiteral("זיכוי"), this), "Label10");
    Label11 = named(new QLabel(QStringLiteral("חיוב"), this), "Label11");
    // Named by their captions; on the screen the caption stands beside or above the field.
    const QString names[4] = {QStringLiteral("זמן בדקות"), Label7->text(), Label10->text(), Label11->text()};
    const QString descriptions[4] = {QStringLiteral("כמה דקות יש לכל התרגיל"), QStringLiteral("כמה נסיונות יש לכל השלמה"),
                                     QStringLiteral("כמה נקודות מקבלים על תשובה נכונה"),
                                     QStringLiteral("כמה נקודות יורדות על תשובה לא נכונה")};
    for (int i = 0; i < 4; ++i) {
        Combo2[i] = new QComboBox(this);
        Combo2[i]->setAccessibleName(names[i]);
        Combo2[i]->setAccessibleDescription(descriptions[i]);
        Combo2[i]->setObjectName(QStringLiteral("Combo2_%1").arg(i));
        Combo2[i]->setEditable(true);
        Combo2[i]->setInsertPolicy(QComboBox::NoInsert);
        Combo2[i]->setEditText(Settings::kInitialTexts[i]);
        Combo2[i]->setLayoutDirection(Qt::LeftToRight);
        Combo2[i]->lineEdit()->setAccessibleName(names[i]);
        connect(Combo2[i], &QComboBox::currentTextChanged, this, [this, i, description = descriptions[i]] {
            Look::unsetBack(Combo2[i]); // a refused setting is unmarked once edited
            Combo2[i]->setAccessibleDescription(description);
            showHint(QString());
        });
    }
    SettingsHint = named(new QLabel(this), "SettingsHint");
    Look::setFore(SettingsHint, Look::kRefusalRed);
    // Hidden while empty, so that a screen reader meets no empty text; its place stays.
    QSizePolicy keepPlace = SettingsHint->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    SettingsHint->setSizePolicy(keepPlace);
    SettingsHint->hide();
    Command4 = named(new QPushButton(QStringLiteral("התחל"), this), "Command4");
    m_layout.font(Command4, 16, true);
    Command4->setAccessibleDescription(QStringLiteral("מתחיל את התרגיל בשיעור שנבחר"));
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
    fitToScreen();

    Variables &state = m_context.state;
    state.TimeLimitOn = true;
    state.MagazineOn = true;
    state.SignsOn = true;

    connect(List2, &QListWidget::itemClicked, this, &ChooseExercise::List2_Click);
    connect(List1, &QListWidget::itemClicked, this, &ChooseExercise::List1_Click);
    List2->installEventFilter(this);
    List1->installEventFilter(this);
    connect(Command1, &QPushButton::clicked, this, &ChooseExercise::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &ChooseExercise::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &ChooseExercise::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &ChooseExercise::Command4_Click);
}

void ChooseExercise::fillPatternList()
{
    List2->addItems(Patterns::patternListEntries());
}

void ChooseExercise::fillSettingPickers()
{
    for (QComboBox *picker : Combo2) {
        // The first entry added would become the field's text; the typed text stays.
        const QString typed = picker->currentText();
        for (int n = 1; n <= 20; ++n)
            picker->addItem(QString::number(n));
        picker->setEditText(typed);
    }
}

QString ChooseExercise::selectedPatternEntry() const
{
    const QListWidgetItem *item = List2->currentItem();
    return item ? item->text() : QString();
}

void ChooseExercise::focusLessonList()
{
    List1->setFocus(Qt::OtherFocusReason);
}

void ChooseExercise::List2_Click()
{
    const QString entry = selectedPatternEntry();
    emit patternChosen(entry);
    List1->setEnabled(true);
    const int pattern = Patterns::patternNumberFromEntry(entry.left(3));
    const auto listing = m_context.openStore()->lessons(pattern);
    if (!listing.ok()) {
        m_context.dialogs.inform(this, Lessons::kStoreFailureMessage);
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
    const auto text = m_context.openStore()->lessonText(Patterns::patternNumberFromEntry(m_patternText),
                                                       Patterns::lessonNumberFromEntry(entry));
    if (!text.ok()) {
        m_context.dialogs.inform(this, Lessons::kStoreFailureMessage);
        return;
    }
    writeWorkingFile(m_context.workingFolder, *text.value);

    // Everything is checked before the previous exercise is touched.
    const Placement::Preparation preparation = Placement::prepareLesson(*text.value, m_main.pagePlacementInput());
    if (preparation.refusal) {
        m_context.dialogs.inform(this, preparation.refusal->hebrew());
        return;
    }
    Command4->setEnabled(true);
    Look::setBack(Command4, kStartReady);
    const Placement::Prepared &prepared = *preparation.prepared;
    m_main.showLesson(entry.left(2), prepared.lesson, prepared.input, prepared.placed);
}

void ChooseExercise::Command1_Click()
{
    Variables &state = m_context.state;
    state.TimeLimitOn = !state.TimeLimitOn;
    Command1->setText(state.TimeLimitOn ? QStringLiteral("עם מגבלת זמן") : QStringLiteral("ללא מגבלת זמן"));
    Combo2[0]->setVisible(state.TimeLimitOn);
    Label5->setVisible(state.TimeLimitOn);
    Label17->setVisible(state.TimeLimitOn);
    if (!state.TimeLimitOn)
        emit timeLimitTurnedOff();
}

void ChooseExercise::Command2_Click()
{
    Variables &state = m_context.state;
    state.MagazineOn = !state.MagazineOn;
    const QString caption = state.MagazineOn ? QStringLiteral("עם מחסנית") : QStringLiteral("ללא מחסנית");
    Command2->setText(caption);
    emit magazineCaptionChanged(caption);
}

void ChooseExercise::Command3_Click()
{
    Variables &state = m_context.state;
    state.SignsOn = !state.SignsOn;
    const QString caption = state.SignsOn ? QStringLiteral("עם סימנים") : QStringLiteral("ללא סימנים");
    Command3->setText(caption);
    emit signsCaptionChanged(caption);
}

void ChooseExercise::Command4_Click()
{
    const Variables &state = m_context.state;
    const Settings::Check checked = Settings::check(
        {Combo2[0]->currentText(), Combo2[1]->currentText(), Combo2[2]->currentText(), Combo2[3]->currentText()},
        state.TimeLimitOn, state.GapCount);
    showHint(QString());
    for (const Settings::Refusal &refusal : checked.refusals) {
        if (refusal.index >= 0) {
            Look::setBack(Combo2[refusal.index], kRefused);
            Combo2[refusal.index]->setAccessibleDescription(refusal.hint);
        }
    }
    if (!checked.accepted) {
        const Settings::Refusal &first = checked.refusals.first();
        showHint(first.hint);
        // The pupil is taken to the field to mend, where a screen reader reads the hint.
        if (first.index >= 0)
            Combo2[first.index]->setFocus(Qt::OtherFocusReason);
        return;
    }
    Look::setBack(Command4, Qt::white);
    Command4->setEnabled(false);
    m_main.startExercise(*checked.accepted);
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

void ChooseExercise::showHint(const QString &hint)
{
    SettingsHint->setText(hint);
    SettingsHint->setVisible(!hint.isEmpty());
}

void ChooseExercise::fitToScreen()
{
    const QSize design(640, 720); // pixels at the design scale
    const double zoom = Units::fitZoom(design, ScreenFit::available(this));
    m_layout.rescale(Units::Scale::zoomed(zoom));
    for (QComboBox *setting : Combo2)
        setting->setMinimumWidth(int(80 * zoom));
    Command4->setMinimumHeight(int(48 * zoom));
    // Where even the smallest zoom is too tall, the lists give up their height.
    resize((design * zoom).boundedTo(ScreenFit::available(this)));
    ScreenFit::keepOnScreen(this);
}

void ChooseExercise::showEvent(QShowEvent *event)
{
    fitToScreen();
    QWidget::showEvent(event);
}

void ChooseExercise::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit leaveChosen();
}

#include "screens/help/help_form.h"

#include "screens/help/help_file.h"
#include "screens/help/help_list.h"
#include "screens/look.h"
#include "state/variables.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QSize kDesignTwips(9600, 7200);
const QSize kCloseButtonTwips(1500, 495);

} // namespace

helpForm::helpForm(Variables &state, QWidget *exerciseScreen, QWidget *chooser, const QString &workingFolder,
                   Units::Scale scale)
    : m_state(state)
    , m_scale(scale)
    , m_exerciseScreen(exerciseScreen)
    , m_chooser(chooser)
    , m_workingFolder(workingFolder)
{
    setObjectName(QStringLiteral("helpForm"));
    setWindowTitle(QStringLiteral("עזרה"));
    setLayoutDirection(Qt::RightToLeft);

    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName(QStringLiteral("menuBar"));
    closeEntry = m_menuBar->addAction(QStringLiteral("סגור"));
    closeEntry->setObjectName(QStringLiteral("close"));
    closeEntry->setShortcut(QKeySequence(Qt::Key_Escape));

    helpText = new QListWidget(this);
    helpText->setObjectName(QStringLiteral("helpText"));
    helpText->setAccessibleName(QStringLiteral("עזרה"));
    helpText->setAccessibleDescription(QStringLiteral("שורה אחרי שורה בחצים. Escape סוגר את העזרה"));
    prepareHelpList(helpText);
    helpText->setFocus(); // the lines are read from the first one

    Command5 = new QPushButton(QStringLiteral("סגור"), this);
    Command5->setObjectName(QStringLiteral("Command5"));
    Look::setRoles(Command5, {QPalette::Button}, QColor(255, 255, 0));
    Command5->setAutoDefault(false);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(Command5);
    buttonRow->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(m_menuBar);
    layout->addWidget(helpText, 1);
    layout->addLayout(buttonRow);

    connect(Command5, &QPushButton::clicked, this, &helpForm::Command5_Click);
    connect(closeEntry, &QAction::triggered, this, &helpForm::Command5_Click);

    Form_Load();
}

void helpForm::Form_Load()
{
    const QSize inner = m_exerciseScreen ? m_exerciseScreen->size() : QSize();
    const Units::ViewSize view = Units::viewSize(inner);
    m_state.ViewWidth = view.width;
    m_state.ViewHeight = view.height;
    resize(Units::scaledPixels(kDesignTwips, view, m_scale));
    Command5->setMinimumSize(Units::scaledPixels(kCloseButtonTwips, view, m_scale));
    helpText->setFont(Look::arial(Units::scaledPointSize(12, view)));

    // A file that exists but cannot be read is treated like a missing one: the
    // help opens with an empty list and closes normally.
    fillHelpList(helpText, HelpFile::readLines(HelpFile::generalHelpPath(m_workingFolder)));
}

void helpForm::Command5_Click()
{
    hide();
    QWidget *target = m_state.HelpFromExercise != 0 ? m_exerciseScreen.data() : m_chooser.data();
    if (target)
        target->show();
}

void helpForm::dismiss()
{
    hide();
}

void helpForm::closeEvent(QCloseEvent *event)
{
    // Closing from the title bar must lead back to a screen, like the close button.
    event->ignore();
    Command5_Click();
}

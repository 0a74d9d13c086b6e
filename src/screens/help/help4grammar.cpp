#include "screens/help/help4grammar.h"

#include "lessons/patterns.h"
#include "screens/help/help_file.h"
#include "screens/help/help_list.h"
#include "screens/look.h"
#include "state/variables.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

const QSize kDesignTwips(9600, 7200);
const QSize kCloseButtonTwips(1500, 450);

} // namespace

help4grammar::help4grammar(Variables &state, QWidget *exerciseScreen, const QString &selectedPatternEntry,
                           const QString &workingFolder, Units::Scale scale)
    : m_state(state)
    , m_scale(scale)
    , m_exerciseScreen(exerciseScreen)
    , m_workingFolder(workingFolder)
{
    setObjectName(QStringLiteral("help4grammar"));
    setWindowTitle(QStringLiteral("עזרה לתרגיל זה"));
    setLayoutDirection(Qt::RightToLeft);

    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setAccessibleName(QStringLiteral("עזרה לתרגיל זה"));
    List1->setAccessibleDescription(QStringLiteral("שורה אחרי שורה בחצים. Escape סוגר את העזרה"));
    prepareHelpList(List1);
    List1->setFocus(); // the lines are read from the first one

    Command1 = new QPushButton(QStringLiteral("סגור"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAutoDefault(false);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(Command1);
    buttonRow->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(List1, 1);
    layout->addLayout(buttonRow);

    connect(Command1, &QPushButton::clicked, this, &help4grammar::Command1_Click);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &help4grammar::Command1_Click);

    Form_Load(selectedPatternEntry);
}

void help4grammar::Form_Load(const QString &selectedPatternEntry)
{
    List1->clear();
    const QSize inner = m_exerciseScreen ? m_exerciseScreen->size() : QSize();
    const Units::ViewSize view = Units::viewSize(inner);
    m_state.ViewWidth = view.width;
    m_state.ViewHeight = view.height;
    resize(Units::scaledPixels(kDesignTwips, view, m_scale));
    Command1->setMinimumSize(Units::scaledPixels(kCloseButtonTwips, view, m_scale));

    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(Units::scaledPointSize(kDesignPointSize, view));
    List1->setFont(font);

    // No pattern selected gives no path; a missing or unreadable file an empty list.
    const QString path = HelpFile::topicFilePath(m_workingFolder, Patterns::patternNumberFromEntry(selectedPatternEntry));
    if (!path.isEmpty())
        fillHelpList(List1, HelpFile::readLines(path));
}

void help4grammar::Command1_Click()
{
    dismiss();
    if (m_exerciseScreen)
        m_exerciseScreen->show();
}

void help4grammar::dismiss()
{
    hide();
    deleteLater();
}

void help4grammar::closeEvent(QCloseEvent *event)
{
    event->ignore();
    Command1_Click();
}

#include "screens/results/results_screen.h"

#include "screens/chooser/choose_exercise.h"
#include "screens/exercise/main_screen.h"
#include "screens/look.h"
#include "screens/twips.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

Results::Results(Main &exerciseScreen) : m_main(exerciseScreen)
{
    setObjectName(QStringLiteral("Results"));
    setWindowTitle(QStringLiteral(" "));
    setLayoutDirection(Qt::RightToLeft);
    resize(Twips::toPixels(15360), Twips::toPixels(11520));
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0, 0, 255));
    setPalette(p);
    setAutoFillBackground(true);

    auto makeLabel = [this](const char *name, const QString &text, double points) {
        auto *l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        l->setFont(Look::arial(points));
        l->setAlignment(Qt::AlignCenter);
        Look::setBack(l, Look::kGrey);
        return l;
    };
    // The grade stands to the left of its caption, as Hebrew reads.
    Label1 = makeLabel("Label1", QStringLiteral("ציונך הוא "), 21.75);
    Label1->setGeometry(Twips::rect(6300, 1440, 1815, 540));
    Label18 = makeLabel("Label18", QString(), 24);
    Label18->setGeometry(Twips::rect(4440, 1440, 1800, 540));
    Label19 = makeLabel("Label19", QString(), 24);
    Label19->setGeometry(Twips::rect(600, 2640, 11100, 700));
    Label19->setWordWrap(true);
    Command1 = new QPushButton(QStringLiteral("אישור וחזרה לתוכנית"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(Twips::rect(3480, 3600, 5175, 2535));
    Command2 = new QPushButton(QStringLiteral("יציאה מהתוכנית"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(Twips::rect(3480, 7200, 5175, 2535));
    for (QPushButton *b : {Command1, Command2}) {
        b->setFont(Look::arial(24));
        Look::setBack(b, Look::kGrey);
    }
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void Results::Command1_Click()
{
    m_main.FlatScrollBar1->setValue(0);
    m_main.FlatScrollBar2->setValue(0);
    m_main.InnerBox->move(0, 0);
    hide();
    m_main.chooser()->show();
}

void Results::Command2_Click()
{
    m_main.leaveProgram();
}

void Results::closeEvent(QCloseEvent *event)
{
    // Closed through the window system: the way on that the screen offers.
    if (Command1->isVisible()) {
        event->ignore();
        Command1_Click();
    } else {
        event->accept();
        Command2_Click();
    }
}

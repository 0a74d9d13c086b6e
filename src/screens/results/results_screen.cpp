#include "screens/results/results_screen.h"

#include "screens/look.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

Results::Results(Units::Scale scale)
{
    setObjectName(QStringLiteral("Results"));
    setWindowTitle(QStringLiteral(" "));
    setLayoutDirection(Qt::RightToLeft);
    resize(scale.toPixels(15360), scale.toPixels(11520));
    Look::setBack(this, QColor(0, 0, 255));

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
    Label1->setGeometry(scale.rect(6300, 1440, 1815, 540));
    Label18 = makeLabel("Label18", QString(), 24);
    Label18->setGeometry(scale.rect(4440, 1440, 1800, 540));
    Label19 = makeLabel("Label19", QString(), 24);
    Label19->setGeometry(scale.rect(600, 2640, 11100, 700));
    Label19->setWordWrap(true);
    Command1 = new QPushButton(QStringLiteral("אישור וחזרה לתוכנית"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(scale.rect(3480, 3600, 5175, 2535));
    Command2 = new QPushButton(QStringLiteral("יציאה מהתוכנית"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(scale.rect(3480, 7200, 5175, 2535));
    for (QPushButton *b : {Command1, Command2}) {
        b->setFont(Look::arial(24));
        Look::setBack(b, Look::kGrey);
    }
    connect(Command1, &QPushButton::clicked, this, &Results::backChosen);
    connect(Command2, &QPushButton::clicked, this, &Results::leaveChosen);
}

void Results::setGrade(const QString &grade)
{
    Label18->setText(grade);
}

QString Results::grade() const
{
    return Label18->text();
}

void Results::setMessage(const QString &message)
{
    Label19->setText(message);
}

void Results::hideBack()
{
    Command1->hide();
}

void Results::closeEvent(QCloseEvent *event)
{
    // Closed through the window system: the way on that the screen offers.
    event->ignore();
    if (!Command1->isHidden())
        emit backChosen();
    else
        emit leaveChosen();
}

#include "screens/results/results_screen.h"

#include "screens/counter_label.h"
#include "screens/look.h"
#include "screens/screen_fit.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

namespace {
// Twips; 1024 by 768 pixels at the design scale. Unlike the exercise screen, the
// results screen keeps its size whatever ViewWidth says, but fits its monitor.
const QSize kDesign(15360, 11520);
} // namespace

Results::Results()
{
    setObjectName(QStringLiteral("Results"));
    setWindowTitle(QStringLiteral(" "));
    setLayoutDirection(Qt::RightToLeft);
    Look::setBack(this, QColor(0, 0, 255));

    auto makeLabel = [this](const char *name, const QString &text, double points, const QRect &twips,
                            const QString &caption = {}) {
        QLabel *l = caption.isEmpty() ? new QLabel(text, this) : new CounterLabel(caption, text, this);
        l->setObjectName(QString::fromLatin1(name));
        m_layout.font(l, points);
        m_layout.place(l, twips);
        l->setAlignment(Qt::AlignCenter);
        Look::setBack(l, Look::kGrey);
        return l;
    };
    // The grade stands to the left of its caption, as Hebrew reads.
    Label1 = makeLabel("Label1", QStringLiteral("ציונך הוא "), 21.75, {6300, 1440, 1815, 540});
    Label18 = static_cast<CounterLabel *>(
        makeLabel("Label18", QString(), 24, {4440, 1440, 1800, 540}, Label1->text().trimmed()));
    Label19 = makeLabel("Label19", QString(), 24, {600, 2640, 11100, 700});
    Label19->setWordWrap(true);
    Command1 = new QPushButton(QStringLiteral("אישור וחזרה לתוכנית"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    m_layout.place(Command1, 3480, 3600, 5175, 2535);
    Command2 = new QPushButton(QStringLiteral("יציאה מהתוכנית"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    m_layout.place(Command2, 3480, 7200, 5175, 2535);
    for (QPushButton *b : {Command1, Command2}) {
        m_layout.font(b, 24);
        Look::setBack(b, Look::kGrey);
    }
    resize(m_layout.scale().toPixels(kDesign.width()), m_layout.scale().toPixels(kDesign.height()));
    connect(Command1, &QPushButton::clicked, this, &Results::backChosen);
    connect(Command2, &QPushButton::clicked, this, &Results::leaveChosen);
}

void Results::setGrade(const QString &grade)
{
    Label18->setValue(grade);
    sayResult();
}

QString Results::grade() const
{
    return Label18->text();
}

void Results::setMessage(const QString &message)
{
    Label19->setText(message);
    sayResult();
}

void Results::sayResult()
{
    // The window's name is what a screen reader says first when the window opens.
    setAccessibleName((Label1->text() + Label18->text() + QStringLiteral(". ") + Label19->text()).trimmed());
}

void Results::hideBack()
{
    Command1->hide();
}

void Results::showEvent(QShowEvent *event)
{
    // Its smallest font is 21.75 points: it may shrink further than the exercise screen.
    constexpr double kMinimum = 0.5;
    const double zoom = std::max(kMinimum, Units::fitZoom(kDesign / Units::kDesignTwipsPerPixel, ScreenFit::available(this)));
    m_layout.rescale(Units::Scale::zoomed(zoom));
    resize(m_layout.scale().toPixels(kDesign.width()), m_layout.scale().toPixels(kDesign.height()));
    ScreenFit::keepOnScreen(this);
    QWidget::showEvent(event);
    // The first way on has the focus, so that Space takes it at once.
    (Command1->isHidden() ? Command2 : Command1)->setFocus(Qt::OtherFocusReason);
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

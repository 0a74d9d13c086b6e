#include "screen_rig.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

// Every visible control of a screen lies inside the screen, and the screen inside
// the monitor's available area.
void checkFits(QWidget *screen)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(area.contains(screen->geometry()), qPrintable(screen->objectName()));
    QWidget *page = screen->findChild<QWidget *>(QStringLiteral("InnerBox"));
    for (QWidget *control : screen->findChildren<QWidget *>()) {
        // The page itself scrolls inside its viewport.
        if (!control->isVisible() || control->window() != screen || control->objectName().isEmpty()
            || (page && (control == page || page->isAncestorOf(control))))
            continue;
        const QRect inScreen(control->mapTo(screen, QPoint(0, 0)), control->size());
        QVERIFY2(screen->rect().contains(inScreen), qPrintable(control->objectName()));
    }
}

} // namespace

/// Run once for each of the monitors in tests/screens/monitors.
class ScreenFitTest : public QObject
{
    Q_OBJECT

private slots:
    void screensFitTheMonitorAndFillIt();
};

void ScreenFitTest::screensFitTheMonitorAndFillIt()
{
    ScreenRig rig;
    checkFits(rig.ch().screen);
    QVERIFY(rig.startLesson(kTwoGaps, false, true));
    QWidget *exercise = &rig.main();
    checkFits(exercise);
    // The largest that keeps the proportions: one side meets the monitor's area
    // (less the frame a window manager would add).
    const QSize area = QGuiApplication::primaryScreen()->availableGeometry().size();
    const double zoom = exercise->width() / 1024.0;
    QVERIFY(qAbs(exercise->width() - (area.width() - 8)) <= 2 || qAbs(exercise->height() - (area.height() - 38)) <= 2);
    QVERIFY(qAbs(exercise->height() - 768 * zoom) <= 2);
    // Fonts scale with the layout.
    QVERIFY(qAbs(rig.ex().Label9->font().pointSizeF() - 12 * zoom) < 0.05);
    QVERIFY(qAbs(rig.ex().Text1[1]->font().pointSizeF() - 14 * zoom) < 0.05);

    QTest::mouseClick(rig.ex().Command1, Qt::LeftButton); // leave: the results
    checkFits(rig.res().screen);
    QVERIFY(qAbs(rig.res().Label18->font().pointSizeF() - 24 * rig.res().screen->width() / 1024.0) < 0.05);
}

QTEST_MAIN(ScreenFitTest)
#include "screen_fit_test.moc"

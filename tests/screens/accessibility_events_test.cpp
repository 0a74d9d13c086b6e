// What assistive technology is told without asking: the accessibility events of the
// changes a pupil hears about. The toolkit hands events on only while its
// accessibility bridge is active, so this runs on a display with the accessibility
// bus (accessibility_bus.sh).
#include "screen_rig.h"

#include <QAccessible>
#include <QPointer>

namespace {

// name: the object's name when the event came
// value: of a value change
struct Heard { QAccessible::Event type{}; QPointer<QObject> object; QString name; QVariant value; };

QList<Heard> heard;

void record(QAccessibleEvent *event)
{
    QAccessibleInterface *face = event->accessibleInterface();
    Heard h{event->type(), event->object(), face ? face->text(QAccessible::Name) : QString(), {}};
    if (event->type() == QAccessible::ValueChanged)
        h.value = static_cast<QAccessibleValueChangeEvent *>(event)->value();
    heard.append(h);
}

// The events of that type from that object, or from any when it is null.
QList<Heard> heardFrom(QObject *object, QAccessible::Event type)
{
    QList<Heard> found;
    for (const Heard &h : heard) {
        if ((!object || h.object == object) && h.type == type)
            found << h;
    }
    return found;
}

// The last such event, or an empty one when there was none.
Heard lastHeard(QObject *object, QAccessible::Event type)
{
    const QList<Heard> found = heardFrom(object, type);
    return found.isEmpty() ? Heard{} : found.last();
}

} // namespace

class AccessibilityEventsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void answersAreAnnounced_data();
    void answersAreAnnounced();
};

void AccessibilityEventsTest::initTestCase()
{
    // The bridge turns on once it has found the accessibility bus.
    QTRY_VERIFY_WITH_TIMEOUT(QAccessible::isActive(), 10000);
    QAccessible::installUpdateHandler(record);
}

void AccessibilityEventsTest::cleanupTestCase()
{
    QAccessible::installUpdateHandler(nullptr);
}

void AccessibilityEventsTest::init()
{
    heard.clear();
}

void AccessibilityEventsTest::answersAreAnnounced_data()
{
    QTest::addColumn<bool>("magazine");
    QTest::newRow("typed gaps") << false;
    QTest::newRow("choice gaps") << true;
}

void AccessibilityEventsTest::answersAreAnnounced()
{
    QFETCH(bool, magazine);
    ScreenRig rig;
    rig.setSetting(2, QStringLiteral("2")); // credit
    QVERIFY(rig.startLesson(kThreeGaps, magazine, false, QStringLiteral("3")));
    // Answered where the focus is, as a pupil does: moving there is heard apart.
    auto answer = [&](int g, const QString &text) {
        if (magazine) {
            rig.ex().Combo1[g]->setCurrentIndex(rig.ex().Combo1[g]->findText(text));
        } else {
            QTest::keyClicks(rig.ex().Text1[g], text);
            QTest::keyClick(rig.ex().Text1[g], Qt::Key_Return);
        }
    };
    rig.focusGap(1);
    heard.clear();

    answer(1, QStringLiteral("word2"));
    QCOMPARE(lastHeard(rig.gap(1), QAccessible::NameChanged).name,
             QStringLiteral("השלמה 1 מתוך 3. לא נכון, נשארו עוד 2 נסיונות"));
    const std::pair<QLabel *, double> counters[] = {{rig.ex().Label9, -1}, {rig.ex().Label14, 2}, {rig.ex().Label8, 1}};
    for (const auto &[counter, value] : counters)
        QCOMPARE(lastHeard(counter, QAccessible::ValueChanged).value.toDouble(), value);

    heard.clear();
    answer(1, QStringLiteral("word1"));
    // The focus goes straight to the next gap, which says how the last one went.
    const QList<Heard> focused = heardFrom(nullptr, QAccessible::Focus);
    QCOMPARE(focused.size(), 1);
    QCOMPARE(focused.first().object.data(), rig.gap(2));
    QCOMPARE(focused.first().name, QStringLiteral("נכון! השלמה 2 מתוך 3"));
    QCOMPARE(lastHeard(rig.ex().Label9, QAccessible::ValueChanged).value.toDouble(), 1.0);
    QCOMPARE(lastHeard(rig.ex().Label14, QAccessible::ValueChanged).value.toDouble(), 3.0); // gap 2's
    QVERIFY(!heardFrom(rig.ex().Label15[1], QAccessible::ObjectShow).isEmpty());
}

QTEST_MAIN(AccessibilityEventsTest)
#include "accessibility_events_test.moc"

#include "screens/counter_label.h"

#include "state/numbers.h"

#include <QAccessibleWidget>

namespace {

// A value that is no number (a time setting of "no time limit", a pattern's entry)
// is only read out, never offered as a number.
QVariant numericValue(const QString &text)
{
    const std::optional<double> value = Numbers::readDecimal(text);
    return value ? QVariant(*value) : QVariant();
}

class AccessibleCounter : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit AccessibleCounter(CounterLabel *label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && counter()->accessibleName().isEmpty()) {
            const QString value = counter()->text().trimmed();
            return value.isEmpty() ? counter()->caption() : counter()->caption() + QStringLiteral(": ") + value;
        }
        if (t == QAccessible::Value)
            return counter()->text();
        return QAccessibleWidget::text(t);
    }

    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::ValueInterface && numericValue(counter()->text()).isValid())
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QVariant currentValue() const override { return numericValue(counter()->text()); }
    void setCurrentValue(const QVariant &) override {} // read only
    QVariant maximumValue() const override { return {}; }
    QVariant minimumValue() const override { return {}; }
    QVariant minimumStepSize() const override { return {}; }

private:
    CounterLabel *counter() const { return static_cast<CounterLabel *>(widget()); }
};

QAccessibleInterface *counterFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("CounterLabel"))
        return new AccessibleCounter(static_cast<CounterLabel *>(object));
    return nullptr;
}

} // namespace

CounterLabel::CounterLabel(const QString &caption, const QString &value, QWidget *parent)
    : QLabel(parent)
    , m_caption(caption)
{
    static const bool installed = [] {
        QAccessible::installFactory(counterFactory);
        return true;
    }();
    Q_UNUSED(installed);
    // Set here, not through QLabel's constructor: the text's change event would ask for
    // the interface while this is still a plain QLabel.
    setText(value);
}

void CounterLabel::setValue(const QString &value)
{
    if (value == text())
        return;
    setText(value); // announces the new name
    if (const QVariant number = numericValue(value); number.isValid()) {
        QAccessibleValueChangeEvent event(this, number);
        QAccessible::updateAccessibility(&event);
    }
}

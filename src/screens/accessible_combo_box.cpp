#include "screens/accessible_combo_box.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

namespace {

QAccessibleInterface *comboBoxFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("QComboBox"))
        if (auto *list = qobject_cast<QComboBox *>(object))
            return new AccessibleComboBox(list);
    return nullptr;
}

} // namespace

AccessibleComboBox::AccessibleComboBox(QComboBox *list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

void AccessibleComboBox::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(comboBoxFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

QComboBox *AccessibleComboBox::list() const
{
    return static_cast<QComboBox *>(widget());
}

// The entries first, then the text field of an editable list, as the toolkit's own
// interface orders them.
int AccessibleComboBox::childCount() const
{
    return list()->isEditable() ? 2 : 1;
}

QAccessibleInterface *AccessibleComboBox::child(int index) const
{
    if (index == 0)
        return QAccessible::queryAccessibleInterface(list()->view());
    if (index == 1 && list()->isEditable())
        return QAccessible::queryAccessibleInterface(list()->lineEdit());
    return nullptr;
}

int AccessibleComboBox::indexOfChild(const QAccessibleInterface *child) const
{
    if (child && child->object() == list()->view())
        return 0;
    if (child && list()->isEditable() && child->object() == list()->lineEdit())
        return 1;
    return -1;
}

QAccessibleInterface *AccessibleComboBox::focusChild() const
{
    // An editable list keeps the focus itself for its text field; the field is what is read.
    return list()->isEditable() ? child(1) : nullptr;
}

QString AccessibleComboBox::text(QAccessible::Text t) const
{
    const QString shown = list()->isEditable() ? list()->lineEdit()->text() : list()->currentText();
    switch (t) {
    case QAccessible::Name:
        return list()->accessibleName().isEmpty() ? shown : list()->accessibleName();
    case QAccessible::Value:
        return shown;
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State AccessibleComboBox::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.expandable = true;
    s.expanded = list()->view()->isVisible();
    s.editable = list()->isEditable();
    return s;
}

QStringList AccessibleComboBox::actionNames() const
{
    return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
}

void AccessibleComboBox::doAction(const QString &actionName)
{
    if (actionName != showMenuAction() && actionName != pressAction()) {
        QAccessibleWidget::doAction(actionName);
        return;
    }
    if (list()->view()->isVisible())
        list()->hidePopup();
    else
        list()->showPopup();
}

QStringList AccessibleComboBox::keyBindingsForAction(const QString &actionName) const
{
    if (actionName == showMenuAction() || actionName == pressAction())
        return {QStringLiteral("Alt+Down")};
    return QAccessibleWidget::keyBindingsForAction(actionName);
}

#pragma once

#include <QAccessibleWidget>

class QComboBox;

/// A drop-down list as assistive technology sees it, named by its accessible name
/// when it has one. The toolkit names a list on Linux by its current text alone, so
/// a setting field would be announced as a bare "5", and a choice gap by whatever
/// entry it shows, with nothing to say what the field is.
class AccessibleComboBox : public QAccessibleWidget
{
public:
    explicit AccessibleComboBox(QComboBox *list);

    /// Makes every drop-down list created from now on use this interface; once is enough.
    static void install();

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *focusChild() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

private:
    QComboBox *list() const;
};

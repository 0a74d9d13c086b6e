#pragma once

#include <QStringList>
#include <QStyledItemDelegate>

class QListWidget;

/// Shows each help line in its own reading direction, all of them against the
/// right edge: a Hebrew line reads right to left, an English example line keeps
/// its full stop at the end instead of having it thrown to the far side.
class HelpLineDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};

/// Sets up a help list: right to left, the delegate above, no editing.
void prepareHelpList(QListWidget *list);

/// Empties the list and adds one entry per line, in order.
void fillHelpList(QListWidget *list, const QStringList &lines);

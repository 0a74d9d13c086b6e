#include "screens/help/help_list.h"

#include <QAbstractItemView>
#include <QListWidget>

void HelpLineDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    // An empty line or one of digits only has no direction of its own: it follows the list.
    bool hasStrong = false;
    for (const QChar c : option->text) {
        const QChar::Direction d = c.direction();
        if (d == QChar::DirL || d == QChar::DirR || d == QChar::DirAL) {
            hasStrong = true;
            break;
        }
    }
    if (hasStrong)
        option->direction = option->text.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
    option->displayAlignment = Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter;
}

void prepareHelpList(QListWidget *list)
{
    list->setLayoutDirection(Qt::RightToLeft);
    list->setItemDelegate(new HelpLineDelegate(list));
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
}

void fillHelpList(QListWidget *list, const QStringList &lines)
{
    list->clear();
    list->addItems(lines);
}

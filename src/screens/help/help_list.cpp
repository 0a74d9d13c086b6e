#include "screens/help/help_list.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QListWidget>
#include <QPainter>

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

void HelpLineDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    // The style lays an item's text out in the list's direction whatever the option
    // says, so it draws only the background and the text is drawn here.
    QStyleOptionViewItem line(option);
    initStyleOption(&line, index);
    const QString text = line.text;
    line.text.clear();
    const QWidget *widget = line.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &line, painter, widget);

    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &line, widget).adjusted(2, 0, -2, 0);
    QTextOption layout(line.displayAlignment);
    layout.setTextDirection(line.direction);
    layout.setWrapMode(QTextOption::NoWrap);
    painter->save();
    painter->setFont(line.font);
    painter->setPen(line.palette.color(line.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(area, text, layout);
    painter->restore();
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

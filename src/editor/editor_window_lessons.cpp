// The editor window's list of lessons, and the changes to rows: new, duplicate, move, delete.
#include "editor/editor_window.h"

#include "editor/edit_command.h"
#include "editor/editor_dialogs.h"
#include "editor/lesson_text_edit.h"
#include "editor/lesson_listing.h"
#include "editor/messages.h"
#include "lessons/cloze_builder.h"
#include "lessons/patterns.h"

#include <QTimer>
#include <QTreeWidget>
#include <QUndoStack>

namespace {

constexpr int kRowRole = Qt::UserRole;
constexpr int kPatternRole = Qt::UserRole + 1;
constexpr int kHiddenRole = Qt::UserRole + 2;

const QString kNewLessonText = QStringLiteral("Fill in the gaps.\r\n1. ");

} // namespace

void EditorWindow::markChanged(QTreeWidgetItem *item, bool changed)
{
    QFont font = item->font(0);
    font.setBold(changed);
    item->setFont(0, font);
}

void EditorWindow::updateEntry(int id)
{
    const Editor::Row *row = m_document ? m_document->find(id) : nullptr;
    const auto item = m_items.find(id);
    if (!row || item == m_items.end())
        return;
    // Typing changes whether a row has a text, and so whether a pupil sees it, and
    // nothing else of its place in the list.
    const auto hidden = Editor::Hidden(item->second->data(0, kHiddenRole).toInt());
    const bool hadText = hidden != Editor::Hidden::EmptyText;
    if (hadText != row->lesson.hasText() && (hidden == Editor::Hidden::No || hidden == Editor::Hidden::EmptyText)) {
        fillTree();
        return;
    }
    const Lessons::StoredLesson &lesson = row->lesson;
    item->second->setText(0, Editor::Messages::listEntry({id, lesson.pattern, lesson.lesson,
                                                          lesson.isNull ? QString() : Cloze::heading(lesson.cloze), hidden}));
    markChanged(item->second, m_document->isChanged(id));
}

void EditorWindow::fillTree()
{
    const QSignalBlocker quiet(m_tree);
    m_tree->clear();
    m_items.clear();
    if (!m_document)
        return;
    const Editor::LessonListing listing = Editor::listLessons(m_document->rows());
    const QList<int> changed = m_document->changedRows();
    auto add = [&](QTreeWidgetItem *parent, const Editor::ListedRow &row) {
        auto *item = new QTreeWidgetItem(parent, {Editor::Messages::listEntry(row)});
        item->setData(0, kRowRole, row.id);
        item->setData(0, kPatternRole, row.pattern);
        item->setData(0, kHiddenRole, int(row.hidden));
        markChanged(item, changed.contains(row.id));
        if (row.hidden != Editor::Hidden::No)
            item->setForeground(0, QColor(0x80, 0x40, 0x00));
        m_items[row.id] = item;
    };
    for (const Editor::PatternLessons &pattern : listing.patterns) {
        auto *item = new QTreeWidgetItem(m_tree, {Patterns::patternEntry(pattern.pattern)});
        item->setData(0, kPatternRole, pattern.pattern);
        for (const Editor::ListedRow &row : pattern.lessons)
            add(item, row);
    }
    const int unmatched = int(m_document->unmatched().size());
    if (!listing.apart.isEmpty() || unmatched > 0) {
        auto *apart = new QTreeWidgetItem(m_tree, {QStringLiteral("לא מוצגים לתלמידים (%1)").arg(listing.apart.size() + unmatched)});
        apart->setData(0, kPatternRole, 0);
        apart->setForeground(0, QColor(0x80, 0x40, 0x00));
        for (const Editor::ListedRow &row : listing.apart)
            add(apart, row);
        for (const Lessons::UnmatchedRow &row : m_document->unmatched()) {
            auto *item = new QTreeWidgetItem(apart, {QStringLiteral("שורה %1: תבנית \"%2\", שיעור \"%3\" — אינם מספרים שלמים, "
                                                                    "ולכן השורה לעולם אינה נקראת")
                                                         .arg(row.row)
                                                         .arg(QString::fromUtf8(row.pattern), QString::fromUtf8(row.lesson))});
            item->setData(0, kPatternRole, 0);
        }
    }
    m_tree->expandAll();
    if (const auto found = m_items.find(m_current); found != m_items.end())
        m_tree->setCurrentItem(found->second);
}

void EditorWindow::rowsChanged(int show)
{
    syncTexts();
    fillTree();
    if (!m_document || !m_document->find(show)) {
        // The first lesson a pupil would see, else the first row at all.
        show = 0;
        for (int i = 0; i < m_tree->topLevelItemCount() && !show; ++i) {
            if (QTreeWidgetItem *first = m_tree->topLevelItem(i)->child(0))
                show = first->data(0, kRowRole).toInt();
        }
    }
    showRow(show);
    m_recoveryTimer->start();
}

void EditorWindow::treeChosen()
{
    QTreeWidgetItem *item = m_tree->currentItem();
    const int id = item ? item->data(0, kRowRole).toInt() : 0;
    if (id != 0 && id != m_current)
        showRow(id);
}

int EditorWindow::chosenPattern() const
{
    const QTreeWidgetItem *item = m_tree->currentItem();
    const int pattern = item ? item->data(0, kPatternRole).toInt() : 0;
    if (pattern > 0)
        return pattern;
    const Editor::Row *row = m_document ? m_document->find(m_current) : nullptr;
    if (row && row->lesson.pattern > 0)
        return row->lesson.pattern;
    return Patterns::namedPatternNumbers().first();
}

void EditorWindow::push(const QString &what, std::function<void()> redo, std::function<void()> undo)
{
    m_typing = {};
    m_history->push(new EditCommand(what, std::move(redo), std::move(undo)));
}

void EditorWindow::addLesson(int pattern, const QString &text, const QString &what)
{
    const int lesson = m_document->nextFreeLesson(pattern);
    if (lesson == 0) {
        m_context.dialogs.inform(this, QStringLiteral("בתבנית %1 כבר תפוסים כל מספרי השיעורים מ-1 עד %2.")
                                           .arg(pattern)
                                           .arg(Patterns::kHighestLessonNumber));
        return;
    }
    const int id = m_document->addRow(pattern, lesson, text);
    const Editor::Row row = *m_document->find(id);
    const int index = m_document->indexOf(id);
    push(
        what,
        [this, row, index] {
            m_document->putRow(row, index);
            rowsChanged(row.id);
        },
        [this, id] {
            int at = 0;
            m_document->takeRow(id, &at);
            rowsChanged(0);
        });
    rowsChanged(id);
    m_text->setFocus();
    m_text->moveCursor(QTextCursor::End);
}

void EditorWindow::newLesson()
{
    if (!m_document)
        return;
    addLesson(chosenPattern(), kNewLessonText, QStringLiteral("שיעור חדש"));
}

void EditorWindow::duplicateLesson()
{
    const Editor::Row *row = m_document ? m_document->find(m_current) : nullptr;
    if (!row)
        return;
    const Lessons::StoredLesson source = row->lesson;
    addLesson(source.pattern, source.isNull ? QString() : source.cloze, QStringLiteral("שכפול"));
}

void EditorWindow::deleteLesson()
{
    const Editor::Row *row = m_document ? m_document->find(m_current) : nullptr;
    if (!row)
        return;
    const QString name = Editor::Messages::lessonName(row->lesson.pattern, row->lesson.lesson);
    if (!m_context.dialogs.ask(this, QStringLiteral("למחוק את %1? אפשר לבטל את המחיקה עד השמירה.").arg(name)))
        return;
    const int id = m_current;
    int index = 0;
    const Editor::Row taken = m_document->takeRow(id, &index);
    push(
        QStringLiteral("מחיקה"),
        [this, id] {
            int at = 0;
            m_document->takeRow(id, &at);
            rowsChanged(0);
        },
        [this, taken, index] {
            m_document->putRow(taken, index);
            rowsChanged(taken.id);
        });
    rowsChanged(0);
}

void EditorWindow::moveLesson()
{
    const Editor::Row *row = m_document ? m_document->find(m_current) : nullptr;
    if (!row)
        return;
    const int id = m_current;
    const int pattern = row->lesson.pattern;
    const int lesson = row->lesson.lesson;
    const auto numbers = m_context.dialogs.askNumbers(this, QStringLiteral("העברת השיעור למספר אחר"), pattern, lesson);
    if (!numbers || *numbers == std::make_pair(pattern, lesson))
        return;
    const auto [toPattern, toLesson] = *numbers;
    if (m_document->isTaken(toPattern, toLesson)) {
        const int free = m_document->nextFreeLesson(toPattern);
        m_context.dialogs.inform(this, QStringLiteral("%1 כבר קיים, ולכן השיעור לא הועבר.%2")
                                           .arg(Editor::Messages::lessonName(toPattern, toLesson),
                                                free ? QStringLiteral(" המספר הפנוי הראשון בתבנית %1 הוא %2.").arg(toPattern).arg(free)
                                                     : QString()));
        return;
    }
    m_document->setNumbers(id, toPattern, toLesson);
    push(
        QStringLiteral("העברה"),
        [this, id, toPattern = toPattern, toLesson = toLesson] {
            m_document->setNumbers(id, toPattern, toLesson);
            rowsChanged(id);
        },
        [this, id, pattern, lesson] {
            m_document->setNumbers(id, pattern, lesson);
            rowsChanged(id);
        });
    rowsChanged(id);
}

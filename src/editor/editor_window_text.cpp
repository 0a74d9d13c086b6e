// The editor window's lesson text: typing and its history, the findings, the preview, Try it.
#include "editor/editor_window.h"

#include "editor/cloze_highlighter.h"
#include "editor/edit_command.h"
#include "editor/editor_dialogs.h"
#include "editor/lesson_listing.h"
#include "editor/lesson_text.h"
#include "editor/lesson_text_edit.h"
#include "editor/messages.h"
#include "editor/preview_pane.h"
#include "lessons/patterns.h"
#include "platform/program_store.h"
#include "screens/exercise/main_screen.h"
#include "screens/look.h"
#include "state/variables.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextDocumentLayout>
#include <QTextBlock>
#include <QTimer>
#include <QTreeWidget>
#include <QUndoStack>

using Editor::LessonText::GapEdit;

QTextDocument *EditorWindow::textOf(int id)
{
    if (const auto found = m_texts.find(id); found != m_texts.end())
        return found->second;
    const Editor::Row *row = m_document->find(id);
    auto *text = new QTextDocument(this);
    text->setDocumentLayout(new QPlainTextDocumentLayout(text));
    text->setDefaultFont(m_text->font());
    new ClozeHighlighter(text);
    text->setPlainText(Editor::LessonText::toEditor(row ? row->lesson.cloze : QString()));
    connect(text, &QTextDocument::contentsChanged, this, [this, id] { textEdited(id); });
    connect(text, &QTextDocument::undoCommandAdded, this, [this, id] { textStepAdded(id); });
    m_texts[id] = text;
    return text;
}

void EditorWindow::showRow(int id)
{
    const Editor::Row *row = m_document ? m_document->find(id) : nullptr;
    m_current = row ? id : 0;
    m_showing = true;
    m_text->setDocument(row ? textOf(id) : nullptr);
    m_showing = false;
    if (row) {
        const Lessons::StoredLesson &lesson = row->lesson;
        const QString name = Patterns::PatternName(lesson.pattern);
        m_lessonTitle->setText(Editor::Messages::lessonName(lesson.pattern, lesson.lesson)
                               + (name.isEmpty() ? QString() : QStringLiteral(" \u2013 \u202A%1\u202C").arg(name)));
        if (const auto item = m_items.find(id); item != m_items.end()) {
            const QSignalBlocker quiet(m_tree);
            m_tree->setCurrentItem(item->second);
        }
    } else {
        m_lessonTitle->setText(m_document ? QStringLiteral("אין שיעור פתוח") : QString());
    }
    // A screen reader tells which lesson the text is, as the title shows it.
    m_text->setAccessibleDescription(m_lessonTitle->text());
    refresh();
}

void EditorWindow::textEdited(int id)
{
    if (m_showing || !m_document)
        return;
    const Editor::Row *row = m_document->find(id);
    if (!row)
        return;
    const QString text = Editor::LessonText::fromEditor(m_texts[id]->toRawText());
    // A change of formats alone, such as the highlighter's, leaves the text as it was.
    if (text == row->lesson.cloze)
        return;
    m_document->setText(id, text);
    if (m_typing.second && m_typing.first == id)
        m_typing.second->second = text;
    m_refreshTimer->start();
    m_recoveryTimer->start();
}

void EditorWindow::textStepAdded(int id)
{
    const Editor::Row *row = m_document ? m_document->find(id) : nullptr;
    if (m_showing || !row)
        return;
    // The box starts a step before it changes the text: the text now is the step's
    // start, and every key merged into the step moves its end (textEdited).
    auto texts = std::make_shared<std::pair<QString, QString>>(row->lesson.cloze, row->lesson.cloze);
    push(
        QStringLiteral("הקלדה"), [this, id, texts] { putText(id, texts->second); },
        [this, id, texts] { putText(id, texts->first); });
    m_typing = {id, texts};
}

void EditorWindow::putText(int id, const QString &text)
{
    const QString before = m_document->find(id) ? Editor::LessonText::toEditor(m_document->find(id)->lesson.cloze) : QString();
    m_document->setText(id, text);
    syncTexts();
    showRow(id);
    // The caret where the two texts part.
    const QString after = Editor::LessonText::toEditor(text);
    int at = 0;
    while (at < before.size() && at < after.size() && before.at(at) == after.at(at))
        ++at;
    QTextCursor cursor = m_text->textCursor();
    cursor.setPosition(at);
    m_text->setTextCursor(cursor);
    m_recoveryTimer->start();
}

void EditorWindow::syncTexts()
{
    for (const auto &[id, text] : m_texts) {
        const Editor::Row *row = m_document->find(id);
        if (!row || Editor::LessonText::fromEditor(text->toRawText()) == row->lesson.cloze)
            continue;
        m_showing = true;
        text->setPlainText(Editor::LessonText::toEditor(row->lesson.cloze));
        m_showing = false;
    }
}

void EditorWindow::undo()
{
    m_typing = {};
    m_history->undo();
}

void EditorWindow::redo()
{
    m_typing = {};
    m_history->redo();
}

void EditorWindow::refresh()
{
    m_refreshTimer->stop();
    m_findings->clear();
    const Editor::Row *row = m_document ? m_document->find(m_current) : nullptr;
    if (!row) {
        m_preview->showNothing(QString());
        updateState();
        return;
    }
    const Lessons::StoredLesson &lesson = row->lesson;
    const QString text = lesson.isNull ? QString() : lesson.cloze;
    QList<LessonRules::Finding> findings = LessonRules::checkText(text, lesson.isNull);
    findings += LessonRules::checkNumbers(lesson.pattern, lesson.lesson);
    // Only the page knows when a line is too wide for it.
    const auto refusal = m_preview->showLesson(text);
    if (refusal && std::none_of(findings.begin(), findings.end(), [&](const auto &f) { return f.kind == refusal->kind; }))
        findings.prepend(*refusal);
    for (const LessonRules::Finding &finding : findings) {
        auto *item = new QListWidgetItem(finding.hebrew(), m_findings);
        item->setData(Qt::UserRole, finding.line);
        switch (finding.severity()) {
        case LessonRules::Severity::Refusal:
            item->setForeground(Look::kRefusalRed);
            break;
        case LessonRules::Severity::Problem:
            item->setForeground(QColor(0x9a, 0x5a, 0x00));
            break;
        case LessonRules::Severity::Warning:
            item->setForeground(QColor(0x30, 0x50, 0x80));
            break;
        }
    }
    if (findings.isEmpty()) {
        auto *item = new QListWidgetItem(QStringLiteral("לא נמצאו בעיות בשיעור."), m_findings);
        item->setForeground(QColor(0x20, 0x70, 0x20));
        item->setData(Qt::UserRole, 0);
    }
    updateEntry(m_current);
    updateState();
}

void EditorWindow::findingChosen(QListWidgetItem *item)
{
    const int line = item ? item->data(Qt::UserRole).toInt() : 0;
    if (line <= 0 || !m_current)
        return;
    const QTextBlock block = m_text->document()->findBlockByNumber(line - 1);
    if (!block.isValid())
        return;
    QTextCursor cursor(block);
    m_text->setTextCursor(cursor);
    m_text->ensureCursorVisible();
    m_text->setFocus();
}

void EditorWindow::toggleGap()
{
    if (!m_current || m_text->isReadOnly())
        return;
    QTextCursor cursor = m_text->textCursor();
    const QTextBlock block = m_text->document()->findBlock(cursor.selectionStart());
    if (block != m_text->document()->findBlock(cursor.selectionEnd())) {
        m_context.dialogs.inform(this, QStringLiteral("פער נמצא תמיד בתוך שורה אחת: סמנו מילה או מילים בשורה אחת."));
        return;
    }
    const int from = cursor.selectionStart() - block.position();
    const int to = cursor.selectionEnd() - block.position();
    const GapEdit edit = Editor::LessonText::toggleGap(block.text(), from, to);
    switch (edit.refusal) {
    case GapEdit::Refusal::None:
        break;
    case GapEdit::Refusal::NoWords:
        m_context.dialogs.inform(this, QStringLiteral("סמנו את המילה או המילים שיהיו הפער, או הציבו את הסמן על מילה."));
        return;
    case GapEdit::Refusal::HoldsMarker:
        m_context.dialogs.inform(this, QStringLiteral("בקטע המסומן יש כבר סימן &. סמנו מילים בלי &, או הציבו את הסמן "
                                                      "בתוך פער כדי להסיר אותו."));
        return;
    case GapEdit::Refusal::UnclosedMarker:
        m_context.dialogs.inform(this, QStringLiteral("לפני הקטע המסומן יש בשורה סימן & שנפתח ולא נסגר. סגרו אותו קודם."));
        return;
    }
    cursor.beginEditBlock();
    cursor.setPosition(block.position());
    cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
    cursor.insertText(edit.line);
    cursor.endEditBlock();
    cursor.setPosition(block.position() + edit.from);
    cursor.setPosition(block.position() + edit.to, QTextCursor::KeepAnchor);
    m_text->setTextCursor(cursor);
}

void EditorWindow::tryLesson()
{
    const Editor::Row *row = m_document ? m_document->find(m_current) : nullptr;
    if (!row)
        return;
    if (!m_trial) {
        m_trialState = std::make_unique<Variables>();
        const QString folder = m_context.programFolder;
        ScreenContext context{*m_trialState, m_context.sound, m_context.dialogs, folder, m_context.workingFolder,
                              [folder] { return Lessons::programLessonStore(folder); }, {}};
        m_trial = std::make_unique<Main>(context);
        connect(m_trial.get(), &Main::trialEnded, this, &EditorWindow::trialEnded);
    }
    const QString refusal =
        m_trial->tryLesson(Patterns::patternEntry(row->lesson.pattern), row->lesson.lesson, row->lesson.cloze);
    if (!refusal.isEmpty()) {
        m_context.dialogs.inform(this, refusal);
        return;
    }
    hide();
}

void EditorWindow::trialEnded()
{
    show();
    raise();
    activateWindow();
}

#include "editor/lesson_text_edit.h"

#include "editor/line_number_area.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QTextBlock>

LessonTextEdit::LessonTextEdit(QWidget *parent)
    : QPlainTextEdit(parent)
    , m_lineNumbers(new LineNumberArea(this))
{
    // Lesson texts are English: left to right inside the right-to-left window.
    setLayoutDirection(Qt::LeftToRight);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::blockCountChanged, this, [this] { setViewportMargins(lineNumberWidth(), 0, 0, 0); });
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect &rect, int dy) {
        if (dy)
            m_lineNumbers->scroll(0, dy);
        else
            m_lineNumbers->update(0, rect.y(), m_lineNumbers->width(), rect.height());
    });
    setViewportMargins(lineNumberWidth(), 0, 0, 0);
}

int LessonTextEdit::lineNumberWidth() const
{
    const int digits = QString::number(std::max(1, blockCount())).size();
    return 10 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(2, digits);
}

void LessonTextEdit::paintLineNumbers(QPaintEvent *event)
{
    QPainter painter(m_lineNumbers);
    painter.fillRect(event->rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::PlaceholderText));
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    while (block.isValid() && top <= event->rect().bottom()) {
        const int height = qRound(blockBoundingRect(block).height());
        if (block.isVisible() && top + height >= event->rect().top()) {
            painter.drawText(0, top, m_lineNumbers->width() - 5, fontMetrics().height(), Qt::AlignRight,
                             QString::number(block.blockNumber() + 1));
        }
        block = block.next();
        top += height;
    }
}

void LessonTextEdit::setHistoryActions(QAction *undo, QAction *redo)
{
    m_undo = undo;
    m_redo = redo;
}

void LessonTextEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Undo)) {
        emit undoAsked();
        return;
    }
    if (event->matches(QKeySequence::Redo)) {
        emit redoAsked();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void LessonTextEdit::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    const QRect area = contentsRect();
    m_lineNumbers->setGeometry(area.left(), area.top(), lineNumberWidth(), area.height());
}

void LessonTextEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu(event->pos());
    menu->setLayoutDirection(Qt::RightToLeft);
    // The box's own history knows only this lesson's typing: the window's takes its place.
    for (QAction *action : menu->actions()) {
        if (action->objectName() == QLatin1String("edit-undo") && m_undo)
            menu->insertAction(action, m_undo);
        if (action->objectName() == QLatin1String("edit-redo") && m_redo)
            menu->insertAction(action, m_redo);
        if (action->objectName() == QLatin1String("edit-undo") || action->objectName() == QLatin1String("edit-redo"))
            menu->removeAction(action);
    }
    menu->exec(event->globalPos());
    delete menu;
}

bool LessonTextEdit::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasText();
}

void LessonTextEdit::insertFromMimeData(const QMimeData *source)
{
    QString text = source->text();
    if (text.size() > kLongestPaste) {
        emit pasteRefused(int(text.size()));
        return;
    }
    // Whatever the source broke its lines with, each break is one line break here.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    insertPlainText(text);
}

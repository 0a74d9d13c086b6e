#include "editor/line_number_area.h"

#include "editor/lesson_text_edit.h"

LineNumberArea::LineNumberArea(LessonTextEdit *edit)
    : QWidget(edit)
    , m_edit(edit)
{
    setObjectName(QStringLiteral("LineNumbers"));
}

QSize LineNumberArea::sizeHint() const
{
    return QSize(m_edit->lineNumberWidth(), 0);
}

void LineNumberArea::paintEvent(QPaintEvent *event)
{
    m_edit->paintLineNumbers(event);
}

#pragma once

#include <QWidget>

class LessonTextEdit;

/// The margin of the lesson text that numbers its lines, as the findings name them.
class LineNumberArea : public QWidget
{
    Q_OBJECT

public:
    explicit LineNumberArea(LessonTextEdit *edit);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    LessonTextEdit *m_edit;
};

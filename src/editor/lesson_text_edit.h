#pragma once

#include <QPlainTextEdit>

class LineNumberArea;

/// The lesson text, left to right, with line numbers. Undo and redo are the window's
/// (one history for every lesson), so this box only asks for them; a paste longer
/// than any lesson can be is refused and said.
class LessonTextEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    /// More than any lesson the page can show, far less than would slow the editor down.
    static constexpr int kLongestPaste = 100000;

    explicit LessonTextEdit(QWidget *parent = nullptr);

    int lineNumberWidth() const;
    void paintLineNumbers(QPaintEvent *event);
    /// The undo and redo entries of the context menu.
    void setHistoryActions(QAction *undo, QAction *redo);

signals:
    void undoAsked();
    void redoAsked();
    void pasteRefused(int characters);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    LineNumberArea *m_lineNumbers = nullptr;
    QAction *m_undo = nullptr;
    QAction *m_redo = nullptr;
};

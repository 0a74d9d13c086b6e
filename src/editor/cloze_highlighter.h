#pragma once

#include <QSyntaxHighlighter>

/// Marks what the lesson format gives meaning to: the heading (everything before the
/// first "1"), each gap with its markers, and a marker left open on its line.
class ClozeHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT

public:
    explicit ClozeHighlighter(QTextDocument *document);

protected:
    void highlightBlock(const QString &text) override;
};

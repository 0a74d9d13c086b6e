#pragma once

#include <QLabel>

/// A label that shows one value, such as a counter or a setting on the exercise
/// screen, under a caption that stands elsewhere on the screen. Assistive technology
/// reads it as "caption: value" and is told when the value changes.
class CounterLabel : public QLabel
{
    Q_OBJECT

public:
    CounterLabel(const QString &caption, const QString &value, QWidget *parent);

    QString caption() const { return m_caption; }
    /// The value shown and announced.
    void setValue(const QString &value);

private:
    QString m_caption;
};

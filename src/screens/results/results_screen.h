#pragma once

#include "screens/twips_layout.h"

#include <QWidget>

class CounterLabel;
class QLabel;
class QPushButton;

/// The results screen: the grade and its feedback message on blue, back or leave.
/// It says what the pupil chose; the exercise screen acts on it.
class Results : public QWidget
{
    Q_OBJECT

public:
    Results();

    void setGrade(const QString &grade);
    QString grade() const;
    void setMessage(const QString &message);
    /// After the exercise screen's leave button: leaving is the only way on.
    void hideBack();

signals:
    void backChosen();
    void leaveChosen();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void sayResult();

    TwipsLayout m_layout;
    QLabel *Label1 = nullptr;
    CounterLabel *Label18 = nullptr; ///< the grade
    QLabel *Label19 = nullptr; ///< the feedback message
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
};

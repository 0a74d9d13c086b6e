#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class Main;

/// The results screen: the grade and its feedback message on blue, back or leave.
class Results : public QWidget
{
public:
    explicit Results(Main &exerciseScreen);

    void Command1_Click();
    void Command2_Click();

    QLabel *Label1 = nullptr;
    QLabel *Label18 = nullptr; ///< the grade, written by the end of the exercise
    QLabel *Label19 = nullptr; ///< the feedback message
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    Main &m_main;
};

#pragma once

#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QListWidget;
class QMenuBar;
class QPushButton;
class Main;

/// The chooser: pattern and lesson lists, the three options, the four settings, Start.
class ChooseExercise : public QWidget
{
public:
    explicit ChooseExercise(Main &exerciseScreen);

    void fillPatternList();
    void List2_Click();
    void List1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Help1_Click();
    void Exit_Click();

    /// The pattern entry selected now, or the empty text.
    QString selectedPatternEntry() const;

    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label4 = nullptr, *Label5 = nullptr, *Label7 = nullptr;
    QLabel *Label10 = nullptr, *Label11 = nullptr, *Label17 = nullptr, *Title = nullptr;
    QLabel *SettingsHint = nullptr; ///< says what is wrong with a refused setting
    QListWidget *List1 = nullptr;
    QListWidget *List2 = nullptr;
    QPushButton *Command1 = nullptr, *Command2 = nullptr, *Command3 = nullptr, *Command4 = nullptr;
    std::array<QComboBox *, 4> Combo2{};
    QMenuBar *menu = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool settingsAccepted();
    void markSetting(int index, const QString &hint);

    Main &m_main;
    QString m_patternText; ///< first three characters of the last pattern clicked
};

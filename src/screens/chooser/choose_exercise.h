#pragma once

#include "screens/twips_layout.h"

#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QListWidget;
class QMenuBar;
class QPushButton;
class Main;
struct ScreenContext;

/// The chooser: pattern and lesson lists, the three options, the four settings, Start.
/// A chosen lesson and the settings of Start go to the exercise screen through its
/// named operations; everything else it tells through its signals.
class ChooseExercise : public QWidget
{
    Q_OBJECT

public:
    ChooseExercise(const ScreenContext &context, Main &exerciseScreen);

    void fillPatternList();
    /// Each of the four setting pickers lists "1" to "20"; the typed texts stay.
    void fillSettingPickers();
    /// The pattern entry selected now, or the empty text.
    QString selectedPatternEntry() const;
    /// After an exercise: the keyboard waits in the lesson list for the next lesson.
    void focusLessonList();

signals:
    void patternChosen(const QString &entry);
    void magazineCaptionChanged(const QString &caption);
    void signsCaptionChanged(const QString &caption);
    void timeLimitTurnedOff();
    void helpChosen();
    void leaveChosen();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void fitToScreen();
    void showHint(const QString &hint);
    void List2_Click();
    void List1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

    const ScreenContext &m_context;
    TwipsLayout m_layout;
    Main &m_main;
    QString m_patternText; ///< first three characters of the last pattern clicked

    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label4 = nullptr, *Label5 = nullptr, *Label7 = nullptr;
    QLabel *Label10 = nullptr, *Label11 = nullptr, *Label17 = nullptr, *Title = nullptr;
    QLabel *SettingsHint = nullptr; ///< says what is wrong with a refused setting
    QListWidget *List1 = nullptr;
    QListWidget *List2 = nullptr;
    QPushButton *Command1 = nullptr, *Command2 = nullptr, *Command3 = nullptr, *Command4 = nullptr;
    std::array<QComboBox *, 4> Combo2{};
    QMenuBar *menu = nullptr;
};

#pragma once

#include "screens/units.h"

#include <QPointer>
#include <QWidget>

struct Variables;
class QListWidget;
class QPushButton;

/// The grammar help for the running exercise: the topic file of the pattern
/// selected on the chooser, one line per entry, with a close button. Created at
/// every opening and destroyed at closing, so each opening reads the file anew.
class help4grammar : public QWidget
{
    Q_OBJECT

public:
    /// Runs the load for the pattern of the chooser's selected pattern entry
    /// (empty when none is selected: the list stays empty).
    help4grammar(Variables &state, QWidget *exerciseScreen, const QString &selectedPatternEntry,
                 const QString &workingFolder, Units::Scale scale = {});

    /// Hides and destroys the help without showing another screen.
    void dismiss();

    static constexpr double kDesignPointSize = 8.25;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load(const QString &selectedPatternEntry);
    void Command1_Click();

    Variables &m_state;
    Units::Scale m_scale;
    QPointer<QWidget> m_exerciseScreen;
    QString m_workingFolder;

    QListWidget *List1 = nullptr;
    QPushButton *Command1 = nullptr;
};

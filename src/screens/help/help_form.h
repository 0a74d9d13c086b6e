#pragma once

#include "screens/units.h"

#include <QPointer>
#include <QWidget>

struct Variables;
class QListWidget;
class QPushButton;
class QMenuBar;
class QAction;

/// The general help: the lines of "helpVorn.txt" as a list, with a close button.
/// Created by its caller at the first showing and only hidden after that, so the
/// file is read once and the window keeps the size it got then.
class helpForm : public QWidget
{
    Q_OBJECT

public:
    /// Runs the load: takes the view size from the exercise screen, scales the
    /// window and reads the help file of the working folder.
    helpForm(Variables &state, QWidget *exerciseScreen, QWidget *chooser, const QString &workingFolder,
             Units::Scale scale = {});

    /// Hides the help without showing another screen (the exercise ended meanwhile).
    void dismiss();


protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void Command5_Click();

    Variables &m_state;
    Units::Scale m_scale;
    QPointer<QWidget> m_exerciseScreen;
    QPointer<QWidget> m_chooser;
    QString m_workingFolder;

    QMenuBar *m_menuBar = nullptr;
    QAction *closeEntry = nullptr; // the menu entry `close`
    QListWidget *helpText = nullptr;
    QPushButton *Command5 = nullptr;
};

#pragma once

#include <QColor>
#include <QString>

class QWidget;

/// The modal questions the screens ask. Tests put in answers of their own, since a
/// real message box would wait for a person.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    virtual void inform(QWidget *parent, const QString &text);
    /// True for Yes.
    virtual bool askYesNo(QWidget *parent, const QString &text);
    /// The colour chosen; a cancelled dialog gives the preset colour.
    virtual QColor chooseColour(QWidget *parent, const QColor &preset);
    /// Closes whatever question is open, for an exercise whose time ran out meanwhile.
    virtual void closeOpenDialog();

private:
    QWidget *m_open = nullptr;
};

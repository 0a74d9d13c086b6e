#pragma once

#include "screens/dialogs.h"

#include <QString>

#include <optional>
#include <utility>

/// The questions the lesson editor asks beside the screens' own. Tests answer them
/// from a script.
class EditorDialogs : public Dialogs
{
public:
    enum class Unsaved { Save, Discard, Cancel };

    /// A question of the editor, written as a right-to-left sentence; true for Yes.
    virtual bool ask(QWidget *parent, const QString &text);

    /// Unsaved changes: save them, let them go, or stay.
    virtual Unsaved askUnsaved(QWidget *parent, const QString &text);
    /// A store to open; empty when cancelled.
    virtual QString storeToOpen(QWidget *parent, const QString &folder);
    /// A name for a new SQLite store; empty when cancelled.
    virtual QString newStore(QWidget *parent, const QString &suggested);
    /// A folder of lesson files; empty when cancelled.
    virtual QString lessonFolder(QWidget *parent, const QString &title, const QString &folder);
    /// A pattern and lesson number; nothing when cancelled.
    virtual std::optional<std::pair<int, int>> askNumbers(QWidget *parent, const QString &title, int pattern, int lesson);
};

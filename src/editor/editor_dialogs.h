#pragma once

#include "screens/dialogs.h"
#include "worksheet/worksheet_options.h"

#include <QString>

#include <functional>
#include <optional>
#include <utility>

/// The questions the lesson editor asks beside the screens' own. Tests answer them
/// from a script.
class QPrinter;

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
    /// What a worksheet shows, preset as last chosen; nothing when cancelled.
    virtual std::optional<Worksheet::Options> worksheetOptions(QWidget *parent, const QString &title,
                                                               const Worksheet::Options &preset);
    /// The system's print dialog; true to print on the printer as chosen there.
    virtual bool print(QWidget *parent, QPrinter &printer);
    /// The pages paint draws on the printer, shown until the teacher closes them or
    /// prints them from there.
    virtual void preview(QWidget *parent, const QString &title, QPrinter &printer,
                         const std::function<void(QPrinter *)> &paint);
    /// A name for a new PDF file; empty when cancelled.
    virtual QString pdfFile(QWidget *parent, const QString &suggested);
};

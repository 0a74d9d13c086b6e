#pragma once

// The controls the tests reach come with the rig.
#include "editor/editor_dialogs.h"
#include "editor/editor_window.h"
#include "editor/lesson_text_edit.h"
#include "editor/worksheet_options_dialog.h"
#include "platform/sound_player.h"
#include "platform/sqlite_store.h"
#include "platform/store_rows.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <functional>
#include <memory>
#include <optional>

/// Answers the editor's questions from a script and keeps every message.
class ScriptedEditorDialogs : public EditorDialogs
{
public:
    void inform(QWidget *, const QString &text) override { informed << text; }
    bool ask(QWidget *, const QString &text) override
    {
        asked << text;
        return yes;
    }
    Unsaved askUnsaved(QWidget *, const QString &text) override
    {
        asked << text;
        return unsaved;
    }
    QString storeToOpen(QWidget *, const QString &) override { return openPath; }
    QString newStore(QWidget *, const QString &) override { return newPath; }
    QString lessonFolder(QWidget *, const QString &, const QString &) override { return folder; }
    std::optional<std::pair<int, int>> askNumbers(QWidget *, const QString &, int, int) override { return numbers; }
    /// The real options dialog, its controls set by sheetChoice, which is used once; the printer and the
    /// preview write PDF files at printTo, as a printer would print.
    std::optional<Worksheet::Options> worksheetOptions(QWidget *parent, const QString &,
                                                       const Worksheet::Options &preset) override
    {
        WorksheetOptionsDialog dialog(preset, parent);
        if (sheetChoice)
            std::exchange(sheetChoice, nullptr)(dialog);
        return yes ? std::optional(dialog.options()) : std::nullopt;
    }
    bool print(QWidget *, QPrinter &printer) override
    {
        printer.setOutputFileName(printTo);
        printer.setPageRanges(pagesChosen);
        return yes;
    }
    void preview(QWidget *, const QString &, QPrinter &printer, const std::function<void(QPrinter *)> &paint) override
    {
        printer.setOutputFileName(printTo);
        paint(&printer);
    }
    QString pdfFile(QWidget *, const QString &suggested) override
    {
        suggestedPdf = suggested;
        return pdfPath;
    }

    QStringList informed;
    QStringList asked;
    bool yes = true;
    Unsaved unsaved = Unsaved::Cancel;
    QString openPath, newPath, folder;
    std::optional<std::pair<int, int>> numbers;
    std::function<void(WorksheetOptionsDialog &)> sheetChoice;
    QString printTo, pdfPath, suggestedPdf;
    QPageRanges pagesChosen;
};

class SilentSound : public SoundPlayer
{
public:
    void play(const QString &) override {}
    void close() override {}
};

/// The editor window over a program folder of its own, with a recovery folder and
/// settings file of its own, found by the names of its controls.
class EditorRig
{
public:
    /// Lessons of pattern 24 and 5; a program folder with db1.sqlite of them.
    static const QList<Lessons::StoredLesson> kLessons;

    EditorRig();

    QString programPath(const QString &name) const { return m_program.filePath(name); }
    QString storePath() const { return programPath(QStringLiteral("db1.sqlite")); }
    /// A new window, as a new run of the editor makes it; the old one is dropped
    /// without being closed, as a crash would leave it.
    EditorWindow &start();
    /// A new window on the program's store, with a lesson chosen when lesson is not 0
    /// and words typed at its start.
    bool open(int pattern = 0, int lesson = 0, const QString &typed = QString());
    EditorWindow &window() { return *m_window; }

    template <typename T = QAction>
    T *control(const char *name) const
    {
        T *found = m_window->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QTreeWidget *tree() const { return control<QTreeWidget>("LessonTree"); }
    LessonTextEdit *text() const { return control<LessonTextEdit>("LessonText"); }
    QListWidget *findings() const { return control<QListWidget>("Findings"); }

    /// Keys typed into the lesson text; the findings and the preview follow.
    void type(const QString &keys);
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    /// A named action, as its menu entry or key chooses it; the window follows.
    void trigger(const char *name);
    /// Clicks the list entry of a lesson, or of a pattern when lesson is 0.
    bool choose(int pattern, int lesson = 0);
    QTreeWidgetItem *item(int pattern, int lesson) const;
    /// Puts the caret at a line and column of the lesson text (both from 1), with a
    /// click, or selects the word there with a double click.
    void clickText(int line, int column, bool doubleClick = false);
    QStringList textLines() const { return text()->toPlainText().split(QLatin1Char('\n')); }
    /// The lines of a lesson chosen in the list; none if it is not there.
    QStringList lessonLines(int pattern, int lesson) { return choose(pattern, lesson) ? textLines() : QStringList(); }
    /// The findings shown, one a line.
    QString findingTexts() const;
    /// The rows of a store file (the program's when none is named) as the pupil program reads them.
    QList<Lessons::StoredLesson> stored(const QString &store = QString()) const
    {
        const auto rows = Lessons::SqliteLessonStore(store.isEmpty() ? storePath() : store).allLessons();
        return rows.value.value_or(QList<Lessons::StoredLesson>());
    }
    /// What the pupil program lists for a pattern, in the blanks of the editor's list.
    QStringList pupilsList(int pattern) const;

    ScriptedEditorDialogs dialogs;
    SilentSound sound;

private:
    QTemporaryDir m_program;
    QTemporaryDir m_recovery;
    QTemporaryDir m_settings;
    std::unique_ptr<EditorWindow> m_window;
};

#pragma once

#include "editor/store_document.h"
#include "lessons/lesson_rules.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>
#include <optional>

class EditorDialogs;
class LessonTextEdit;
class Main;
class PreviewPane;
class QAction;
class QFrame;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPushButton;
class QSettings;
class QTextDocument;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class QUndoStack;
class SoundPlayer;
struct Variables;

/// What the editor works with besides the store it opens.
struct EditorContext
{
    EditorDialogs &dialogs;
    SoundPlayer &sound;      ///< the sounds of Try it
    QString programFolder;   ///< where the pupil program and its store are
    QString workingFolder;   ///< Try it finds its sounds and help files below it
    QString recoveryFolder;  ///< unsaved edits are kept there against a crash
    QString settingsFile;    ///< the recent stores; the user's own settings when empty
};

/// The teachers' lesson editor: a store's lessons by pattern, the lesson text with
/// its findings, the page as the pupil will see it, and Try it. Every change can be
/// undone until it is saved; a save writes all of them in one transaction.
class EditorWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit EditorWindow(EditorContext context);
    ~EditorWindow() override;

    /// Opens a store, after asking about unsaved changes; a store that cannot be read
    /// is said and what was open stays. Offers back the edits a crash left.
    bool openStore(const QString &path);
    /// The store the pupil program reads.
    void openProgramStore();
    const Editor::StoreDocument *document() const { return m_document ? &*m_document : nullptr; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // editor_window.cpp: the controls, the bars, the title.
    void buildActions();
    void buildMenus();
    void buildBars();
    void buildCentre();
    void updateState();
    void updateBars();
    QSettings &settings();

    // editor_window_store.cpp: opening, saving, recovery, the stores beside the program.
    bool leaveChanges(const QString &question);
    bool save();
    std::optional<LessonRules::Finding> refusalOf(const QString &text) const;
    void takeDocument(Editor::StoreDocument document);
    void offerRecovery();
    void keepForRecovery();
    void forgetRecovery();
    void rememberRecent(const QString &path);
    void fillRecent();
    void chooseStore();
    void copyToNewStore();
    void setAccessAside();
    void putAccessBack();

    // editor_window_folders.cpp: the lesson-file folders of cloze-lessons.
    void importFolder();
    void exportFolder(bool onePattern);

    // editor_window_worksheet.cpp: the lesson on paper, printed, previewed or as a PDF file.
    enum class SheetOutput { Printer, Preview, Pdf };
    void worksheet(SheetOutput output);

    // editor_window_lessons.cpp: the list of lessons and the changes to them.
    void fillTree();
    /// The list entry of a row after typing: its heading and whether it is changed.
    void updateEntry(int id);
    void markChanged(QTreeWidgetItem *item, bool changed);
    void treeChosen();
    void newLesson();
    void duplicateLesson();
    void deleteLesson();
    void moveLesson();
    /// A new row of text at the pattern's first free lesson number.
    void addLesson(int pattern, const QString &text, const QString &what);
    void push(const QString &what, std::function<void()> redo, std::function<void()> undo);
    /// After a change to the rows: the list anew, the row shown, the state.
    void rowsChanged(int show);
    int chosenPattern() const;

    // editor_window_text.cpp: the text, its findings, the preview, Try it.
    QTextDocument *textOf(int id);
    void showRow(int id);
    void textEdited(int id);
    void textStepAdded(int id);
    /// A row's text set from the history, the box following it.
    void putText(int id, const QString &text);
    /// Every box's text as its row's: after changes made to the rows, not typed.
    void syncTexts();
    void dropTexts();
    void refresh();
    void toggleGap();
    void findingChosen(QListWidgetItem *item);
    void tryLesson();
    void trialEnded();
    void undo();
    void redo();

    EditorContext m_context;
    std::unique_ptr<QSettings> m_settings;
    std::optional<Editor::StoreDocument> m_document;
    QUndoStack *m_history = nullptr;
    std::map<int, QTextDocument *> m_texts; ///< by row, made when the row is first shown
    int m_current = 0; ///< the row being edited, or 0
    bool m_showing = false; ///< a text is being put into the box, not typed
    /// The typing step keys still go into: its row, and its text before and after.
    std::pair<int, std::shared_ptr<std::pair<QString, QString>>> m_typing;
    QTimer *m_refreshTimer = nullptr;
    QTimer *m_recoveryTimer = nullptr;

    QTreeWidget *m_tree = nullptr;
    std::map<int, QTreeWidgetItem *> m_items;
    QLabel *m_lessonTitle = nullptr;
    LessonTextEdit *m_text = nullptr;
    QListWidget *m_findings = nullptr;
    PreviewPane *m_preview = nullptr;
    QFrame *m_readOnlyBar = nullptr, *m_hiddenBar = nullptr, *m_asideBar = nullptr;
    QLabel *m_readOnlyText = nullptr, *m_hiddenText = nullptr, *m_asideText = nullptr;

    QAction *m_open = nullptr, *m_save = nullptr, *m_copy = nullptr;
    QAction *m_import = nullptr, *m_exportPattern = nullptr, *m_exportAll = nullptr;
    QAction *m_print = nullptr, *m_printPreview = nullptr, *m_exportPdf = nullptr;
    QAction *m_quit = nullptr, *m_undo = nullptr, *m_redo = nullptr, *m_gap = nullptr;
    QAction *m_new = nullptr, *m_duplicate = nullptr, *m_move = nullptr, *m_delete = nullptr, *m_try = nullptr;
    QMenu *m_recent = nullptr;

    std::unique_ptr<Variables> m_trialState;
    std::unique_ptr<Main> m_trial;
};

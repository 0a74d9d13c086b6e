// The editor window's controls, bars and title.
#include "editor/editor_window.h"

#include "editor/editor_dialogs.h"
#include "editor/lesson_text_edit.h"
#include "editor/messages.h"
#include "editor/preview_pane.h"
#include "editor/program_folder.h"
#include "screens/exercise/main_screen.h"
#include "screens/look.h"
#include "state/variables.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QUndoStack>
#include <QVBoxLayout>

EditorWindow::EditorWindow(EditorContext context)
    : m_context(std::move(context))
{
    setObjectName(QStringLiteral("EditorWindow"));
    setLayoutDirection(Qt::RightToLeft);
    setFont(Look::arial(10));
    m_history = new QUndoStack(this);
    m_refreshTimer = new QTimer(this);
    m_refreshTimer->setSingleShot(true);
    m_refreshTimer->setInterval(0); // every key typed so far, then one refresh
    connect(m_refreshTimer, &QTimer::timeout, this, &EditorWindow::refresh);
    m_recoveryTimer = new QTimer(this);
    m_recoveryTimer->setSingleShot(true);
    m_recoveryTimer->setInterval(1000);
    connect(m_recoveryTimer, &QTimer::timeout, this, &EditorWindow::keepForRecovery);
    buildActions();
    buildMenus();
    buildCentre();
    buildBars();
    fillRecent();
    updateState();
    resize(1500, 900);
}

EditorWindow::~EditorWindow() = default;

QSettings &EditorWindow::settings()
{
    if (!m_settings) {
        m_settings = m_context.settingsFile.isEmpty()
            ? std::make_unique<QSettings>()
            : std::make_unique<QSettings>(m_context.settingsFile, QSettings::IniFormat);
    }
    return *m_settings;
}

void EditorWindow::buildActions()
{
    auto action = [this](const char *name, const QString &text, const QKeySequence &keys, std::function<void()> slot) {
        auto *a = new QAction(text, this);
        a->setObjectName(QString::fromLatin1(name));
        if (!keys.isEmpty())
            a->setShortcut(keys);
        connect(a, &QAction::triggered, this, std::move(slot));
        return a;
    };
    m_open = action("Open", QStringLiteral("פתיחת מאגר…"), QKeySequence::Open, [this] { chooseStore(); });
    m_save = action("Save", QStringLiteral("שמירה"), QKeySequence::Save, [this] { save(); });
    m_copy = action("CopyToSqlite", QStringLiteral("העתקה למאגר SQLite חדש…"), {}, [this] { copyToNewStore(); });
    m_import = action("ImportFolder", QStringLiteral("ייבוא שיעורים מתיקייה…"), {}, [this] { importFolder(); });
    m_exportPattern = action("ExportPattern", QStringLiteral("ייצוא שיעורי התבנית לתיקייה…"), {},
                             [this] { exportFolder(true); });
    m_exportAll = action("ExportAll", QStringLiteral("ייצוא כל השיעורים לתיקייה…"), {}, [this] { exportFolder(false); });
    m_print = action("PrintWorksheet", QStringLiteral("הדפסת דף עבודה…"), QKeySequence::Print,
                     [this] { worksheet(SheetOutput::Printer); });
    m_printPreview = action("PreviewWorksheet", QStringLiteral("תצוגה לפני הדפסה…"), {}, [this] { worksheet(SheetOutput::Preview); });
    m_exportPdf = action("ExportWorksheet", QStringLiteral("ייצוא דף עבודה ל-PDF…"), {}, [this] { worksheet(SheetOutput::Pdf); });
    m_quit = action("Quit", QStringLiteral("יציאה"), QKeySequence::Quit, [this] { close(); });
    m_undo = action("Undo", QStringLiteral("ביטול"), QKeySequence::Undo, [this] { undo(); });
    m_redo = action("Redo", QStringLiteral("ביצוע חוזר"), QKeySequence::Redo, [this] { redo(); });
    m_gap = action("MakeGap", QStringLiteral("יצירת פער / הסרת פער"), QKeySequence(Qt::CTRL | Qt::Key_G),
                   [this] { toggleGap(); });
    m_new = action("NewLesson", QStringLiteral("שיעור חדש"), QKeySequence::New, [this] { newLesson(); });
    m_duplicate = action("DuplicateLesson", QStringLiteral("שכפול השיעור"), {}, [this] { duplicateLesson(); });
    m_move = action("MoveLesson", QStringLiteral("העברה למספר אחר…"), {}, [this] { moveLesson(); });
    m_delete = action("DeleteLesson", QStringLiteral("מחיקת השיעור…"), {}, [this] { deleteLesson(); });
    m_try = action("TryLesson", QStringLiteral("נסה את השיעור"), QKeySequence(Qt::Key_F5), [this] { tryLesson(); });
    connect(m_history, &QUndoStack::canUndoChanged, m_undo, &QAction::setEnabled);
    connect(m_history, &QUndoStack::canRedoChanged, m_redo, &QAction::setEnabled);
    m_undo->setEnabled(false);
    m_redo->setEnabled(false);
}

void EditorWindow::buildMenus()
{
    menuBar()->setObjectName(QStringLiteral("menu"));
    QMenu *file = menuBar()->addMenu(QStringLiteral("קובץ"));
    file->setObjectName(QStringLiteral("FileMenu"));
    file->addAction(m_open);
    m_recent = file->addMenu(QStringLiteral("מאגרים אחרונים"));
    m_recent->setObjectName(QStringLiteral("RecentStores"));
    file->addAction(m_save);
    file->addSeparator();
    file->addAction(m_copy);
    file->addSeparator();
    file->addActions({m_import, m_exportPattern, m_exportAll});
    file->addSeparator();
    file->addActions({m_print, m_printPreview, m_exportPdf});
    file->addSeparator();
    file->addAction(m_quit);
    QMenu *edit = menuBar()->addMenu(QStringLiteral("עריכה"));
    edit->setObjectName(QStringLiteral("EditMenu"));
    edit->addActions({m_undo, m_redo});
    edit->addSeparator();
    edit->addAction(m_gap);
    QMenu *lesson = menuBar()->addMenu(QStringLiteral("שיעור"));
    lesson->setObjectName(QStringLiteral("LessonMenu"));
    lesson->addActions({m_new, m_duplicate, m_move, m_delete});
    lesson->addSeparator();
    lesson->addAction(m_try);

    QToolBar *tools = addToolBar(QStringLiteral("כלים"));
    tools->setObjectName(QStringLiteral("Tools"));
    tools->setMovable(false);
    tools->addActions({m_save, m_undo, m_redo});
    tools->addSeparator();
    tools->addActions({m_new, m_duplicate, m_delete});
    tools->addSeparator();
    tools->addActions({m_gap, m_try});
    tools->addSeparator();
    tools->addAction(m_print);
    statusBar()->setObjectName(QStringLiteral("Status"));
}

void EditorWindow::buildBars()
{
    auto bar = [this](const char *name, const char *buttonName, const QString &button, const QColor &colour,
                      void (EditorWindow::*slot)(), QLabel **text) {
        auto *frame = new QFrame(this);
        frame->setObjectName(QString::fromLatin1(name));
        Look::setBack(frame, colour);
        frame->setFrameShape(QFrame::StyledPanel);
        auto *label = new QLabel(frame);
        label->setObjectName(QString::fromLatin1(name) + QStringLiteral("Text"));
        label->setWordWrap(true);
        auto *press = new QPushButton(button, frame);
        press->setObjectName(QString::fromLatin1(buttonName));
        connect(press, &QPushButton::clicked, this, slot);
        auto *layout = new QHBoxLayout(frame);
        layout->addWidget(label, 1);
        layout->addWidget(press);
        frame->hide();
        *text = label;
        return frame;
    };
    m_readOnlyBar = bar("ReadOnlyBar", "ReadOnlyCopy", QStringLiteral("העתקה למאגר SQLite חדש…"), QColor(0xff, 0xf4, 0xc2),
                        &EditorWindow::copyToNewStore, &m_readOnlyText);
    m_hiddenBar = bar("HiddenBar", "SetAccessAside", QStringLiteral("העברת קובץ ה-Access הצידה…"), QColor(0xff, 0xdd, 0xcc),
                      &EditorWindow::setAccessAside, &m_hiddenText);
    m_asideBar = bar("AsideBar", "PutAccessBack", QStringLiteral("החזרת קובץ ה-Access…"), QColor(0xe4, 0xf0, 0xff),
                     &EditorWindow::putAccessBack, &m_asideText);
    auto *bars = new QWidget(this);
    auto *layout = new QVBoxLayout(bars);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->addWidget(m_readOnlyBar);
    layout->addWidget(m_hiddenBar);
    layout->addWidget(m_asideBar);
    auto *central = centralWidget();
    auto *column = new QWidget(this);
    auto *columnLayout = new QVBoxLayout(column);
    columnLayout->setContentsMargins(0, 0, 0, 0);
    columnLayout->setSpacing(0);
    columnLayout->addWidget(bars);
    columnLayout->addWidget(central, 1);
    setCentralWidget(column);
}

void EditorWindow::buildCentre()
{
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("LessonTree"));
    m_tree->setHeaderHidden(true);
    m_tree->setLayoutDirection(Qt::LeftToRight); // numbers, pattern names and headings are English
    m_tree->setFont(Look::arial(10));
    m_tree->setAccessibleName(QStringLiteral("תבניות ושיעורים"));
    connect(m_tree, &QTreeWidget::currentItemChanged, this, &EditorWindow::treeChosen);

    m_lessonTitle = new QLabel(this);
    m_lessonTitle->setObjectName(QStringLiteral("LessonTitle"));
    m_lessonTitle->setFont(Look::arial(12, true));
    m_lessonTitle->setWordWrap(true);
    m_text = new LessonTextEdit(this);
    m_text->setObjectName(QStringLiteral("LessonText"));
    m_text->setFont(Look::arial(12));
    m_text->setAccessibleName(QStringLiteral("טקסט השיעור"));
    m_text->setHistoryActions(m_undo, m_redo);
    connect(m_text, &LessonTextEdit::undoAsked, this, &EditorWindow::undo);
    connect(m_text, &LessonTextEdit::redoAsked, this, &EditorWindow::redo);
    connect(m_text, &LessonTextEdit::pasteRefused, this, [this](int characters) {
        m_context.dialogs.inform(this, QStringLiteral("הטקסט שהודבק ארוך מדי לשיעור: %L1 תווים, ושיעור מחזיק לכל היותר %L2. "
                                                      "הטקסט בחלון לא השתנה.")
                                           .arg(characters)
                                           .arg(LessonTextEdit::kLongestPaste));
    });
    auto *findingsTitle = new QLabel(QStringLiteral("ממצאים"), this);
    findingsTitle->setObjectName(QStringLiteral("FindingsTitle"));
    m_findings = new QListWidget(this);
    m_findings->setObjectName(QStringLiteral("Findings"));
    m_findings->setWordWrap(true);
    m_findings->setAccessibleName(findingsTitle->text());
    connect(m_findings, &QListWidget::itemActivated, this, &EditorWindow::findingChosen);
    connect(m_findings, &QListWidget::itemClicked, this, &EditorWindow::findingChosen);

    auto *editing = new QWidget(this);
    auto *editingLayout = new QVBoxLayout(editing);
    editingLayout->setContentsMargins(0, 0, 0, 0);
    editingLayout->addWidget(m_lessonTitle);
    auto *textAndFindings = new QSplitter(Qt::Vertical, editing);
    textAndFindings->setObjectName(QStringLiteral("TextSplitter"));
    auto *findings = new QWidget(textAndFindings);
    auto *findingsLayout = new QVBoxLayout(findings);
    findingsLayout->setContentsMargins(0, 0, 0, 0);
    findingsLayout->addWidget(findingsTitle);
    findingsLayout->addWidget(m_findings);
    textAndFindings->addWidget(m_text);
    textAndFindings->addWidget(findings);
    textAndFindings->setSizes({600, 200});
    editingLayout->addWidget(textAndFindings, 1);

    m_preview = new PreviewPane(this);
    connect(m_preview, &PreviewPane::switchesChanged, this, &EditorWindow::refresh);
    connect(m_preview->tryButton(), &QPushButton::clicked, this, &EditorWindow::tryLesson);

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("Splitter"));
    splitter->addWidget(m_tree);
    splitter->addWidget(editing);
    splitter->addWidget(m_preview);
    splitter->setStretchFactor(1, 1);
    splitter->setStretchFactor(2, 1);
    splitter->setSizes({260, 520, 720});
    setCentralWidget(splitter);
}

void EditorWindow::updateState()
{
    const bool open = m_document.has_value();
    const bool editable = open && m_document->readOnly() == Editor::ReadOnly::No;
    const bool lesson = editable && m_current != 0;
    const bool changed = editable && m_document->hasChanges();
    QString title = QStringLiteral("עורך השיעורים");
    if (open)
        title = QStringLiteral("%1[*] – %2").arg(QFileInfo(m_document->path()).fileName(), title);
    setWindowTitle(title);
    setWindowModified(changed);
    m_save->setEnabled(changed);
    m_copy->setEnabled(open);
    m_import->setEnabled(editable);
    m_exportPattern->setEnabled(open);
    m_exportAll->setEnabled(open);
    m_new->setEnabled(editable);
    for (QAction *a : {m_duplicate, m_move, m_delete, m_gap})
        a->setEnabled(lesson);
    // A lesson of a store opened read only prints as well.
    for (QAction *a : {m_try, m_print, m_printPreview, m_exportPdf})
        a->setEnabled(open && m_current != 0);
    m_preview->tryButton()->setEnabled(m_try->isEnabled());
    m_text->setReadOnly(!lesson);
}

void EditorWindow::updateBars()
{
    const Editor::ReadOnly readOnly = m_document ? m_document->readOnly() : Editor::ReadOnly::No;
    m_readOnlyText->setText(Editor::Messages::readOnly(readOnly));
    m_readOnlyBar->setVisible(readOnly != Editor::ReadOnly::No);

    const Editor::ProgramFolder::Stores stores = Editor::ProgramFolder::look(m_context.programFolder);
    const QString open = m_document ? QFileInfo(m_document->path()).absoluteFilePath() : QString();
    const bool besideProgram =
        open == QFileInfo(stores.sqlite).absoluteFilePath() || open == QFileInfo(stores.access).absoluteFilePath();
    m_hiddenText->setText(QStringLiteral(
        "ליד התוכנית יש קובץ Access ‏(db1.mdb), ולכן התלמידים רואים את שיעוריו ולא את שיעורי המאגר ‏db1.sqlite. "
        "כדי שהתלמידים יראו את db1.sqlite, אפשר להעביר את קובץ ה-Access הצידה בשם אחר; אפשר גם להחזיר אותו אחר כך."));
    m_hiddenBar->setVisible(besideProgram && stores.accessHidesSqlite);
    m_asideText->setText(QStringLiteral("קובץ ה-Access הועבר הצידה (%1), והתלמידים רואים את db1.sqlite.")
                             .arg(QFileInfo(stores.asideAccess).fileName()));
    m_asideBar->setVisible(besideProgram && !stores.asideAccess.isEmpty());
}

void EditorWindow::closeEvent(QCloseEvent *event)
{
    if (!leaveChanges(QStringLiteral("יש שינויים שלא נשמרו. לשמור אותם לפני היציאה?"))) {
        event->ignore();
        return;
    }
    event->accept();
}

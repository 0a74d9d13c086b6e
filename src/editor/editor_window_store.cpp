// The editor window's store: opening, saving, crash recovery, the stores beside the program.
#include "editor/editor_window.h"

#include "editor/editor_dialogs.h"
#include "editor/lesson_text_edit.h"
#include "editor/messages.h"
#include "editor/preview_pane.h"
#include "editor/program_folder.h"
#include "editor/recovery_file.h"
#include "lessons/patterns.h"
#include "platform/program_store.h"
#include "screens/exercise/lesson_preparation.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QSettings>
#include <QStatusBar>
#include <QTextDocument>
#include <QTimer>
#include <QUndoStack>

namespace {

const QString kRecentKey = QStringLiteral("recentStores");
constexpr int kRecentCount = 8;

} // namespace

bool EditorWindow::leaveChanges(const QString &question)
{
    if (!m_document || !m_document->hasChanges())
        return true;
    switch (m_context.dialogs.askUnsaved(this, question)) {
    case EditorDialogs::Unsaved::Save:
        return save();
    case EditorDialogs::Unsaved::Discard:
        forgetRecovery();
        return true;
    case EditorDialogs::Unsaved::Cancel:
        break;
    }
    return false;
}

bool EditorWindow::openStore(const QString &path)
{
    // Read first: a store that cannot be read leaves everything as it is, unasked.
    auto opened = Editor::StoreDocument::open(path);
    if (!opened.document) {
        m_context.dialogs.inform(this, Editor::Messages::openFailed(QDir::toNativeSeparators(path)));
        return false;
    }
    if (!leaveChanges(QStringLiteral("יש שינויים שלא נשמרו. לשמור אותם לפני שנפתח מאגר אחר?")))
        return false;
    takeDocument(std::move(*opened.document));
    rememberRecent(path);
    offerRecovery();
    return true;
}

void EditorWindow::openProgramStore()
{
    openStore(Lessons::programStorePath(m_context.programFolder));
}

void EditorWindow::takeDocument(Editor::StoreDocument document)
{
    m_refreshTimer->stop();
    m_recoveryTimer->stop();
    m_history->clear();
    dropTexts();
    m_current = 0;
    m_document = std::move(document);
    rowsChanged(0);
    updateBars();
}

void EditorWindow::dropTexts()
{
    m_showing = true;
    m_text->setDocument(nullptr);
    m_showing = false;
    for (const auto &[id, text] : m_texts)
        delete text;
    m_texts.clear();
}

std::optional<LessonRules::Finding> EditorWindow::refusalOf(const QString &text) const
{
    return Placement::prepareLesson(text, m_preview->placementInput()).refusal;
}

bool EditorWindow::save()
{
    if (!m_document || !m_document->hasChanges())
        return true;
    if (m_document->readOnly() != Editor::ReadOnly::No) {
        m_context.dialogs.inform(this, Editor::Messages::readOnly(m_document->readOnly()));
        return false;
    }
    // What the pupil program would refuse to open is never saved.
    for (int id : m_document->changedTexts()) {
        const Lessons::StoredLesson &lesson = m_document->find(id)->lesson;
        if (const auto refusal = refusalOf(lesson.cloze)) {
            showRow(id);
            m_context.dialogs.inform(this, QStringLiteral("השינויים לא נשמרו: את %1 תוכנית התלמידים לא תוכל לפתוח. %2")
                                               .arg(Editor::Messages::lessonName(lesson.pattern, lesson.lesson),
                                                    refusal->hebrew()));
            return false;
        }
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto saved = m_document->save();
    QApplication::restoreOverrideCursor();
    if (!saved.ok()) {
        keepForRecovery();
        if (saved.failure != Lessons::SqliteWriter::Failure::Changed) {
            m_context.dialogs.inform(this, Editor::Messages::saveFailed(saved.failure));
            return false;
        }
        // Another program wrote meanwhile: the teacher's changes can go on top of its.
        if (m_context.dialogs.ask(this, Editor::Messages::saveFailed(saved.failure)
                                                 + QStringLiteral(" לקרוא את המאגר מחדש ולהחיל עליו את השינויים שלך?"))) {
            const auto changes = m_document->changes();
            auto opened = Editor::StoreDocument::open(m_document->path());
            if (!opened.document) {
                m_context.dialogs.inform(this, Editor::Messages::openFailed(m_document->path()));
                return false;
            }
            opened.document->replay(changes);
            takeDocument(std::move(*opened.document));
            keepForRecovery();
        }
        return false;
    }
    m_history->clear();
    for (const auto &[id, text] : m_texts)
        text->clearUndoRedoStacks();
    forgetRecovery();
    rowsChanged(m_current);
    statusBar()->showMessage(QStringLiteral("השינויים נשמרו."), 5000);
    return true;
}

void EditorWindow::keepForRecovery()
{
    if (m_document && m_document->readOnly() == Editor::ReadOnly::No)
        Editor::RecoveryFile(m_context.recoveryFolder, m_document->path()).write(*m_document);
}

void EditorWindow::forgetRecovery()
{
    m_recoveryTimer->stop();
    if (m_document)
        Editor::RecoveryFile(m_context.recoveryFolder, m_document->path()).remove();
}

void EditorWindow::offerRecovery()
{
    if (!m_document || m_document->readOnly() != Editor::ReadOnly::No)
        return;
    const Editor::RecoveryFile file(m_context.recoveryFolder, m_document->path());
    const auto recovered = file.read();
    if (!recovered)
        return;
    const QString when = QLocale(QLocale::Hebrew).toString(recovered->written.toLocalTime(), QLocale::ShortFormat);
    if (!m_context.dialogs.ask(this, QStringLiteral("נמצאו שינויים שלא נשמרו במאגר זה (%1), כנראה מפני שהעורך נסגר "
                                                         "בלי לשמור. להחזיר אותם?")
                                              .arg(when))) {
        file.remove();
        return;
    }
    m_document->replay(recovered->changes);
    dropTexts();
    m_current = 0;
    rowsChanged(0);
}

void EditorWindow::rememberRecent(const QString &path)
{
    QStringList recent = settings().value(kRecentKey).toStringList();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    settings().setValue(kRecentKey, recent.mid(0, kRecentCount));
    fillRecent();
}

void EditorWindow::fillRecent()
{
    m_recent->clear();
    const QStringList recent = settings().value(kRecentKey).toStringList();
    for (int i = 0; i < recent.size(); ++i) {
        QAction *entry = m_recent->addAction(QDir::toNativeSeparators(recent[i]));
        entry->setObjectName(QStringLiteral("Recent_%1").arg(i));
        connect(entry, &QAction::triggered, this, [this, path = recent[i]] { openStore(path); });
    }
    m_recent->setEnabled(!recent.isEmpty());
}

void EditorWindow::chooseStore()
{
    const QString folder = m_document ? QFileInfo(m_document->path()).absolutePath() : m_context.programFolder;
    const QString path = m_context.dialogs.storeToOpen(this, folder);
    if (!path.isEmpty())
        openStore(path);
}

void EditorWindow::copyToNewStore()
{
    if (!m_document || !leaveChanges(QStringLiteral("יש שינויים שלא נשמרו. לשמור אותם לפני ההעתקה?")))
        return;
    const QFileInfo from(m_document->path());
    QString suggested = from.absoluteDir().filePath(from.completeBaseName() + QStringLiteral(".sqlite"));
    if (QFileInfo::exists(suggested))
        suggested = from.absoluteDir().filePath(from.completeBaseName() + QStringLiteral("-copy.sqlite"));
    QString path = m_context.dialogs.newStore(this, suggested);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".sqlite");
    const auto copied = Editor::ProgramFolder::copyStore(m_document->path(), path);
    if (!copied.ok()) {
        m_context.dialogs.inform(this, QStringLiteral("לא ניתן ליצור את המאגר %1: ייתכן שכבר יש קובץ בשם זה, שאין הרשאה "
                                                      "לכתוב בתיקייה, או שהדיסק מלא. שום קובץ קיים לא השתנה.")
                                           .arg(QDir::toNativeSeparators(path)));
        return;
    }
    openStore(path);
    statusBar()->showMessage(QStringLiteral("%1 שורות הועתקו למאגר החדש.").arg(*copied.value), 8000);
}

void EditorWindow::setAccessAside()
{
    const Editor::ProgramFolder::Stores stores = Editor::ProgramFolder::look(m_context.programFolder);
    if (!m_context.dialogs.ask(this, QStringLiteral("לשנות את שם קובץ ה-Access שליד התוכנית ל-db1-aside.mdb? "
                                                         "הקובץ עצמו אינו משתנה, ואפשר להחזיר את שמו מכאן אחר כך. "
                                                         "מעתה התלמידים יראו את שיעורי db1.sqlite.")))
        return;
    const auto moved = Editor::ProgramFolder::setAccessAside(m_context.programFolder);
    if (!moved.ok()) {
        m_context.dialogs.inform(this, QStringLiteral("לא ניתן לשנות את שם קובץ ה-Access: אין הרשאה לכך בתיקייה שלו. "
                                                      "שום דבר לא השתנה."));
        return;
    }
    // The Access file open here has a new name now; the pupils' store is the SQLite one.
    if (m_document && QFileInfo(m_document->path()).absoluteFilePath() == QFileInfo(stores.access).absoluteFilePath())
        openStore(stores.sqlite);
    updateBars();
}

void EditorWindow::putAccessBack()
{
    if (!m_context.dialogs.ask(this, QStringLiteral("להחזיר לקובץ ה-Access את שמו db1.mdb? מעתה התלמידים יראו שוב "
                                                         "את שיעוריו ולא את שיעורי db1.sqlite.")))
        return;
    if (!Editor::ProgramFolder::putAccessBack(m_context.programFolder).ok())
        m_context.dialogs.inform(this, QStringLiteral("לא ניתן להחזיר את שם קובץ ה-Access. שום דבר לא השתנה."));
    updateBars();
}

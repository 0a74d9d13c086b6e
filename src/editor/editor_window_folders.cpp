// The editor window and the lesson-file folders of cloze-lessons: FOLDER/PP/LL.txt.
#include "editor/editor_window.h"

#include "editor/editor_dialogs.h"
#include "editor/messages.h"
#include "lessons/lesson_files.h"
#include "lessons/patterns.h"

#include <QDir>
#include <QFileInfo>
#include <QStatusBar>

#include <algorithm>

void EditorWindow::importFolder()
{
    if (!m_document || m_document->readOnly() != Editor::ReadOnly::No)
        return;
    const QString folder =
        m_context.dialogs.lessonFolder(this, QStringLiteral("ייבוא שיעורים מתיקייה"), m_context.programFolder);
    if (folder.isEmpty())
        return;
    QString failedFile;
    const auto read = LessonFiles::readLessonFolder(folder, &failedFile);
    if (!read.ok()) {
        m_context.dialogs.inform(this, QStringLiteral("לא ניתן לקרוא את קובצי השיעור שבתיקייה: אחד מהם אינו טקסט בקידוד "
                                                      "UTF-8, או שאין הרשאה לקרוא אותו (%1). שום שיעור לא יובא.")
                                           .arg(QDir::toNativeSeparators(failedFile)));
        return;
    }
    if (read.value->rows.isEmpty()) {
        m_context.dialogs.inform(this, QStringLiteral("אין בתיקייה קובצי שיעור. קובץ שיעור נקרא PP/LL.txt: תיקייה בשם "
                                                      "מספר התבנית, ובה קובץ בשם מספר השיעור, בשתי ספרות כל אחד."));
        return;
    }
    // A lesson of a number that is there replaces the text its pupils read; any other is new.
    const QList<Editor::Row> before = m_document->rows();
    const auto [first, replaced] = m_document->merge(read.value->rows);
    const auto refused = std::count_if(read.value->rows.begin(), read.value->rows.end(),
                                       [this](const Lessons::StoredLesson &lesson) { return refusalOf(lesson.cloze).has_value(); });
    const QList<Editor::Row> after = m_document->rows();
    push(
        QStringLiteral("ייבוא"),
        [this, after, first = first] {
            m_document->restore(after);
            rowsChanged(first);
        },
        [this, before] {
            m_document->restore(before);
            rowsChanged(0);
        });
    rowsChanged(first);
    QString summary = QStringLiteral("יובאו %1 שיעורים: %2 חדשים, ו-%3 במקום הטקסט של שיעור קיים. השינויים עוד לא נשמרו.")
                          .arg(read.value->rows.size())
                          .arg(read.value->rows.size() - replaced)
                          .arg(replaced);
    if (refused)
        summary += QStringLiteral(" ב-%1 מהם יש בעיה שבגללה תוכנית התלמידים לא תפתח אותם; הממצאים של כל שיעור אומרים מה "
                                  "לתקן, ועד שיתוקנו אי אפשר לשמור.")
                       .arg(refused);
    if (!read.value->strays.isEmpty())
        summary += QStringLiteral(" %1 קבצים בתיקייה אינם קובצי שיעור ולא יובאו.").arg(read.value->strays.size());
    m_context.dialogs.inform(this, summary);
}

void EditorWindow::exportFolder(bool onePattern)
{
    if (!m_document)
        return;
    const int pattern = onePattern ? chosenPattern() : 0;
    const QString folder = m_context.dialogs.lessonFolder(
        this, onePattern ? QStringLiteral("ייצוא שיעורי תבנית %1 לתיקייה").arg(pattern) : QStringLiteral("ייצוא כל השיעורים לתיקייה"),
        QFileInfo(m_document->path()).absolutePath());
    if (folder.isEmpty())
        return;
    if (!LessonFiles::isNewOrEmptyFolder(folder)) {
        m_context.dialogs.inform(this, QStringLiteral("בחרו תיקייה חדשה או ריקה: שום קובץ שכבר נמצא בתיקייה אינו מוחלף."));
        return;
    }
    // What the window shows, unsaved changes included.
    QList<Lessons::StoredLesson> rows;
    for (const Editor::Row &row : m_document->rows())
        rows.append(row.lesson);
    const LessonFiles::Exported exported = LessonFiles::exportLessons(folder, rows, pattern);
    QString summary = QStringLiteral("נכתבו %1 קובצי שיעור לתיקייה %2.").arg(exported.written).arg(QDir::toNativeSeparators(folder));
    if (!exported.skipped.isEmpty())
        summary += QStringLiteral(" %1 שורות לא נכתבו: שורות נוספות לאותו מספר, טקסטים ריקים, ומספרים שאינם מ-1 עד 99.")
                       .arg(exported.skipped.size());
    if (!exported.failedPath.isEmpty())
        summary = QStringLiteral("הכתיבה אל %1 נכשלה (ייתכן שאין הרשאה או שהדיסק מלא), והייצוא נעצר. %2")
                      .arg(QDir::toNativeSeparators(exported.failedPath), summary);
    m_context.dialogs.inform(this, summary);
}

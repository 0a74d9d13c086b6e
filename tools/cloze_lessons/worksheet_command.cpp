#include "run.h"

#include "lessons/patterns.h"
#include "platform/store_engine.h"
#include "worksheet/worksheet_pages.h"

#include <QFileInfo>
#include <QGuiApplication>

namespace LessonTool {

using LessonRules::Finding;
using Lessons::lessonName;

// One lesson of the store as a sheet; a lesson the pupil program refuses is told and left out.
bool Run::worksheetSheet(const QString &store, int pattern, int lesson, QList<Worksheet::Sheet> *sheets)
{
    const auto text = Lessons::openStoreEngine(store)->lessonText(pattern, lesson);
    if (!text.ok()) {
        fail(text.error);
        return false;
    }
    if (text.value->isEmpty()) {
        fail(QStringLiteral("%1: no text for %2").arg(store, lessonName(pattern, lesson)));
        return false;
    }
    const Worksheet::PreparedSheet prepared = Worksheet::prepareSheet(*text.value);
    if (prepared.refusal) {
        Finding refusal = *prepared.refusal;
        refusal.pattern = pattern;
        refusal.lesson = lesson;
        fail(LessonRules::describe(refusal));
        return false;
    }
    sheets->append({*prepared.content, Worksheet::lessonCaption(pattern, lesson)});
    return true;
}

int Run::worksheet()
{
    Worksheet::Options options;
    bool all = false;
    QStringList operands;
    for (const QString &arg : m_args.mid(1)) {
        if (arg == QStringLiteral("--word-bank"))
            options.wordBank = true;
        else if (arg == QStringLiteral("--hints"))
            options.hints = true;
        else if (arg == QStringLiteral("--no-key"))
            options.answerKey = false;
        else if (arg == QStringLiteral("--letter"))
            options.paper = Worksheet::Paper::Letter;
        else if (arg == QStringLiteral("--a4"))
            options.paper = Worksheet::Paper::A4;
        else if (arg == QStringLiteral("--all"))
            all = true;
        else if (arg.startsWith(QStringLiteral("--")))
            return usage(QStringLiteral("unknown worksheet option '%1'").arg(arg));
        else
            operands << arg;
    }
    if (operands.size() != (all ? 3 : 4))
        return usage(QStringLiteral("worksheet takes STORE PATTERN LESSON OUT.pdf, or STORE PATTERN --all OUT.pdf"));
    int pattern = 0;
    int lesson = 0;
    if (!wholeNumber(operands.at(1), &pattern) || (!all && !wholeNumber(operands.at(2), &lesson)))
        return usage(QStringLiteral("PATTERN and LESSON must be whole numbers"));
    const QString &store = operands.first();
    const QString &out = operands.last();
    if (!out.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        return usage(QStringLiteral("the worksheet file must end in .pdf, not '%1'").arg(out));
    // A file the teacher already has is never overwritten.
    if (QFileInfo(out).exists() || QFileInfo(out).isSymLink())
        return fail(QStringLiteral("%1: already exists; choose a new name, nothing is overwritten").arg(out));
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return fail(QStringLiteral("worksheets need the toolkit's fonts, which come with a QGuiApplication"));

    QList<Worksheet::Sheet> sheets;
    int status = kSuccess;
    if (all) {
        const auto lessons = Lessons::openStoreEngine(store)->lessons(pattern);
        if (!lessons.ok())
            return fail(lessons.error);
        if (lessons.value->isEmpty())
            return fail(QStringLiteral("%1: pattern %2 has no lessons").arg(store).arg(pattern));
        // A refused lesson is named and left out; the others still make the set.
        for (const Lessons::LessonInfo &info : *lessons.value) {
            if (!worksheetSheet(store, pattern, info.lesson, &sheets))
                status = kFailure;
        }
        if (sheets.isEmpty())
            return fail(QStringLiteral("%1: not written; no lesson of pattern %2 could be made").arg(out).arg(pattern));
    } else if (!worksheetSheet(store, pattern, lesson, &sheets)) {
        return kFailure;
    }

    Worksheet::PageCounts pages;
    const QString error = Worksheet::writePdf(out, sheets, options, &pages);
    if (!error.isEmpty())
        return fail(QStringLiteral("%1: cannot write: %2").arg(out, error));
    say(QStringLiteral("wrote %1: %2 lesson(s), %3 worksheet page(s), %4 answer key page(s)")
            .arg(out)
            .arg(sheets.size())
            .arg(pages.pupil)
            .arg(pages.key));
    return status;
}

} // namespace LessonTool

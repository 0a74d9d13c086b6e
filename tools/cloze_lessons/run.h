#pragma once

#include "commands.h"

#include "lessons/lesson_rules.h"
#include "platform/store_rows.h"
#include "platform/sqlite_writer.h"

namespace Worksheet {
struct Sheet;
}

namespace LessonTool {

/// One run of the tool over its arguments; each command in a member of its own.
class Run
{
public:
    Run(const QStringList &args, QString programFolder, Output &output)
        : m_args(args)
        , m_programFolder(std::move(programFolder))
        , m_output(output)
    {
    }

    int exec();

private:
    int list();
    int show();
    int check();
    int import();
    int put(Lessons::SqliteWriter::Change change);
    int remove();
    int exportLessons();
    int build();
    int worksheet();
    bool worksheetSheet(const QString &store, int pattern, int lesson, QList<Worksheet::Sheet> *sheets);

    void say(const QString &line) { m_output.out += line.toUtf8() + '\n'; }
    void warn(const QString &line) { m_output.err += line.toUtf8() + '\n'; }
    int fail(const QString &line)
    {
        warn(QStringLiteral("cloze-lessons: ") + line);
        return kFailure;
    }
    int usage(const QString &line)
    {
        warn(QStringLiteral("cloze-lessons: ") + line);
        warn(QStringLiteral("Try 'cloze-lessons --help'."));
        return kUsage;
    }
    bool argCount(int least, int most) const { return m_args.size() - 1 >= least && m_args.size() - 1 <= most; }
    bool number(int index, int *value) const { return wholeNumber(m_args.at(index), value); }
    static bool wholeNumber(const QString &text, int *value)
    {
        return Lessons::readStoredNumber(text.toUtf8(), value) == Lessons::StoredNumber::Whole;
    }
    bool lessonFile(const QString &path, QString *text);
    bool lessonFolder(const QString &folder, QList<Lessons::StoredLesson> *rows, QList<LessonRules::Finding> *findings);
    void warnUnmatched(const QList<Lessons::UnmatchedRow> &rows, const QString &what)
    {
        for (const Lessons::UnmatchedRow &row : rows)
            warn(QStringLiteral("warning: %1: %2").arg(what, LessonRules::unmatchedRow(row).english()));
    }

    const QStringList &m_args;
    QString m_programFolder;
    Output &m_output;
};

} // namespace LessonTool

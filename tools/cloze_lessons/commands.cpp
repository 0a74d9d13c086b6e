#include "commands.h"
#include "run.h"

#include "lessons/lesson_files.h"

#include "lessons/lesson_rules.h"
#include "lessons/patterns.h"
#include "platform/program_store.h"
#include "platform/sqlite_writer.h"
#include "platform/store_engine.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace LessonTool {

namespace {

using LessonRules::Finding;
using Lessons::lessonName;
using Lessons::StoredLesson;

// One line per entry: the heading's line breaks are written as \r and \n.
QString oneLine(const QString &entry)
{
    QString line;
    for (const QChar c : entry) {
        if (c == QLatin1Char('\\'))
            line += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\r'))
            line += QStringLiteral("\\r");
        else if (c == QLatin1Char('\n'))
            line += QStringLiteral("\\n");
        else
            line += c;
    }
    return line;
}

// A finding as the tool prints it; a warning says so.
QString findingLine(const Finding &finding)
{
    const QString line = LessonRules::describe(finding);
    return finding.severity() == LessonRules::Severity::Warning ? QStringLiteral("warning: ") + line : line;
}

qsizetype problemCount(const QList<Finding> &findings)
{
    return std::count_if(findings.begin(), findings.end(),
                         [](const Finding &f) { return f.severity() != LessonRules::Severity::Warning; });
}

} // namespace

int Run::exec()
{
    if (m_args.isEmpty())
        return usage(QStringLiteral("no command given"));
    const QString command = m_args.first();
    if (command == QStringLiteral("--help") || command == QStringLiteral("-h") || command == QStringLiteral("help")) {
        m_output.out += usageText().toUtf8();
        return kSuccess;
    }
    if (command == QStringLiteral("list"))
        return list();
    if (command == QStringLiteral("show"))
        return show();
    if (command == QStringLiteral("check"))
        return check();
    if (command == QStringLiteral("import"))
        return import();
    if (command == QStringLiteral("add"))
        return put(Lessons::SqliteWriter::Change::Add);
    if (command == QStringLiteral("replace"))
        return put(Lessons::SqliteWriter::Change::Replace);
    if (command == QStringLiteral("remove"))
        return remove();
    if (command == QStringLiteral("export"))
        return exportLessons();
    if (command == QStringLiteral("build"))
        return build();
    if (command == QStringLiteral("worksheet"))
        return worksheet();
    return usage(QStringLiteral("unknown command '%1'").arg(command));
}

int Run::list()
{
    if (!argCount(0, 2))
        return usage(QStringLiteral("list takes [STORE [PATTERN]]"));
    const QString path = m_args.size() > 1 ? m_args.at(1) : Lessons::programStorePath(m_programFolder);
    const auto store = Lessons::openStoreEngine(path);
    if (m_args.size() == 3) {
        int pattern = 0;
        if (!number(2, &pattern))
            return usage(QStringLiteral("PATTERN must be a whole number, not '%1'").arg(m_args.at(2)));
        const auto lessons = store->lessons(pattern);
        if (!lessons.ok())
            return fail(lessons.error);
        for (const Lessons::LessonInfo &info : *lessons.value)
            say(oneLine(Patterns::lessonEntry(info.lesson, info.heading)));
        return kSuccess;
    }
    // One read of the whole table; each pattern's count is what the chooser lists.
    const auto rows = store->allLessons();
    if (!rows.ok())
        return fail(rows.error);
    for (int pattern : Patterns::namedPatternNumbers())
        say(Patterns::patternEntry(pattern) + QLatin1Char('\t')
            + QString::number(Lessons::lessonListing(*rows.value, pattern).size()));
    return kSuccess;
}

int Run::show()
{
    int pattern = 0;
    int lesson = 0;
    if (!argCount(3, 3))
        return usage(QStringLiteral("show takes STORE PATTERN LESSON"));
    if (!number(2, &pattern) || !number(3, &lesson))
        return usage(QStringLiteral("PATTERN and LESSON must be whole numbers"));
    const auto text = Lessons::openStoreEngine(m_args.at(1))->lessonText(pattern, lesson);
    if (!text.ok())
        return fail(text.error);
    if (text.value->isEmpty())
        return fail(QStringLiteral("%1: no text for %2").arg(m_args.at(1), lessonName(pattern, lesson)));
    m_output.out += text.value->toUtf8();
    return kSuccess;
}

bool Run::lessonFile(const QString &path, QString *text)
{
    const auto read = LessonFiles::readLessonSource(path);
    if (!read.ok()) {
        fail(read.error);
        return false;
    }
    *text = *read.value;
    return true;
}

// Every lesson file of a folder as store rows, with the folder's findings naming their files.
bool Run::lessonFolder(const QString &folder, QList<StoredLesson> *rows, QList<Finding> *findings)
{
    const auto read = LessonFiles::readLessonFolder(folder);
    if (!read.ok()) {
        fail(read.error);
        return false;
    }
    *rows = read.value->rows;
    for (Finding finding : LessonRules::checkStore(*rows)) {
        for (const LessonFiles::SourceFile &file : read.value->files) {
            if (file.pattern == finding.pattern && file.lesson == finding.lesson)
                finding.file = file.path;
        }
        findings->append(finding);
    }
    for (const QString &stray : read.value->strays)
        findings->append({Finding::Kind::StrayFile, 0, 0, 0, stray});
    return true;
}

int Run::check()
{
    if (!argCount(1, 1))
        return usage(QStringLiteral("check takes STORE, a lesson FILE or a FOLDER of lesson files"));
    const QString path = m_args.at(1);
    const QFileInfo info(path);
    QList<Finding> findings;
    int checked = 0;

    if (info.isDir()) {
        QList<StoredLesson> rows;
        if (!lessonFolder(path, &rows, &findings))
            return kFailure;
        checked = int(rows.size());
    } else if (info.suffix().compare(QStringLiteral("txt"), Qt::CaseInsensitive) == 0) {
        QString text;
        if (!lessonFile(path, &text))
            return kFailure;
        int pattern = 0;
        int lesson = 0;
        const bool numbered = LessonFiles::numbersFromSourcePath(path, &pattern, &lesson);
        findings = LessonRules::checkText(text);
        for (Finding &finding : findings) {
            finding.pattern = pattern;
            finding.lesson = lesson;
        }
        if (numbered)
            findings += LessonRules::checkNumbers(pattern, lesson);
        for (Finding &finding : findings)
            finding.file = path;
        checked = 1;
    } else {
        const auto table = Lessons::openStoreEngine(path)->table();
        if (!table.ok())
            return fail(table.error);
        for (const Lessons::UnmatchedRow &row : table.value->unmatched)
            findings.append(LessonRules::unmatchedRow(row));
        findings += LessonRules::checkStore(table.value->lessons);
        checked = int(table.value->lessons.size());
    }

    for (const Finding &finding : findings)
        say(findingLine(finding));
    if (problemCount(findings) > 0)
        return kFailure;
    say(QStringLiteral("no problems in %1 lesson(s)").arg(checked));
    if (!findings.isEmpty())
        say(QStringLiteral("%1 warning(s)").arg(findings.size()));
    return kSuccess;
}

int Run::import()
{
    if (!argCount(2, 2))
        return usage(QStringLiteral("import takes SOURCE.mdb TARGET.sqlite"));
    const auto table = Lessons::openStoreEngine(m_args.at(1))->table();
    if (!table.ok())
        return fail(table.error);
    const auto written =
        Lessons::SqliteWriter::createStore(m_args.at(2), table.value->lessons, Lessons::SqliteWriter::Existing::Refuse);
    if (!written.ok())
        return fail(written.error);
    warnUnmatched(table.value->unmatched, QStringLiteral("not imported"));
    say(QStringLiteral("imported %1 row(s) into %2").arg(*written.value).arg(m_args.at(2)));
    return kSuccess;
}

int Run::put(Lessons::SqliteWriter::Change change)
{
    const bool add = change == Lessons::SqliteWriter::Change::Add;
    int pattern = 0;
    int lesson = 0;
    if (!argCount(4, 4))
        return usage(QStringLiteral("%1 takes STORE PATTERN LESSON FILE").arg(m_args.first()));
    if (!number(2, &pattern) || !number(3, &lesson))
        return usage(QStringLiteral("PATTERN and LESSON must be whole numbers"));
    const QString store = m_args.at(1);
    if (Lessons::isAccessPath(store))
        return fail(QStringLiteral("%1: an Access file is never changed; import it into an SQLite store first").arg(store));
    if (pattern < 1 || pattern > Patterns::kHighestLessonNumber || lesson < 1 || lesson > Patterns::kHighestLessonNumber)
        return fail(QStringLiteral("%1 refused: pattern and lesson numbers run from 1 to %2")
                        .arg(lessonName(pattern, lesson))
                        .arg(Patterns::kHighestLessonNumber));
    QString text;
    if (!lessonFile(m_args.at(4), &text))
        return kFailure;
    if (text.isEmpty())
        return fail(QStringLiteral("%1 refused: %2 is empty").arg(lessonName(pattern, lesson), m_args.at(4)));

    // What the rules find is told, not refused: a teacher may store work in progress,
    // and check keeps pointing at it.
    QList<Finding> findings = LessonRules::checkText(text);
    for (Finding &finding : findings) {
        finding.pattern = pattern;
        finding.lesson = lesson;
    }
    findings += LessonRules::checkNumbers(pattern, lesson);
    const auto done = Lessons::SqliteWriter::putLesson(store, pattern, lesson, text, change);
    if (!done.ok())
        return fail(done.error);
    for (Finding finding : findings) {
        finding.file = m_args.at(4);
        warn(QStringLiteral("warning: ") + LessonRules::describe(finding));
    }
    say(QStringLiteral("%1 %2 in %3").arg(add ? QStringLiteral("added") : QStringLiteral("replaced"), lessonName(pattern, lesson), store));
    return kSuccess;
}

int Run::remove()
{
    int pattern = 0;
    int lesson = 0;
    if (!argCount(3, 3))
        return usage(QStringLiteral("remove takes STORE PATTERN LESSON"));
    if (!number(2, &pattern) || !number(3, &lesson))
        return usage(QStringLiteral("PATTERN and LESSON must be whole numbers"));
    const auto done = Lessons::SqliteWriter::removeLesson(m_args.at(1), pattern, lesson);
    if (!done.ok())
        return fail(done.error);
    say(QStringLiteral("removed %1 from %2").arg(lessonName(pattern, lesson), m_args.at(1)));
    return kSuccess;
}

int Run::exportLessons()
{
    if (!argCount(2, 2))
        return usage(QStringLiteral("export takes STORE FOLDER"));
    const QString folder = m_args.at(2);
    // Files a teacher already has are never overwritten.
    if (!LessonFiles::isNewOrEmptyFolder(folder))
        return fail(QStringLiteral("%1: choose a new or empty folder; nothing there is overwritten").arg(folder));
    const auto table = Lessons::openStoreEngine(m_args.at(1))->table();
    if (!table.ok())
        return fail(table.error);
    warnUnmatched(table.value->unmatched, QStringLiteral("not exported"));

    const LessonFiles::Exported exported = LessonFiles::exportLessons(folder, table.value->lessons);
    int status = kSuccess;
    for (const LessonFiles::Skipped &skipped : exported.skipped) {
        const QString name = lessonName(skipped.pattern, skipped.lesson);
        switch (skipped.why) {
        case LessonFiles::Skipped::Why::SecondRow:
            warn(QStringLiteral("skipped a second row of %1; only the first is read").arg(name));
            break;
        case LessonFiles::Skipped::Why::Empty:
            say(QStringLiteral("skipped %1: the text is empty").arg(name));
            break;
        case LessonFiles::Skipped::Why::OutOfRange:
            warn(QStringLiteral("cloze-lessons: %1 not exported: lesson files have two-digit numbers").arg(name));
            status = kFailure;
            break;
        case LessonFiles::Skipped::Why::Unwritable:
            warn(QStringLiteral("cloze-lessons: %1 not exported: %2").arg(name, skipped.detail));
            status = kFailure;
            break;
        }
    }
    if (!exported.failedPath.isEmpty())
        return fail(QStringLiteral("%1: cannot write").arg(exported.failedPath));
    say(QStringLiteral("exported %1 lesson(s) to %2").arg(exported.written).arg(folder));
    return status;
}

int Run::build()
{
    if (!argCount(2, 2))
        return usage(QStringLiteral("build takes FOLDER TARGET.sqlite"));
    const QString folder = m_args.at(1);
    if (!QFileInfo(folder).isDir())
        return fail(QStringLiteral("%1: no such folder").arg(folder));
    QList<StoredLesson> rows;
    QList<Finding> findings;
    if (!lessonFolder(folder, &rows, &findings))
        return kFailure;
    // Shipped lessons keep every rule; one problem stops the build and nothing is written.
    for (const Finding &finding : findings)
        warn(findingLine(finding));
    if (const qsizetype problems = problemCount(findings); problems > 0)
        return fail(QStringLiteral("%1: not built; %2 problem(s) in %3").arg(m_args.at(2)).arg(problems).arg(folder));
    const auto written = Lessons::SqliteWriter::createStore(m_args.at(2), rows, Lessons::SqliteWriter::Existing::Replace);
    if (!written.ok())
        return fail(written.error);
    say(QStringLiteral("built %1 with %2 lesson(s)").arg(m_args.at(2)).arg(*written.value));
    return kSuccess;
}


int runTool(const QStringList &args, const QString &programFolder, Output &output)
{
    return Run(args, programFolder, output).exec();
}

} // namespace LessonTool

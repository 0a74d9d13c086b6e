#include "commands.h"

#include "lessons/lesson_files.h"

#include "lessons/lesson_rules.h"
#include "lessons/patterns.h"
#include "platform/program_store.h"
#include "platform/sqlite_writer.h"
#include "platform/store_engine.h"
#include "worksheet/worksheet_pages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <algorithm>

namespace LessonTool {

namespace {

using LessonRules::Finding;
using Lessons::lessonName;
using Lessons::StoredLesson;

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
    bool lessonFolder(const QString &folder, QList<StoredLesson> *rows, QList<Finding> *findings);
    void warnUnmatched(const QList<Lessons::UnmatchedRow> &rows, const QString &what)
    {
        for (const Lessons::UnmatchedRow &row : rows)
            warn(QStringLiteral("warning: %1: %2").arg(what, LessonRules::unmatchedRow(row).english()));
    }

    const QStringList &m_args;
    QString m_programFolder;
    Output &m_output;
};

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
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("%1: cannot read the lesson file").arg(path));
        return false;
    }
    const auto decoded = LessonFiles::decodeLessonSource(file.readAll());
    if (!decoded.ok()) {
        fail(QStringLiteral("%1: %2").arg(path, decoded.error));
        return false;
    }
    *text = *decoded.value;
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

} // namespace

QString usageText()
{
    return QStringLiteral(
        "Usage: cloze-lessons COMMAND ...\n"
        "Lists, checks and edits the lesson store of the cloze trainer. STORE is a\n"
        "\".mdb\" (Access, only ever read) or \".sqlite\" file; list without STORE uses\n"
        "the store beside the program (db1.mdb if present, else db1.sqlite).\n"
        "\n"
        "  list [STORE]                      the 24 patterns, each with its lesson count\n"
        "  list STORE PATTERN                the pattern's lesson entries as the chooser\n"
        "                                    shows them; line breaks written as \\r \\n\n"
        "  show STORE PATTERN LESSON         the lesson's text exactly as stored (UTF-8)\n"
        "  check STORE|FILE|FOLDER           every rule of the lesson format, one line per\n"
        "                                    finding; exit status 0 only when all is well\n"
        "  import SOURCE.mdb TARGET.sqlite   copy every row into a new SQLite store\n"
        "  add STORE PATTERN LESSON FILE     store a new lesson from a lesson file\n"
        "  replace STORE PATTERN LESSON FILE replace a lesson's text from a lesson file\n"
        "  remove STORE PATTERN LESSON       remove a lesson\n"
        "  export STORE FOLDER               write every lesson to FOLDER/PP/LL.txt\n"
        "  build FOLDER TARGET.sqlite        make a store from FOLDER/PP/LL.txt files,\n"
        "                                    refusing any lesson that breaks a rule\n"
        "  worksheet STORE PATTERN LESSON OUT.pdf\n"
        "                                    a worksheet of the lesson to print, with room\n"
        "                                    for name and class and a blank for every gap,\n"
        "                                    and its answer key on pages of its own\n"
        "  worksheet STORE PATTERN --all OUT.pdf\n"
        "                                    the worksheets of every lesson of the pattern\n"
        "                                    in one file, then their answer keys\n"
        "      --word-bank                   a box with the answers in alphabetical order\n"
        "      --hints                       the letter signs (###'#) under each blank\n"
        "      --no-key                      no answer key\n"
        "      --letter                      Letter paper instead of A4\n"
        "  --help                            this text\n"
        "\n"
        "Lesson files: FOLDER/PP/LL.txt with two-digit pattern and lesson numbers\n"
        "(24/01.txt), UTF-8. A file without any CR gets CR LF line breaks (one final\n"
        "line feed is dropped); a file with CRs is taken byte for byte. export writes\n"
        "texts exactly, so they read back unchanged.\n"
        "\n"
        "Rules: a heading (the text before the first \"1\") without \"1\" or \"&\", a line\n"
        "beginning with \"1\", gaps \"&answer&\" closed on their line, at most 50 gaps and\n"
        "99 text pieces, lessons 1 to 99 without holes, no empty texts. Pattern and\n"
        "lesson may have any Access number type; a row whose number is not whole (5.5)\n"
        "is never read, and import and export leave it out with a warning.\n"
        "\n"
        "worksheet refuses a lesson the pupil program refuses, with the same reason, and\n"
        "never overwrites a file; with --all it leaves such a lesson out and says so.\n"
        "\n"
        "Changes are made only to SQLite stores, each in one transaction. Exit status:\n"
        "0 done, 1 a finding or a failure, 2 a wrong command line.\n");
}

int runTool(const QStringList &args, const QString &programFolder, Output &output)
{
    return Run(args, programFolder, output).exec();
}

} // namespace LessonTool

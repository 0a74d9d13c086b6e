#include "lessons/lesson_files.h"

#include "lessons/patterns.h"
#include "platform/text_decoding.h"
#include "state/numbers.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <set>

namespace LessonFiles {

namespace {

bool twoDigits(const QString &text, int *value)
{
    const bool digits = text.size() == 2 && text.at(0).isDigit() && text.at(0).unicode() <= '9';
    return digits && Numbers::readWholeNumber(text, value) == Numbers::WholeNumber::Whole && *value >= 1
        && *value <= Patterns::kHighestLessonNumber;
}

} // namespace

Lessons::StoreOutcome<QString> decodeLessonSource(const QByteArray &bytes)
{
    std::optional<QString> text = TextDecoding::decode(bytes, TextDecoding::Otherwise::Refuse);
    if (!text)
        return {std::nullopt, QStringLiteral("the file is not UTF-8 text")};
    if (!text->contains(QLatin1Char('\r'))) {
        if (text->endsWith(QLatin1Char('\n')))
            text->chop(1);
        text->replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    }
    return {std::move(text), QString()};
}

Lessons::StoreOutcome<QByteArray> encodeLessonSource(const QString &text)
{
    if (!text.contains(QLatin1Char('\r')) && text.contains(QLatin1Char('\n')))
        return {std::nullopt, QStringLiteral("the text breaks lines with line feeds alone, which a lesson file cannot keep")};
    QByteArray bytes = text.toUtf8();
    // A text that itself begins with a byte order mark keeps it behind the one dropped.
    if (bytes.startsWith(TextDecoding::kUtf8Bom))
        bytes.prepend(TextDecoding::kUtf8Bom);
    return {std::move(bytes), QString()};
}

Lessons::StoreOutcome<QString> readLessonSource(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {std::nullopt, QStringLiteral("%1: cannot read the lesson file").arg(path)};
    auto decoded = decodeLessonSource(file.readAll());
    if (!decoded.ok())
        decoded.error = QStringLiteral("%1: %2").arg(path, decoded.error);
    return decoded;
}

QString lessonSourcePath(const QString &folder, int pattern, int lesson)
{
    return QDir(folder).filePath(QStringLiteral("%1/%2.txt").arg(pattern, 2, 10, QLatin1Char('0')).arg(lesson, 2, 10, QLatin1Char('0')));
}

bool numbersFromSourcePath(const QString &path, int *pattern, int *lesson)
{
    const QFileInfo file(path);
    if (file.suffix() != QStringLiteral("txt"))
        return false;
    return twoDigits(file.completeBaseName(), lesson) && twoDigits(file.dir().dirName(), pattern);
}

SourceScan scanLessonFolder(const QString &folder)
{
    SourceScan scan;
    // relativeFilePath only relates absolute paths, and a teacher may give "data/lessons".
    const QDir root(QFileInfo(folder).absoluteFilePath());
    QDirIterator it(root.path(), {QStringLiteral("*.txt")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        SourceFile file{0, 0, path};
        const bool inPatternFolder = root.relativeFilePath(path).count(QLatin1Char('/')) == 1;
        if (inPatternFolder && numbersFromSourcePath(path, &file.pattern, &file.lesson))
            scan.files.append(file);
        else
            scan.strays.append(path);
    }
    std::sort(scan.files.begin(), scan.files.end(), [](const SourceFile &a, const SourceFile &b) {
        return std::tie(a.pattern, a.lesson) < std::tie(b.pattern, b.lesson);
    });
    std::sort(scan.strays.begin(), scan.strays.end());
    return scan;
}

Lessons::StoreOutcome<FolderLessons> readLessonFolder(const QString &folder, QString *failedFile)
{
    const SourceScan scan = scanLessonFolder(folder);
    FolderLessons read{scan.files, {}, scan.strays};
    for (const SourceFile &source : scan.files) {
        const auto text = readLessonSource(source.path);
        if (!text.ok()) {
            if (failedFile)
                *failedFile = source.path;
            return {std::nullopt, text.error};
        }
        read.rows.append(Lessons::StoredLesson{source.pattern, source.lesson, *text.value, false});
    }
    return {std::move(read), QString()};
}

bool isNewOrEmptyFolder(const QString &folder)
{
    const QFileInfo target(folder);
    return !target.exists()
        || (target.isDir() && QDir(folder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

Exported exportLessons(const QString &folder, const QList<Lessons::StoredLesson> &rows, int pattern)
{
    Exported exported;
    std::set<std::pair<int, int>> seen;
    for (const Lessons::StoredLesson &row : rows) {
        if (pattern != 0 && row.pattern != pattern)
            continue;
        const auto skip = [&](Skipped::Why why, const QString &detail = QString()) {
            exported.skipped.append({why, row.pattern, row.lesson, detail});
        };
        if (!seen.insert({row.pattern, row.lesson}).second) {
            skip(Skipped::Why::SecondRow);
            continue;
        }
        if (!row.hasText()) {
            skip(Skipped::Why::Empty);
            continue;
        }
        if (row.pattern < 1 || row.pattern > Patterns::kHighestLessonNumber || row.lesson < 1
            || row.lesson > Patterns::kHighestLessonNumber) {
            skip(Skipped::Why::OutOfRange);
            continue;
        }
        const auto bytes = encodeLessonSource(row.cloze);
        if (!bytes.ok()) {
            skip(Skipped::Why::Unwritable, bytes.error);
            continue;
        }
        const QString path = lessonSourcePath(folder, row.pattern, row.lesson);
        QSaveFile file(path);
        if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !file.open(QIODevice::WriteOnly)
            || file.write(*bytes.value) != bytes.value->size() || !file.commit()) {
            exported.failedPath = path;
            return exported;
        }
        ++exported.written;
    }
    return exported;
}

} // namespace LessonFiles

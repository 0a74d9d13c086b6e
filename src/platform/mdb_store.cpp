#include "platform/mdb_store.h"

namespace Lessons {

namespace {

bool isWhole(const QByteArray &text, int expected)
{
    int value = 0;
    return readStoredNumber(text, &value) == StoredNumber::Whole && value == expected;
}

// Rows are chosen here and not by a Where clause: libmdb cannot compare Currency and
// Decimal columns (it lets every row through), and its Byte comparison is signed.
Mdb::RowTest rowsOf(int pattern, std::optional<int> lesson)
{
    return {{"pattern", "lesson"}, [pattern, lesson](const QByteArrayList &values) {
                return isWhole(values.at(0), pattern) && (!lesson || isWhole(values.at(1), *lesson));
            }};
}

} // namespace

MdbLessonStore::MdbLessonStore(QString path, Mdb::QueryOptions options)
    : m_path(std::move(path))
    , m_options(options)
{
}

StoreOutcome<StoredTable> MdbLessonStore::read(const Mdb::RowTest &test)
{
    if (const QString reason = unreadableFileReason(m_path); !reason.isEmpty())
        return {std::nullopt, reason};
    const auto answer = Mdb::runQuery(m_path, allRowsStatement(), {"pattern", "lesson", "cloze"}, m_options, test);
    if (!answer.ok())
        return {std::nullopt, answer.error};
    StoredTable table;
    for (const QByteArrayList &values : *answer.value) {
        StoredLesson row;
        if (readStoredNumber(values.at(0), &row.pattern) != StoredNumber::Whole
            || readStoredNumber(values.at(1), &row.lesson) != StoredNumber::Whole) {
            table.unmatched.append({int(table.lessons.size() + table.unmatched.size()) + 1, values.at(0), values.at(1)});
            continue;
        }
        row.cloze = QString::fromUtf8(values.at(2));
        table.lessons.append(row);
    }
    return {std::move(table), QString()};
}

StoreOutcome<QList<LessonInfo>> MdbLessonStore::lessons(int pattern)
{
    const auto rows = read(rowsOf(pattern, std::nullopt));
    if (!rows.ok())
        return {std::nullopt, rows.error};
    return {lessonListing(rows.value->lessons, pattern), QString()};
}

StoreOutcome<QString> MdbLessonStore::lessonText(int pattern, int lesson)
{
    const auto rows = read(rowsOf(pattern, lesson));
    if (!rows.ok())
        return {std::nullopt, rows.error};
    return {lessonTextOf(rows.value->lessons, pattern, lesson), QString()};
}

StoreOutcome<StoredTable> MdbLessonStore::table()
{
    return read({});
}

} // namespace Lessons

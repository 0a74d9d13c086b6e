#pragma once

#include "platform/store_engine.h"

namespace Lessons {

/// The embedded store "db1.sqlite": a table `closes` with `pattern`, `lesson` and
/// `cloze`. Read only; every call opens the file and closes it again.
class SqliteLessonStore : public StoreEngine
{
public:
    explicit SqliteLessonStore(QString path);

    StoreOutcome<QList<LessonInfo>> lessons(int pattern) override;
    StoreOutcome<QString> lessonText(int pattern, int lesson) override;
    StoreOutcome<StoredTable> table() override;
    QString filePath() const override { return m_path; }

private:
    /// Runs statement, or reads the whole table when the store keeps its numbers as
    /// text, which the statement would not match; *whole tells which was done.
    /// wholeRows: the statement selects every column, so pattern and lesson must be there.
    StoreOutcome<QList<StoredLesson>> query(const QByteArray &statement, bool wholeRows, bool *whole);

    QString m_path;
};

} // namespace Lessons

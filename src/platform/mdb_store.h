#pragma once

#include "platform/mdb_query.h"
#include "platform/store_engine.h"

namespace Lessons {

/// The Access file "db1.mdb", read with mdbtools. A row belongs to pattern P and
/// lesson L when its numbers equal them exactly, whatever number type the columns
/// have. Read only; every call opens the file and closes it again.
class MdbLessonStore : public StoreEngine
{
public:
    explicit MdbLessonStore(QString path, Mdb::QueryOptions options = {});

    StoreOutcome<QList<LessonInfo>> lessons(int pattern) override;
    StoreOutcome<QString> lessonText(int pattern, int lesson) override;
    StoreOutcome<StoredTable> table() override;
    QString filePath() const override { return m_path; }

private:
    /// The rows test keeps, in table order.
    StoreOutcome<StoredTable> read(const Mdb::RowTest &test);

    QString m_path;
    Mdb::QueryOptions m_options;
};

} // namespace Lessons

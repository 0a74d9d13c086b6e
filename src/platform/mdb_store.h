#pragma once

#include "platform/mdb_query.h"
#include "platform/store_engine.h"

namespace Lessons {

/// The Access file "db1.mdb", read with mdbtools through the statements the chooser
/// has always used. Read only; every call opens the file and closes it again.
class MdbLessonStore : public StoreEngine
{
public:
    explicit MdbLessonStore(QString path, Mdb::QueryOptions options = {});

    StoreOutcome<QList<LessonInfo>> lessons(int pattern) override;
    StoreOutcome<QString> lessonText(int pattern, int lesson) override;
    StoreOutcome<QList<StoredLesson>> allLessons() override;
    QString filePath() const override { return m_path; }

private:
    StoreOutcome<QList<StoredLesson>> wholeRows(const QByteArray &statement);

    QString m_path;
    Mdb::QueryOptions m_options;
};

} // namespace Lessons

#pragma once

#include "lessons/lesson_store.h"

#include <QString>

#include <memory>

namespace Lessons {

inline const QString kAccessStoreName = QStringLiteral("db1.mdb");
inline const QString kEmbeddedStoreName = QStringLiteral("db1.sqlite");

/// The store beside the program: "db1.mdb" when that file is there, since it is the
/// file teachers keep, else the embedded "db1.sqlite". The choice is made again at
/// every call, like the connection. When neither file can be used every call fails,
/// and the chooser shows kStoreFailureMessage.
std::unique_ptr<LessonStore> programLessonStore(const QString &programFolder);

/// The file programLessonStore would read now.
QString programStorePath(const QString &programFolder);

} // namespace Lessons

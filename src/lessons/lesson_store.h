#pragma once

#include <QList>
#include <QString>

#include <memory>
#include <optional>

/// What the chooser needs of a lesson store. Each call opens its own connection and
/// closes it before returning, so no connection outlives one click.
namespace Lessons {

/// Shown to the pupil whenever the store cannot be reached.
inline const QString kStoreFailureMessage = QStringLiteral("ההתחברות לבסיס הנתונים לא הצליחה.");

struct LessonInfo
{
    int lesson = 0;
    QString heading; ///< the part of the text before its first "1"
};

template <typename T>
struct StoreOutcome
{
    std::optional<T> value; ///< empty when the store could not be used
    QString error;          ///< why, for teachers' tools and logs; never shown to pupils

    bool ok() const { return value.has_value(); }
};

class LessonStore
{
public:
    virtual ~LessonStore() = default;

    /// Lessons 1..99 of a pattern whose text is not empty, ascending, in one query.
    virtual StoreOutcome<QList<LessonInfo>> lessons(int pattern) = 0;

    /// The text of one lesson; a missing row or a null text gives the empty text.
    virtual StoreOutcome<QString> lessonText(int pattern, int lesson) = 0;

    /// The file this store reads.
    virtual QString filePath() const = 0;
};

} // namespace Lessons

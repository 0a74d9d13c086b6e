#include "platform/program_store.h"

#include "platform/store_engine.h"

#include <QDir>
#include <QFileInfo>

namespace Lessons {

namespace {

class ProgramLessonStore : public LessonStore
{
public:
    explicit ProgramLessonStore(QString folder)
        : m_folder(std::move(folder))
    {
    }

    StoreOutcome<QList<LessonInfo>> lessons(int pattern) override
    {
        return openStoreEngine(programStorePath(m_folder))->lessons(pattern);
    }

    StoreOutcome<QString> lessonText(int pattern, int lesson) override
    {
        return openStoreEngine(programStorePath(m_folder))->lessonText(pattern, lesson);
    }

    QString filePath() const override { return programStorePath(m_folder); }

private:
    QString m_folder;
};

} // namespace

QString programStorePath(const QString &programFolder)
{
    const QDir folder(programFolder);
    const QString access = folder.filePath(kAccessStoreName);
    // Present is enough: a damaged Access file must fail, not be passed over silently.
    if (QFileInfo::exists(access))
        return access;
    return folder.filePath(kEmbeddedStoreName);
}

std::unique_ptr<LessonStore> programLessonStore(const QString &programFolder)
{
    return std::make_unique<ProgramLessonStore>(programFolder);
}

} // namespace Lessons

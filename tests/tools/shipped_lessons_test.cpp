#include "commands.h"
#include "lessons/lesson_files.h"

#include "lessons/patterns.h"

#include <gtest/gtest.h>

#include <set>

// The lessons that ship with the program must pass every rule a teacher's lesson is
// held to, warnings included, so that content stays clean as it is edited.
namespace {

const QString kFolder = QStringLiteral(CLOZE_LESSON_FOLDER);

TEST(ShippedLessons, EveryNamedPatternHasLessons)
{
    // Guards the other test: a wrong folder would otherwise pass it empty.
    std::set<int> patterns;
    for (const LessonFiles::SourceFile &file : LessonFiles::scanLessonFolder(kFolder).files)
        patterns.insert(file.pattern);
    for (int pattern : Patterns::namedPatternNumbers())
        EXPECT_TRUE(patterns.count(pattern)) << "no lesson for pattern " << pattern;
}

TEST(ShippedLessons, PassTheLessonToolWithoutWarnings)
{
    LessonTool::Output output;
    const int status = LessonTool::runTool({QStringLiteral("check"), kFolder}, QString(), output);
    EXPECT_EQ(status, LessonTool::kSuccess) << output.err.toStdString();
    EXPECT_TRUE(output.out.startsWith("no problems in ")) << output.out.toStdString();
    EXPECT_EQ(output.out.count('\n'), 1) << output.out.toStdString();
}

} // namespace

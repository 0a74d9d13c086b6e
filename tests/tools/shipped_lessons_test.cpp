#include "commands.h"
#include "lesson_sources.h"

#include "lessons/form_warnings.h"
#include "lessons/patterns.h"

#include <QFile>

#include <gtest/gtest.h>

#include <set>

// The lessons that ship with the program must pass every rule a teacher's lesson is
// held to, warnings included, so that content stays clean as it is edited.
namespace {

const QString kFolder = QStringLiteral(CLOZE_LESSON_FOLDER);

TEST(ShippedLessons, EveryNamedPatternHasLessons)
{
    // Guards the other tests: a wrong folder would otherwise pass them empty.
    std::set<int> patterns;
    for (const LessonTool::SourceFile &file : LessonTool::scanLessonFolder(kFolder).files)
        patterns.insert(file.pattern);
    for (int pattern = 1; pattern <= 99; ++pattern) {
        if (!Patterns::PatternName(pattern).isEmpty()) {
            EXPECT_TRUE(patterns.count(pattern)) << "no lesson for pattern " << pattern;
        }
    }
}

TEST(ShippedLessons, PassTheLessonTool)
{
    LessonTool::Output output;
    const int status = LessonTool::runTool({QStringLiteral("check"), kFolder}, QString(), output);
    EXPECT_EQ(status, LessonTool::kSuccess) << output.out.toStdString() << output.err.toStdString();
    EXPECT_TRUE(output.out.startsWith("no problems in ")) << output.out.toStdString();
}

TEST(ShippedLessons, NameEveryFormThatHasAnother)
{
    QStringList found;
    for (const LessonTool::SourceFile &file : LessonTool::scanLessonFolder(kFolder).files) {
        QFile source(file.path);
        ASSERT_TRUE(source.open(QIODevice::ReadOnly)) << file.path.toStdString();
        const auto text = LessonTool::decodeLessonSource(source.readAll());
        ASSERT_TRUE(text.ok()) << file.path.toStdString();
        for (const FormWarnings::Warning &warning : FormWarnings::check(*text.value))
            found << QStringLiteral("%1 line %2: gap %3").arg(file.path).arg(warning.line).arg(warning.gap);
    }
    EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1Char('\n')).toStdString();
}

} // namespace

#include "lessons/patterns.h"
#include "platform/text_decoding.h"
#include "platform/text_lines.h"
#include "screens/help/help_file.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <gtest/gtest.h>

// The content shipped in data/ and its copy in the program folder.
namespace {

const QString kData = QStringLiteral(CLOZE_DATA_DIR);
const QString kProgram = QStringLiteral(CLOZE_PROGRAM_DIR);
// The working folder the topic paths are built from: the folder above data/.
const QString kRoot = QFileInfo(kData).path();

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// One topic file per named pattern and none for another, each with 4 to 8 example
// sentences under its examples heading.
TEST(TopicFiles, OnePerNamedPatternWithExamples)
{
    const QStringList names = QDir(kData + QStringLiteral("/help")).entryList(QDir::Files);
    EXPECT_EQ(names.size(), Patterns::namedPatternNumbers().size());
    for (const QString &name : names) {
        const int pattern = name.mid(3, 3).toInt() - 600;
        EXPECT_FALSE(Patterns::PatternName(pattern).isEmpty()) << name.toStdString();
        const QString path = HelpFile::topicFilePath(kRoot, pattern);
        ASSERT_EQ(path, kData + QStringLiteral("/help/") + name);
        const QStringList lines = HelpFile::readLines(path);
        const int start = int(lines.indexOf(QStringLiteral("דוגמאות")));
        ASSERT_GE(start, 0) << "pattern " << pattern;
        int examples = 0;
        for (int i = start + 1; i < lines.size() && !lines.at(i).isEmpty(); ++i)
            ++examples;
        EXPECT_GE(examples, 4) << "pattern " << pattern;
        EXPECT_LE(examples, 8) << "pattern " << pattern;
    }
}

TEST(ShippedText, IsUtf8WithCrLfLines)
{
    int files = 0;
    for (QDirIterator it(kData, {QStringLiteral("*.txt")}, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        if (path.contains(QStringLiteral("/lessons/")) || path.endsWith(QStringLiteral("/CMakeLists.txt")))
            continue; // lesson sources have rules of their own, checked by the lesson tool
        const QByteArray bytes = contentOf(path);
        const auto text = TextDecoding::decode(bytes, TextDecoding::Otherwise::Refuse);
        ASSERT_TRUE(text) << path.toStdString();
        // The viewer keeps a lone LF inside its line: one would merge two lines.
        EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n")) << path.toStdString();
        EXPECT_TRUE(bytes.endsWith("\r\n")) << path.toStdString();
        EXPECT_GT(TextLines::split(*text).size(), 1) << path.toStdString();
        // Its copy in the program folder: the general help beside the program, the rest below data/.
        const QString relative = QDir(kData).relativeFilePath(path);
        const bool beside = relative == QLatin1String("helpVorn.txt");
        EXPECT_EQ(contentOf(kProgram + (beside ? QStringLiteral("/") : QStringLiteral("/data/")) + relative), bytes)
            << path.toStdString();
        ++files;
    }
    EXPECT_GT(files, 20);
}

TEST(GeneralHelp, IsShippedWithEveryPart)
{
    const QStringList lines = HelpFile::readLines(kData + QStringLiteral("/helpVorn.txt"));
    EXPECT_GE(lines.size(), 30);
    EXPECT_LE(lines.size(), 70);
    const QString all = lines.join(QLatin1Char('\n'));
    for (const char *literal : {"עם מגבלת זמן", "עם מחסנית", "עם סימנים", "זמן", "נסיונות במשחק", "זיכוי", "חיוב",
                                "Enter", "#", "נסיונות נוספים", "נסיונות שנעשו", "מספר נקודות מצטבר", "התחל"})
        EXPECT_TRUE(all.contains(QString::fromUtf8(literal))) << literal;
}

// ---- sounds

struct SoundCase { const char *name; const char *file; double shortest; double longest; };

class Sound : public testing::TestWithParam<SoundCase> {};

// The sounds are written with the plain 44-byte header of 16-bit PCM.
TEST_P(Sound, IsSixteenBitMonoPcmOfItsLength)
{
    const QByteArray wave = contentOf(kData + QLatin1Char('/') + QLatin1String(GetParam().file));
    ASSERT_GE(wave.size(), 44);
    EXPECT_EQ(contentOf(kProgram + QStringLiteral("/data/") + QLatin1String(GetParam().file)), wave);
    // PCM, one channel, 16 bits a sample.
    EXPECT_EQ(wave.left(4) + wave.mid(8, 16) + wave.mid(34, 6), QByteArray("RIFFWAVEfmt \x10\0\0\0\x01\0\x01\0\x10\0data", 26));
    const quint32 rate = qFromLittleEndian<quint32>(wave.constData() + 24);
    EXPECT_TRUE(rate == 22050 || rate == 44100) << rate;
    const double seconds = qFromLittleEndian<quint32>(wave.constData() + 40) / (2.0 * rate);
    EXPECT_GE(seconds, GetParam().shortest);
    EXPECT_LE(seconds, GetParam().longest);
}

INSTANTIATE_TEST_SUITE_P(Data, Sound,
    testing::Values(SoundCase{"right", "right.wav", 0.15, 0.99}, SoundCase{"wrong", "wrong.wav", 0.15, 0.99},
                    SoundCase{"applause", "APPLAUSE.wav", 2.0, 4.0}, SoundCase{"laugh", "wickedlaugh.wav", 2.0, 4.0}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace

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

#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

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

std::vector<QString> shippedTextFiles()
{
    std::vector<QString> files;
    QDirIterator it(kData, {QStringLiteral("*.txt")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        // Lesson sources have rules of their own, checked by the lesson tool.
        if (!path.contains(QStringLiteral("/lessons/")))
            files.push_back(path);
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST(TopicFiles, EveryNamedPatternHasOne)
{
    for (int pattern : Patterns::namedPatternNumbers()) {
        const QString path = HelpFile::topicFilePath(kRoot, pattern);
        EXPECT_GE(HelpFile::readLines(path).size(), 10) << path.toStdString();
    }
}

TEST(TopicFiles, BelongOnlyToNamedPatterns)
{
    const QStringList names = QDir(kData + QStringLiteral("/help")).entryList(QDir::Files);
    ASSERT_FALSE(names.isEmpty());
    for (const QString &name : names) {
        const int pattern = name.mid(3, 3).toInt() - 600;
        EXPECT_FALSE(Patterns::PatternName(pattern).isEmpty()) << name.toStdString();
        EXPECT_EQ(HelpFile::topicFilePath(QStringLiteral("x"), pattern), QStringLiteral("x/data/help/") + name);
    }
}

// Each topic gives 4 to 8 example sentences under its examples heading.
TEST(TopicFiles, HaveFourToEightExamples)
{
    const QString heading = QStringLiteral("דוגמאות");
    for (int pattern : Patterns::namedPatternNumbers()) {
        const QStringList lines = HelpFile::readLines(HelpFile::topicFilePath(kRoot, pattern));
        const int start = lines.indexOf(heading);
        ASSERT_GE(start, 0) << "pattern " << pattern;
        int examples = 0;
        for (int i = start + 1; i < lines.size() && !lines.at(i).isEmpty(); ++i)
            ++examples;
        EXPECT_GE(examples, 4) << "pattern " << pattern;
        EXPECT_LE(examples, 8) << "pattern " << pattern;
    }
}

class ShippedText : public testing::TestWithParam<QString> {};

TEST_P(ShippedText, IsUtf8WithCrLfLines)
{
    const QByteArray bytes = contentOf(GetParam());
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_TRUE(TextDecoding::decode(bytes, TextDecoding::Otherwise::Refuse));
    // The viewer keeps a lone LF inside its line: one would merge two lines.
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_GT(TextLines::split(*TextDecoding::decode(bytes, TextDecoding::Otherwise::Refuse)).size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Data, ShippedText, testing::ValuesIn(shippedTextFiles()),
    [](const auto &info) {
        std::string name = QFileInfo(info.param).fileName().toStdString();
        for (char &c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

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

struct Wave
{
    quint16 format = 0;
    quint16 channels = 0;
    quint32 rate = 0;
    quint16 bits = 0;
    double seconds = 0;
};

std::optional<Wave> readWave(const QByteArray &bytes)
{
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    Wave wave;
    bool haveFormat = false;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        const char *body = bytes.constData() + at + 8;
        if (id == "fmt " && size >= 16) {
            wave.format = qFromLittleEndian<quint16>(body);
            wave.channels = qFromLittleEndian<quint16>(body + 2);
            wave.rate = qFromLittleEndian<quint32>(body + 4);
            wave.bits = qFromLittleEndian<quint16>(body + 14);
            haveFormat = true;
        } else if (id == "data" && haveFormat && wave.rate && wave.channels && wave.bits) {
            wave.seconds = double(size) / (wave.rate * wave.channels * (wave.bits / 8));
            return wave;
        }
        at += 8 + size + (size & 1);
    }
    return std::nullopt;
}

struct SoundCase
{
    const char *name;
    const char *file;
    double shortest;
    double longest;
};

class Sound : public testing::TestWithParam<SoundCase> {};

TEST_P(Sound, IsSixteenBitMonoPcmOfItsLength)
{
    const std::optional<Wave> wave = readWave(contentOf(kData + QLatin1Char('/') + QLatin1String(GetParam().file)));
    ASSERT_TRUE(wave.has_value()) << GetParam().file;
    EXPECT_EQ(wave->format, 1); // PCM
    EXPECT_EQ(wave->channels, 1);
    EXPECT_EQ(wave->bits, 16);
    EXPECT_TRUE(wave->rate == 22050 || wave->rate == 44100) << wave->rate;
    EXPECT_GE(wave->seconds, GetParam().shortest);
    EXPECT_LE(wave->seconds, GetParam().longest);
}

INSTANTIATE_TEST_SUITE_P(Data, Sound,
    testing::Values(SoundCase{"right", "right.wav", 0.15, 0.99},
                    SoundCase{"wrong", "wrong.wav", 0.15, 0.99},
                    SoundCase{"applause", "APPLAUSE.wav", 2.0, 4.0},
                    SoundCase{"laugh", "wickedlaugh.wav", 2.0, 4.0}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- the copy beside the program

struct CopyCase
{
    const char *name;
    const char *source;  // below data/
    const char *program; // below the program folder
};

class ProgramFolder : public testing::TestWithParam<CopyCase> {};

TEST_P(ProgramFolder, HoldsTheShippedContent)
{
    const QByteArray source = contentOf(kData + QLatin1Char('/') + QLatin1String(GetParam().source));
    ASSERT_FALSE(source.isEmpty());
    EXPECT_EQ(contentOf(kProgram + QLatin1Char('/') + QLatin1String(GetParam().program)), source);
}

INSTANTIATE_TEST_SUITE_P(Copies, ProgramFolder,
    testing::Values(CopyCase{"general_help", "helpVorn.txt", "helpVorn.txt"},
                    CopyCase{"first_topic", "help/hlp601.rtf.txt", "data/help/hlp601.rtf.txt"},
                    CopyCase{"last_topic", "help/hlp633.rtf.txt", "data/help/hlp633.rtf.txt"},
                    CopyCase{"answer_sound", "right.wav", "data/right.wav"},
                    CopyCase{"results_sound", "wickedlaugh.wav", "data/wickedlaugh.wav"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace

#include "platform/text_decoding.h"
#include "platform/text_lines.h"
#include "screens/help/help_file.h"
#include "screens/help/help_scale.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace {

const auto kRowName = [](const auto &info) { return std::string(info.param.name); };

// ---- lines as a line-by-line read gives them

struct SplitCase
{
    const char *name;
    const char *text;
    QStringList lines;
};

class SplitFileLines : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitFileLines, EndsLinesAtCrOrCrLfOnly)
{
    EXPECT_EQ(TextLines::split(QString::fromUtf8(GetParam().text)), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Texts, SplitFileLines,
    testing::Values(
        SplitCase{"empty_lines_kept", "one\r\n\r\nthree\r\n", {"one", "", "three"}},
        SplitCase{"no_final_break", "one\r\ntwo", {"one", "two"}},
        SplitCase{"lone_cr_ends_a_line", "one\rtwo\r", {"one", "two"}},
        SplitCase{"lone_lf_stays_in_the_line", "one\n\rtwo\n", {"one\n", "two\n"}},
        SplitCase{"cr_then_crlf_is_two_ends", "one\r\r\n", {"one", ""}},
        SplitCase{"blanks_are_kept", "  two  \r\n\t\r\n", {"  two  ", "\t"}},
        SplitCase{"empty_text", "", {}}),
    kRowName);

// ---- decoding: UTF-8 first, Windows-1255 or refused for the rest

struct DecodeCase
{
    const char *name;
    QByteArray bytes;
    QString windows1255;          ///< read with the Windows-1255 fallback
    std::optional<QString> utf8;  ///< read as UTF-8 only
};

class Decode : public testing::TestWithParam<DecodeCase> {};

TEST_P(Decode, GivesTheWrittenText)
{
    EXPECT_EQ(TextDecoding::decode(GetParam().bytes, TextDecoding::Otherwise::Windows1255), GetParam().windows1255);
    EXPECT_EQ(TextDecoding::decode(GetParam().bytes, TextDecoding::Otherwise::Refuse), GetParam().utf8);
}

const QString kShalom = QStringLiteral("שלום");
INSTANTIATE_TEST_SUITE_P(Bytes, Decode,
    testing::Values(
        DecodeCase{"utf8", "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d", kShalom, kShalom},
        DecodeCase{"mark_dropped", "\xef\xbb\xbf\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d", kShalom, kShalom},
        DecodeCase{"second_mark_is_text", "\xef\xbb\xbf\xef\xbb\xbf" "a", QStringLiteral("\ufeffa"), QStringLiteral("\ufeffa")},
        DecodeCase{"windows_1255", "\xf9\xec\xe5\xed: Is it?", kShalom + QStringLiteral(": Is it?"), std::nullopt},
        DecodeCase{"windows_1255_signs_points_marks", "\xea\xa4\xe0\xc8\xfd\xff", QStringLiteral("ך₪א\u05b8\u200e\ufffd"),
                   std::nullopt},
        DecodeCase{"overlong_utf8", "\xc0\xaf", QStringLiteral("\u05b0\u00af"), std::nullopt},
        DecodeCase{"truncated_utf8", "ab\xd7", QStringLiteral("ab\u05f3"), std::nullopt},
        DecodeCase{"marked_stays_utf8", "\xef\xbb\xbf" "a\xff", QStringLiteral("a\ufffd"), std::nullopt}),
    kRowName);

// ---- reading files

TEST(ReadLines, DecodedLinesOrNone)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const auto write = [&folder](const char *name, const QByteArray &bytes) {
        QFile file(folder.filePath(QString::fromUtf8(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return file.fileName();
    };
    EXPECT_EQ(HelpFile::readLines(write("utf8.txt", "\xd7\x90\r\n\r\nb\r\n")), (QStringList{"א", "", "b"}));
    EXPECT_EQ(HelpFile::readLines(write("cp1255.txt", "\xf9\xec\xe5\xed\r\nI am.\r\n")), (QStringList{kShalom, "I am."}));
    EXPECT_EQ(HelpFile::readLines(folder.filePath(QStringLiteral("missing.txt"))), QStringList());
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("folder.txt")));
    EXPECT_EQ(HelpFile::readLines(folder.filePath(QStringLiteral("folder.txt"))), QStringList());
}

// ---- file names

TEST(HelpPaths, TopicIsSixHundredPlusThePattern)
{
    EXPECT_EQ(HelpFile::topicFilePath(QStringLiteral("/school/cloze"), 1), QStringLiteral("/school/cloze/data/help/hlp601.rtf.txt"));
    EXPECT_EQ(HelpFile::topicFilePath(QStringLiteral("/school/cloze/"), 154), QStringLiteral("/school/cloze/data/help/hlp754.rtf.txt"));
    EXPECT_EQ(HelpFile::topicFilePath(QStringLiteral("/school/cloze"), 0), QString());
    EXPECT_EQ(HelpFile::generalHelpPath(QStringLiteral("/school/cloze/")), QStringLiteral("/school/cloze/helpVorn.txt"));
}

// ---- sizes

struct ViewCase
{
    const char *name;
    int widthPixels;
    int heightPixels;
    int viewWidth;
    int viewHeight;
};

class ViewSizeFromPixels : public testing::TestWithParam<ViewCase> {};

TEST_P(ViewSizeFromPixels, IsPointsRoundedHalfToEven)
{
    const HelpScale::ViewSize view = HelpScale::viewSizeFromPixels(GetParam().widthPixels, GetParam().heightPixels);
    EXPECT_EQ(view.width, GetParam().viewWidth);
    EXPECT_EQ(view.height, GetParam().viewHeight);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ViewSizeFromPixels,
    testing::Values(ViewCase{"design_screen", 1024, 768, 768, 576},
                    ViewCase{"four_thirds", 1365, 1024, 1024, 768},  // 1023.75 rounds up
                    ViewCase{"half_goes_to_even_down", 1366, 6, 1024, 4}, // 1024.5, 4.5
                    ViewCase{"half_goes_to_even_up", 1370, 2, 1028, 2},   // 1027.5, 1.5
                    ViewCase{"just_past_half", 1367, 1023, 1025, 767},    // 1025.25, 767.25
                    ViewCase{"nothing", 0, 0, 0, 0}),
    [](const auto &info) { return std::string(info.param.name); });

struct ScaleCase
{
    const char *name;
    int viewWidth;
    int viewHeight;
    QSize pixels;
};

class ScaledPixels : public testing::TestWithParam<ScaleCase> {};

TEST_P(ScaledPixels, FollowTheViewRatios)
{
    const HelpScale::ViewSize view{int16_t(GetParam().viewWidth), int16_t(GetParam().viewHeight)};
    EXPECT_EQ(HelpScale::scaledPixels(QSize(9600, 7200), view), GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(Views, ScaledPixels,
    testing::Values(ScaleCase{"design_view", 768, 576, QSize(640, 480)},
                    ScaleCase{"four_thirds", 1024, 768, QSize(853, 640)},
                    ScaleCase{"half", 384, 288, QSize(320, 240)},
                    ScaleCase{"wide_only", 1536, 576, QSize(1280, 480)},
                    ScaleCase{"tall_only", 768, 1152, QSize(640, 960)}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ScaledPointSize, GrowsWithTheViewButNeverShrinks)
{
    EXPECT_DOUBLE_EQ(HelpScale::scaledPointSize(8.25, {768, 576}), 8.25);
    EXPECT_DOUBLE_EQ(HelpScale::scaledPointSize(8.25, {1024, 768}), 11.0);
    EXPECT_DOUBLE_EQ(HelpScale::scaledPointSize(8.25, {384, 288}), 8.25);
}

} // namespace

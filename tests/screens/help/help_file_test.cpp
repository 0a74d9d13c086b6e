#include "platform/text_decoding.h"
#include "platform/text_lines.h"
#include "screens/help/help_file.h"
#include "screens/help/help_scale.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "unprivileged_child.h"

#include <gtest/gtest.h>


namespace {

QByteArray bytes(const char *text)
{
    return QByteArray(text);
}

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
        SplitCase{"three_lines_empty_middle", "one\r\n\r\nthree\r\n", {"one", "", "three"}},
        SplitCase{"no_final_break", "one\r\ntwo", {"one", "two"}},
        SplitCase{"lone_cr_ends_a_line", "one\rtwo\r", {"one", "two"}},
        SplitCase{"lone_lf_stays_in_the_line", "one\ntwo\r\n", {"one\ntwo"}},
        SplitCase{"lf_before_cr_stays", "one\n\rtwo", {"one\n", "two"}},
        SplitCase{"cr_then_crlf_is_two_ends", "one\r\r\n", {"one", ""}},
        SplitCase{"only_a_break", "\r\n", {""}},
        SplitCase{"empty_text", "", {}},
        SplitCase{"blanks_are_kept", "  two blanks  \r\n\t\r\n", {"  two blanks  ", "\t"}},
        SplitCase{"trailing_empty_lines_count", "a\r\n\r\n\r\n", {"a", "", ""}}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- which bytes are UTF-8

struct Utf8Case
{
    const char *name;
    QByteArray bytes;
    bool valid;
};

class Utf8Validity : public testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8Validity, FollowsTheUtf8Rules)
{
    EXPECT_EQ(TextDecoding::decode(GetParam().bytes, TextDecoding::Otherwise::Refuse).has_value(), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(Bytes, Utf8Validity,
    testing::Values(
        Utf8Case{"empty", bytes(""), true},
        Utf8Case{"ascii", bytes("Fill in the gaps"), true},
        Utf8Case{"hebrew", bytes("\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d"), true},
        Utf8Case{"with_mark", bytes("\xef\xbb\xbf\xd7\xa9"), true},
        Utf8Case{"four_byte", bytes("\xf0\x9f\x98\x80"), true},
        Utf8Case{"highest_code_point", bytes("\xf4\x8f\xbf\xbf"), true},
        Utf8Case{"past_highest_code_point", bytes("\xf4\x90\x80\x80"), false},
        Utf8Case{"overlong_two_byte", bytes("\xc0\xaf"), false},
        Utf8Case{"overlong_three_byte", bytes("\xe0\x80\xaf"), false},
        Utf8Case{"surrogate", bytes("\xed\xa0\x80"), false},
        Utf8Case{"truncated_at_end", bytes("ab\xd7"), false},
        Utf8Case{"lead_without_follower", bytes("\xd7 a"), false},
        Utf8Case{"stray_continuation", bytes("a\x80"), false},
        Utf8Case{"never_used_lead", bytes("\xf8\x88\x80\x80\x80"), false},
        Utf8Case{"windows_1255_shalom", bytes("\xf9\xec\xe5\xed"), false}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- decoding: UTF-8 first, Windows-1255 for the rest

struct DecodeCase
{
    const char *name;
    QByteArray bytes;
    QString text;
};

class DecodeText : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeText, GivesTheWrittenText)
{
    EXPECT_EQ(TextDecoding::decode(GetParam().bytes, TextDecoding::Otherwise::Windows1255), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Bytes, DecodeText,
    testing::Values(
        DecodeCase{"ascii", bytes("am, is, are"), QStringLiteral("am, is, are")},
        DecodeCase{"utf8_hebrew", bytes("\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d"), QStringLiteral("שלום")},
        DecodeCase{"utf8_mark_dropped", bytes("\xef\xbb\xbf\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d"), QStringLiteral("שלום")},
        DecodeCase{"windows_1255_hebrew", bytes("\xf9\xec\xe5\xed \xf2\xe5\xec\xed"), QStringLiteral("שלום עולם")},
        DecodeCase{"windows_1255_final_letters", bytes("\xea\xed\xef\xf3\xf5"), QStringLiteral("ךםןףץ")},
        DecodeCase{"windows_1255_sheqel_and_point", bytes("\xa4 \xe0\xc8"), QStringLiteral("₪ א\u05b8")},
        DecodeCase{"windows_1255_direction_marks", bytes("\xfd\xfe"), QStringLiteral("\u200e\u200f")},
        DecodeCase{"windows_1255_mixed_with_english", bytes("\xf9\xe0\xec\xe4: Is it?"), QStringLiteral("שאלה: Is it?")},
        DecodeCase{"windows_1255_undefined_byte", bytes("\xe0\xff"), QStringLiteral("א\ufffd")},
        DecodeCase{"marked_utf8_stays_utf8", bytes("\xef\xbb\xbf" "a\xff"), QStringLiteral("a\ufffd")}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- reading files

enum class Kind { Missing, Directory, File, NoPermission };

struct ReadCase
{
    const char *name;
    Kind kind;
    QByteArray content;
    QStringList lines;
};

class ReadLines : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadLines, ReportsWhatItCouldRead)
{
    const ReadCase &c = GetParam();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    // Searchable by the unprivileged reader below.
    ASSERT_TRUE(QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                         | QFileDevice::ExeOwner | QFileDevice::ReadOther
                                                         | QFileDevice::ExeOther));
    const QString path = folder.filePath(QStringLiteral("helpVorn.txt"));
    if (c.kind == Kind::Directory) {
        ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("helpVorn.txt")));
    } else if (c.kind != Kind::Missing) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.content);
        file.close();
        if (c.kind == Kind::NoPermission) {
            ASSERT_TRUE(file.setPermissions(QFileDevice::WriteOwner));
        }
    }
    if (c.kind == Kind::NoPermission) {
        // Root reads any file, so the reading is done by a user who may not.
        const std::string wrong = TestSupport::runUnprivileged([&] {
            return HelpFile::readLines(path) == c.lines ? std::string() : std::string("read it anyway");
        });
        EXPECT_EQ(wrong, "");
        return;
    }
    EXPECT_EQ(HelpFile::readLines(path), c.lines);
}

INSTANTIATE_TEST_SUITE_P(Files, ReadLines,
    testing::Values(
        ReadCase{"missing", Kind::Missing, {}, {}},
        ReadCase{"directory", Kind::Directory, {}, {}},
        ReadCase{"no_permission", Kind::NoPermission, bytes("a\r\n"), {}},
        ReadCase{"empty_file", Kind::File, bytes(""), {}},
        ReadCase{"utf8_lines", Kind::File, bytes("\xd7\x90\r\n\r\nb\r\n"),                  {QStringLiteral("א"), QString(), QStringLiteral("b")}},
        ReadCase{"windows_1255_lines", Kind::File, bytes("\xf9\xec\xe5\xed\r\nI am.\r\n"),                  {QStringLiteral("שלום"), QStringLiteral("I am.")}}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- file names

struct TopicCase
{
    const char *name;
    int pattern;
    const char *path;
};

class TopicFilePath : public testing::TestWithParam<TopicCase> {};

TEST_P(TopicFilePath, IsSixHundredPlusThePattern)
{
    EXPECT_EQ(HelpFile::topicFilePath(QStringLiteral("/school/cloze"), GetParam().pattern),
              QString::fromUtf8(GetParam().path));
}

INSTANTIATE_TEST_SUITE_P(Patterns, TopicFilePath,
    testing::Values(TopicCase{"first", 1, "/school/cloze/data/help/hlp601.rtf.txt"},
                    TopicCase{"wh_questions", 6, "/school/cloze/data/help/hlp606.rtf.txt"},
                    TopicCase{"two_digits", 13, "/school/cloze/data/help/hlp613.rtf.txt"},
                    TopicCase{"going_to", 33, "/school/cloze/data/help/hlp633.rtf.txt"},
                    TopicCase{"three_digits", 154, "/school/cloze/data/help/hlp754.rtf.txt"},
                    TopicCase{"no_pattern", 0, ""},
                    TopicCase{"negative", -5, ""}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(GeneralHelpPath, LiesInTheWorkingFolderWithOrWithoutTrailingSlash)
{
    EXPECT_EQ(HelpFile::generalHelpPath(QStringLiteral("/school/cloze")), QStringLiteral("/school/cloze/helpVorn.txt"));
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

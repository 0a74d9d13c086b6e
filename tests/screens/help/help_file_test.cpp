#include "platform/text_lines.h"
#include "screens/help/help_file.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
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
    EXPECT_EQ(HelpFile::isValidUtf8(GetParam().bytes), GetParam().valid);
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
    EXPECT_EQ(HelpFile::decodeText(GetParam().bytes), GetParam().text);
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

TEST(Windows1255, MatchesTheSystemCodePageTable)
{
    QStringDecoder system("windows-1255");
    if (!system.isValid())
        GTEST_SKIP() << "this Qt has no windows-1255 converter to compare with";
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const QByteArray one(1, char(byte));
        QStringDecoder decoder("windows-1255");
        const QString expected = decoder.decode(one);
        EXPECT_EQ(HelpFile::decodeWindows1255(one), expected) << "byte 0x" << std::hex << byte;
    }
}

// ---- reading files

enum class Kind { Missing, Directory, File, NoPermission };

struct ReadCase
{
    const char *name;
    Kind kind;
    QByteArray content;
    HelpFile::ReadStatus status;
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
            const HelpFile::ReadResult result = HelpFile::readLines(path);
            return result.status == c.status && result.lines == c.lines ? std::string() : std::string("read it anyway");
        });
        EXPECT_EQ(wrong, "");
        return;
    }
    const HelpFile::ReadResult result = HelpFile::readLines(path);
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.lines, c.lines);
}

INSTANTIATE_TEST_SUITE_P(Files, ReadLines,
    testing::Values(
        ReadCase{"missing", Kind::Missing, {}, HelpFile::ReadStatus::Missing, {}},
        ReadCase{"directory", Kind::Directory, {}, HelpFile::ReadStatus::Unreadable, {}},
        ReadCase{"no_permission", Kind::NoPermission, bytes("a\r\n"), HelpFile::ReadStatus::Unreadable, {}},
        ReadCase{"empty_file", Kind::File, bytes(""), HelpFile::ReadStatus::Read, {}},
        ReadCase{"utf8_lines", Kind::File, bytes("\xd7\x90\r\n\r\nb\r\n"), HelpFile::ReadStatus::Read,
                 {QStringLiteral("א"), QString(), QStringLiteral("b")}},
        ReadCase{"windows_1255_lines", Kind::File, bytes("\xf9\xec\xe5\xed\r\nI am.\r\n"), HelpFile::ReadStatus::Read,
                 {QStringLiteral("שלום"), QStringLiteral("I am.")}}),
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

} // namespace

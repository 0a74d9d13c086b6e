#include "platform/text_decoding.h"
#include "platform/text_lines.h"
#include "screens/help/help_file.h"

#include <QFile>
#include <QTemporaryDir>

#include "unprivileged_child.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

const auto kRowName = [](const auto &info) { return std::string(info.param.name); };

// ---- lines as a line-by-line read gives them

struct SplitCase { const char *name; const char *text; QStringList lines; };

class SplitFileLines : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitFileLines, EndsLinesAtCrOrCrLfOnly)
{
    EXPECT_EQ(TextLines::split(QString::fromUtf8(GetParam().text)), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Texts, SplitFileLines,
    testing::Values(
        SplitCase{"empty_lines_kept_no_final_break", "one\r\n\r\nthree", {"one", "", "three"}},
        SplitCase{"lone_cr_ends_a_line", "one\rtwo\r", {"one", "two"}},
        SplitCase{"lone_lf_stays_in_the_line", "one\n\rtwo\n", {"one\n", "two\n"}},
        SplitCase{"cr_then_crlf_is_two_ends", "one\r\r\n", {"one", ""}},
        SplitCase{"blanks_are_kept", "  two  \r\n", {"  two  "}}),
    kRowName);

// ---- decoding: UTF-8 first, Windows-1255 or refused for the rest

// windows1255: read with the Windows-1255 fallback
// utf8: read as UTF-8 only
struct DecodeCase { const char *name; QByteArray bytes; QString windows1255; std::optional<QString> utf8; };

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
    EXPECT_EQ(HelpFile::readLines(write("cp1255.txt", "\xf9\xec\xe5\xed\r\nI am.\r\n")), (QStringList{kShalom, "I am."}));
    EXPECT_EQ(HelpFile::readLines(folder.filePath(QStringLiteral("missing.txt"))), QStringList());
    // A file the pupil may not read is an empty help, like a missing one. Root reads
    // any file, so the reading is done by a user who may not.
    const QString secret = write("secret.txt", "a\r\n");
    ASSERT_TRUE(QFile::setPermissions(secret, QFileDevice::WriteOwner));
    ASSERT_TRUE(QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                                         | QFileDevice::ReadOther | QFileDevice::ExeOther));
    EXPECT_EQ(TestSupport::runUnprivileged(
                  [&] { return HelpFile::readLines(secret).isEmpty() ? std::string() : std::string("read it anyway"); }),
              "");
}

} // namespace

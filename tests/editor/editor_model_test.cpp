// The lesson editor's model without a screen: the store it edits, its recovery file, the
// program folder's Access file, and the lesson text as the editor shows it.
#include "editor/lesson_text.h"
#include "editor/program_folder.h"
#include "editor/recovery_file.h"
#include "editor/store_document.h"

#include "platform/sqlite_writer.h"
#include "store_test_support.h"
#include "unprivileged_child.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace ProgramFolder = Editor::ProgramFolder;
using Editor::RecoveryFile;
using Editor::StoreDocument;
using namespace Editor::LessonText;
using Lessons::StoredLesson;
using Refusal = Editor::LessonText::GapEdit::Refusal;
using namespace StoreTests;

namespace {

const QList<StoredLesson> kRows = {
    {24, 1, QStringLiteral("Every day\r\n1. She &plays& the piano."), false},
    {24, 2, QStringLiteral("Every week\r\n1. We &live& here."), false},
    {24, 2, QStringLiteral("A second row\r\n1. &x&"), false},
    {5, 1, QString(), true},
};

struct Opened
{
    StoreFolder folder;
    QString path = folder.path(QStringLiteral("db1.sqlite"));
    StoreDocument document;

    explicit Opened(const QList<StoredLesson> &rows = kRows)
    {
        EXPECT_TRUE(Lessons::SqliteWriter::createStore(path, rows, Lessons::SqliteWriter::Existing::Refuse).ok());
        auto opened = StoreDocument::open(path);
        EXPECT_TRUE(opened.document) << show(opened.error);
        document = std::move(*opened.document);
    }
    int id(int index) const { return document.rows()[index].id; }
};

const QString kNew = QStringLiteral("New\r\n1. I &am& new.");

// An untouched null stays null (the window's undo shows every other edit undone), and
// one given a text saves it; a row saved new is later changed in place.
TEST(StoreDocument, OnlyRealEditsAreChanges)
{
    Opened store;
    store.document.setText(store.id(3), QString());
    EXPECT_FALSE(store.document.hasChanges());
    EXPECT_TRUE(store.document.changedTexts().isEmpty());
    const int id = store.document.addRow(24, 3, kNew);
    ASSERT_TRUE(store.document.save().ok());
    store.document.setText(id, QStringLiteral("Later\r\n1. &x&"));
    store.document.setText(store.id(3), kNew);
    ASSERT_TRUE(store.document.save().ok());
    EXPECT_EQ(sqliteRows(store.path).mid(3), (QList<StoredLesson>{{5, 1, kNew}, {24, 3, QStringLiteral("Later\r\n1. &x&")}}));
}

// What may be read but not saved opens read only and says why.
TEST(StoreDocument, AStoreThatCannotBeSavedOpensReadOnly)
{
    StoreFolder folder;
    const QString withoutIds = folder.sqlite(QStringLiteral("db1.sqlite"),
                                             "CREATE TABLE closes (pattern INTEGER, lesson INTEGER, cloze TEXT, "
                                             "PRIMARY KEY (pattern, lesson)) WITHOUT ROWID;"
                                             "INSERT INTO closes VALUES (24, 1, 'A\r\n1. &a&');");
    auto opened = StoreDocument::open(withoutIds);
    ASSERT_TRUE(opened.document) << show(opened.error);
    EXPECT_EQ(opened.document->readOnly(), Editor::ReadOnly::NoRowIds);
    EXPECT_EQ(opened.document->rows().size(), 1);

    Opened store;
    const QString shared = store.folder.path(QString()); // readable by others, writable by its owner
    QFile::setPermissions(shared, QFile::permissions(shared) | QFileDevice::ReadOther | QFileDevice::ExeOther);
    const std::string failure = TestSupport::runUnprivileged([path = store.path] {
        const auto opened = StoreDocument::open(path);
        const bool readOnly = opened.document && opened.document->readOnly() == Editor::ReadOnly::NotWritable;
        return readOnly ? std::string() : "writable, or not opened: " + show(opened.error);
    });
    EXPECT_EQ(failure, "");
}

TEST(StoreDocument, NextFreeLessonFillsTheFirstHole)
{
    Opened store({{24, 1, kNew}, {24, 2, kNew}, {24, 4, kNew}, {24, 0, kNew}, {24, 120, kNew}});
    EXPECT_EQ(store.document.nextFreeLesson(24), 3);
    for (int lesson = 3; lesson <= 98; ++lesson)
        store.document.addRow(24, lesson, kNew);
    EXPECT_EQ(store.document.nextFreeLesson(24), 99);
    store.document.addRow(24, 99, kNew);
    EXPECT_EQ(store.document.nextFreeLesson(24), 0);
}

// Recovered changes are kept in a file of the store's own (none for another store, none
// when damaged), and go onto the store as it is now.
TEST(StoreDocument, RecoveredChangesGoOntoTheStoreAsItIsNow)
{
    Opened store;
    StoreFolder recovery;
    store.document.setText(store.id(0), kNew);
    int at;
    store.document.takeRow(store.id(3), &at);
    store.document.addRow(33, 1, kNew);
    const RecoveryFile file(recovery.path(QString()), store.path);
    ASSERT_TRUE(file.write(store.document));
    const RecoveryFile other(recovery.path(QString()), store.folder.path(QStringLiteral("db2.sqlite")));
    EXPECT_TRUE(other.path() != file.path() && !other.read());
    const auto recovered = file.read();
    ASSERT_TRUE(recovered);
    // Meanwhile another program removed the row whose text was edited.
    ASSERT_TRUE(Lessons::SqliteWriter::removeLesson(store.path, 24, 1).ok());
    auto reopened = StoreDocument::open(store.path);
    ASSERT_TRUE(reopened.document);
    reopened.document->replay(recovered->changes);
    ASSERT_TRUE(reopened.document->save().ok());
    EXPECT_EQ(sqliteRows(store.path), (QList<StoredLesson>{kRows[1], kRows[2], {24, 1, kNew}, {33, 1, kNew}}));
    recovery.write(QFileInfo(file.path()).fileName(), "{\"store\": 3, \"changes\": [");
    EXPECT_FALSE(file.read());
}

// The program folder's names link into the machine's store, where teachers may write.
TEST(ProgramFolder, ALinkedAccessFileIsRenamedWhereItLives)
{
    StoreFolder program, machine;
    const QString access = program.path(QStringLiteral("db1.mdb"));
    const auto machineFiles = [&] { return QDir(machine.path(QString())).entryList(QDir::Files); };
    ASSERT_TRUE(QFile::link(machine.copyFixture(QStringLiteral("db1.mdb"), QStringLiteral("db1.mdb")), access));
    const auto aside = ProgramFolder::setAccessAside(program.path(QString()));
    ASSERT_TRUE(aside.ok()) << show(aside.error);
    EXPECT_EQ(machineFiles(), QStringList{QStringLiteral("db1-aside.mdb")});
    EXPECT_TRUE(QFileInfo(access).isSymLink() && !QFileInfo::exists(access)); // the link stays, dangling
    ASSERT_TRUE(ProgramFolder::putAccessBack(program.path(QString())).ok());
    EXPECT_EQ(machineFiles(), QStringList{QStringLiteral("db1.mdb")});
    EXPECT_EQ(readFile(access), readFile(fixturePath(QStringLiteral("db1.mdb"))));
}

TEST(ProgramFolder, ASecondFileSetAsideTakesTheNextNameAndGoesBackFirst)
{
    StoreFolder program;
    const QString folder = program.path(QString());
    EXPECT_FALSE(ProgramFolder::setAccessAside(folder).ok()); // none there yet
    program.write(QStringLiteral("db1.mdb"), "first");
    ASSERT_TRUE(ProgramFolder::setAccessAside(folder).ok());
    program.write(QStringLiteral("db1.mdb"), "second");
    // With db1.mdb there, nothing is put back over it.
    EXPECT_FALSE(ProgramFolder::putAccessBack(folder).ok());
    EXPECT_EQ(readFile(program.path(QStringLiteral("db1.mdb"))), QByteArray("second"));
    const auto aside = ProgramFolder::setAccessAside(folder);
    ASSERT_TRUE(aside.ok());
    EXPECT_EQ(*aside.value, program.path(QStringLiteral("db1-aside-2.mdb")));
    ASSERT_TRUE(ProgramFolder::putAccessBack(folder).ok());
    EXPECT_EQ(readFile(program.path(QStringLiteral("db1.mdb"))), QByteArray("second"));
    EXPECT_EQ(readFile(program.path(QStringLiteral("db1-aside.mdb"))), QByteArray("first"));
}

struct TextCase
{
    const char *name;
    const char *stored;
    const char *shown;
};

class EditorText : public testing::TestWithParam<TextCase> {};

TEST_P(EditorText, ShowsTheLessonsLinesAndGivesTheTextBack)
{
    const QString stored = QString::fromUtf8(GetParam().stored);
    EXPECT_EQ(show(toEditor(stored)), GetParam().shown);
    EXPECT_EQ(show(fromEditor(toEditor(stored))), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(
    Lessons, EditorText,
    testing::Values(TextCase{"crlf_lines", "Verbs\r\n1. She &goes&.\r\n2. We &live&.", "Verbs\n1. She &goes&.\n2. We &live&."},
                    TextCase{"lone_line_feed_stays_in_its_line", "Verbs\n more\r\n1. &a&", "Verbs␊ more\n1. &a&"}),
    [](const auto &info) { return std::string(info.param.name); });

struct GapCase
{
    const char *name;
    const char *line;
    int from, to;
    const char *after;
    int afterFrom, afterTo;
    Refusal refusal;
};

class ToggleGap : public testing::TestWithParam<GapCase> {};

TEST_P(ToggleGap, MakesOrRemovesOneGap)
{
    const GapCase &c = GetParam();
    const GapEdit edit = toggleGap(QString::fromUtf8(c.line), c.from, c.to);
    // Where a refused edit leaves the selection is not its business.
    const bool made = edit.refusal == Refusal::None;
    EXPECT_EQ(std::tuple(edit.refusal, show(edit.line), made ? edit.from : 0, made ? edit.to : 0),
              std::tuple(c.refusal, std::string(c.after), c.afterFrom, c.afterTo));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ToggleGap,
    testing::Values(
        GapCase{"selected_backwards", "1. She goes home.", 11, 7, "1. She &goes& home.", 8, 12, Refusal::None},
        GapCase{"blanks_stay_outside", "1. She goes home.", 6, 12, "1. She &goes& home.", 8, 12, Refusal::None},
        GapCase{"word_at_the_caret", "1. She isn't here.", 9, 9, "1. She &isn't& here.", 8, 13, Refusal::None},
        GapCase{"caret_in_the_last_word", "1. She goes", 9, 9, "1. She &goes&", 8, 12, Refusal::None},
        GapCase{"caret_in_a_gap_removes_it", "1. She &goes& home.", 9, 9, "1. She goes home.", 7, 11, Refusal::None},
        GapCase{"selection_of_a_whole_gap", "1. She &goes& home.", 7, 13, "1. She goes home.", 7, 11, Refusal::None},
        GapCase{"second_of_two_gaps", "1. &a& and &b&.", 12, 12, "1. &a& and b.", 11, 12, Refusal::None},
        GapCase{"empty_gap_unwrapped", "1. She && home.", 8, 8, "1. She  home.", 7, 7, Refusal::None},
        GapCase{"blanks_only", "1. She   home.", 7, 8, "1. She   home.", 0, 0, Refusal::NoWords},
        GapCase{"over_a_gap", "1. She &goes& home.", 3, 18, "1. She &goes& home.", 0, 0, Refusal::HoldsMarker},
        GapCase{"after_an_unclosed_marker", "1. She &goes home.", 13, 17, "1. She &goes home.", 0, 0,
                Refusal::UnclosedMarker},
        GapCase{"before_an_unclosed_marker", "1. She &goes home.", 3, 6, "1. &She& &goes home.", 4, 7, Refusal::None}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace

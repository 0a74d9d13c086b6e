#include "editor/lesson_listing.h"
#include "editor/store_document.h"

#include "platform/sqlite_store.h"
#include "platform/sqlite_writer.h"
#include "store_test_support.h"
#include "unprivileged_child.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <functional>

using Editor::Hidden;
using Editor::StoreDocument;
using Lessons::StoredLesson;
using Lessons::SqliteWriter::Failure;
using Kind = Lessons::SqliteWriter::RowChange::Kind;
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

StoredLesson row(int pattern, int lesson, const QString &text)
{
    return {pattern, lesson, text, false};
}

// --- edits and what a save makes of them ----------------------------------------

struct EditCase
{
    const char *name;
    std::function<void(StoreDocument &, const QList<int> &ids)> edit;
    QList<Kind> changes;
    QList<StoredLesson> after; ///< the store after the save
};

class Edits : public testing::TestWithParam<EditCase> {};

TEST_P(Edits, SaveWritesExactlyTheChanges)
{
    Opened store;
    QList<int> ids;
    for (const Editor::Row &r : store.document.rows())
        ids.append(r.id);
    GetParam().edit(store.document, ids);
    QList<Kind> kinds;
    for (const auto &change : store.document.changes())
        kinds.append(change.kind);
    EXPECT_EQ(kinds, GetParam().changes);
    const auto saved = store.document.save();
    ASSERT_TRUE(saved.ok()) << show(saved.error);
    EXPECT_FALSE(store.document.hasChanges());
    EXPECT_EQ(sqliteRows(store.path), GetParam().after);
    // What the document holds now is what a new reading gives.
    QList<StoredLesson> held;
    for (const Editor::Row &r : store.document.rows())
        held.append(r.lesson);
    EXPECT_EQ(held, GetParam().after);
}

const QString kNew = QStringLiteral("New\r\n1. I &am& new.");

INSTANTIATE_TEST_SUITE_P(
    Document, Edits,
    testing::Values(
        EditCase{"text", [](StoreDocument &d, auto ids) { d.setText(ids[1], kNew); }, {Kind::Update},
                 {kRows[0], row(24, 2, kNew), kRows[2], kRows[3]}},
        EditCase{"new_lesson", [](StoreDocument &d, auto) { d.addRow(24, d.nextFreeLesson(24), kNew); }, {Kind::Insert},
                 {kRows[0], kRows[1], kRows[2], kRows[3], row(24, 3, kNew)}},
        EditCase{"delete", [](StoreDocument &d, auto ids) { int at; d.takeRow(ids[0], &at); }, {Kind::Delete},
                 {kRows[1], kRows[2], kRows[3]}},
        EditCase{"move_a_second_row_to_a_free_number", [](StoreDocument &d, auto ids) { d.setNumbers(ids[2], 24, 3); },
                 {Kind::Update}, {kRows[0], kRows[1], row(24, 3, kRows[2].cloze), kRows[3]}},
        EditCase{"fill_a_null", [](StoreDocument &d, auto ids) { d.setText(ids[3], kNew); }, {Kind::Update},
                 {kRows[0], kRows[1], kRows[2], row(5, 1, kNew)}},
        EditCase{"all_at_once",
                 [](StoreDocument &d, auto ids) {
                     int at;
                     d.setText(ids[0], kNew);
                     d.takeRow(ids[2], &at);
                     d.addRow(33, 1, kNew);
                 },
                 {Kind::Update, Kind::Delete, Kind::Insert},
                 {row(24, 1, kNew), kRows[1], kRows[3], row(33, 1, kNew)}}),
    [](const auto &info) { return std::string(info.param.name); });

// Edits that end where they began leave nothing to save.
struct UndoneCase
{
    const char *name;
    std::function<void(StoreDocument &, const QList<int> &ids)> edit;
};

class UndoneEdits : public testing::TestWithParam<UndoneCase> {};

TEST_P(UndoneEdits, LeaveNoChange)
{
    Opened store;
    QList<int> ids;
    for (const Editor::Row &r : store.document.rows())
        ids.append(r.id);
    GetParam().edit(store.document, ids);
    EXPECT_FALSE(store.document.hasChanges());
    EXPECT_TRUE(store.document.changedTexts().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Document, UndoneEdits,
    testing::Values(UndoneCase{"text_typed_back", [](StoreDocument &d, auto ids) {
                                   d.setText(ids[0], kNew);
                                   d.setText(ids[0], kRows[0].cloze);
                               }},
                    UndoneCase{"null_left_empty", [](StoreDocument &d, auto ids) { d.setText(ids[3], QString()); }},
                    UndoneCase{"delete_put_back", [](StoreDocument &d, auto ids) {
                                   int at;
                                   const Editor::Row taken = d.takeRow(ids[1], &at);
                                   d.putRow(taken, at);
                               }},
                    UndoneCase{"new_then_removed", [](StoreDocument &d, auto) {
                                   int at;
                                   d.takeRow(d.addRow(24, 3, kNew), &at);
                               }},
                    UndoneCase{"moved_back", [](StoreDocument &d, auto ids) {
                                   d.setNumbers(ids[0], 6, 9);
                                   d.setNumbers(ids[0], 24, 1);
                               }}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(StoreDocument, ARowSavedNewIsChangedInPlaceLater)
{
    Opened store;
    const int id = store.document.addRow(24, 3, kNew);
    ASSERT_TRUE(store.document.save().ok());
    store.document.setText(id, QStringLiteral("Later\r\n1. &x&"));
    ASSERT_EQ(store.document.changes().size(), 1);
    EXPECT_EQ(store.document.changes()[0].kind, Kind::Update);
    ASSERT_TRUE(store.document.save().ok());
    EXPECT_EQ(sqliteRows(store.path).size(), kRows.size() + 1);
    EXPECT_EQ(sqliteRows(store.path).last(), row(24, 3, QStringLiteral("Later\r\n1. &x&")));
}

TEST(StoreDocument, ALockedSaveKeepsTheEditsForTheNextTry)
{
    Opened store;
    store.document.setText(store.id(0), kNew);
    sqlite3 *holder = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(store.path).constData(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_EQ(store.document.save().failure, Failure::Locked);
    sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
    EXPECT_EQ(sqliteRows(store.path), kRows);
    EXPECT_TRUE(store.document.hasChanges());
    ASSERT_TRUE(store.document.save().ok());
    EXPECT_EQ(sqliteRows(store.path)[0].cloze, kNew);
}

// On school machines the program folder's store is a link into the machine's store.
TEST(StoreDocument, SavesTheFileALinkPointsTo)
{
    Opened machine;
    StoreFolder program;
    const QString link = program.path(QStringLiteral("db1.sqlite"));
    ASSERT_TRUE(QFile::link(machine.path, link));
    auto opened = StoreDocument::open(link);
    ASSERT_TRUE(opened.document);
    opened.document->setText(opened.document->rows()[0].id, kNew);
    ASSERT_TRUE(opened.document->save().ok());
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(sqliteRows(machine.path)[0].cloze, kNew);
}

TEST(StoreDocument, AnAccessStoreIsReadOnlyAndUntouched)
{
    StoreFolder folder;
    const QString path = folder.copyFixture(QStringLiteral("db1.mdb"), QStringLiteral("db1.mdb"));
    const QByteArray before = readFile(path);
    auto opened = StoreDocument::open(path);
    ASSERT_TRUE(opened.document) << show(opened.error);
    EXPECT_EQ(opened.document->readOnly(), Editor::ReadOnly::Access);
    EXPECT_EQ(opened.document->rows().size(), expectedRows().size());
    opened.document->setText(opened.document->rows()[0].id, kNew);
    EXPECT_EQ(opened.document->save().failure, Failure::ReadOnly);
    EXPECT_EQ(readFile(path), before);
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
    QFile::setPermissions(store.folder.path(QString()), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                            | QFileDevice::ExeOwner | QFileDevice::ReadOther
                                                            | QFileDevice::ExeOther);
    const QString path = store.path;
    const std::string failure = TestSupport::runUnprivileged([path] {
        auto document = StoreDocument::open(path);
        if (!document.document)
            return "not opened: " + show(document.error);
        return document.document->readOnly() == Editor::ReadOnly::NotWritable ? std::string() : std::string("writable");
    });
    EXPECT_EQ(failure, "");
    EXPECT_EQ(store.document.readOnly(), Editor::ReadOnly::No);
}

TEST(StoreDocument, FilesThatAreNoStoreDoNotOpen)
{
    StoreFolder folder;
    for (const QString &path : {folder.write(QStringLiteral("noise.sqlite"), noise(4096, 9)),
                                folder.copyFixture(QStringLiteral("other-tables.mdb"), QStringLiteral("other.mdb")),
                                folder.path(QStringLiteral("missing.sqlite"))}) {
        const auto opened = StoreDocument::open(path);
        EXPECT_FALSE(opened.document) << show(path);
        EXPECT_FALSE(opened.error.isEmpty());
    }
}

TEST(StoreDocument, NextFreeLessonFillsTheFirstHole)
{
    Opened store({row(24, 1, kNew), row(24, 2, kNew), row(24, 4, kNew), row(24, 0, kNew), row(24, 120, kNew)});
    EXPECT_EQ(store.document.nextFreeLesson(24), 3);
    EXPECT_EQ(store.document.nextFreeLesson(13), 1);
    store.document.addRow(24, 3, kNew);
    EXPECT_EQ(store.document.nextFreeLesson(24), 5);
    for (int lesson = 5; lesson <= 99; ++lesson)
        store.document.addRow(24, lesson, kNew);
    EXPECT_EQ(store.document.nextFreeLesson(24), 0);
}

// Recovered changes go onto the store as it is now.
TEST(StoreDocument, ReplayPutsChangesOnTheStoreAsItIsNow)
{
    Opened store;
    store.document.setText(store.id(0), kNew);
    int at;
    store.document.takeRow(store.id(3), &at);
    store.document.addRow(33, 1, kNew);
    const auto changes = store.document.changes();
    // Meanwhile another program removed the row whose text was edited.
    ASSERT_TRUE(Lessons::SqliteWriter::removeLesson(store.path, 24, 1).ok());
    auto reopened = StoreDocument::open(store.path);
    ASSERT_TRUE(reopened.document);
    reopened.document->replay(changes);
    ASSERT_TRUE(reopened.document->save().ok());
    EXPECT_EQ(sqliteRows(store.path), (QList<StoredLesson>{kRows[1], kRows[2], row(24, 1, kNew), row(33, 1, kNew)}));
}

// --- browsing ----------------------------------------------------------------------

TEST(LessonListing, NamedPatternsAsTheChooserListsThemTheRestApart)
{
    QList<Editor::Row> rows;
    const QList<StoredLesson> lessons = {row(24, 2, QStringLiteral("Two\r\n1. &a&")),
                                         row(24, 1, QStringLiteral("One\r\n1. &a&")),
                                         row(24, 2, QStringLiteral("Hidden\r\n1. &a&")),
                                         row(24, 100, QStringLiteral("High\r\n1. &a&")),
                                         row(7, 1, QStringLiteral("Unnamed\r\n1. &a&")),
                                         row(13, 1, QString()),
                                         {13, 2, QString(), true}};
    for (int i = 0; i < lessons.size(); ++i)
        rows.append({i + 1, lessons[i]});
    const Editor::LessonListing listing = Editor::listLessons(rows);
    ASSERT_EQ(listing.patterns.size(), 24);
    EXPECT_EQ(listing.patterns.first().pattern, 1);
    EXPECT_EQ(listing.patterns.last().pattern, 33);
    QList<QPair<int, Hidden>> apart;
    for (const Editor::ListedRow &entry : listing.apart)
        apart.append({entry.id, entry.hidden});
    EXPECT_EQ(apart, (QList<QPair<int, Hidden>>{{5, Hidden::UnnamedPattern},
                                                 {6, Hidden::EmptyText},
                                                 {7, Hidden::EmptyText},
                                                 {3, Hidden::SecondRow},
                                                 {4, Hidden::OutOfRange}}));
    for (const Editor::PatternLessons &pattern : listing.patterns) {
        // The lessons the teacher sees under a pattern are those the pupil's list shows.
        const auto pupils = Lessons::lessonListing(lessons, pattern.pattern);
        ASSERT_EQ(pattern.lessons.size(), pupils.size()) << pattern.pattern;
        for (int i = 0; i < pupils.size(); ++i) {
            EXPECT_EQ(pattern.lessons[i].lesson, pupils[i].lesson);
            EXPECT_EQ(pattern.lessons[i].heading, pupils[i].heading);
        }
    }
}

TEST(LessonListing, EveryFixtureRowIsShownOnce)
{
    QList<Editor::Row> rows;
    for (const StoredLesson &lesson : expectedRows())
        rows.append({int(rows.size()) + 1, lesson});
    const Editor::LessonListing listing = Editor::listLessons(rows);
    qsizetype shown = listing.apart.size();
    for (const Editor::PatternLessons &pattern : listing.patterns) {
        shown += pattern.lessons.size();
        EXPECT_EQ(pattern.lessons.size(), Lessons::lessonListing(expectedRows(), pattern.pattern).size());
    }
    EXPECT_EQ(shown, rows.size());
}

} // namespace

#pragma once

#include "lessons/lesson_store.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QList>
#include <QString>

#include <cstddef>
#include <functional>

/// Runs one SQL statement on an Access file with mdbtools. libmdb trusts the file it
/// reads, so a damaged file can crash it or send it round a loop; by default the
/// statement therefore runs in a child process that is killed when it takes too long,
/// and the caller only ever sees an answer or an error.
namespace Lessons::Mdb {

enum class Containment {
    ChildProcess, ///< the normal way: a crash or a hang of libmdb stays in the child
    InProcess,    ///< for sanitizer and fuzzing runs that want to see libmdb's faults
};

struct QueryOptions
{
    Containment containment = Containment::ChildProcess;
    int timeoutMs = 8000;
    /// Bytes per value at the first try; a value that fills it is read again with more.
    size_t firstBindSize = 64 * 1024;
};

/// Rows of a result: for each row the values of the asked columns, in the order
/// asked, as UTF-8 text. A null value reads as empty.
using Rows = QList<QByteArrayList>;

/// Which rows to keep, judged from the values of a few columns before the other
/// columns of the row are read. libmdb cannot compare Currency and Decimal columns in
/// a Where clause, so the store selects rows with this instead; texts are converted
/// only for the rows kept.
struct RowTest
{
    QByteArrayList columns; ///< the values keep is given, in this order
    std::function<bool(const QByteArrayList &values)> keep; ///< empty: keep every row
};

/// Opens path, runs statement, reads the named columns of every row that test keeps,
/// closes the file. Number values are plain decimals whatever the locale: whole
/// numbers as digits, Currency and Decimal with their places ("24.0000", "1.50"),
/// Single and Double exactly, in as few digits as read back the same ("5.5").
StoreOutcome<Rows> runQuery(const QString &path, const QByteArray &statement, const QByteArrayList &columns,
                            const QueryOptions &options = {}, const RowTest &test = {});

/// Why a file that begins with head (its first bytes, a page or more) and has fileSize
/// bytes is not an Access file that libmdb may be given, or empty. Looks only at
/// what it is given, so plain junk is turned away before any child is started.
QString headerFault(const QByteArray &head, qint64 fileSize);

/// The child's answer on the pipe, and its reading; exposed to be tested on their own.
QByteArray encodeAnswer(const StoreOutcome<Rows> &answer);
StoreOutcome<Rows> decodeAnswer(const QByteArray &bytes);

} // namespace Lessons::Mdb

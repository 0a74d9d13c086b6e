#include "platform/mdb_query.h"

#include "platform/child_process.h"

#include <QFile>
#include <QFileInfo>

#include <mdbsql.h>

#include <algorithm>
#include <charconv>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <optional>
#include <vector>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Lessons::Mdb {

namespace {

// libmdbsql converts every value into a buffer of the handle's bind size and cuts
// off what does not fit, memo texts included. A value that fills the buffer may
// have been cut, so the statement runs again with a larger buffer.
constexpr size_t kLargestBindSize = 64 * 1024 * 1024; // a memo holds under 16 MiB of UCS-2
constexpr size_t kCutMargin = 8;                       // a UTF-8 character is at most 4 bytes

// The SQL parser of libmdbsql keeps global state.
std::mutex &parserMutex()
{
    static std::mutex mutex;
    return mutex;
}

struct Session
{
    MdbSQL *sql = nullptr;

    ~Session()
    {
        if (sql)
            mdb_sql_exit(sql); // resets, closes the file and frees sql itself
    }
};

enum class Pass { Done, Retry };

// libmdb gives an empty or short text, without an error, when a memo's pages lie
// beyond the end of the file. The memo's own header tells how many bytes it has;
// UCS-2 or compressed, every character took at most three of them.
bool memoLost(MdbHandle *mdb, const MdbColumn *column, size_t textBytes)
{
    if (column->col_type != MDB_MEMO || column->cur_value_len < MDB_MEMO_OVERHEAD)
        return false;
    const unsigned long stored = static_cast<unsigned long>(mdb_get_int32(mdb->pg_buf, column->cur_value_start)) & 0x3fffffffUL;
    return stored > 0 && textBytes * 3 + 3 < stored;
}

const QByteArray kJetMagic("\x00\x01\x00\x00Standard Jet DB\x00", 20);
const QByteArray kAceMagic("\x00\x01\x00\x00Standard ACE DB\x00", 20);
constexpr qsizetype kVersionOffset = 0x14;

struct TableDef
{
    MdbTableDef *table = nullptr;
    ~TableDef()
    {
        if (table)
            mdb_free_tabledef(table);
    }
};

MdbColumn *columnNamed(MdbTableDef *table, const char *name)
{
    for (unsigned i = 0; i < table->num_cols; ++i) {
        auto *column = static_cast<MdbColumn *>(g_ptr_array_index(table->columns, i));
        if (g_ascii_strcasecmp(column->name, name) == 0)
            return column;
    }
    return nullptr;
}

// Access's Number field sizes (Byte to Decimal) and Currency; a row is selected when
// its value equals the asked whole number, so any of them may hold pattern and lesson.
bool numberType(int type)
{
    switch (type) {
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_NUMERIC:
    case MDB_MONEY:
        return true;
    default:
        return false;
    }
}

bool textType(int type)
{
    return type == MDB_MEMO || type == MDB_TEXT;
}

// libmdb prints a Double with 16 digits, which turns 24.000000000000004 into the
// whole number 24, and prints Singles and Doubles in the user's locale ("5,5").
// The shortest digits that read back the same are exact, and to_chars ignores the locale.
template <typename Number>
QByteArray exactDecimal(Number value)
{
    char text[512]; // the longest Double written out in full is about 330 characters
    const auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    return error == std::errc() ? QByteArray(text, qsizetype(end - text)) : QByteArray("?");
}

// The value of column in the row just fetched, or nothing when it filled the bind size
// and may have been cut. Texts have no buffer (see runOnce) and are converted here.
std::optional<QByteArray> valueOf(MdbHandle *mdb, MdbColumn *column, const std::vector<char> &buffer, size_t bindSize)
{
    // libmdb keeps a Yes/No value in the null flag, so its length says nothing.
    if (column->cur_value_len == 0 && column->col_type != MDB_BOOL)
        return QByteArray(); // a null
    if (column->col_type == MDB_FLOAT)
        return exactDecimal(mdb_get_single(mdb->pg_buf, column->cur_value_start));
    if (column->col_type == MDB_DOUBLE)
        return exactDecimal(mdb_get_double(mdb->pg_buf, column->cur_value_start));
    QByteArray value;
    if (textType(column->col_type)) {
        char *text = mdb_col_to_string(mdb, mdb->pg_buf, column->cur_value_start, column->col_type, column->cur_value_len);
        value = QByteArray(text, qsizetype(qstrnlen(text, bindSize)));
        g_free(text);
    } else {
        value = QByteArray(buffer.data(), qsizetype(qstrnlen(buffer.data(), bindSize)));
    }
    if (size_t(value.size()) + kCutMargin >= bindSize)
        return std::nullopt;
    return value;
}

// libmdb reads what it can and says nothing when a cut or damaged file lost pages:
// the rows on them are simply not there, a text on them comes back empty. So before
// a statement runs, every row of closes is walked without its texts (about a
// millisecond for 2,000 rows): the count must be the one the table keeps, and every
// text kept on pages of its own must start on a page the file has.
QString verifyClosesTable(MdbHandle *mdb, qint64 pageCount)
{
    TableDef def;
    def.table = mdb_read_table_by_name(mdb, const_cast<gchar *>("closes"), MDB_TABLE);
    if (!def.table)
        return QStringLiteral("no table closes with the columns pattern, lesson and cloze");
    MdbTableDef *table = def.table;
    if (!mdb_read_columns(table))
        return QStringLiteral("the file is damaged: the columns of closes cannot be read");
    MdbColumn *cloze = nullptr;
    for (const char *name : {"pattern", "lesson", "cloze"}) {
        MdbColumn *column = columnNamed(table, name);
        if (!column)
            return QStringLiteral("table closes has no column %1").arg(QLatin1String(name));
        const bool text = qstrcmp(name, "cloze") == 0;
        if (text ? !textType(column->col_type) : !numberType(column->col_type))
            return QStringLiteral("column %1 of closes is not %2")
                .arg(QLatin1String(name), text ? QStringLiteral("a text") : QStringLiteral("a whole number"));
        if (text)
            cloze = column;
    }
    mdb_rewind_table(table);
    unsigned rows = 0;
    while (rows <= table->num_rows && mdb_fetch_row(table)) {
        ++rows;
        if (cloze->col_type != MDB_MEMO || cloze->cur_value_len < MDB_MEMO_OVERHEAD)
            continue;
        const quint32 stored = quint32(mdb_get_int32(mdb->pg_buf, cloze->cur_value_start));
        const bool inRow = stored & 0x80000000u;
        const qint64 firstPage = qint64(quint32(mdb_get_int32(mdb->pg_buf, cloze->cur_value_start + 4)) >> 8);
        if (!inRow && firstPage >= pageCount)
            return QStringLiteral("the file is cut short: a text lies beyond its end");
    }
    if (rows != table->num_rows)
        return QStringLiteral("the file is damaged: closes should have %1 rows, %2 can be read").arg(table->num_rows).arg(rows);
    return QString();
}

struct Query
{
    const QByteArray &file;
    const QByteArray &statement;
    const QByteArrayList &columns;
    const RowTest &test;
};

struct FileHead
{
    bool readable = false;
    QString error;
    QByteArray bytes; ///< the first page or less
    qint64 size = 0;
};

FileHead readHead(const QByteArray &file)
{
    FileHead head;
    const int fd = ::open(file.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        head.error = QString::fromLocal8Bit(strerror(errno));
        return head;
    }
    struct stat info{};
    if (fstat(fd, &info) == 0) {
        head.size = qint64(info.st_size);
        head.bytes.resize(4096);
        const ssize_t got = pread(fd, head.bytes.data(), size_t(head.bytes.size()), 0);
        head.bytes.truncate(got < 0 ? 0 : qsizetype(got));
        head.readable = got >= 0;
    }
    if (!head.readable)
        head.error = QString::fromLocal8Bit(strerror(errno));
    ::close(fd);
    return head;
}

Pass runOnce(const Query &query, size_t bindSize, StoreOutcome<Rows> &answer)
{
    // libmdb is given only files whose header it can trust.
    const FileHead head = readHead(query.file);
    if (const QString fault = head.readable ? headerFault(head.bytes, head.size) : head.error; !fault.isEmpty()) {
        answer = {std::nullopt, fault};
        return Pass::Done;
    }
    Session session;
    // mdb_sql_open would expand the name as a shell word; open the file ourselves.
    MdbHandle *mdb = mdb_open(query.file.constData(), MDB_NOFLAGS);
    if (!mdb) {
        answer = {std::nullopt, QStringLiteral("not an Access file, or a damaged one")};
        return Pass::Done;
    }
    session.sql = mdb_sql_init();
    session.sql->mdb = mdb;
    struct stat info{};
    if (fstat(fileno(mdb->f->stream), &info) != 0 || qint64(info.st_size) != head.size) {
        answer = {std::nullopt, QStringLiteral("the file changed while it was read")};
        return Pass::Done;
    }
    if (mdb->fmt->pg_size <= 0) {
        answer = {std::nullopt, QStringLiteral("not an Access file, or a damaged one")};
        return Pass::Done;
    }
    if (const QString fault = verifyClosesTable(mdb, qint64(info.st_size) / mdb->fmt->pg_size); !fault.isEmpty()) {
        answer = {std::nullopt, fault};
        return Pass::Done;
    }

    mdb_set_bind_size(mdb, bindSize);

    if (!mdb_sql_run_query(session.sql, query.statement.constData())) {
        // The table is known to be there, so this is the statement's own fault.
        answer = {std::nullopt, QStringLiteral("the statement could not be run (%1)")
                                    .arg(QString::fromUtf8(mdb_sql_last_error(session.sql)))};
        return Pass::Done;
    }
    MdbTableDef *table = session.sql->cur_table;
    const unsigned columnCount = table->num_cols;
    const auto columnAt = [table](int i) { return static_cast<MdbColumn *>(g_ptr_array_index(table->columns, i)); };
    const auto indexesOf = [&](const QByteArrayList &names, std::vector<int> *indexes) {
        for (const QByteArray &name : names) {
            int found = -1;
            for (unsigned i = 0; i < columnCount; ++i) {
                if (g_ascii_strcasecmp(columnAt(int(i))->name, name.constData()) == 0)
                    found = int(i);
            }
            if (found < 0) {
                answer = {std::nullopt, QStringLiteral("table closes has no column %1").arg(QString::fromUtf8(name))};
                return false;
            }
            indexes->push_back(found);
        }
        return true;
    };
    std::vector<int> wanted;
    std::vector<int> tested;
    if (!indexesOf(query.columns, &wanted) || !indexesOf(query.test.columns, &tested))
        return Pass::Done;

    // libmdb converts the values of every column that has a buffer, into up to the bind
    // size, whether they are asked for or not. Texts get none: converting a long memo
    // costs more than the rest of the row, so valueOf converts the ones asked for,
    // of the rows kept. (A Yes/No column must keep its buffer: libmdb writes it blindly.)
    std::vector<std::vector<char>> buffers(columnCount);
    std::vector<int> lengths(columnCount, 0);
    for (unsigned i = 0; i < columnCount; ++i) {
        MdbColumn *column = columnAt(int(i));
        if (textType(column->col_type)) {
            column->bind_ptr = nullptr;
            continue;
        }
        buffers[i].resize(bindSize);
        mdb_bind_column(table, int(i) + 1, buffers[i].data(), &lengths[i]);
    }

    enum class Read { Whole, Cut, Failed };
    const auto readInto = [&](const std::vector<int> &indexes, QByteArrayList &values) {
        values.clear();
        for (int i : indexes) {
            const std::optional<QByteArray> value = valueOf(mdb, columnAt(i), buffers[i], bindSize);
            if (!value && bindSize < kLargestBindSize)
                return Read::Cut;
            if (!value) {
                answer = {std::nullopt, QStringLiteral("a text is longer than %1 bytes").arg(kLargestBindSize)};
                return Read::Failed;
            }
            if (memoLost(mdb, columnAt(i), size_t(value->size()))) {
                answer = {std::nullopt, QStringLiteral("the file is damaged: a text cannot be read whole")};
                return Read::Failed;
            }
            values.append(*value);
        }
        return Read::Whole;
    };
    Rows rows;
    QByteArrayList row;
    while (mdb_fetch_row(table)) {
        Read read = Read::Whole;
        if (query.test.keep) {
            read = readInto(tested, row);
            if (read == Read::Whole && !query.test.keep(row))
                continue;
        }
        if (read == Read::Whole)
            read = readInto(wanted, row);
        if (read == Read::Cut)
            return Pass::Retry;
        if (read == Read::Failed)
            return Pass::Done;
        rows.append(row);
    }
    answer = {std::move(rows), QString()};
    return Pass::Done;
}

StoreOutcome<Rows> queryHere(const Query &query, size_t firstBindSize)
{
    std::lock_guard<std::mutex> lock(parserMutex());
    StoreOutcome<Rows> answer;
    for (size_t bindSize = std::max(firstBindSize, size_t(64));; bindSize *= 2) {
        if (runOnce(query, bindSize, answer) == Pass::Done)
            return answer;
    }
}

StoreOutcome<Rows> queryInChild(const Query &query, const QueryOptions &options)
{
    const ChildProcess::Outcome outcome = ChildProcess::run(
        [&] {
            // libmdb tells of unreadable pages only on stderr and carries on with what
            // it has; whatever it says there makes the answer a failure.
            const int said = memfd_create("mdb-stderr", 0);
            if (said >= 0)
                dup2(said, STDERR_FILENO);
            setenv("MDB_ICONV", "UTF-8", 1);
            StoreOutcome<Rows> answer = queryHere(query, options.firstBindSize);
            if (said >= 0) {
                fflush(stderr);
                char first[200] = {};
                const ssize_t n = pread(said, first, sizeof first - 1, 0);
                if (n > 0) {
                    QByteArray line(first, qsizetype(n));
                    const QString told = QString::fromUtf8(line.left(line.indexOf('\n')).trimmed());
                    answer = {std::nullopt, answer.ok() ? QStringLiteral("the file is damaged (%1)").arg(told)
                                                        : QStringLiteral("%1 (%2)").arg(answer.error, told)};
                }
            }
            return encodeAnswer(answer);
        },
        options.timeoutMs);
    switch (outcome.status) {
    case ChildProcess::Outcome::Status::NotStarted:
        return {std::nullopt, QStringLiteral("cannot start the Access reader: %1").arg(outcome.error)};
    case ChildProcess::Outcome::Status::TimedOut:
        return {std::nullopt,
                QStringLiteral("reading took longer than %1 ms; the file may be damaged").arg(options.timeoutMs)};
    case ChildProcess::Outcome::Status::Died:
        return {std::nullopt, QStringLiteral("the file is damaged (the reader stopped on signal %1)").arg(outcome.signal)};
    case ChildProcess::Outcome::Status::Answered:
        break;
    }
    const StoreOutcome<Rows> answer = decodeAnswer(outcome.answer);
    if (!answer.ok() && answer.error.isEmpty())
        return {std::nullopt, QStringLiteral("the reader gave no usable answer")};
    return answer;
}

} // namespace

QString headerFault(const QByteArray &head, qint64 fileSize)
{
    if (fileSize <= 0)
        return QStringLiteral("the file is empty");
    if (!head.startsWith(kJetMagic) && !head.startsWith(kAceMagic))
        return QStringLiteral("not an Access file");
    if (head.size() < kVersionOffset + 4)
        return QStringLiteral("the file is cut short");
    quint32 version = 0;
    for (int i = 0; i < 4; ++i)
        version |= quint32(quint8(head.at(kVersionOffset + i))) << (8 * i);
    if (version > MDB_VER_ACCDB_2019)
        return QStringLiteral("an Access file of an unknown version");
    // Jet files grow by whole pages, and the first three hold the header and the catalogue.
    const qint64 page = version == MDB_VER_JET3 ? 2048 : 4096;
    if (fileSize % page != 0 || fileSize < 3 * page)
        return QStringLiteral("the file is cut short");
    return QString();
}

StoreOutcome<Rows> runQuery(const QString &path, const QByteArray &statement, const QByteArrayList &columns,
                            const QueryOptions &options, const RowTest &test)
{
    const QByteArray file = QFile::encodeName(path);
    // Junk is turned away here without starting a child; anything that is not a
    // plain file (a pipe would block) is left to the child and its time limit.
    if (QFileInfo(path).isFile()) {
        const FileHead head = readHead(file);
        if (const QString fault = head.readable ? headerFault(head.bytes, head.size) : head.error; !fault.isEmpty())
            return {std::nullopt, QStringLiteral("%1: %2").arg(path, fault)};
    }
    const Query query{file, statement, columns, test};
    StoreOutcome<Rows> answer = options.containment == Containment::InProcess ? queryHere(query, options.firstBindSize)
                                                                              : queryInChild(query, options);
    if (!answer.ok())
        answer.error = QStringLiteral("%1: %2").arg(path, answer.error);
    return answer;
}

} // namespace Lessons::Mdb

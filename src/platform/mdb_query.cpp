#include "platform/mdb_query.h"

#include <QElapsedTimer>
#include <QFile>

#include <mdbsql.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <mutex>
#include <vector>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <poll.h>
#include <sys/wait.h>
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

Pass runOnce(const QByteArray &file, const QByteArray &statement, const QByteArrayList &columns, size_t bindSize,
             StoreOutcome<Rows> &answer)
{
    Session session;
    // mdb_sql_open would expand the name as a shell word; open the file ourselves.
    MdbHandle *mdb = mdb_open(file.constData(), MDB_NOFLAGS);
    if (!mdb) {
        answer = {std::nullopt, QStringLiteral("not an Access file, or a damaged one")};
        return Pass::Done;
    }
    session.sql = mdb_sql_init();
    session.sql->mdb = mdb;
    // Jet files grow by whole pages; anything else was cut short.
    struct stat info{};
    if (fstat(fileno(mdb->f->stream), &info) != 0 || info.st_size == 0) {
        answer = {std::nullopt, QStringLiteral("the file is empty")};
        return Pass::Done;
    }
    if (mdb->fmt->pg_size <= 0 || info.st_size % mdb->fmt->pg_size != 0) {
        answer = {std::nullopt, QStringLiteral("the file is cut short")};
        return Pass::Done;
    }

    mdb_set_bind_size(mdb, bindSize);

    if (!mdb_sql_run_query(session.sql, statement.constData())) {
        // libmdbsql reports a missing table or column only as "Got no result".
        const QString reason = QString::fromUtf8(mdb_sql_last_error(session.sql));
        answer = {std::nullopt, reason.startsWith(QStringLiteral("Got no result"))
                                    ? QStringLiteral("no table closes with the columns pattern, lesson and cloze")
                                    : reason.isEmpty() ? QStringLiteral("the statement failed") : reason};
        return Pass::Done;
    }
    MdbTableDef *table = session.sql->cur_table;

    // Every column gets a buffer of the bind size, asked for or not, since libmdb
    // writes up to that size into whatever is bound.
    const unsigned columnCount = table->num_cols;
    std::vector<std::vector<char>> buffers(columnCount, std::vector<char>(bindSize));
    std::vector<int> lengths(columnCount, 0);
    std::vector<int> wanted;
    for (const QByteArray &name : columns) {
        int found = -1;
        for (unsigned i = 0; i < columnCount; ++i) {
            auto *column = static_cast<MdbColumn *>(g_ptr_array_index(table->columns, i));
            if (g_ascii_strcasecmp(column->name, name.constData()) == 0)
                found = int(i);
        }
        if (found < 0) {
            answer = {std::nullopt, QStringLiteral("table closes has no column %1").arg(QString::fromUtf8(name))};
            return Pass::Done;
        }
        wanted.push_back(found);
    }
    for (unsigned i = 0; i < columnCount; ++i)
        mdb_bind_column(table, int(i) + 1, buffers[i].data(), &lengths[i]);

    Rows rows;
    while (mdb_fetch_row(table)) {
        QByteArrayList row;
        for (int column : wanted) {
            const size_t length = qstrnlen(buffers[column].data(), bindSize);
            if (length + kCutMargin >= bindSize && bindSize < kLargestBindSize)
                return Pass::Retry;
            if (length + kCutMargin >= bindSize) {
                answer = {std::nullopt, QStringLiteral("a text is longer than %1 bytes").arg(kLargestBindSize)};
                return Pass::Done;
            }
            auto *field = static_cast<MdbColumn *>(g_ptr_array_index(table->columns, column));
            if (memoLost(mdb, field, length)) {
                answer = {std::nullopt, QStringLiteral("the file is damaged: a text cannot be read whole")};
                return Pass::Done;
            }
            row.append(QByteArray(buffers[column].data(), qsizetype(length)));
        }
        rows.append(row);
    }
    answer = {std::move(rows), QString()};
    return Pass::Done;
}

StoreOutcome<Rows> queryHere(const QByteArray &file, const QByteArray &statement, const QByteArrayList &columns,
                             size_t firstBindSize)
{
    std::lock_guard<std::mutex> lock(parserMutex());
    StoreOutcome<Rows> answer;
    for (size_t bindSize = std::max(firstBindSize, size_t(64));; bindSize *= 2) {
        if (runOnce(file, statement, columns, bindSize, answer) == Pass::Done)
            return answer;
    }
}

void putNumber(QByteArray &out, quint32 value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char((value >> shift) & 0xff));
}

void putBytes(QByteArray &out, const QByteArray &bytes)
{
    putNumber(out, quint32(bytes.size()));
    out.append(bytes);
}

struct Reader
{
    const QByteArray &bytes;
    qsizetype at = 0;
    bool broken = false;

    quint32 number()
    {
        if (bytes.size() - at < 4) {
            broken = true;
            return 0;
        }
        quint32 value = 0;
        for (int i = 0; i < 4; ++i)
            value |= quint32(quint8(bytes.at(at + i))) << (8 * i);
        at += 4;
        return value;
    }

    QByteArray text()
    {
        const quint32 size = number();
        if (broken || quint64(bytes.size() - at) < size) {
            broken = true;
            return QByteArray();
        }
        QByteArray value = bytes.mid(at, qsizetype(size));
        at += qsizetype(size);
        return value;
    }
};

bool writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

[[noreturn]] void childMain(int out, const QByteArray &file, const QByteArray &statement, const QByteArrayList &columns,
                            const QueryOptions &options)
{
    // Outlive a parent that died: the alarm ends a child nobody waits for.
    alarm(unsigned(options.timeoutMs / 1000 + 2));
    // libmdb tells of unreadable pages only on stderr and carries on with what it has;
    // whatever it says there makes the answer a failure.
    const int said = memfd_create("mdb-stderr", 0);
    if (said >= 0)
        dup2(said, STDERR_FILENO);
    setenv("MDB_ICONV", "UTF-8", 1);
    StoreOutcome<Rows> answer = queryHere(file, statement, columns, options.firstBindSize);
    if (said >= 0) {
        fflush(stderr);
        char first[200] = {};
        const ssize_t n = pread(said, first, sizeof first - 1, 0);
        if (n > 0) {
            QByteArray line(first, qsizetype(n));
            line = line.left(line.indexOf('\n')).trimmed();
            const QString told = QString::fromUtf8(line);
            answer = answer.ok() ? StoreOutcome<Rows>{std::nullopt, QStringLiteral("the file is damaged (%1)").arg(told)}
                                 : StoreOutcome<Rows>{std::nullopt, QStringLiteral("%1 (%2)").arg(answer.error, told)};
        }
    }
    const bool written = writeAll(out, encodeAnswer(answer));
    _exit(written ? 0 : 1);
}

StoreOutcome<Rows> queryInChild(const QByteArray &file, const QByteArray &statement, const QByteArrayList &columns,
                                const QueryOptions &options)
{
    const int timeoutMs = options.timeoutMs;
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        return {std::nullopt, QStringLiteral("cannot start the Access reader: %1").arg(QString::fromLocal8Bit(strerror(errno)))};
    const pid_t child = fork();
    if (child < 0) {
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        return {std::nullopt, QStringLiteral("cannot start the Access reader: %1").arg(QString::fromLocal8Bit(strerror(errno)))};
    }
    if (child == 0) {
        ::close(pipeEnds[0]);
        childMain(pipeEnds[1], file, statement, columns, options);
    }
    ::close(pipeEnds[1]);

    QElapsedTimer clock;
    clock.start();
    QByteArray received;
    bool timedOut = false;
    char chunk[65536];
    for (;;) {
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0) {
            timedOut = true;
            break;
        }
        pollfd watch{pipeEnds[0], POLLIN, 0};
        const int ready = poll(&watch, 1, int(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0) {
            timedOut = ready == 0;
            break;
        }
        const ssize_t n = ::read(pipeEnds[0], chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        received.append(chunk, qsizetype(n));
    }
    ::close(pipeEnds[0]);

    int status = 0;
    if (!timedOut) {
        // The child closes its end only when it exits; give it the rest of the time.
        for (;;) {
            const pid_t done = waitpid(child, &status, WNOHANG);
            if (done == child || (done < 0 && errno != EINTR))
                break;
            if (clock.elapsed() >= timeoutMs) {
                timedOut = true;
                break;
            }
            usleep(1000);
        }
    }
    if (timedOut) {
        kill(child, SIGKILL);
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        return {std::nullopt, QStringLiteral("reading took longer than %1 ms; the file may be damaged").arg(timeoutMs)};
    }
    if (WIFSIGNALED(status))
        return {std::nullopt, QStringLiteral("the file is damaged (the reader stopped on signal %1)").arg(WTERMSIG(status))};
    const StoreOutcome<Rows> answer = decodeAnswer(received);
    if (!answer.ok() && answer.error.isEmpty())
        return {std::nullopt, QStringLiteral("the reader gave no usable answer")};
    return answer;
}

} // namespace

QByteArray encodeAnswer(const StoreOutcome<Rows> &answer)
{
    QByteArray out;
    if (!answer.ok()) {
        out.append('E');
        putBytes(out, answer.error.toUtf8());
        return out;
    }
    out.append('R');
    putNumber(out, quint32(answer.value->size()));
    for (const QByteArrayList &row : *answer.value) {
        putNumber(out, quint32(row.size()));
        for (const QByteArray &value : row)
            putBytes(out, value);
    }
    out.append('.');
    return out;
}

StoreOutcome<Rows> decodeAnswer(const QByteArray &bytes)
{
    const StoreOutcome<Rows> broken{std::nullopt, QString()};
    if (bytes.isEmpty())
        return broken;
    Reader reader{bytes, 1};
    if (bytes.at(0) == 'E') {
        const QByteArray error = reader.text();
        if (reader.broken || reader.at != bytes.size())
            return broken;
        return {std::nullopt, error.isEmpty() ? QStringLiteral("the statement failed") : QString::fromUtf8(error)};
    }
    if (bytes.at(0) != 'R')
        return broken;
    Rows rows;
    const quint32 rowCount = reader.number();
    for (quint32 r = 0; r < rowCount && !reader.broken; ++r) {
        const quint32 valueCount = reader.number();
        QByteArrayList row;
        for (quint32 v = 0; v < valueCount && !reader.broken; ++v)
            row.append(reader.text());
        rows.append(row);
    }
    // The closing mark tells a whole answer from one cut off by a dying child.
    if (reader.broken || reader.at != bytes.size() - 1 || bytes.back() != '.')
        return broken;
    return {std::move(rows), QString()};
}

StoreOutcome<Rows> runQuery(const QString &path, const QByteArray &statement, const QByteArrayList &columns,
                            const QueryOptions &options)
{
    const QByteArray file = QFile::encodeName(path);
    StoreOutcome<Rows> answer = options.containment == Containment::InProcess
        ? queryHere(file, statement, columns, options.firstBindSize)
        : queryInChild(file, statement, columns, options);
    if (!answer.ok())
        answer.error = QStringLiteral("%1: %2").arg(path, answer.error);
    return answer;
}

} // namespace Lessons::Mdb

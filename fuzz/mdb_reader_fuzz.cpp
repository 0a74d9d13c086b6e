// The Access reader on damaged copies of the fixture store. Whatever the file holds,
// the reader answers with rows of the asked shape or with a reason, in time, and the
// parent never goes down with libmdb.
//
// Input, first byte even: edits of db1.mdb, each a 4-byte offset (little endian), a
// length byte and that many bytes to write there; a length of 0 cuts the file at the
// offset. First byte odd: the rest is the whole file, and also a child's answer.
#include "platform/mdb_query.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

QByteArray edited(const uint8_t *data, size_t size)
{
    static const QByteArray original = [] {
        QFile file(QStringLiteral(CLOZE_FIXTURES_DIR "/db1.mdb"));
        if (!file.open(QIODevice::ReadOnly))
            std::abort(); // a run without the fixture would fuzz nothing
        return file.readAll();
    }();
    QByteArray bytes = original;
    for (size_t at = 1; at + 5 <= size && !bytes.isEmpty();) {
        const quint32 offset = quint32(data[at]) | quint32(data[at + 1]) << 8 | quint32(data[at + 2]) << 16
            | quint32(data[at + 3]) << 24;
        const qsizetype where = qsizetype(offset % quint32(bytes.size()));
        const size_t n = std::min<size_t>(data[at + 4], size - at - 5);
        at += 5;
        if (data[at - 1] == 0)
            bytes.truncate(where);
        else
            bytes.replace(where, std::min<qsizetype>(qsizetype(n), bytes.size() - where),
                          QByteArray(reinterpret_cast<const char *>(data + at), qsizetype(n)));
        at += n;
    }
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace Lessons::Mdb;
    static QTemporaryDir folder;
    const bool raw = size > 0 && (data[0] & 1);
    const QByteArray bytes = raw ? QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1)) : edited(data, size);
    if (raw) {
        // An accepted answer is exactly what the child would have sent for it.
        const auto decoded = decodeAnswer(bytes);
        if (decoded.ok() ? encodeAnswer(decoded) != bytes : bytes.startsWith('R') && !decoded.error.isEmpty())
            std::abort();
    }

    const QString fault = headerFault(bytes.left(4096), bytes.size());
    const QString path = folder.filePath(QStringLiteral("db1.mdb"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
    file.close();

    // As the store asks: every row is walked, and only those of pattern 1 are read whole.
    const RowTest patternOne{{"pattern"}, [](const QByteArrayList &values) { return values.at(0) == "1"; }};
    const auto answer = runQuery(path, "Select * from closes", {"pattern", "lesson", "cloze"}, {{}, 3000}, patternOne);
    // A file the header check turns away never reaches libmdb; a failure always says why.
    if (answer.ok() ? !fault.isEmpty() : !answer.error.startsWith(path + QStringLiteral(": ")) || answer.error.size() <= path.size() + 2)
        std::abort();
    for (const QByteArrayList &row : answer.value.value_or(Rows())) {
        if (row.size() != 3 || row.at(0) != "1")
            std::abort();
    }
    // The fixture itself reads whole: three lessons in pattern 1.
    if (!raw && size <= 1 && answer.value.value_or(Rows()).size() != 3)
        std::abort();
    return 0;
}

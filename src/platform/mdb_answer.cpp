#include "platform/mdb_query.h"

// The child's answer on the pipe: 'E' and an error text, or 'R', the rows and a
// closing mark that tells a whole answer from one cut off by a dying child.
namespace Lessons::Mdb {

namespace {

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

} // namespace Lessons::Mdb

#include "screens/help/help_file.h"

#include "platform/text_lines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <array>

namespace HelpFile {

namespace {

constexpr char16_t kUndefined = 0xFFFD;

// Bytes 0x80..0xFF of Windows-1255; the lower half is ASCII.
constexpr std::array<char16_t, 128> kWindows1255High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x02C6, 0x2030, 0x008A, 0x2039, 0x008C, 0x008D, 0x008E, 0x008F, // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x02DC, 0x2122, 0x009A, 0x203A, 0x009C, 0x009D, 0x009E, 0x009F, // 98
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x20AA, 0x00A5, 0x00A6, 0x00A7, // A0
    0x00A8, 0x00A9, 0x00D7, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF, // A8
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7, // B0
    0x00B8, 0x00B9, 0x00F7, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF, // B8
    0x05B0, 0x05B1, 0x05B2, 0x05B3, 0x05B4, 0x05B5, 0x05B6, 0x05B7, // C0 points
    0x05B8, 0x05B9, kUndefined, 0x05BB, 0x05BC, 0x05BD, 0x05BE, 0x05BF, // C8
    0x05C0, 0x05C1, 0x05C2, 0x05C3, 0x05F0, 0x05F1, 0x05F2, 0x05F3, // D0
    0x05F4, kUndefined, kUndefined, kUndefined, kUndefined, kUndefined, kUndefined, kUndefined, // D8
    0x05D0, 0x05D1, 0x05D2, 0x05D3, 0x05D4, 0x05D5, 0x05D6, 0x05D7, // E0 letters
    0x05D8, 0x05D9, 0x05DA, 0x05DB, 0x05DC, 0x05DD, 0x05DE, 0x05DF, // E8
    0x05E0, 0x05E1, 0x05E2, 0x05E3, 0x05E4, 0x05E5, 0x05E6, 0x05E7, // F0
    0x05E8, 0x05E9, 0x05EA, kUndefined, kUndefined, 0x200E, 0x200F, kUndefined, // F8
};

const QByteArray kUtf8Mark("\xEF\xBB\xBF", 3);

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

} // namespace

bool isValidUtf8(const QByteArray &bytes)
{
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype size = bytes.size();
    qsizetype i = bytes.startsWith(kUtf8Mark) ? kUtf8Mark.size() : 0;
    while (i < size) {
        const unsigned char lead = data[i];
        int follow = 0;
        char32_t code = 0;
        char32_t lowest = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            follow = 1;
            code = lead & 0x1F;
            lowest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            follow = 2;
            code = lead & 0x0F;
            lowest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            follow = 3;
            code = lead & 0x07;
            lowest = 0x10000;
        } else {
            return false; // a stray continuation byte or a lead byte UTF-8 never uses
        }
        for (int k = 1; k <= follow; ++k) {
            if (i + k >= size || !isContinuation(data[i + k]))
                return false;
            code = (code << 6) | (data[i + k] & 0x3F);
        }
        // Overlong forms, UTF-16 surrogates and values past U+10FFFF are not UTF-8.
        if (code < lowest || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
            return false;
        i += follow + 1;
    }
    return true;
}

QString decodeWindows1255(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        text.append(value < 0x80 ? QChar(value) : QChar(kWindows1255High[value - 0x80]));
    }
    return text;
}

QString decodeText(const QByteArray &bytes)
{
    if (bytes.startsWith(kUtf8Mark))
        return QString::fromUtf8(bytes.mid(kUtf8Mark.size()));
    if (isValidUtf8(bytes))
        return QString::fromUtf8(bytes);
    return decodeWindows1255(bytes);
}

ReadResult readLines(const QString &path)
{
    ReadResult result;
    const QFileInfo info(path);
    if (!info.exists())
        return result;
    result.status = ReadStatus::Unreadable;
    if (info.isDir())
        return result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return result;
    result.lines = TextLines::split(decodeText(bytes));
    result.status = ReadStatus::Read;
    return result;
}

QString generalHelpPath(const QString &workingFolder)
{
    return QDir(workingFolder).filePath(QStringLiteral("helpVorn.txt"));
}

QString topicFilePath(const QString &workingFolder, int patternNumber)
{
    if (patternNumber <= 0)
        return QString();
    return QDir(workingFolder).filePath(QStringLiteral("data/help/hlp%1.rtf.txt").arg(600 + patternNumber));
}

} // namespace HelpFile

#pragma once

#include <QChar>
#include <QString>

// The largest lesson the page takes: fifty heading lines, then 48 lines of one gap
// and one of two: 99 lines, 50 gaps, 98 text runs.
inline QString largestLesson()
{
    QString text;
    for (int i = 0; i < 50; ++i)
        text += QStringLiteral("Heading line %1 of the lesson\r\n").arg(QChar('a' + i % 26));
    for (int i = 1; i <= 48; ++i)
        text += QStringLiteral("%1. The children &answer%1& the questions.\r\n").arg(i);
    text += QStringLiteral("49. Last &answer49& &answer50&");
    return text;
}

#pragma once

#include "platform/sound_player.h"

#include <QChar>
#include <QString>

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

// What the screen benchmarks share.

// The median of runs timings of once, in milliseconds, after one warm-up.
inline double medianMs(int runs, const std::function<void()> &once)
{
    once();
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        once();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

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

class Silence : public SoundPlayer
{
public:
    void play(const QString &) override {}
    void close() override {}
};

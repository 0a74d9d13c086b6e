#pragma once

#include <QString>

#include <optional>

struct Variables;

/// The time limit: 60 ticks, each as long as the minutes setting in seconds.
namespace TimeLimit {

constexpr int kTicks = 60;

struct Tick
{
    int progress = 0; ///< share of the limit used, 0..100, taken before the count goes down
    bool timeUp = false;
};

/// One tick: the progress value, then TicksLeft goes down; the time is up once it
/// drops below 0, on the 61st tick.
Tick tick(Variables &state);

/// Tick length in milliseconds for a minutes setting: minutes x 1000, rounded half
/// to even. Nothing when the text is no number, negative, or too long for a timer.
std::optional<int> tickIntervalMs(const QString &minutesSetting);

} // namespace TimeLimit

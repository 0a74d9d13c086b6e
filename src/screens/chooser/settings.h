#pragma once

#include <QList>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

/// The chooser's four settings as Start takes them: time in minutes, attempts per
/// gap, credit and debit, each as the pupil typed or picked it.
namespace Settings {

enum Index { Time = 0, Attempts = 1, Credit = 2, Debit = 3 };
using Texts = std::array<QString, 4>;

/// What the settings hold when the program starts: one minute, five attempts, credit 1, debit 1.
inline const Texts kInitialTexts = {QStringLiteral("1"), QStringLiteral("5"), QStringLiteral("1"), QStringLiteral("1")};

/// Settings Start can run with.
struct Accepted
{
    Texts texts;         ///< as typed: the panel shows them so
    int tickMs = 0;      ///< one of the 60 ticks of the time limit; 0 without a limit
    int16_t attempts = 0;
    int16_t credit = 0;
    double debit = 0.0;
};

/// A setting that is refused, with the hint that says what it must hold.
struct Refusal
{
    int index = 0; ///< -1: no setting is wrong, the lesson cannot be started
    QString hint;
};

struct Check
{
    std::optional<Accepted> accepted;
    QList<Refusal> refusals; ///< in field order; the lesson's own refusal last
};

/// Attempts and credit must be whole numbers from 1 to 32767 (a credit of 0 would
/// divide the grade by 0), the debit a number of 0 or more, the time (only when the
/// time limit is on) a number of minutes whose tick fits the timer; a lesson
/// without gaps cannot be started.
Check check(const Texts &texts, bool timeLimitOn, int gapCount);

} // namespace Settings

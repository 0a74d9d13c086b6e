#pragma once

#include <QString>

#include <array>
#include <cstdint>

/// The one exercise record shared by every screen for the whole run.
/// Fields keep the names the screens and the lesson format use; nothing here is saved.
struct Variables
{
    static constexpr int kSlots = 51;   // gap slots 0..50; slot 0 is never a gap
    static constexpr int kMaxGaps = kSlots - 1;

    // Exercise options, toggled on the chooser.
    bool TimeLimitOn = true;
    bool MagazineOn = true;
    bool SignsOn = true;

    // Per-gap tables, filled by the lesson builder.
    std::array<std::array<QString, 2>, kSlots> GapWords{};   // column 0 answer, column 1 sign mask
    std::array<QString, kSlots> RightAnswers{};
    std::array<int16_t, kSlots> TriesLeft{};
    std::array<QString, kSlots> WordBank{};
    int16_t WordBankCount = 0;

    // Counters of the running exercise.
    bool ExerciseRunning = false;
    int16_t GapCount = 0;
    int16_t GapsLeft = 0;
    int16_t Credit = 0;
    int16_t Points = 0;
    int16_t TicksLeft = 0;

    // Screen size by which the exercise and help screens scale; help return target.
    int16_t ViewWidth = 0;
    int16_t ViewHeight = 0;
    uint8_t HelpFromExercise = 0;
};

/// The single instance every screen reads and writes.
Variables &variables();

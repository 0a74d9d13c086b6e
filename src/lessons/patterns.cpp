#include "lessons/patterns.h"

#include "state/numbers.h"

#include <array>
#include <utility>

namespace Patterns {

namespace {

// Names are shown exactly as teachers know them, the leading blank of 27 included.
const std::array<std::pair<int, const char *>, 24> kNames = {{
    {1, "opposites,be,have,pronouns,plurals,i-my,you-your,a,an,some,any"},
    {2, "i'm,you're,it's..."},
    {3, "modals + be"},
    {4, "put into negative"},
    {5, "modals"},
    {6, "wh questions"},
    {13, "singular into plural, plural into singular"},
    {14, "yours,mines..."},
    {15, "command"},
    {16, "imperative"},
    {17, "present progressive - positive"},
    {18, "present progressive - negative"},
    {19, "present progressive - interrogative"},
    {20, "there is,there are,isn't,aren't"},
    {21, "prepositions"},
    {24, "present simple - positive"},
    {25, "stative verbs"},
    {26, "present simple - negative"},
    {27, " present simple - iterrogative"},
    {28, "it is,it's"},
    {29, "past tense simple - positive"},
    {30, "past tense simple - negative"},
    {31, "past tense simple - interrogative"},
    {33, "going to"},
}};

// The digits after any leading blanks; 0 when there are none.
int leadingNumber(const QString &text)
{
    qsizetype from = 0;
    while (from < text.size() && text.at(from) == QLatin1Char(' '))
        ++from;
    qsizetype to = from;
    while (to < text.size() && text.at(to) >= QLatin1Char('0') && text.at(to) <= QLatin1Char('9'))
        ++to;
    int value = 0;
    Numbers::readWholeNumber(QStringView(text).sliced(from, to - from), &value);
    return value;
}

} // namespace

QString PatternName(int number)
{
    for (const auto &[n, name] : kNames) {
        if (n == number)
            return QString::fromUtf8(name);
    }
    return QString();
}

QString patternEntry(int number)
{
    return QString::number(number) + QStringLiteral("  ") + PatternName(number);
}

QStringList patternListEntries()
{
    QStringList entries;
    for (int n = 1; n <= kHighestPatternNumber; ++n) {
        if (!PatternName(n).isEmpty())
            entries.append(patternEntry(n));
    }
    return entries;
}

QList<int> namedPatternNumbers()
{
    QList<int> numbers;
    for (const auto &entry : kNames)
        numbers.append(entry.first);
    return numbers;
}

QString lessonEntry(int lesson, const QString &heading)
{
    return QString::number(lesson) + QLatin1Char(' ') + heading;
}

int patternNumberFromEntry(const QString &entry)
{
    return leadingNumber(entry.left(3));
}

int lessonNumberFromEntry(const QString &entry)
{
    return leadingNumber(entry.left(2));
}

int16_t ComputeGrade(int16_t gapCount, int16_t credit, int16_t points)
{
    const int32_t best = int32_t(gapCount) * int32_t(credit);
    if (best == 0)
        return 0; // an exercise without gaps or credit has no grade to speak of
    const int32_t earned = int32_t(points) * 100;
    return Numbers::clampToInt16(double(earned) / double(best));
}

} // namespace Patterns

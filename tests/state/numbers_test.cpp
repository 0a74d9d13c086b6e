#include "state/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

namespace {

TEST(ReadDecimal, ReadsSettingText)
{
    std::vector<std::optional<double>> read;
    for (const char *text : {"  2.5 ", "-.5", "1,000", "   ", "2,5", "3x", "inf", "1e400"})
        read.push_back(Numbers::readDecimal(QString::fromUtf8(text)));
    EXPECT_EQ(read, (std::vector<std::optional<double>>{2.5, -0.5, 1000.0, {}, {}, {}, {}, {}}));
}

using Whole = Numbers::WholeNumber;

// The value is left alone but for a whole number.
TEST(ReadWholeNumber, WholeWhenNoPlaceIsUsed)
{
    const std::tuple<std::string, Whole, int> cases[] = {
        {"-3", Whole::Whole, -3}, {"+8", Whole::Whole, 8}, {"24.0000", Whole::Whole, 24}, {"2147483647.00", Whole::Whole, 2147483647},
        {"24.0001", Whole::NotWhole, 0}, {"2147483648", Whole::NotWhole, 0}, {"1" + std::string(400, '0') + ".0", Whole::NotWhole, 0},
        {"", Whole::NotNumber, 0}, {"-", Whole::NotNumber, 0}, {"24.", Whole::NotNumber, 0}, {".5", Whole::NotNumber, 0},
        {" 4", Whole::NotNumber, 0}, {"1,000", Whole::NotNumber, 0}, {"1e+20", Whole::NotNumber, 0}, {"1.0.0", Whole::NotNumber, 0}};
    for (const auto &[text, kind, whole] : cases) {
        int value = -777;
        EXPECT_EQ(Numbers::readWholeNumber(QString::fromStdString(text), &value), kind) << text.substr(0, 20);
        EXPECT_EQ(value, kind == Whole::Whole ? whole : -777) << text.substr(0, 20);
    }
}

TEST(Rounding, HalfToEvenWithinSixteenBits)
{
    for (const auto &[value, rounded] : {std::pair{2.5, 2.0}, {3.5, 4.0}, {-1.5, -2.0}, {2.51, 3.0}})
        EXPECT_EQ(Numbers::roundHalfEven(value), rounded) << value;
    // "32767.5" rounds to 32768.
    const std::pair<const char *, std::optional<int16_t>> texts[] = {{"2.5", 2}, {"-32768", -32768}, {"32767.5", {}}, {"x", {}}};
    for (const auto &[text, number] : texts)
        EXPECT_EQ(Numbers::readWholeInt16(QString::fromUtf8(text)), number) << text;
    for (const auto &[value, clamped] : {std::pair{1e9, 32767}, {-1e9, -32768}, {std::nan(""), 0}})
        EXPECT_EQ(Numbers::clampToInt16(value), clamped) << value;
}

// 15 digits hide the binary noise of a repeated debit; no exponent however large.
TEST(FormatPlain, WritesTheScore)
{
    std::vector<std::string> written;
    for (double value : {-1.5, -0.0, 0.1 + 0.2, 1e16})
        written.push_back(Numbers::formatPlain(value).toStdString());
    EXPECT_EQ(written, (std::vector<std::string>{"-1.5", "0", "0.3", "10000000000000000"}));
}

} // namespace

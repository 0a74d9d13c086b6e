#include "state/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

const auto kRowName = [](const auto &info) { return std::string(info.param.name); };

TEST(ReadDecimal, ReadsSettingText)
{
    std::vector<std::optional<double>> read;
    for (const char *text : {"  2.5 ", "-.5", "1,000", "   ", "2,5", "3x", "inf", "1e400"})
        read.push_back(Numbers::readDecimal(QString::fromUtf8(text)));
    EXPECT_EQ(read, (std::vector<std::optional<double>>{2.5, -0.5, 1000.0, {}, {}, {}, {}, {}}));
}

struct WholeCase { const char *name; std::string text; Numbers::WholeNumber kind; int value; };

class ReadWholeNumber : public testing::TestWithParam<WholeCase> {};

TEST_P(ReadWholeNumber, WholeWhenNoPlaceIsUsed)
{
    int value = -777;
    EXPECT_EQ(Numbers::readWholeNumber(QString::fromStdString(GetParam().text), &value), GetParam().kind);
    EXPECT_EQ(value, GetParam().kind == Numbers::WholeNumber::Whole ? GetParam().value : -777);
}

using Whole = Numbers::WholeNumber;
INSTANTIATE_TEST_SUITE_P(Texts, ReadWholeNumber,
    testing::Values(WholeCase{"minus", "-3", Whole::Whole, -3}, WholeCase{"plus", "+8", Whole::Whole, 8},
                    WholeCase{"currency_places", "24.0000", Whole::Whole, 24},
                    WholeCase{"largest_int", "2147483647.00", Whole::Whole, 2147483647},
                    WholeCase{"fraction_in_the_last_place", "24.0001", Whole::NotWhole, 0},
                    WholeCase{"beyond_int", "2147483648", Whole::NotWhole, 0},
                    WholeCase{"beyond_a_double", "1" + std::string(400, '0') + ".0", Whole::NotWhole, 0},
                    WholeCase{"empty", "", Whole::NotNumber, 0}, WholeCase{"sign_alone", "-", Whole::NotNumber, 0},
                    WholeCase{"point_without_places", "24.", Whole::NotNumber, 0},
                    WholeCase{"places_without_digits", ".5", Whole::NotNumber, 0},
                    WholeCase{"blank", " 4", Whole::NotNumber, 0}, WholeCase{"group_separator", "1,000", Whole::NotNumber, 0},
                    WholeCase{"exponent", "1e+20", Whole::NotNumber, 0}, WholeCase{"two_points", "1.0.0", Whole::NotNumber, 0}),
    kRowName);

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

#include "state/numbers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct DecimalCase
{
    const char *name;
    const char *text;
    std::optional<double> expected;
};

class ReadDecimal : public testing::TestWithParam<DecimalCase> {};

TEST_P(ReadDecimal, ReadsSettingText)
{
    const auto &c = GetParam();
    EXPECT_EQ(Numbers::readDecimal(QString::fromUtf8(c.text)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Settings, ReadDecimal,
    testing::Values(DecimalCase{"whole", "5", 5.0},
                    DecimalCase{"blanks_around", "  2.5 ", 2.5},
                    DecimalCase{"half", "0.5", 0.5},
                    DecimalCase{"leading_point", ".5", 0.5},
                    DecimalCase{"negative", "-3", -3.0},
                    DecimalCase{"empty", "", std::nullopt},
                    DecimalCase{"only_blanks", "   ", std::nullopt},
                    DecimalCase{"letters", "abc", std::nullopt},
                    DecimalCase{"comma_separator", "2,5", std::nullopt},
                    DecimalCase{"trailing_junk", "3x", std::nullopt},
                    DecimalCase{"infinite", "inf", std::nullopt}),
    [](const auto &info) { return std::string(info.param.name); });

struct RoundCase
{
    const char *name;
    double value;
    double expected;
};

class RoundHalfEven : public testing::TestWithParam<RoundCase> {};

TEST_P(RoundHalfEven, TiesGoToEven)
{
    EXPECT_EQ(Numbers::roundHalfEven(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Ties, RoundHalfEven,
    testing::Values(RoundCase{"two_and_half", 2.5, 2.0}, RoundCase{"three_and_half", 3.5, 4.0},
                    RoundCase{"minus_one_and_half", -1.5, -2.0}, RoundCase{"twelve_and_half", 12.5, 12.0},
                    RoundCase{"below_half", 2.49, 2.0}, RoundCase{"above_half", 2.51, 3.0},
                    RoundCase{"minus_half", -0.5, -0.0}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(WholeSetting, RoundsAndChecksTheRange)
{
    EXPECT_EQ(Numbers::readWholeInt16(QStringLiteral("2.5")), int16_t(2));
    EXPECT_EQ(Numbers::readWholeInt16(QStringLiteral("3.5")), int16_t(4));
    EXPECT_EQ(Numbers::readWholeInt16(QStringLiteral("32767")), int16_t(32767));
    EXPECT_EQ(Numbers::readWholeInt16(QStringLiteral("32767.5")), std::nullopt); // rounds to 32768
    EXPECT_EQ(Numbers::readWholeInt16(QStringLiteral("-32768")), int16_t(-32768));
    EXPECT_EQ(Numbers::readWholeInt16(QStringLiteral("-32769")), std::nullopt);
    EXPECT_EQ(Numbers::readWholeInt16(QStringLiteral("x")), std::nullopt);
}

TEST(ClampToInt16, SaturatesAtTheEnds)
{
    EXPECT_EQ(Numbers::clampToInt16(1e9), 32767);
    EXPECT_EQ(Numbers::clampToInt16(-1e9), -32768);
    EXPECT_EQ(Numbers::clampToInt16(77.78), 78);
    EXPECT_EQ(Numbers::clampToInt16(std::nan("")), 0);
}

struct FormatCase
{
    const char *name;
    double value;
    const char *expected;
};

class FormatPlain : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatPlain, WritesTheScore)
{
    EXPECT_EQ(Numbers::formatPlain(GetParam().value).toStdString(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Scores, FormatPlain,
    testing::Values(FormatCase{"whole", 3, "3"}, FormatCase{"negative", -2, "-2"},
                    FormatCase{"fraction", 1.5, "1.5"}, FormatCase{"zero", 0, "0"},
                    FormatCase{"negative_zero", -0.0, "0"},
                    FormatCase{"repeated_debit", 0.1 + 0.2, "0.3"}, // 15 digits hide the binary noise
                    FormatCase{"large", 123456789012.0, "123456789012"},
                    FormatCase{"beyond_exponent_switch", 1e16, "10000000000000000"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace

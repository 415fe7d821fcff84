#include <gtest/gtest.h>

#include <cmath>

#include "Numbers.h"
#include "ParamNames.h"

namespace {

struct RoundRow {
    double in;
    double out;
};
class RoundHalfEven : public ::testing::TestWithParam<RoundRow> {};
TEST_P(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(num::roundHalfEven(GetParam().in), GetParam().out) << GetParam().in;
}
INSTANTIATE_TEST_SUITE_P(Rows, RoundHalfEven,
                         ::testing::Values(RoundRow{0.5, 0}, RoundRow{1.5, 2}, RoundRow{2.5, 2}, RoundRow{3.5, 4},
                                           RoundRow{-0.5, 0}, RoundRow{-1.5, -2}, RoundRow{-2.5, -2},
                                           RoundRow{2.4999999, 2}, RoundRow{2.5000001, 3}, RoundRow{127.5, 128},
                                           RoundRow{128.5, 128}, RoundRow{-7.2, -7}, RoundRow{-7.7, -8}),
                         [](const auto& info) { return testnames::spelled(info.param.in); });

TEST(IntegerConversion, FailsOutsideTheFieldAfterRounding) {
    EXPECT_EQ(num::toInt16(32767.4), 32767);
    EXPECT_EQ(num::toInt16(32767.5), std::nullopt);  // rounds to 32768
    EXPECT_EQ(num::toInt16(-32768.5), -32768);       // rounds to the even -32768
    EXPECT_EQ(num::toInt16(-32769), std::nullopt);
    EXPECT_EQ(num::toInt32(2147483647.5), std::nullopt);
    EXPECT_EQ(num::toInt32(-2147483648.0), INT32_MIN);
    EXPECT_EQ(num::toInt16(std::nan("")), std::nullopt);
    EXPECT_EQ(num::toInt16Saturated(1e9), 32767);
    EXPECT_EQ(num::toInt16Saturated(-1e9), -32768);
}

TEST(IntegerConversion, IntIsTheFloor) {
    EXPECT_EQ(num::Int(2.9), 2);
    EXPECT_EQ(num::Int(-2.1), -3);
    EXPECT_EQ(num::Int(0.999999f * 6), 5);
}

struct GeneralRow {
    double in;
    const char* out;
};
class GeneralForm : public ::testing::TestWithParam<GeneralRow> {};
TEST_P(GeneralForm, FifteenSignificantDigitsNoTrailingZeros) {
    EXPECT_EQ(num::general(GetParam().in), QString::fromLatin1(GetParam().out));
}
INSTANTIATE_TEST_SUITE_P(Rows, GeneralForm,
                         ::testing::Values(GeneralRow{100.0 * 60 / 46.8, "128.205128205128"},
                                           GeneralRow{12.345, "12.345"}, GeneralRow{9.8, "9.8"}, GeneralRow{15, "15"},
                                           GeneralRow{35.25, "35.25"}, GeneralRow{0.1 + 0.2, "0.3"},
                                           GeneralRow{1.0 / 3, "0.333333333333333"}, GeneralRow{-3, "-3"},
                                           GeneralRow{0, "0"}, GeneralRow{-0.0, "0"},
                                           GeneralRow{123456789012345, "123456789012345"}, GeneralRow{1e15, "1E+15"},
                                           GeneralRow{0.5, "0.5"}, GeneralRow{-12.75, "-12.75"}),
                         [](const auto& info) { return testnames::spelled(info.param.in); });

TEST(GeneralForm, SignSpaceOnlyForNonNegative) {
    EXPECT_EQ(num::withSignSpace(12.5), QStringLiteral(" 12.5"));
    EXPECT_EQ(num::withSignSpace(0), QStringLiteral(" 0"));
    EXPECT_EQ(num::withSignSpace(-3), QStringLiteral("-3"));
}

struct ValRow {
    const char* in;
    double out;
};
class ValPrefix : public ::testing::TestWithParam<ValRow> {};
TEST_P(ValPrefix, ReadsTheLeadingNumber) {
    EXPECT_DOUBLE_EQ(num::Val(QString::fromUtf8(GetParam().in)), GetParam().out) << GetParam().in;
}
INSTANTIATE_TEST_SUITE_P(Rows, ValPrefix,
                         ::testing::Values(ValRow{"12abc", 12}, ValRow{"  -3.5x", -3.5}, ValRow{"1 2 3", 123},
                                           ValRow{"abc", 0}, ValRow{"", 0}, ValRow{".5", 0.5}, ValRow{"1.2.3", 1.2},
                                           ValRow{"1e3", 1000}, ValRow{"1e", 1}, ValRow{"+7", 7}, ValRow{"3-4", 3},
                                           ValRow{"255", 255}, ValRow{"055", 55}, ValRow{"-", 0}, ValRow{"1e999", 0},
                                           ValRow{"\u30001 5", 15}),
                         [](const auto& info) { return testnames::spelled(info.param.in); });

struct ParseRow {
    const char* in;
    std::optional<double> out;
};
class StrictNumber : public ::testing::TestWithParam<ParseRow> {};
TEST_P(StrictNumber, WholeTextMustBeANumber) {
    EXPECT_EQ(num::parseNumber(QString::fromUtf8(GetParam().in)), GetParam().out) << GetParam().in;
}
INSTANTIATE_TEST_SUITE_P(Rows, StrictNumber,
                         ::testing::Values(ParseRow{" 42 ", 42}, ParseRow{"3.5", 3.5}, ParseRow{"-7", -7},
                                           ParseRow{"+5", 5}, ParseRow{"1e3", 1000}, ParseRow{"5.", 5},
                                           ParseRow{".25", 0.25}, ParseRow{"abc", std::nullopt},
                                           ParseRow{"12abc", std::nullopt}, ParseRow{"", std::nullopt},
                                           ParseRow{".", std::nullopt}, ParseRow{"1e", std::nullopt},
                                           ParseRow{"1 2", std::nullopt}, ParseRow{"1e999", std::nullopt},
                                           ParseRow{"--1", std::nullopt}),
                         [](const auto& info) { return testnames::spelled(info.param.in); });

}  // namespace

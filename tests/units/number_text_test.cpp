#include <gtest/gtest.h>

#include "units/errors.hpp"
#include "units/format.hpp"
#include "units/number_text.hpp"

namespace qdx {
namespace {

TEST(SigDigits, DecimalsForSignificantDigits) {
    struct Case {
        int sigDigs, maxDecimals;
        double value;
        int expected;
    };
    const Case cases[] = {
        // One integer digit: down to the first non-zero decimal, sigDigs plays no part.
        {5, 12, 0.5, 3},
        {5, 12, 0.05, 4},
        {5, 12, 0.00123, 5},
        {5, 12, 5.5, 3},
        {5, 12, 0, 3},
        {1, 12, 0.000123, 6},
        {5, 12, 7, 3},
        {5, 12, 1e-15, 3},       // rounds to all zeros at 12 decimals
        {5, 12, 0.0000000009, 12},  // 0.000000000900: position 12
        // Longer integer part (a sign counts).
        {5, 12, 12.5, 3},
        {5, 12, 123456, 0},
        {5, 12, -0.5, 3},
        {5, 12, 1234.5, 1},
        {3, 12, -12.5, 0},
        {5, 12, 9.9999999999999, 3},  // rounds up to 10.000000000000
        // Never more than the maximum.
        {5, 2, 0.00123, 2},
        {8, 1, 12.5, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SigDigitsDecimals(c.sigDigs, c.maxDecimals, c.value), c.expected)
            << c.sigDigs << " " << c.maxDecimals << " " << c.value;
}

TEST(SigDigits, Format) {
    EXPECT_EQ(SigDigitsFormat(5, 12, 0.000123), "%0.6f");
    EXPECT_EQ(SigDigitsFormat(5, 12, 1234.5), "%0.1f");
    EXPECT_EQ(SigDigitsFormat(5, 12, 7), "%0.3f");
    EXPECT_EQ(SigDigitsFormat(3, 12, 123456), "%0.0f");
}

TEST(MagnitudeFormat, BySizeOfValue) {
    struct Case {
        int limit;
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {1000, 5000, "%0.1g"},  // the default
        {1000, 1000, "%0.0f"},  // not above the limit
        {1000, 75, "%0.0f"},
        {1000, 74.9, "%0.1f"},
        {1000, 1, "%0.1f"},
        {1000, 0.999, "%0.2f"},
        {1000, 0.1, "%0.3f"},
        {1000, 0.05, "%0.3f"},
        {1000, 0.01, "%0.4f"},
        {1000, 0, "%0.0f"},
        {1000, -0.5, "%0.4f"},
        {1000, -5, "%0.1f"},
        {1000, -100, "%0.0f"},
        {-10, -5, "%0.1g"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MagnitudeFormat(c.limit, "%0.1g", c.value), c.expected)
            << c.limit << " " << c.value;
    EXPECT_EQ(MagnitudeFormat(1000, "%0.1f", 5000), "%0.1f");
}

TEST(FormatDecimals, DigitAfterFirstPoint) {
    EXPECT_EQ(FormatDecimals("%0.4f"), 4);
    EXPECT_EQ(FormatDecimals("%0.3f"), 3);
    EXPECT_EQ(FormatDecimals("%0.1f/%0.1f"), 1);
    EXPECT_EQ(FormatDecimals("%s"), 0);
    EXPECT_EQ(FormatDecimals("%S"), 0);
    EXPECT_EQ(FormatDecimals("%0.f"), 0);
    EXPECT_EQ(FormatDecimals("%0."), 0);
    EXPECT_EQ(FormatDecimals(""), 0);
}

TEST(CleanNumberText, TypedTextBecomesParsable) {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"1 2.3.4e-5-", "12.34E-5"},
        {"25 / 17 / 3", "25/173"},
        {"", "0"},
        {"   ", "0"},
        {"-", "0"},
        {"e5", "1E5"},
        {"E3", "1E3"},
        {"1E999", "1E99"},
        {"1E-999", "1E-9"},
        {"1E300", "1E300"},
        {"1e2e3", "1E23"},
        {"-12-3", "-123"},
        {"--5", "-5"},
        {"1E--5", "1E-5"},
        {"1E2.5", "1E25"},
        {"1.5E3", "1.5E3"},
        {"1E", "1E"},
        {"/", "0/0"},
        {"24/", "24/0"},
        {"24.5/-", "24.5/0"},
        {" 3 e 1 / e2", "3E1/1E2"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CleanNumberText(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(CleanNumberText, CleanedNumbersParse) {
    EXPECT_DOUBLE_EQ(StrToFloat(CleanNumberText("1 2.3.4e-5-")), 12.34e-5);
    EXPECT_DOUBLE_EQ(StrToFloat(CleanNumberText("1E999")), 1e99);
    EXPECT_DOUBLE_EQ(StrToFloat(CleanNumberText("e-2")), 0.01);
    // Characters that are no part of a number are left for the parser to refuse.
    EXPECT_THROW(StrToFloat(CleanNumberText("12,5")), ConvertError);
}

TEST(CleanNumberText, ExponentThatIsNotAnIntegerIsAConversionError) {
    EXPECT_THROW(CleanNumberText("1E-"), ConvertError);
    EXPECT_THROW(CleanNumberText("1E5x"), ConvertError);
    EXPECT_THROW(CleanNumberText("2/1E-"), ConvertError);
}

TEST(TrimZeros, FixedPointText) {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"12.500", "12.5"}, {"12.000", "12"},  {"100", "100"}, {"0.0", "0"},
        {"-0.250", "-0.25"}, {"1200.", "1200"}, {"", ""},      {"1.50E005", "1.5E5"},
        {"2.0E10", "2E10"},  {"1E-007", "1E-7"}, {"1E000", "1E0"},
    };
    for (const auto& c : cases) EXPECT_EQ(TrimZeros(c.text), c.expected) << c.text;
}

TEST(ParseValuePair, SplitsAtFirstSlash) {
    double a = -1, b = -1;
    EXPECT_FALSE(ParseValuePair("24.5", a, b));
    EXPECT_EQ(a, 24.5);
    EXPECT_EQ(b, -1);  // untouched without a second part

    EXPECT_TRUE(ParseValuePair("24/17", a, b));
    EXPECT_EQ(a, 24);
    EXPECT_EQ(b, 17);

    EXPECT_THROW(ParseValuePair("24/", a, b), ConvertError);
    EXPECT_THROW(ParseValuePair("x/17", a, b), ConvertError);
    EXPECT_THROW(ParseValuePair("24/17/3", a, b), ConvertError);
    EXPECT_THROW(ParseValuePair("", a, b), ConvertError);
}

TEST(RemoveSpaces, DeletesEveryBlank) {
    EXPECT_EQ(RemoveSpaces(" 1 2 . 5 "), "12.5");
    EXPECT_EQ(RemoveSpaces("   "), "");
    EXPECT_EQ(RemoveSpaces("24/17"), "24/17");
}

}  // namespace
}  // namespace qdx

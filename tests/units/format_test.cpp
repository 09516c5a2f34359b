#include <gtest/gtest.h>

#include <clocale>

#include "units/format.hpp"

namespace qdx {
namespace {

struct FormatCase {
    const char* pattern;
    double value;
    const char* expected;
};

TEST(Format, FloatConversions) {
    const FormatCase cases[] = {
        {"%0.3f", 1.23456, "1.235"},
        {"%0.1f", 0.25, "0.3"},    // exact tie rounds away from zero
        {"%0.0f", 2.5, "3"},
        {"%0.0f", -2.5, "-3"},
        {"%0.2f", 2.675, "2.67"},  // 2.675 is 2.67499999... in binary
        {"%0.1f", -0.04, "0.0"},   // no negative zero
        {"%0.4f", 0.0, "0.0000"},
        {"%f", 1.0, "1.00"},       // default precision 2
        {"%8.2f", 3.14159, "    3.14"},
        {"%-8.2f|", 3.14159, "3.14    |"},
        {"%0.1f", 68.0, "68.0"},
        {"%0.0f", 999.5, "1000"},
        {"%0.6g", 533.4, "533.4"},
        {"%0.6g", 740.0, "740"},
        {"%0.4g", 0.0001234, "0.0001234"},
        {"%0.4g", 0.000001234, "1.234E-6"},
        {"%0.6g", 1234567.0, "1.23457E6"},
        {"%0.6g", 999999.7, "1E6"},
        {"%0.5g", 0.0, "0"},
        {"%0.6g", -12.5, "-12.5"},
        {"%g", 0.1, "0.1"},
        {"%0.15g", 1.0 / 3.0, "0.333333333333333"},
        {"%g", 0.0000001, "1E-7"},
        {"%0.4g", 0.00001, "0.00001"},
        {"%e", 1234.5, "1.23450000000000E+003"},
        {"%.3e", -0.00012345, "-1.23E-004"},
        {"%n", 1234567.891, "1,234,567.89"},
    };
    for (const auto& c : cases) EXPECT_EQ(Format(c.pattern, c.value), c.expected) << c.pattern << " " << c.value;
}

TEST(Format, IntegerTextAndMixedPatterns) {
    EXPECT_EQ(Format("%d", 42), "42");
    EXPECT_EQ(Format("%3.3d", 5), "005");
    EXPECT_EQ(Format("%3.3d", 190), "190");
    EXPECT_EQ(Format("%5d|%-5d|", -7, 7), "   -7|7    |");
    EXPECT_EQ(Format("%x", 255), "FF");
    EXPECT_EQ(Format("#%.2x%.2x%.2x", 255, 69, 0), "#FF4500");
    EXPECT_EQ(Format("%x", -1), "FFFFFFFF");
    EXPECT_EQ(Format("%s|%S|%.2s", "ab", "cd", "efgh"), "ab|cd|ef");
    EXPECT_EQ(Format("100%%"), "100%");
    EXPECT_EQ(Format("%1:s %0:s", "a", "b"), "b a");
    EXPECT_EQ(Format("%*d", 4, 7), "   7");
    EXPECT_EQ(Format("%0.6g x %0.6g  %0.4gr  %0.6gf  %0.4gc", 533.4, 740.0, 4.0, 10.0, 7.0),
              "533.4 x 740  4r  10f  7c");
    EXPECT_EQ(Format("%s, %d, %s", "Typical", 4, "635 x 720"), "Typical, 4, 635 x 720");
}

TEST(Format, MismatchedArgumentsThrow) {
    EXPECT_THROW(Format("%d", 1.5), ConvertError);
    EXPECT_THROW(Format("%s", 3), ConvertError);
    EXPECT_THROW(Format("%d %d", 3), ConvertError);
    EXPECT_THROW(Format("%q", 3), ConvertError);
    EXPECT_THROW(Format("%0.3", 3.0), ConvertError);
}

TEST(Format, IgnoresTheProcessLocale) {
    const char* old = std::setlocale(LC_ALL, nullptr);
    std::string saved = old ? old : "C";
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "fr_FR.UTF-8")) {
        EXPECT_EQ(Format("%0.2f", 1.5), "1.50");
        EXPECT_DOUBLE_EQ(StrToFloat("1.5"), 1.5);
    }
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(NumberParsing, FloatsAndIntegers) {
    double v = 0;
    EXPECT_TRUE(TryStrToFloat(" 1.5 ", v));
    EXPECT_DOUBLE_EQ(v, 1.5);
    EXPECT_DOUBLE_EQ(StrToFloat("-.5"), -0.5);
    EXPECT_DOUBLE_EQ(StrToFloat("+2.E3"), 2000.0);
    EXPECT_DOUBLE_EQ(StrToFloat("12.34E-5"), 12.34e-5);
    EXPECT_DOUBLE_EQ(StrToFloat("1e-400"), 0.0);
    for (const char* bad : {"", "abc", "1,5", "1.5.", "inf", "nan", "1e", "0x10", "1e999", "- 1"})
        EXPECT_FALSE(TryStrToFloat(bad, v)) << bad;
    EXPECT_THROW(StrToFloat("abc"), ConvertError);
    EXPECT_EQ(StrToInt(" -42"), -42);
    EXPECT_EQ(StrToInt("$FF"), 255);
    EXPECT_EQ(StrToIntDef("4.5", 7), 7);
    EXPECT_THROW(StrToInt("99999999999999999999"), ConvertError);
}

}  // namespace
}  // namespace qdx

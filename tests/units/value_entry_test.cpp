#include <gtest/gtest.h>

#include <cmath>

#include "units/unit_table.hpp"
#include "units/value_entry.hpp"

namespace qdx {
namespace {

TEST(FormatKind, DecidedStringPairIntegerFloat) {
    struct Case {
        const char* format;
        TFormatKind kind;
    };
    const Case cases[] = {
        {"%s", TFormatKind::String},         {"%S", TFormatKind::String},
        {"%0.1f/%0.1f", TFormatKind::Pair},  {"%d", TFormatKind::Integer},
        {"%3.3D", TFormatKind::Integer},     {"%0.3f", TFormatKind::Float},
        {"%0.6G", TFormatKind::Float},       {"%0.3e", TFormatKind::Other},
        {"%s/%s", TFormatKind::String},      // string before pair
        {"%d/%d", TFormatKind::Pair},        // pair before integer
    };
    for (const auto& c : cases) EXPECT_EQ(FormatKind(c.format), c.kind) << c.format;
}

TEST(RangeCheck, ToleranceAndLimits) {
    const double fpm = 196.8503937;  // m/s shown in fpm: the range 0.5 .. 10 m/s
    struct Case {
        double v, lo, hi;
        double expected;
        bool changed;
    };
    const Case cases[] = {
        {2500, 0.5 * fpm, 10 * fpm, 10 * fpm, true},   // snaps to 1968.5 fpm
        {1975, 0.5 * fpm, 10 * fpm, 1975, false},      // within 0.5 % of the limit
        {1979, 0.5 * fpm, 10 * fpm, 10 * fpm, true},   // just beyond it
        {98, 0.5 * fpm, 10 * fpm, 98, false},          // 0.4 % under the low limit
        {90, 0.5 * fpm, 10 * fpm, 0.5 * fpm, true},
        {-5, 0, 45, 0, true},                          // no tolerance around a zero limit
        {1e9, 0, 0, 1e9, false},                       // 0 to 0: no range
        {-1e9, 5, 5.000001, -1e9, false},              // limits closer than 1e-5: no range
        {-12, -10, 25, -10, true},
        {-10.04, -10, 25, -10.04, false},              // tolerance of a negative limit
    };
    for (const auto& c : cases) {
        double v = c.v;
        EXPECT_EQ(RangeCheck(v, c.lo, c.hi), c.changed) << c.v << " in " << c.lo << ".." << c.hi;
        EXPECT_DOUBLE_EQ(v, c.expected) << c.v;
    }
}

TEST(ValidateEntryText, FormatsByKindAndType) {
    struct Case {
        const char* text;
        TEntryFormat format;
        double lo, hi;
        const char* expected;
        bool changed;
    };
    const Case cases[] = {
        {"3.25", {"%0.1f", ft_Fixed, 5}, 0, 0, "3.3", false},
        {" 1 2.3.4e-5-", {"%0.6g", ft_Fixed, 5}, 0, 0, "0.0001234", false},
        {"0.00012", {"%0.4f", ft_AutoOverride, 5}, 0, 0, "0.000120", false},
        {"5", {"%0.4f", ft_AutoOverride, 5}, 0, 0, "5.0000", false},
        {"1234.5678", {"%0.1f", ft_Auto, 5}, 0, 0, "1234.6", false},
        {"7", {"%0.1f", ft_Auto, 5}, 0, 0, "7.000", false},
        {"7", {"%0.1f", ft_Manual, 5}, 0, 0, "7.0", false},
        {"2.6", {"%d", ft_Fixed, 5}, 0, 0, "3", false},
        {"-2.5", {"%d", ft_Fixed, 5}, 0, 0, "-3", false},
        {"250", {"%d", ft_Fixed, 5}, 0, 100, "100", true},
        {"25/17", {"%0.1f/%0.1f", ft_Fixed, 5}, 0, 45, "25.0/17.0", false},
        {"25", {"%0.1f/%0.1f", ft_Fixed, 5}, 0, 45, "25.0", false},
        {"50/17", {"%0.1f/%0.1f", ft_Fixed, 5}, 0, 45, "45.0/17.0", true},
        {"25", {"%0.1f/%0.1f", ft_Fixed, 5}, 10, 45, "25.0", true},  // the missing 0 is checked
        {"abc", {"%0.1f", ft_Fixed, 5}, 0, 10, "abc", false},        // left as typed
        {"1e5x", {"%0.1f", ft_Fixed, 5}, 0, 10, "1e5x", false},
        {" text ", {"%s", ft_Fixed, 5}, 0, 10, " text ", false},
        {"", {"%0.2f", ft_Fixed, 5}, 0, 0, "0.00", false},           // empty reads as 0
    };
    for (const auto& c : cases) {
        const TValidatedText v = ValidateEntryText(c.text, c.format, c.lo, c.hi);
        EXPECT_EQ(v.Text, c.expected) << '"' << c.text << "\" with " << c.format.FormatStr;
        EXPECT_EQ(v.RangeChanged, c.changed) << c.text;
    }
}

TEST(EntryValue, ReadsStoredUnitsFromShownText) {
    // Temperature shown in °F, stored in °C.
    const double f = 1.8, o = 32;
    EXPECT_DOUBLE_EQ(std::get<double>(ReadEntryValue("212", "%0.1f", f, o)), 100);
    EXPECT_DOUBLE_EQ(std::get<double>(ReadEntryValue("2 1 2", "%0.1f", f, o)), 100);  // cleaned
    EXPECT_EQ(std::get<long long>(ReadEntryValue("7.6", "%d", 1, 0)), 8);
    EXPECT_EQ(std::get<std::string>(ReadEntryValue("77/62.6", "%0.1f/%0.1f", f, o)), "25.0/17.0");
    EXPECT_EQ(std::get<std::string>(ReadEntryValue("77", "%0.1f/%0.1f", f, o)), "25");
    EXPECT_EQ(std::get<std::string>(ReadEntryValue("abc", "%0.1f", f, o)), "abc");
    EXPECT_EQ(std::get<std::string>(ReadEntryValue("a/b", "%0.1f/%0.1f", f, o)), "a/b");
    EXPECT_EQ(std::get<std::string>(ReadEntryValue("Coil", "%s", 1, 0)), "Coil");
    // A zero factor cannot be inverted: the text is the value.
    EXPECT_EQ(std::get<std::string>(ReadEntryValue("5", "%0.1f", 0, 0)), "5");
}

TEST(EntryValue, WritesDisplayText) {
    const TEntryFormat temp{"%0.1f", ft_Fixed, 5};
    EXPECT_EQ(WriteEntryValue(20.0, temp, 1.8, 32), "68.0");
    EXPECT_EQ(WriteEntryValue(std::string("20"), temp, 1.8, 32), "68.0");
    EXPECT_EQ(WriteEntryValue(std::string("warm"), temp, 1.8, 32), "");
    EXPECT_EQ(WriteEntryValue(std::string("25/17"), {"%0.1f/%0.1f"}, 1.8, 32), "77.0/62.6");
    EXPECT_EQ(WriteEntryValue(std::string("25"), {"%0.1f/%0.1f"}, 1.8, 32), "77.0/32.0");
    EXPECT_EQ(WriteEntryValue(2.5, {"%d"}, 3, 0), "8");
    EXPECT_EQ(WriteEntryValue(0.00012, {"%0.4f", ft_AutoOverride, 5}, 1, 0), "0.000120");
    EXPECT_EQ(WriteEntryValue(1.5, {"%s"}, 1, 0), "1.5");
    EXPECT_EQ(WriteEntryValue(1e300, temp, 1e10, 0), "");  // overflow
}

TEST(SpinValue, LandsOnMultiplesOfTheStep) {
    struct Case {
        double v;
        const char* format;
        double step, lo, hi;
        bool up;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {2.35, "%0.2f", 0.5, 0, 10, true, 2.5},
        {2.5, "%0.2f", 0.5, 0, 10, true, 3.0},
        {2.35, "%0.2f", 0.5, 0, 10, false, 2.0},
        {2.5, "%0.2f", 0.5, 0, 10, false, 2.0},
        {10, "%0.2f", 0.5, 0, 10, true, std::nullopt},  // at the high limit
        {0, "%0.2f", 0.5, 0, 10, false, std::nullopt},  // at the low limit
        {9.8, "%0.2f", 0.5, 0, 10, true, 10.0},         // clamped
        {-2.35, "%0.2f", 0.5, -10, 10, true, -2.0},
        {-2.35, "%0.2f", 0.5, -10, 10, false, -2.5},
        {2.349, "%0.1f", 0.5, 0, 10, true, 2.5},        // from the shown 2.3
        {7, "%d", 2, 0, 0, true, 8.0},                  // no range: no limit
        {0, "%0.1f", 1, 0, 0, false, -1.0},
        {5, "%0.1f", 0, 0, 10, true, std::nullopt},     // zero step
        {5, "%0.1f/%0.1f", 1, 0, 10, true, std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<double> r = SpinValue(c.v, c.format, c.step, c.lo, c.hi, c.up);
        ASSERT_EQ(r.has_value(), c.expected.has_value()) << c.v << (c.up ? " up" : " down");
        if (r) {
            EXPECT_NEAR(*r, *c.expected, 1e-12) << c.v << (c.up ? " up" : " down");
        }
    }
}

}  // namespace
}  // namespace qdx

// Numbers in the JSON output: printf's %.17g text of every double, whatever path writes it.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "cli/cli_args.hpp"

namespace qdx::cli {
namespace {

std::string Printf17g(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

// Every disagreement, counted, with the first one shown.
void ExpectAllAsPrintf(const std::vector<double>& values) {
    int wrong = 0;
    for (double v : values) {
        const std::string got = JsonNumber(v);
        const std::string want = Printf17g(v);
        if (got != want && wrong++ == 0)
            ADD_FAILURE() << "v = " << want << " written as " << got;
    }
    EXPECT_EQ(wrong, 0) << "of " << values.size();
}

TEST(JsonNumber, WritesPrintfsSeventeenDigitsOfEveryMagnitude) {
    std::vector<double> values = {1,    -1,   22,    4.5,  0.1,   -0.1,  1e-4, 1e-5,
                                  1e-6, 1e15, 1e16,  1e17, 9.5,   1e300, 5e-324,
                                  0.0,  -0.0, 123456789012345678.0};
    // Powers of ten and their neighbours, where the first digit's place is decided.
    for (int k = -320; k <= 308; ++k) {
        const double p = std::pow(10.0, k);
        values.push_back(p);
        values.push_back(std::nextafter(p, 0.0));
        values.push_back(std::nextafter(p, std::numeric_limits<double>::infinity()));
    }
    // Exact ties at the 18th digit: round half to even, as printf does.
    for (double base : {1e15, 2.5e15, 4.4e15}) {
        for (int i = 0; i < 64; ++i) {
            values.push_back(base + i + 0.25);
            values.push_back(base + i + 0.75);
            values.push_back(base + i + 0.5);
        }
    }
    // Every exponent, random mantissas; and the magnitudes of coil results, densely.
    std::mt19937_64 random(20261211);
    for (int i = 0; i < 200000; ++i) {
        const std::uint64_t bits = random();
        double v = 0;
        std::memcpy(&v, &bits, sizeof v);
        if (std::isfinite(v)) values.push_back(v);
    }
    std::uniform_real_distribution<double> exponent(-7, 18);
    for (int i = 0; i < 200000; ++i) {
        const double v = std::pow(10.0, exponent(random));
        values.push_back(i % 2 ? v : -v);
        values.push_back(std::round(v));
        values.push_back(std::round(v * 100) / 100);
    }
    ExpectAllAsPrintf(values);
}

TEST(JsonNumber, NumbersThatAreNoneAreNull) {
    EXPECT_EQ(JsonNumber(std::numeric_limits<double>::quiet_NaN()), "null");
    EXPECT_EQ(JsonNumber(std::numeric_limits<double>::infinity()), "null");
    EXPECT_EQ(JsonNumber(-std::numeric_limits<double>::infinity()), "null");
    std::string text = "[";
    AppendJsonNumber(text, 0.5);
    EXPECT_EQ(text, "[0.5");
}

}  // namespace
}  // namespace qdx::cli

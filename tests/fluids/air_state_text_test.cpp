#include <gtest/gtest.h>

#include <string>

#include "fluids/air_state_text.hpp"
#include "units/errors.hpp"

namespace qdx {
namespace {

constexpr double kStd = 101.325;

TEST(AirStateText, DryBulbAloneTakesTheGivenHumidity) {
    const TAirState s = AirStateFromText("24", kStd, 0.5);
    EXPECT_EQ(s.db, 24);
    EXPECT_NEAR(s.rh, 0.5, 1e-9);
    EXPECT_EQ(s.pa, kStd);

    const TAirState cold = AirStateFromText(" -70 ", kStd, 0.5);
    EXPECT_EQ(cold.db, -60);
    EXPECT_NEAR(cold.rh, 0.5, 1e-6);
}

TEST(AirStateText, DryAndWetBulbAreClamped) {
    const TAirState s = AirStateFromText("25/17", kStd, 0.5);
    EXPECT_EQ(s.db, 25);
    EXPECT_EQ(s.wb, 17);

    const TAirState saturated = AirStateFromText("20/25", kStd, 0.5);
    EXPECT_EQ(saturated.db, 20);
    EXPECT_EQ(saturated.wb, 20);
    EXPECT_NEAR(saturated.rh, 1, 1e-9);

    EXPECT_EQ(AirStateFromText("120/20", kStd, 0.5).db, 99);

    // A wet bulb below that of 1 % relative humidity is raised to it.
    const TAirState dry = AirStateFromText("30/5", kStd, 0.5);
    EXPECT_GT(dry.wb, 5);
    EXPECT_NEAR(dry.rh, 0.01, 1e-9);
}

TEST(AirStateText, MalformedNumbersRaiseConversionErrors) {
    for (const char* text : {"", "abc", "25/", "25/x", "25,5/17", "/17"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(AirStateFromText(text, kStd, 0.5), ConvertError);
    }
}

TEST(AirStateText, FormatAndNormalise) {
    const TAirState s = AirStateFromText("25/17", kStd, 0.5);
    EXPECT_EQ(FormatDbWb(s, "%0.3f"), "25.000/17.000");
    EXPECT_EQ(FormatDbWb(s, "%0.1f"), "25.0/17.0");
    EXPECT_EQ(NormaliseAirText("25/17", kStd), "25.0/17.0");
    EXPECT_EQ(NormaliseAirText("20/25", kStd), "20.0/20.0");

    // A single number is a dry bulb at 45 % relative humidity.
    const std::string text = NormaliseAirText("26", kStd);
    const TAirState back = AirStateFromText(text, kStd, 0.5);
    EXPECT_EQ(text.substr(0, 5), "26.0/");
    EXPECT_NEAR(back.rh, 0.45, 0.01);
    EXPECT_EQ(text, "26.0/17.9");
    EXPECT_THROW(NormaliseAirText("x", kStd), ConvertError);
}

TEST(AirStateText, CheckReportsTheFirstFailingTest) {
    const TAirState good = AirStateFromText("25/17", kStd, 0.5);
    EXPECT_EQ(CheckAirState(good), "");

    struct Case {
        double db, wb, rh, wa;
        const char* message;
    };
    const Case cases[] = {
        {100, 120, 0.5, 0.01, "Dry bulb too high..."},
        {25, 99.5, 0.5, 0.01, "Wet bulb too high..."},
        {-61, -70, 0.5, 0.01, "Dry bulb too low..."},
        {25, -61, 0.5, 0.01, "Wet bulb too low..."},
        {25, 25.2, 0.5, 0.01, "Wet Bulb > Dry Bulb °C..."},
        {25, 17, -0.02, 0.01, "Low Relative Humidity..."},
        {25, 17, 1.02, 0.01, "High Relative Humidity..."},
        {25, 17, 0.5, -0.0001, "Absolute Humidity < 0 g/kg..."},
    };
    for (const Case& c : cases) {
        TAirState s = good;
        s.db = c.db;
        s.wb = c.wb;
        s.rh = c.rh;
        s.wa = c.wa;
        EXPECT_EQ(CheckAirState(s), c.message);
    }
    // Tolerated margins.
    TAirState s = good;
    s.wb = s.db + 0.05;
    s.rh = 1.005;
    s.wa = -0.000005;
    EXPECT_EQ(CheckAirState(s), "");
}

TEST(AirStateText, CheckReportsBadDataFromTheLastEvaluation) {
    // Within the check's own margins, but beyond the library's saturation limit.
    const TAirState s = SetState(kStd, 25, 1.005, 3);
    ASSERT_NE(PsyStatus(), 0);
    EXPECT_EQ(CheckAirState(s), "Bad data...");
}

}  // namespace
}  // namespace qdx

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/commands.hpp"
#include "fluids/psychrometrics.hpp"

namespace qdx::cli {
namespace {

struct CommandRun {
    int code;
    std::string out, err;
};

CommandRun Air(std::vector<std::string> args) {
    args.insert(args.begin(), "air");
    std::ostringstream out, err;
    const int code = RunCommandLine(args, out, err);
    return {code, out.str(), err.str()};
}

nlohmann::json Json(std::vector<std::string> args) {
    args.push_back("--json");
    const CommandRun r = Air(args);
    EXPECT_EQ(r.code, 0) << r.err;
    return nlohmann::json::parse(r.out);
}

TEST(AirCommand, StateFromAPairAsJson) {
    const nlohmann::json j = Json({"0", "25", "17"});
    const TAirState s = SetState(101.325, 25, 17, 0);
    const char* keys[] = {"pa", "db", "wb", "ha", "wa", "rh", "td",
                          "pv", "ps", "ro", "cp", "k",  "mu", "ma"};
    const double values[] = {s.pa, s.db, s.wb, s.ha, s.wa, s.rh, s.td,
                             s.pv, s.ps, s.ro, s.cp, s.k,  s.mu, s.ma};
    ASSERT_EQ(j.size(), std::size(keys));
    for (std::size_t i = 0; i < std::size(keys); ++i) EXPECT_EQ(j[keys[i]].get<double>(), values[i]) << keys[i];
    EXPECT_NEAR(j["rh"].get<double>(), 0.446, 0.001);

    // Relative humidity and pressure given: pair 3 at a site pressure.
    const nlohmann::json h = Json({"3", "30", "0.5", "--pressure", "95"});
    EXPECT_EQ(h["pa"], 95.0);
    EXPECT_NEAR(h["rh"].get<double>(), 0.5, 1e-12);
}

TEST(AirCommand, ReadableTable) {
    const CommandRun r = Air({"0", "25", "17"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("Wet Bulb"), std::string::npos);
    EXPECT_NE(r.out.find("47.5794 kJ/kg"), std::string::npos);
    EXPECT_NE(r.out.find("44.6284 %"), std::string::npos);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 13);
}

TEST(AirCommand, TextAndStandardAtmosphere) {
    nlohmann::json j = Json({"--text", "25/17", "--altitude", "1000"});
    EXPECT_NEAR(j["pa"].get<double>(), 89.875, 0.001);
    EXPECT_EQ(j["db"], 25.0);
    EXPECT_EQ(j["wb"], 17.0);

    j = Json({"--text", "24"});
    EXPECT_NEAR(j["rh"].get<double>(), 0.5, 1e-9);

    j = Json({"--altitude", "2000"});
    EXPECT_EQ(j["altitude"], 2000.0);
    EXPECT_NEAR(j["pa"].get<double>(), 79.495, 0.001);

    j = Json({"--pressure", "101.325"});
    EXPECT_NEAR(j["altitude"].get<double>(), 0, 1e-9);

    const CommandRun r = Air({"--altitude", "1000"});
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("89.8745 kPa"), std::string::npos);
}

TEST(AirCommand, BadArgumentsNameTheArgument) {
    struct Case {
        std::vector<std::string> args;
        const char* named;
    };
    const Case cases[] = {
        {{}, "PAIR"},
        {{"6", "1", "2"}, "PAIR"},
        {{"x", "1", "2"}, "PAIR"},
        {{"0", "x", "17"}, "A"},
        {{"0", "25"}, "B"},
        {{"0", "25", "nan"}, "B"},
        {{"--pressure", "abc"}, "--pressure"},
        {{"0", "25", "17", "--pressure", "0"}, "--pressure"},
        {{"--altitude", "50000"}, "--altitude"},
        {{"--altitude", "100", "--pressure", "90"}, "--altitude"},
        {{"--text", "warm"}, "--text"},
        {{"0", "25", "17", "--text", "25/17"}, "--text"},
    };
    for (const Case& c : cases) {
        const CommandRun r = Air(c.args);
        SCOPED_TRACE(r.err);
        EXPECT_EQ(r.code, 2);
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);
        EXPECT_NE(r.err.find(std::string(c.named) + " "), std::string::npos);
    }
}

TEST(AirCommand, ImplausibleStatePrintsTheCheckMessage) {
    CommandRun r = Air({"0", "120", "20"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "qdx air: Dry bulb too high...\n");
    EXPECT_TRUE(r.out.empty());

    // Supersaturated air: its wet bulb lies above the dry bulb.
    r = Air({"2", "25", "0.05", "--json"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "qdx air: Wet Bulb > Dry Bulb °C...\n");
}

}  // namespace
}  // namespace qdx::cli

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/commands.hpp"

namespace qdx::cli {
namespace {

struct CommandRun {
    int code;
    std::string out, err;
};

CommandRun Liquid(std::vector<std::string> args) {
    args.insert(args.begin(), "liquid");
    std::ostringstream out, err;
    const int code = RunCommandLine(args, out, err);
    return {code, out.str(), err.str()};
}

nlohmann::json Json(std::vector<std::string> args) {
    args.push_back("--json");
    const CommandRun r = Liquid(args);
    EXPECT_EQ(r.code, 0) << r.err;
    return nlohmann::json::parse(r.out);
}

TEST(LiquidCommand, CleanWaterAsJson) {
    const nlohmann::json j = Json({"0", "20"});
    EXPECT_EQ(j["name"], "Clean Water");
    EXPECT_EQ(j["shortName"], "Clean Water");
    EXPECT_EQ(j["t"], 20.0);
    EXPECT_NEAR(j["ro"].get<double>(), 998.05, 0.005);
    EXPECT_NEAR(j["Cp"].get<double>(), 4.1833, 0.00005);
    EXPECT_NEAR(j["mu"].get<double>(), 0.0009999, 0.00000005);
    EXPECT_NEAR(j["Ko"].get<double>(), 0.0006032, 0.00000005);
    EXPECT_NEAR(j["Pr"].get<double>(), 6.93, 0.005);
    EXPECT_EQ(j["tLower"], 0.0);
    EXPECT_EQ(j["tUpper"], 300.0);
    EXPECT_EQ(j["status"], 0);
    EXPECT_EQ(j["UserProps"], false);
}

TEST(LiquidCommand, AdditivePressureAndUserProperties) {
    nlohmann::json j = Json({"0", "0", "--additive", "1", "--fraction", "0.3"});
    EXPECT_EQ(j["name"], "Water (30% Ethylene Glycol)");
    EXPECT_EQ(j["shortName"], "30% Eth-Glycol");
    EXPECT_NEAR(j["ro"].get<double>(), 1051.6, 0.05);
    EXPECT_EQ(j["tLower"], -30.0);

    j = Json({"13", "20", "--bar", "7"});
    EXPECT_EQ(j["name"], "Compressed Air (7.0-bar)");
    EXPECT_NEAR(j["ro"].get<double>(), 5.9408 * 7.0 / 5.0, 0.001);
    EXPECT_EQ(j["status"], 1);  // below 50 °C

    j = Json({"5", "-60"});  // negative temperatures are values, not options
    EXPECT_EQ(j["name"], "Pure Calcium Chloride");
    EXPECT_EQ(j["status"], 1);

    j = Json({"0", "10", "--user", "1000,4.2,0.001,0.0006"});
    EXPECT_EQ(j["name"], "User Specified Fluid");
    EXPECT_EQ(j["ro"], 1000.0);
    EXPECT_DOUBLE_EQ(j["Pr"].get<double>(), 4.2 * 0.001 / 0.0006);
}

TEST(LiquidCommand, ReadableTable) {
    const CommandRun r = Liquid({"7", "20"});
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("Name            Mercury\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Density         13577.2 kg/m³\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Valid range     0 .. 316 °C\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Out of range    no\n"), std::string::npos) << r.out;
}

TEST(LiquidCommand, BadArgumentsNameTheArgument) {
    struct Case {
        std::vector<std::string> args;
        const char* named;
    };
    const Case cases[] = {
        {{"14", "20"}, "INDEX"},
        {{"x", "20"}, "INDEX"},
        {{"0", "warm"}, "T"},
        {{"0", "20", "--bar", "0"}, "--bar"},
        {{"0", "20", "--additive", "4", "--fraction", "0.2"}, "--additive"},
        {{"3", "20", "--additive", "1"}, "--additive"},
        {{"0", "20", "--fraction", "0.2"}, "--fraction"},
        {{"0", "20", "--additive", "1", "--fraction", "1,5"}, "--fraction"},
        {{"0", "20", "--user", "1000,4.2,0.001"}, "--user"},
        {{"0", "20", "--user", "1000,4.2,0.001,0"}, "--user"},
        {{"0"}, "T"},
    };
    for (const Case& c : cases) {
        const CommandRun r = Liquid(c.args);
        SCOPED_TRACE(r.err);
        EXPECT_EQ(r.code, 2);
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find(c.named), std::string::npos);
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1);  // one line
    }
    // Valid arguments the correlation cannot evaluate (below the steam curve's pole) fail.
    const CommandRun r = Liquid({"12", "-50"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("T = -50"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace qdx::cli

// End-to-end runs of the qdx program: `qdx rate --json` and `qdx simulate --json` on the first-run
// coil with the options a user would give.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include <nlohmann/json.hpp>

#include "cli/program_run.hpp"
#include "fluids/psychrometrics.hpp"

namespace qdx::cli {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

using test::ProgramRun;

class QdxProgram : public test::TestFolder {
protected:
    // Rates and checks what every solved result must satisfy.
    json Rated(const std::string& args) {
        ProgramRun run = Qdx("rate --json " + args);
        EXPECT_EQ(run.code, 0) << args << "\n" << run.err;
        json r = json::parse(run.out);
        EXPECT_EQ(r["status"], 0) << args;
        // The air-side duty agrees with Qt; Qs never exceeds Qt; no supersaturated leaving air.
        const double pa = r["air_in"]["pa"];
        const TAirState in = SetState(pa, r["air_in"]["db"], r["air_in"]["wb"], 0);
        const TAirState out = SetState(pa, r["air_out"]["db"], r["air_out"]["wb"], 0);
        const double airDuty = double(r["mass_flow"]) * (in.ha - out.ha);
        EXPECT_NEAR(airDuty, double(r["Qt"]), 1e-6 * std::max(1.0, double(r["Qt"]))) << args;
        EXPECT_LE(double(r["Qs"]), double(r["Qt"]) + 1e-9) << args;
        EXPECT_LE(double(r["air_out"]["wb"]), double(r["air_out"]["db"]) + 1e-9) << args;
        return r;
    }
};

TEST_F(QdxProgram, RatesTheFirstRunCoil) {
    json r = Rated("");
    EXPECT_EQ(r["model"], "635 x 720  4r  12f  7c");
    EXPECT_EQ(r["surface"], "Part-Wet");
    EXPECT_DOUBLE_EQ(r["face_velocity"], 2.5);
    EXPECT_DOUBLE_EQ(r["air_in"]["db"], 25);
    EXPECT_DOUBLE_EQ(r["air_in"]["pa"], 101.325);
    EXPECT_EQ(r["liquid"]["ctrl"], 1);
    EXPECT_DOUBLE_EQ(r["liquid"]["tfi"], 6);
    EXPECT_DOUBLE_EQ(r["circuits"], 7);
    EXPECT_GT(double(r["condensate"]), 0);
    EXPECT_FALSE(r.contains("error"));
    // JSON numbers carry up to 17 significant digits (trailing zeros dropped), enough to give
    // back the very double: a rated duty is never a short decimal.
    const std::string text = Qdx("rate --json").out;
    const auto at = text.find("\"Qt\": ") + 6;
    const std::string qt = text.substr(at, text.find(',', at) - at);
    EXPECT_GE(std::count_if(qt.begin(), qt.end(), ::isdigit), 15) << qt;
    EXPECT_EQ(std::strtod(qt.c_str(), nullptr), double(r["Qt"]));
}

TEST_F(QdxProgram, SurfaceConditionsAndControlModes) {
    EXPECT_EQ(Rated("--air-on 27/22")["surface"], "Wet");
    EXPECT_EQ(Rated("--air-on 30/12")["surface"], "Dry");
    json t = Rated("--air-on 27/22 --control temperature --design-dt 5");
    EXPECT_EQ(t["liquid"]["ctrl"], 0);
    EXPECT_NEAR(double(t["liquid"]["tfo"]) - double(t["liquid"]["tfi"]), 5, 1e-9);
    json f = Rated("--air-on 27/22 --fluid-flow 1.2");
    EXPECT_NEAR(double(f["liquid"]["mass_flow"]), 1.2, 1e-12);
    EXPECT_NEAR(double(f["liquid"]["tfo"]) - double(f["liquid"]["tfi"]),
                double(f["liquid"]["designdt"]), 1e-9);
}

TEST_F(QdxProgram, GlycolRatesBelowWater) {
    const double water = Rated("")["Qt"];
    const double glycol = Rated("--additive 1 --additive-volume 0.3")["Qt"];
    EXPECT_LT(glycol, water);
}

TEST_F(QdxProgram, EverySizingOperation) {
    for (const char* op : {"face", "height", "length", "rows", "fins", "rowsfins"}) {
        json r = Rated(std::string("--design-duty 25 --size ") + op);
        const double qt = r["Qt"];
        if (std::string(op) == "face" || std::string(op) == "length")
            EXPECT_NEAR(qt, 25, 1e-3) << op;
        else
            EXPECT_NEAR(qt, 25, 0.25 * 25) << op;
    }
    // Coil Size mode sizes the face for the design duty, and says so when it cannot.
    EXPECT_NEAR(double(Rated("--mode size --design-duty 30")["Qt"]), 30, 1e-3);
    const ProgramRun run = Qdx("rate --json --model \"635 720 12r 12f 7c\" --mode size --air-on 23/22 "
                               "--fluid-inlet 17 --design-duty 26.1");
    EXPECT_NE(run.err.find("sizing by face was refused or failed (status 5)"), std::string::npos)
        << run.err;
}

TEST_F(QdxProgram, ZeroFlowWithFlowControlLeavesTheAirAsItCame) {
    json r = Rated("--fluid-flow 0");
    EXPECT_EQ(r["Qt"], 0);
    EXPECT_EQ(r["Qs"], 0);
    EXPECT_EQ(r["air_out"]["db"], r["air_in"]["db"]);
    EXPECT_EQ(r["air_out"]["wb"], r["air_in"]["wb"]);
}

TEST_F(QdxProgram, TinyDesignDutyIsRefusedWithoutTouchingTheCoil) {
    const json plain = Rated("");
    for (const char* op : {"face", "height", "length", "rows", "fins", "rowsfins"}) {
        ProgramRun run = Qdx(std::string("rate --json --design-duty 0.009 --size ") + op);
        EXPECT_EQ(run.code, 0) << op;
        EXPECT_NE(run.err.find("refused"), std::string::npos) << op << ": " << run.err;
        json r = json::parse(run.out);
        for (const char* key : {"fin_height", "finned_length", "rows", "fpi", "circuits", "Qt"})
            EXPECT_EQ(r[key], plain[key]) << op << " " << key;
    }
}

TEST_F(QdxProgram, BadOptionsNameTheOption) {
    struct Case {
        const char* args;
        const char* name;
    };
    for (Case k : {Case{"--pressure abc", "--pressure"}, Case{"--fluid-flow -1", "--fluid-flow"},
                   Case{"--liquid 14", "--liquid"}, Case{"--control both", "--control"},
                   Case{"--size wide", "--size"}, Case{"--factors 1,1,1", "--factors"},
                   Case{"--model xyz", "--model"}, Case{"--air-on hot", "--air-on"},
                   Case{"--design-duty -5", "--design-duty"}}) {
        ProgramRun run = Qdx(std::string("rate --json ") + k.args);
        EXPECT_EQ(run.code, 2) << k.args;
        EXPECT_NE(run.err.find(k.name), std::string::npos) << k.args << ": " << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_TRUE(json::parse(run.out).contains("error")) << k.args;
    }
}

TEST_F(QdxProgram, SimulateMarchesOneHundredSlices) {
    ProgramRun run = Qdx("simulate --json --air-on 27/22");
    ASSERT_EQ(run.code, 0) << run.err;
    json r = json::parse(run.out);
    ASSERT_EQ(r["steps"].size(), 100u);
    EXPECT_EQ(r["steps"][0].size(), 4u);
    const double rated = Rated("--air-on 27/22")["Qt"];
    EXPECT_NEAR(double(r["duty"]), rated, 0.1 * rated);
    EXPECT_NEAR(double(r["steps"][99][0]), 6.0, 1e-3);  // the march ends at the liquid inlet
}

TEST_F(QdxProgram, LiquidOutsideItsRangeIsAWarning) {
    // Carbon dioxide leaving at 38 degC: its mean lies above the 30 degC limit.
    ProgramRun run = Qdx("rate --json --air-on 45/25 --liquid 9 --control temperature "
                         "--fluid-inlet 24 --design-dt 14");
    ASSERT_EQ(run.code, 0) << run.err;
    json r = json::parse(run.out);
    EXPECT_EQ(r["status"], 0);
    ASSERT_TRUE(r.contains("warning"));
    EXPECT_NE(r["warning"].get<std::string>().find("-50.0 .. 30.0"), std::string::npos)
        << r["warning"];
    EXPECT_FALSE(r.contains("error"));
    EXPECT_FALSE(Rated("--liquid 9").contains("warning"));
}

TEST_F(QdxProgram, SimulationThatDoesNotSettleIsAnError) {
    ProgramRun run = Qdx("simulate --json --model '1000 2500 4r 12f 1c' --air-on 39.7/24.9 "
                         "--face-velocity 2.96 --fluid-inlet 3.5 --tube-velocity 0.67");
    EXPECT_EQ(run.code, 1);
    json r = json::parse(run.out);
    EXPECT_EQ(r["error"], "The step-by-step simulation did not settle");
    EXPECT_FALSE(r.contains("steps"));
    EXPECT_NE(run.err.find("did not settle"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace qdx::cli

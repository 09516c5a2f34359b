// Whatever the options, the command line ends with exit code 0, 1 or 2 and one message line,
// never with a signal; under --json its output is one JSON object, with "error" when it failed.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include <nlohmann/json.hpp>

#include "cli/commands.hpp"
#include "cli/program_run.hpp"
#include "documents/folders.hpp"
#include "geometry/coil_makers.hpp"
#include "units/unit_prefs.hpp"

namespace qdx::cli {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

using Ended = test::ProgramRun;

class CommandLineFaults : public test::TestFolder {
protected:
    void SetUp() override {
        TestFolder::SetUp();
        setenv("XDG_CONFIG_HOME", (dir_ / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (dir_ / "data").c_str(), 1);
        setenv("QDX_COMMON_DIR", (dir_ / "common").c_str(), 1);
        ResetFolders();
        ClearMakerCache();
        UnitPrefs().Reset();
    }
    void TearDown() override {
        UnitPrefs().Reset();
        TestFolder::TearDown();
    }

    // The program as a process, so that a signal shows.
    Ended Program(const std::string& args) {
        return test::RunShell(std::string(QDX_EXE) + " " + args, dir_);
    }

    static Ended InProcess(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        Ended run;
        run.code = RunCommandLine(args, out, err);
        run.out = out.str();
        run.err = err.str();
        return run;
    }
};

int Lines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

TEST_F(CommandLineFaults, OptionSetsThatFailEndWithAMessage) {
    struct Case {
        const char* args;
        int code;
        const char* names;  // what the message must name
    };
    const Case cases[] = {
        {"rate --pressure 0", 1, "--pressure"},
        {"rate --pressure 1e-300", 1, "--pressure"},
        {"rate --pressure 1e308", 1, "Data Error"},
        {"rate --fluid-inlet 1e308", 1, "--fluid-inlet"},
        {"rate --fluid-inlet -1e308", 1, "--fluid-inlet"},
        {"rate --design-dt -1e308 --air-volume 1000", 1, "--design-dt"},
        {"rate --fluid-flow 1e308", 1, "--fluid-flow"},
        {"rate --tube-velocity 1e308", 1, "--tube-velocity"},
        {"rate --air-volume 1e308", 1, "--air-volume"},
        {"rate --face-velocity 1e308", 1, "Data Error"},
        {"rate --air-on 95/90", 1, "Data Error"},
        {"rate --factors 1e308,1,1,1,1", 1, "Data Error"},
        {"rate --size rows --size-air-volume 1e308", 1, "Data Error"},
        {"rate --pressure abc", 2, "--pressure"},
        {"rate --pressure 1e999", 2, "--pressure"},
        {"rate --air-on hot", 2, "--air-on"},
        {"rate --no-such-option", 2, "--no-such-option"},
        {"simulate --pressure 0", 1, "--pressure"},
        {"simulate --air-on 95/90", 1, "Data Error"},
        {"simulate --fluid-inlet abc", 2, "--fluid-inlet"},
    };
    for (const Case& k : cases) {
        for (const bool asJson : {false, true}) {
            const std::string args = std::string(k.args) + (asJson ? " --json" : "");
            SCOPED_TRACE(args);
            const Ended run = Program(args);
            ASSERT_FALSE(run.signalled) << run.err;
            EXPECT_EQ(run.code, k.code) << run.err;
            EXPECT_EQ(Lines(run.err), 1) << run.err;
            EXPECT_NE(run.err.find(k.names), std::string::npos) << run.err;
            if (!asJson) continue;
            json j;
            ASSERT_NO_THROW(j = json::parse(run.out)) << run.out;
            ASSERT_TRUE(j.is_object());
            ASSERT_TRUE(j.contains("error")) << run.out;
            EXPECT_NE(j["error"].get<std::string>().find(k.names), std::string::npos);
        }
    }
}

TEST_F(CommandLineFaults, NoOptionValueEndsTheProgram) {
    // Every option of the coil commands with values a user might type by mistake, one at a
    // time and a few together.
    const std::vector<std::string> options = {
        "--pressure", "--air-on", "--face-velocity", "--air-volume", "--liquid", "--additive",
        "--additive-volume", "--fluid-inlet", "--design-dt", "--tube-velocity", "--fluid-flow",
        "--design-duty", "--size-air-volume", "--tube", "--model"};
    const std::vector<std::string> values = {"0",     "-0",      "1e308", "-1e308", "1e-300",
                                             "-1",    "1e999",   "nan",   "inf",    "99/99",
                                             "-60/-70", "0.0001", "3",     "x"};
    std::mt19937 rng(9);
    auto pick = [&rng](const std::vector<std::string>& v) {
        return v[std::uniform_int_distribution<size_t>(0, v.size() - 1)(rng)];
    };
    std::vector<std::vector<std::string>> sets;
    for (const std::string& o : options)
        for (const std::string& v : values) sets.push_back({"rate", "--json", o, v});
    for (int n = 0; n < 60; ++n) {
        std::vector<std::string> args = {n % 3 == 0 ? "simulate" : "rate", "--json"};
        if (n % 2 == 0) args.insert(args.end(), {"--mode", "size"});
        if (n % 4 == 1) args.insert(args.end(), {"--control", "temperature"});
        for (int k = 0; k < 3; ++k) {
            std::string o = pick(options);
            if (std::find(args.begin(), args.end(), o) != args.end()) continue;
            args.push_back(o);
            args.push_back(pick(values));
        }
        sets.push_back(args);
    }
    for (const auto& args : sets) {
        std::string shown;
        for (const std::string& a : args) shown += a + " ";
        SCOPED_TRACE(shown);
        Ended run;
        ASSERT_NO_THROW(run = InProcess(args));
        EXPECT_TRUE(run.code == 0 || run.code == 1 || run.code == 2) << run.code;
        json j;
        ASSERT_NO_THROW(j = json::parse(run.out)) << run.out;
        EXPECT_EQ(j.contains("error"), run.code != 0) << run.out << run.err;
        if (run.code != 0) {
            EXPECT_GE(Lines(run.err), 1);
        }
    }
}

}  // namespace
}  // namespace qdx::cli

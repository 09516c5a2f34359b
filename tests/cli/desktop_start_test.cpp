// Which command lines start the desktop program, and that the headless ones never need a display
// or load the windowing libraries.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "cli/desktop_start.hpp"
#include "cli/program_run.hpp"

namespace qdx::cli {
namespace {

namespace fs = std::filesystem;

TEST(DesktopStart, SubcommandsAndOwnSwitchesStayOnTheCommandLine) {
    const struct {
        std::vector<std::string> args;
        bool desktop;
    } cases[] = {
        {{}, true},
        {{"job.cqx"}, true},
        {{"My", "Coil.cqx"}, true},
        {{"-automation"}, true},
        {{"--no-such-option"}, true},
        {{"rate"}, false},
        {{"rate", "--json"}, false},
        {{"simulate"}, false},
        {{"report", "job.cqx"}, false},
        {{"geometry"}, false},
        {{"air", "--text", "25/17"}, false},
        {{"liquid", "0", "10"}, false},
        {{"--help"}, false},
        {{"-h"}, false},
        {{"--version"}, false},
    };
    for (const auto& c : cases) {
        std::string joined;
        for (const auto& a : c.args) joined += a + " ";
        EXPECT_EQ(IsDesktopStart(c.args), c.desktop) << joined;
    }
}

TEST(DesktopStart, ModuleIsLookedForBesideTheProgramThenInTheInstalledLibraryFolder) {
    EXPECT_EQ(DesktopModuleCandidates("/opt/qdx/bin"),
              (std::vector<std::string>{"/opt/qdx/bin/qdx-desktop.so",
                                        "/opt/qdx/bin/../lib/qdx/qdx-desktop.so"}));
}

using ProcessRun = test::ProgramRun;

class DesktopProcess : public test::TestFolder {
protected:
    // The program with no display of any kind and its folders inside the test's folder; extra
    // holds further environment settings.
    ProcessRun Qdx(const std::string& args, const std::string& extra = "") {
        return test::RunShell("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                                  test::FolderEnvironment(dir_) + " " + extra + " " + QDX_EXE +
                                  " " + args,
                              dir_);
    }
};

TEST_F(DesktopProcess, WithoutADisplayTheDesktopProgramSaysSoInOneLine) {
    for (const std::string args : {"", "job.cqx"}) {
        const ProcessRun run = Qdx(args);
        EXPECT_EQ(run.code, 2) << args;
        EXPECT_TRUE(run.out.empty());
        ASSERT_FALSE(run.err.empty());
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
        EXPECT_NE(run.err.find("display"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("qdx --help"), std::string::npos) << run.err;
    }
}

TEST_F(DesktopProcess, SubcommandsRunWithoutADisplayAndLoadNoWindowingLibrary) {
    // The dynamic loader lists every library it loads.
    const ProcessRun rate = Qdx("rate --json", "LD_DEBUG=libs");
    EXPECT_EQ(rate.code, 0) << rate.err;
    EXPECT_EQ(rate.out.rfind("{", 0), 0u) << rate.out;
    EXPECT_NE(rate.err.find("libstdc++"), std::string::npos);  // the listing is there
    EXPECT_EQ(rate.err.find("libQt6"), std::string::npos);

    const ProcessRun simulate = Qdx("simulate --json", "LD_DEBUG=libs");
    EXPECT_EQ(simulate.code, 0) << simulate.err;
    EXPECT_EQ(simulate.err.find("libQt6"), std::string::npos);

    const ProcessRun help = Qdx("--help");
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("rate"), std::string::npos);
}

}  // namespace
}  // namespace qdx::cli

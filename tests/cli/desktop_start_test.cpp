// Which command lines start the desktop program, and that the headless ones never need a display
// or load the windowing libraries.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "cli/desktop_start.hpp"

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

struct ProcessRun {
    int code = -1;
    std::string out, err;
};

class DesktopProcess : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("qdx-desktop-start-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    // The program with no display of any kind and its folders inside the test's folder; extra
    // holds further environment settings.
    ProcessRun Qdx(const std::string& args, const std::string& extra = "") {
        const fs::path errFile = dir_ / "stderr.txt";
        const std::string cmd =
            "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_CONFIG_HOME='" +
            (dir_ / "config").string() + "' XDG_DATA_HOME='" + (dir_ / "data").string() +
            "' QDX_COMMON_DIR='" + (dir_ / "common").string() + "' " + extra + " " + QDX_EXE +
            " " + args + " 2>'" + errFile.string() + "'";
        ProcessRun run;
        FILE* pipe = ::popen(cmd.c_str(), "r");
        if (!pipe) return run;
        std::array<char, 4096> buf{};
        size_t n;
        while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0) run.out.append(buf.data(), n);
        const int status = ::pclose(pipe);
        run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        FILE* err = std::fopen(errFile.c_str(), "r");
        while (err && (n = std::fread(buf.data(), 1, buf.size(), err)) > 0) run.err.append(buf.data(), n);
        if (err) std::fclose(err);
        return run;
    }

    fs::path dir_;
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

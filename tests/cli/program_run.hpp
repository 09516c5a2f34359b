#pragma once
// The built qdx run as a process, as a user's shell runs it, for the command-line tests: a
// folder of the test's own for the program's settings and data, and the run's exit code,
// output and error text.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace qdx::cli::test {

namespace fs = std::filesystem;

struct ProgramRun {
    int code = -1;
    // Killed by a signal (the shell reports such a child as 128 + the signal).
    bool signalled = false;
    std::string out, err;
    std::vector<std::string> lines() const {
        std::vector<std::string> v;
        std::istringstream in(out);
        for (std::string l; std::getline(in, l);) v.push_back(l);
        return v;
    }
};

inline std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Quotes a text for the shell.
inline std::string Quoted(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// The environment that puts the program's settings and data folders inside dir.
inline std::string FolderEnvironment(const fs::path& dir) {
    return "XDG_CONFIG_HOME=" + Quoted((dir / "config").string()) +
           " XDG_DATA_HOME=" + Quoted((dir / "data").string()) +
           " QDX_COMMON_DIR=" + Quoted((dir / "common").string());
}

// Runs a shell command with input on its standard input; its output and error go through
// files in dir.
inline ProgramRun RunShell(const std::string& command, const fs::path& dir,
                           const std::string& input = "") {
    const fs::path in = dir / "stdin.txt", out = dir / "stdout.txt", err = dir / "stderr.txt";
    std::ofstream(in, std::ios::binary) << input;
    const std::string cmd = "( " + command + " ) <" + Quoted(in.string()) + " >" +
                            Quoted(out.string()) + " 2>" + Quoted(err.string());
    const int status = std::system(cmd.c_str());
    ProgramRun run;
    run.signalled = WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) > 128);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadAll(out);
    run.err = ReadAll(err);
    return run;
}

// A test with a fresh folder of its own, removed afterwards.
class TestFolder : public ::testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "qdx_test_XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir_ = tmpl;
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir_, ec);
    }
    // qdx with its folders inside the test's folder; prefix goes before the program (further
    // environment settings, a change of user).
    ProgramRun Qdx(const std::string& args, const std::string& prefix = "",
                   const std::string& input = "") {
        return RunShell("env " + FolderEnvironment(dir_) + " " + prefix + " " + QDX_EXE + " " + args,
                        dir_, input);
    }

    fs::path dir_;
};

}  // namespace qdx::cli::test

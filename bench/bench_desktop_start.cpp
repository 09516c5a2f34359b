// Cold start of the desktop program: from starting `qdx` to its main window painted for the
// first time, as a whole process under the offscreen platform (QDX_QUIT_AFTER_SHOW ends it
// there). Each run starts from empty settings in a temporary folder.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

int RunOnce(const std::vector<std::string>& env) {
    std::vector<char*> envp;
    for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    char* argv[] = {const_cast<char*>(QDX_EXE), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, QDX_EXE, &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void BM_DesktopColdStart(benchmark::State& state) {
    const fs::path dir = fs::temp_directory_path() / ("qdx-bench-start-" + std::to_string(getpid()));
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string s = *e;
        if (s.rfind("DISPLAY=", 0) == 0 || s.rfind("WAYLAND_DISPLAY=", 0) == 0) continue;
        env.push_back(s);
    }
    for (const char* sub : {"config", "data", "common", "documents"}) fs::create_directories(dir / sub);
    env.push_back("QT_QPA_PLATFORM=offscreen");
    env.push_back("QDX_QUIT_AFTER_SHOW=1");
    env.push_back("XDG_CONFIG_HOME=" + (dir / "config").string());
    env.push_back("XDG_DATA_HOME=" + (dir / "data").string());
    env.push_back("QDX_COMMON_DIR=" + (dir / "common").string());
    env.push_back("XDG_DOCUMENTS_DIR=" + (dir / "documents").string());
    env.push_back("XDG_RUNTIME_DIR=" + dir.string());
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const int rc = RunOnce(env);
        const auto end = std::chrono::steady_clock::now();
        if (rc != 0) {
            state.SkipWithError("qdx did not start");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    std::error_code ec;
    fs::remove_all(dir, ec);
}
BENCHMARK(BM_DesktopColdStart)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10)
    ->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

// Ratings per second of `qdx batch` in-process: the first-run coil under varied air and liquid
// conditions, one line each, with 1 and 2 jobs (the argument).

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <streambuf>
#include <string>

#include "cli/commands.hpp"
#include "units/format.hpp"

namespace {

namespace fs = std::filesystem;

constexpr int kLines = 20000;

// The input file, with the settings and catalogue in a scratch folder as a first run sees them.
const fs::path& Input() {
    static const fs::path path = [] {
        const fs::path dir = fs::temp_directory_path() / "qdx-bench-batch";
        fs::create_directories(dir);
        setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
        setenv("QDX_COMMON_DIR", (dir / "common").c_str(), 1);
        const fs::path file = dir / "coils.jsonl";
        std::ofstream out(file);
        for (int i = 0; i < kLines; ++i) {
            const double db = 22 + 0.37 * (i % 29);
            const double wb = db - 4 - 0.21 * (i % 17);
            out << qdx::Format("{\"air-on\": \"%0.2f/%0.2f\", \"face-velocity\": %0.2f, "
                               "\"fluid-inlet\": %0.1f, \"design-dt\": %0.1f}\n",
                               db, wb, 1.6 + 0.05 * (i % 31), 4 + 0.25 * (i % 19),
                               4.5 + 0.1 * (i % 13));
        }
        return file;
    }();
    return path;
}

// Counts what it is given and keeps nothing.
class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

void BM_BatchFirstRunCoil(benchmark::State& state) {
    const std::string input = Input().string();
    const std::string jobs = std::to_string(state.range(0));
    NullBuffer buffer;
    std::ostream out(&buffer), err(&buffer);
    for (auto _ : state) {
        const int code = qdx::cli::RunCommandLine({"batch", "--jobs", jobs, input}, out, err);
        if (code != 0) state.SkipWithError("a line did not rate");
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_BatchFirstRunCoil)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

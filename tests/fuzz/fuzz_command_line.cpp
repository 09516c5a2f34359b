// The command line's option parsing: the first byte picks a subcommand, each further line is
// one argument. Whatever the arguments, the run returns 0, 1 or 2 and lets nothing out.

#include <unistd.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.hpp"
#include "fuzz_support.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qdx;
    static const bool ready = [] {
        // Files the arguments name (a project to rate, a report or a save) are in the scratch
        // folder.
        return ::chdir(fuzz::Scratch().c_str()) == 0;
    }();
    fuzz::Expect(ready, "no scratch folder to run in");
    if (size == 0) return 0;

    static const char* const commands[] = {"rate", "air", "liquid", "geometry"};
    std::vector<std::string> args = {commands[data[0] % 4]};
    std::string arg;
    auto take = [&] {
        // Nothing outside the scratch folder is named; few, short arguments keep a run cheap.
        if (arg.starts_with('/') || arg.starts_with('~') || arg.find("..") != std::string::npos)
            arg = "x";
        if (args.size() < 12) args.push_back(arg.substr(0, 48));
        arg.clear();
    };
    for (size_t i = 1; i < size; ++i) {
        if (data[i] == '\n')
            take();
        else
            arg += static_cast<char>(data[i]);
    }
    if (!arg.empty()) take();

    std::ostringstream out, err;
    int code = -1;
    try {
        code = cli::RunCommandLine(args, out, err);
    } catch (...) {
        fuzz::Broken("a fault escaped the command line");
    }
    fuzz::Expect(code == 0 || code == 1 || code == 2, "an exit code other than 0, 1 or 2");
    return 0;
}

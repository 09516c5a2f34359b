#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.hpp"
#include "cli/desktop_start.hpp"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (qdx::cli::IsDesktopStart(args)) {
        const int rc = qdx::cli::RegisterOrUnregister(args, std::cout, std::cerr);
        if (rc >= 0) return rc;
        return qdx::cli::StartDesktop(argc, argv, std::cerr);
    }
    return qdx::cli::RunCommandLine(args, std::cout, std::cerr);
}

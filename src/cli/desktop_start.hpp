#pragma once
// `qdx` with no subcommand starts the desktop program. The desktop program lives in a module
// beside the executable (qdx-desktop.so) that is loaded only then, so the subcommands never load
// the windowing libraries: they start as fast as a plain program and need no display.

#include <iosfwd>
#include <string>
#include <vector>

namespace qdx::cli {

// True when the arguments (without the program name) start the desktop program: none at all,
// or a first argument that is neither a subcommand nor one of the command line's own switches
// (--help, -h, --help-all, --version). Everything else is the headless command line.
bool IsDesktopStart(const std::vector<std::string>& args);

// True when a display can be opened: DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM is set.
bool HasDisplay();

// Where the desktop module is looked for: beside the executable (a build tree), then in
// ../lib/qdx/ (an installation).
std::vector<std::string> DesktopModuleCandidates(const std::string& exeDir);

// "-regserver" or "-unregserver" among the arguments writes or removes the automation
// server's activation file and ends without the desktop program (no display needed): returns
// the exit code, or -1 when neither switch was given. A file that cannot be written or removed
// is said on err with exit code 1.
int RegisterOrUnregister(const std::vector<std::string>& args, std::ostream& out,
                         std::ostream& err);

// Loads the desktop module and runs the desktop program with the process's arguments. Without a
// display, or when the module is missing, says so on err in one line and returns 2.
int StartDesktop(int argc, char** argv, std::ostream& err);

}  // namespace qdx::cli

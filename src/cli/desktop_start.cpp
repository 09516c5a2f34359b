#include "cli/desktop_start.hpp"

#include <CLI/CLI.hpp>
#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <ostream>

#include "cli/commands.hpp"
#include "documents/automation_registration.hpp"
#include "documents/folders.hpp"

namespace qdx::cli {

namespace {
// The one symbol the desktop module exports.
constexpr const char* kDesktopEntry = "qdx_run_desktop";
constexpr const char* kDesktopModule = "qdx-desktop.so";
using DesktopEntry = int (*)(int argc, char** argv);

bool IsSet(const char* name) {
    const char* v = std::getenv(name);
    return v != nullptr && *v != '\0';
}
}  // namespace

bool IsDesktopStart(const std::vector<std::string>& args) {
    if (args.empty()) return true;
    const std::string& first = args.front();
    if (first == "-h" || first == "--help" || first == "--help-all" || first == "--version")
        return false;
    for (const std::string& name : SubcommandNames())
        if (name == first) return false;
    return true;
}

bool HasDisplay() {
    return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") || IsSet("QT_QPA_PLATFORM");
}

std::vector<std::string> DesktopModuleCandidates(const std::string& exeDir) {
    const std::string dir = AddBackslash(exeDir);
    return {dir + kDesktopModule, dir + "../lib/qdx/" + kDesktopModule};
}

int RegisterOrUnregister(const std::vector<std::string>& args, std::ostream& out,
                         std::ostream& err) {
    // With both switches the later one counts, as running one after the other would.
    TStartSwitch which = TStartSwitch::None;
    for (const std::string& a : args) {
        const TStartSwitch s = StartSwitchOf(a);
        if (s == TStartSwitch::RegServer || s == TStartSwitch::UnregServer) which = s;
    }
    if (which == TStartSwitch::None) return -1;
    try {
        if (which == TStartSwitch::RegServer) {
            RegisterAutomationServer(ExeDir() + ExeName());
            out << "qdx: automation server registered in " << AutomationServiceFile() << "\n";
        } else {
            UnregisterAutomationServer();
            out << "qdx: automation server unregistered\n";
        }
        return 0;
    } catch (const std::exception& e) {
        err << "qdx: " << e.what() << "\n";
        return 1;
    }
}

int StartDesktop(int argc, char** argv, std::ostream& err) {
    if (!HasDisplay()) {
        err << "qdx: no display to open the desktop program on (DISPLAY, WAYLAND_DISPLAY and "
               "QT_QPA_PLATFORM are not set); see qdx --help for the commands that run "
               "without one\n";
        return 2;
    }
    std::string tried;
    for (const std::string& path : DesktopModuleCandidates(ExeDir())) {
        if (access(path.c_str(), R_OK) != 0) {
            tried += (tried.empty() ? "" : ", ") + path;
            continue;
        }
        void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            err << "qdx: the desktop program could not be loaded: " << dlerror() << "\n";
            return 2;
        }
        auto entry = reinterpret_cast<DesktopEntry>(dlsym(module, kDesktopEntry));
        if (entry == nullptr) {
            err << "qdx: " << path << " is not the desktop program of this qdx\n";
            return 2;
        }
        // The module stays loaded until the process ends: Qt's clean-up at exit runs in it.
        return entry(argc, argv);
    }
    err << "qdx: the desktop program is not installed (no " << tried
        << "); see qdx --help for the commands that run without it\n";
    return 2;
}

}  // namespace qdx::cli

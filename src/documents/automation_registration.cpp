#include "documents/automation_registration.hpp"

#include <cctype>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "documents/atomic_file.hpp"
#include "documents/folders.hpp"

namespace qdx {

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The bus splits Exec like a shell: a path with anything but plain characters goes in single
// quotes, a quote inside as '\''.
std::string QuotedForExec(const std::string& path) {
    bool plain = !path.empty();
    for (unsigned char c : path)
        if (!(std::isalnum(c) || c == '/' || c == '.' || c == '_' || c == '-' || c == '+'))
            plain = false;
    if (plain) return path;
    std::string out = "'";
    for (char c : path) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

}  // namespace

TStartSwitch StartSwitchOf(std::string_view arg) {
    if (arg.substr(0, 2) == "--")
        arg.remove_prefix(2);
    else if (!arg.empty() && (arg.front() == '-' || arg.front() == '/'))
        arg.remove_prefix(1);
    else
        return TStartSwitch::None;
    const std::string word = Lower(arg);
    if (word == "regserver") return TStartSwitch::RegServer;
    if (word == "unregserver") return TStartSwitch::UnregServer;
    if (word == "automation") return TStartSwitch::Automation;
    if (word == "embedding") return TStartSwitch::Embedding;
    return TStartSwitch::None;
}

std::string AutomationServiceFile() {
    return DataHomeDir() + "dbus-1/services/" + kAutomationService + ".service";
}

std::string AutomationServiceText(const std::string& exePath) {
    return std::string("[D-BUS Service]\nName=") + kAutomationService +
           "\nExec=" + QuotedForExec(exePath) + " -automation\n";
}

void RegisterAutomationServer(const std::string& exePath) {
    const std::string path = AutomationServiceFile();
    std::string error;
    // The activation folder is the desktop's own; it may not exist yet.
    if (!CreateFolderOf(path) || !WriteFileAtomically(path, AutomationServiceText(exePath), &error))
        throw std::runtime_error("Could not write " + path + ": " + error);
}

void UnregisterAutomationServer() {
    const std::string path = AutomationServiceFile();
    std::error_code ec;
    fs::remove(path, ec);
    if (ec) throw std::runtime_error("Could not remove " + path + ": " + ec.message());
}

}  // namespace qdx

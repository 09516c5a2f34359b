#pragma once
// The automation server's start switches and its activation file on the session bus.
//
// A switch is "regserver", "unregserver", "automation" or "embedding" after "/", "-" or "--",
// matched without regard to case. "-regserver" writes the D-Bus activation file that lets a
// client's call start the program with "-automation"; "-unregserver" removes it. Neither needs
// the desktop program, so both run without a display.

#include <string>
#include <string_view>

namespace qdx {

enum class TStartSwitch { None, RegServer, UnregServer, Automation, Embedding };

TStartSwitch StartSwitchOf(std::string_view arg);

// The bus name the running desktop program owns.
inline constexpr const char* kAutomationService = "com.calorix.QDX";

// $XDG_DATA_HOME/dbus-1/services/com.calorix.QDX.service
std::string AutomationServiceFile();

// The activation file's text for the program at exePath (absolute): the service name and the
// command that starts it, the path quoted for the bus's command-line rules when it needs it.
std::string AutomationServiceText(const std::string& exePath);

// Writes or removes the activation file; removing a file that is not there is no error.
// Throws std::runtime_error naming the file when it cannot be written or removed.
void RegisterAutomationServer(const std::string& exePath);
void UnregisterAutomationServer();

}  // namespace qdx

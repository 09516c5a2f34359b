// Start switches and the automation server's activation file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "documents/automation_registration.hpp"
#include "documents/folders.hpp"

namespace qdx {
namespace {

TEST(AutomationRegistration, StartSwitches) {
    const struct {
        const char* arg;
        TStartSwitch expected;
    } cases[] = {
        {"-regserver", TStartSwitch::RegServer},  {"/RegServer", TStartSwitch::RegServer},
        {"--REGSERVER", TStartSwitch::RegServer}, {"-unregserver", TStartSwitch::UnregServer},
        {"/Automation", TStartSwitch::Automation}, {"-embedding", TStartSwitch::Embedding},
        {"regserver", TStartSwitch::None},        {"-regserverx", TStartSwitch::None},
        {"/home/me/coil.cqx", TStartSwitch::None}, {"", TStartSwitch::None},
        {"-", TStartSwitch::None},
    };
    for (const auto& c : cases) EXPECT_EQ(StartSwitchOf(c.arg), c.expected) << c.arg;
}

TEST(AutomationRegistration, ServiceTextQuotesPathsTheBusWouldSplit) {
    EXPECT_EQ(AutomationServiceText("/usr/bin/qdx"),
              "[D-BUS Service]\nName=com.calorix.QDX\nExec=/usr/bin/qdx -automation\n");
    EXPECT_EQ(AutomationServiceText("/opt/My Coils/qdx"),
              "[D-BUS Service]\nName=com.calorix.QDX\nExec='/opt/My Coils/qdx' -automation\n");
    EXPECT_EQ(AutomationServiceText("/opt/it's/qdx"),
              "[D-BUS Service]\nName=com.calorix.QDX\nExec='/opt/it'\\''s/qdx' -automation\n");
}

TEST(AutomationRegistration, RegisterThenUnregister) {
    namespace fs = std::filesystem;
    const fs::path home = fs::temp_directory_path() / "qdx-registration-test";
    fs::remove_all(home);
    setenv("XDG_DATA_HOME", home.c_str(), 1);
    ResetFolders();
    const std::string file = AutomationServiceFile();
    EXPECT_EQ(file, (home / "dbus-1/services/com.calorix.QDX.service").string());
    RegisterAutomationServer("/usr/bin/qdx");
    EXPECT_TRUE(fs::exists(file));
    UnregisterAutomationServer();
    EXPECT_FALSE(fs::exists(file));
    EXPECT_NO_THROW(UnregisterAutomationServer());  // not there: no error
    unsetenv("XDG_DATA_HOME");
    ResetFolders();
    fs::remove_all(home);
}

}  // namespace
}  // namespace qdx

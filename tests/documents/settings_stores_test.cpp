#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "documents/atomic_file.hpp"
#include "documents/folders.hpp"
#include "documents/settings_stores.hpp"
#include "documents/version_info.hpp"
#include "version.hpp"

namespace qdx {
namespace {

namespace fs = std::filesystem;

class SettingsStoresTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "qdx_stores_XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        root_ = tmpl;
        const char* v = std::getenv("XDG_CONFIG_HOME");
        saved_ = v ? std::optional<std::string>(v) : std::nullopt;
        ::setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
        ResetFolders();
    }
    void TearDown() override {
        if (saved_)
            ::setenv("XDG_CONFIG_HOME", saved_->c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
        ResetFolders();
        fs::remove_all(root_);
    }

    fs::path root_;
    std::optional<std::string> saved_;
};

TEST_F(SettingsStoresTest, StoresLiveInTheCalorixConfigFolder) {
    std::string base = (root_ / "config" / "Calorix").string() + "/";
    EXPECT_EQ(ProgramSettingsPath(), base + "QDX.ini");
    EXPECT_EQ(CommonSettingsPath(), base + "Common.ini");
    EXPECT_EQ(CompanySettingsPath(), base + "Calorix.ini");
    EXPECT_EQ(ProgramIniPath(), ProgramFilesDir() + "QDX.ini");
}

TEST_F(SettingsStoresTest, PerUserStoresAreWrittenWhenClosed) {
    {
        auto program = OpenProgramSettings();
        program->WriteInteger("TQDXForm", "Left", 120);
        auto common = OpenCommonSettings();
        common->WriteString("Coils", "UnitsPressure", "kPa");
        auto company = OpenCompanySettings();
        company->WriteString("Calorix", "WebAddress", "calorix.example");
        EXPECT_FALSE(fs::exists(ProgramSettingsPath()));
    }
    std::string text;
    ASSERT_TRUE(ReadWholeFile(ProgramSettingsPath(), text));
    EXPECT_EQ(text, "[TQDXForm]\nLeft=120\n");
    EXPECT_EQ(OpenCommonSettings()->ReadString("coils", "unitspressure", ""), "kPa");
    EXPECT_EQ(OpenCompanySettings()->ReadString("Calorix", "WebAddress", ""), "calorix.example");
}

TEST(VersionInfo, FileVersionAndTitleComeFromTheBuild) {
    TVerInfoRes info;
    std::string version = std::to_string(build::kVersionMajor) + "." +
                          std::to_string(build::kVersionMinor) + "." +
                          std::to_string(build::kVersionPatch) + "." +
                          std::to_string(build::kVersionBuild);
    EXPECT_EQ(info.FileVersion(), version);
    EXPECT_EQ(info.GetValue("FileVersion"), version);
    EXPECT_EQ(info.GetValue("CompanyName"), "Calorix Software");
    EXPECT_EQ(info.GetValue("ProductName"), "QDX");
    EXPECT_EQ(info.GetValue("NoSuchValue"), "");
    EXPECT_EQ(ProgramTitle(), "QDX " + version);
#ifdef NDEBUG
    EXPECT_TRUE(info.BuildFlags().empty());
#else
    EXPECT_EQ(info.BuildFlags(), std::vector<std::string>{"Debug"});
#endif
}

}  // namespace
}  // namespace qdx

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>

#include "documents/atomic_file.hpp"
#include "documents/folders.hpp"

namespace qdx {
namespace {

namespace fs = std::filesystem;

// Points every folder variable into a fresh temporary folder and puts them back afterwards.
class FoldersTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "qdx_folders_XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        root_ = tmpl;
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "QDX_COMMON_DIR",
                                 "XDG_DOCUMENTS_DIR", "XDG_DESKTOP_DIR", "QDX_OWNER",
                                 "QDX_ORGANISATION", "HOME"}) {
            const char* v = std::getenv(name);
            saved_[name] = v ? std::optional<std::string>(v) : std::nullopt;
            if (std::string(name) != "HOME") ::unsetenv(name);
        }
        Set("XDG_CONFIG_HOME", Sub("config"));
        Set("XDG_DATA_HOME", Sub("data"));
        Set("XDG_DOCUMENTS_DIR", Sub("docs"));
        ResetFolders();
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
        ResetFolders();
        fs::remove_all(root_);
    }

    std::string Sub(const std::string& name) const { return (root_ / name).string(); }
    static void Set(const char* name, const std::string& value) {
        ::setenv(name, value.c_str(), 1);
        ResetFolders();
    }

    fs::path root_;
    std::map<std::string, std::optional<std::string>> saved_;
};

TEST_F(FoldersTest, MakerFoldersFollowXdgDataHomeOrTheCommonDirVariable) {
    EXPECT_EQ(MakerDir(), Sub("data") + "/Calorix/");
    EXPECT_EQ(MakerCommonDir(), Sub("data") + "/Calorix/Common Files/");
    EXPECT_EQ(ConfigDir(), Sub("config") + "/Calorix/");

    Set("QDX_COMMON_DIR", Sub("common"));
    EXPECT_EQ(MakerCommonDir(), Sub("common") + "/");
    EXPECT_EQ(MakerDir(), Sub("common") + "/");

    // A relative XDG folder is not valid and gives way to the home folder's default.
    ::unsetenv("QDX_COMMON_DIR");
    Set("XDG_DATA_HOME", "relative/path");
    Set("HOME", Sub("home"));
    EXPECT_EQ(MakerDir(), Sub("home") + "/.local/share/Calorix/");
}

TEST_F(FoldersTest, FoldersAreKeptUntilReset) {
    std::string before = MakerCommonDir();
    ::setenv("QDX_COMMON_DIR", Sub("later").c_str(), 1);
    EXPECT_EQ(MakerCommonDir(), before);
    ResetFolders();
    EXPECT_EQ(MakerCommonDir(), Sub("later") + "/");
}

TEST_F(FoldersTest, UserDataDirIsCreatedUnderDocumentsOrFallsBackToTheProgramFolder) {
    EXPECT_EQ(ExeName(), "test_documents");
    EXPECT_EQ(DocumentsDir(), Sub("docs"));
    std::string dir = UserDataDir();
    EXPECT_EQ(dir, Sub("docs") + "/Calorix/test_documents/");
    EXPECT_TRUE(fs::is_directory(dir));

    // A documents "folder" that is a file cannot hold the data folder.
    std::ofstream(Sub("blocked")) << "x";
    Set("XDG_DOCUMENTS_DIR", Sub("blocked"));
    EXPECT_EQ(UserDataDir(), ExeDir());
    EXPECT_TRUE(fs::is_directory(ExeDir()));
    EXPECT_EQ(ExeDir().back(), '/');
}

TEST_F(FoldersTest, DocumentsFolderFromUserDirsFile) {
    ::unsetenv("XDG_DOCUMENTS_DIR");
    ASSERT_TRUE(CreateFolderOf(Sub("config") + "/user-dirs.dirs"));
    ASSERT_TRUE(WriteFileAtomically(Sub("config") + "/user-dirs.dirs",
                                    "# written by xdg-user-dirs-update\n"
                                    "XDG_DESKTOP_DIR=\"" + Sub("desk") + "\"\n"
                                    "XDG_DOCUMENTS_DIR=\"" + Sub("papers") + "/\"\n"));
    ResetFolders();
    EXPECT_EQ(DocumentsDir(), Sub("papers"));
    EXPECT_EQ(DesktopDir(), Sub("desk") + "/");
}

TEST_F(FoldersTest, ShippedDataFolderAndRegisteredNames) {
    // Tests run from the build tree: the shipped data is the source tree's data folder
    // unless the program is installed.
    EXPECT_EQ(ProgramFilesDir().back(), '/');
    EXPECT_EQ(CommonFilesDir(), ProgramFilesDir());
    EXPECT_TRUE(fs::is_directory(ProgramFilesDir()));

    EXPECT_EQ(RegisteredOwner(), "");
    Set("QDX_OWNER", "A. Engineer");
    Set("QDX_ORGANISATION", "Cooling Ltd");
    EXPECT_EQ(RegisteredOwner(), "A. Engineer");
    EXPECT_EQ(RegisteredOrganization(), "Cooling Ltd");
}

TEST_F(FoldersTest, AddBackslash) {
    EXPECT_EQ(AddBackslash(""), "");
    EXPECT_EQ(AddBackslash("/a"), "/a/");
    EXPECT_EQ(AddBackslash("/a/"), "/a/");
}

TEST_F(FoldersTest, EnsureSharedDataFileCopiesOnlyWhatIsMissing) {
    Set("QDX_COMMON_DIR", Sub("common"));
    std::string shipped = Sub("shipped");
    ASSERT_TRUE(CreateFolderOf(shipped + "/Coils/units.ini"));
    ASSERT_TRUE(WriteFileAtomically(shipped + "/Coils/units.ini", "[Coils]\nshipped=1\n"));
    fs::last_write_time(shipped + "/Coils/units.ini",
                        fs::last_write_time(shipped + "/Coils/units.ini") - std::chrono::hours(24));

    ASSERT_TRUE(EnsureSharedDataFile("Coils/units.ini", shipped));
    std::string copy = Sub("common") + "/Coils/units.ini", text;
    ASSERT_TRUE(ReadWholeFile(copy, text));
    EXPECT_EQ(text, "[Coils]\nshipped=1\n");
    EXPECT_EQ(fs::last_write_time(copy), fs::last_write_time(shipped + "/Coils/units.ini"));

    // The user's own copy is never replaced.
    ASSERT_TRUE(WriteFileAtomically(copy, "mine"));
    ASSERT_TRUE(EnsureSharedDataFile("Coils/units.ini", shipped));
    ASSERT_TRUE(ReadWholeFile(copy, text));
    EXPECT_EQ(text, "mine");

    EXPECT_FALSE(EnsureSharedDataFile("NotShipped.xml", shipped));
    EXPECT_FALSE(fs::exists(Sub("common") + "/NotShipped.xml"));
}

}  // namespace
}  // namespace qdx

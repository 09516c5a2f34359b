#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <map>
#include <optional>

#include "documents/atomic_file.hpp"
#include "documents/folders.hpp"
#include "documents/install_merge.hpp"

namespace qdx {
namespace {

namespace fs = std::filesystem;

class InstallMergeTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "qdx_merge_XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        root_ = tmpl;
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "QDX_COMMON_DIR"}) {
            const char* v = std::getenv(name);
            saved_[name] = v ? std::optional<std::string>(v) : std::nullopt;
        }
        ::setenv("XDG_CONFIG_HOME", Path("config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", Path("data").c_str(), 1);
        ::setenv("QDX_COMMON_DIR", Path("user").c_str(), 1);
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

    std::string Path(const std::string& rel) const { return (root_ / rel).string(); }

    // Writes a file dated `age` hours before a fixed moment, so dates compare as intended.
    void Put(const std::string& rel, const std::string& text, int age) {
        ASSERT_TRUE(CreateFolderOf(Path(rel)));
        ASSERT_TRUE(WriteFileAtomically(Path(rel), text));
        fs::last_write_time(Path(rel), base_ - std::chrono::hours(age));
    }
    std::string Get(const std::string& rel) const {
        std::string text;
        return ReadWholeFile(Path(rel), text) ? text : std::string("<missing>");
    }
    bool Exists(const std::string& rel) const { return fs::exists(Path(rel)); }

    // The program INI file lists files kept in user/ and installed to inst/.
    void List(std::initializer_list<const char*> names) {
        program_ = std::make_unique<TPowerIniFile>(Path("QDX.ini"));
        for (const char* name : names)
            program_->WriteString("Data files", name, "${MakerCommonDir}, " + Path("inst") + "/, x");
    }

    // Runs the merge answering from `answers` and recording every question.
    void Run(std::deque<TMergeDecision> answers, bool withHandler = true,
             std::function<bool(const std::string&)> remove = {}) {
        MergeQuestionHandler ask;
        if (withHandler) {
            ask = [this, answers](const TMergeQuestion& q) mutable {
                asked_.push_back(q);
                if (answers.empty()) {
                    ADD_FAILURE() << "unexpected question about " << q.section;
                    return mdKeepYourData;
                }
                TMergeDecision d = answers.front();
                answers.pop_front();
                return d;
            };
        }
        TInstallMerge merge(ask);
        if (remove) merge.SetRemoveFile(remove);
        // As the program's own settings store, whose folder is made when it is opened.
        ASSERT_TRUE(CreateFolderOf(Path("config/Calorix/QDX.ini")));
        TPowerIniFile settings(Path("config/Calorix/QDX.ini"));
        merge.Run(*program_, settings);
    }

    fs::path root_;
    fs::file_time_type base_ = fs::file_time_type::clock::now() - std::chrono::hours(1);
    std::map<std::string, std::optional<std::string>> saved_;
    std::unique_ptr<TPowerIniFile> program_;
    std::vector<TMergeQuestion> asked_;
};

const char* kUserUnits = "; my units\n[Coils]\nPressure=kPa\nFlow=L/s\n\n[Window]\nLeft=5\n";

TEST_F(InstallMergeTest, SameDateRemovesTheInstalledCopyWithoutAQuestion) {
    List({"units.ini"});
    Put("user/units.ini", kUserUnits, 5);
    Put("inst/units.ini", "[Coils]\nPressure=bar\n", 5);
    Run({});
    EXPECT_TRUE(asked_.empty());
    EXPECT_FALSE(Exists("inst/units.ini"));
    EXPECT_EQ(Get("user/units.ini"), kUserUnits);
    EXPECT_EQ(Get("user/units.bak"), kUserUnits);
}

TEST_F(InstallMergeTest, InstalledCopyWithoutUserCopyIsMovedIntoPlace) {
    List({"Coils\\units.ini", "kept.ini"});
    Put("inst/Coils/units.ini", "[Coils]\nPressure=bar\n", 5);
    Put("user/kept.ini", "[A]\nx=1\n", 3);
    Run({});
    EXPECT_EQ(Get("user/Coils/units.ini"), "[Coils]\nPressure=bar\n");
    EXPECT_FALSE(Exists("inst/Coils/units.ini"));
    EXPECT_EQ(fs::last_write_time(Path("user/Coils/units.ini")), base_ - std::chrono::hours(5));
    EXPECT_EQ(Get("user/kept.ini"), "[A]\nx=1\n");  // only a user copy: untouched, backed up
    EXPECT_EQ(Get("user/kept.bak"), "[A]\nx=1\n");
}

TEST_F(InstallMergeTest, DifferencesOnlyInLetterCaseNeedNoDecision) {
    List({"units.ini"});
    Put("user/units.ini", kUserUnits, 5);
    Put("inst/units.ini", "[COILS]\npressure=KPA\nflow=l/s\n[Extra]\nNew=1\n", 2);
    Run({});
    EXPECT_TRUE(asked_.empty());
    EXPECT_FALSE(Exists("inst/units.ini"));
    // The section the user did not have is added; nothing else changes.
    EXPECT_EQ(Get("user/units.ini"), std::string(kUserUnits) + "\n[Extra]\nNew=1\n");
}

TEST_F(InstallMergeTest, KeepAndUseDecideSectionBySection) {
    List({"units.ini"});
    Put("user/units.ini", kUserUnits, 5);
    Put("inst/units.ini", "[Coils]\nPressure=bar\n[Window]\nLeft=5\nTop=9\n", 2);
    Run({mdKeepYourData, mdUseInstallData});
    ASSERT_EQ(asked_.size(), 2u);
    EXPECT_EQ(asked_[0].caption, "Install notice: " + Path("user") + "/units.ini");
    EXPECT_EQ(asked_[0].section, "Coils");
    EXPECT_EQ(asked_[0].userLines, (std::vector<std::string>{"Pressure=kPa", "Flow=L/s"}));
    EXPECT_EQ(asked_[0].installedLines, (std::vector<std::string>{"Pressure=bar"}));
    EXPECT_EQ(SectionDisplayText(asked_[0].section, asked_[0].installedLines), "[Coils]\nPressure=bar");
    // A key missing from the user's section is a difference too.
    EXPECT_EQ(asked_[1].section, "Window");
    EXPECT_EQ(Get("user/units.ini"),
              "; my units\n[Coils]\nPressure=kPa\nFlow=L/s\n\n[Window]\nLeft=5\nTop=9\n");
    EXPECT_FALSE(Exists("inst/units.ini"));
    EXPECT_EQ(Get("user/units.bak"), kUserUnits);
}

TEST_F(InstallMergeTest, AcceptAllAnswersTheRestOfTheRunAndEntriesGoLastToFirst) {
    List({"first.ini", "second.ini"});
    Put("user/first.ini", "[A]\nx=1\n[B]\ny=1\n", 5);
    Put("inst/first.ini", "[A]\nx=2\n[B]\ny=2\n", 2);
    Put("user/second.ini", "[C]\nz=1\n", 5);
    Put("inst/second.ini", "[C]\nz=2\n", 2);
    Run({mdAcceptAll});
    ASSERT_EQ(asked_.size(), 1u);
    EXPECT_EQ(asked_[0].caption, "Install notice: " + Path("user") + "/second.ini");
    EXPECT_EQ(Get("user/second.ini"), "[C]\nz=2\n");
    EXPECT_EQ(Get("user/first.ini"), "[A]\nx=2\n[B]\ny=2\n");
    EXPECT_FALSE(Exists("inst/first.ini"));
    EXPECT_FALSE(Exists("inst/second.ini"));
}

TEST_F(InstallMergeTest, DecideLaterLeavesTheInstalledCopyForTheNextStart) {
    List({"units.ini"});
    Put("user/units.ini", "[A]\nx=1\n[B]\ny=1\n", 5);
    Put("inst/units.ini", "[A]\nx=2\n[B]\ny=2\n[C]\nz=1\n", 2);
    Run({mdDecideLater});
    ASSERT_EQ(asked_.size(), 1u);
    EXPECT_TRUE(Exists("inst/units.ini"));
    EXPECT_EQ(Get("user/units.ini"), "[A]\nx=1\n[B]\ny=1\n");

    asked_.clear();
    Run({mdUseInstallData, mdKeepYourData});
    ASSERT_EQ(asked_.size(), 2u);
    EXPECT_FALSE(Exists("inst/units.ini"));
    EXPECT_EQ(Get("user/units.ini"), "[A]\nx=2\n[B]\ny=1\n\n[C]\nz=1\n");
}

TEST_F(InstallMergeTest, WithoutAHandlerTheUsersDataIsKept) {
    List({"units.ini"});
    Put("user/units.ini", "[A]\nx=1\n", 5);
    Put("inst/units.ini", "[A]\nx=2\n[B]\ny=2\n", 2);
    Run({}, false);
    EXPECT_EQ(Get("user/units.ini"), "[A]\nx=1\n\n[B]\ny=2\n");
    EXPECT_FALSE(Exists("inst/units.ini"));
}

TEST_F(InstallMergeTest, AnUndeletableInstalledCopyIsRememberedByItsDate) {
    List({"units.ini", "fresh.ini"});
    Put("user/units.ini", "[A]\nx=1\n", 5);
    Put("inst/units.ini", "[A]\nx=2\n", 2);
    Put("inst/fresh.ini", "[F]\nf=1\n", 2);
    auto readOnly = [](const std::string&) { return false; };
    Run({mdKeepYourData}, true, readOnly);
    ASSERT_EQ(asked_.size(), 1u);
    EXPECT_TRUE(Exists("inst/units.ini"));
    EXPECT_EQ(Get("user/fresh.ini"), "[F]\nf=1\n");
    TPowerIniFile settings(Path("config/Calorix/QDX.ini"));
    EXPECT_TRUE(settings.ValueExists("Data files merged", Path("inst") + "/units.ini"));
    EXPECT_TRUE(settings.ValueExists("Data files merged", Path("inst") + "/fresh.ini"));

    // Same installed dates: not asked again, whatever the user's copies look like now.
    asked_.clear();
    Put("user/fresh.ini", "[F]\nf=0\n", 0);
    Run({}, true, readOnly);
    EXPECT_TRUE(asked_.empty());
    EXPECT_EQ(Get("user/fresh.ini"), "[F]\nf=0\n");

    // A newer installation is a new question.
    Put("inst/units.ini", "[A]\nx=3\n", 1);
    Run({mdUseInstallData}, true, readOnly);
    ASSERT_EQ(asked_.size(), 1u);
    EXPECT_EQ(Get("user/units.ini"), "[A]\nx=3\n");
}

TEST_F(InstallMergeTest, ShippedDataFolderIsNeverDeletedByDefault) {
    // From a build tree the shipped data is the source tree's data folder.
    std::string shipped = ProgramFilesDir();
    EXPECT_TRUE(IsInShippedData(shipped + "QDX.ini"));
    EXPECT_TRUE(IsInShippedData(shipped + "Coils/units.ini"));
    EXPECT_TRUE(IsInShippedData(shipped + "Coils/../units.ini"));
    EXPECT_FALSE(IsInShippedData(shipped + "../outside.ini"));
    EXPECT_FALSE(IsInShippedData(Path("inst/units.ini")));

    // Anywhere else the default removal deletes.
    List({"units.ini"});
    Put("user/units.ini", "[A]\nx=1\n", 5);
    Put("inst/units.ini", "[A]\nx=1\n", 5);
    Run({});
    EXPECT_FALSE(Exists("inst/units.ini"));
}

TEST_F(InstallMergeTest, FolderNamesInTheListAreExpanded) {
    EXPECT_EQ(ExpandFolderNames("${MakerCommonDir}a,${ProgramFilesDir}"),
              Path("user") + "/a," + ProgramFilesDir());
    EXPECT_EQ(ExpandFolderNames("${Unknown}/x"), "${Unknown}/x");
}

}  // namespace
}  // namespace qdx

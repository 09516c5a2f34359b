// Project files as a careful user checks them, through the program itself: what a save may
// replace, a save after a failed calculation, `qdx report` of a reopened file, and the
// encoding of the texts a file takes from the settings and the environment.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "cli/program_run.hpp"
#include "documents/atomic_file.hpp"
#include "documents/text_encoding.hpp"
#include "units/format.hpp"

namespace qdx::cli {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

using test::ProgramRun;

class ProjectSave : public test::TestFolder {
protected:
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    static std::string Text(const std::string& path) {
        std::string text;
        EXPECT_TRUE(ReadWholeFile(path, text)) << path;
        return text;
    }
};

// The administrator may write every file: as root the program runs as an unprivileged user.
TEST_F(ProjectSave, ReadOnlyTargetIsRefusedAndKept) {
    ASSERT_EQ(Qdx("rate --save " + Path("locked.cqx")).code, 0);
    const std::string kept = Text(Path("locked.cqx"));
    const std::string user =
        ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups" : "";
    // The unprivileged user may write the folder and its settings, not the file.
    fs::permissions(dir_, fs::perms::all);
    for (const char* sub : {"config", "data", "common"}) {
        fs::create_directories(dir_ / sub);
        for (const auto& e : fs::recursive_directory_iterator(dir_ / sub))
            fs::permissions(e.path(), fs::perms::all);
        fs::permissions(dir_ / sub, fs::perms::all);
    }
    for (const fs::perms mode : {fs::perms::owner_read | fs::perms::group_read |
                                     fs::perms::others_read,
                                 fs::perms::none}) {
        SCOPED_TRACE(static_cast<int>(mode));
        fs::permissions(dir_ / "locked.cqx", mode);
        const ProgramRun run = Qdx("rate --air-on 26/19 --save " + Path("locked.cqx"), user);
        EXPECT_EQ(run.code, 1) << run.err;
        EXPECT_NE(run.err.find("Error saving file..."), std::string::npos) << run.err;
        EXPECT_EQ(fs::status(dir_ / "locked.cqx").permissions(), mode);
        fs::permissions(dir_ / "locked.cqx", fs::perms::owner_read);
        EXPECT_EQ(Text(Path("locked.cqx")), kept);
        for (const auto& e : fs::directory_iterator(dir_))
            EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
    }
}

TEST_F(ProjectSave, MissingFolderIsNotCreated) {
    const ProgramRun run = Qdx("rate --save " + Path("typo/dir/x.cqx"));
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("Error saving file..."), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(dir_ / "typo"));
    // The report is printed all the same.
    EXPECT_NE(run.out.find("Total Duty"), std::string::npos);
}

TEST_F(ProjectSave, ProjectSavedAfterAFailedCalculationReopensWithItsInputs) {
    const ProgramRun failed = Qdx("rate --air-on 95/90 --fluid-inlet 8 --save " + Path("n.cqx"));
    EXPECT_EQ(failed.code, 1);
    EXPECT_NE(failed.err.find("n.cqx: saved, but its results are not valid"), std::string::npos)
        << failed.err;

    // Earlier versions stored the leaving air of the failed calculation, which is no air state
    // (a dry bulb of -443.658 °C), and the file did not open again.
    std::string text = Text(Path("n.cqx"));
    const auto at = text.find("<dbo>");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, text.find("</dbo>") - at, "<dbo>-443.658");
    ASSERT_TRUE(WriteFileAtomically(Path("old.cqx"), text));

    for (const char* name : {"n.cqx", "old.cqx"}) {
        SCOPED_TRACE(name);
        // The inputs come back, and the calculation fails again as it did.
        const ProgramRun reopened = Qdx("rate --json " + Path(name));
        EXPECT_EQ(reopened.code, 1) << reopened.err;
        EXPECT_EQ(reopened.err.find("Error reading file"), std::string::npos) << reopened.err;
        const json r = json::parse(reopened.out);
        EXPECT_EQ(r["air_in"]["db"], 95.0);
        EXPECT_EQ(r["air_in"]["wb"], 90.0);
        EXPECT_EQ(r["liquid"]["tfi"], 8.0);
        EXPECT_TRUE(r.contains("error"));
    }

    // A leaving state that is not a state is no result.
    const ProgramRun stored = Qdx("report --stored " + Path("old.cqx"));
    EXPECT_EQ(stored.code, 1);
    EXPECT_EQ(stored.out, "Not Solved\r\n");
    EXPECT_NE(stored.err.find("holds no valid results"), std::string::npos) << stored.err;

    // Mending the input gives a coil that solves, and a save that says nothing more.
    const ProgramRun fixed =
        Qdx("rate " + Path("old.cqx") + " --air-on 27/19 --save " + Path("old.cqx"));
    EXPECT_EQ(fixed.code, 0) << fixed.err;
    EXPECT_TRUE(fixed.err.empty()) << fixed.err;
    EXPECT_EQ(Qdx("report --stored " + Path("old.cqx")).code, 0);
}

TEST_F(ProjectSave, ReportSolvesTheReopenedProjectAndStoredPrintsTheFile) {
    // A wet coil.
    ASSERT_EQ(Qdx("rate --air-on 27/21 --save " + Path("wet.cqx")).code, 0);
    const ProgramRun rate = Qdx("rate " + Path("wet.cqx"));
    ASSERT_EQ(rate.code, 0);
    EXPECT_NE(rate.out.find("Performance (Wet surface)"), std::string::npos) << rate.out;

    const ProgramRun report = Qdx("report " + Path("wet.cqx"));
    ASSERT_EQ(report.code, 0) << report.err;
    EXPECT_EQ(report.out, rate.out);
    EXPECT_EQ(Qdx("report --solve " + Path("wet.cqx")).out, rate.out);

    const ProgramRun stored = Qdx("report --stored " + Path("wet.cqx"));
    ASSERT_EQ(stored.code, 0) << stored.err;
    const json r = json::parse(Qdx("rate --json " + Path("wet.cqx")).out);
    const std::string expected =
        "Total Duty\t" + Format("%0.1f", double(r["Qt"])) + "\tkW\r\n" +
        "Sensible Duty\t" + Format("%0.1f", double(r["Qs"])) + "\tkW\r\n";
    EXPECT_EQ(stored.out.rfind(expected, 0), 0u) << stored.out;
    for (const char* label : {"\r\ne\t", "\r\nNtu\t", "\r\nCr\t", "\r\nOff Coil\t",
                              "\r\nAir Pressure Drop\t", "\r\nLiquid Pressure Drop\t"})
        EXPECT_NE(stored.out.find(label), std::string::npos) << label << "\n" << stored.out;
    // Nothing a calculation would add: no surface state, film coefficients, bypass or ADP.
    for (const char* word : {"surface", "ho", "Ui", "Bypass", "ADP", "Solve Status"})
        EXPECT_EQ(stored.out.find(word), std::string::npos) << word << "\n" << stored.out;

    const ProgramRun both = Qdx("report --stored --solve " + Path("wet.cqx"));
    EXPECT_EQ(both.code, 2);
    EXPECT_TRUE(both.out.empty());
}

TEST_F(ProjectSave, TextsFromTheEnvironmentEnterTheFileAsUtf8) {
    // "José" written in Windows-1252, as a terminal of that encoding passes it.
    const ProgramRun run =
        Qdx("rate --save " + Path("owner.cqx"), "QDX_OWNER=$(printf 'Jos\\351')");
    ASSERT_EQ(run.code, 0) << run.err;
    const std::string text = Text(Path("owner.cqx"));
    EXPECT_TRUE(IsValidUtf8(text));
    EXPECT_NE(text.find("Jos\xC3\xA9"), std::string::npos) << text;
    EXPECT_EQ(std::system(("xmllint --noout '" + Path("owner.cqx") + "'").c_str()), 0);
    // It reopens with the name as it was meant.
    const ProgramRun reopened = Qdx("report --stored " + Path("owner.cqx"));
    EXPECT_EQ(reopened.code, 0) << reopened.err;
}

}  // namespace
}  // namespace qdx::cli

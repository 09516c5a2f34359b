// `qdx rate` report texts, units and project files, and `qdx report`.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "cli/commands.hpp"
#include "documents/atomic_file.hpp"
#include "documents/folders.hpp"
#include "documents/ini_file.hpp"
#include "documents/settings_stores.hpp"
#include "documents/unit_prefs_store.hpp"
#include "engine/coil_project.hpp"
#include "geometry/coil_makers.hpp"
#include "reports/report_document.hpp"
#include "units/unit_prefs.hpp"

namespace qdx::cli {
namespace {

namespace fs = std::filesystem;

struct CommandRun {
    int code;
    std::string out, err;
};

std::string FileText(const fs::path& path) {
    std::string text;
    EXPECT_TRUE(ReadWholeFile(path.string(), text)) << path;
    return text;
}

// A text written as the command line prints it: every line ends in CR LF.
using Writer = std::function<void(TCoilProject&, TReportDocument&)>;

void Performance(TCoilProject& p, TReportDocument& d) { p.Coil().WritePerformanceReport(d); }

std::string Written(TCoilProject& p, const Writer& write) {
    TTextReport text;
    write(p, text);
    return text.Text() + "\r\n";
}

class ReportCommand : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("qdx-report-cli-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        setenv("QDX_COMMON_DIR", (dir_ / "common").string().c_str(), 1);
        setenv("XDG_CONFIG_HOME", (dir_ / "config").string().c_str(), 1);
        setenv("XDG_DATA_HOME", (dir_ / "data").string().c_str(), 1);
        ResetFolders();
        ClearMakerCache();
        EnsureCatalogue();
        UnitPrefs().Reset();
    }
    void TearDown() override {
        UnitPrefs().Reset();
        ClearMakerCache();
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    static CommandRun Run(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        const int code = RunCommandLine(args, out, err);
        return {code, out.str(), err.str()};
    }

    // The first-run coil, solved.
    static std::unique_ptr<TCoilProject> Solved() {
        auto p = std::make_unique<TCoilProject>();
        p->CreateCoil(TCoilSettings{});
        EXPECT_TRUE(p->SolveCoil());
        return p;
    }

    // A project file of a wet six-row coil with its file properties.
    fs::path SavedProject() {
        TCoilProject p;
        p.CreateCoil(TCoilSettings{});
        EXPECT_TRUE(p.SetCoilModel("762 1200 6r 10f 12c"));
        p.SetOnCoil("27/21");
        EXPECT_TRUE(p.SolveCoil());
        p.Properties.edProjectName = "Harbour Tower";
        const fs::path path = dir_ / "job.cqx";
        EXPECT_TRUE(p.SaveFile(path.string()));
        return path;
    }

    std::unique_ptr<TCoilProject> Opened(const fs::path& path) {
        auto p = std::make_unique<TCoilProject>();
        p->CreateCoil(TCoilSettings{});
        EXPECT_TRUE(p->OpenFile(path.string()));
        return p;
    }

    fs::path dir_;
};

TEST_F(ReportCommand, RatePrintsThePerformanceReportAsItsPlainText) {
    const CommandRun run = Run({"rate"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, Written(*Solved(), Performance));
    EXPECT_NE(run.out.find("Total Duty\t"), std::string::npos);
    // The last line ends like the others, so the prompt does not run onto it.
    const std::string last = "SHR\t0.847\r\n";
    ASSERT_GE(run.out.size(), last.size());
    EXPECT_EQ(run.out.substr(run.out.size() - last.size()), last) << run.out;
    EXPECT_TRUE(run.err.empty()) << run.err;
}

TEST_F(ReportCommand, RateOfACoilThatDidNotSolvePrintsItsFullReport) {
    const CommandRun run = Run({"rate", "--control", "temperature", "--air-on", "20/15",
                                "--fluid-inlet", "10", "--design-dt", "10.1"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("did not converge (status 2)"), std::string::npos) << run.err;

    TCoilProject p;
    p.CreateCoil(TCoilSettings{});
    ASSERT_TRUE(p.SetOnCoil("20/15"));
    ASSERT_TRUE(p.SetFluidControl(wcTemp));
    ASSERT_TRUE(p.SetFluidInlet(10));
    ASSERT_TRUE(p.SetDesignDT(10.1));
    EXPECT_FALSE(p.SolveCoil());
    ASSERT_EQ(p.Coil().SolveStatus, ssNotConverged);
    EXPECT_EQ(run.out, Written(p, Performance));
    EXPECT_NE(run.out.find("Chilled Water Coil\r\n"), std::string::npos);
    const std::string last = "Solve Status\tCountOut\r\n";
    ASSERT_GE(run.out.size(), last.size());
    EXPECT_EQ(run.out.substr(run.out.size() - last.size()), last) << run.out;
}

TEST_F(ReportCommand, OtherReportTexts) {
    struct Case {
        const char* name;
        Writer write;
    };
    const Case cases[] = {
        {"performance", Performance},
        {"diagnostics", [](TCoilProject& p, TReportDocument& d) { p.Coil().WriteDiagnostics(d); }},
        {"manufacturing",
         [](TCoilProject& p, TReportDocument& d) {
             p.Coil().FinAndTube->WriteManufacturingReport(d);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CommandRun run = Run({"rate", "--air-on", "27/22", "--report", c.name});
        ASSERT_EQ(run.code, 0) << run.err;
        auto p = Solved();
        p->SetOnCoil("27/22");
        ASSERT_TRUE(p->SolveCoil());
        EXPECT_EQ(run.out, Written(*p, c.write));
        EXPECT_FALSE(run.out.empty());
    }
    const CommandRun run = Run({"rate", "--report", "results"});
    ASSERT_EQ(run.code, 0) << run.err;
    // The result lines lack their last break (as the clipboard takes them); printed, they end
    // like every other report.
    EXPECT_EQ(run.out, Solved()->Coil().GetResultLines() + "\r\n");
    EXPECT_EQ(run.out.rfind("Make,Typical\r\n", 0), 0u);
}

TEST_F(ReportCommand, UnitsOfTheReport) {
    CommandRun run = Run({"rate", "--units", "imperial"});
    ASSERT_EQ(run.code, 0) << run.err;
    auto p = Solved();
    UnitPrefs().SetImperialUnits();
    const std::string imperial = Written(*p, Performance);
    EXPECT_EQ(run.out, imperial);
    EXPECT_NE(run.out.find("°F"), std::string::npos);
    EXPECT_EQ(run.out.find("°C"), std::string::npos);

    // The user's own: the units file and the coil window's keys, the keys last.
    ASSERT_TRUE(CreateFolderOf(UnitsFilePath()));
    TwIniFile unitsFile(UnitsFilePath());
    ASSERT_TRUE(unitsFile.WriteInteger("air", "t", 1));
    ASSERT_TRUE(unitsFile.WriteInteger("liquid", "t", 1));
    {
        auto common = OpenCommonSettings();
        common->WriteInteger("Coils", "UnitsAirOn", 0);
        ASSERT_TRUE(common->UpdateFile());
    }
    run = Run({"rate", "--units", "user"});
    ASSERT_EQ(run.code, 0) << run.err;
    UnitPrefs().Reset();
    UnitPrefs()[urLiquidT].UnitsValue = 1;
    EXPECT_EQ(run.out, Written(*p, Performance));
    EXPECT_NE(run.out.find("Inlet Temp.\t42.8\t°F"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("On Coil\t25.0/17.0\t°C"), std::string::npos) << run.out;

    // Metric is what a first run shows, whatever the user's settings.
    run = Run({"rate"});
    UnitPrefs().Reset();
    EXPECT_EQ(run.out, Written(*p, Performance));
}

TEST_F(ReportCommand, HtmlCopyOfTheReport) {
    fs::create_directories(dir_ / "out");
    const fs::path html = dir_ / "out" / "report.html";
    CommandRun run = Run({"rate", "--html", html.string()});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, Written(*Solved(), Performance));
    const std::string page = FileText(html);
    EXPECT_NE(page.find("<html"), std::string::npos);
    EXPECT_NE(page.find("Total Duty"), std::string::npos);
    EXPECT_EQ(page.find("<table"), std::string::npos);

    // With --json the page is written and standard output stays JSON.
    fs::remove(html);
    run = Run({"rate", "--json", "--html", html.string()});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out.front(), '{');
    EXPECT_TRUE(fs::exists(html));
}

TEST_F(ReportCommand, RateAProjectFileWithOverridesAndSaveIt) {
    const fs::path file = SavedProject();
    const std::string original = FileText(file);
    const fs::path saved = dir_ / "rated.cqx";
    const CommandRun run =
        Run({"rate", file.string(), "--air-on", "26/19", "--save", saved.string()});
    ASSERT_EQ(run.code, 0) << run.err;

    auto p = Opened(file);
    p->SetOnCoil("26/19");
    ASSERT_TRUE(p->SolveCoil());
    EXPECT_EQ(run.out, Written(*p, Performance));
    EXPECT_NE(run.out.find("762 x 1200  6r  10f  12c"), std::string::npos);
    EXPECT_EQ(FileText(file), original);

    auto s = Opened(saved);
    EXPECT_EQ(s->Coil().GetDesignation(), "762 x 1200  6r  10f  12c");
    EXPECT_DOUBLE_EQ(s->OnCoilAir.db, 26);
    EXPECT_NEAR(s->Coil().Qt, p->Coil().Qt, 5e-4);
    EXPECT_EQ(s->Properties.edProjectName, "Harbour Tower");
}

TEST_F(ReportCommand, ReportSolvesTheFileAndStoredPrintsItsResults) {
    const fs::path file = SavedProject();
    // A stored result no calculation gives: only --stored shows it.
    std::string text = FileText(file);
    const auto at = text.find("<Qt>");
    const auto end = text.find("</Qt>");
    text.replace(at, end - at, "<Qt>99.123");
    ASSERT_TRUE(WriteFileAtomically(file.string(), text));

    auto p = Opened(file);
    ASSERT_TRUE(p->SolveCoil());
    for (const char* solve : {"", "--solve"}) {
        SCOPED_TRACE(solve);
        std::vector<std::string> args = {"report", file.string()};
        if (*solve) args.push_back(solve);
        const CommandRun run = Run(args);
        ASSERT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(run.out, Written(*p, Performance));
        EXPECT_EQ(run.out.find("99.1"), std::string::npos);
    }

    CommandRun run = Run({"report", file.string(), "--stored"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out.rfind("Total Duty\t99.1\tkW\r\n", 0), 0u) << run.out;
    // In the user's units, like the reports.
    run = Run({"report", file.string(), "--stored", "--units", "imperial"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("\t°F\r\n"), std::string::npos) << run.out;
    EXPECT_EQ(FileText(file), text);

    // --stored prints the stored results, not another report text.
    run = Run({"report", file.string(), "--stored", "--report", "diagnostics"});
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.out.empty());
}

TEST_F(ReportCommand, UnreadableFilesChangeNothing) {
    const fs::path good = SavedProject();
    std::string otherProgram = FileText(good);
    otherProgram.replace(otherProgram.find("program=\"QDX\""), 13, "program=\"PSX\"");
    struct Case {
        const char* name;
        std::string content;
        const char* message;
    };
    const Case cases[] = {
        {"garbage", std::string("\x01\x02 not a coil", 13), "Error reading file..."},
        {"truncated", FileText(good).substr(0, 300), "Error reading file..."},
        {"other program", otherProgram, "Invalid file format..."},
    };
    const fs::path saved = dir_ / "saved.cqx";
    const fs::path html = dir_ / "page.html";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = dir_ / (std::string(c.name) + ".cqx");
        ASSERT_TRUE(WriteFileAtomically(file.string(), c.content));
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"rate", file.string(), "--save", saved.string(), "--html",
                                       html.string()},
              std::vector<std::string>{"report", file.string(), "--html", html.string()}}) {
            const CommandRun run = Run(args);
            EXPECT_EQ(run.code, 1);
            EXPECT_EQ(run.err, std::string(c.message) + "\n");
            EXPECT_TRUE(run.out.empty());
            EXPECT_FALSE(fs::exists(saved));
            EXPECT_FALSE(fs::exists(html));
            EXPECT_EQ(FileText(file), c.content);
        }
    }
    const CommandRun missing = Run({"report", (dir_ / "missing.cqx").string()});
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("missing.cqx"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir_ / "missing.cqx"));
}

TEST_F(ReportCommand, FailedSaveKeepsTheOldFile) {
    const fs::path file = SavedProject();
    const std::string before = FileText(file);
    const CommandRun run = Run({"rate", "--save", (file / "inside.cqx").string()});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("Error saving file..."), std::string::npos) << run.err;
    EXPECT_EQ(FileText(file), before);
}

TEST_F(ReportCommand, BadReportArguments) {
    const fs::path file = SavedProject();
    const std::vector<std::vector<std::string>> cases = {
        {"rate", "--report", "summary"},
        {"rate", "--units", "british"},
        {"report", file.string(), "--units", "si"},
        {"rate", file.string(), "--tube", "3"},
        {"rate", file.string(), "--maker", "Typical"},
        {"report"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args.back());
        const CommandRun run = Run(args);
        EXPECT_EQ(run.code, 2);
        EXPECT_TRUE(run.out.empty());
        EXPECT_FALSE(run.err.empty());
    }
}

}  // namespace
}  // namespace qdx::cli

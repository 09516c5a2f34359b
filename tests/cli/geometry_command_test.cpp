#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include <nlohmann/json.hpp>

#include "cli/commands.hpp"
#include "documents/folders.hpp"
#include "geometry/coil_makers.hpp"

namespace qdx::cli {
namespace {

struct CommandRun {
    int code;
    std::string out, err;
};

class GeometryCommand : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("qdx-geometry-cli-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        setenv("QDX_COMMON_DIR", (dir_ / "common").string().c_str(), 1);
        setenv("XDG_CONFIG_HOME", (dir_ / "config").string().c_str(), 1);
        setenv("XDG_DATA_HOME", (dir_ / "data").string().c_str(), 1);
        ResetFolders();
        ClearMakerCache();
    }
    void TearDown() override {
        ClearMakerCache();
        std::filesystem::remove_all(dir_);
    }

    static CommandRun Run(std::vector<std::string> args) {
        args.insert(args.begin(), "geometry");
        std::ostringstream out, err;
        const int code = RunCommandLine(args, out, err);
        return {code, out.str(), err.str()};
    }

    static nlohmann::json Json(std::vector<std::string> args) {
        args.push_back("--json");
        const CommandRun r = Run(args);
        EXPECT_EQ(r.code, 0) << r.err;
        return nlohmann::json::parse(r.out);
    }

    std::filesystem::path dir_;
};

TEST_F(GeometryCommand, DefaultCoilAsJson) {
    const nlohmann::json j = Json({});
    EXPECT_EQ(j["designation"], "635 x 720  4r  12f  7c");
    EXPECT_EQ(j["makerDesignation"], "");
    EXPECT_EQ(j["maker"], "Typical");
    EXPECT_EQ(j["model"], "1/2 inch");
    EXPECT_DOUBLE_EQ(j["faceArea"].get<double>(), 0.635 * 0.72);
    EXPECT_EQ(j["tubesHigh"], 17);  // 635 / 38.1 = 16.67
    EXPECT_EQ(j["tubeCount"], 68);
    EXPECT_EQ(j["circuits"], 7);
    EXPECT_EQ(j["serpentine"], "2/5");        // 7/17 lies between 2/5 and 5/12
    EXPECT_EQ(j["connections"], "Opposite");  // 68/7 = 9.7: nine, odd
    EXPECT_DOUBLE_EQ(j["depth"].get<double>(), 0.132);
    EXPECT_NEAR(j["sigma"].get<double>(), 0.595776, 1e-12);
    EXPECT_DOUBLE_EQ(j["tubeSide"]["ID"].get<double>(), 0.0125222);
    EXPECT_DOUBLE_EQ(j["airSide"]["finConductivity"].get<double>(), 0.209);
    const nlohmann::json& w = j["dryWeight"];
    EXPECT_NEAR(w["total"].get<double>(),
                1.05 * (w["tubes"].get<double>() + w["fins"].get<double>() +
                        w["casing"].get<double>() + w["bends"].get<double>() +
                        w["headers"].get<double>()),
                1e-12);
    EXPECT_TRUE(std::filesystem::exists(dir_ / "common" / "CoilMakers.xml"));
}

TEST_F(GeometryCommand, TextListsEveryQuantity) {
    const CommandRun r = Run({"--maker", "GEA", "--tube", "5", "--model", "1200 x 2000 6r 10f 24c"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    for (const char* line :
         {"Designation          1200 x 2000  6r  10f  24c\n",
          "Maker designation    24T 6.0NR 2000A 3P 24NC\n", "Face area            2.4 m²\n",
          "Tubes high           24\n", "Tube count           144\n", "Circuits             24\n",
          "Serpentine           1\n", "Connections          Same\n"})
        EXPECT_NE(r.out.find(line), std::string::npos) << line;
    for (const char* caption : {"Depth", "Ao ", "Ai ", "Vi ", "Fin area", "Ao/Ai", "Sigma",
                                "Hydraulic diameter", "Fin efficiency", "Surface efficiency",
                                "Tube side", "Air side", "Dry weight", "  Tubes", "  Fins",
                                "  Casing", "  Bends", "  Headers"})
        EXPECT_NE(r.out.find(caption), std::string::npos) << caption;
}

TEST_F(GeometryCommand, SpecificationPicksTheCatalogueEntry) {
    const nlohmann::json j = Json(
        {"--spec", "3/8 inch, 9.3, 10, 21.65, 25, 0.12, Staggered, Br, Al, 1, 1, 0"});
    EXPECT_EQ(j["model"], "3/8 inch");
    EXPECT_EQ(j["tube"], 3);
    EXPECT_EQ(j["tubesHigh"], 25);  // 635 / 25
    EXPECT_DOUBLE_EQ(j["tubeSide"]["wallConductivity"].get<double>(), 0.111);  // brass kept
}

TEST_F(GeometryCommand, RejectedDesignationsGiveTheirCode) {
    struct Case {
        const char* model;
        const char* message;
    };
    const Case cases[] = {
        {"544 x 720", "error 1 (a number is missing or is not a number)"},
        {"544 x 720 4r 12f 0c", "error 8 (circuits outside 1 to 1600)"},
        {"30000 x 720 4r 12f 7c", "error 5 (fin height outside 6.25 mm to 25 m)"},
    };
    for (const Case& c : cases) {
        const CommandRun r = Run({"--model", c.model});
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}

TEST_F(GeometryCommand, MakerList) {
    const CommandRun r = Run({"--makers"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "Typical\nGEA\nBAC\nHC\nRecoil\nNorvane\n");
}

TEST_F(GeometryCommand, UnknownMakerIsReportedOnStandardError) {
    const CommandRun r = Run({"--maker", "Nobody"});
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.err.find("There are no matching coils for Nobody in the database!"),
              std::string::npos);
    EXPECT_NE(r.out.find("Maker                Default\n"), std::string::npos);
}

}  // namespace
}  // namespace qdx::cli

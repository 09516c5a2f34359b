#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "documents/atomic_file.hpp"
#include "documents/messages.hpp"
#include "engine_fixture.hpp"

namespace qdx {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

class AerographExportTest : public test::CoilProjectTest {
protected:
    void SetUp() override {
        CoilProjectTest::SetUp();
        setenv("XDG_DOCUMENTS_DIR", (dir_ / "documents").c_str(), 1);
        ResetFolders();
        project.Properties.edDate = year_month_day{year{2004}, March, day{7}};
        previous_ = SetMessageHandler([this](const std::string& t) { messages.push_back(t); });
    }
    void TearDown() override {
        SetMessageHandler(previous_);
        unsetenv("XDG_DOCUMENTS_DIR");
        ResetFolders();
        CoilProjectTest::TearDown();
    }
    std::string Exported() {
        const std::string path = project.AerographPath();
        EXPECT_TRUE(project.ExportAerograph(path));
        std::string text;
        EXPECT_TRUE(ReadWholeFile(path, text));
        return text;
    }

    std::vector<std::string> messages;
    MessageHandler previous_;
};

TEST_F(AerographExportTest, FirstRunCoilOfAnUnnamedDocument) {
    ASSERT_TRUE(project.FileName.empty());
    ASSERT_FALSE(project.Solved);
    const fs::path expected = dir_ / "documents" / "Calorix" / ExeName() / "NoName.psy";
    EXPECT_EQ(fs::path(project.AerographPath()), expected);
    // Solved first, then written.
    EXPECT_EQ(Exported(),
              "'Aerograph 1.0 data file'\r\n"
              "''\r\n"
              "''\r\n"
              "0\r\n"
              "''\r\n"
              "''\r\n"
              "'07 03 2004'\r\n"
              "101.325\r\n"
              "5.00, 35.00, 0.00100, 0.02000\r\n"
              "'Node1', 'On', 25.000, 17.000, ''\r\n"
              "'Node2', 'Off', 11.623, 10.919, ''\r\n"
              "'Process1', 'Coil', 'Node1', 'Node2', 1.3461, ''\r\n");
    EXPECT_TRUE(project.Solved);
    EXPECT_TRUE(fs::exists(expected));
    EXPECT_TRUE(messages.empty());
}

TEST_F(AerographExportTest, NamedDocumentWritesBesideItWithItsDescription) {
    project.SetFileName((dir_ / "plant room.v2.cqx").string());
    project.Properties.edProjectName = "Plant room";
    project.Properties.edDescription = "one\r\ntwo\r\nthree";
    EXPECT_EQ(fs::path(project.AerographPath()), dir_ / "plant room.v2.psy");
    const std::string text = Exported();
    EXPECT_NE(text.find("'Plant room'\r\n''\r\n3\r\n'one'\r\n'two'\r\n'three'\r\n''\r\n"),
              std::string::npos)
        << text;
}

TEST_F(AerographExportTest, FailedWriteKeepsTheOldFileAndSaysSo) {
    // The target's folder is a file: nothing can be written there.
    const fs::path blocker = dir_ / "blocker";
    ASSERT_TRUE(WriteFileAtomically(blocker.string(), "x"));
    EXPECT_FALSE(project.ExportAerograph((blocker / "NoName.psy").string()));
    EXPECT_EQ(messages, std::vector<std::string>{"Error writing Aerograph file.."});

    const fs::path existing = dir_ / "old.psy";
    ASSERT_TRUE(WriteFileAtomically(existing.string(), "old"));
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    const bool written = project.ExportAerograph(existing.string());
    fs::permissions(dir_, fs::perms::owner_all);
    if (::geteuid() != 0) {  // root writes anywhere
        EXPECT_FALSE(written);
        std::string text;
        ASSERT_TRUE(ReadWholeFile(existing.string(), text));
        EXPECT_EQ(text, "old");
    }
}

TEST_F(AerographExportTest, CoilThatDoesNotSolveWritesNothing) {
    project.SetAirVolume(0);  // no air: the coil cannot be rated
    const std::string path = project.AerographPath();
    EXPECT_FALSE(project.ExportAerograph(path));
    EXPECT_FALSE(fs::exists(path));
}

}  // namespace
}  // namespace qdx

#pragma once
// A private common folder for each test: QDX_COMMON_DIR and the XDG folders point into a fresh
// temporary folder, the catalogue cache starts empty and messages are collected.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "documents/folders.hpp"
#include "documents/messages.hpp"
#include "geometry/coil_makers.hpp"

namespace qdx::testing {

class CatalogTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::filesystem::temp_directory_path() /
               ("qdx-geometry-" + std::to_string(::getpid()) + "-" + info->test_suite_name() +
                "-" + info->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_ / "common");
        setenv("QDX_COMMON_DIR", (dir_ / "common").string().c_str(), 1);
        setenv("XDG_CONFIG_HOME", (dir_ / "config").string().c_str(), 1);
        setenv("XDG_DATA_HOME", (dir_ / "data").string().c_str(), 1);
        ResetFolders();
        ClearMakerCache();
        previous_ = SetMessageHandler([this](const std::string& text) { messages_.push_back(text); });
    }

    void TearDown() override {
        SetMessageHandler(previous_);
        ClearMakerCache();
        std::filesystem::remove_all(dir_);
    }

    std::string CatalogPath() const { return (dir_ / "common" / "CoilMakers.xml").string(); }

    void InstallShippedCatalog() {
        std::filesystem::copy_file(std::string(QDX_TEST_DATA_DIR) + "/CoilMakers.xml",
                                   CatalogPath());
    }

    void WriteCatalog(const std::string& text) {
        std::ofstream(CatalogPath(), std::ios::binary) << text;
        ClearMakerCache();
    }

    static std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::filesystem::path dir_;
    std::vector<std::string> messages_;
    MessageHandler previous_;
};

}  // namespace qdx::testing

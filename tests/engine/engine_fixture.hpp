#pragma once
// A coil project built as a first run builds it, with the settings folders pointed at a
// temporary folder.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "documents/folders.hpp"
#include "engine/coil_project.hpp"
#include "geometry/coil_makers.hpp"

namespace qdx::test {

class CoilProjectTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("qdx-engine-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
        setenv("XDG_CONFIG_HOME", (dir_ / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (dir_ / "data").c_str(), 1);
        setenv("QDX_COMMON_DIR", (dir_ / "common").c_str(), 1);
        ResetFolders();
        ClearMakerCache();
        EnsureCatalogue();  // as the program's start-up does
        project.CreateCoil(settings);
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    TColdWaterCoil& coil() { return project.Coil(); }

    TCoilSettings settings;
    TCoilProject project;
    std::filesystem::path dir_;
};

}  // namespace qdx::test

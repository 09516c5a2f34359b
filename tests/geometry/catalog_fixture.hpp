#pragma once
// A private common folder for each test: QDX_COMMON_DIR and the XDG folders point into a fresh
// temporary folder, the catalogue cache starts empty and messages are collected.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include <unistd.h>

#include "documents/folders.hpp"
#include "documents/messages.hpp"
#include "geometry/coil_makers.hpp"

namespace qdx {

inline void PrintTo(const TMnfRec& r, std::ostream* os) {
    *os << r.maker << " | " << FormatSpecification(r) << " | d " << r.d;
}

}  // namespace qdx

namespace qdx::testing {

// Entries equal up to the rounding of values stored in mm.
inline void ExpectSameEntry(const TMnfRec& a, const TMnfRec& b) {
    EXPECT_EQ(a.maker, b.maker);
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.d, b.d);
    EXPECT_DOUBLE_EQ(a.id, b.id);
    EXPECT_DOUBLE_EQ(a.od, b.od);
    EXPECT_DOUBLE_EQ(a.sx, b.sx);
    EXPECT_DOUBLE_EQ(a.sy, b.sy);
    EXPECT_DOUBLE_EQ(a.t, b.t);
    EXPECT_EQ(a.kind, b.kind);
    EXPECT_EQ(a.tubeMaterial, b.tubeMaterial);
    EXPECT_EQ(a.finMaterial, b.finMaterial);
    EXPECT_DOUBLE_EQ(a.finF, b.finF);
    EXPECT_DOUBLE_EQ(a.tubeF, b.tubeF);
    EXPECT_EQ(a.basis, b.basis);
}

inline void ExpectSameEntries(const TMnfRecVec& a, const TMnfRecVec& b) {
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) ExpectSameEntry(a[i], b[i]);
}

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

#pragma once
// A coil project built as a first run builds it, with the settings folders pointed at a
// temporary folder.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "documents/folders.hpp"
#include "engine/coil_project.hpp"
#include "geometry/coil_makers.hpp"
#include "units/format.hpp"

namespace qdx::test {

// Everything an operation may change, at full precision.
inline std::string ProjectState(TCoilProject& p) {
    TColdWaterCoil& c = p.Coil();
    const TLiquid& l = p.Coolant();
    const TLiquidState& ls = *c.LiquidState;
    const TModelRec& r = c.FinAndTube->Record();
    std::string s = Format("%s|%s|%s|%s|%s|%s|%s|%d%d%d|%d|%d|", c.GetDesignation(), r.Mnf,
                           p.CoilModel, l.Caption, p.EditStatus, p.SolveStatusText, p.FileName,
                           p.Saved, p.Solved, p.Modified, static_cast<int>(p.CalcMode),
                           static_cast<int>(c.SolveStatus));
    std::vector<double> values = {p.Barometer, p.DesignDuty, LastADP(), c.MassFlow, c.VolumeFlow,
                                  c.FaceVelocity, c.Qt, c.Qs, c.e, c.Ntu, c.Cr, c.ho, c.Uo,
                                  c.ADP, c.BypassFactor, c.FaceArea(), c.Ao, c.Ai,
                                  c.TubeSide.FlowArea, r.fHeight, r.fLength, r.Rows, r.fpi,
                                  r.Circ, l.t, l.tfi, l.tfo, l.m, l.ro, l.Cp, l.mu, l.Ko,
                                  l.AdditiveVolume, ls.area, ls.designdt, ls.cw, ls.vw,
                                  static_cast<double>(ls.ctrl), static_cast<double>(l.LiquidSpec),
                                  static_cast<double>(l.WaterAdditive)};
    for (int i = 0; i < kAirStateFields; ++i) {
        values.push_back(AirField(p.OnCoilAir, i));
        values.push_back(AirField(p.OffCoilAir, i));
    }
    for (double v : values) s += Format("%.17g|", v);
    return s;
}

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

#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/calibration.hpp"
#include "engine/coil_settings.hpp"
#include "engine_fixture.hpp"

namespace qdx::test {
namespace {

namespace fs = std::filesystem;

using CalibrationTest = CoilProjectTest;

TEST_F(CalibrationTest, FactorsActWhereTheyBelongAndResetGivesTheUncalibratedCoil) {
    const TCalibrationResults plain = Recalculate(coil(), kUncalibrated);
    ASSERT_EQ(coil().SolveStatus, ssSolved);
    EXPECT_DOUBLE_EQ(plain.SHR, plain.Qs / plain.Qt);

    TCalibrationResults r = Recalculate(coil(), {1, 1, 1, 1.2, 0.5});
    EXPECT_NEAR(r.AirDP, 1.2 * plain.AirDP, 1e-9 * plain.AirDP);
    EXPECT_NEAR(r.FluidDP, 0.5 * plain.FluidDP, 1e-9 * plain.FluidDP);
    EXPECT_NEAR(r.Qt, plain.Qt, 1e-3);

    r = Recalculate(coil(), {1.05, 1, 1, 1, 1});
    EXPECT_GT(r.Qt, plain.Qt);
    EXPECT_DOUBLE_EQ(coil().DutyFactor, 1.05);
    r = Recalculate(coil(), {1, 1.1, 0.9, 1, 1});
    EXPECT_DOUBLE_EQ(coil().hoFactor, 1.1);
    EXPECT_DOUBLE_EQ(coil().hiFactor, 0.9);

    r = Recalculate(coil(), kUncalibrated);
    EXPECT_NEAR(r.Qt, plain.Qt, 1e-4);
    EXPECT_NEAR(r.Qs, plain.Qs, 1e-4);
    EXPECT_NEAR(r.AirDP, plain.AirDP, 1e-6);
    EXPECT_EQ(CoilFactors(coil()), kUncalibrated);
}

TEST_F(CalibrationTest, SensibleHeatRatioWithoutTotalDuty) {
    EXPECT_DOUBLE_EQ(SensibleHeatRatio(3, 4), 0.75);
    EXPECT_EQ(SensibleHeatRatio(2, 0), 1.7e308);
    EXPECT_EQ(SensibleHeatRatio(-2, 0), -1.7e308);
    EXPECT_EQ(SensibleHeatRatio(0, 0), 0);
    // A coil without liquid flow under flow control has no duty at all.
    coil().LiquidState->SetMassFlow(0);
    const TCalibrationResults r = Recalculate(coil(), kUncalibrated);
    EXPECT_EQ(r.Qt, 0);
    EXPECT_EQ(r.SHR, 0);
}

TEST_F(CalibrationTest, StepsAreATenthAndAHundredthOfAPercent) {
    EXPECT_EQ(CalibrationStep(cfDuty), 1.0001);
    EXPECT_EQ(CalibrationStep(cfOutside), 1.0001);
    EXPECT_EQ(CalibrationStep(cfInside), 1.0001);
    EXPECT_EQ(CalibrationStep(cfAirDP), 1.001);
    EXPECT_EQ(CalibrationStep(cfFluidDP), 1.001);
}

TEST_F(CalibrationTest, TheFileHoldsFiveLittleEndianDoublesAndStaysReadOnly) {
    const std::string path = CalibrationFilePath();
    EXPECT_EQ(fs::path(path).filename(), "QDX.cal");
    EXPECT_EQ(fs::path(path).parent_path().string() + "/", UserDataDir());
    const TCalibrationFactors first{1.05, 0.98, 1.0, 1.001, 0.999};
    ASSERT_TRUE(WriteCalibrationFile(path, first));
    // Written again over its own read-only copy.
    const TCalibrationFactors f{1.0010004501200209, 1.1, 0.9, 1.25, 0.75};
    ASSERT_TRUE(WriteCalibrationFile(path, f));

    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), {});
    ASSERT_EQ(bytes.size(), 40u);
    for (int k = 0; k < 5; ++k) {
        std::uint64_t bits = 0;
        for (int i = 7; i >= 0; --i) bits = (bits << 8) | bytes[8 * k + i];
        EXPECT_EQ(std::bit_cast<double>(bits), f[k]) << k;
    }
    // 1.25 is 0x3FF4000000000000: the sign and exponent byte comes last.
    EXPECT_EQ(bytes[31], 0x3F);
    EXPECT_EQ(bytes[30], 0xF4);
    const fs::perms p = fs::status(path).permissions();
    EXPECT_EQ(p & (fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write),
              fs::perms::none);
    EXPECT_NE(p & fs::perms::owner_read, fs::perms::none);
}

TEST_F(CalibrationTest, AcceptedFactorsBecomeTheProgramsAndTheNextCoilsFactors) {
    const TCalibrationFactors f{1.05, 1.1, 0.9, 1.2, 0.8};
    Recalculate(coil(), f);
    project.SetSaved(true);
    TCoilSettings settings;
    settings.Col1 = 150;  // the rest of the settings stays
    project.AcceptCalibration(settings);
    EXPECT_EQ(SettingsFactors(settings), f);
    EXPECT_EQ(settings.Col1, 150);
    EXPECT_TRUE(project.Modified);
    EXPECT_FALSE(project.Saved);
    EXPECT_FALSE(project.Solved);

    TCoilProject next;
    ASSERT_TRUE(next.CreateCoil(settings));
    EXPECT_EQ(CoilFactors(next.Coil()), f);
}

TEST_F(CalibrationTest, AFolderThatCannotBeWrittenIsReportedNotThrown) {
    EXPECT_FALSE(WriteCalibrationFile("/proc/qdx-no-such/QDX.cal", kUncalibrated));
}

}  // namespace
}  // namespace qdx::test

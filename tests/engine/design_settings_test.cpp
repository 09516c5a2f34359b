#include <string>

#include "documents/ini_file.hpp"
#include "engine/design_settings.hpp"
#include "engine_fixture.hpp"

namespace qdx::test {
namespace {

using DesignSettingsTest = CoilProjectTest;

TEST_F(DesignSettingsTest, AnEmptyStoreGivesTheCoilsDefaults) {
    TPowerIniFile store((dir_ / "QDX.ini").string());
    const TDesignSettings s = LoadDesignSettings(store, coil());
    EXPECT_DOUBLE_EQ(s.Aspect, 1.4);
    EXPECT_DOUBLE_EQ(s.Vf, 2.5);
    EXPECT_DOUBLE_EQ(s.Rows, 4);
    EXPECT_DOUBLE_EQ(s.Fins, 10);
    EXPECT_EQ(s.AirOn, "25.0/17.0");
    EXPECT_DOUBLE_EQ(s.FluidIn, 6);
    EXPECT_TRUE(s.UseFouling);
    // Restore Defaults reads the coil's fouling switch as it stands.
    coil().UseFouling = false;
    EXPECT_FALSE(DesignDefaults(coil()).UseFouling);
}

TEST_F(DesignSettingsTest, SavedSettingsComeBackAndApplyToTheCoil) {
    const std::string path = (dir_ / "QDX.ini").string();
    {
        TPowerIniFile store(path);
        SaveDesignSettings(store, {2.0, 3.2, 6, 12, "30.0/20.0", -5, false});
        ASSERT_TRUE(store.UpdateFile());
    }
    TPowerIniFile store(path);
    EXPECT_EQ(store.ReadString(kDesignSettingsSection, "DesignAirOn", ""), "30.0/20.0");
    const TDesignSettings s = LoadDesignSettings(store, coil());
    EXPECT_DOUBLE_EQ(s.Aspect, 2.0);
    EXPECT_DOUBLE_EQ(s.Vf, 3.2);
    EXPECT_DOUBLE_EQ(s.Rows, 6);
    EXPECT_DOUBLE_EQ(s.Fins, 12);
    EXPECT_EQ(s.AirOn, "30.0/20.0");
    EXPECT_DOUBLE_EQ(s.FluidIn, -5);
    EXPECT_FALSE(s.UseFouling);

    const double airOn = coil().AirIn->db;
    ApplyDesignSettings({2.0, 3.2, 6, 11.6, "30.0/20.0", -5, false}, coil());
    EXPECT_DOUBLE_EQ(coil().AspectRatio, 2.0);
    EXPECT_DOUBLE_EQ(coil().DesignFaceVelocity, 3.2);
    EXPECT_DOUBLE_EQ(coil().SizingRows, 6);
    EXPECT_EQ(coil().SizingFins, 12);
    EXPECT_FALSE(coil().UseFouling);
    // The typical air and liquid are kept for the user, not given to the coil.
    EXPECT_DOUBLE_EQ(coil().AirIn->db, airOn);
    EXPECT_DOUBLE_EQ(coil().Liquid->tfi, 6);
}

TEST_F(DesignSettingsTest, FieldLimits) {
    struct Case {
        double (*limit)(double);
        double in, out;
    };
    for (const Case& k : {Case{LimitAspect, 0.2, 0.5}, Case{LimitAspect, 7, 5},
                          Case{LimitAspect, 1.77, 1.77}, Case{LimitVf, 0.5, 1},
                          Case{LimitVf, 6, 5}, Case{LimitVf, 2.75, 2.75}, Case{LimitRows, 0, 1},
                          Case{LimitRows, 9, 6}, Case{LimitRows, 3.4, 3}, Case{LimitRows, 4.5, 4},
                          Case{LimitFins, 7, 8}, Case{LimitFins, 14, 12},
                          Case{LimitFins, 10.6, 11}, Case{LimitFluidIn, -70, -60},
                          Case{LimitFluidIn, 300, 250}, Case{LimitFluidIn, 6.5, 6},
                          Case{LimitFluidIn, 7.5, 8}})
        EXPECT_DOUBLE_EQ(k.limit(k.in), k.out) << k.in;
}

}  // namespace
}  // namespace qdx::test

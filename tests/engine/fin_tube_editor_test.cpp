#include <cmath>
#include <string>
#include <vector>

#include "engine/fin_tube_editor.hpp"
#include "engine_fixture.hpp"
#include "geometry/materials.hpp"
#include "units/unit_prefs.hpp"

namespace qdx::test {
namespace {

class FinTubeEditorTest : public CoilProjectTest {
protected:
    void SetUp() override {
        CoilProjectTest::SetUp();
        UnitPrefs().Reset();
        editor.Coil = &coil();
    }
    TFinTubeEditor editor;
};

TEST_F(FinTubeEditorTest, FinDensitySpinsToEvenNumbers) {
    struct Case {
        double from;
        bool up;
        double to;
    };
    for (const Case& k : {Case{10, true, 12}, Case{11, true, 12}, Case{12, false, 10},
                          Case{11, false, 10}, Case{10.5, true, 12}}) {
        coil().SetFinsPerInch(k.from);
        ASSERT_TRUE(editor.SpinFinDensity(k.from, k.up)) << k.from;
        EXPECT_DOUBLE_EQ(coil().FinsPerInch(), k.to) << k.from << (k.up ? " up" : " down");
        EXPECT_DOUBLE_EQ(editor.FinPitch(), 25.4 / k.to);
    }
    // Past the field's range nothing changes.
    coil().SetFinsPerInch(2);
    EXPECT_FALSE(editor.SpinFinDensity(2, false));
    coil().SetFinsPerInch(30);
    EXPECT_FALSE(editor.SpinFinDensity(30, true));
    EXPECT_DOUBLE_EQ(coil().FinsPerInch(), 30);
}

TEST_F(FinTubeEditorTest, RowsSpinByOneBelowTheLimitsOrWhenOdd) {
    struct Case {
        double from;
        bool up;
        double to;
    };
    for (const Case& k : {Case{6, true, 8}, Case{5, true, 6}, Case{4, true, 5}, Case{8, false, 6},
                          Case{7, false, 6}, Case{6, false, 5}, Case{10, false, 8},
                          Case{3.5, true, 4.5}}) {
        coil().SetRows(k.from);
        ASSERT_TRUE(editor.SpinRows(k.from, k.up)) << k.from;
        EXPECT_DOUBLE_EQ(coil().Rows(), k.to) << k.from << (k.up ? " up" : " down");
    }
    coil().SetRows(1);
    EXPECT_FALSE(editor.SpinRows(1, false));
    EXPECT_DOUBLE_EQ(coil().Rows(), 1);
}

TEST_F(FinTubeEditorTest, FewerTubesThanCircuitsGiveEachTubeItsOwnCircuit) {
    coil().SetRows(2);
    coil().SetCircuits(40);  // 17 tubes high, 34 tubes
    ASSERT_TRUE(editor.SpinRows(2, false));
    EXPECT_DOUBLE_EQ(coil().Rows(), 1);
    EXPECT_DOUBLE_EQ(coil().Circuits(), 17);
}

TEST_F(FinTubeEditorTest, CircuitsSpinToWholeTubesPerCircuit) {
    // 4 rows x 21 tubes high, 14 circuits of 6 tubes.
    ASSERT_TRUE(project.SetCoilModel("800.1 720 4r 12f 14c"));
    ASSERT_EQ(coil().FinAndTube->TubesHigh(), 21);
    ASSERT_TRUE(editor.SpinCircuits(14, false));
    EXPECT_DOUBLE_EQ(coil().Circuits(), 12);  // 7 tubes per circuit
    coil().SetCircuits(14);
    ASSERT_TRUE(editor.SpinCircuits(14, true));
    EXPECT_DOUBLE_EQ(coil().Circuits(), 21);  // 4 tubes per circuit
    // Up ends at one tube per circuit; down past the tube count changes nothing.
    ASSERT_TRUE(editor.SpinCircuits(84, true));
    EXPECT_DOUBLE_EQ(coil().Circuits(), 84);
    coil().SetCircuits(1);
    EXPECT_FALSE(editor.SpinCircuits(1, false));
    EXPECT_DOUBLE_EQ(coil().Circuits(), 1);
}

TEST_F(FinTubeEditorTest, FinHeightSpinsInPairsOfTubeRowsAndCircuitsFollowTheSerpentine) {
    const double s = 2 * 0.0381;
    ASSERT_DOUBLE_EQ(editor.FinHeightStep(), s);
    const double velocity = coil().FaceVelocity;
    ASSERT_TRUE(editor.SpinFinHeight(0.635, true));  // 8.33 steps: up to 9
    EXPECT_DOUBLE_EQ(coil().FinHeight(), 9 * s);
    // 18 tubes high: the 7 circuits now have the ratio 7/18, whose table entry is 5/13.
    EXPECT_EQ(coil().FinAndTube->TubesHigh(), 18);
    EXPECT_EQ(SerpentineText(coil().SerpentineIndex()), "5/13");
    EXPECT_DOUBLE_EQ(coil().Circuits(), 18 * 5.0 / 13);
    // Keep-airflow off: the face velocity stays, the volume follows the new face area.
    EXPECT_NEAR(coil().FaceVelocity, velocity, 1e-12);
    EXPECT_NEAR(coil().VolumeFlow, velocity * coil().FaceArea(), 1e-12);

    ASSERT_TRUE(editor.SpinFinHeight(9 * s, false));
    EXPECT_DOUBLE_EQ(coil().FinHeight(), 8 * s);
    // Below one step the height becomes one step; a spin out of range changes nothing.
    editor.ApplyFinHeight(0.05);
    EXPECT_DOUBLE_EQ(coil().FinHeight(), s);
    EXPECT_FALSE(editor.SpinFinHeight(9.144, true));
    EXPECT_DOUBLE_EQ(coil().FinHeight(), s);
}

TEST_F(FinTubeEditorTest, KeepAirflowHoldsTheVolumeWhenTheFaceChanges) {
    editor.KeepAirFlow = true;
    const double volume = coil().VolumeFlow;
    ASSERT_TRUE(editor.SpinFinnedLength(0.72, true));
    EXPECT_DOUBLE_EQ(coil().FinnedLength(), 0.8);
    EXPECT_NEAR(coil().VolumeFlow, volume, 1e-12);
    EXPECT_NEAR(coil().FaceVelocity, volume / coil().FaceArea(), 1e-12);
    ASSERT_TRUE(editor.SpinFinnedLength(0.8, false));
    EXPECT_DOUBLE_EQ(coil().FinnedLength(), 0.7);
    EXPECT_FALSE(editor.SpinFinnedLength(0.1, false));
}

TEST_F(FinTubeEditorTest, FinPitchSpinsInWholeMillimetres) {
    struct Case {
        double fpi;
        bool up;
        double pitch;
    };
    for (const Case& k : {Case{10, true, 3}, Case{10, false, 2}, Case{12.7, false, 1},
                          Case{8.4666666666666668, true, 4}}) {
        coil().SetFinsPerInch(k.fpi);
        ASSERT_TRUE(editor.SpinFinPitch(editor.FinPitch(), k.up)) << k.fpi;
        EXPECT_DOUBLE_EQ(coil().FinsPerInch(), 25.4 / k.pitch) << k.fpi;
        EXPECT_DOUBLE_EQ(editor.FinPitch(), k.pitch);
    }
    // 1 mm is not above the lower end + 1: no further down.
    coil().SetFinsPerInch(25.4);
    EXPECT_FALSE(editor.SpinFinPitch(1, false));
    EXPECT_DOUBLE_EQ(coil().FinsPerInch(), 25.4);
}

TEST_F(FinTubeEditorTest, CancelRestoresGeometryAirVolumeAndTubeVelocityExactly) {
    project.SolveCoil();
    editor.SaveState();
    const TModelRec record = coil().FinAndTube->Record();
    const double volume = coil().VolumeFlow;
    const double velocity = coil().FaceVelocity;
    const double vw = coil().LiquidState->vw;
    const double liquidFlow = coil().Liquid->m;

    editor.SpinFinHeight(coil().FinHeight(), true);
    editor.SummaryLines();
    editor.SpinRows(coil().Rows(), true);
    editor.SpinCircuits(coil().Circuits(), false);
    editor.SummaryLines();
    editor.KeepAirFlow = true;
    editor.SpinFinDensity(coil().FinsPerInch(), false);
    editor.SetTubeMaterial(7);
    editor.SetCasingMaterial(4);
    coil().SetVolumeFlow(2.0);
    editor.AutoSize(skFaceArea, 35);
    editor.SummaryLines();
    ASSERT_NE(coil().FinAndTube->Record(), record);

    editor.RestoreState();
    EXPECT_EQ(coil().FinAndTube->Record(), record);
    EXPECT_EQ(coil().VolumeFlow, volume);
    EXPECT_EQ(coil().FaceVelocity, velocity);
    EXPECT_EQ(coil().LiquidState->vw, vw);
    EXPECT_EQ(coil().Liquid->m, liquidFlow);
    EXPECT_EQ(editor.SavedRecord(), record);
}

TEST_F(FinTubeEditorTest, MakerRecordTakesWholePairsOfTheNewTubePitch) {
    TModelRec rec = coil().FinAndTube->Record();
    ApplyMnf(FindTube("Typical", 3), rec);  // 3/8 inch, 25 mm pitch
    editor.ApplyMakerRecord(rec);
    EXPECT_EQ(coil().FinAndTube->Record().Model, "3/8 inch");
    EXPECT_DOUBLE_EQ(coil().FinHeight(), 0.05 * 13);  // 0.635 / 0.05 = 12.7 -> 13 steps
    EXPECT_NEAR(coil().WallThickness, (0.010 - 0.0093) / 2, 1e-15);
}

TEST_F(FinTubeEditorTest, CaptionShowsTheMakersOwnDesignation) {
    EXPECT_EQ(editor.Caption(), "635 x 720  4r  12f  7c");
    coil().SetMakerModel("GEA", "");
    const std::string makerText = coil().FinAndTube->MakerDesignation();
    ASSERT_FALSE(makerText.empty());
    EXPECT_EQ(editor.Caption(), "GEA: " + makerText);
}

TEST_F(FinTubeEditorTest, WarningColourBlendsBlackIntoOrangeRedInHsl) {
    struct Case {
        double value, zero, full;
        const char* colour;
    };
    for (const Case& k : {Case{2.4, 2.4, 3.1, "#000000"}, Case{3.1, 2.4, 3.1, "#FF4500"},
                          Case{2.75, 2.4, 3.1, "#602920"}, Case{1.0, 2.4, 3.1, "#000000"},
                          Case{9.0, 2.4, 3.1, "#FF4500"}, Case{0.5, 1, 0, "#602920"},
                          Case{0, 1, 0, "#FF4500"}})
        EXPECT_EQ(WarningColour(k.value, k.zero, k.full), k.colour) << k.value;
}

TEST_F(FinTubeEditorTest, SummaryOfTheFirstRunCoil) {
    const std::vector<std::string> expected = {
        "<html>",
        "<head>",
        "<style>",
        "body {font-family:arial;margin:0;padding:0}",
        "ul {font-size:8pt;list-style-type:circle;margin-top:5px}",
        "</style>",
        "</head>",
        "<body>",
        "<ul>",
        "<li>Face Area = 0.457 m²</li>",
        "<li>L/H = 1.134</li>",
        "<li>Ao = 53.4 m²</li>",
        "<li>Dry Weight = 30.7 kg</li>",
        "<li>17 tubes high</li>",
        "<li>9 tubes per circuit</li>",
        "<li style=\"color:#ff4500\">5 unlinked tubes</li>",
        "<li style=\"color:#cd5c5c\">Opposite side conns.</li>",
        "<li style=\"color:#151010\">Air Vf = 2.50 m/s</li>",
        "<li style=\"color:#5B2820\">Air dP = 120 Pa</li>",
        "<li>Vw = 1.000 m/s</li>",
        "<li style=\"color:#291918\">Water dP = 17.8 kPa</li>",
        "<li style=\"color:#48231F\">Total Duty = 21.7 kW</li>",
        "<li style=\"color:#0E0B0B\">Sensible Duty = 18.4 kW</li>",
        "<li style=\"color:#0E0B0B\">SHR = 0.847</li>",
        "</ul>",
        "</body>",
        "</html>",
    };
    EXPECT_EQ(editor.SummaryLines(), expected);
    EXPECT_EQ(coil().SolveStatus, ssSolved);
}

TEST_F(FinTubeEditorTest, SummaryOfADryCoilAndOfAFailure) {
    project.SetOnCoil("25/12");  // dew point below the liquid
    std::vector<std::string> lines = editor.SummaryLines();
    EXPECT_EQ(lines[lines.size() - 4], "<li>dry coil surface...</li>");
    // Without liquid flow there is no duty to divide by.
    coil().LiquidState->SetMassFlow(0);
    EXPECT_EQ(editor.SummaryLines(), std::vector<std::string>{"coil not solved..."});
}

}  // namespace
}  // namespace qdx::test

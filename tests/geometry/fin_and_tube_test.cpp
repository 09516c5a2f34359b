#include <gtest/gtest.h>

#include "catalog_fixture.hpp"
#include "geometry/designation.hpp"
#include "geometry/fin_and_tube.hpp"
#include "geometry/materials.hpp"

namespace qdx {
namespace {

using FinAndTube = testing::CatalogTest;

// Hand-worked values of the default record (533.4 x 740, 4 rows, 10 fpi, 7 circuits, 1/2-inch
// copper tube, aluminium fins 0.1524 mm on 38.1 x 33 mm).
TEST_F(FinAndTube, DefaultRecordDerivedFields) {
    InstallShippedCatalog();
    TFinAndTube g("Typical", "533.4 x 740  4r  10f  7c", 0, 4);
    g.SetRecord(TModelRec{});
    EXPECT_EQ(g.TubesHigh(), 14);
    EXPECT_EQ(g.TubeCount(), 56);
    EXPECT_EQ(g.Circuits(), 7);
    EXPECT_EQ(g.TubeCount() / g.Circuits(), 8);
    EXPECT_FALSE(g.OppositeEnds());
    EXPECT_EQ(g.ConnectionText(), "Same");
    EXPECT_EQ(g.Serp(), 103);
    EXPECT_EQ(g.SerpentineText(), "1/2");
    EXPECT_DOUBLE_EQ(g.Depth(), 0.132);
    EXPECT_EQ(g.Designation(), "533.4 x 740  4r  10f  7c");

    EXPECT_NEAR(g.FaceArea(), 0.394716, 1e-15);
    EXPECT_NEAR(g.FinPitch(), 0.00254, 1e-15);
    EXPECT_NEAR(g.FinCount(), 291.3385826771654, 1e-10);
    EXPECT_NEAR(g.CollarDiameter(), 0.0136398, 1e-15);
    EXPECT_NEAR(g.EquivalentFinHeight(), 0.013185374801883629, 1e-14);
    EXPECT_NEAR(g.FinArea(), 36.316844896840905, 1e-10);
    EXPECT_NEAR(g.Ao(), 37.986033748151726, 1e-10);
    EXPECT_NEAR(g.SpecificArea(), 24.05909169387086, 1e-10);
    EXPECT_NEAR(g.Sigma(), 0.60348, 1e-12);
    EXPECT_NEAR(g.MinFlowArea(), 0.394716 * 0.60348, 1e-12);
    EXPECT_NEAR(g.HydraulicDiameter(), 0.003310987838343603, 1e-14);
    EXPECT_NEAR(g.TubeFlowArea(), 0.00012315474608716773, 1e-17);
    EXPECT_NEAR(g.Ai(), 1.8046596301491824, 1e-12);
    EXPECT_NEAR(g.AoAiRatio(), 21.04886323910931, 1e-10);
    EXPECT_NEAR(g.Vi(), 0.005516279780057946, 1e-15);
    EXPECT_NEAR(g.FinParameter(), 0.6608027570547603, 1e-12);
    EXPECT_NEAR(g.FinEfficiency(), 0.8760517268535101, 1e-12);
    EXPECT_NEAR(g.SurfaceEfficiency(), 0.881498283265455, 1e-12);
}

TEST_F(FinAndTube, DryWeightAndItsParts) {
    InstallShippedCatalog();
    TFinAndTube g("Typical", "533.4 x 740  4r  10f  7c", 0, 4);
    g.SetRecord(TModelRec{});
    EXPECT_NEAR(g.DryWeight(), 24.216777727889845, 1e-9);
    EXPECT_NEAR(g.TubeWeight(), 6.0878623510981535, 1e-10);
    EXPECT_NEAR(g.FinWeight(), 8.440606944, 1e-10);
    EXPECT_NEAR(g.CasingWeight(), 5.784699648, 1e-10);
    EXPECT_NEAR(g.BendWeight(), 0.4264488243669615, 1e-12);
    EXPECT_NEAR(g.HeaderWeight(), 2.3239800686204517, 1e-10);

    // Tube material changes reach the weight without a recalculation.
    g.SetTubeMaterial(7);
    EXPECT_NEAR(g.TubeWeight(), 6.0878623510981535, 1e-10);  // until asked again
    g.DryWeight();
    EXPECT_NEAR(g.TubeWeight(), 6.0878623510981535 * 8522 / 8900, 1e-10);
}

TEST_F(FinAndTube, TubeSideAndAirSideRecords) {
    InstallShippedCatalog();
    TFinAndTube g("Typical", "533.4 x 740  4r  10f  7c", 0, 4);
    g.SetRecord(TModelRec{});
    const TTubeSideGeometry t = g.TubeSide();
    EXPECT_DOUBLE_EQ(t.ID, 0.0125222);
    EXPECT_NEAR(t.WallThickness, 0.0004064, 1e-15);
    EXPECT_DOUBLE_EQ(t.WallConductivity, 0.384);
    EXPECT_NEAR(t.AiPerCircuit, 0.25780851859274034, 1e-12);
    EXPECT_NEAR(t.TubeFlowArea, 0.00012315474608716773, 1e-17);
    EXPECT_NEAR(t.FlowArea, 0.0008620832226101741, 1e-16);
    EXPECT_NEAR(t.Perimeter, 0.03933965152678211, 1e-15);
    EXPECT_NEAR(t.EquivalentLength, 9.85554857142857, 1e-11);
    EXPECT_NEAR(t.CircuitLength, 6.553401176348155, 1e-11);

    const TAirSideGeometry a = g.AirSide();
    EXPECT_EQ(a.Rows, 4);
    EXPECT_EQ(a.Tube, 4);
    EXPECT_EQ(a.tp, 0);
    EXPECT_DOUBLE_EQ(a.FinGap, 0.00254 - 0.0001524);
    EXPECT_DOUBLE_EQ(a.FinConductivity, 0.209);
    EXPECT_DOUBLE_EQ(a.TubeConductivity, 0.384);
    EXPECT_DOUBLE_EQ(a.Sigma, g.Sigma());
    EXPECT_DOUBLE_EQ(a.SurfaceEfficiency, g.SurfaceEfficiency());

    // The tube material is read when the records are asked for.
    g.SetTubeMaterial(7);
    EXPECT_DOUBLE_EQ(g.TubeSide().WallConductivity, 0.111);
    EXPECT_DOUBLE_EQ(g.AirSide().TubeConductivity, 0.111);
}

TEST_F(FinAndTube, FractionalRowsRoundDepthUpButNotTubeCount) {
    InstallShippedCatalog();
    TFinAndTube g("Typical", "533.4 x 740  4r  10f  7c", 0, 4);
    g.SetRecord(TModelRec{});
    g.SetRows(3.5);
    EXPECT_DOUBLE_EQ(g.Depth(), 4 * 0.033);
    EXPECT_DOUBLE_EQ(g.TubeCount(), 49);
    EXPECT_EQ(g.Designation(), "533.4 x 740  3.5r  10f  7c");
}

TEST_F(FinAndTube, SerpentineAndConnections) {
    InstallShippedCatalog();
    TFinAndTube g("Typical", "533.4 x 740  4r  10f  7c", 0, 4);
    g.SetRecord(TModelRec{});  // 14 tubes high, 4 rows
    struct Case {
        double circuits;
        int32_t serp;
        const char* text;
        bool opposite;
    };
    const Case cases[] = {
        {14, 119, "1", false},     // 56 / 14 = 4 tubes per circuit
        {7, 103, "1/2", false},    // 8 tubes per circuit
        {5, 90, "5/14", true},     // exactly a table value; 11.2 tubes per circuit
        {9, 110, "5/8", false},    // 9/14 lies between 5/8 and 2/3: the lower one
        {8, 107, "4/7", true},     // 7 tubes per circuit, odd
        {11, 114, "3/4", true},
        {1, 0, "3/40", false},     // 1/14 is below the first entry
        {300, 140, "20", false},
        {560, 141, "40", false},   // exactly the last entry
        {1600, 141, "40", false},  // above it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.circuits);
        g.SetCircuits(c.circuits);
        EXPECT_EQ(g.Serp(), c.serp);
        EXPECT_EQ(g.SerpentineText(), c.text);
        EXPECT_EQ(g.OppositeEnds(), c.opposite);
    }
    // Counting by rows deep: 2 circuits over 4 rows.
    TModelRec rec;
    rec.cb = 1;
    rec.Circ = 2;
    g.SetRecord(rec);
    EXPECT_EQ(g.SerpentineText(), "1/2");
}

TEST(SerpentineTable, LimitsAndOrder) {
    EXPECT_EQ(SerpentineText(0), "3/40");
    EXPECT_EQ(SerpentineText(103), "1/2");
    EXPECT_EQ(SerpentineText(119), "1");
    EXPECT_EQ(SerpentineText(141), "40");
    EXPECT_DOUBLE_EQ(SerpentineValue(120), 1 + 1.0 / 7);
    EXPECT_DOUBLE_EQ(SerpentineValue(128), 2.5);
    for (int i = 1; i < kSerpentineCount; ++i) EXPECT_LT(SerpentineValue(i - 1), SerpentineValue(i));
    EXPECT_EQ(SerpentineIndex(0.01), 0);
    EXPECT_EQ(SerpentineIndex(0.075), 0);
    EXPECT_EQ(SerpentineIndex(1.0 / 13), 1);
    EXPECT_EQ(SerpentineIndex(39.9), 140);
    EXPECT_EQ(SerpentineIndex(1e6), 141);
}

TEST_F(FinAndTube, SettersClampAndCorrect) {
    InstallShippedCatalog();
    TFinAndTube g("Typical", "533.4 x 740  4r  10f  7c", 0, 4);
    g.SetCircuits(0);
    EXPECT_EQ(g.Circuits(), 1);
    g.SetCircuits(5000);
    EXPECT_EQ(g.Circuits(), 1600);
    // A whole record with no circuits and no fins: the recalculation raises circuits to 1
    // (after taking the serpentine of the ratio 0) and fins to 2 per inch.
    TModelRec rec;
    rec.Circ = 0;
    rec.fpi = -3;
    g.SetRecord(rec);
    EXPECT_EQ(g.Circuits(), 1);
    EXPECT_EQ(g.Serp(), 0);
    EXPECT_EQ(g.FinsPerInch(), 2);
    EXPECT_DOUBLE_EQ(g.FinPitch(), 0.0127);
    EXPECT_EQ(g.GetErrorCode(), 0);
}

TEST_F(FinAndTube, FailedRecalculationSetsErrorOneAndKeepsLaterFields) {
    InstallShippedCatalog();
    TFinAndTube g("Typical", "533.4 x 740  4r  10f  7c", 0, 4);
    g.SetRecord(TModelRec{});
    const double ao = g.Ao();
    const std::string designation = g.Designation();
    g.SetFinHeight(0.01);  // no whole tube high: the circuit ratio divides by zero
    EXPECT_EQ(g.PeekErrorCode(), 1);
    EXPECT_DOUBLE_EQ(g.FaceArea(), 0.01 * 0.74);  // reached before the fault
    EXPECT_EQ(g.TubesHigh(), 0);
    EXPECT_EQ(g.Ao(), ao);  // not reached
    EXPECT_EQ(g.Designation(), designation);
    EXPECT_EQ(g.GetErrorCode(), 1);
    EXPECT_EQ(g.GetErrorCode(), 0);  // reading clears it
}

TEST_F(FinAndTube, SetDesignationAppliesOnlyWhatParses) {
    InstallShippedCatalog();
    TFinAndTube g("Typical", "635 720 4r 12f 7c", 0, 4);
    EXPECT_EQ(g.GetErrorCode(), 0);
    EXPECT_EQ(g.Designation(), "635 x 720  4r  12f  7c");

    g.SetDesignation("544 x 720 4r 12f  (14c)");
    EXPECT_EQ(g.GetErrorCode(), 0);
    EXPECT_DOUBLE_EQ(g.FinHeight(), 0.544);
    EXPECT_EQ(g.Circuits(), 14);
    EXPECT_EQ(g.Designation(), "544 x 720  4r  12f  14c");

    g.SetDesignation("544 x 720");
    EXPECT_EQ(g.Designation(), "544 x 720");  // the rejected text stays until a recalculation
    EXPECT_EQ(g.GetErrorCode(), dpSyntax);
    EXPECT_DOUBLE_EQ(g.FinHeight(), 0.544);
    g.SetDesignation("544 x 720 4r 12f 0c");
    EXPECT_EQ(g.GetErrorCode(), dpCircuits);
    EXPECT_EQ(g.Circuits(), 14);
    g.SetRows(6);
    EXPECT_EQ(g.Designation(), "544 x 720  6r  12f  14c");
}

TEST_F(FinAndTube, CreationTakesTheCatalogueEntryOfTheTube) {
    InstallShippedCatalog();
    TFinAndTube g("Typical", "635 720 4r 12f 7c", 1, 107);
    const TModelRec& r = g.Record();
    EXPECT_EQ(r.Mnf, "Typical");
    EXPECT_EQ(r.Model, "7 mm");
    EXPECT_EQ(r.Tube, 107);
    EXPECT_EQ(r.Code, 1);
    EXPECT_DOUBLE_EQ(r.ID, 0.00675);
    EXPECT_DOUBLE_EQ(r.Sy, 0.021);
    EXPECT_DOUBLE_EQ(r.tf, 0.0001);
    EXPECT_EQ(g.TubesHigh(), 30);  // 635 / 21

    // An unparsable designation keeps the default numbers and reports its code.
    TFinAndTube bad("Typical", "oops", 0, 4);
    EXPECT_EQ(bad.GetErrorCode(), dpSyntax);
    EXPECT_EQ(bad.Designation(), "533.4 x 740  4r  10f  7c");
}

TEST_F(FinAndTube, MakerModelTakesTheBestCatalogueMatch) {
    InstallShippedCatalog();
    TFinAndTube g("Typical", "635 720 4r 12f 7c", 0, 4);
    g.SetMakerModel("Typical", "5/8 inch, 15.5000, 16.3000, 38.1000, 44.4500, 0.1524, "
                               "Staggered, Br, Cu, 1.0000, 1.0000, 0");
    const TModelRec& r = g.Record();
    EXPECT_EQ(r.Model, "5/8 inch");
    EXPECT_EQ(r.Tube, 5);
    EXPECT_DOUBLE_EQ(r.Sy, 0.04445);
    EXPECT_EQ(r.Mt, 7);  // the text's materials stay
    EXPECT_EQ(r.Mf, 0);
    EXPECT_EQ(g.TubesHigh(), 14);  // 635 / 44.45

    // An empty specification resolves to the maker's first entry.
    g.SetMakerModel("Typical", "");
    EXPECT_EQ(g.Record().Model, "1/2 inch");
    EXPECT_EQ(g.Record().Tube, 4);
}

}  // namespace
}  // namespace qdx

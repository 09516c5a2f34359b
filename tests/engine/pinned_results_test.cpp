// Results of everyday coils, pinned to the last digit as the engine has always given them: the
// mends of the engine's faulty corners and its speed-ups must leave them exactly as they are.
// Each case is a new run of the program: a new coil, the apparatus dew point starting at 10 °C.

#include <cmath>

#include "engine_fixture.hpp"

namespace qdx::test {
namespace {

class PinnedResults : public CoilProjectTest {
protected:
    void Fresh() {
        LastADP() = 10.0;
        project.CreateCoil(settings);
    }
};

TEST_F(PinnedResults, Ratings) {
    struct Case {
        const char* air;
        double inlet;  // °C, 0 for the first-run 6 °C
        double qt, tfo, bypass;
    };
    const Case cases[] = {
        {"25/17", 0, 21.72372233355312, 12.010028411035135, 0.09726854920610746},
        {"25/17", 24.95, 0.05309247217339524, 24.964737917655455, 0.9970032252318896},
        {"27/22", 0, 34.18206877293695, 15.462057252174809, 0.09762796465778095},
        {"30/12", 0, 24.697582758110023, 12.833723781645128, 0.5570695602045724},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::string(k.air) + " " + std::to_string(k.inlet));
        Fresh();
        project.SetOnCoil(k.air);
        if (k.inlet) project.SetFluidInlet(k.inlet);
        ASSERT_TRUE(project.SolveCoil());
        EXPECT_EQ(coil().Qt, k.qt);
        EXPECT_EQ(coil().Liquid->tfo, k.tfo);
        EXPECT_EQ(coil().BypassFactor, k.bypass);
    }
    // The whole leaving state of the first-run coil.
    Fresh();
    ASSERT_TRUE(project.SolveCoil());
    EXPECT_EQ(coil().Qs, 18.40946354529312);
    EXPECT_EQ(coil().AirOut->db, 11.623401903954578);
    EXPECT_EQ(coil().AirOut->wb, 10.918759943526235);
    EXPECT_EQ(coil().ADP, 10.179244201445513);
}

TEST_F(PinnedResults, StepSimulations) {
    struct Case {
        const char* air;
        double flow;  // kg/s, 0 for the first-run flow
        double duty;
    };
    const Case cases[] = {
        {"25/17", 0, 22.365969365146356},
        {"25/17", 0.07, 5.230406790109907},
        {"27/22", 0, 34.29738626489605},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::string(k.air) + " " + std::to_string(k.flow));
        Fresh();
        project.SetOnCoil(k.air);
        if (k.flow) project.SetFluidFlow(k.flow);
        ASSERT_TRUE(project.SolveCoil());
        EXPECT_EQ(coil().StepSimulation(), k.duty);
        EXPECT_TRUE(coil().StepSettled);
    }
    // Rows of the march at its air inlet, inside and at its air outlet: liquid, dry bulb,
    // surface and dew point.
    struct Row {
        int j;
        double liquid, db, surface, td;
    };
    const struct {
        const char* air;
        Row rows[3];
    } marches[] = {
        {"25/17",
         {{0, 12.102466262250257, 24.776138899275146, 15.393380137632004, 12.126892671806726},
          {37, 9.5140668947017559, 17.998813198668433, 11.807424155029738, 12.112575721038457},
          {99, 5.9999901470529204, 11.421947302975173, 8.0557118996648622, 10.174495597413779}}},
        {"27/22",
         {{0, 15.40304043780958, 26.810156546868235, 18.837434217957604, 19.833527419334189},
          {37, 11.922323502528593, 21.077388817403786, 15.5557522680219, 18.266564378573079},
          {99, 5.9999917498664974, 13.928664107143112, 9.4825726765539216, 13.614195041419038}}},
    };
    for (const auto& m : marches) {
        SCOPED_TRACE(m.air);
        Fresh();
        project.SetOnCoil(m.air);
        ASSERT_TRUE(project.SolveCoil());
        coil().StepSimulation();
        for (const Row& r : m.rows) {
            SCOPED_TRACE(r.j);
            EXPECT_EQ(coil().StepResults.At(0, r.j), r.liquid);
            EXPECT_EQ(coil().StepResults.At(1, r.j), r.db);
            EXPECT_EQ(coil().StepResults.At(2, r.j), r.surface);
            EXPECT_EQ(coil().StepResults.At(3, r.j), r.td);
        }
    }
}

TEST_F(PinnedResults, Sizings) {
    struct Case {
        TSizingKind kind;
        double duty;
        double qt, height, length;
    };
    const Case cases[] = {
        {skFaceArea, 20, 19.99995643791178, 0.6096, 0.7194931359748857},
        {skFinnedLength, 20, 19.999962494926507, 0.635, 0.6804957210856468},
        {skFinHeight, 20, 20.00958252185986, 0.6096, 0.72},
        {skRowsAndFins, 30, 28.70116464387981, 0.635, 0.72},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.kind);
        Fresh();
        project.SetDesignDuty(k.duty);
        project.SizeAndSolve(k.kind, 0);
        EXPECT_EQ(project.SizingStatus, ssSolved);
        EXPECT_EQ(coil().Qt, k.qt);
        EXPECT_EQ(coil().FinHeight(), k.height);
        EXPECT_EQ(coil().FinnedLength(), k.length);
    }
}

}  // namespace
}  // namespace qdx::test

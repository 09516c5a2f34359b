#include <gtest/gtest.h>

#include <limits>

#include "geometry/circuiting.hpp"
#include "geometry/designation.hpp"

namespace qdx {
namespace {

TEST(CircuitLayout, CircuitsAcrossTheHeightRunThroughEveryRow) {
    // 4 rows, 14 tubes high, 7 circuits: 8 tubes each, two passes, in and out on one side.
    const TCircuitLayout l = CircuitLayout(4, 14, 7, 0);
    EXPECT_EQ(l.TubesPerCircuit, 8);
    ASSERT_EQ(l.Circuits.size(), 7u);
    EXPECT_TRUE(l.Unlinked.empty());
    const std::vector<TTubePlace> first = {{3, 0}, {2, 0}, {1, 0}, {0, 0},
                                           {0, 1}, {1, 1}, {2, 1}, {3, 1}};
    EXPECT_EQ(l.Circuits[0], first);
    EXPECT_EQ(l.Circuits[6].back(), (TTubePlace{3, 13}));
}

TEST(CircuitLayout, LeftoverTubesAreUnlinked) {
    // The first-run coil: 4 rows, 17 high, 7 circuits of 9 tubes leave 5 tubes.
    const TCircuitLayout l = CircuitLayout(4, 17, 7, 0);
    EXPECT_EQ(l.TubesPerCircuit, 9);
    EXPECT_EQ(l.Circuits.size(), 7u);
    EXPECT_EQ(l.Unlinked.size(), 5u);
    // A fractional count is cut to whole circuits.
    const TCircuitLayout f = CircuitLayout(4, 18, 6.923, 0);
    EXPECT_EQ(f.TubesPerCircuit, 10);
    EXPECT_EQ(f.Circuits.size(), 6u);
    EXPECT_EQ(f.Unlinked.size(), 12u);
}

TEST(CircuitLayout, CircuitsAcrossTheRowsRunDownAndUpTheRows) {
    const TCircuitLayout l = CircuitLayout(2, 3, 1, 1);
    ASSERT_EQ(l.Circuits.size(), 1u);
    const std::vector<TTubePlace> path = {{1, 0}, {1, 1}, {1, 2}, {0, 2}, {0, 1}, {0, 0}};
    EXPECT_EQ(l.Circuits[0], path);
    // A part row: 3.5 rows of 4 tubes are 14 tubes, drawn in 4 rows.
    const TCircuitLayout p = CircuitLayout(3.5, 4, 2, 1);
    EXPECT_EQ(p.Rows, 4);
    EXPECT_EQ(p.TubesPerCircuit, 7);
    EXPECT_EQ(p.Circuits.size(), 2u);
    EXPECT_TRUE(p.Unlinked.empty());
}

TEST(CircuitLayout, GeometriesNoCoilHasAreNotLaidOut) {
    // Counts a damaged file may hold: no tube places, and no conversion beyond an int.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double rows;
        int tubesHigh;
        double circuits;
    };
    for (const Case& c : {Case{1e12, 17, 7}, Case{-1e300, 17, 7}, Case{nan, 17, 7},
                          Case{4, 2000000000, 7}, Case{4, 17, nan}, Case{101, 17, 7}}) {
        for (int basis : {0, 1}) {
            const TCircuitLayout l = CircuitLayout(c.rows, c.tubesHigh, c.circuits, basis);
            EXPECT_EQ(l.Rows, 0) << c.rows << " rows, " << c.tubesHigh << " high";
            EXPECT_EQ(l.TubesPerCircuit, 0);
            EXPECT_TRUE(l.Circuits.empty());
            EXPECT_TRUE(l.Unlinked.empty());
        }
    }
    // Circuits beyond any count: none whole, every tube unlinked.
    const TCircuitLayout many = CircuitLayout(4, 17, 1e300, 0);
    EXPECT_TRUE(many.Circuits.empty());
    EXPECT_EQ(many.Unlinked.size(), 68u);
    // The largest laid out still is.
    EXPECT_EQ(CircuitLayout(kMostLaidOutRows, kMostLaidOutTubesHigh, 100, 0).Circuits.size(),
              100u);
}

TEST(TubeSize, EighthsOfAnInchAndMillimetres) {
    EXPECT_EQ(TubeSizeText(4), "1/2\"");
    EXPECT_EQ(TubeSizeText(3), "3/8\"");
    EXPECT_EQ(TubeSizeText(6), "3/4\"");
    EXPECT_EQ(TubeSizeText(8), "1\"");
    EXPECT_EQ(TubeSizeText(10), "1-1/4\"");
    EXPECT_EQ(TubeSizeText(107), "7 mm");
}

}  // namespace
}  // namespace qdx

#pragma once
// The circuiting of a coil as a picture needs it: which tube positions each circuit runs
// through, in the order the liquid passes them, and the tubes left over. Rows are counted from
// the air-entering face (0) and places from the top (0). The liquid enters each circuit at the
// air-leaving face, against the air.
//
// With the circuits counted across the tubes high, a circuit runs along a tube height through
// every row and comes back along the next (so tubes per circuit / rows passes, and odd passes
// end at the opposite side); counted across the rows deep, it runs down one row and back up the
// next.

#include <vector>

namespace qdx {

class TFinAndTube;

struct TTubePlace {
    int Row = 0;
    int Place = 0;
    bool operator==(const TTubePlace&) const = default;
};

struct TCircuitLayout {
    int Rows = 0;       // whole rows drawn (a part row counts as one)
    int TubesHigh = 0;
    int TubesPerCircuit = 0;
    std::vector<std::vector<TTubePlace>> Circuits;
    std::vector<TTubePlace> Unlinked;
};

// The largest coil laid out: far beyond any coil built, small enough to draw. A geometry
// beyond it (or with counts that are no numbers), as a damaged file may hold, has an empty
// layout: nothing drawn, no tubes per circuit.
constexpr int kMostLaidOutRows = 100;
constexpr int kMostLaidOutTubesHigh = 1000;

// rows may be fractional: the tubes of the part row are the last of the liquid's path.
// circuits below 1 count as 1; a fractional count is cut to whole circuits.
TCircuitLayout CircuitLayout(double rows, int tubesHigh, double circuits, int basis);
TCircuitLayout CircuitLayout(const TFinAndTube& geometry);

}  // namespace qdx

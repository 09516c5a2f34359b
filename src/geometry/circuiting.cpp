#include "geometry/circuiting.hpp"

#include <algorithm>
#include <cmath>

#include "geometry/fin_and_tube.hpp"

namespace qdx {

TCircuitLayout CircuitLayout(double rows, int tubesHigh, double circuits, int basis) {
    TCircuitLayout l;
    if (!(rows >= 0 && rows <= kMostLaidOutRows) || tubesHigh > kMostLaidOutTubesHigh ||
        std::isnan(circuits))
        return l;
    l.Rows = std::max(1, static_cast<int>(std::ceil(rows - 1e-9)));
    l.TubesHigh = std::max(0, tubesHigh);
    const int tubes = static_cast<int>(std::floor(rows * l.TubesHigh + 1e-9));
    const double c = std::max(1.0, circuits);
    l.TubesPerCircuit = static_cast<int>(std::trunc(tubes / c));

    // Every tube position in the liquid's path, from the air-leaving face.
    std::vector<TTubePlace> path;
    path.reserve(static_cast<size_t>(l.Rows) * l.TubesHigh);
    if (basis == 1) {
        for (int k = 0; k < l.Rows; ++k) {
            const int row = l.Rows - 1 - k;
            for (int j = 0; j < l.TubesHigh; ++j)
                path.push_back({row, k % 2 == 0 ? j : l.TubesHigh - 1 - j});
        }
    } else {
        for (int place = 0; place < l.TubesHigh; ++place)
            for (int k = 0; k < l.Rows; ++k)
                path.push_back({place % 2 == 0 ? l.Rows - 1 - k : k, place});
    }
    path.resize(std::min(path.size(), static_cast<size_t>(tubes)));

    size_t next = 0;
    if (l.TubesPerCircuit > 0) {
        const double whole = std::floor(c + 1e-9);
        for (int k = 0; k < whole && next + l.TubesPerCircuit <= path.size(); ++k) {
            l.Circuits.emplace_back(path.begin() + next, path.begin() + next + l.TubesPerCircuit);
            next += l.TubesPerCircuit;
        }
    }
    l.Unlinked.assign(path.begin() + next, path.end());
    return l;
}

TCircuitLayout CircuitLayout(const TFinAndTube& g) {
    return CircuitLayout(g.Rows(), g.TubesHigh(), g.Circuits(), g.cb());
}

}  // namespace qdx

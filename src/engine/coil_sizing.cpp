// Sizing searches of the chilled water coil: face area, fin height, finned length, rows and fins
// for a design duty.

#include <algorithm>
#include <cmath>
#include <exception>

#include "engine/cold_water_coil.hpp"
#include "fluids/liquid.hpp"
#include "units/errors.hpp"

namespace qdx {

namespace {

// Round half to even, as the circuit count is rounded.
double RoundHalfEven(double x) { return std::nearbyint(x); }

}  // namespace

void TColdWaterCoil::PrepareLiquidForDuty(double duty) {
    TLiquidState& ls = *LiquidState;
    ls.ctrl = wcFlow;
    ls.designdt = 6.0;
    ls.SetLeavingTemp(Liquid->tfi + 6.0);
    ls.SetMassFlow(duty / (Liquid->Cp * 6.0));
    const double tubeArea = FinAndTube->TubeFlowArea();
    SetCircuits(RoundHalfEven(Liquid->m / Liquid->ro / ls.vwideal / tubeArea));
    ls.SetMassFlow(Circuits() * Liquid->ro * ls.vwideal * tubeArea);
}

void TColdWaterCoil::ApplyAirFlow(double v) {
    if (v > 0)
        SetVolumeFlow(v);
    else
        SetFaceVelocity(DesignFaceVelocity);
}

bool TColdWaterCoil::RefuseDuty(double duty) {
    if (duty >= 0.01) return false;
    SolveStatus = ssFailed;
    return true;
}

bool TColdWaterCoil::CutCircuitsToTubes() {
    const double tubes = std::floor(FinAndTube->TubeCount());  // a part row has whole tubes
    if (!(Circuits() > tubes)) return false;
    SetCircuits(tubes);
    return true;
}

void TColdWaterCoil::UpdateDutyPerAirflow() {
    DutyPerAirflow = std::clamp(Qt / VolumeFlow, 10.0, 40.0);
}

template <typename Trial>
std::uint8_t TColdWaterCoil::SecantOverArea(double a, Trial&& trial) {
    // Whether the last trial met a length or height bound: two such trials can give the same
    // area, which is no convergence unless the duty is met there.
    bool clamped = false;
    auto settled = [&](double f1) {
        return (clamped && std::fabs(f1) > 1) ? ssFailed : ssSolved;
    };
    double x0 = a;
    double f0 = trial(x0, clamped);
    double x1 = 0.98 * x0;
    double f1 = trial(x1, clamped);
    double dx = x0 - x1;
    double df = f0 - f1;
    std::uint8_t status;
    if (std::fabs(dx) < 1e-6)
        status = settled(f1);
    else if (std::fabs(df) < 1e-9)
        status = ssFailed;
    else
        status = ssIterating;
    int count = 0;
    while (status == ssIterating) {
        // Two trials with the same duty (dF = 0) make the step a division by zero: a fault.
        double x = CheckFinite(x1 - 0.9 * f1 * dx / df, "Sizing step without progress");
        if (x < 0.00254) x = 0.00254;
        x0 = x1;
        f0 = f1;
        f1 = trial(x, clamped);
        x1 = x;
        dx = x0 - x1;
        df = f0 - f1;
        ++count;
        if (SolveStatus != ssSolved)
            status = ssFailed;
        else if (std::fabs(f1) < 1e-4)
            status = ssSolved;
        else if (std::fabs(dx) < 1e-6)
            status = settled(f1);
        else if (std::fabs(df) < 1e-9 && std::fabs(f1) > 1)
            status = ssFailed;
        else if (count > 50)
            status = ssNotConverged;
    }
    return status;
}

template <typename Search>
std::uint8_t TColdWaterCoil::GuardedSearch(double v, double duty, Search&& search) {
    if (RefuseDuty(duty)) return SolveStatus;
    try {
        if (v > 0)
            SetVolumeFlow(v);
        else
            VolumeFlow = duty / DutyPerAirflow;
        search(VolumeFlow / DesignFaceVelocity);
        // The circuits chosen for the duty may outnumber the tubes of the coil where the search
        // stopped: that coil cannot be built, whatever duty it rated.
        if (CutCircuitsToTubes()) SolveStatus = ssFailed;
    } catch (const std::exception&) {
        SolveStatus = ssFailed;
    }
    if (SolveStatus == ssSolved) UpdateDutyPerAirflow();
    return SolveStatus;
}

void TColdWaterCoil::RateTrial(double v) {
    SyncGeometry();
    ApplyAirFlow(v);
    Solve();
}

std::uint8_t TColdWaterCoil::SizeFaceArea(double v, double duty) {
    return GuardedSearch(v, duty, [&](double a) {
        const double s = 2 * FinAndTube->Sy();
        auto heightFor = [&](double x) {
            return (std::floor(std::sqrt(x / AspectRatio) / s) + 1) * s;
        };
        SetFinHeight(heightFor(a));
        PrepareLiquidForDuty(duty);
        SolveStatus = SecantOverArea(a, [&](double& x, bool& clamped) {
            const double rawHeight = heightFor(x);
            const double h = std::clamp(rawHeight, MinFinHeight, MaxFinHeight);
            const double l = std::clamp(x / h, MinFinnedLength, MaxFinnedLength);
            clamped = h != rawHeight || l != x / h;
            SetFinnedLength(l);
            SetFinHeight(h);
            RateTrial(v);
            return duty - Qt;
        });
    });
}

std::uint8_t TColdWaterCoil::SizeFinnedLength(double v, double duty) {
    return GuardedSearch(v, duty, [&](double a) {
        PrepareLiquidForDuty(duty);
        SolveStatus = SecantOverArea(a, [&](double& x, bool& clamped) {
            const double l = std::clamp(x / FinHeight(), MinFinnedLength, MaxFinnedLength);
            clamped = l != x / FinHeight();
            SetFinnedLength(l);
            x = l * FinHeight();  // the area actually tried
            RateTrial(v);
            return duty - Qt;
        });
    });
}

std::uint8_t TColdWaterCoil::SizeFinHeight(double v, double duty) {
    return GuardedSearch(v, duty, [&](double a) {
        const double s = 2 * FinAndTube->Sy();
        // The search starts inside the height bounds: a taller coil cannot be built.
        auto bounded = [&](double x) { return std::clamp(x, MinFinHeight, MaxFinHeight); };
        SetFinHeight(bounded(a / FinnedLength()));
        PrepareLiquidForDuty(duty);
        double h = bounded((std::floor(a / FinnedLength() / s) + 1) * s);
        auto trial = [&] {
            SetFinHeight(h);
            RateTrial(v);
        };
        trial();
        if (Qt < duty) {
            // The bound is tested before a step is added, so the height may end above it.
            while (Qt < duty && h < MaxFinHeight) {
                h += s;
                trial();
            }
        } else {
            while (Qt > 1.01 * duty && h > MinFinHeight + s) {
                h -= s;
                trial();
            }
            if (Qt < 0.98 * duty) {
                h += s;
                trial();
            }
        }
        // Even the largest coil is too small, or the smallest too large.
        const bool smallest = !(h > MinFinHeight + s);
        if (SolveStatus == ssSolved && (Qt < 0.98 * duty || (Qt > 1.01 * duty && smallest)))
            SolveStatus = ssFailed;
    });
}

std::uint8_t TColdWaterCoil::SizeByCandidates(double v, double duty, const double* rows,
                                              int rowCount, const double* fins, int finCount,
                                              double firstRows, double firstFins) {
    if (RefuseDuty(duty)) return SolveStatus;
    ApplyAirFlow(v);
    PrepareLiquidForDuty(duty);
    // The air flow was applied once; a trial changes only rows or fins, not the face.
    auto score = [&](double r, double f) {
        if (r > 0) SetRows(r);
        if (f > 0) SetFinsPerInch(f);
        SyncGeometry();
        Solve();
        return std::fabs(Qt - duty);
    };
    double bestRows = firstRows;
    double bestFins = firstFins;
    double best = score(bestRows, bestFins);
    const int outer = rowCount > 0 ? rowCount : 1;
    const int inner = finCount > 0 ? finCount : 1;
    for (int i = 0; i < outer; ++i) {
        for (int j = 0; j < inner; ++j) {
            const double r = rowCount > 0 ? rows[i] : 0;
            const double f = finCount > 0 ? fins[j] : 0;
            const double sc = score(r, f);
            if (sc < best) {
                best = sc;
                bestRows = r;
                bestFins = f;
            }
        }
    }
    // The chosen candidate, with no more circuits than it has tubes, rated once more.
    if (bestRows > 0) SetRows(bestRows);
    CutCircuitsToTubes();
    score(bestRows, bestFins);
    return SolveStatus;
}

std::uint8_t TColdWaterCoil::SizeRowsAndFins(double v, double duty) {
    static constexpr double rows[] = {3, 4, 5, 6};
    static constexpr double fins[] = {8, 10, 12, 14};
    return SizeByCandidates(v, duty, rows, 4, fins, 4, 4, 10);
}

std::uint8_t TColdWaterCoil::SizeRows(double v, double duty) {
    static constexpr double rows[] = {3, 4, 5, 6};
    return SizeByCandidates(v, duty, rows, 4, nullptr, 0, 4, 0);
}

std::uint8_t TColdWaterCoil::SizeFins(double v, double duty) {
    static constexpr double fins[] = {8, 10, 12};
    return SizeByCandidates(v, duty, nullptr, 0, fins, 3, 0, 10);
}

}  // namespace qdx

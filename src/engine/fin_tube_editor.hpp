#pragma once
// What the fin and tube editor does to its coil: the spin rules and edits of fin height, finned
// length, rows, fin density and pitch and circuits, the materials, the catalogue choice, the
// automatic sizing against a target duty, Cancel back to the state at opening, the caption and
// the coloured summary page of the recalculated coil.
//
// The editor works on a coil owned elsewhere. Values are SI except fins per inch and the fin
// pitch, which is in mm (25.4 / fins per inch).

#include <cstdint>
#include <string>
#include <vector>

#include "engine/coil_project.hpp"
#include "geometry/model_rec.hpp"

namespace qdx {

class TColdWaterCoil;

// The range of one of the editor's fields.
struct TFieldRange {
    double Min;
    double Max;
    bool Contains(double v) const { return v >= Min && v <= Max; }
};

class TFinTubeEditor {
public:
    // The fields' ranges. Fin height and finned length take the coil's sizing bounds.
    static constexpr TFieldRange kRows{1, 20};
    static constexpr TFieldRange kFinDensity{2, 30};        // fins per inch
    static constexpr TFieldRange kFinPitch{25.4 / 30, 12.7};  // mm
    static constexpr TFieldRange kCircuits{1, 1600};
    static constexpr TFieldRange kDesignDuty{0.1, 500};     // kW

    TColdWaterCoil* Coil = nullptr;  // not owned
    // On: sizing and geometry changes keep the air volume; off: they keep the face velocity.
    bool KeepAirFlow = false;

    TFieldRange FinHeightRange() const;
    TFieldRange FinnedLengthRange() const;

    // Keeps the geometry record, the air volume and the tube velocity for Cancel.
    void SaveState();
    // Cancel: the kept record as a whole, then the kept air volume and tube velocity.
    void RestoreState();
    const TModelRec& SavedRecord() const { return savedRecord_; }

    // Twice the vertical tube pitch: fin heights go in whole pairs of tube rows.
    double FinHeightStep() const;
    // A spin from the field's value h: one step down or up from the whole number of steps
    // nearest h; false (nothing changed) when that leaves the field's range. Applied as when
    // the field is left.
    bool SpinFinHeight(double h, bool up);
    // Leaving the fin height: at least one step; the air flow is re-applied and the circuits
    // follow the geometry's serpentine ratio.
    void ApplyFinHeight(double h);
    // Steps of 0.1 m by the same rule.
    bool SpinFinnedLength(double l, bool up);
    void ApplyFinnedLength(double l);
    // Down: below 8 or odd rows go down by 1, else by 2; up: below 6 or odd by 1, else by 2.
    // A spin also gives every tube a circuit of its own when there are more circuits than tubes.
    bool SpinRows(double rows, bool up);
    void ApplyRows(double rows);
    // Up to the next even whole number above, down to the previous even one below.
    bool SpinFinDensity(double fpi, bool up);
    void ApplyFinDensity(double fpi);
    // Up to the next whole millimetre, down to the whole millimetre below.
    bool SpinFinPitch(double pitch, bool up);
    void ApplyFinPitch(double pitch);
    // 25.4 / the geometry's fins per inch.
    double FinPitch() const;
    // From c circuits, the next count that gives every circuit the same whole number of
    // tubes, with more tubes per circuit (down) or fewer (up, one at the least). False when
    // there is none (down past the tube count).
    bool SpinCircuits(double c, bool up);
    void ApplyCircuits(double c);

    void SetFinMaterial(int index);
    void SetTubeMaterial(int index);
    void SetCasingMaterial(int index);
    // A record chosen in the coil maker window: applied whole, then the fin height to the
    // nearest whole number of steps of the new tube pitch (one at the least).
    void ApplyMakerRecord(const TModelRec& rec);

    // One sizing operation of the coil for the target duty (kW), with the air volume kept
    // when KeepAirFlow is on. Returns the sizing's status; a fault gives 5.
    std::uint8_t AutoSize(TSizingKind kind, double duty);

    // The maker and its maker-specific designation, else the coil's designation.
    std::string Caption() const;
    // Rates the coil and describes it as the lines of an HTML page; a fault gives the single
    // line "coil not solved...".
    std::vector<std::string> SummaryLines();

private:
    void ReapplyAirFlow();
    TModelRec savedRecord_;
    double savedAirMassFlow_ = 0;
    double savedLiquidMassFlow_ = 0;
    double savedLeavingTemp_ = 0;
    double savedDesignDT_ = 0;
};

// The summary's warning colour: black at the zero point, #ff4500 at the full point, blended in
// hue-saturation-lightness space and written "#RRGGBB".
std::string WarningColour(double value, double zero, double full);

}  // namespace qdx

#pragma once
// The model behind the main coil window: one chilled water coil with its coolant and its
// entering and leaving air, the barometer, design duty and calculation mode, and the document
// flags. The desktop window, the command line and the automation interface all drive it through
// the operations of the grid rows and SolveCoil.

#include <cstdint>
#include <memory>
#include <string>

#include "documents/file_properties.hpp"
#include "engine/coil_settings.hpp"
#include "engine/cold_water_coil.hpp"
#include "fluids/liquid.hpp"
#include "fluids/psychrometrics.hpp"

namespace qdx {

enum TCalcMode : std::uint8_t { cmCoolingDuty = 0, cmCoilSize = 1 };

// The sizing operations of the coil.
enum TSizingKind : std::uint8_t {
    skFaceArea,
    skFinHeight,
    skFinnedLength,
    skRows,
    skFins,
    skRowsAndFins,
};

class TCoilProject {
public:
    TCoilProject() = default;
    TCoilProject(const TCoilProject&) = delete;
    TCoilProject& operator=(const TCoilProject&) = delete;

    // Builds the coolant, the air records and the coil from the settings, as the window does at
    // creation; replaces any coil there was. The file properties take their start values from
    // the program settings.
    void CreateCoil(const TCoilSettings& settings);

    // ---- data files ----

    // The program name written into and expected in data files, whatever the command.
    static constexpr const char* kProgramName = "QDX";
    static constexpr const char* kDataFileVersion = "1.0.0.0";
    // First value of the older value-stream data files.
    static constexpr const char* kStreamTag = "QDX 1.1.0.0 DataFile";
    static constexpr const char* kFileExtension = ".cqx";

    // True when the opened XML document is a data file of this program (the root "datafile"
    // and its "program" attribute compared ignoring case; the version is not compared).
    bool IsDataFile(TXMLFile& file) const;
    // Writes the file properties and the coil as a ".cqx" document. The target is replaced
    // only when the whole document was built and written; any failure shows "Error saving
    // file..." (the reason in FileError) and leaves an existing file as it was. An empty path
    // does nothing. True when saved: the document is then Saved under that name.
    bool SaveFile(const std::string& path);
    // Opens a ".cqx" document or an older value-stream file. The file is read into a fresh
    // coil, coolant, air records and file properties, which replace the current ones only when
    // the whole read succeeded: "Invalid file format..." or "Error reading file..." leave the
    // project as it was. Nothing happens for an empty path or a missing file. After every
    // attempt the barometer is the mean pressure of the coil's air records. True when opened:
    // the document is then Saved, not Solved, under that name.
    bool OpenFile(const std::string& path);
    void SetFileName(const std::string& path) { FileName = path; }

    // The grid rows, in order. Each applies its value as the window's row handler does and
    // marks the document modified and not solved; none solves.
    // Row 1: a designation; false (and the remembered model kept) when it does not parse.
    bool SetCoilModel(const std::string& text);
    void SetBarometer(double kPa);
    // Row 3: "db/wb" or "db" text at the barometer.
    void SetOnCoil(const std::string& text);
    void SetAirVolume(double m3s);
    void SetAirVelocity(double ms);
    // Row 6: the coolant changed in its own window (liquid kind, additive and its fraction),
    // re-evaluated with the window's additive rules.
    void SetCoolant(int liquidSpec, int additive, double additiveVolume);
    void SetFluidControl(int ctrl);
    void SetFluidInlet(double degC);
    void SetDesignDT(double k);
    void SetFluidFlow(double kgs);
    void SetTubeVelocity(double ms);
    void SetDesignDuty(double kW);
    void SetCalcMode(int mode);

    // "Typical Airconditioning Conditions": standard air, water and velocities, then solve.
    void TypicalConditions();

    // Runs the calculation: in Coil Size mode the face-area sizing for the design duty first,
    // then Solve. Never throws: a fault gives the status text "Data Error..." and false.
    bool SolveCoil();
    // Sizes the coil with one sizing operation for air volume v (m³/s; 0 for the design face
    // velocity) and the design duty, then solves. The sizing's own status is left in
    // SizingStatus. Never throws: a fault gives "Data Error..." and false.
    bool SizeAndSolve(TSizingKind kind, double v);
    std::uint8_t SizingStatus = 0;

    TColdWaterCoil& Coil() { return *coil_; }
    const TColdWaterCoil& Coil() const { return *coil_; }
    TLiquid& Coolant() { return *coolant_; }
    TLiquidState& LiquidState() { return *coil_->LiquidState; }

    void SetModified(bool v);
    void SetSolved(bool v);
    void SetSaved(bool v);

    double Barometer = 101.325;  // kPa
    TAirState OnCoilAir{};
    TAirState OffCoilAir{};
    double DesignDuty = 20;  // kW
    std::uint8_t CalcMode = cmCoolingDuty;
    std::string FileName;
    TFileProperties Properties;
    // Why the last save failed.
    std::string FileError;
    std::string CoilModel;  // the last designation the model row accepted
    bool Saved = true;
    bool Solved = false;
    bool Modified = false;
    // "Ready..." / "Modified" and "Solved..." / "Not Solved" / "Data Error...".
    std::string EditStatus = "Ready...";
    std::string SolveStatusText = "Not Solved";
    // The message of the last fault that reached SolveCoil.
    std::string LastError;

private:
    void Edited();
    // A sizing step (or none), then Solve, with every fault turned into "Data Error...".
    template <typename Sizing>
    bool RunGuarded(Sizing&& sizing);
    std::unique_ptr<TLiquid> coolant_;
    std::unique_ptr<TColdWaterCoil> coil_;
};

}  // namespace qdx

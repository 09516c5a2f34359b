#pragma once
// The model behind the main coil window: one chilled water coil with its coolant and its
// entering and leaving air, the barometer, design duty and calculation mode, and the document
// flags. The desktop window, the command line and the automation interface all drive it through
// the operations of the grid rows and SolveCoil.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "documents/aerograph_file.hpp"
#include "documents/file_properties.hpp"
#include "documents/messages.hpp"
#include "engine/coil_settings.hpp"
#include "engine/cold_water_coil.hpp"
#include "engine/copying_ptr.hpp"
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

    // Builds the coolant, the air records and the coil from the settings, as the window does at
    // creation; replaces any coil there was. The file properties take their start values from
    // the program settings. Settings the model cannot take must not stop the program: the
    // coil is then built from the first-run settings, the message goes to the message callback
    // and the result is false.
    bool CreateCoil(const TCoilSettings& settings);

    // ---- operations: no fault escapes ----
    //
    // Every operation below catches every fault. One that faults while it changes the model
    // leaves the whole project exactly as it was before the call (coil, geometry, liquid
    // state, coolant, air records, barometer, duty, mode, flags and texts), keeps the fault's
    // message in LastError, sends it through the message callback (SolveCoil and SizeAndSolve
    // show "Data Error..." instead) and reports false.

    // Where the project's messages go (a row value the model cannot take, a file that does not
    // open or save); ShowMessage when empty.
    MessageHandler OnMessage;

    // Runs change on the model as one operation, as the rows do: all of it or, after a fault or
    // a value that is not a number, none of it. With markModified the document then becomes
    // Modified (and so not Solved and not Saved); automation puts pass false.
    bool Apply(const std::function<void()>& change, bool markModified = true);

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

    // ---- the process on the psychrometric chart ----

    static constexpr const char* kAerographWriteError = "Error writing Aerograph file..";
    // Where the chart file of this document goes: the data file's path with the extension
    // ".psy"; "NoName.psy" in the user data folder for an unnamed document.
    std::string AerographPath() const;
    // The chart file of the coil's process: the file properties, the barometer, the entering
    // and leaving air as the nodes "Node1" ("On") and "Node2" ("Off") and the process
    // "Process1" ("Coil") between them with the coil's dry-air mass flow.
    TAerographFile AerographData() const;
    // Solves first when the document is not solved, then writes AerographData to path
    // (replacing a file there). A calculation that faulted writes nothing; a failed write
    // shows "Error writing Aerograph file.." through the message callback and leaves an
    // existing file as it was. True when written.
    bool ExportAerograph(const std::string& path);

    // The grid rows, in order. Each applies its value as the window's row handler does and
    // marks the document modified and not solved; none solves. Each reports false when the
    // model could not take the value (see above).
    // Row 1: a designation; false (and the remembered model kept) also when it does not parse,
    // which is no fault: the document is still modified and no message is shown.
    bool SetCoilModel(const std::string& text);
    // Row 1 after the fin and tube editor changed the geometry in place: the coil's designation
    // becomes the remembered model, and the face velocity (m/s) and tube velocity (m/s) the
    // grid shows are applied to the new geometry, so the air volume and the liquid flow follow.
    bool KeepEditedCoilModel(double faceVelocity, double tubeVelocity);
    bool SetBarometer(double kPa);
    // Row 3: "db/wb" or "db" text at the barometer.
    bool SetOnCoil(const std::string& text);
    bool SetAirVolume(double m3s);
    bool SetAirVelocity(double ms);
    // Row 6: the coolant changed in its own window (liquid kind, additive and its fraction),
    // re-evaluated with the window's additive rules.
    bool SetCoolant(int liquidSpec, int additive, double additiveVolume);
    bool SetFluidControl(int ctrl);
    bool SetFluidInlet(double degC);
    bool SetDesignDT(double k);
    bool SetFluidFlow(double kgs);
    bool SetTubeVelocity(double ms);
    bool SetDesignDuty(double kW);
    bool SetCalcMode(int mode);

    // "Manufacturing Report": the workshop sheet of the coil's geometry into doc. A geometry
    // whose sheet cannot be worked out (a weight that is no number, from a damaged file) shows
    // its message and gives false, the project as it was.
    bool WriteManufacturingReport(TReportDocument& doc);

    // "Calibrate Coil Performance" accepted: the coil's five correction factors become the
    // program-wide ones in settings, which every new coil receives and the settings keep, and
    // the document is modified.
    void AcceptCalibration(TCoilSettings& settings);

    // "Typical Airconditioning Conditions": standard air, water and velocities, then solve.
    // True when the coil solved.
    bool TypicalConditions();

    // Runs the calculation: in Coil Size mode the face-area sizing for the design duty first,
    // then Solve. True when the coil solved (status 0). A fault puts the project back as it was
    // before the call, with the coil's SolveStatus 5, the status text "Data Error...", not
    // Solved, and the message in LastError.
    bool SolveCoil();
    // Sizes the coil with one sizing operation for air volume v (m³/s; 0 for the design face
    // velocity) and the design duty, then solves. The sizing's own status is left in
    // SizingStatus. A fault is handled as in SolveCoil.
    bool SizeAndSolve(TSizingKind kind, double v);
    std::uint8_t SizingStatus = 0;

    // "Step-by-Step Simulation": SolveCoil first when the document is not Solved, then the
    // coil's march into its StepResults; duty is the simulated duty, kW. False when the
    // calculation faulted or the march faulted (the march's fault is handled as a row's).
    bool StepSimulation(double& duty);

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
    // The message of the fault of the last operation; empty when it ran without one.
    std::string LastError;

    // The whole project as it is now, kept to be put back with RestoreState: a run of many
    // coils builds the new coil once and starts each coil from it. A saved state belongs to the
    // project it was saved from and holds while that project keeps its coil and coolant
    // (CreateCoil and OpenFile replace them).
    class TSavedState {
    public:
        TSavedState(TSavedState&&) noexcept = default;
        TSavedState& operator=(TSavedState&&) noexcept = default;

    private:
        friend class TCoilProject;
        explicit TSavedState(const TCoilProject& project);
        std::unique_ptr<TCoilProject> copy_;
        const TCoilProject* owner_;
        const TColdWaterCoil* coil_;
        const TLiquid* coolant_;
    };
    TSavedState SaveState() const { return TSavedState(*this); }
    // Puts a state saved from this project back, all but the message callback, which stays.
    // False, and nothing changed, for a state of another project or of parts since replaced.
    bool RestoreState(const TSavedState& state);

private:
    // A copy is the saved state of an operation, put back by assignment when the operation
    // faults: the live coil, geometry, liquid state and coolant take the saved values in place
    // (references to them stay valid). A copy's coil still points at this project's air
    // records and coolant, so a copy is never a project of its own.
    TCoilProject(const TCoilProject&) = default;
    TCoilProject& operator=(const TCoilProject&) = default;

    void Edited();
    // The fault of an operation: its message kept and shown.
    void Fault(const std::string& message);
    void Message(const std::string& text);
    // A sizing step (or none), then Solve, with every fault turned into "Data Error...".
    bool RunGuarded(const std::function<void()>& sizing);
    // True when every value the model is built from (air records, flows, duties, coolant,
    // liquid state, geometry record) is a number. A project always holds numbers: an open,
    // a row or a calculation that would leave it otherwise is a fault.
    static bool HoldsNumbers(const TColdWaterCoil& coil);
    // Throws CalcError when the model, the barometer or the design duty is not a number.
    void RequireNumbers() const;
    void BuildCoil(const TCoilSettings& settings);
    TCopyingPtr<TLiquid> coolant_;
    TCopyingPtr<TColdWaterCoil> coil_;
};

}  // namespace qdx

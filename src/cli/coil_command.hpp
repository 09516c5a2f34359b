#pragma once
// What `qdx rate`, `qdx simulate` and `qdx report` share: the coil options, building the coil
// as a first run of the main window does (or from a project file), applying the options in the
// order of the window's grid rows, the calculation, and the report texts.

#include <CLI/CLI.hpp>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/coil_project.hpp"
#include "reports/report_document.hpp"

namespace qdx::cli {

struct CommandContext;

// The option texts as given; checked by BuildCoil.
struct CoilOptionTexts {
    std::optional<std::string> maker;  // "Typical" when not given
    std::optional<std::string> tube, model, pressure, airOn, faceVelocity, airVolume, liquid,
        additive, additiveVolume, control, fluidInlet, designDt, tubeVelocity, fluidFlow, mode,
        designDuty, size, sizeAirVolume, factors;
    bool noFouling = false;
    bool json = false;
};

void AddCoilOptions(CLI::App& sub, CoilOptionTexts& texts);
// The text of the option of that long name (without the dashes) that takes a value; null for
// a flag or a name that is not a coil option.
std::optional<std::string>* CoilTextOptionOf(CoilOptionTexts& texts, std::string_view name);
// The flag of that long name; null for any other name.
bool* CoilFlagOf(CoilOptionTexts& texts, std::string_view name);
// The maker of the catalogue a new coil of the options takes its tube from.
std::string CoilMakerOf(const CoilOptionTexts& texts);
// Puts the calling thread's program-wide state where a new `qdx rate` run of these options
// finds it: the last ADP of a new run, and no maker loaded, except that the catalogue's own
// entries of the options' maker may stay (a first load would fill the cache alike). fromFile:
// the coil comes from a project file, which may name any maker.
void StartLikeANewRun(const CoilOptionTexts& texts, bool fromFile);

// New coils of a run that rates many in one thread: the coil of given settings is built once,
// and every later one of the same settings starts from a saved copy of it (the catalogue and
// the program settings cannot change during the run).
class CoilStarts {
public:
    // The project as CreateCoil(settings) leaves a new project; throws ModelError for settings
    // the model cannot take.
    TCoilProject& Start(const TCoilSettings& settings);

private:
    std::unique_ptr<TCoilProject> project_;
    TCoilSettings settings_;
    std::optional<TCoilProject::TSavedState> saved_;
};

// Builds the coil from the options in project, or in the project of starts when given, and
// returns the project it is in; throws ArgumentError for a bad option and ModelError for a
// value the model cannot take.
TCoilProject& BuildCoil(const CoilOptionTexts& texts, TCoilProject& project,
                        CoilStarts* starts = nullptr);
// Opens the project file into a coil built with the run's settings (correction factors, fouling)
// and then applies the options as grid edits. Throws ArgumentError for a bad option (checked
// before the file is read, and --maker or --tube, which choose a new coil's tube) and
// ModelError for a value the model cannot take; false when the file cannot be opened (its
// message has been shown).
bool BuildCoilFromFile(const CoilOptionTexts& texts, const std::string& path,
                       TCoilProject& project);

// Runs the calculation the options ask for (sizing when asked, then Solve). Reports a refused
// or failed sizing on err. Returns false after a fault ("Data Error...").
bool CalculateCoil(const CoilOptionTexts& texts, TCoilProject& project, std::ostream& err);

// Why a finished calculation failed, in one line: after a fault, or a final status of 2 or 5.
// Empty when the coil solved.
std::string CalculationFailure(const TCoilProject& project, bool calculated);

// The results of the coil as one JSON object, as `qdx rate --json` prints them: every number
// with 17 significant digits (null when not finite), a "warning" for a liquid outside its
// range and an "error" when error is not empty.
void PrintRateJson(TCoilProject& project, const std::string& error, std::ostream& out);
// The same object appended to text, as PrintRateJson prints it or on one line (no line end).
enum class JsonLayout { Pretty, OneLine };
void AppendRateJson(TCoilProject& project, const std::string& error, std::string& text,
                    JsonLayout layout);

// Which text a command prints, where its HTML copy goes and the units it is written in.
struct ReportOptionTexts {
    std::string report = "performance";
    std::optional<std::string> html;
    std::string units = "metric";
};

void AddReportOptions(CLI::App& sub, ReportOptionTexts& texts);
// Throws ArgumentError for a report or units name that does not exist.
void CheckReportOptions(const ReportOptionTexts& texts);

// Sets the program's unit records: "metric" every record at its registered default,
// "imperial" every record at its category's Imperial default, "user" the units file and the
// "Coils" choices of the common settings.
void ApplyUnits(const std::string& units);

// The lines write puts into a report document, as plain text (lines ending in CR LF) written
// to out when printText, and as an HTML page to the --html file. Returns 0, or 1 after a fault
// or a file that could not be written (reported on err).
int PrintDocument(const ReportOptionTexts& texts,
                  const std::function<void(TReportDocument&)>& write, bool printText,
                  CommandContext& ctx);

// The chosen report as plain text (each line ending in CR LF), written to out exactly when
// printText, and as an HTML page to the --html file. After a calculation that ran to its end
// (calculated) the performance report is the coil's own, ending in its "Solve Status" line when
// it did not solve; after a fault it is "Not Solved", as the report window shows it. Returns 0,
// or 1 after a fault or a file that could not be written (reported on err).
int WriteReport(const ReportOptionTexts& texts, TCoilProject& project, bool calculated,
                bool printText, CommandContext& ctx);

// The options of `qdx rate` as given.
struct RateOptionTexts {
    CoilOptionTexts options;
    ReportOptionTexts report;
    std::string file;
    std::optional<std::string> save;
};

// Adds the options of `qdx rate` to sub, filling cmd.
void AddRateOptions(CLI::App& sub, RateOptionTexts& cmd);
// Rates (or sizes) the coil the options describe and prints what `qdx rate` prints; the shipped
// catalogue must be in place (PrepareCoilData). Returns the exit code: 0 solved, 1 the coil did
// not solve or a value the model could not take, 2 a bad option (reported on ctx.err alone).
int RunRate(const RateOptionTexts& cmd, CommandContext& ctx);
// The same for one coil of many: the new coil comes from starts (unless it is opened from a
// file or saved), and the JSON is written in layout.
int RunRate(const RateOptionTexts& cmd, CommandContext& ctx, CoilStarts& starts,
            JsonLayout layout);

}  // namespace qdx::cli

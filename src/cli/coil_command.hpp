#pragma once
// What `qdx rate` and `qdx simulate` share: their options, building the coil as a first run of
// the main window does, applying the options in the order of the window's grid rows, and the
// calculation.

#include <CLI/CLI.hpp>

#include <optional>
#include <string>

#include "engine/coil_project.hpp"

namespace qdx::cli {

struct CommandContext;

// The option texts as given; checked by BuildCoil.
struct CoilOptionTexts {
    std::string maker = "Typical";
    std::optional<std::string> tube, model, pressure, airOn, faceVelocity, airVolume, liquid,
        additive, additiveVolume, control, fluidInlet, designDt, tubeVelocity, fluidFlow, mode,
        designDuty, size, sizeAirVolume, factors;
    bool noFouling = false;
    bool json = false;
};

void AddCoilOptions(CLI::App& sub, CoilOptionTexts& texts);

// Builds the project's coil from the options; throws ArgumentError for a bad option.
void BuildCoil(const CoilOptionTexts& texts, TCoilProject& project);

// Runs the calculation the options ask for (sizing when asked, then Solve). Reports a refused
// or failed sizing on err. Returns false after a fault ("Data Error...").
bool CalculateCoil(const CoilOptionTexts& texts, TCoilProject& project, std::ostream& err);

// The exit code of a finished calculation: 0 solved, 1 after a fault or a final status of 2
// or 5 (reported on err).
int CalculationExitCode(const TCoilProject& project, bool calculated, std::ostream& err);

}  // namespace qdx::cli

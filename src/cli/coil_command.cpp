#include "cli/coil_command.hpp"

#include <ostream>

#include "cli/cli_args.hpp"
#include "geometry/coil_makers.hpp"

namespace qdx::cli {

namespace {

constexpr const char* kSizeNames[] = {"face", "height", "length", "rows", "fins", "rowsfins"};
constexpr TSizingKind kSizeKinds[] = {skFaceArea, skFinHeight, skFinnedLength,
                                      skRows,     skFins,      skRowsAndFins};

template <typename T>
void Opt(CLI::App& sub, const char* name, std::optional<T>& target, const char* help) {
    sub.add_option_function<std::string>(name, [&target](const std::string& v) { target = v; }, help);
}

int ParseChoice(const std::string& text, const std::string& argument,
                std::initializer_list<const char*> words) {
    int i = 0;
    for (const char* w : words) {
        if (text == w) return i;
        ++i;
    }
    std::string list;
    for (const char* w : words) list += (list.empty() ? "" : "|") + std::string(w);
    throw ArgumentError{argument + " must be " + list + ", got '" + text + "'"};
}

}  // namespace

void AddCoilOptions(CLI::App& sub, CoilOptionTexts& t) {
    sub.add_option("--maker", t.maker, "Coil maker of the catalogue")->capture_default_str();
    Opt(sub, "--tube", t.tube, "Tube number of the maker's catalogue (default: its first entry)");
    Opt(sub, "--model", t.model, "Coil designation, e.g. \"635 720 4r 12f 7c\"");
    Opt(sub, "--pressure", t.pressure, "Barometric pressure, kPa (101.325)");
    Opt(sub, "--air-on", t.airOn, "Entering air DB/WB or DB, degC (25/17)");
    Opt(sub, "--face-velocity", t.faceVelocity, "Air face velocity, m/s (2.5)");
    Opt(sub, "--air-volume", t.airVolume, "Air volume flow, m3/s");
    Opt(sub, "--liquid", t.liquid, "Liquid index 0..13 (0 water)");
    Opt(sub, "--additive", t.additive, "Water additive 0..3 (0 none)");
    Opt(sub, "--additive-volume", t.additiveVolume, "Additive volume fraction 0..1");
    Opt(sub, "--control", t.control, "Liquid control: flow or temperature (flow)");
    Opt(sub, "--fluid-inlet", t.fluidInlet, "Liquid inlet temperature, degC (6)");
    Opt(sub, "--design-dt", t.designDt, "Liquid design temperature rise, K (5.5)");
    Opt(sub, "--tube-velocity", t.tubeVelocity, "Liquid tube velocity, m/s (1.0)");
    Opt(sub, "--fluid-flow", t.fluidFlow, "Liquid mass flow, kg/s");
    Opt(sub, "--mode", t.mode, "Calculation: duty or size (duty)");
    Opt(sub, "--design-duty", t.designDuty, "Design duty, kW (20)");
    Opt(sub, "--size", t.size, "Sizing: face|height|length|rows|fins|rowsfins");
    Opt(sub, "--size-air-volume", t.sizeAirVolume, "Fixed air volume for --size, m3/s (0: none)");
    Opt(sub, "--factors", t.factors, "Correction factors Q,ho,hi,airdp,fluiddp (1,1,1,1,1)");
    sub.add_flag("--no-fouling", t.noFouling, "Leave out the fouling resistance");
    sub.add_flag("--json", t.json, "Print JSON");
}

void BuildCoil(const CoilOptionTexts& t, TCoilProject& project) {
    TCoilSettings settings;
    settings.CoilMaker = t.maker;
    if (t.tube) {
        const int n = static_cast<int>(ParseIntegerArg(*t.tube, "--tube", 0, 255));
        settings.CoilMR = FormatSpecification(FindTube(t.maker, n));
    }
    if (t.factors) {
        const auto parts = SplitCommas(*t.factors);
        if (parts.size() != 5)
            throw ArgumentError{"--factors needs five numbers Q,ho,hi,airdp,fluiddp, got '" +
                                *t.factors + "'"};
        double f[5];
        for (int i = 0; i < 5; ++i) f[i] = ParseNumberArg(parts[i], "--factors", true);
        settings.DutyFactor = f[0];
        settings.hoFactor = f[1];
        settings.hiFactor = f[2];
        settings.AirDPFactor = f[3];
        settings.FluidDPFactor = f[4];
    }
    if (t.faceVelocity && t.airVolume)
        throw ArgumentError{"--face-velocity and --air-volume exclude each other"};
    if (t.tubeVelocity && t.fluidFlow)
        throw ArgumentError{"--tube-velocity and --fluid-flow exclude each other"};

    // Check everything before anything is built.
    std::optional<double> pressure, faceVelocity, airVolume, additiveVolume, fluidInlet, designDt,
        tubeVelocity, fluidFlow, designDuty;
    std::optional<int> liquid, additive, control, mode;
    if (t.pressure) pressure = ParseNumberArg(*t.pressure, "--pressure", true);
    if (t.faceVelocity) faceVelocity = ParseNumberArg(*t.faceVelocity, "--face-velocity", true);
    if (t.airVolume) airVolume = ParseNumberArg(*t.airVolume, "--air-volume", true);
    if (t.liquid) liquid = static_cast<int>(ParseIntegerArg(*t.liquid, "--liquid", 0, 13));
    if (t.additive) additive = static_cast<int>(ParseIntegerArg(*t.additive, "--additive", 0, 3));
    if (t.additiveVolume) {
        additiveVolume = ParseNumberArg(*t.additiveVolume, "--additive-volume", true);
        if (*additiveVolume > 1)
            throw ArgumentError{"--additive-volume must be a fraction from 0 to 1, got '" +
                                *t.additiveVolume + "'"};
    }
    if (t.control) control = ParseChoice(*t.control, "--control", {"temperature", "flow"});
    if (t.fluidInlet) fluidInlet = ParseNumberArg(*t.fluidInlet, "--fluid-inlet");
    if (t.designDt) designDt = ParseNumberArg(*t.designDt, "--design-dt");
    if (t.tubeVelocity) tubeVelocity = ParseNumberArg(*t.tubeVelocity, "--tube-velocity", true);
    if (t.fluidFlow) fluidFlow = ParseNumberArg(*t.fluidFlow, "--fluid-flow", true);
    if (t.designDuty) designDuty = ParseNumberArg(*t.designDuty, "--design-duty", true);
    if (t.mode) mode = ParseChoice(*t.mode, "--mode", {"duty", "size"});
    if (t.size) ParseChoice(*t.size, "--size", {"face", "height", "length", "rows", "fins", "rowsfins"});
    if (t.sizeAirVolume) ParseNumberArg(*t.sizeAirVolume, "--size-air-volume", true);

    project.CreateCoil(settings);
    project.Coil().UseFouling = !t.noFouling;

    // The grid rows, in order.
    if (t.model && !project.SetCoilModel(*t.model))
        throw ArgumentError{"--model is not a coil designation: '" + *t.model + "'"};
    if (pressure) project.SetBarometer(*pressure);
    if (t.airOn) {
        try {
            project.SetOnCoil(*t.airOn);
        } catch (const std::exception&) {
            throw ArgumentError{"--air-on must be DB/WB or DB in degC, got '" + *t.airOn + "'"};
        }
    }
    if (airVolume) project.SetAirVolume(*airVolume);
    if (faceVelocity) project.SetAirVelocity(*faceVelocity);
    if (liquid || additive || additiveVolume) {
        const TLiquid& l = project.Coolant();
        project.SetCoolant(liquid.value_or(l.LiquidSpec), additive.value_or(l.WaterAdditive),
                           additiveVolume.value_or(l.AdditiveVolume));
    }
    if (control) project.SetFluidControl(*control);
    if (fluidInlet) project.SetFluidInlet(*fluidInlet);
    if (designDt) project.SetDesignDT(*designDt);
    if (fluidFlow) project.SetFluidFlow(*fluidFlow);
    if (tubeVelocity) project.SetTubeVelocity(*tubeVelocity);
    if (designDuty) project.SetDesignDuty(*designDuty);
    if (mode) project.SetCalcMode(*mode);
}

bool CalculateCoil(const CoilOptionTexts& t, TCoilProject& project, std::ostream& err) {
    if (!t.size) {
        project.SolveCoil();
        return project.LastError.empty();
    }
    const int index = ParseChoice(*t.size, "--size", {"face", "height", "length", "rows", "fins", "rowsfins"});
    const double v = t.sizeAirVolume ? ParseNumberArg(*t.sizeAirVolume, "--size-air-volume", true) : 0;
    project.SizeAndSolve(kSizeKinds[index], v);
    if (project.LastError.empty() && project.SizingStatus != ssSolved) {
        err << "qdx: sizing by " << kSizeNames[index]
            << (project.SizingStatus == ssFailed ? " was refused or failed" : " did not converge")
            << " (status " << static_cast<int>(project.SizingStatus) << ")\n";
    }
    return project.LastError.empty();
}

int CalculationExitCode(const TCoilProject& project, bool calculated, std::ostream& err) {
    if (!calculated) {
        err << "qdx: Data Error... (" << project.LastError << ")\n";
        return 1;
    }
    const int status = project.Coil().SolveStatus;
    if (status == ssSolved) return 0;
    err << "qdx: the coil is not solved: "
        << (status == ssNotConverged ? "the calculation did not converge"
                                     : "the calculation failed")
        << " (status " << status << ")\n";
    return 1;
}

}  // namespace qdx::cli

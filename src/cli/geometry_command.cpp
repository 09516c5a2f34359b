// `qdx geometry`: a fin-and-tube coil from a maker, tube and designation, with every derived
// area, ratio, efficiency, record and weight; `qdx geometry --makers` lists the catalogue.

#include <memory>
#include <ostream>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/commands.hpp"
#include "documents/folders.hpp"
#include "documents/messages.hpp"
#include "geometry/coil_makers.hpp"
#include "geometry/designation.hpp"
#include "geometry/fin_and_tube.hpp"
#include "units/errors.hpp"
#include "units/format.hpp"

namespace qdx::cli {

namespace {

struct GeometryArgs {
    std::string maker = "Typical";
    int tube = 4;
    std::string model = "635 720 4r 12f 7c";
    std::string spec;
    bool json = false;
    bool makers = false;
};

nlohmann::ordered_json TubeSideJson(const TTubeSideGeometry& t) {
    nlohmann::ordered_json j;
    j["ID"] = t.ID;
    j["wallThickness"] = t.WallThickness;
    j["wallConductivity"] = t.WallConductivity;
    j["AiPerCircuit"] = t.AiPerCircuit;
    j["tubeFlowArea"] = t.TubeFlowArea;
    j["flowArea"] = t.FlowArea;
    j["perimeter"] = t.Perimeter;
    j["equivalentLength"] = t.EquivalentLength;
    j["circuitLength"] = t.CircuitLength;
    return j;
}

nlohmann::ordered_json AirSideJson(const TAirSideGeometry& a) {
    nlohmann::ordered_json j;
    j["rows"] = a.Rows;
    j["tube"] = a.Tube;
    j["Sx"] = a.Sx;
    j["Sy"] = a.Sy;
    j["tp"] = a.tp;
    j["OD"] = a.OD;
    j["faceArea"] = a.FaceArea;
    j["finGap"] = a.FinGap;
    j["equivalentFinHeight"] = a.EquivalentFinHeight;
    j["tf"] = a.tf;
    j["finPitch"] = a.FinPitch;
    j["collarDiameter"] = a.CollarDiameter;
    j["finConductivity"] = a.FinConductivity;
    j["tubeConductivity"] = a.TubeConductivity;
    j["sigma"] = a.Sigma;
    j["hydraulicDiameter"] = a.HydraulicDiameter;
    j["surfaceEfficiency"] = a.SurfaceEfficiency;
    return j;
}

void WriteJson(std::ostream& out, TFinAndTube& g, double dryWeight) {
    const TModelRec& r = g.Record();
    nlohmann::ordered_json j;
    j["designation"] = g.Designation();
    j["makerDesignation"] = g.MakerDesignation();
    j["maker"] = r.Mnf;
    j["model"] = r.Model;
    j["tube"] = r.Tube;
    j["specification"] = FormatSpecification(ModelToMnf(r));
    j["faceArea"] = g.FaceArea();
    j["tubesHigh"] = g.TubesHigh();
    j["tubeCount"] = g.TubeCount();
    j["circuits"] = g.Circuits();
    j["serpentine"] = g.SerpentineText();
    j["connections"] = g.ConnectionText();
    j["depth"] = g.Depth();
    j["Ao"] = g.Ao();
    j["Ai"] = g.Ai();
    j["Vi"] = g.Vi();
    j["finArea"] = g.FinArea();
    j["AoAiRatio"] = g.AoAiRatio();
    j["sigma"] = g.Sigma();
    j["hydraulicDiameter"] = g.HydraulicDiameter();
    j["finEfficiency"] = g.FinEfficiency();
    j["surfaceEfficiency"] = g.SurfaceEfficiency();
    j["tubeSide"] = TubeSideJson(g.TubeSide());
    j["airSide"] = AirSideJson(g.AirSide());
    j["dryWeight"] = {{"total", dryWeight},         {"tubes", g.TubeWeight()},
                      {"fins", g.FinWeight()},      {"casing", g.CasingWeight()},
                      {"bends", g.BendWeight()},    {"headers", g.HeaderWeight()}};
    out << j.dump(2) << "\n";
}

void WriteText(std::ostream& out, TFinAndTube& g, double dryWeight) {
    const TModelRec& r = g.Record();
    auto text = [&out](const char* caption, const std::string& value) {
        std::string line = Format("%-20s %s", caption, value);
        line.erase(line.find_last_not_of(' ') + 1);
        out << line << "\n";
    };
    auto number = [&text](const char* caption, double value, const char* units) {
        text(caption, FormatGeneral(value, 6) + (*units ? " " : "") + units);
    };
    text("Designation", g.Designation());
    text("Maker designation", g.MakerDesignation());
    text("Maker", r.Mnf);
    text("Model", Format("%s (tube %d)", r.Model, r.Tube));
    text("Specification", FormatSpecification(ModelToMnf(r)));
    number("Face area", g.FaceArea(), "m²");
    text("Tubes high", Format("%d", g.TubesHigh()));
    number("Tube count", g.TubeCount(), "");
    number("Circuits", g.Circuits(), "");
    text("Serpentine", g.SerpentineText());
    text("Connections", g.ConnectionText());
    number("Depth", g.Depth(), "m");
    number("Ao", g.Ao(), "m²");
    number("Ai", g.Ai(), "m²");
    number("Vi", g.Vi(), "m³");
    number("Fin area", g.FinArea(), "m²");
    number("Ao/Ai", g.AoAiRatio(), "");
    number("Sigma", g.Sigma(), "");
    number("Hydraulic diameter", g.HydraulicDiameter(), "m");
    number("Fin efficiency", g.FinEfficiency(), "");
    number("Surface efficiency", g.SurfaceEfficiency(), "");

    const TTubeSideGeometry t = g.TubeSide();
    out << "Tube side\n";
    number("  ID", t.ID, "m");
    number("  Wall thickness", t.WallThickness, "m");
    number("  Wall conductivity", t.WallConductivity, "kW/m·K");
    number("  Ai per circuit", t.AiPerCircuit, "m²");
    number("  Tube flow area", t.TubeFlowArea, "m²");
    number("  Flow area", t.FlowArea, "m²");
    number("  Perimeter", t.Perimeter, "m");
    number("  Equivalent length", t.EquivalentLength, "m");
    number("  Circuit length", t.CircuitLength, "m");

    const TAirSideGeometry a = g.AirSide();
    out << "Air side\n";
    number("  Rows", a.Rows, "");
    text("  Tube", Format("%d", a.Tube));
    number("  Sx", a.Sx, "m");
    number("  Sy", a.Sy, "m");
    text("  Pattern", Format("%d", a.tp));
    number("  OD", a.OD, "m");
    number("  Face area", a.FaceArea, "m²");
    number("  Fin gap", a.FinGap, "m");
    number("  Equiv. fin height", a.EquivalentFinHeight, "m");
    number("  Fin thickness", a.tf, "m");
    number("  Fin pitch", a.FinPitch, "m");
    number("  Collar diameter", a.CollarDiameter, "m");
    number("  Fin conductivity", a.FinConductivity, "kW/m·K");
    number("  Tube conductivity", a.TubeConductivity, "kW/m·K");
    number("  Sigma", a.Sigma, "");
    number("  Hydraulic diam.", a.HydraulicDiameter, "m");
    number("  Surface eff.", a.SurfaceEfficiency, "");

    number("Dry weight", dryWeight, "kg");
    number("  Tubes", g.TubeWeight(), "kg");
    number("  Fins", g.FinWeight(), "kg");
    number("  Casing", g.CasingWeight(), "kg");
    number("  Bends", g.BendWeight(), "kg");
    number("  Headers", g.HeaderWeight(), "kg");
}

int Run(const GeometryArgs& a, CommandContext& ctx) {
    if (a.makers) {
        for (const std::string& name : MakerNames()) ctx.out << name << "\n";
        return 0;
    }

    TDesignationNumbers numbers;
    const int code = ParseDesignation(a.model, numbers);
    if (code != dpOk) {
        ctx.err << "qdx geometry: designation '" << a.model << "' not accepted: error " << code
                << " (" << DesignationErrorText(code) << ")\n";
        return 1;
    }

    TFinAndTube g(a.maker, a.model, 0, a.tube);
    if (!a.spec.empty()) g.SetMakerModel(a.maker, a.spec);
    if (g.GetErrorCode() != 0) {
        ctx.err << "qdx geometry: the geometry of '" << a.model << "' cannot be calculated\n";
        return 1;
    }
    const double dryWeight = g.DryWeight();
    if (a.json)
        WriteJson(ctx.out, g, dryWeight);
    else
        WriteText(ctx.out, g, dryWeight);
    return 0;
}

void Setup(CLI::App& app, CommandContext& ctx) {
    auto args = std::make_shared<GeometryArgs>();
    CLI::App* cmd = app.add_subcommand(
        "geometry", "Fin-and-tube geometry of a coil from the coil-maker catalogue");
    cmd->add_option("--maker", args->maker, "Coil maker of the catalogue")->capture_default_str();
    cmd->add_option("--tube", args->tube, "Tube number: eighths of an inch, or 100 + mm")
        ->capture_default_str();
    cmd->add_option("--model", args->model,
                    "Designation: fin height and finned length in mm, rows, fins per inch, "
                    "circuits")
        ->capture_default_str();
    cmd->add_option("--spec", args->spec,
                    "Specification text of a maker's tube (as the coil maker window lists it)");
    cmd->add_flag("--json", args->json, "Write JSON");
    cmd->add_flag("--makers", args->makers, "List the makers of the catalogue");
    cmd->callback([args, &ctx]() {
        PrepareCoilData();
        try {
            ctx.exitCode = Run(*args, ctx);
        } catch (const CalcError& e) {
            ctx.err << "qdx geometry: the geometry cannot be calculated: " << e.what() << "\n";
            ctx.exitCode = 1;
        }
    });
}

const RegisterCommand kRegister(Setup);

}  // namespace

}  // namespace qdx::cli

// `qdx rate`: builds the default coil, applies the options as grid edits, and rates (or sizes)
// it; prints the results as a short summary or as JSON.

#include <functional>
#include <memory>
#include <ostream>

#include "cli/cli_args.hpp"
#include "cli/coil_command.hpp"
#include "cli/commands.hpp"
#include "engine/coil_project.hpp"
#include "units/format.hpp"

namespace qdx::cli {

namespace {

// A derived value that may fault after a failed calculation: NaN then.
double Guarded(const std::function<double()>& f) {
    try {
        return f();
    } catch (const std::exception&) {
        return NAN;
    }
}

void PrintJson(TCoilProject& project, bool fault, std::ostream& out) {
    TColdWaterCoil& c = project.Coil();
    TLiquidState& ls = project.LiquidState();
    const TLiquid& l = project.Coolant();
    auto num = JsonNumber;
    out << "{\n";
    out << "  \"status\": " << static_cast<int>(c.SolveStatus) << ",\n";
    out << "  \"surface\": " << JsonString(SurfaceStateCaption(c.SurfaceState)) << ",\n";
    out << "  \"Qt\": " << num(c.Qt) << ",\n";
    out << "  \"Qs\": " << num(c.Qs) << ",\n";
    out << "  \"air_in\": {\"db\": " << num(c.AirIn->db) << ", \"wb\": " << num(c.AirIn->wb)
        << ", \"pa\": " << num(c.AirIn->pa) << "},\n";
    out << "  \"air_out\": {\"db\": " << num(c.AirOut->db) << ", \"wb\": " << num(c.AirOut->wb)
        << "},\n";
    out << "  \"mass_flow\": " << num(c.MassFlow) << ",\n";
    out << "  \"volume_flow\": " << num(c.VolumeFlow) << ",\n";
    out << "  \"face_velocity\": " << num(c.FaceVelocity) << ",\n";
    out << "  \"face_area\": " << num(c.FaceArea()) << ",\n";
    out << "  \"model\": " << JsonString(c.GetDesignation()) << ",\n";
    out << "  \"liquid\": {\"tfi\": " << num(l.tfi) << ", \"tfo\": " << num(l.tfo)
        << ", \"mass_flow\": " << num(l.m) << ", \"velocity\": " << num(ls.vw)
        << ", \"designdt\": " << num(ls.designdt) << ", \"ctrl\": " << static_cast<int>(ls.ctrl)
        << "},\n";
    out << "  \"air_dp\": " << num(Guarded([&] { return c.AirPressureDrop(); })) << ",\n";
    out << "  \"liquid_dp\": " << num(Guarded([&] { return c.FluidPressureDrop(); })) << ",\n";
    out << "  \"pipe_conn\": " << c.PipeConnectionSize() << ",\n";
    out << "  \"condensate\": " << num(Guarded([&] { return c.CondensateRate(); })) << ",\n";
    out << "  \"ADP\": " << num(c.ADP) << ",\n";
    out << "  \"bypass_factor\": " << num(c.BypassFactor) << ",\n";
    out << "  \"Ntu\": " << num(c.Ntu) << ",\n";
    out << "  \"Cr\": " << num(c.Cr) << ",\n";
    out << "  \"e\": " << num(c.e) << ",\n";
    out << "  \"ho\": " << num(c.ho) << ",\n";
    out << "  \"hi\": " << num(c.hi) << ",\n";
    out << "  \"Ui\": " << num(c.Ui) << ",\n";
    out << "  \"Uo\": " << num(c.Uo) << ",\n";
    out << "  \"Qmax\": " << num(c.Qmax) << ",\n";
    out << "  \"fin_height\": " << num(c.FinHeight()) << ",\n";
    out << "  \"finned_length\": " << num(c.FinnedLength()) << ",\n";
    out << "  \"rows\": " << num(c.Rows()) << ",\n";
    out << "  \"fpi\": " << num(c.FinsPerInch()) << ",\n";
    out << "  \"circuits\": " << num(c.Circuits());
    if (fault) out << ",\n  \"error\": \"Data Error...\"";
    out << "\n}\n";
}

void PrintSummary(TCoilProject& project, std::ostream& out) {
    TColdWaterCoil& c = project.Coil();
    TLiquidState& ls = project.LiquidState();
    const TLiquid& l = project.Coolant();
    out << Format("Coil           %s (%s)\n", c.GetDesignation(), c.FinAndTube->Record().Mnf);
    out << Format("Status         %s, surface %s\n", project.SolveStatusText,
                  SurfaceStateCaption(c.SurfaceState));
    out << Format("Total duty     %0.3f kW\n", c.Qt);
    out << Format("Sensible duty  %0.3f kW\n", c.Qs);
    out << Format("Air on         %0.1f/%0.1f °C at %0.3f kPa\n", c.AirIn->db, c.AirIn->wb, c.AirIn->pa);
    out << Format("Air off        %0.1f/%0.1f °C\n", c.AirOut->db, c.AirOut->wb);
    out << Format("Air flow       %0.3f m³/s, %0.4f kg/s, face %0.3f m/s over %0.3f m²\n",
                  c.VolumeFlow, c.MassFlow, c.FaceVelocity, c.FaceArea());
    out << Format("Liquid         %s %0.1f -> %0.2f °C, %0.4f kg/s, %0.3f m/s\n", l.GetCaption(),
                  l.tfi, l.tfo, l.m, ls.vw);
    out << Format("Air dp         %0.1f Pa\n", Guarded([&] { return c.AirPressureDrop(); }));
    out << Format("Liquid dp      %0.2f kPa, connection %d mm\n",
                  Guarded([&] { return c.FluidPressureDrop(); }), c.PipeConnectionSize());
    out << Format("Condensate     %0.4f g/s\n", 1000 * Guarded([&] { return c.CondensateRate(); }));
    out << Format("ADP            %0.2f °C, bypass factor %0.4f\n", c.ADP, c.BypassFactor);
}

struct RateCommand {
    CoilOptionTexts options;
};

void SetupRate(CLI::App& app, CommandContext& ctx) {
    auto cmd = std::make_shared<RateCommand>();
    CLI::App* sub = app.add_subcommand("rate", "Rate (or size) a chilled water coil");
    AddCoilOptions(*sub, cmd->options);
    sub->callback([cmd, &ctx] {
        TCoilProject project;
        try {
            BuildCoil(cmd->options, project);
        } catch (const ArgumentError& e) {
            ctx.err << "qdx rate: " << e.message << "\n";
            ctx.exitCode = 2;
            return;
        }
        const bool calculated = CalculateCoil(cmd->options, project, ctx.err);
        if (cmd->options.json)
            PrintJson(project, !calculated, ctx.out);
        else
            PrintSummary(project, ctx.out);
        ctx.exitCode = CalculationExitCode(project, calculated, ctx.err);
    });
}

const RegisterCommand kRegisterRate(SetupRate);

}  // namespace

}  // namespace qdx::cli

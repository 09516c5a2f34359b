// `qdx rate [FILE.cqx]`: builds the first-run coil (or opens the project file), applies the
// options as grid edits, and rates (or sizes) it; prints the performance report (or another
// report text) in plain text, or the results as JSON; can save the rated coil.

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

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

// The results; with an "error" text when the command failed.
void PrintJson(TCoilProject& project, const std::string& error, std::ostream& out) {
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
    if (l.status != 0)
        out << ",\n  \"warning\": "
            << JsonString(Format("%s at %0.1f °C is outside its valid range %0.1f .. %0.1f °C",
                                 l.GetCaption(), l.t, l.tLower, l.tUpper));
    if (!error.empty()) out << ",\n  \"error\": " << JsonString(error);
    out << "\n}\n";
}

struct RateCommand {
    CoilOptionTexts options;
    ReportOptionTexts report;
    std::string file;
    std::optional<std::string> save;
};

void SetupRate(CLI::App& app, CommandContext& ctx) {
    auto cmd = std::make_shared<RateCommand>();
    CLI::App* sub = app.add_subcommand("rate", "Rate (or size) a chilled water coil");
    sub->add_option("file", cmd->file, "Coil project file (.cqx) whose coil is rated");
    AddCoilOptions(*sub, cmd->options);
    AddReportOptions(*sub, cmd->report);
    sub->add_option("--save", cmd->save, "Save the rated coil as a project file (.cqx)");
    sub->callback([cmd, &ctx] {
        PrepareCoilData();
        TCoilProject project;
        try {
            CheckReportOptions(cmd->report);
            if (cmd->save && cmd->save->empty()) throw ArgumentError{"--save needs a file name"};
            ApplyUnits(cmd->report.units);
            if (cmd->file.empty()) {
                BuildCoil(cmd->options, project);
            } else if (!BuildCoilFromFile(cmd->options, cmd->file, project)) {
                ctx.exitCode = 1;
                return;
            }
        } catch (const ArgumentError& e) {
            ctx.err << "qdx rate: " << e.message << "\n";
            ctx.exitCode = 2;
            return;
        } catch (const ModelError& e) {
            ctx.err << "qdx rate: " << e.message << "\n";
            ctx.exitCode = 1;
            return;
        }
        const bool calculated = CalculateCoil(cmd->options, project, ctx.err);
        std::string failure = CalculationFailure(project, calculated);
        if (!failure.empty()) ctx.err << "qdx: " << failure << "\n";
        int code = failure.empty() ? 0 : 1;
        if (cmd->save && !project.SaveFile(*cmd->save)) {
            const std::string why = *cmd->save + ": " + project.FileError;
            ctx.err << "qdx rate: " << why << "\n";
            if (failure.empty()) failure = why;
            code = 1;
        } else if (cmd->save && !project.Solved) {
            // The inputs are saved and reopen; the results are not a rating of them.
            ctx.err << "qdx rate: " << *cmd->save
                    << ": saved, but its results are not valid: the coil did not solve\n";
        }
        if (cmd->options.json) {
            PrintJson(project, failure, ctx.out);
            if (cmd->report.html && WriteReport(cmd->report, project, calculated, false, ctx) != 0)
                code = 1;
        } else if (WriteReport(cmd->report, project, calculated, true, ctx) != 0) {
            code = 1;
        }
        ctx.exitCode = code;
    });
}

const RegisterCommand kRegisterRate(SetupRate);

}  // namespace

}  // namespace qdx::cli

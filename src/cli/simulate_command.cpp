// `qdx simulate`: rates the coil as `qdx rate` does, then marches it slice by slice along the
// air path and prints the four temperature profiles.

#include <cmath>
#include <memory>
#include <ostream>

#include "cli/cli_args.hpp"
#include "cli/coil_command.hpp"
#include "cli/commands.hpp"
#include "units/format.hpp"

namespace qdx::cli {

namespace {

struct SimulateCommand {
    CoilOptionTexts options;
};

void SetupSimulate(CLI::App& app, CommandContext& ctx) {
    auto cmd = std::make_shared<SimulateCommand>();
    CLI::App* sub = app.add_subcommand(
        "simulate", "Rate the coil, then march it in 100 slices along the air path");
    AddCoilOptions(*sub, cmd->options);
    sub->callback([cmd, &ctx] {
        PrepareCoilData();
        TCoilProject project;
        try {
            BuildCoil(cmd->options, project);
        } catch (const ArgumentError& e) {
            ctx.err << "qdx simulate: " << e.message << "\n";
            ctx.exitCode = 2;
            return;
        } catch (const ModelError& e) {
            ctx.err << "qdx simulate: " << e.message << "\n";
            ctx.exitCode = 1;
            return;
        }
        const bool calculated = CalculateCoil(cmd->options, project, ctx.err);
        std::string failure = CalculationFailure(project, calculated);
        double duty = 0;
        if (failure.empty()) {
            // The failure line below is the message.
            project.OnMessage = [](const std::string&) {};
            if (!project.StepSimulation(duty))
                failure = "Data Error... (" + project.LastError + ")";
            else if (!project.Coil().StepSettled)
                failure = kStepNotSettledText;
        }
        if (!failure.empty()) {
            ctx.err << "qdx simulate: " << failure << "\n";
            if (cmd->options.json)
                ctx.out << "{\n  \"status\": " << static_cast<int>(project.Coil().SolveStatus)
                        << ",\n  \"error\": " << JsonString(failure) << "\n}\n";
            ctx.exitCode = 1;
            return;
        }
        TColdWaterCoil& c = project.Coil();
        const TFloatMat& m = c.StepResults;
        if (cmd->options.json) {
            ctx.out << "{\n  \"duty\": " << JsonNumber(duty) << ",\n  \"steps\": [\n";
            for (int r = 0; r < m.Rows(); ++r) {
                ctx.out << "    [" << JsonNumber(m.At(0, r)) << ", " << JsonNumber(m.At(1, r))
                        << ", " << JsonNumber(m.At(2, r)) << ", " << JsonNumber(m.At(3, r))
                        << "]" << (r + 1 < m.Rows() ? ",\n" : "\n");
            }
            ctx.out << "  ]\n}\n";
        } else {
            ctx.out << Format("Duty %0.3f kW (rated %0.3f kW)\n", duty, c.Qt);
            ctx.out << "Slice  Liquid °C  Air db °C  Surface °C  Dew point °C\n";
            for (int r = 0; r < m.Rows(); ++r)
                ctx.out << Format("%5d  %9.3f  %9.3f  %10.3f  %12.3f\n", r + 1, m.At(0, r),
                                  m.At(1, r), m.At(2, r), m.At(3, r));
        }
        ctx.exitCode = 0;
    });
}

const RegisterCommand kRegisterSimulate(SetupSimulate);

}  // namespace

}  // namespace qdx::cli

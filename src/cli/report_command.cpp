// `qdx report FILE.cqx`: prints the results stored in a project file, without solving unless
// asked to, in plain text (or another report text), and can write them as an HTML page.

#include <memory>
#include <ostream>
#include <string>

#include "cli/cli_args.hpp"
#include "cli/coil_command.hpp"
#include "cli/commands.hpp"
#include "engine/coil_project.hpp"

namespace qdx::cli {

namespace {

struct ReportCommand {
    CoilOptionTexts options;  // empty: the file's own coil
    ReportOptionTexts report;
    std::string file;
    bool solve = false;
};

void SetupReport(CLI::App& app, CommandContext& ctx) {
    auto cmd = std::make_shared<ReportCommand>();
    CLI::App* sub = app.add_subcommand("report", "Print the results stored in a project file");
    sub->add_option("file", cmd->file, "Coil project file (.cqx)")->required();
    sub->add_flag("--solve", cmd->solve, "Rate the coil first");
    AddReportOptions(*sub, cmd->report);
    sub->callback([cmd, &ctx] {
        PrepareCoilData();
        TCoilProject project;
        try {
            CheckReportOptions(cmd->report);
            ApplyUnits(cmd->report.units);
            if (!BuildCoilFromFile(cmd->options, cmd->file, project)) {
                ctx.exitCode = 1;
                return;
            }
        } catch (const ArgumentError& e) {
            ctx.err << "qdx report: " << e.message << "\n";
            ctx.exitCode = 2;
            return;
        } catch (const ModelError& e) {
            ctx.err << "qdx report: " << e.message << "\n";
            ctx.exitCode = 1;
            return;
        }
        if (!cmd->solve) {
            ctx.exitCode = WriteReport(cmd->report, project, true, true, ctx);
            return;
        }
        const bool calculated = CalculateCoil(cmd->options, project, ctx.err);
        const std::string failure = CalculationFailure(project, calculated);
        if (!failure.empty()) ctx.err << "qdx: " << failure << "\n";
        const int code = WriteReport(cmd->report, project, calculated, true, ctx);
        ctx.exitCode = failure.empty() ? code : 1;
    });
}

const RegisterCommand kRegisterReport(SetupReport);

}  // namespace

}  // namespace qdx::cli

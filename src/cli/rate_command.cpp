// `qdx rate [FILE.cqx]`: builds the first-run coil (or opens the project file), applies the
// options as grid edits, and rates (or sizes) it; prints the performance report (or another
// report text) in plain text, or the results as JSON; can save the rated coil.

#include <memory>
#include <ostream>
#include <string>

#include "cli/cli_args.hpp"
#include "cli/coil_command.hpp"
#include "cli/commands.hpp"
#include "engine/coil_project.hpp"
#include "units/format.hpp"

namespace qdx::cli {

void AddRateOptions(CLI::App& sub, RateOptionTexts& cmd) {
    sub.add_option("file", cmd.file, "Coil project file (.cqx) whose coil is rated");
    AddCoilOptions(sub, cmd.options);
    AddReportOptions(sub, cmd.report);
    sub.add_option("--save", cmd.save, "Save the rated coil as a project file (.cqx)");
}

namespace {

int Rate(const RateOptionTexts& cmd, CommandContext& ctx, CoilStarts* starts, JsonLayout layout) {
    TCoilProject own;
    TCoilProject* built = &own;
    try {
        CheckReportOptions(cmd.report);
        if (cmd.save && cmd.save->empty()) throw ArgumentError{"--save needs a file name"};
        ApplyUnits(cmd.report.units);
        if (cmd.file.empty()) {
            // A saved coil takes the file properties of the settings as they are now.
            built = &BuildCoil(cmd.options, own, cmd.save ? nullptr : starts);
        } else if (!BuildCoilFromFile(cmd.options, cmd.file, own)) {
            return 1;
        }
    } catch (const ArgumentError& e) {
        ctx.err << "qdx rate: " << e.message << "\n";
        return 2;
    } catch (const ModelError& e) {
        ctx.err << "qdx rate: " << e.message << "\n";
        return 1;
    }
    TCoilProject& project = *built;
    const bool calculated = CalculateCoil(cmd.options, project, ctx.err);
    std::string failure = CalculationFailure(project, calculated);
    if (!failure.empty()) ctx.err << "qdx: " << failure << "\n";
    int code = failure.empty() ? 0 : 1;
    if (cmd.save && !project.SaveFile(*cmd.save)) {
        const std::string why = *cmd.save + ": " + project.FileError;
        ctx.err << "qdx rate: " << why << "\n";
        if (failure.empty()) failure = why;
        code = 1;
    } else if (cmd.save && !project.Solved) {
        // The inputs are saved and reopen; the results are not a rating of them.
        ctx.err << "qdx rate: " << *cmd.save
                << ": saved, but its results are not valid: the coil did not solve\n";
    }
    if (cmd.options.json) {
        std::string text;
        AppendRateJson(project, failure, text, layout);
        ctx.out << text;
        if (cmd.report.html && WriteReport(cmd.report, project, calculated, false, ctx) != 0)
            code = 1;
    } else if (WriteReport(cmd.report, project, calculated, true, ctx) != 0) {
        code = 1;
    }
    return code;
}

}  // namespace

int RunRate(const RateOptionTexts& cmd, CommandContext& ctx) {
    return Rate(cmd, ctx, nullptr, JsonLayout::Pretty);
}

int RunRate(const RateOptionTexts& cmd, CommandContext& ctx, CoilStarts& starts,
            JsonLayout layout) {
    return Rate(cmd, ctx, &starts, layout);
}

namespace {

void SetupRate(CLI::App& app, CommandContext& ctx) {
    auto cmd = std::make_shared<RateOptionTexts>();
    CLI::App* sub = app.add_subcommand("rate", "Rate (or size) a chilled water coil");
    AddRateOptions(*sub, *cmd);
    sub->callback([cmd, &ctx] {
        PrepareCoilData();
        ctx.exitCode = RunRate(*cmd, ctx);
    });
}

const RegisterCommand kRegisterRate(SetupRate);

}  // namespace

}  // namespace qdx::cli

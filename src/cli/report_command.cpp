// `qdx report FILE.cqx`: opens a project file, rates its coil as the program would after
// opening it and prints the report (or another report text) in plain text, and can write it as
// an HTML page. With --stored it prints only what the file holds of its last calculation.

#include <cmath>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "cli/cli_args.hpp"
#include "cli/coil_command.hpp"
#include "cli/commands.hpp"
#include "documents/xml_file.hpp"
#include "engine/coil_project.hpp"
#include "fluids/psychrometrics.hpp"
#include "units/errors.hpp"
#include "units/format.hpp"
#include "units/unit_prefs.hpp"

namespace qdx::cli {

namespace {

struct ReportCommand {
    CoilOptionTexts options;  // empty: the file's own coil
    ReportOptionTexts report;
    std::string file;
    bool solve = false;
    bool stored = false;
};

// The results of a file's last calculation as the file stores them; what it does not hold
// stays empty. A ".cqx" document holds all of them, an older value stream only the duties and
// the leaving air. Leaving air saved after a failed calculation is no air state: the file then
// holds no result (valid false).
struct TStoredResults {
    bool valid = true;
    std::optional<double> Qt, Qs, e, Ntu, Cr, dbo, wbo, airDp, liquidDp;
};

TStoredResults ReadStoredResults(const std::string& path, const TCoilProject& opened) {
    TStoredResults r;
    XmlNode root;
    TXMLFile file(path, 0, root);
    double pa = opened.Coil().AirOut->pa;
    if (file.ReadStatus == TXMLFile::rsNotXml) {
        const TColdWaterCoil& c = opened.Coil();
        r.Qt = c.Qt;
        r.Qs = c.Qs;
        r.dbo = c.AirOut->db;
        r.wbo = c.AirOut->wb;
    } else {
        XmlNode coil = file.FindChild(root, "qdx");
        if (!coil) coil = file.FindChild(root, "chilledwatercoil");
        auto value = [&file](XmlNode parent, const char* name) -> std::optional<double> {
            const double v = file.ReadFloat(parent, name, NAN);
            if (file.ReadStatus != TXMLFile::rsOk || !std::isfinite(v)) return std::nullopt;
            return v;
        };
        r.Qt = value(coil, "Qt");
        r.Qs = value(coil, "Qs");
        r.e = value(coil, "e");
        r.Ntu = value(coil, "Ntu");
        r.Cr = value(coil, "Cr");
        r.liquidDp = value(coil, "liquid_dp");
        const XmlNode air = file.FindChild(coil, "air");
        r.dbo = value(air, "dbo");
        r.wbo = value(air, "wbo");
        r.airDp = value(air, "air_dp");
        pa = value(air, "Pa").value_or(pa);
    }
    if (r.dbo && r.wbo) {
        try {
            SetState(pa, *r.dbo, *r.wbo, 0);
        } catch (const CalcError&) {
            r.valid = false;
        }
    }
    return r;
}

// One line per stored value, in the file's order, in the user's units.
void WriteStoredResults(const TStoredResults& r, TReportDocument& doc) {
    if (!r.valid) {
        doc.AddLine("Not Solved");
        return;
    }
    TUnitPrefs& u = UnitPrefs();
    auto duty = [&](const char* label, const std::optional<double>& v) {
        if (v) doc.AddLine(label + FormatRecValue(u[urHexDuty], true, "\t", false, *v));
    };
    auto plain = [&](const char* label, const std::optional<double>& v) {
        if (v) doc.AddLine(Format("%s\t%0.3f", label, *v));
    };
    duty("Total Duty\t", r.Qt);
    duty("Sensible Duty\t", r.Qs);
    plain("e", r.e);
    plain("Ntu", r.Ntu);
    plain("Cr", r.Cr);
    if (r.dbo && r.wbo)
        doc.AddLine(FormatRecPairLabelled("Off Coil\t%s\t%s", u[urAirT], false, *r.dbo, *r.wbo));
    if (r.airDp)
        doc.AddLine(FormatRecLabelled("Air Pressure Drop\t%s\t%s", u[urAirDp], false, *r.airDp));
    if (r.liquidDp)
        doc.AddLine("Liquid Pressure Drop\t" +
                    FormatRecValue(u[urLiquidDp], true, "\t", false, *r.liquidDp));
}

void SetupReport(CLI::App& app, CommandContext& ctx) {
    auto cmd = std::make_shared<ReportCommand>();
    CLI::App* sub = app.add_subcommand(
        "report", "Rate the coil of a project file and print its report, or its stored results");
    sub->add_option("file", cmd->file, "Coil project file (.cqx)")->required();
    sub->add_flag("--solve", cmd->solve, "Rate the coil first (what report does without --stored)");
    sub->add_flag("--stored", cmd->stored,
                  "Print only the results the file holds: duties, e, Ntu, Cr, leaving air and "
                  "pressure drops");
    AddReportOptions(*sub, cmd->report);
    sub->callback([cmd, &ctx] {
        PrepareCoilData();
        TCoilProject project;
        try {
            CheckReportOptions(cmd->report);
            if (cmd->stored && cmd->solve)
                throw ArgumentError{"--stored prints what the file holds; it takes no --solve"};
            if (cmd->stored && cmd->report.report != "performance")
                throw ArgumentError{"--stored prints the stored results; it takes no --report"};
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
        if (cmd->stored) {
            const TStoredResults stored = ReadStoredResults(cmd->file, project);
            if (!stored.valid)
                ctx.err << "qdx: " << cmd->file
                        << " holds no valid results: its coil did not solve when it was saved\n";
            const int code = PrintDocument(
                cmd->report, [&](TReportDocument& doc) { WriteStoredResults(stored, doc); }, true,
                ctx);
            ctx.exitCode = stored.valid ? code : 1;
            return;
        }
        // An opened document is not solved: what it shows comes from rating it.
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

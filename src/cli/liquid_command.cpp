// `qdx liquid INDEX T`: the properties of a coolant at a mean temperature, as the coil sees them.

#include <cmath>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/cli_args.hpp"
#include "cli/commands.hpp"
#include "fluids/liquid.hpp"
#include "fluids/liquid_correlations.hpp"
#include "units/errors.hpp"
#include "units/format.hpp"

namespace qdx::cli {

namespace {

struct LiquidArgs {
    std::string index;
    std::string temperature;
    std::string additive;
    std::string fraction;
    std::string bar;
    std::string user;
    bool json = false;
};

// Builds the liquid the arguments describe, evaluated at the mean temperature T.
TLiquid MakeLiquid(const LiquidArgs& a) {
    const auto index = static_cast<std::uint8_t>(
        ParseIntegerArg(a.index, "INDEX", 0, kLiquidCount - 1));
    const double t = ParseNumberArg(a.temperature, "T");

    std::optional<double> bar;
    if (!a.bar.empty()) {
        bar = ParseNumberArg(a.bar, "--bar");
        if (*bar <= 0) throw ArgumentError{"--bar must be a pressure above 0 bar, got '" + a.bar + "'"};
    }
    int additive = 0;
    if (!a.additive.empty()) {
        additive = static_cast<int>(ParseIntegerArg(a.additive, "--additive", 0, kAdditiveCount - 1));
        if (additive != 0 && index != liWater)
            throw ArgumentError{"--additive applies to liquid 0 (Water) only"};
    }
    double fraction = 0;
    if (!a.fraction.empty()) {
        if (a.additive.empty()) throw ArgumentError{"--fraction needs --additive"};
        fraction = ParseNumberArg(a.fraction, "--fraction");
        if (fraction < 0 || fraction > 1)
            throw ArgumentError{"--fraction must be a fraction from 0 to 1, got '" + a.fraction + "'"};
    }
    std::vector<double> user;
    if (!a.user.empty()) {
        const std::vector<std::string> parts = SplitCommas(a.user);
        if (parts.size() != 4)
            throw ArgumentError{"--user must be four numbers RO,CP,MU,KO, got '" + a.user + "'"};
        for (const std::string& p : parts) {
            const double v = ParseNumberArg(p, "--user");
            if (v <= 0) throw ArgumentError{"--user values must be above 0, got '" + p + "'"};
            user.push_back(v);
        }
    }

    TLiquid liquid("Liquid", 0.0, t, t, index);
    if (bar) liquid.SetPf(*bar);
    liquid.WaterAdditive = static_cast<std::uint8_t>(additive);
    liquid.AdditiveVolume = fraction;
    if (!user.empty()) {
        liquid.UserProps = true;
        liquid.UserRo = user[0];
        liquid.UserCp = user[1];
        liquid.UserMu = user[2];
        liquid.UserKo = user[3];
    }
    liquid.Update();
    return liquid;
}

void WriteJson(std::ostream& out, const TLiquid& l) {
    nlohmann::ordered_json j;
    j["name"] = l.GetCaption();
    j["shortName"] = l.GetShortCaption();
    j["LiquidSpec"] = l.LiquidSpec;
    j["WaterAdditive"] = l.WaterAdditive;
    j["AdditiveVolume"] = l.AdditiveVolume;
    j["Pf"] = l.Pf;
    j["UserProps"] = l.UserProps;
    j["t"] = l.t;
    j["ro"] = l.ro;
    j["Cp"] = l.Cp;
    j["mu"] = l.mu;
    j["Ko"] = l.Ko;
    j["Pr"] = l.Pr;
    j["tLower"] = l.tLower;
    j["tUpper"] = l.tUpper;
    j["status"] = l.status;
    out << j.dump(2) << "\n";
}

void WriteTable(std::ostream& out, const TLiquid& l) {
    auto row = [&out](const char* label, const std::string& value) {
        out << Format("%-15s %s", label, value) << "\n";
    };
    row("Name", l.GetCaption());
    row("Short name", l.GetShortCaption());
    row("Temperature", Format("%0.2f °C", l.t));
    row("Density", Format("%0.6g kg/m³", l.ro));
    row("Specific heat", Format("%0.6g kJ/(kg·K)", l.Cp));
    row("Viscosity", Format("%0.6g Pa·s", l.mu));
    row("Conductivity", Format("%0.6g kW/(m·K)", l.Ko));
    row("Prandtl number", Format("%0.5f", l.Pr));
    row("Valid range", Format("%s .. %s °C", FloatToStr(l.tLower), FloatToStr(l.tUpper)));
    row("Out of range", l.status != 0 ? "yes" : "no");
}

void Setup(CLI::App& app, CommandContext& ctx) {
    auto args = std::make_shared<LiquidArgs>();
    CLI::App* cmd = app.add_subcommand(
        "liquid", "Properties of a coolant at a mean temperature (ro, Cp, mu, Ko, Pr)");
    cmd->add_option("INDEX", args->index,
                    "Liquid index: 0 Water, 1 Thermal Oil, 2 Engine Oil, 3 Glycerin, "
                    "4 Ethylene Glycol, 5 Calcium Chloride, 6 Sulphur Dioxide, 7 Mercury, "
                    "8 Liquid Ammonia, 9 Liquid Carbon Dioxide, 10 Methylchloride, "
                    "11 Freon - Liquid R12, 12 Condensed Steam, 13 Compressed Air")
        ->required();
    cmd->add_option("T", args->temperature, "Mean liquid temperature, °C")->required();
    cmd->add_option("--additive", args->additive,
                    "Water additive: 0 None, 1 Ethylene Glycol, 2 Propylene Glycol, "
                    "3 Calcium Chloride");
    cmd->add_option("--fraction", args->fraction, "Additive fraction (0.3 = 30 %)");
    cmd->add_option("--bar", args->bar, "Pressure of compressed air, bar (default 5)");
    cmd->add_option("--user", args->user,
                    "User properties RO,CP,MU,KO (kg/m³, kJ/(kg·K), Pa·s, kW/(m·K))");
    cmd->add_flag("--json", args->json, "Write JSON");
    cmd->callback([args, &ctx]() {
        try {
            const TLiquid liquid = MakeLiquid(*args);
            if (args->json)
                WriteJson(ctx.out, liquid);
            else
                WriteTable(ctx.out, liquid);
            ctx.exitCode = 0;
        } catch (const ArgumentError& e) {
            ctx.err << "qdx liquid: " << e.message << "\n";
            ctx.exitCode = 2;
        } catch (const CalcError& e) {
            ctx.err << "qdx liquid: no properties at T = " << args->temperature << " °C: " << e.what()
                    << "\n";
            ctx.exitCode = 1;
        }
    });
}

const RegisterCommand kRegister(Setup);

}  // namespace

}  // namespace qdx::cli

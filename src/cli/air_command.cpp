// `qdx air`: a full moist-air state from two of its properties or from an air state text, and
// the standard atmosphere at an altitude or a pressure.

#include <cmath>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/cli_args.hpp"
#include "cli/commands.hpp"
#include "fluids/air_state_text.hpp"
#include "fluids/psychrometrics.hpp"
#include "units/errors.hpp"
#include "units/format.hpp"

namespace qdx::cli {

namespace {

constexpr double kStandardPressure = 101.325;

struct AirArgs {
    std::string pair;
    std::string a;
    std::string b;
    std::string pressure;
    std::string altitude;
    std::string text;
    bool json = false;
};

// The pressure the arguments give, kPa, if any.
std::optional<double> GivenPressure(const AirArgs& a) {
    if (!a.pressure.empty()) {
        const double p = ParseNumberArg(a.pressure, "--pressure");
        if (p <= 0) throw ArgumentError{"--pressure must be above 0 kPa, got '" + a.pressure + "'"};
        return p;
    }
    if (!a.altitude.empty()) {
        const double z = ParseNumberArg(a.altitude, "--altitude");
        // The standard atmosphere ends where its pressure reaches 0 (about 44 km).
        if (1 - 2.25577e-5 * z <= 0)
            throw ArgumentError{"--altitude must be below 44330 m, got '" + a.altitude + "'"};
        return AtmPressure(z);
    }
    return std::nullopt;
}

TAirState StateOf(const AirArgs& a, double p) {
    if (!a.text.empty()) {
        try {
            return AirStateFromText(a.text, p, 0.5);
        } catch (const ConvertError&) {
            throw ArgumentError{"--text must be a dry bulb or dry bulb/wet bulb in °C, got '" +
                                a.text + "'"};
        }
    }
    long long pair = -1;
    if (!TryStrToInt(a.pair, pair) || !IsAirPairCode(static_cast<int>(pair)))
        throw ArgumentError{"PAIR must be a pair code (0-5, 7-19, 25, 26, 28-32), got '" + a.pair +
                            "'"};
    const double first = ParseNumberArg(a.a, "A");
    const double second = ParseNumberArg(a.b, "B");
    return SetState(p, first, second, static_cast<int>(pair));
}

void WriteStateJson(std::ostream& out, const TAirState& s) {
    nlohmann::ordered_json j;
    j["pa"] = s.pa;
    j["db"] = s.db;
    j["wb"] = s.wb;
    j["ha"] = s.ha;
    j["wa"] = s.wa;
    j["rh"] = s.rh;
    j["td"] = s.td;
    j["pv"] = s.pv;
    j["ps"] = s.ps;
    j["ro"] = s.ro;
    j["cp"] = s.cp;
    j["k"] = s.k;
    j["mu"] = s.mu;
    j["ma"] = s.ma;
    out << j.dump(2) << "\n";
}

void WriteStateTable(std::ostream& out, const TAirState& s) {
    auto row = [&out](const char* caption, double value, const char* units) {
        out << Format("%-14s %12s %s", caption, FormatGeneral(value, 6), units) << "\n";
    };
    row("Pressure", s.pa, "kPa");
    row("Dry Bulb", s.db, "°C");
    row("Wet Bulb", s.wb, "°C");
    row("Enthalpy", s.ha, "kJ/kg");
    row("Abs Humidity", s.wa, "kg/kg");
    row("Rel Humidity", s.rh * 100, "%");
    row("Dew Point", s.td, "°C");
    row("Vap Pressure", s.pv, "kPa");
    row("Sat Pressure", s.ps, "kPa");
    row("Density", s.ro, "kg/m³");
    row("Specific Heat", s.cp, "kJ/kg·K");
    row("Conductivity", s.k, "kW/m·K");
    row("Viscosity", s.mu, "Pa·s");
}

void WriteAtmosphere(std::ostream& out, double altitude, double p, bool json) {
    if (json) {
        nlohmann::ordered_json j;
        j["altitude"] = altitude;
        j["pa"] = p;
        out << j.dump(2) << "\n";
        return;
    }
    out << Format("%-14s %12s %s", "Altitude", FormatGeneral(altitude, 6), "m") << "\n";
    out << Format("%-14s %12s %s", "Pressure", FormatGeneral(p, 6), "kPa") << "\n";
}

int Run(const AirArgs& a, CommandContext& ctx) {
    const bool hasPair = !a.pair.empty();
    if (hasPair && a.a.empty()) throw ArgumentError{"A is missing: give PAIR A B"};
    if (hasPair && a.b.empty()) throw ArgumentError{"B is missing: give PAIR A B"};
    if (hasPair && !a.text.empty()) throw ArgumentError{"--text cannot be used with PAIR A B"};
    if (!a.pressure.empty() && !a.altitude.empty())
        throw ArgumentError{"--altitude cannot be used with --pressure"};
    const std::optional<double> given = GivenPressure(a);

    if (!hasPair && a.text.empty()) {
        if (!given) throw ArgumentError{"PAIR is missing: give PAIR A B, --text, --altitude or --pressure"};
        const double altitude = a.altitude.empty() ? Altitude(*given) : ParseNumberArg(a.altitude, "--altitude");
        WriteAtmosphere(ctx.out, altitude, *given, a.json);
        return 0;
    }

    const TAirState state = StateOf(a, given.value_or(kStandardPressure));
    const std::string message = CheckAirState(state);
    if (!message.empty()) {
        ctx.err << "qdx air: " << message << "\n";
        return 1;
    }
    if (a.json)
        WriteStateJson(ctx.out, state);
    else
        WriteStateTable(ctx.out, state);
    return 0;
}

void Setup(CLI::App& app, CommandContext& ctx) {
    auto args = std::make_shared<AirArgs>();
    CLI::App* cmd = app.add_subcommand(
        "air", "Moist-air state from two properties, or the standard atmosphere");
    cmd->add_option("PAIR", args->pair,
                    "Pair code of A and B: 0 db/wb, 1 db/ha, 2 db/wa, 3 db/rh, 4 db/td, 5 db/pv, "
                    "7 db/ro, 8 wb/ha, 9 wb/wa, 10 wb/rh, 11 wb/td, 12 wb/pv, 13 wb/ps, 14 wb/ro, "
                    "15 ha/wa, 16 ha/rh, 17 ha/td, 18 ha/pv, 19 ha/ps, 25 wa/rh, 26 wa/ps, "
                    "28 rh/td, 29 rh/pv, 30 rh/ps, 31 td/ps, 32 pv/ps");
    cmd->add_option("A", args->a, "First value (°C, kJ/kg, kg/kg, fraction, kPa or kg/m³)");
    cmd->add_option("B", args->b, "Second value");
    cmd->add_option("--pressure", args->pressure, "Barometric pressure, kPa (default 101.325)");
    cmd->add_option("--altitude", args->altitude,
                    "Altitude, m: the pressure of the standard atmosphere there");
    cmd->add_option("--text", args->text, "Air state text: dry bulb, or dry bulb/wet bulb, °C");
    cmd->add_flag("--json", args->json, "Write JSON");
    cmd->callback([args, &ctx]() {
        try {
            ctx.exitCode = Run(*args, ctx);
        } catch (const ArgumentError& e) {
            ctx.err << "qdx air: " << e.message << "\n";
            ctx.exitCode = 2;
        } catch (const CalcError& e) {
            ctx.err << "qdx air: no air state for these values: " << e.what() << "\n";
            ctx.exitCode = 1;
        }
    });
}

const RegisterCommand kRegister(Setup);

}  // namespace

}  // namespace qdx::cli

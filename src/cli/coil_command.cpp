#include "cli/coil_command.hpp"

#include <cmath>
#include <filesystem>
#include <functional>
#include <ostream>

#include "cli/cli_args.hpp"
#include "cli/commands.hpp"
#include "documents/atomic_file.hpp"
#include "documents/messages.hpp"
#include "documents/settings_stores.hpp"
#include "documents/unit_prefs_store.hpp"
#include "engine/coil_settings_store.hpp"
#include "engine/run_state.hpp"
#include "fluids/air_state_text.hpp"
#include "geometry/coil_makers.hpp"
#include "reports/report_document.hpp"
#include "units/errors.hpp"
#include "units/format.hpp"
#include "units/unit_prefs.hpp"

namespace qdx::cli {

namespace {

constexpr const char* kSizeNames[] = {"face", "height", "length", "rows", "fins", "rowsfins"};
constexpr TSizingKind kSizeKinds[] = {skFaceArea, skFinHeight, skFinnedLength,
                                      skRows,     skFins,      skRowsAndFins};

// The text options of the coil, in the order of their help: long name without the dashes, the
// text it fills, its help.
struct CoilTextOption {
    const char* name;
    std::optional<std::string> CoilOptionTexts::*text;
    const char* help;
};
const CoilTextOption kCoilTextOptions[] = {
    {"maker", &CoilOptionTexts::maker, "Coil maker of the catalogue (Typical)"},
    {"tube", &CoilOptionTexts::tube,
     "Tube number of the maker's catalogue (default: its first entry)"},
    {"model", &CoilOptionTexts::model, "Coil designation, e.g. \"635 720 4r 12f 7c\""},
    {"pressure", &CoilOptionTexts::pressure, "Barometric pressure, kPa (101.325)"},
    {"air-on", &CoilOptionTexts::airOn, "Entering air DB/WB or DB, degC (25/17)"},
    {"face-velocity", &CoilOptionTexts::faceVelocity, "Air face velocity, m/s (2.5)"},
    {"air-volume", &CoilOptionTexts::airVolume, "Air volume flow, m3/s"},
    {"liquid", &CoilOptionTexts::liquid, "Liquid index 0..13 (0 water)"},
    {"additive", &CoilOptionTexts::additive, "Water additive 0..3 (0 none)"},
    {"additive-volume", &CoilOptionTexts::additiveVolume, "Additive volume fraction 0..1"},
    {"control", &CoilOptionTexts::control, "Liquid control: flow or temperature (flow)"},
    {"fluid-inlet", &CoilOptionTexts::fluidInlet, "Liquid inlet temperature, degC (6)"},
    {"design-dt", &CoilOptionTexts::designDt, "Liquid design temperature rise, K (5.5)"},
    {"tube-velocity", &CoilOptionTexts::tubeVelocity, "Liquid tube velocity, m/s (1.0)"},
    {"fluid-flow", &CoilOptionTexts::fluidFlow, "Liquid mass flow, kg/s"},
    {"mode", &CoilOptionTexts::mode, "Calculation: duty or size (duty)"},
    {"design-duty", &CoilOptionTexts::designDuty, "Design duty, kW (20)"},
    {"size", &CoilOptionTexts::size, "Sizing: face|height|length|rows|fins|rowsfins"},
    {"size-air-volume", &CoilOptionTexts::sizeAirVolume,
     "Fixed air volume for --size, m3/s (0: none)"},
    {"factors", &CoilOptionTexts::factors, "Correction factors Q,ho,hi,airdp,fluiddp (1,1,1,1,1)"},
};
// Its flags.
struct CoilFlagOption {
    const char* name;
    bool CoilOptionTexts::*flag;
    const char* help;
};
const CoilFlagOption kCoilFlagOptions[] = {
    {"no-fouling", &CoilOptionTexts::noFouling, "Leave out the fouling resistance"},
    {"json", &CoilOptionTexts::json, "Print JSON"},
};

int ParseChoice(const std::string& text, const std::string& argument,
                std::initializer_list<const char*> words) {
    int i = 0;
    for (const char* w : words) {
        if (text == w) return i;
        ++i;
    }
    std::string list;
    for (const char* w : words) {
        if (!list.empty()) list += '|';
        list += w;
    }
    throw ArgumentError{argument + " must be " + list + ", got '" + text + "'"};
}

}  // namespace

void AddCoilOptions(CLI::App& sub, CoilOptionTexts& t) {
    for (const CoilTextOption& o : kCoilTextOptions) {
        std::optional<std::string>& target = t.*o.text;
        sub.add_option_function<std::string>(
            std::string("--") + o.name, [&target](const std::string& v) { target = v; }, o.help);
    }
    for (const CoilFlagOption& o : kCoilFlagOptions)
        sub.add_flag(std::string("--") + o.name, t.*o.flag, o.help);
}

std::optional<std::string>* CoilTextOptionOf(CoilOptionTexts& t, std::string_view name) {
    for (const CoilTextOption& o : kCoilTextOptions)
        if (name == o.name) return &(t.*o.text);
    return nullptr;
}

bool* CoilFlagOf(CoilOptionTexts& t, std::string_view name) {
    for (const CoilFlagOption& o : kCoilFlagOptions)
        if (name == o.name) return &(t.*o.flag);
    return nullptr;
}

std::string CoilMakerOf(const CoilOptionTexts& t) { return t.maker.value_or("Typical"); }

void StartLikeANewRun(const CoilOptionTexts& t, bool fromFile) {
    qdx::StartLikeANewRun();
    if (fromFile)
        ClearMakerCache();
    else
        KeepMakerCacheOnlyFor(CoilMakerOf(t));
}

namespace {

// The options checked and converted, before anything is built.
struct CoilOptions {
    TCoilSettings settings;
    std::optional<double> pressure, faceVelocity, airVolume, additiveVolume, fluidInlet, designDt,
        tubeVelocity, fluidFlow, designDuty;
    std::optional<int> liquid, additive, control, mode;
};

CoilOptions ParseCoilOptions(const CoilOptionTexts& t) {
    CoilOptions o;
    TCoilSettings& settings = o.settings;
    settings.CoilMaker = CoilMakerOf(t);
    if (t.tube) {
        const int n = static_cast<int>(ParseIntegerArg(*t.tube, "--tube", 0, 255));
        settings.CoilMR = FormatSpecification(FindTube(settings.CoilMaker, n));
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

    if (t.pressure) o.pressure = ParseNumberArg(*t.pressure, "--pressure", true);
    if (t.faceVelocity) o.faceVelocity = ParseNumberArg(*t.faceVelocity, "--face-velocity", true);
    if (t.airVolume) o.airVolume = ParseNumberArg(*t.airVolume, "--air-volume", true);
    if (t.liquid) o.liquid = static_cast<int>(ParseIntegerArg(*t.liquid, "--liquid", 0, 13));
    if (t.additive) o.additive = static_cast<int>(ParseIntegerArg(*t.additive, "--additive", 0, 3));
    if (t.additiveVolume) {
        o.additiveVolume = ParseNumberArg(*t.additiveVolume, "--additive-volume", true);
        if (*o.additiveVolume > 1)
            throw ArgumentError{"--additive-volume must be a fraction from 0 to 1, got '" +
                                *t.additiveVolume + "'"};
    }
    if (t.airOn) {
        // Only the text is checked here; whether the air is a state the barometer can hold is
        // the row's to find out.
        try {
            ParseAirText(*t.airOn);
        } catch (const ConvertError&) {
            throw ArgumentError{"--air-on must be DB/WB or DB in degC, got '" + *t.airOn + "'"};
        }
    }
    if (t.control) o.control = ParseChoice(*t.control, "--control", {"temperature", "flow"});
    if (t.fluidInlet) o.fluidInlet = ParseNumberArg(*t.fluidInlet, "--fluid-inlet");
    if (t.designDt) o.designDt = ParseNumberArg(*t.designDt, "--design-dt");
    if (t.tubeVelocity) o.tubeVelocity = ParseNumberArg(*t.tubeVelocity, "--tube-velocity", true);
    if (t.fluidFlow) o.fluidFlow = ParseNumberArg(*t.fluidFlow, "--fluid-flow", true);
    if (t.designDuty) o.designDuty = ParseNumberArg(*t.designDuty, "--design-duty", true);
    if (t.mode) o.mode = ParseChoice(*t.mode, "--mode", {"duty", "size"});
    if (t.size) ParseChoice(*t.size, "--size", {"face", "height", "length", "rows", "fins", "rowsfins"});
    if (t.sizeAirVolume) ParseNumberArg(*t.sizeAirVolume, "--size-air-volume", true);
    return o;
}

// The command reports a fault of the project itself, in one line that names the option.
struct QuietProject {
    explicit QuietProject(TCoilProject& p) : project(p), shown(p.OnMessage) {
        p.OnMessage = [](const std::string&) {};
    }
    ~QuietProject() { project.OnMessage = shown; }
    TCoilProject& project;
    MessageHandler shown;
};

// Throws ModelError naming the option when its row did not take the value.
void RowApplied(bool applied, const TCoilProject& project, const char* option,
                const std::string& text) {
    if (!applied)
        throw ModelError{std::string(option) + " " + text + ": " + project.LastError};
}

void CreateCoil(const TCoilSettings& settings, TCoilProject& project) {
    QuietProject quiet(project);
    if (!project.CreateCoil(settings))
        throw ModelError{"the coil cannot be built from these options: " + project.LastError};
}

// The new coil of the options, in project or in the project of starts when given.
TCoilProject& CreateFromOptions(const CoilOptionTexts& t, const CoilOptions& o,
                                TCoilProject& project, CoilStarts* starts) {
    TCoilProject& p = starts ? starts->Start(o.settings) : project;
    if (!starts) CreateCoil(o.settings, p);
    p.Coil().UseFouling = !t.noFouling;
    return p;
}

// The grid rows, in order; only the options given run theirs.
void ApplyRows(const CoilOptionTexts& t, const CoilOptions& o, TCoilProject& project) {
    QuietProject quiet(project);
    if (t.model && !project.SetCoilModel(*t.model)) {
        if (!project.LastError.empty()) RowApplied(false, project, "--model", *t.model);
        throw ArgumentError{"--model is not a coil designation: '" + *t.model + "'"};
    }
    if (o.pressure) RowApplied(project.SetBarometer(*o.pressure), project, "--pressure", *t.pressure);
    if (t.airOn) RowApplied(project.SetOnCoil(*t.airOn), project, "--air-on", *t.airOn);
    if (o.airVolume)
        RowApplied(project.SetAirVolume(*o.airVolume), project, "--air-volume", *t.airVolume);
    if (o.faceVelocity)
        RowApplied(project.SetAirVelocity(*o.faceVelocity), project, "--face-velocity",
                   *t.faceVelocity);
    if (o.liquid || o.additive || o.additiveVolume) {
        const TLiquid& l = project.Coolant();
        const bool applied = project.SetCoolant(o.liquid.value_or(l.LiquidSpec),
                                                o.additive.value_or(l.WaterAdditive),
                                                o.additiveVolume.value_or(l.AdditiveVolume));
        RowApplied(applied, project, "--liquid/--additive",
                   t.liquid.value_or("") + "/" + t.additive.value_or("") + "/" +
                       t.additiveVolume.value_or(""));
    }
    if (o.control)
        RowApplied(project.SetFluidControl(*o.control), project, "--control", *t.control);
    if (o.fluidInlet)
        RowApplied(project.SetFluidInlet(*o.fluidInlet), project, "--fluid-inlet", *t.fluidInlet);
    if (o.designDt) RowApplied(project.SetDesignDT(*o.designDt), project, "--design-dt", *t.designDt);
    if (o.fluidFlow)
        RowApplied(project.SetFluidFlow(*o.fluidFlow), project, "--fluid-flow", *t.fluidFlow);
    if (o.tubeVelocity)
        RowApplied(project.SetTubeVelocity(*o.tubeVelocity), project, "--tube-velocity",
                   *t.tubeVelocity);
    if (o.designDuty)
        RowApplied(project.SetDesignDuty(*o.designDuty), project, "--design-duty", *t.designDuty);
    if (o.mode) RowApplied(project.SetCalcMode(*o.mode), project, "--mode", *t.mode);
}

}  // namespace

TCoilProject& CoilStarts::Start(const TCoilSettings& settings) {
    if (saved_ && settings == settings_ && project_->RestoreState(*saved_)) return *project_;
    saved_.reset();
    // A new project each time: one that has rated coils keeps their sizing status and texts.
    project_ = std::make_unique<TCoilProject>();
    CreateCoil(settings, *project_);
    settings_ = settings;
    saved_ = project_->SaveState();
    return *project_;
}

TCoilProject& BuildCoil(const CoilOptionTexts& t, TCoilProject& project, CoilStarts* starts) {
    const CoilOptions o = ParseCoilOptions(t);
    TCoilProject& p = CreateFromOptions(t, o, project, starts);
    ApplyRows(t, o, p);
    return p;
}

bool BuildCoilFromFile(const CoilOptionTexts& t, const std::string& path, TCoilProject& project) {
    if (t.maker || t.tube)
        throw ArgumentError{"--maker and --tube choose a new coil's tube; the coil of '" + path +
                            "' keeps its own"};
    const CoilOptions o = ParseCoilOptions(t);
    CreateFromOptions(t, o, project, nullptr);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec) && !std::filesystem::is_directory(path, ec)) {
        ShowMessage("File not found: " + path);
        return false;
    }
    if (!project.OpenFile(path)) return false;
    ApplyRows(t, o, project);
    return true;
}

bool CalculateCoil(const CoilOptionTexts& t, TCoilProject& project, std::ostream& err) {
    auto tellSizing = [&](const char* name) {
        if (!project.LastError.empty() || project.SizingStatus == ssSolved) return;
        err << "qdx: sizing by " << name
            << (project.SizingStatus == ssFailed ? " was refused or failed" : " did not converge")
            << " (status " << static_cast<int>(project.SizingStatus) << ")\n";
    };
    if (!t.size) {
        project.SolveCoil();
        // Coil Size mode sizes the face before it rates.
        if (project.CalcMode == cmCoilSize) tellSizing(kSizeNames[0]);
        return project.LastError.empty();
    }
    const int index = ParseChoice(*t.size, "--size", {"face", "height", "length", "rows", "fins", "rowsfins"});
    const double v = t.sizeAirVolume ? ParseNumberArg(*t.sizeAirVolume, "--size-air-volume", true) : 0;
    project.SizeAndSolve(kSizeKinds[index], v);
    tellSizing(kSizeNames[index]);
    return project.LastError.empty();
}

std::string CalculationFailure(const TCoilProject& project, bool calculated) {
    if (!calculated) return "Data Error... (" + project.LastError + ")";
    const int status = project.Coil().SolveStatus;
    if (status == ssSolved) return {};
    return std::string("the coil is not solved: ") +
           (status == ssNotConverged ? "the calculation did not converge"
                                     : "the calculation failed") +
           " (status " + std::to_string(status) + ")";
}

namespace {

// A derived value that may fault after a failed calculation: NaN then.
double Guarded(const std::function<double()>& f) {
    try {
        return f();
    } catch (const std::exception&) {
        return NAN;
    }
}

}  // namespace

namespace {

// The members of one JSON object, in the layout asked for: each on a line of its own, indented
// by two, or all on one line (as an object inside a member is in either).
class JsonObjectText {
public:
    JsonObjectText(std::string& text, JsonLayout layout)
        : text_(text), separator_(layout == JsonLayout::Pretty ? ",\n  " : ", "),
          pretty_(layout == JsonLayout::Pretty) {
        text_ += pretty_ ? "{\n  " : "{";
    }
    // Starts the next member; its value is appended to the text returned.
    std::string& Key(const char* key) {
        if (!first_) text_ += separator_;
        first_ = false;
        text_ += '"';
        text_ += key;
        text_ += "\": ";
        return text_;
    }
    void Number(const char* key, double v) { AppendJsonNumber(Key(key), v); }
    void Integer(const char* key, long long v) { Key(key) += std::to_string(v); }
    void String(const char* key, const std::string& v) { Key(key) += JsonString(v); }
    void End() { text_ += pretty_ ? "\n}\n" : "}"; }

private:
    std::string& text_;
    const char* separator_;
    bool pretty_;
    bool first_ = true;
};

}  // namespace

void AppendRateJson(TCoilProject& project, const std::string& error, std::string& text,
                    JsonLayout layout) {
    TColdWaterCoil& c = project.Coil();
    TLiquidState& ls = project.LiquidState();
    const TLiquid& l = project.Coolant();
    JsonObjectText o(text, layout);
    o.Integer("status", static_cast<int>(c.SolveStatus));
    o.String("surface", SurfaceStateCaption(c.SurfaceState));
    o.Number("Qt", c.Qt);
    o.Number("Qs", c.Qs);
    {
        JsonObjectText air(o.Key("air_in"), JsonLayout::OneLine);
        air.Number("db", c.AirIn->db);
        air.Number("wb", c.AirIn->wb);
        air.Number("pa", c.AirIn->pa);
        air.End();
    }
    {
        JsonObjectText air(o.Key("air_out"), JsonLayout::OneLine);
        air.Number("db", c.AirOut->db);
        air.Number("wb", c.AirOut->wb);
        air.End();
    }
    o.Number("mass_flow", c.MassFlow);
    o.Number("volume_flow", c.VolumeFlow);
    o.Number("face_velocity", c.FaceVelocity);
    o.Number("face_area", c.FaceArea());
    o.String("model", c.GetDesignation());
    {
        JsonObjectText liquid(o.Key("liquid"), JsonLayout::OneLine);
        liquid.Number("tfi", l.tfi);
        liquid.Number("tfo", l.tfo);
        liquid.Number("mass_flow", l.m);
        liquid.Number("velocity", ls.vw);
        liquid.Number("designdt", ls.designdt);
        liquid.Integer("ctrl", static_cast<int>(ls.ctrl));
        liquid.End();
    }
    o.Number("air_dp", Guarded([&] { return c.AirPressureDrop(); }));
    o.Number("liquid_dp", Guarded([&] { return c.FluidPressureDrop(); }));
    o.Integer("pipe_conn", c.PipeConnectionSize());
    o.Number("condensate", Guarded([&] { return c.CondensateRate(); }));
    o.Number("ADP", c.ADP);
    o.Number("bypass_factor", c.BypassFactor);
    o.Number("Ntu", c.Ntu);
    o.Number("Cr", c.Cr);
    o.Number("e", c.e);
    o.Number("ho", c.ho);
    o.Number("hi", c.hi);
    o.Number("Ui", c.Ui);
    o.Number("Uo", c.Uo);
    o.Number("Qmax", c.Qmax);
    o.Number("fin_height", c.FinHeight());
    o.Number("finned_length", c.FinnedLength());
    o.Number("rows", c.Rows());
    o.Number("fpi", c.FinsPerInch());
    o.Number("circuits", c.Circuits());
    if (l.status != 0)
        o.String("warning", Format("%s at %0.1f °C is outside its valid range %0.1f .. %0.1f °C",
                                   l.GetCaption(), l.t, l.tLower, l.tUpper));
    if (!error.empty()) o.String("error", error);
    o.End();
}

void PrintRateJson(TCoilProject& project, const std::string& error, std::ostream& out) {
    std::string text;
    AppendRateJson(project, error, text, JsonLayout::Pretty);
    out << text;
}

void AddReportOptions(CLI::App& sub, ReportOptionTexts& t) {
    sub.add_option("--report", t.report,
                   "Text to print: performance|diagnostics|manufacturing|results")
        ->capture_default_str();
    sub.add_option("--html", t.html, "Also write the report as an HTML page to this file");
    sub.add_option("--units", t.units, "Units of the report: metric|imperial|user")
        ->capture_default_str();
}

void CheckReportOptions(const ReportOptionTexts& t) {
    ParseChoice(t.report, "--report", {"performance", "diagnostics", "manufacturing", "results"});
    ParseChoice(t.units, "--units", {"metric", "imperial", "user"});
    if (t.html && t.html->empty()) throw ArgumentError{"--html needs a file name"};
}

void ApplyUnits(const std::string& units) {
    TUnitPrefs& prefs = UnitPrefs();
    prefs.Reset();
    if (units == "imperial") {
        prefs.SetImperialUnits();
    } else if (units == "user") {
        LoadUnitsFile();
        const auto common = OpenCommonSettings();
        ReadUnitChoices(*common, prefs);
    }
}

int PrintDocument(const ReportOptionTexts& t, const std::function<void(TReportDocument&)>& write,
                  bool printText, CommandContext& ctx) {
    TTextReport text;
    THtmlReport html;
    html.Title = std::string(TCoilProject::kProgramName) + " Report";
    struct Both : TReportDocument {
        TReportDocument* a;
        TReportDocument* b;
        Both(TReportDocument* x, TReportDocument* y) : a(x), b(y) {}
        void Clear() override {
            a->Clear();
            b->Clear();
        }

    protected:
        void DoAddLine(const ReportLine& line) override {
            a->AddLine(line.Text, line.Style, line.Size, line.Color);
            b->AddLine(line.Text, line.Style, line.Size, line.Color);
        }
    } doc(&text, &html);

    try {
        write(doc);
    } catch (const std::exception& e) {
        ctx.err << "qdx: Data Error... (" << e.what() << ")\n";
        return 1;
    }

    // Every line printed ends in CR LF, the last one too, so that what follows (the shell's
    // prompt, the next message) starts on a line of its own.
    if (printText && text.LineCount() > 0) ctx.out << text.Text() << "\r\n";
    if (t.html) {
        std::string why;
        if (!WriteFileAtomically(*t.html, html.Html(), &why)) {
            ctx.err << "qdx: cannot write " << *t.html << ": " << why << "\n";
            return 1;
        }
    }
    return 0;
}

int WriteReport(const ReportOptionTexts& t, TCoilProject& project, bool calculated,
                bool printText, CommandContext& ctx) {
    TColdWaterCoil& c = project.Coil();
    return PrintDocument(
        t,
        [&](TReportDocument& doc) {
            if (t.report == "diagnostics") {
                c.WriteDiagnostics(doc);
            } else if (t.report == "manufacturing") {
                c.FinAndTube->WriteManufacturingReport(doc);
            } else if (t.report == "results") {
                // Already CR LF text; one line each keeps the HTML page readable.
                const std::string lines = c.GetResultLines();
                std::string::size_type start = 0;
                while (true) {
                    const auto end = lines.find("\r\n", start);
                    doc.AddLine(std::string_view(lines).substr(start, end - start));
                    if (end == std::string::npos) break;
                    start = end + 2;
                }
            } else if (project.Solved || calculated) {
                c.WritePerformanceReport(doc);
            } else {
                doc.AddLine("Not Solved");
            }
        },
        printText, ctx);
}

}  // namespace qdx::cli

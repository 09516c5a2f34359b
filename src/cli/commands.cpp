#include "cli/commands.hpp"

#include <algorithm>
#include <ostream>
#include <sstream>

#include "cli/cli_args.hpp"
#include "documents/messages.hpp"
#include "geometry/coil_makers.hpp"
#include "units/format.hpp"
#include "version.hpp"

namespace qdx::cli {

namespace {

std::vector<CommandSetup>& Registry() {
    static std::vector<CommandSetup> setups;
    return setups;
}

}  // namespace

RegisterCommand::RegisterCommand(CommandSetup setup) { Registry().push_back(setup); }

void PrepareCoilData() { EnsureCatalogue(); }

std::string VersionText() {
    return Format("%s %d.%d.%d.%d", build::kProductName, build::kVersionMajor, build::kVersionMinor,
                  build::kVersionPatch, build::kVersionBuild);
}

std::vector<std::string> SubcommandNames() {
    CLI::App app;
    std::ostream none(nullptr);
    CommandContext ctx{none, none};
    for (CommandSetup setup : Registry()) setup(app, ctx);
    std::vector<std::string> names;
    for (const CLI::App* sub : app.get_subcommands([](CLI::App*) { return true; }))
        names.push_back(sub->get_name());
    return names;
}

std::string LastLine(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    const std::string::size_type start = text.rfind('\n');
    return start == std::string::npos ? text : text.substr(start + 1);
}

namespace {

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CLI::App app{"QDX rates and sizes chilled-water cooling coils.", "qdx"};
    bool showVersion = false;
    app.add_flag("--version", showVersion, "Print the program version and exit");
    app.require_subcommand(0, 1);

    CommandContext ctx{out, err};
    for (CommandSetup setup : Registry()) setup(app, ctx);

    // Messages of the core go to this run's error stream.
    struct MessagesTo {
        explicit MessagesTo(std::ostream& stream)
            : previous(SetMessageHandler([&stream](const std::string& text) { stream << text << "\n"; })) {}
        ~MessagesTo() { SetMessageHandler(previous); }
        MessageHandler previous;
    } messages(err);

    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return 0;
    } catch (const CLI::CallForAllHelp&) {
        out << app.help("", CLI::AppFormatMode::All);
        return 0;
    } catch (const CLI::ParseError& e) {
        err << "qdx: " << e.what() << "\n";
        return 2;
    } catch (const ArgumentError& e) {
        err << "qdx: " << e.message << "\n";
        return 2;
    } catch (const ModelError& e) {
        err << "qdx: " << e.message << "\n";
        return 1;
    } catch (const std::exception& e) {
        // No fault ends the program: whatever a command left uncaught fails it.
        err << "qdx: " << e.what() << "\n";
        return 1;
    } catch (...) {
        err << "qdx: unexpected error\n";
        return 1;
    }
    if (showVersion) {
        out << VersionText() << "\n";
        return 0;
    }
    if (app.get_subcommands().empty()) {
        out << app.help();
        return 0;
    }
    return ctx.exitCode;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    // Under --json the output is one JSON object whatever happens: a command that failed
    // without writing its own gets one holding the message.
    const bool json = std::find(args.begin(), args.end(), "--json") != args.end();
    if (!json) return Run(args, out, err);
    std::ostringstream jsonOut, messages;
    const int code = Run(args, jsonOut, messages);
    err << messages.str();
    if (code != 0 && jsonOut.str().find_first_not_of(" \n") == std::string::npos) {
        out << "{\n  \"error\": " << JsonString(LastLine(messages.str())) << "\n}\n";
        return code;
    }
    out << jsonOut.str();
    return code;
}

}  // namespace qdx::cli

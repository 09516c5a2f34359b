#include "cli/commands.hpp"

#include <ostream>

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

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
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

}  // namespace qdx::cli

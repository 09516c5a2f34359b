#pragma once
// The headless command line: `qdx --version` and the subcommands.
//
// Each subcommand lives in its own file and registers itself with a static RegisterCommand
// object: its setup function adds the CLI11 subcommand and its options, and sets a callback
// that runs the command and stores its exit code in the context.

#include <CLI/CLI.hpp>

#include <iosfwd>
#include <string>
#include <vector>

namespace qdx::cli {

struct CommandContext {
    std::ostream& out;
    std::ostream& err;
    int exitCode = 0;
};

using CommandSetup = void (*)(CLI::App& app, CommandContext& ctx);

struct RegisterCommand {
    explicit RegisterCommand(CommandSetup setup);
};

// What a command that builds coils does first, as the program's start-up: the shipped
// catalogue is put in the maker's common folder when it is missing there.
void PrepareCoilData();

// "QDX 0.1.0.0": product name and the four-part file version.
std::string VersionText();

// The names of the registered subcommands.
std::vector<std::string> SubcommandNames();

// The last line of a command's messages, without its line end: the "error" of a --json run
// that failed without writing its own object.
std::string LastLine(std::string text);

// Runs the command line with its arguments (without the program name); output goes to out and
// err. Returns the process exit code: 0 done, 1 the command failed, 2 bad arguments; no fault
// escapes. Under --json the output is one JSON object: a run that fails without writing its own
// gets {"error": its last message}.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace qdx::cli

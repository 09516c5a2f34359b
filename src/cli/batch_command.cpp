// `qdx batch FILE|-`: rates many coils. Each input line is a JSON object whose keys are the long
// options of `qdx rate` without the dashes; each output line is what `qdx rate --json` with those
// options prints, on one line, in the input order. The lines are rated in parallel; every
// thread has its own engine state, and every line starts from the state a new `qdx rate` run
// starts from, so a line's result does not depend on the lines before it.

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <barrier>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/cli_args.hpp"
#include "cli/coil_command.hpp"
#include "cli/commands.hpp"
#include "documents/messages.hpp"

namespace qdx::cli {

namespace {

using nlohmann::json;

// Lines read and rated together: the output keeps the input order, and memory stays bounded
// whatever the length of the input.
constexpr std::size_t kLinesPerThreadInChunk = 512;

// The JSON object of a line.
json LineObject(const std::string& line) {
    json object;
    try {
        object = json::parse(line);
    } catch (const json::parse_error& e) {
        throw ArgumentError{std::string("not a JSON object: ") + e.what()};
    }
    if (!object.is_object()) throw ArgumentError{"not a JSON object: " + line};
    return object;
}

// The text a value stands for on the command line; false for one that is not a text or a
// number.
bool ValueText(const json& value, std::string& text) {
    if (value.is_string()) {
        text = value.get<std::string>();
    } else if (value.is_number()) {
        // The shortest text of the number, which reads back as the same double.
        text = value.dump();
    } else {
        return false;
    }
    return true;
}

// The arguments of `qdx rate` a line stands for: "key": value becomes --key=value (a value that
// begins with "-" stays a value), "key": "" the two arguments --key and "" (the parser would take
// the argument after --key= for its value), "key": true the flag --key, "key": false nothing.
std::vector<std::string> RateArguments(const json& object) {
    std::vector<std::string> args;
    std::string text;
    for (const auto& [key, value] : object.items()) {
        // Every line's result is JSON already.
        if (key == "json") continue;
        const std::string option = "--" + key;
        if (value.is_boolean()) {
            if (value.get<bool>()) args.push_back(option);
        } else if (ValueText(value, text)) {
            if (text.empty()) {
                args.push_back(option);
                args.emplace_back();
            } else {
                args.push_back(option + "=" + text);
            }
        } else {
            throw ArgumentError{option + " must be a text, a number or true"};
        }
    }
    return args;
}

// The common line, only coil options each given a text or a number (a flag true or false),
// read into cmd without the parser, as the parser would read its arguments. False, and cmd
// to be filled by the parser, for any other line.
bool ReadCoilOptions(const json& object, RateOptionTexts& cmd) {
    cmd = RateOptionTexts{};
    cmd.options.json = true;
    std::string text;
    for (const auto& [key, value] : object.items()) {
        if (key == "json") continue;
        if (bool* flag = CoilFlagOf(cmd.options, key); flag && value.is_boolean()) {
            if (value.get<bool>()) *flag = true;
            continue;
        }
        std::optional<std::string>* option = CoilTextOptionOf(cmd.options, key);
        if (!option || !ValueText(value, text) || text.empty()) return false;
        *option = text;
    }
    return true;
}

// One thread's rate command: every line's options read anew (by the parser unless the line
// holds coil options alone); each result is the one-line layout of what `qdx rate --json`
// prints.
class LineRater {
public:
    LineRater() { AddRateOptions(app_, cmd_); }
    LineRater(const LineRater&) = delete;
    LineRater& operator=(const LineRater&) = delete;

    // The result line of input line number n (1-based) into result, whose storage it reuses;
    // failed is set for a line that did not rate.
    void Rate(const std::string& line, std::size_t n, std::string& result, bool& failed) {
        out_.str({});
        err_.str({});
        int code = 0;
        {
            const MessageHandler previous =
                SetMessageHandler([this](const std::string& text) { err_ << text << "\n"; });
            code = RateLine(line, out_, err_);
            SetMessageHandler(previous);
        }
        failed = code != 0;
        result.assign(out_.view());
        if (result.empty()) result = "{\"error\": " + JsonString(LastLine(err_.str())) + "}";
        if (failed) result.insert(result.size() - 1, ", \"line\": " + std::to_string(n));
    }

private:
    int RateLine(const std::string& line, std::ostream& out, std::ostream& err) {
        try {
            const json object = LineObject(line);
            if (!ReadCoilOptions(object, cmd_)) {
                std::vector<std::string> args = RateArguments(object);
                args.emplace_back("--json");
                std::reverse(args.begin(), args.end());
                cmd_ = RateOptionTexts{};
                app_.clear();
                app_.parse(args);
            }
        } catch (const ArgumentError& e) {
            err << "qdx batch: " << e.message << "\n";
            return 2;
        } catch (const CLI::CallForHelp&) {
            err << "qdx batch: a line rates a coil; \"help\" is not one of its options\n";
            return 2;
        } catch (const CLI::ParseError& e) {
            err << "qdx batch: " << e.what() << "\n";
            return 2;
        }
        StartLikeANewRun(cmd_.options, !cmd_.file.empty());
        CommandContext ctx{out, err};
        try {
            return RunRate(cmd_, ctx, starts_, JsonLayout::OneLine);
        } catch (const std::exception& e) {
            err << "qdx: " << e.what() << "\n";
        } catch (...) {
            err << "qdx: unexpected error\n";
        }
        return 1;
    }

    CLI::App app_{"", "rate"};
    RateOptionTexts cmd_;
    CoilStarts starts_;
    std::ostringstream out_, err_;
};

struct BatchCommand {
    std::string input;
    unsigned jobs = 0;
};

// Rates the lines read chunk by chunk on jobs threads that live for the whole batch, so each
// keeps its engine state (the catalogue it read, the unit records) from chunk to chunk.
class RatingPool {
public:
    explicit RatingPool(unsigned jobs) : raters_(jobs), start_(jobs), end_(jobs) {
        for (unsigned t = 1; t < jobs; ++t)
            threads_.emplace_back([this, t] {
                for (;;) {
                    start_.arrive_and_wait();
                    if (done_) return;
                    Work(raters_[t]);
                    end_.arrive_and_wait();
                }
            });
    }
    ~RatingPool() {
        done_ = true;
        start_.arrive_and_wait();
        for (std::thread& t : threads_) t.join();
    }
    RatingPool(const RatingPool&) = delete;
    RatingPool& operator=(const RatingPool&) = delete;

    // Rates every line into results (the same order); returns how many failed. The strings
    // results holds are overwritten, so that their storage serves chunk after chunk.
    std::size_t Rate(const std::vector<std::string>& lines, const std::vector<std::size_t>& numbers,
                     std::vector<std::string>& results) {
        lines_ = &lines;
        numbers_ = &numbers;
        results_ = &results;
        results.resize(lines.size());
        next_ = 0;
        failures_ = 0;
        start_.arrive_and_wait();
        Work(raters_[0]);
        end_.arrive_and_wait();
        return failures_;
    }

private:
    void Work(LineRater& rater) {
        for (std::size_t i = next_++; i < lines_->size(); i = next_++) {
            bool failed = false;
            rater.Rate((*lines_)[i], (*numbers_)[i], (*results_)[i], failed);
            if (failed) ++failures_;
        }
    }

    std::vector<LineRater> raters_;
    std::barrier<> start_, end_;
    std::vector<std::thread> threads_;
    std::atomic<bool> done_{false};
    const std::vector<std::string>* lines_ = nullptr;
    const std::vector<std::size_t>* numbers_ = nullptr;
    std::vector<std::string>* results_ = nullptr;
    // Each counter on a cache line of its own: the threads take lines from next_ all the time.
    alignas(64) std::atomic<std::size_t> next_{0};
    alignas(64) std::atomic<std::size_t> failures_{0};
};

int RunBatch(const BatchCommand& cmd, CommandContext& ctx) {
    std::ifstream file;
    std::istream* in = &std::cin;
    if (cmd.input != "-") {
        file.open(cmd.input, std::ios::binary);
        if (!file) {
            ctx.err << "qdx batch: cannot read " << cmd.input << "\n";
            return 2;
        }
        in = &file;
    }
    const unsigned jobs = cmd.jobs ? cmd.jobs : std::max(1u, std::thread::hardware_concurrency());
    RatingPool pool(jobs);
    const bool progress = ::isatty(STDERR_FILENO) == 1;

    std::size_t lineNumber = 0, rated = 0, failures = 0;
    std::vector<std::string> lines, results;
    std::vector<std::size_t> numbers;
    std::string text;
    bool more = true;
    while (more) {
        // The strings of the last chunk take the new lines, so that reading allocates nothing
        // once the first chunk is in.
        std::size_t count = 0;
        numbers.clear();
        while (count < kLinesPerThreadInChunk * jobs &&
               (more = static_cast<bool>(std::getline(*in, text)))) {
            ++lineNumber;
            if (!text.empty() && text.back() == '\r') text.pop_back();
            // Blank lines separate nothing in JSON Lines: they are passed over.
            if (text.find_first_not_of(" \t") == std::string::npos) continue;
            if (count < lines.size())
                lines[count].swap(text);
            else
                lines.push_back(std::move(text));
            ++count;
            numbers.push_back(lineNumber);
        }
        lines.resize(count);
        if (lines.empty()) continue;
        failures += pool.Rate(lines, numbers, results);
        for (const std::string& r : results) ctx.out << r << '\n';
        ctx.out.flush();
        rated += lines.size();
        if (progress)
            ctx.err << "\rqdx batch: " << rated << " rated, " << failures << " failed"
                    << std::flush;
    }
    if (progress) ctx.err << "\n";
    return failures == 0 ? 0 : 1;
}

void SetupBatch(CLI::App& app, CommandContext& ctx) {
    auto cmd = std::make_shared<BatchCommand>();
    CLI::App* sub = app.add_subcommand(
        "batch", "Rate many coils: JSON Lines of qdx rate options in, one JSON result a line out");
    sub->add_option("input", cmd->input, "JSON Lines file, or - for standard input")->required();
    sub->add_option("--jobs", cmd->jobs, "Threads that rate lines (default: every core)")
        ->check(CLI::Range(1u, 1024u));
    sub->callback([cmd, &ctx] {
        PrepareCoilData();
        ctx.exitCode = RunBatch(*cmd, ctx);
    });
}

const RegisterCommand kRegisterBatch(SetupBatch);

}  // namespace

}  // namespace qdx::cli

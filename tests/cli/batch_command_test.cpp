// `qdx batch` as a user runs it: thousands of varied lines against `qdx rate --json` of the same
// options, the input order, bad lines, standard input, and thread counts that change nothing.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include <nlohmann/json.hpp>

#include "cli/program_run.hpp"

namespace qdx::cli {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

using test::ProgramRun;
using test::Quoted;

class BatchCommand : public test::TestFolder {
protected:
    // Runs qdx with its folders inside the test's folder; input goes to standard input.
    ProgramRun Qdx(const std::string& args, const std::string& input = "") {
        return TestFolder::Qdx(args, "", input);
    }

    fs::path Write(const std::string& name, const std::string& text) {
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << text;
        return p;
    }
};

// Varied coils: air, liquid, geometry, control, mode and sizing change from line to line.
json VariedLine(int i) {
    static const char* const kModels[] = {"635 720 4r 12f 7c", "762 1200 6r 10f 12c",
                                          "457 600 3r 14f 6c", "914 1500 8r 8f 16c"};
    static const char* const kSizes[] = {"face", "height", "length", "rows", "fins", "rowsfins"};
    json line;
    const int db = 22 + i % 11;
    line["air-on"] = std::to_string(db) + "/" + std::to_string(db - 5 - i % 4);
    line["model"] = kModels[i % 4];
    line["face-velocity"] = 1.5 + 0.25 * (i % 9);
    line["fluid-inlet"] = 4 + 0.5 * (i % 10);
    if (i % 3 == 0) {
        line["control"] = "temperature";
        line["design-dt"] = 4 + i % 5;
    }
    if (i % 7 == 0) {
        line["liquid"] = 0;
        line["additive"] = 1 + i % 3;
        line["additive-volume"] = 0.2;
    }
    if (i % 11 == 0) {
        line["size"] = kSizes[(i / 11) % 6];
        line["design-duty"] = 20 + i % 25;
    }
    if (i % 13 == 0) line["no-fouling"] = true;
    if (i % 17 == 0) line["pressure"] = 90 + i % 12;
    return line;
}

// The `qdx rate` arguments of a line, as a user would type them.
std::string RateArgs(const json& line) {
    std::string args;
    for (const auto& [key, value] : line.items()) {
        args.append(" --").append(key);
        if (value.is_string()) args.append(" ").append(Quoted(value.get<std::string>()));
        else if (!value.is_boolean()) args.append(" ").append(value.dump());
    }
    return args;
}

TEST_F(BatchCommand, TenThousandLinesEqualQdxRateOfEachLineInTheirOrder) {
    constexpr int kLines = 10000;
    std::string input;
    std::vector<json> lines;
    for (int i = 0; i < kLines; ++i) {
        lines.push_back(VariedLine(i));
        input += lines.back().dump() + "\n";
    }
    const ProgramRun run = Qdx("batch " + Quoted(Write("coils.jsonl", input).string()));
    ASSERT_EQ(run.code == 0 || run.code == 1, true) << run.err;
    const std::vector<std::string> out = run.lines();
    ASSERT_EQ(out.size(), static_cast<std::size_t>(kLines));
    // The order: every result is the coil of its own line.
    for (int i = 0; i < kLines; ++i) {
        const json r = json::parse(out[i]);
        ASSERT_FALSE(r.contains("error") && !r.contains("status")) << i + 1 << ": " << out[i];
        EXPECT_EQ(r["air_in"]["db"], 22 + i % 11) << i + 1;
        EXPECT_EQ(r.contains("error"), r.contains("line")) << i + 1;
    }
    // A sample, field by field, against single runs of qdx rate.
    for (int i = 0; i < kLines; i += kLines / 100) {
        const ProgramRun single = Qdx("rate --json" + RateArgs(lines[i]));
        json expected = json::parse(single.out);
        const json got = json::parse(out[i]);
        if (expected.contains("error")) expected["line"] = i + 1;
        EXPECT_EQ(got, expected) << "line " << i + 1 << ":" << RateArgs(lines[i]);
        EXPECT_EQ(run.code != 0 || single.code == 0, true);
    }
}

TEST_F(BatchCommand, BadLinesGiveAnErrorWithTheirNumberAndTheBatchGoesOn) {
    const std::string input =
        "{\"air-on\": \"27/19\", \"model\": \"635 720 4r 12f 7c\", \"size\": \"face\", "
        "\"design-duty\": 30}\n"
        "not json\n"
        "\n"
        "{\"colour\": \"red\"}\n"
        "{\"air-on\": \"warm\"}\n"
        "[1, 2]\n"
        "{\"face-velocity\": [2.5]}\n"
        "{\"design-dt\": -3, \"control\": \"temperature\"}\n"
        "{\"air-volume\": 0}\n"
        "{\"help\": true}\n"
        "{\"fluid-inlet\": 7, \"json\": true}\n"
        "{\"model\": \"\"}\n";
    const ProgramRun run = Qdx("batch -", input);
    EXPECT_EQ(run.code, 1) << run.err;
    const std::vector<std::string> out = run.lines();
    ASSERT_EQ(out.size(), 11u) << run.out;
    struct Expect {
        int line;   // 0: a rated line, no error
        const char* error;  // a part of the error text
    };
    const Expect expects[] = {
        {0, ""},
        {2, "not a JSON object"},
        {4, "colour"},
        {5, "--air-on must be DB/WB"},
        {6, "not a JSON object"},
        {7, "--face-velocity must be a text, a number or true"},
        {0, ""},  // a negative rise is the model's to take: the line rates
        {9, "Data Error..."},
        {10, "help"},
        {0, ""},
        // An empty value is that value, as --model "" on the command line, not the next option.
        {12, "--model is not a coil designation: ''"},
    };
    for (std::size_t i = 0; i < out.size(); ++i) {
        SCOPED_TRACE(out[i]);
        const json r = json::parse(out[i]);
        if (expects[i].line == 0) {
            EXPECT_FALSE(r.contains("error"));
            EXPECT_EQ(r["status"], 0);
            continue;
        }
        EXPECT_EQ(r["line"], expects[i].line);
        EXPECT_NE(r["error"].get<std::string>().find(expects[i].error), std::string::npos);
    }
    // Standard error is no terminal here: no progress line.
    EXPECT_EQ(run.err.find("rated,"), std::string::npos);
    // The first line is the example of the documentation, rated as qdx rate rates it.
    const ProgramRun single = Qdx(
        "rate --json --air-on 27/19 --model '635 720 4r 12f 7c' --size face --design-duty 30");
    EXPECT_EQ(json::parse(out[0]), json::parse(single.out));
    // Each result is one line whatever qdx rate's layout.
    EXPECT_EQ(out[0].find('\n'), std::string::npos);
    EXPECT_EQ(out[0].rfind("{\"status\": 0, \"surface\": ", 0), 0u) << out[0];
}

// What `qdx rate --json` prints, on one line: the layout a batch line is written in.
std::string OnOneLine(std::string pretty) {
    auto replace = [&pretty](const std::string& from, const std::string& to) {
        for (auto at = pretty.find(from); at != std::string::npos; at = pretty.find(from, at))
            pretty.replace(at, from.size(), to);
    };
    replace(",\n  ", ", ");
    replace("{\n  ", "{");
    replace("\n}\n", "}");
    return pretty;
}

// Every line equals its own single run, byte for byte, however the lines before it changed the
// tube, the maker, the factors, the units, the mode or the coil by sizing.
TEST_F(BatchCommand, ALineAfterLinesThatChangedTheSettingsRatesAsItsOwnQdxRate) {
    const char* const kLines[] = {
        R"({"air-on": "27/19", "face-velocity": 2.2})",
        R"({"model": "762 1200 6r 10f 12c", "tube": 5, "factors": "1.1,0.9,1,1.2,0.8"})",
        R"({"air-on": "27/19", "face-velocity": 2.2})",
        R"({"units": "imperial", "size": "rows", "design-duty": 40, "no-fouling": true})",
        R"({"air-on": "27/19", "face-velocity": 2.2})",
        R"({"maker": "Nobody", "air-on": "26/18"})",
        R"({"maker": "Nobody", "air-on": "26/18", "fluid-inlet": 5})",
        R"({"air-on": "27/19", "face-velocity": 2.2})",
        R"({"mode": "size", "design-duty": 25, "liquid": 0, "additive": 2, "additive-volume": 0.3})",
        R"({"fluid-inlet": -3, "liquid": 0, "additive": 1, "additive-volume": 0.25})",
        R"({"air-volume": 0})",
        R"({"air-on": "27/19", "face-velocity": 2.2})",
    };
    std::string input;
    for (const char* line : kLines) input += std::string(line) + "\n";
    const ProgramRun run = Qdx("batch --jobs 1 -", input);
    const std::vector<std::string> out = run.lines();
    ASSERT_EQ(out.size(), std::size(kLines)) << run.err;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const ProgramRun single = Qdx("rate --json" + RateArgs(json::parse(kLines[i])));
        std::string expected = OnOneLine(single.out);
        if (single.code != 0)
            expected.insert(expected.size() - 1, ", \"line\": " + std::to_string(i + 1));
        EXPECT_EQ(out[i], expected) << kLines[i];
    }
    EXPECT_EQ(out[0], out.back());
}

TEST_F(BatchCommand, OneJobAndTwoJobsPrintTheSameBytes) {
    std::string input;
    for (int i = 0; i < 3000; i += 3) input += VariedLine(i * 7 + 1).dump() + "\n";
    const fs::path file = Write("coils.jsonl", input);
    const ProgramRun one = Qdx("batch --jobs 1 " + Quoted(file.string()));
    const ProgramRun two = Qdx("batch --jobs 2 " + Quoted(file.string()));
    EXPECT_EQ(one.out, two.out);
    EXPECT_EQ(one.code, two.code);
    EXPECT_EQ(one.lines().size(), 1000u);
}

TEST_F(BatchCommand, ArgumentsAndInputThatAreNotThere) {
    EXPECT_EQ(Qdx("batch " + Quoted((dir_ / "missing.jsonl").string())).code, 2);
    EXPECT_EQ(Qdx("batch").code, 2);
    EXPECT_EQ(Qdx("batch --jobs 0 -", "{}\n").code, 2);
    const ProgramRun empty = Qdx("batch -", "");
    EXPECT_EQ(empty.code, 0);
    EXPECT_EQ(empty.out, "");
}

}  // namespace
}  // namespace qdx::cli

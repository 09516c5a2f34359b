#include "documents/aerograph_file.hpp"

#include <cmath>

#include "documents/atomic_file.hpp"
#include "documents/line_parser.hpp"
#include "documents/text_utils.hpp"
#include "units/format.hpp"

namespace qdx {

const TAerographNode* TAerographFile::FindNode(std::string_view name) const {
    for (const TAerographNode& n : nodes)
        if (n.name == name) return &n;
    return nullptr;
}

std::string WriteAerographText(const TAerographFile& file) {
    std::string text = std::string(TAerographFile::kHeader) + "\r\n";
    file.properties.WritePropertiesText(text);
    text += Format("%0.3f", file.barometer) + "\r\n";
    text += Format("%0.2f, %0.2f, %0.5f, %0.5f", file.dryBulbMin, file.dryBulbMax,
                   file.moistureMin, file.moistureMax) +
            "\r\n";
    for (const TAerographNode& n : file.nodes)
        text += Format("'%S', '%S', %0.3f, %0.3f, '%S'", n.name, n.caption, n.dryBulb, n.wetBulb,
                       n.note) +
                "\r\n";
    for (const TAerographProcess& p : file.processes)
        text += Format("'%S', '%S', '%S', '%S', %0.4f, '%S'", p.name, p.caption, p.startNode,
                       p.endNode, p.massFlow, p.note) +
                "\r\n";
    return text;
}

namespace {

struct TReadFault {
    std::string message;
};

class TLines {
public:
    explicit TLines(std::string_view text) {
        size_t start = 0;
        while (start <= text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string_view::npos) end = text.size();
            std::string_view line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            lines_.emplace_back(line);
            start = end + 1;
        }
        // Blank lines at the end (a final line break, an editor's trailing newlines) are not
        // records.
        while (!lines_.empty() && Trim(lines_.back()).empty()) lines_.pop_back();
    }

    bool AtEnd() const { return next_ >= lines_.size(); }
    int LineNumber() const { return static_cast<int>(next_); }  // of the line last taken, from 1

    const std::string& Take(const char* what) {
        if (AtEnd()) throw TReadFault{"the file ends before the " + std::string(what)};
        return lines_[next_++];
    }

    [[noreturn]] void Fail(const std::string& why) const {
        throw TReadFault{"line " + std::to_string(LineNumber()) + ": " + why};
    }

    // A line holding one value in single quotes; quotes inside it are part of the value.
    std::string Quoted(const char* what) {
        const std::string line = Trim(Take(what));
        if (line.size() < 2 || line.front() != '\'' || line.back() != '\'')
            Fail(std::string("the ") + what + " is not a text in single quotes");
        return line.substr(1, line.size() - 2);
    }

    double Number(const char* what) {
        double v = 0;
        if (!TryStrToFloat(Take(what), v) || !std::isfinite(v))
            Fail(std::string("the ") + what + " is not a number");
        return v;
    }

private:
    std::vector<std::string> lines_;
    size_t next_ = 0;
};

struct TToken {
    std::string text;
    TTokenKind kind;
};

std::vector<TToken> Tokens(const std::string& line) {
    TLineParser parser(line);
    std::vector<TToken> tokens;
    std::string token;
    while (parser.NextToken(token)) {
        if (parser.TokenKind() == tkComment) break;
        tokens.push_back({token, parser.TokenKind()});
    }
    return tokens;
}

double TokenNumber(const TToken& t, TLines& lines, const char* what) {
    double v = 0;
    if (t.kind != tkNumber || !TryStrToFloat(t.text, v) || !std::isfinite(v))
        lines.Fail(std::string("the ") + what + " is not a number");
    return v;
}

void ReadStates(TLines& lines, TAerographFile& file) {
    while (!lines.AtEnd()) {
        const std::string& line = lines.Take("states");
        if (Trim(line).empty()) continue;
        const std::vector<TToken> t = Tokens(line);
        if (t.size() == 5 && t[2].kind == tkNumber) {
            TAerographNode n;
            n.name = t[0].text;
            n.caption = t[1].text;
            n.dryBulb = TokenNumber(t[2], lines, "dry bulb");
            n.wetBulb = TokenNumber(t[3], lines, "wet bulb");
            n.note = t[4].text;
            if (n.name.empty()) lines.Fail("a node has no name");
            file.nodes.push_back(std::move(n));
        } else if (t.size() == 6) {
            TAerographProcess p;
            p.name = t[0].text;
            p.caption = t[1].text;
            p.startNode = t[2].text;
            p.endNode = t[3].text;
            p.massFlow = TokenNumber(t[4], lines, "air mass flow");
            p.note = t[5].text;
            for (const std::string* node : {&p.startNode, &p.endNode})
                if (!file.FindNode(*node))
                    lines.Fail("the process " + p.name + " joins the unknown node '" + *node +
                               "'");
            file.processes.push_back(std::move(p));
        } else {
            lines.Fail("neither a node (name, caption, dry bulb, wet bulb, note) nor a process "
                       "(name, caption, start node, end node, air mass flow, note)");
        }
    }
}

}  // namespace

bool ReadAerographText(std::string_view text, TAerographFile& file, std::string& error) {
    TLines lines(text);
    TAerographFile read;
    try {
        if (Trim(lines.Take("header")) != TAerographFile::kHeader)
            lines.Fail("not an Aerograph 1.0 data file");
        TFileProperties& props = read.properties;
        props.edProjectName = lines.Quoted("project name");
        props.edProjectNumber = lines.Quoted("project number");
        long long count = 0;
        if (!TryStrToInt(Trim(lines.Take("description")), count) || count < 0)
            lines.Fail("the number of description lines is not a count");
        std::string description;
        for (long long i = 0; i < count; ++i) {
            if (i > 0) description += "\r\n";
            description += lines.Quoted("description");
        }
        props.edDescription = std::move(description);
        props.edAuthor = lines.Quoted("author");
        props.edCompany = lines.Quoted("company");
        props.edDate = ParseDate(lines.Quoted("date"), " ");

        read.barometer = lines.Number("barometric pressure");
        if (read.barometer <= 0) lines.Fail("the barometric pressure is not positive");

        TLineParser range(lines.Take("chart range"));
        double* ends[] = {&read.dryBulbMin, &read.dryBulbMax, &read.moistureMin,
                          &read.moistureMax};
        for (double* end : ends) {
            *end = range.NextFloat();
            if (range.TakeState() != lsOk || !std::isfinite(*end))
                lines.Fail("the chart range is not four numbers");
        }
        if (read.dryBulbMin >= read.dryBulbMax || read.moistureMin >= read.moistureMax)
            lines.Fail("the chart range is empty");
        // Moist air as charts show it: the formulation's temperatures, up to 1 kg/kg.
        if (read.dryBulbMin < -100 || read.dryBulbMax > 200 || read.moistureMin < 0 ||
            read.moistureMax > 1)
            lines.Fail("the chart range lies outside -100 to 200 °C and 0 to 1 kg/kg");

        ReadStates(lines, read);
    } catch (const TReadFault& fault) {
        error = fault.message;
        return false;
    }
    file = std::move(read);
    error.clear();
    return true;
}

bool ReadAerographFile(const std::string& path, TAerographFile& file, std::string& error) {
    std::string text;
    if (!ReadWholeFile(path, text)) {
        error = "cannot read " + path;
        return false;
    }
    return ReadAerographText(text, file, error);
}

}  // namespace qdx

#include "documents/ini_file.hpp"

#include <climits>

#include "documents/atomic_file.hpp"
#include "documents/text_encoding.hpp"
#include "documents/text_utils.hpp"
#include "units/format.hpp"

namespace qdx {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool IsBlankLine(const IniDocument::Line& line) { return Trim(line.raw).empty(); }

IniDocument::Line KeyLine(std::string key, std::string value) {
    IniDocument::Line line;
    line.raw = key + "=" + value;
    line.isKey = true;
    line.key = std::move(key);
    line.value = std::move(value);
    return line;
}

// A value must stay on its line: any line break becomes the escaped CR LF pair.
std::string OneLine(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        char c = value[i];
        if (c == '\r' || c == '\n') {
            out += "%13%10";
            if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// IniDocument

void IniDocument::Clear() {
    preamble_.clear();
    sections_.clear();
    crlf_ = false;
    bom_ = false;
}

void IniDocument::Parse(std::string_view text) {
    Clear();
    if (text.substr(0, kBom.size()) == kBom) {
        bom_ = true;
        text.remove_prefix(kBom.size());
    }
    size_t firstEnd = text.find('\n');
    crlf_ = firstEnd != std::string_view::npos && firstEnd > 0 && text[firstEnd - 1] == '\r';

    Section* current = nullptr;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        std::string_view raw =
            text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        pos = end == std::string_view::npos ? text.size() : end + 1;
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);

        std::string trimmed = Trim(raw);
        if (!trimmed.empty() && trimmed.front() == '[') {
            size_t close = trimmed.find(']');
            if (close != std::string::npos) {
                std::string name = AsUtf8(Trim(std::string_view(trimmed).substr(1, close - 1)));
                // A repeated header continues the section it names.
                current = FindSection(name);
                if (!current) {
                    sections_.push_back(Section{name, std::string(raw), {}});
                    current = &sections_.back();
                }
                continue;
            }
        }
        Line line;
        line.raw = std::string(raw);
        if (!trimmed.empty() && trimmed.front() != ';' && trimmed.front() != '#') {
            std::string key, value;
            if (SplitNameValue(trimmed, key, value) && !key.empty()) {
                // Programs that know no other write settings in Windows-1252; what is read is
                // UTF-8, as every text the program holds. The line is written back as it was.
                line.isKey = true;
                line.key = AsUtf8(key);
                line.value = AsUtf8(value);
            }
        }
        (current ? current->lines : preamble_).push_back(std::move(line));
    }
}

std::string IniDocument::Text() const {
    const char* eol = crlf_ ? "\r\n" : "\n";
    std::string out;
    if (bom_) out += kBom;
    for (const Line& line : preamble_) out += line.raw + eol;
    for (const Section& section : sections_) {
        out += section.header + eol;
        for (const Line& line : section.lines) out += line.raw + eol;
    }
    return out;
}

IniDocument::Section* IniDocument::FindSection(std::string_view name) {
    for (Section& s : sections_)
        if (SameText(s.name, name)) return &s;
    return nullptr;
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
    for (const Section& s : sections_)
        if (SameText(s.name, name)) return &s;
    return nullptr;
}

IniDocument::Line* IniDocument::FindKey(Section& section, std::string_view key) {
    for (Line& line : section.lines)
        if (line.isKey && SameText(line.key, key)) return &line;
    return nullptr;
}

const IniDocument::Line* IniDocument::FindKey(const Section& section, std::string_view key) {
    for (const Line& line : section.lines)
        if (line.isKey && SameText(line.key, key)) return &line;
    return nullptr;
}

const std::string* IniDocument::Value(std::string_view section, std::string_view key) const {
    const Section* s = FindSection(section);
    if (!s) return nullptr;
    const Line* line = FindKey(*s, key);
    return line ? &line->value : nullptr;
}

IniDocument::Section& IniDocument::AppendSection(std::string_view name) {
    // Keep a blank line between the previous content and the new header.
    std::vector<Line>* last = sections_.empty() ? &preamble_ : &sections_.back().lines;
    bool hasContent = !preamble_.empty() || !sections_.empty();
    if (hasContent && (last->empty() ? !sections_.empty() : !IsBlankLine(last->back())))
        last->push_back(Line{});
    std::string trimmed = Trim(name);
    sections_.push_back(Section{trimmed, "[" + trimmed + "]", {}});
    return sections_.back();
}

bool IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    std::string k = Trim(key);
    std::string v = Trim(value);
    if (k.empty()) return false;  // it could never be read back
    Section* s = FindSection(Trim(section));
    if (!s) s = &AppendSection(section);
    if (Line* line = FindKey(*s, k)) {
        if (line->value == v) return false;
        *line = KeyLine(line->key, v);
        return true;
    }
    // After the last non-blank line, so blank lines before the next section stay there.
    size_t at = s->lines.size();
    while (at > 0 && IsBlankLine(s->lines[at - 1])) --at;
    s->lines.insert(s->lines.begin() + static_cast<std::ptrdiff_t>(at), KeyLine(k, v));
    return true;
}

bool IniDocument::DeleteKey(std::string_view section, std::string_view key) {
    Section* s = FindSection(section);
    if (!s) return false;
    size_t before = s->lines.size();
    std::erase_if(s->lines, [&](const Line& line) { return line.isKey && SameText(line.key, key); });
    return s->lines.size() != before;
}

bool IniDocument::EraseSection(std::string_view section) {
    size_t before = sections_.size();
    std::erase_if(sections_, [&](const Section& s) { return SameText(s.name, section); });
    return sections_.size() != before;
}

bool IniDocument::PutSection(const Section& source) {
    Section* s = FindSection(source.name);
    if (!s) {
        s = &AppendSection(source.name);
        s->lines = source.lines;
        return true;
    }
    // Keep the blank lines that separate this section from the next one.
    std::vector<Line> trailing;
    for (size_t i = s->lines.size(); i > 0 && IsBlankLine(s->lines[i - 1]); --i)
        trailing.push_back(s->lines[i - 1]);
    std::vector<Line> lines = source.lines;
    while (!lines.empty() && IsBlankLine(lines.back())) lines.pop_back();
    lines.insert(lines.end(), trailing.begin(), trailing.end());
    bool changed = lines.size() != s->lines.size();
    for (size_t i = 0; !changed && i < lines.size(); ++i) changed = lines[i].raw != s->lines[i].raw;
    s->lines = std::move(lines);
    return changed;
}

std::vector<std::string> IniDocument::SectionNames() const {
    std::vector<std::string> names;
    for (const Section& s : sections_) names.push_back(s.name);
    return names;
}

std::vector<std::string> IniDocument::Keys(std::string_view section) const {
    std::vector<std::string> keys;
    const Section* s = FindSection(section);
    if (!s) return keys;
    for (const Line& line : s->lines)
        if (line.isKey && FindKey(*s, line.key) == &line) keys.push_back(line.key);
    return keys;
}

std::vector<std::string> IniDocument::NameValues(std::string_view section) const {
    std::vector<std::string> list;
    const Section* s = FindSection(section);
    if (!s) return list;
    for (const Line& line : s->lines)
        if (line.isKey && FindKey(*s, line.key) == &line) list.push_back(line.key + "=" + line.value);
    return list;
}

// ---------------------------------------------------------------------------------------------
// Typed values, common to both stores

int TCustomIniFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
    long long v = 0;
    if (!TryStrToInt(ReadString(section, key, ""), v) || v < INT_MIN || v > INT_MAX) return fallback;
    return static_cast<int>(v);
}

bool TCustomIniFile::WriteInteger(std::string_view section, std::string_view key, long long value) {
    return WriteString(section, key, Format("%d", value));
}

bool TCustomIniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
    std::string text = Trim(ReadString(section, key, ""));
    long long v = 0;
    if (TryStrToInt(text, v)) return v != 0;
    if (SameText(text, "true")) return true;
    if (SameText(text, "false")) return false;
    return fallback;
}

bool TCustomIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    return WriteString(section, key, value ? "1" : "0");
}

double TCustomIniFile::ReadFloat(std::string_view section, std::string_view key,
                                 double fallback) const {
    double v = 0;
    return TryStrToFloat(ReadString(section, key, ""), v) ? v : fallback;
}

bool TCustomIniFile::WriteFloat(std::string_view section, std::string_view key, double value) {
    return WriteString(section, key, FloatToStr(value));
}

void WriteSectionValues(TCustomIniFile& file, std::string_view section,
                        const std::vector<std::string>& list) {
    for (const std::string& text : list) {
        std::string key, value;
        if (SplitNameValue(text, key, value)) file.WriteString(section, key, value);
    }
}

// ---------------------------------------------------------------------------------------------
// TPowerIniFile

TPowerIniFile::TPowerIniFile(std::string fileName) : TCustomIniFile(std::move(fileName)) {
    loadedExists_ = ReadWholeFile(FileName(), loadedText_);
    if (!loadedExists_) loadedText_.clear();
    doc_.Parse(loadedText_);
}

TPowerIniFile::~TPowerIniFile() {
    if (autoUpdate_) UpdateFile();
}

bool TPowerIniFile::Apply(IniDocument& doc, const Change& change) {
    switch (change.kind) {
    case Change::Write: return doc.SetValue(change.section, change.key, change.value);
    case Change::Delete: return doc.DeleteKey(change.section, change.key);
    case Change::Erase: return doc.EraseSection(change.section);
    case Change::Put: return doc.PutSection(change.content);
    }
    return false;
}

bool TPowerIniFile::Record(Change change) {
    if (Apply(doc_, change)) journal_.push_back(std::move(change));
    return true;
}

std::string TPowerIniFile::ReadString(std::string_view section, std::string_view key,
                                      std::string_view fallback) const {
    const std::string* v = doc_.Value(section, key);
    return v ? *v : std::string(fallback);
}

bool TPowerIniFile::WriteString(std::string_view section, std::string_view key,
                                std::string_view value) {
    return Record(Change{Change::Write, std::string(section), std::string(key), OneLine(value), {}});
}

std::vector<std::string> TPowerIniFile::ReadSection(std::string_view section) const {
    return doc_.Keys(section);
}

std::vector<std::string> TPowerIniFile::ReadSections() const { return doc_.SectionNames(); }

std::vector<std::string> TPowerIniFile::ReadSectionValues(std::string_view section) const {
    return doc_.NameValues(section);
}

bool TPowerIniFile::SectionExists(std::string_view section) const {
    return doc_.FindSection(section) != nullptr;
}

bool TPowerIniFile::ValueExists(std::string_view section, std::string_view key) const {
    return doc_.Value(section, key) != nullptr;
}

bool TPowerIniFile::EraseSection(std::string_view section) {
    return Record(Change{Change::Erase, std::string(section), {}, {}, {}});
}

bool TPowerIniFile::DeleteKey(std::string_view section, std::string_view key) {
    return Record(Change{Change::Delete, std::string(section), std::string(key), {}, {}});
}

void TPowerIniFile::CopySection(const TPowerIniFile& from, std::string_view section) {
    const IniDocument::Section* s = from.doc_.FindSection(section);
    if (!s) return;
    Record(Change{Change::Put, s->name, {}, {}, *s});
}

bool TPowerIniFile::UpdateFile() {
    if (journal_.empty()) return true;
    std::string current;
    bool exists = ReadWholeFile(FileName(), current);
    if (!exists) current.clear();
    if (exists != loadedExists_ || current != loadedText_) {
        // Someone else wrote the file meanwhile: keep their content and replay ours on it.
        IniDocument fresh;
        fresh.Parse(current);
        for (const Change& change : journal_) Apply(fresh, change);
        doc_ = std::move(fresh);
    }
    std::string text = doc_.Text();
    if (!WriteFileAtomically(FileName(), text)) return false;
    loadedText_ = std::move(text);
    loadedExists_ = true;
    journal_.clear();
    return true;
}

// ---------------------------------------------------------------------------------------------
// TwIniFile

IniDocument TwIniFile::Load() const {
    std::string text;
    IniDocument doc;
    if (ReadWholeFile(FileName(), text)) doc.Parse(text);
    return doc;
}

bool TwIniFile::Store(const IniDocument& doc) { return WriteFileAtomically(FileName(), doc.Text()); }

std::string TwIniFile::ReadString(std::string_view section, std::string_view key,
                                  std::string_view fallback) const {
    IniDocument doc = Load();
    const std::string* v = doc.Value(section, key);
    return v ? *v : std::string(fallback);
}

bool TwIniFile::WriteString(std::string_view section, std::string_view key,
                            std::string_view value) {
    IniDocument doc = Load();
    return !doc.SetValue(section, key, OneLine(value)) || Store(doc);
}

std::vector<std::string> TwIniFile::ReadSection(std::string_view section) const {
    return Load().Keys(section);
}

std::vector<std::string> TwIniFile::ReadSections() const { return Load().SectionNames(); }

std::vector<std::string> TwIniFile::ReadSectionValues(std::string_view section) const {
    return Load().NameValues(section);
}

bool TwIniFile::SectionExists(std::string_view section) const {
    return Load().FindSection(section) != nullptr;
}

bool TwIniFile::ValueExists(std::string_view section, std::string_view key) const {
    return Load().Value(section, key) != nullptr;
}

bool TwIniFile::EraseSection(std::string_view section) {
    IniDocument doc = Load();
    return !doc.EraseSection(section) || Store(doc);
}

bool TwIniFile::DeleteKey(std::string_view section, std::string_view key) {
    IniDocument doc = Load();
    return !doc.DeleteKey(section, key) || Store(doc);
}

}  // namespace qdx

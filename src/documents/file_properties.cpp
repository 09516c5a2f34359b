#include "documents/file_properties.hpp"

#include <cmath>

#include "documents/folders.hpp"
#include "documents/ini_file.hpp"
#include "documents/settings_stores.hpp"
#include "documents/text_utils.hpp"
#include "documents/value_stream.hpp"
#include "units/format.hpp"

namespace qdx {

namespace {

constexpr const char* kElement = "fileprops";

// Any of CR LF, a lone CR or a lone LF becomes CR LF.
std::string NormaliseLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

// One export line: the value in single quotes, written as it is (quotes inside not doubled).
std::string Quoted(std::string_view text) {
    std::string line;
    line.reserve(text.size() + 4);
    line += '\'';
    line += text;
    line += "'\r\n";
    return line;
}

}  // namespace

std::string FormatPropertiesDate(const std::chrono::year_month_day& date) {
    return Format("%2.2d %2.2d %4.4d", static_cast<unsigned>(date.day()),
                  static_cast<unsigned>(date.month()), static_cast<int>(date.year()));
}

std::chrono::year_month_day DateFromStreamDays(double days) {
    // Beyond the years 1..9999 it cannot be a date of a project file.
    if (!std::isfinite(days) || std::fabs(days) > 3.0e6) return Today();
    using namespace std::chrono;
    const sys_days epoch = sys_days(year{1899} / December / 30);
    const auto whole = static_cast<long long>(std::trunc(days));
    const year_month_day date{epoch + std::chrono::days{whole}};
    return date.ok() ? date : Today();
}

TFileProperties::TFileProperties() : edDate(Today()) {}

void TFileProperties::LoadDefaultProperties() {
    const auto store = OpenProgramSettings();
    LoadDefaultProperties(*store, RegisteredOwner(), RegisteredOrganization());
}

void TFileProperties::LoadDefaultProperties(const TCustomIniFile& store,
                                            std::string_view defaultAuthor,
                                            std::string_view defaultCompany) {
    edProjectName = store.ReadString(kSettingsSection, "Name", "");
    edProjectNumber = store.ReadString(kSettingsSection, "Number", "");
    edAuthor = store.ReadString(kSettingsSection, "Author", defaultAuthor);
    edCompany = store.ReadString(kSettingsSection, "Company", defaultCompany);
    edDate = Today();
}

bool TFileProperties::ReadPropertiesXML(TXMLFile& file, XmlNode parent) {
    if (!parent) return false;
    const XmlNode node = file.FindPath(parent, {kElement}, false);
    if (!node) return false;
    edProjectName = file.ReadText(node, "projectname", "");
    edProjectNumber = file.ReadText(node, "projectnumber", "");
    edDescription = UnescapeLineBreaks(file.ReadText(node, "description", ""));
    edAuthor = file.ReadText(node, "author", "");
    edCompany = file.ReadText(node, "company", "");
    edDate = ParseDate(file.ReadText(node, "date", ""), " ");
    return true;
}

void TFileProperties::WritePropertiesXML(TXMLFile& file, XmlNode parent) const {
    if (!parent) return;
    const XmlNode node = file.FindPath(parent, {kElement}, true);
    file.WriteText(node, "projectname", true, edProjectName);
    file.WriteText(node, "projectnumber", true, edProjectNumber);
    file.WriteText(node, "description", true, EscapeLineBreaks(edDescription));
    file.WriteText(node, "author", true, edAuthor);
    file.WriteText(node, "company", true, edCompany);
    file.WriteText(node, "date", true, FormatPropertiesDate(edDate));
}

void TFileProperties::ReadPropertiesStream(ValueReader& reader) {
    std::string name = reader.ReadString();
    std::string number = reader.ReadString();
    std::string description = NormaliseLineBreaks(reader.ReadString());
    std::string author = reader.ReadString();
    std::string company = reader.ReadString();
    const double days = reader.ReadDate();
    edProjectName = std::move(name);
    edProjectNumber = std::move(number);
    edDescription = std::move(description);
    edAuthor = std::move(author);
    edCompany = std::move(company);
    edDate = DateFromStreamDays(days);
}

std::vector<std::string> TFileProperties::DescriptionLines() const {
    std::vector<std::string> lines;
    std::string current;
    bool open = false;  // a line has begun that no break has ended yet
    const std::string_view text = edDescription;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(current));
            current.clear();
            open = false;
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            current += c;
            open = true;
        }
    }
    if (open) lines.push_back(std::move(current));
    return lines;
}

void TFileProperties::WritePropertiesText(std::string& text) const {
    text += Quoted(edProjectName);
    text += Quoted(edProjectNumber);
    const std::vector<std::string> lines = DescriptionLines();
    text += std::to_string(lines.size()) + "\r\n";
    for (const std::string& line : lines) text += Quoted(line);
    text += Quoted(edAuthor);
    text += Quoted(edCompany);
    text += Quoted(FormatPropertiesDate(edDate));
}

}  // namespace qdx

#include "reports/report_document.hpp"

#include <algorithm>

#include "units/format.hpp"

namespace qdx {

std::string HtmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

// --- plain text ---

void TTextReport::Clear() {
    text_.clear();
    lines_ = 0;
}

void TTextReport::DoAddLine(const ReportLine& line) {
    if (lines_ > 0) text_ += "\r\n";
    text_ += line.Text;
    ++lines_;
}

// --- HTML ---

THtmlReport::THtmlReport() : tabStops_{110, 170} {}

double THtmlReport::ColumnStart(size_t column) const {
    if (column == 0) return 0;
    const size_t stop = column - 1;
    if (stop < tabStops_.size()) return tabStops_[stop];
    const double last = tabStops_.empty() ? 0 : tabStops_.back();
    return last + kDefaultTabStep * static_cast<double>(stop + 1 - tabStops_.size());
}

std::string THtmlReport::LineHtml(const ReportLine& line) const {
    std::string style = Format("font-size:%dpt", line.Size);
    if (line.Style == lsBold) style += ";font-weight:bold";
    if (line.Style == lsItalic) style += ";font-style:italic";
    if (line.Color != clWindowText) style += Format(";color:#%6.6x", line.Color & 0xFFFFFFu);

    std::string out = "<div class=\"ln\" style=\"" + style + "\">";
    if (line.Text.empty()) return out + "<br></div>\n";

    // Every column but the last is a box as wide as the gap to the next tab stop, so the
    // columns line up as they do under the viewer's tab stops; a wider text pushes on.
    std::vector<std::string_view> columns;
    std::string_view rest = line.Text;
    for (size_t tab; (tab = rest.find('\t')) != std::string_view::npos; rest.remove_prefix(tab + 1))
        columns.push_back(rest.substr(0, tab));
    columns.push_back(rest);
    for (size_t i = 0; i + 1 < columns.size(); ++i) {
        const double width = std::max(ColumnStart(i + 1) - ColumnStart(i), 0.0);
        out += Format("<span class=\"col\" style=\"min-width:%0.6gpt\">", width) +
               HtmlEscape(columns[i]) + "</span>";
    }
    out += HtmlEscape(columns.back());
    return out + "</div>\n";
}

std::string THtmlReport::Html() const {
    std::string page =
        "<!DOCTYPE html>\n"
        "<html>\n"
        "<head>\n"
        "<meta charset=\"utf-8\">\n"
        "<title>" + HtmlEscape(Title) + "</title>\n"
        "<style>\n"
        "body { font-family: Arial, Helvetica, sans-serif; margin: 12px; }\n"
        ".ln { white-space: pre; margin: 0; }\n"
        ".col { display: inline-block; }\n"
        "</style>\n"
        "</head>\n"
        "<body>\n";
    for (const ReportLine& line : lines_) page += LineHtml(line);
    page += "</body>\n</html>\n";
    return page;
}

// --- recording ---

std::vector<std::string> TRecordingReport::Texts() const {
    std::vector<std::string> texts;
    texts.reserve(Lines.size());
    for (const ReportLine& line : Lines) texts.push_back(line.Text);
    return texts;
}

}  // namespace qdx

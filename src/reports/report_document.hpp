#pragma once
// The report document every report writer fills line by line (AddLine), and the sinks of the
// core: plain text, an HTML page, and a recorder that keeps each line's style for tests. The
// desktop program adds a rich-text sink of its own.
//
// Columns inside a line are separated by tabs; the sink that shows the document decides where
// the columns stand (tab stops in points), the text holds no widths.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qdx {

enum TLineStyle : std::uint8_t { lsPlain, lsBold, lsItalic };

// 0xRRGGBB, or clWindowText: the viewer's own text colour (what the report writers use).
using TColor = std::uint32_t;
inline constexpr TColor clWindowText = 0xFF000000u;
inline constexpr TColor clBlack = 0x000000u;
inline constexpr TColor clRed = 0xFF0000u;
inline constexpr TColor clBlue = 0x0000FFu;

// The size the report writers use, in points.
inline constexpr int kReportFontSize = 8;

struct ReportLine {
    std::string Text;
    TLineStyle Style = lsPlain;
    int Size = kReportFontSize;
    TColor Color = clWindowText;

    bool operator==(const ReportLine&) const = default;
};

class TReportDocument {
public:
    virtual ~TReportDocument() = default;

    // Appends text as a line of its own (an empty text gives an empty line).
    void AddLine(std::string_view text, TLineStyle style = lsPlain, int size = kReportFontSize,
                 TColor color = clWindowText) {
        DoAddLine(ReportLine{std::string(text), style, size, color});
    }
    // Empties the document before a report is written again.
    virtual void Clear() = 0;

protected:
    virtual void DoAddLine(const ReportLine& line) = 0;
};

// Plain text: the lines joined by CR LF, tabs kept; styles, sizes and colours dropped.
class TTextReport : public TReportDocument {
public:
    void Clear() override;
    const std::string& Text() const { return text_; }
    int LineCount() const { return lines_; }

protected:
    void DoAddLine(const ReportLine& line) override;

private:
    std::string text_;
    int lines_ = 0;
};

// A self-contained HTML page without tables: each line a block that keeps its size, style and
// colour, with its tab-separated columns set at the tab stops.
class THtmlReport : public TReportDocument {
public:
    // Tab stops of the coil window's report (110 and 170 points) until set otherwise.
    THtmlReport();

    void Clear() override { lines_.clear(); }
    // Tab stops in points, ascending; past the last one, further stops follow every
    // kDefaultTabStep points.
    void SetTabStops(std::vector<double> positions) { tabStops_ = std::move(positions); }
    const std::vector<double>& TabStops() const { return tabStops_; }

    std::string Title = "Report";
    static constexpr double kDefaultTabStep = 36.0;

    // The whole page.
    std::string Html() const;

protected:
    void DoAddLine(const ReportLine& line) override { lines_.push_back(line); }

private:
    // Where column i (from 0) of a line starts, in points.
    double ColumnStart(size_t column) const;
    std::string LineHtml(const ReportLine& line) const;

    std::vector<ReportLine> lines_;
    std::vector<double> tabStops_;
};

// Keeps every line with its style, size and colour.
class TRecordingReport : public TReportDocument {
public:
    void Clear() override { Lines.clear(); }
    std::vector<ReportLine> Lines;

    // The texts alone, in order.
    std::vector<std::string> Texts() const;

protected:
    void DoAddLine(const ReportLine& line) override { Lines.push_back(line); }
};

// &, < and > as entities (and double quotes, so the text may also stand in an attribute).
std::string HtmlEscape(std::string_view text);

}  // namespace qdx

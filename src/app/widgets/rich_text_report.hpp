#pragma once
// The rich-text sink of the report documents: every line a paragraph of a QTextEdit with its
// size, style and colour, the columns at the edit's tab stops. The report window and the viewer
// show their reports through it.

#include <vector>

#include "reports/report_document.hpp"

class QTextEdit;
class QString;

namespace qdx::app {

class TRichTextReport : public TReportDocument {
public:
    explicit TRichTextReport(QTextEdit& edit) : edit_(edit) {}
    void Clear() override;

protected:
    void DoAddLine(const ReportLine& line) override;

private:
    QTextEdit& edit_;
    bool empty_ = true;
};

// Replaces the tab stops of every paragraph of edit by the positions given in points.
void SetTabStops(QTextEdit& edit, const std::vector<double>& points);
// The tab stops of edit in points, as its paragraphs are laid out.
std::vector<double> TabStops(const QTextEdit& edit);

// The whole text of edit as plain text, paragraphs joined by CR LF.
QString ReportText(const QTextEdit& edit);

}  // namespace qdx::app

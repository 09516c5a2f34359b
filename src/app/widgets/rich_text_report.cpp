#include "app/widgets/rich_text_report.hpp"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextOption>

namespace qdx::app {

namespace {
// Tab positions of a text layout are in the layout's pixels.
double PixelsPerPoint(const QTextEdit& edit) { return edit.logicalDpiX() / 72.0; }
}  // namespace

void TRichTextReport::Clear() {
    edit_.document()->clear();
    empty_ = true;
}

void TRichTextReport::DoAddLine(const ReportLine& line) {
    QTextCursor cursor(edit_.document());
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat format;
    format.setFontPointSize(line.Size);
    format.setFontWeight(line.Style == lsBold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(line.Style == lsItalic);
    // The report writers' window-text colour is the edit's own text colour.
    if (line.Color != clWindowText)
        format.setForeground(QColor::fromRgb(static_cast<QRgb>(line.Color & 0xFFFFFFu)));
    // Every paragraph carries the edit's tab stops: the layout takes them from the paragraph.
    QTextBlockFormat block = cursor.blockFormat();
    block.setTabPositions(edit_.document()->defaultTextOption().tabs());
    if (empty_)
        cursor.setBlockFormat(block);
    else
        cursor.insertBlock(block, format);
    cursor.setBlockCharFormat(format);
    cursor.insertText(QString::fromStdString(line.Text), format);
    empty_ = false;
    edit_.setTextCursor(cursor);
}

void SetTabStops(QTextEdit& edit, const std::vector<double>& points) {
    QList<QTextOption::Tab> tabs;
    for (double pt : points) tabs.append(QTextOption::Tab(pt * PixelsPerPoint(edit), QTextOption::LeftTab));
    QTextDocument& doc = *edit.document();
    QTextOption option = doc.defaultTextOption();
    option.setTabs(tabs);
    doc.setDefaultTextOption(option);
    QTextCursor cursor(&doc);
    cursor.select(QTextCursor::Document);
    QTextBlockFormat block;
    block.setTabPositions(tabs);
    cursor.mergeBlockFormat(block);
}

std::vector<double> TabStops(const QTextEdit& edit) {
    std::vector<double> points;
    for (const QTextOption::Tab& t : edit.document()->begin().blockFormat().tabPositions())
        points.push_back(t.position / PixelsPerPoint(edit));
    return points;
}

QString ReportText(const QTextEdit& edit) {
    QStringList lines;
    for (QTextBlock b = edit.document()->begin(); b.isValid(); b = b.next()) lines << b.text();
    return lines.join("\r\n");
}

}  // namespace qdx::app

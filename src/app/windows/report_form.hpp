#pragma once
// The report window ("Report"): the main coil window's performance report, not modal, with
// Print, Copy, Email, Setup, Font, Export PDF... and Close. Its font and placement are restored
// at creation and written at every deactivation (section "ReportForm" of the program settings);
// a resize or a new font asks the owner to write the report again through OnRefresh.

#include <QMainWindow>
#include <QPrinter>

#include <functional>
#include <memory>
#include <vector>

#include "app/platform/mail.hpp"
#include "app/widgets/rich_text_report.hpp"

class QLabel;
class QTextEdit;
class QPagedPaintDevice;

namespace qdx::app {

class TReportForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TReportForm(QWidget* parent = nullptr);
    ~TReportForm() override;

    // The print job's title and the e-mail subject.
    QString Title;
    // Asks the owner to write the report again; none at creation.
    std::function<void()> OnRefresh;

    QTextEdit& RichEdit() { return *richEdit_; }
    // The report document the owner writes into.
    TRichTextReport& Report() { return report_; }
    void SetTabStops(const std::vector<double>& points);
    QString StatusText() const;
    TMapiControl& Mapi() { return mapi_; }

    // The toolbar commands.
    void Print();
    void CopyReport();
    void Email();
    void PrinterSetup();
    void ChooseFont();
    // Writes the report as a PDF file chosen in the save dialog; false when nothing was written.
    bool ExportPdf();
    // Writes the report as a PDF file at path, replacing it as a whole.
    bool WritePdf(const QString& path, QString* error = nullptr);

    // The font and placement settings, as written at every deactivation.
    void SaveSettings() const;

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void SetStatus(const QString& text);
    void Refresh();
    void LoadSettings();
    // Prints the report on a paged device with the report's margins.
    void PrintOn(QPagedPaintDevice& device);

    QTextEdit* richEdit_;
    QLabel* status_;
    TRichTextReport report_;
    TMapiControl mapi_;
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace qdx::app

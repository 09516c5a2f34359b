#pragma once
// The viewer ("Viewer"): a plain read-only report window the main window fills and shows
// modally for the diagnostics and the manufacturing report. Tab stops at 80 and 130 points; the
// placement is restored at creation and saved at every deactivation.

#include <QDialog>

#include "app/widgets/rich_text_report.hpp"

class QTextEdit;

namespace qdx::app {

class TViewForm : public QDialog {
    Q_OBJECT
public:
    explicit TViewForm(QWidget* parent = nullptr);

    QTextEdit& RichEdit() { return *richEdit_; }
    TRichTextReport& Report() { return report_; }

protected:
    void changeEvent(QEvent* event) override;

private:
    QTextEdit* richEdit_;
    TRichTextReport report_;
};

}  // namespace qdx::app

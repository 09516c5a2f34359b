#include "app/windows/report_form.hpp"

#include <QApplication>
#include <QBuffer>
#include <QEvent>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLabel>
#include <QPdfWriter>
#include <QStatusBar>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>

#include "app/platform/dialogs.hpp"
#include "app/platform/placement.hpp"
#include "app/platform/save_file.hpp"
#include "documents/folders.hpp"
#include "documents/settings_stores.hpp"

namespace qdx::app {

namespace {

// Font colours are stored as the maker's programs store them: 0x00BBGGRR.
int StoredColor(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }
QColor FromStoredColor(int v) { return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF); }
constexpr int kDefaultCharset = 1;

QAction* AddButton(QToolBar* bar, const QString& caption, const QString& hint, const char* name) {
    QAction* a = bar->addAction(caption);
    a->setObjectName(name);
    if (!hint.isEmpty()) a->setToolTip(hint);
    return a;
}

}  // namespace

TReportForm::TReportForm(QWidget* parent)
    : QMainWindow(parent, Qt::Window), richEdit_(new QTextEdit), status_(new QLabel("Ready")),
      report_(*richEdit_) {
    setObjectName("ReportForm");
    setWindowTitle("Report");
    Title = QApplication::applicationName();
    resize(520, 560);

    QToolBar* bar = addToolBar("Report");
    bar->setObjectName("ReportToolBar");
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    connect(AddButton(bar, "&Print", "Send report to printer", "PrintAction"), &QAction::triggered,
            this, &TReportForm::Print);
    connect(AddButton(bar, "C&opy", "Copy report to  Windows clipboard", "CopyAction"),
            &QAction::triggered, this, &TReportForm::CopyReport);
    connect(AddButton(bar, "&Email", "Send as EMail", "EmailAction"), &QAction::triggered, this,
            &TReportForm::Email);
    connect(AddButton(bar, "&Setup", "Printer setup", "SetupAction"), &QAction::triggered, this,
            &TReportForm::PrinterSetup);
    connect(AddButton(bar, "&Font", "Set report font", "FontAction"), &QAction::triggered, this,
            &TReportForm::ChooseFont);
    connect(AddButton(bar, "Export PDF...", "Write the report as a PDF file", "ExportPdfAction"),
            &QAction::triggered, this, [this] { ExportPdf(); });
    connect(AddButton(bar, "&Close", "", "CloseAction"), &QAction::triggered, this,
            &QWidget::hide);

    auto* central = new QWidget;
    central->setObjectName("ReportPanel");
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* margin = new QWidget;
    margin->setObjectName("ReportMargin");
    margin->setFixedWidth(12);
    margin->setBackgroundRole(QPalette::Base);
    margin->setAutoFillBackground(true);
    layout->addWidget(margin);
    richEdit_->setObjectName("RichEdit1");
    richEdit_->setAccessibleName("Report");
    richEdit_->setReadOnly(true);
    richEdit_->setFrameShape(QFrame::NoFrame);
    richEdit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    richEdit_->setLineWrapMode(QTextEdit::NoWrap);
    layout->addWidget(richEdit_);
    setCentralWidget(central);

    status_->setObjectName("StatusPanel");
    statusBar()->setObjectName("StatusBar");
    statusBar()->addWidget(status_, 1);
    statusBar()->setSizeGripEnabled(true);

    mapi_.setParent(this);
    SetTabStops({90, 155});
    LoadSettings();
}

TReportForm::~TReportForm() = default;

void TReportForm::SetTabStops(const std::vector<double>& points) {
    app::SetTabStops(*richEdit_, points);
}

QString TReportForm::StatusText() const { return status_->text(); }

void TReportForm::SetStatus(const QString& text) { status_->setText(text); }

void TReportForm::Refresh() {
    if (OnRefresh) OnRefresh();
}

void TReportForm::LoadSettings() {
    auto store = OpenProgramSettings();
    RestorePlacementFrom(*store, *this, {true, false, true});
    const std::string section = objectName().toStdString();
    QFont font = richEdit_->font();
    const std::string name = store->ReadString(section, "FontName", font.family().toStdString());
    if (!name.empty()) font.setFamily(QString::fromStdString(name));
    const int size = store->ReadInteger(section, "FontSize", font.pointSize());
    if (size > 0) font.setPointSize(size);
    richEdit_->setFont(font);
    const QColor text = richEdit_->palette().color(QPalette::Text);
    QPalette pal = richEdit_->palette();
    pal.setColor(QPalette::Text, FromStoredColor(store->ReadInteger(section, "FontColor", StoredColor(text))));
    richEdit_->setPalette(pal);
}

void TReportForm::SaveSettings() const {
    auto store = OpenProgramSettings();
    SavePlacementTo(*store, *this, {true, true, true});
    const std::string section = objectName().toStdString();
    const QFont font = richEdit_->font();
    store->WriteInteger(section, "FontSize", font.pointSize());
    store->WriteInteger(section, "FontColor", StoredColor(richEdit_->palette().color(QPalette::Text)));
    store->WriteInteger(section, "FontCharSet", kDefaultCharset);
    store->WriteString(section, "FontName", font.family().toStdString());
}

void TReportForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) return;
    if (isActiveWindow())
        SetStatus("Ready");
    else
        SaveSettings();
}

void TReportForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Refresh();
}

void TReportForm::PrintOn(QPagedPaintDevice& device) {
    // The page keeps ten letters' width on the left and six lines at the top free.
    const QFont font = richEdit_->font();
    const QFontMetricsF metrics(font, &device);
    const double ptX = 72.0 / device.logicalDpiX(), ptY = 72.0 / device.logicalDpiY();
    device.setPageMargins(QMarginsF(metrics.horizontalAdvance("XXXXXXXXXX") * ptX,
                                    6 * metrics.height() * ptY, 0, 0),
                          QPageLayout::Point);
    // Laid out page by page on the page rectangle itself, so the toolkit adds no margins and
    // no page numbers of its own (a document's layout counts 96 pixels to the inch).
    std::unique_ptr<QTextDocument> doc(richEdit_->document()->clone());
    doc->setDefaultFont(font);
    doc->setDocumentMargin(0);
    const QSizeF page = device.pageLayout().paintRect(QPageLayout::Point).size();
    doc->setPageSize(page * (96.0 / 72.0));
    doc->print(&device);
}

void TReportForm::Print() {
    SetStatus("Printing report");
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // A machine without a default printer lets the user choose one (or a file).
    if (printer_->printerName().isEmpty() && printer_->outputFileName().isEmpty() &&
        !Dialogs().ChoosePrinter(this, *printer_, false)) {
        SetStatus("Ready");
        return;
    }
    printer_->setDocName(Title);
    PrintOn(*printer_);
    SetStatus("Ready");
}

void TReportForm::CopyReport() {
    Dialogs().SetClipboardText(ReportText(*richEdit_));
    SetStatus("Copied to Clipboard...");
}

void TReportForm::Email() {
    mapi_.ShowDialog = true;
    mapi_.Recipients.clear();
    mapi_.Subject = Title;
    mapi_.Body = ReportText(*richEdit_);
    mapi_.AttachedFiles.clear();
    mapi_.SendMail();
}

void TReportForm::PrinterSetup() {
    SetStatus("Set up printer");
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    Dialogs().ChoosePrinter(this, *printer_, true);
    SetStatus("Ready");
}

void TReportForm::ChooseFont() {
    SetStatus("Select suitable font for report");
    if (auto font = Dialogs().ChooseFont(this, richEdit_->font())) {
        richEdit_->setFont(*font);
        Refresh();
    }
    SetStatus("Ready");
}

bool TReportForm::WritePdf(const QString& path, QString* error) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(Title);
        pdf.setCreator(QApplication::applicationName());
        pdf.setResolution(300);
        PrintOn(pdf);
    }
    return SaveWholeFile(path, buffer.data(), error);
}

bool TReportForm::ExportPdf() {
    const QString dir = QString::fromStdString(UserDataDir());
    QString path = Dialogs().SaveFileName(this, "Export PDF", dir, "PDF files (*.pdf)");
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += ".pdf";
    if (QFileInfo::exists(path) &&
        Dialogs().Message(this, QString("OK to overwrite %1 ?").arg(path), {},
                          TMsgKind::Confirmation, TMsgButtons::YesNoCancel,
                          TMsgResult::No) != TMsgResult::Yes)
        return false;
    QString error;
    if (!WritePdf(path, &error)) {
        Dialogs().ShowMessage(this, "Error saving file...\n" + error, TMsgKind::Error);
        return false;
    }
    SetStatus("Exported " + QFileInfo(path).fileName());
    return true;
}

}  // namespace qdx::app

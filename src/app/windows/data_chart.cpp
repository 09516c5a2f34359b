#include "app/windows/data_chart.hpp"

#include <QBuffer>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSvgGenerator>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

#include "app/platform/dialogs.hpp"
#include "app/platform/save_file.hpp"
#include "app/widgets/chart_panel.hpp"
#include "documents/folders.hpp"
#include "engine/coil_project.hpp"
#include "units/format.hpp"

namespace qdx::app {

namespace {

const char* const kSimulationCaptions[] = {"Fluid", "Air", "Surface", "Dew Point"};

QFont ChartFont(const char* family) {
    QFont f(family);
    f.setPointSize(8);
    return f;
}

QString Text(std::string_view pattern, double a, double b) {
    return QString::fromStdString(Format(pattern, a, b));
}

bool WriteImage(TChartPanel& panel, const QString& path, QString& error) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    bool drawn = false;
    if (QFileInfo(path).suffix().compare("svg", Qt::CaseInsensitive) == 0) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(panel.size());
        svg.setViewBox(QRect(QPoint(0, 0), panel.size()));
        svg.setResolution(96);
        svg.setTitle(panel.Title());
        QPainter p;
        if (p.begin(&svg)) {
            panel.Render(p, panel.size());
            drawn = p.end();
        }
    } else {
        drawn = panel.ToImage().save(&buffer, "PNG");
    }
    if (!drawn) {
        error = "the chart could not be drawn";
        return false;
    }
    return SaveWholeFile(path, buffer.data(), &error);
}

}  // namespace

TDataChart::TDataChart(QWidget* parent)
    : QDialog(parent),
      panel_(new TChartPanel(this)),
      liquidLabel_(new QLabel(this)),
      airLabel_(new QLabel(this)),
      dutyLabel_(new QLabel(this)),
      noticeLabel_(new QLabel(this)) {
    setObjectName("TDataChart");
    resize(640, 420);
    Colors = {QColor(255, 0, 0), QColor(0, 128, 0), QColor(0, 0, 128), QColor(128, 128, 0),
              QColor(0, 0, 0)};

    TChartPanel& g = *panel_;
    g.setObjectName("gPanel");
    g.setAccessibleName("Chart");
    g.SetLeftMargin(50);
    g.SetRightMargin(20);
    g.SetTopMargin(25);
    g.SetBottomMargin(50);
    g.SetXRange(1, 100);
    g.SetYRange(1, 100);
    g.SetTitle("Temperature Profile");
    g.SetTitleAlignment(Qt::AlignHCenter);
    g.SetShowXYPos(true);
    g.SetShowXYPosPlace(ppBottomLeft);
    g.SetShowXPosFmt("%0.1f");
    g.SetShowYPosFmt("%0.1f");
    g.SetShowXScale(false);
    g.SetScaleXTicks(6);
    g.SetScaleXLabel("Position");
    g.SetShowYScale(true);
    g.SetScaleYTicks(6);
    g.SetScaleYLabel("Temperature");
    g.SetAxisType(xtQuad1);
    g.SetScaleType(stXY);
    g.SetFontLabels(ChartFont("courier new"));
    g.SetFontXYPos(ChartFont("courier new"));
    g.SetScaleXFont(ChartFont("Tahoma"));
    g.SetScaleYFont(ChartFont("Tahoma"));

    auto* side = new QWidget(this);
    side->setObjectName("sidePanel");
    side->setFixedWidth(kSidePanelWidth);
    auto* column = new QVBoxLayout(side);
    column->setContentsMargins(6, 12, 6, 8);
    for (int i = 0; i < kSeries - 1; ++i) {
        QLabel* c = new QLabel(QString("Data %1").arg(i), side);
        c->setObjectName(QString("Caption%1").arg(i));
        QFont f = c->font();
        f.setBold(true);
        c->setFont(f);
        c->hide();
        captions_[i] = c;
        column->addWidget(c);
    }
    column->addSpacing(12);
    liquidLabel_->setObjectName("LiquidLabel");
    airLabel_->setObjectName("AirLabel");
    dutyLabel_->setObjectName("DutyLabel");
    noticeLabel_->setObjectName("NoticeLabel");
    QPalette warn = noticeLabel_->palette();
    warn.setColor(QPalette::WindowText, QColor(192, 0, 0));
    noticeLabel_->setPalette(warn);
    noticeLabel_->hide();
    for (QLabel* l : {liquidLabel_, airLabel_, dutyLabel_, noticeLabel_}) {
        l->setWordWrap(true);
        column->addWidget(l);
    }
    column->addStretch(1);
    auto* save = new QPushButton("Save Image...", side);
    save->setObjectName("SaveImageButton");
    connect(save, &QPushButton::clicked, this, &TDataChart::SaveImage);
    auto* copy = new QPushButton("Copy Data", side);
    copy->setObjectName("CopyDataButton");
    connect(copy, &QPushButton::clicked, this, &TDataChart::CopyData);
    auto* close = new QPushButton("Close", side);
    close->setObjectName("CloseButton");
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    for (QPushButton* b : {save, copy, close}) {
        b->setAutoDefault(false);
        column->addWidget(b);
    }

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(panel_, 1);
    row->addWidget(side);
}

bool TDataChart::StepSimulation(TCoilProject& project) {
    double duty = 0;
    if (!project.StepSimulation(duty)) return false;
    ShowSimulation(project.Coil().StepResults, duty, project.Coil().StepSettled);
    return true;
}

void TDataChart::ShowSimulation(const TFloatMat& results, double duty, bool settled) {
    setWindowTitle("Step-by-Step Simulation");
    panel_->SetShowXScale(false);
    PenWidth = 2;
    Data = &results;
    Last = results.Rows() - 1;
    First = 0;
    Show = {};
    for (int i = 0; i < 4 && i < results.Columns(); ++i) Show[i] = true;
    for (int i = 0; i < 4; ++i) captions_[i]->setText(kSimulationCaptions[i]);
    // The last march of one that did not settle is no result: no duty, and a plain notice.
    dutyLabel_->setText(settled ? QString::fromStdString(Format("Duty %0.3g kW", duty))
                                : QString("Duty - kW"));
    noticeLabel_->setText(QString(kStepNotSettledText) + ": the last march is shown.");
    noticeLabel_->setVisible(!settled);
    panel_->SetTitle(settled ? "Temperature Profile" : "Temperature Profile (not settled)");
    if (Last >= First && results.Columns() >= 2) {
        liquidLabel_->setText(Text("%0.1f - %0.1f °C", results.At(0, First), results.At(0, Last)));
        airLabel_->setText(Text("%0.1f - %0.1f °C", results.At(1, First), results.At(1, Last)));
    }
    Plot();
}

void TDataChart::Plot() {
    for (int i = 0; i < kSeries - 1; ++i) {
        QPalette pal = captions_[i]->palette();
        pal.setColor(QPalette::WindowText, Colors[i]);
        captions_[i]->setPalette(pal);
        captions_[i]->setVisible(Show[i]);
    }
    panel_->ClearLines();
    if (!Data || Data->Empty()) return;
    const int first = std::max(First, 0);
    const int last = std::min(Last, Data->Rows() - 1);
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    for (int s = 0; s < kSeries && s < Data->Columns(); ++s) {
        if (!Show[s]) continue;
        TChartLine& line = panel_->AddLine(Colors[s], PenWidth, Qt::SolidLine);
        for (int j = first; j <= last; ++j) {
            const double v = Data->At(s, j);
            line.AddPoint(j, v);
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
    if (low <= high) {
        const double margin = 0.05 * (high - low);
        panel_->SetYRange(low - margin, high + margin);
    }
    panel_->SetXRange(First, Last + 1);
    panel_->update();
}

QString TDataChart::DataText() const {
    QStringList header;
    for (int s = 0; s < kSeries - 1; ++s)
        if (Show[s]) header << captions_[s]->text();
    QString text = header.join('\t') + "\r\n";
    if (!Data) return text;
    for (int j = std::max(First, 0); j <= Last && j < Data->Rows(); ++j) {
        QStringList values;
        for (int s = 0; s < kSeries - 1 && s < Data->Columns(); ++s)
            if (Show[s]) values << QString::fromStdString(Format("%0.3f", Data->At(s, j)));
        text += values.join('\t') + "\r\n";
    }
    return text;
}

void TDataChart::CopyData() { Dialogs().SetClipboardText(DataText()); }

void TDataChart::SaveImage() {
    QString path = Dialogs().SaveFileName(this, "Save Image",
                                          QString::fromStdString(UserDataDir()) + "Simulation.png",
                                          "PNG image (*.png);;SVG drawing (*.svg)");
    if (path.isEmpty()) return;
    const QString type = QFileInfo(path).suffix().toLower();
    if (type.isEmpty()) path += ".png";
    QString error = type.isEmpty() || type == "png" || type == "svg"
                        ? QString()
                        : "unknown picture type \"" + QFileInfo(path).suffix() +
                              "\" (use .png or .svg)";
    if (!error.isEmpty() || !WriteImage(*panel_, path, error))
        Dialogs().ShowMessage(this, "Error saving file...\n" + path + "\n" + error,
                              TMsgKind::Error);
}

void TDataChart::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) Plot();
    QDialog::changeEvent(event);
}

void TDataChart::showEvent(QShowEvent* event) {
    Plot();
    QDialog::showEvent(event);
}

}  // namespace qdx::app

#include "app/aerograph/chart_export.hpp"

#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include "app/aerograph/psychrometric_chart.hpp"

namespace qdx::aerograph {

namespace {

constexpr int kDotsPerInch = 96;

QString Title(const TPsychrometricChart& chart) {
    const std::string& name = chart.File().properties.edProjectName;
    return name.empty() ? QString("Psychrometric chart") : QString::fromStdString(name);
}

bool Paint(const TPsychrometricChart& chart, QPaintDevice& device, const QSize& size) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    chart.Draw(painter, size);
    return painter.end();
}

}  // namespace

bool SaveChart(const TPsychrometricChart& chart, const QString& path, const QSize& size,
               QString& error) {
    const QString type = QFileInfo(path).suffix().toLower();
    if (type != "png" && type != "svg" && type != "pdf") {
        error = "unknown picture type \"" + QFileInfo(path).suffix() + "\" (use .png, .svg or .pdf)";
        return false;
    }
    if (size.width() < 200 || size.height() < 150 || size.width() > 20000 ||
        size.height() > 20000) {
        error = "a chart is between 200 x 150 and 20000 x 20000 pixels";
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    bool painted = false;
    if (type == "png") {
        QImage image(size, QImage::Format_RGB32);
        painted = Paint(chart, image, size) && image.save(&file, "PNG");
    } else if (type == "svg") {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(kDotsPerInch);
        svg.setTitle(Title(chart));
        svg.setDescription("Psychrometric chart");
        painted = Paint(chart, svg, size);
    } else {
        QPdfWriter pdf(&file);
        pdf.setResolution(kDotsPerInch);
        pdf.setPageSize(QPageSize(QSizeF(size) * 72.0 / kDotsPerInch, QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(Title(chart));
        pdf.setCreator("qdx-aerograph");
        painted = Paint(chart, pdf, QSize(pdf.width(), pdf.height()));
    }
    if (!painted) {
        file.cancelWriting();
        error = "the chart could not be drawn";
        return false;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

}  // namespace qdx::aerograph

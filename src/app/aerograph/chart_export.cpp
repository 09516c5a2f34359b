#include "app/aerograph/chart_export.hpp"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "app/aerograph/psychrometric_chart.hpp"
#include "app/platform/save_file.hpp"

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
    // Drawn in memory first, then saved as a whole, as every file of the program is.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    bool painted = false;
    if (type == "png") {
        QImage image(size, QImage::Format_RGB32);
        painted = Paint(chart, image, size) && image.save(&buffer, "PNG");
    } else if (type == "svg") {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(kDotsPerInch);
        svg.setTitle(Title(chart));
        svg.setDescription("Psychrometric chart");
        painted = Paint(chart, svg, size);
    } else {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(kDotsPerInch);
        pdf.setPageSize(QPageSize(QSizeF(size) * 72.0 / kDotsPerInch, QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(Title(chart));
        pdf.setCreator("qdx-aerograph");
        painted = Paint(chart, pdf, QSize(pdf.width(), pdf.height()));
    }
    if (!painted) {
        error = "the chart could not be drawn";
        return false;
    }
    return app::SaveWholeFile(path, buffer.data(), &error);
}

}  // namespace qdx::aerograph

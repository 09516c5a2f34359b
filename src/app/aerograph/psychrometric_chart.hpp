#pragma once
// The psychrometric chart of a ".psy" file at its barometric pressure: dry bulb along the
// bottom, moisture content up the right-hand side, over the file's chart range. Below the
// saturation curve it shows relative humidity every 10 %, wet-bulb lines every 5 °C, enthalpy
// every 5 kJ/kg and specific volume every 0.01 m³/kg, each labelled; over them the nodes as
// marked points with their names, and each process as an arrow from its start node to its end
// node labelled with its air mass flow. The file properties form a title block above the chart.
//
// Every moist-air value comes from the psychrometric library; the chart lays the lines out once
// in dry bulb and moisture content, and maps them to the picture's size when drawn. Lines are
// cut at the chart's edges in those units, so every paint device (SVG and PDF files too) shows
// the same picture without relying on clipping.

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <vector>

#include "documents/aerograph_file.hpp"

class QPainter;

namespace qdx::aerograph {

// The colours of the chart's families of lines.
struct TChartColors {
    static inline const QColor saturation{20, 40, 140};
    static inline const QColor relativeHumidity{0, 140, 70};
    static inline const QColor wetBulb{200, 110, 0};
    static inline const QColor enthalpy{140, 60, 160};
    static inline const QColor volume{120, 120, 40};
    static inline const QColor grid{215, 215, 215};
    static inline const QColor process{210, 0, 0};
    static inline const QColor node{20, 20, 20};
};

// A moist-air state read off the chart.
struct TChartState {
    double dryBulb = 0;           // °C
    double moisture = 0;          // kg/kg dry air
    double relativeHumidity = 0;  // fraction
    double wetBulb = 0;           // °C
    double enthalpy = 0;          // kJ/kg dry air
    double volume = 0;            // m³/kg dry air
};

class TPsychrometricChart {
public:
    explicit TPsychrometricChart(TAerographFile file);

    const TAerographFile& File() const { return file_; }

    // The area of the dry-bulb and moisture axes in a picture of that size: below the title
    // block, with room for the scales and their labels.
    QRectF PlotRect(const QSizeF& size) const;
    // A dry bulb (°C) and moisture content (kg/kg) as a point of the picture.
    QPointF ToPixel(double dryBulb, double moisture, const QSizeF& size) const;
    // The state under a point of the picture; false outside the plot area or above saturation.
    bool StateAt(const QPointF& pixel, const QSizeF& size, TChartState& state) const;

    // Moisture content (kg/kg) of a node: its dry and wet bulb at the file's pressure.
    double NodeMoisture(const TAerographNode& node) const;

    // Draws the whole picture: a white page, the title block, the chart.
    void Draw(QPainter& painter, const QSizeF& size) const;

    // A line of the chart in dry bulb (x) and moisture content (y), already cut to the range.
    struct TCurve {
        QColor color;
        double width = 1;
        Qt::PenStyle style = Qt::SolidLine;
        std::vector<std::vector<QPointF>> pieces;
    };
    // A label at a state, moved by an offset in pixels and aligned there.
    struct TLabel {
        QString text;
        QColor color;
        QPointF at;      // dry bulb, moisture content
        QPointF offset;  // pixels
        Qt::Alignment align;
    };

private:
    void AddCurve(const QColor& color, double width, Qt::PenStyle style,
                  const std::vector<QPointF>& points);
    void LayOutLines();
    double TitleBlockHeight() const;
    void DrawTitleBlock(QPainter& p, const QSizeF& size) const;
    void DrawScales(QPainter& p, const QRectF& plot, const QSizeF& size) const;
    void DrawLegend(QPainter& p, const QRectF& plot) const;
    void DrawLabel(QPainter& p, const TLabel& label, const QSizeF& size) const;
    void DrawProcesses(QPainter& p, const QSizeF& size) const;

    TAerographFile file_;
    std::vector<TCurve> curves_;  // in drawing order
    std::vector<TLabel> labels_;
};

}  // namespace qdx::aerograph

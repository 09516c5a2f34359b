#pragma once
// The chart file of a solved coil's process, as QDX writes it, and a pixel-colour test that
// works on smoothed lines: how strongly a pixel shows a line colour drawn over white.

#include <QColor>
#include <QImage>

#include <cmath>

#include "documents/aerograph_file.hpp"

namespace qdx::test {

inline TAerographFile SampleChartFile(double barometer = 101.325) {
    TAerographFile f;
    f.properties.edProjectName = "Plant room AHU-2";
    f.properties.edProjectNumber = "P-1041";
    f.properties.edDescription = "Chilled water coil\r\nfirst run";
    f.properties.edAuthor = "Jane Roe";
    f.properties.edCompany = "Calorix Ltd";
    f.barometer = barometer;
    f.nodes.push_back({"Node1", "On", 25.0, 17.0, ""});
    f.nodes.push_back({"Node2", "Off", 11.623, 10.919, ""});
    f.processes.push_back({"Process1", "Coil", "Node1", "Node2", 1.3461, ""});
    return f;
}

// 0 for white or another colour, up to 1 for the line colour itself: the share of the colour in
// a blend of it with white, when the pixel is such a blend.
inline double ColourShare(QRgb pixel, const QColor& line) {
    const double d[3] = {255.0 - line.red(), 255.0 - line.green(), 255.0 - line.blue()};
    const double c[3] = {255.0 - qRed(pixel), 255.0 - qGreen(pixel), 255.0 - qBlue(pixel)};
    const double dd = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
    const double a = (c[0] * d[0] + c[1] * d[1] + c[2] * d[2]) / dd;
    double residual = 0;
    for (int i = 0; i < 3; ++i) residual += (c[i] - a * d[i]) * (c[i] - a * d[i]);
    // Off the blend by little against how far the pixel is from white.
    return a > 0 && std::sqrt(residual) < std::max(8.0, 0.2 * a * std::sqrt(dd)) ? std::min(a, 1.0)
                                                                                : 0;
}

}  // namespace qdx::test

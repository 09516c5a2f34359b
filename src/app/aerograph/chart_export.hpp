#pragma once
// Saving a psychrometric chart as a picture: PNG, SVG or PDF by the file's extension.

#include <QSize>
#include <QString>

namespace qdx::aerograph {

class TPsychrometricChart;

// The size of a saved chart unless the user asks for another, pixels (96 per inch in SVG and
// PDF files).
inline constexpr QSize kDefaultExportSize(1600, 1130);

// Writes the chart to path (".png", ".svg" or ".pdf", any case), replacing a file there only
// when the whole picture was written. False with the reason in error.
bool SaveChart(const TPsychrometricChart& chart, const QString& path, const QSize& size,
               QString& error);

}  // namespace qdx::aerograph

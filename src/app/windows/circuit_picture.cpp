#include "app/windows/circuit_picture.hpp"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

#include "documents/folders.hpp"
#include "geometry/circuiting.hpp"
#include "geometry/fin_and_tube.hpp"
#include "units/format.hpp"

namespace qdx::app {

namespace {

const QColor kPalette[] = {QColor(0, 90, 170), QColor(200, 80, 0), QColor(0, 130, 60),
                           QColor(150, 0, 150), QColor(170, 130, 0), QColor(0, 140, 150)};

}  // namespace

QString CircuitPicturePath(const TFinAndTube& g) {
    const TCircuitLayout l = CircuitLayout(g);
    return QString::fromStdString(ProgramFilesDir()) + "CoilCirc/Images/" +
           QString::fromStdString(Format("%0.0fr%0.0ft.png", g.Rows(),
                                         static_cast<double>(l.TubesPerCircuit)));
}

QString CircuitCaption(const TFinAndTube& g) {
    return QString("%1 rows, %2 tubes high, %3 tubes per circuit, %4 side conns.")
        .arg(QString::fromStdString(Format("%0.4g", g.Rows())))
        .arg(g.TubesHigh())
        .arg(CircuitLayout(g).TubesPerCircuit)
        .arg(QString::fromStdString(g.ConnectionText()));
}

QImage DrawCircuitPicture(const TCircuitLayout& l, bool staggered) {
    // The tubes fill the height above the key; rows are a little wider apart than tubes.
    const int high = std::max(1, l.TubesHigh);
    const int top = 6, key = 34;
    const double pitch =
        std::clamp((kCircuitPictureHeight - top - key) / (high + (staggered ? 0.5 : 0)), 4.0, 28.0);
    const double rowPitch = std::max(pitch * 1.4, 24.0);
    const double radius = pitch * 0.34;
    const int left = 24;
    const int width = std::max(static_cast<int>(2 * left + (l.Rows - 1) * rowPitch), 100);
    QImage image(width, kCircuitPictureHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const int height = kCircuitPictureHeight;

    auto centre = [&](const TTubePlace& t) {
        const double shift = staggered && t.Row % 2 == 1 ? pitch / 2 : 0;
        return QPointF(left + t.Row * rowPitch, top + pitch / 2 + t.Place * pitch + shift);
    };

    QFont font("DejaVu Sans");
    font.setPixelSize(10);
    p.setFont(font);

    // Fins: the face outline behind the tubes.
    p.setPen(QPen(QColor(190, 190, 190), 1));
    p.drawRect(QRectF(left - rowPitch / 2, top, (l.Rows) * rowPitch, (high + (staggered ? 0.5 : 0)) * pitch));

    // Circuits: the liquid's path and its inlet and outlet.
    for (size_t k = 0; k < l.Circuits.size(); ++k) {
        const std::vector<TTubePlace>& c = l.Circuits[k];
        const QColor colour = kPalette[k % std::size(kPalette)];
        QPainterPath path(centre(c.front()));
        for (size_t i = 1; i < c.size(); ++i) path.lineTo(centre(c[i]));
        p.setPen(QPen(colour, std::max(1.5, radius / 2)));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        const QPointF in = centre(c.front());
        const QPointF out = centre(c.back());
        p.setBrush(QColor(0, 160, 0));
        p.setPen(Qt::NoPen);
        p.drawEllipse(in, radius * 0.7, radius * 0.7);
        p.setBrush(QColor(200, 0, 0));
        p.drawEllipse(out, radius * 0.7, radius * 0.7);
    }
    // Tubes.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 1));
    for (const auto& c : l.Circuits)
        for (const TTubePlace& t : c) p.drawEllipse(centre(t), radius, radius);
    p.setPen(QPen(QColor(150, 150, 150), 1, Qt::DashLine));
    for (const TTubePlace& t : l.Unlinked) p.drawEllipse(centre(t), radius, radius);

    // Key and air direction along the bottom.
    const double y = height - key + 10;
    p.setPen(Qt::black);
    p.setBrush(QColor(0, 160, 0));
    p.drawEllipse(QPointF(10, y), 4, 4);
    p.drawText(QPointF(18, y + 4), "in");
    p.setBrush(QColor(200, 0, 0));
    p.drawEllipse(QPointF(44, y), 4, 4);
    p.drawText(QPointF(52, y + 4), "out");
    // The air crosses the rows from the first (left) to the last.
    const double ya = y + 16;
    const double x0 = 30, x1 = std::max(x0 + 40, left + (l.Rows - 0.5) * rowPitch);
    p.drawText(QPointF(6, ya + 4), "air");
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(QPointF(x0, ya), QPointF(x1, ya));
    p.drawLine(QPointF(x1, ya), QPointF(x1 - 6, ya - 4));
    p.drawLine(QPointF(x1, ya), QPointF(x1 - 6, ya + 4));
    return image;
}

}  // namespace qdx::app

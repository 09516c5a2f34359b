#include "app/widgets/chart_panel.hpp"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

#include "app/platform/dialogs.hpp"
#include "units/format.hpp"
#include "units/number_text.hpp"

namespace qdx::app {

namespace {

// The steps a linear scale takes, each with the largest raw step it still serves: the step
// plus a tenth of its decade, at most 0.1.
struct TStepEntry {
    double step;
    double limit;
};
constexpr TStepEntry kSteps[] = {
    {0.0001, 0.00011}, {0.0002, 0.00021}, {0.0005, 0.00051}, {0.001, 0.0011}, {0.002, 0.0021},
    {0.005, 0.0051},   {0.01, 0.011},     {0.02, 0.021},     {0.05, 0.051},   {0.1, 0.11},
    {0.2, 0.21},       {0.5, 0.51},       {1, 1.1},          {2, 2.1},        {5, 5.1},
    {10, 10.1},        {20, 20.1},        {25, 25.1},        {50, 50.1},      {100, 100.1},
    {150, 150.1},      {200, 200.1},      {250, 250.1},      {300, 300.1},    {500, 500.1},
};

// More tick lines than this are no scale but a filled area; such a request draws none.
constexpr double kMaxTicks = 10000;

const QColor kTickColor(192, 192, 192);

// Ticks of a logarithmic scale: 1, 2 and 5 times the powers of ten inside the range.
std::vector<double> LogTicks(double min, double max) {
    std::vector<double> ticks;
    if (!(min > 0) || !(max > min)) return ticks;
    const int first = static_cast<int>(std::floor(std::log10(min)));
    const int last = static_cast<int>(std::ceil(std::log10(max)));
    if (last - first > 300) return ticks;
    for (int e = first; e <= last; ++e)
        for (double m : {1.0, 2.0, 5.0}) {
            const double v = m * std::pow(10.0, e);
            if (v >= min * (1 - 1e-12) && v <= max * (1 + 1e-12)) ticks.push_back(v);
        }
    return ticks;
}

// A value on an axis as it is laid out: its logarithm on a logarithmic axis.
double Axis(double v, bool log) { return log ? std::log(v) : v; }
double Unaxis(double v, bool log) { return log ? std::exp(v) : v; }

// Pixels per unit of a span of pixels over a span of values; a zero span counts as 1.
double Scale(double pixels, double span) { return pixels / (span == 0 ? 1 : span); }

QString FormatValue(const QString& format, double value) {
    if (!format.isEmpty()) {
        try {
            return QString::fromStdString(Format(format.toStdString(), value));
        } catch (const std::exception&) {
            // A format that does not take a number shows the value as the scales do.
        }
    }
    return ChartValueText(value);
}

void WidenEqualEnds(double& min, double& max) {
    if (min != max) return;
    if (min == 0) {
        max = 1;
        return;
    }
    // Half the value's size either way, so a negative value gives an increasing range too.
    const double a = 0.5 * min;
    const double b = 1.5 * min;
    min = std::min(a, b);
    max = std::max(a, b);
}

}  // namespace

double ChartTickStep(double rawStep) {
    for (const TStepEntry& e : kSteps)
        if (e.limit >= rawStep) return e.step;
    return std::ceil(rawStep / 500) * 500;
}

std::vector<double> ChartLinearTicks(double min, double max, int ticks) {
    std::vector<double> values;
    if (!std::isfinite(min) || !std::isfinite(max)) return values;
    if (ticks < 2) {
        values.push_back(min);
        return values;
    }
    const double step = ChartTickStep((max - min) / (ticks - 1));
    const double count = std::trunc(1.02 * (max - min) / step);
    if (!(count >= 0) || count > kMaxTicks) return values;
    for (int k = 0; k <= static_cast<int>(count); ++k) {
        double v = min + k * step;
        if (std::fabs(v) < step * 1e-9) v = 0;  // a tick at zero, not at its rounding error
        values.push_back(v);
    }
    return values;
}

QString ChartValueText(double value) {
    QString text = QString::fromStdString(
        TrimZeros(Format(MagnitudeFormat(1000, "%0.0f", value), value)));
    return text == "-0" ? QString("0") : text;
}

TChartPanel::TChartPanel(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAutoFillBackground(false);
    axesColor_ = palette().color(QPalette::WindowText);
    fontLabels_ = fontXYPos_ = scaleXFont_ = scaleYFont_ = font();
}

void TChartPanel::SetXRange(double min, double max) {
    WidenEqualEnds(min, max);
    xMin_ = min;
    xMax_ = max;
    update();
}

void TChartPanel::SetYRange(double min, double max) {
    WidenEqualEnds(min, max);
    yMin_ = min;
    yMax_ = max;
    update();
}

TChartLine& TChartPanel::AddLine(const QColor& color, int width, Qt::PenStyle style) {
    TChartLine line;
    line.color = color;
    line.width = width;
    line.style = style;
    lines_.push_back(std::move(line));
    update();
    return lines_.back();
}

void TChartPanel::ClearLines() {
    lines_.clear();
    update();
}

void TChartPanel::ClearPoints() {
    points_.clear();
    update();
}

QRect TChartPanel::PlotRect(const QSize& size) const {
    return QRect(leftMargin_, topMargin_, std::max(0, size.width() - leftMargin_ - rightMargin_),
                 std::max(0, size.height() - topMargin_ - bottomMargin_));
}

QPointF TChartPanel::ToPixel(double x, double y, const QSize& size) const {
    const QRectF plot(PlotRect(size));
    const double x0 = Axis(xMin_, LogX()), x1 = Axis(xMax_, LogX());
    const double y0 = Axis(yMin_, LogY()), y1 = Axis(yMax_, LogY());
    return {plot.left() + (Axis(x, LogX()) - x0) * Scale(plot.width(), x1 - x0),
            plot.bottom() - (Axis(y, LogY()) - y0) * Scale(plot.height(), y1 - y0)};
}

bool TChartPanel::ToData(const QPointF& pixel, const QSize& size, double& x, double& y) const {
    const QRectF plot(PlotRect(size));
    const double x0 = Axis(xMin_, LogX()), x1 = Axis(xMax_, LogX());
    const double y0 = Axis(yMin_, LogY()), y1 = Axis(yMax_, LogY());
    x = Unaxis(x0 + (pixel.x() - plot.left()) / Scale(plot.width(), x1 - x0), LogX());
    y = Unaxis(y0 + (plot.bottom() - pixel.y()) / Scale(plot.height(), y1 - y0), LogY());
    return x >= std::min(xMin_, xMax_) && x <= std::max(xMin_, xMax_) &&
           y >= std::min(yMin_, yMax_) && y <= std::max(yMin_, yMax_);
}

void TChartPanel::Render(QPainter& p, const QSize& size) const {
    p.save();
    // Scales and axes on whole pixels, the data smooth.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.fillRect(QRect(QPoint(0, 0), size), palette().color(QPalette::Window));
    const QRect plot = PlotRect(size);
    p.fillRect(plot, gridColor_);
    if (showXScale_) DrawXScale(p, plot, size);
    if (showYScale_) DrawYScale(p, plot, size);
    DrawAxes(p, plot);
    DrawTitle(p, size);

    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setClipRect(plot.adjusted(-1, -1, 1, 1));
    p.setFont(fontLabels_);
    for (const TChartPoint& pt : points_) {
        const QPointF at = ToPixel(pt.x, pt.y, size);
        DrawMarker(p, at, pt.marker, pt.markerSize, pt.color, pt.fillColor);
        if (!pt.caption.isEmpty()) {
            p.setPen(pt.color);
            p.drawText(at + QPointF(pt.markerSize / 2.0 + 3, -3), pt.caption);
        }
    }
    for (const TChartLine& line : lines_) {
        if (line.points.empty()) continue;
        QPolygonF poly;
        for (const TChartPoint& pt : line.points) poly << ToPixel(pt.x, pt.y, size);
        if (line.style != Qt::NoPen) {
            p.setPen(QPen(line.color, line.width, line.style, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPolyline(poly);
        }
        for (const QPointF& at : poly) {
            if (!line.markerBitmap.isNull())
                p.drawImage(at - QPointF(line.markerBitmap.width() / 2.0,
                                         line.markerBitmap.height() / 2.0),
                            line.markerBitmap);
            else
                DrawMarker(p, at, line.marker, 7, line.color, line.color);
        }
        if (!line.caption.isEmpty()) {
            p.setPen(line.color);
            p.drawText(poly.last() + QPointF(4, -4), line.caption);
        }
    }
    p.restore();
    p.restore();
}

void TChartPanel::DrawXScale(QPainter& p, const QRect& plot, const QSize& size) const {
    const std::vector<double> ticks =
        LogX() ? LogTicks(xMin_, xMax_) : ChartLinearTicks(xMin_, xMax_, scaleXTicks_);
    p.setFont(scaleXFont_);
    const QFontMetrics fm(scaleXFont_);
    const int h = fm.height();
    for (double v : ticks) {
        const double x = ToPixel(v, yMin_, size).x();
        p.setPen(QPen(kTickColor, 1));
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.top() + plot.height()));
        const QString label = ChartValueText(v);
        const int w = fm.horizontalAdvance(label);
        p.setPen(axesColor_);
        p.drawText(QRectF(x - w / 2.0 - 1, plot.top() + plot.height() + h / 2.0, w + 2, h),
                   Qt::AlignCenter, label);
    }
    if (!scaleXLabel_.isEmpty()) {
        p.setFont(fontLabels_);
        p.setPen(axesColor_);
        const int lh = QFontMetrics(fontLabels_).height();
        p.drawText(QRectF(plot.left(), plot.top() + plot.height() + 1.5 * h + 2, plot.width(), lh),
                   Qt::AlignCenter, scaleXLabel_);
    }
}

void TChartPanel::DrawYScale(QPainter& p, const QRect& plot, const QSize& size) const {
    const std::vector<double> ticks =
        LogY() ? LogTicks(yMin_, yMax_) : ChartLinearTicks(yMin_, yMax_, scaleYTicks_);
    p.setFont(scaleYFont_);
    const QFontMetrics fm(scaleYFont_);
    const int h = fm.height();
    // Labels sit on the side the y axis is drawn: the right for the second quadrant.
    const bool right = axisType_ == xtQuad2;
    int widest = 0;
    for (double v : ticks) {
        const double y = ToPixel(xMin_, v, size).y();
        p.setPen(QPen(kTickColor, 1));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.left() + plot.width(), y));
        const QString label = ChartValueText(v);
        const int w = fm.horizontalAdvance(label);
        widest = std::max(widest, w);
        p.setPen(axesColor_);
        const double x = right ? plot.left() + plot.width() + h / 2.0 : plot.left() - h / 2.0 - w;
        p.drawText(QRectF(x, y - h / 2.0, w + 1, h), Qt::AlignVCenter | Qt::AlignLeft, label);
    }
    if (!scaleYLabel_.isEmpty()) {
        p.setFont(fontLabels_);
        p.setPen(axesColor_);
        const int lh = QFontMetrics(fontLabels_).height();
        const double gap = h / 2.0 + widest + 3;
        const double x = right ? plot.left() + plot.width() + gap + lh : plot.left() - gap;
        p.save();
        p.translate(x, plot.top() + plot.height() / 2.0);
        p.rotate(-90);
        p.drawText(QRectF(-plot.height() / 2.0, -lh, plot.height(), lh), Qt::AlignCenter,
                   scaleYLabel_);
        p.restore();
    }
}

void TChartPanel::DrawAxes(QPainter& p, const QRect& plot) const {
    p.setPen(QPen(axesColor_, 1));
    const QRectF r(plot);
    switch (axisType_) {
        case xtCent0:
            p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
            p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
            break;
        case xtQuad1:
            p.drawLine(r.topLeft(), r.bottomLeft());
            p.drawLine(r.bottomLeft(), r.bottomRight());
            break;
        case xtQuad2:
            p.drawLine(r.topRight(), r.bottomRight());
            p.drawLine(r.bottomLeft(), r.bottomRight());
            break;
        default:
            break;
    }
}

void TChartPanel::DrawTitle(QPainter& p, const QSize& size) const {
    if (title_.isEmpty()) return;
    p.setFont(fontLabels_);
    p.setPen(axesColor_);
    const QFontMetrics fm(fontLabels_);
    const double top = std::max(0.0, (topMargin_ - fm.height()) / 2.0);
    const QRectF band(5, top, std::max(0, size.width() - 10), fm.height());
    Qt::Alignment h = Qt::AlignHCenter;
    if (titleAlignment_ & Qt::AlignLeft) h = Qt::AlignLeft;
    if (titleAlignment_ & Qt::AlignRight) h = Qt::AlignRight;
    p.drawText(band, h | Qt::AlignVCenter, title_);
}

void TChartPanel::DrawMarker(QPainter& p, const QPointF& at, TMarkerShape shape, int size,
                             const QColor& color, const QColor& fill) const {
    if (shape == msNone) return;
    const double r = size / 2.0;
    p.setPen(QPen(color, 1));
    p.setBrush(fill);
    switch (shape) {
        case msSquare: p.drawRect(QRectF(at.x() - r, at.y() - r, size, size)); break;
        case msCircle: p.drawEllipse(at, r, r); break;
        case msCross:
            p.drawLine(at + QPointF(-r, -r), at + QPointF(r, r));
            p.drawLine(at + QPointF(-r, r), at + QPointF(r, -r));
            break;
        case msDiamond: {
            const QPointF pts[] = {at + QPointF(0, -r), at + QPointF(r, 0), at + QPointF(0, r),
                                   at + QPointF(-r, 0)};
            p.drawPolygon(pts, 4);
            break;
        }
        default: break;
    }
    p.setBrush(Qt::NoBrush);
}

void TChartPanel::DrawPosition(QPainter& p, const QSize& size) const {
    if (position_.isEmpty()) return;
    const QFontMetrics fm(fontXYPos_);
    const QSize text(fm.horizontalAdvance(position_) + 4, fm.height());
    const QRect patch = showXYPosPlace_ == ppTopRight
                            ? QRect(QPoint(size.width() - 3 - text.width(), 3), text)
                            : QRect(QPoint(2, size.height() - 2 - text.height()), text);
    p.fillRect(patch, palette().color(QPalette::Window));
    p.setFont(fontXYPos_);
    p.setPen(axesColor_);
    p.drawText(patch, Qt::AlignCenter, position_);
}

QImage TChartPanel::ToImage() const {
    QImage image(size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    Render(p, size());
    return image;
}

void TChartPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    Render(p, size());
    DrawPosition(p, size());
}

void TChartPanel::mouseMoveEvent(QMouseEvent* event) {
    QString text;
    double x = 0, y = 0;
    if (showXYPos_ && ToData(event->position(), size(), x, y))
        text = FormatValue(showXPosFmt_, x) + ", " + FormatValue(showYPosFmt_, y);
    if (text != position_) {
        position_ = text;
        update();
    }
    QWidget::mouseMoveEvent(event);
}

void TChartPanel::leaveEvent(QEvent* event) {
    if (!position_.isEmpty()) {
        position_.clear();
        update();
    }
    QWidget::leaveEvent(event);
}

void TChartPanel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Dialogs().SetClipboardImage(ToImage());
    QWidget::mouseDoubleClickEvent(event);
}

}  // namespace qdx::app

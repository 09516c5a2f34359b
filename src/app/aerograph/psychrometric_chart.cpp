#include "app/aerograph/psychrometric_chart.hpp"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "fluids/psychrometrics.hpp"
#include "units/format.hpp"

namespace qdx::aerograph {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kPage = 12;  // margin of the page, px
constexpr int kTextPixels = 12;
constexpr int kTitlePixels = 16;
constexpr int kMaxDescriptionLines = 4;
constexpr double kNodeRadius = 4.5;

QFont ChartFont(int pixels, bool bold = false) {
    QFont f;
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

// A library value, or NaN where the formulation has none (beyond boiling, far below freezing):
// such points break a line instead of ending the chart.
double Try(const std::function<double()>& f) {
    try {
        const double v = f();
        return std::isfinite(v) ? v : kNaN;
    } catch (const std::exception&) {
        return kNaN;
    }
}

// The x in [lo, hi] where f changes sign; NaN when it does not.
double Bisect(const std::function<double(double)>& f, double lo, double hi) {
    double flo = f(lo);
    const double fhi = f(hi);
    if (!(flo * fhi <= 0)) return kNaN;
    for (int i = 0; i < 50; ++i) {
        const double mid = 0.5 * (lo + hi);
        const double fm = f(mid);
        if (std::isnan(fm)) return kNaN;
        if ((fm < 0) == (flo < 0)) {
            lo = mid;
            flo = fm;
        } else {
            hi = mid;
        }
    }
    return 0.5 * (lo + hi);
}

// Cuts segment a-b to the range: the parameters t0 <= t1 of the part inside, false if none.
bool CutSegment(const QPointF& a, const QPointF& b, const QRectF& range, double& t0, double& t1) {
    t0 = 0;
    t1 = 1;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    auto edge = [&](double p, double q) {
        if (p == 0) return q >= 0;
        const double r = q / p;
        if (p < 0) {
            if (r > t1) return false;
            t0 = std::max(t0, r);
        } else {
            if (r < t0) return false;
            t1 = std::min(t1, r);
        }
        return true;
    };
    return edge(-dx, a.x() - range.left()) && edge(dx, range.right() - a.x()) &&
           edge(-dy, a.y() - range.top()) && edge(dy, range.bottom() - a.y());
}

// The pieces of a polyline inside the range (x and y as the range's left..right, top..bottom);
// points that are not numbers break the line.
std::vector<std::vector<QPointF>> CutToRange(const std::vector<QPointF>& points,
                                             const QRectF& range) {
    std::vector<std::vector<QPointF>> pieces;
    bool open = false;
    for (size_t i = 1; i < points.size(); ++i) {
        const QPointF a = points[i - 1], b = points[i];
        double t0 = 0, t1 = 1;
        if (!std::isfinite(a.x() + a.y() + b.x() + b.y()) || !CutSegment(a, b, range, t0, t1)) {
            open = false;
            continue;
        }
        if (!open || t0 > 0) {
            pieces.push_back({a + t0 * (b - a)});
            open = true;
        }
        pieces.back().push_back(a + t1 * (b - a));
        if (t1 < 1) open = false;
    }
    return pieces;
}

// The first step that divides span into at most ten parts.
double LabelStep(double span, std::initializer_list<double> steps) {
    for (double s : steps)
        if (span / s <= 10) return s;
    return std::ceil(span / 10 / *std::prev(steps.end())) * *std::prev(steps.end());
}

// Multiples of step from lo to hi.
std::vector<double> Multiples(double lo, double hi, double step) {
    std::vector<double> v;
    const double eps = step * 1e-6;
    for (double k = std::ceil((lo - eps) / step); k * step <= hi + eps; k += 1) v.push_back(k * step);
    return v;
}

QString Text(std::string_view pattern, double value) {
    return QString::fromStdString(Format(pattern, value));
}

}  // namespace

TPsychrometricChart::TPsychrometricChart(TAerographFile file) : file_(std::move(file)) {
    LayOutLines();
}

void TPsychrometricChart::AddCurve(const QColor& color, double width, Qt::PenStyle style,
                                   const std::vector<QPointF>& points) {
    const QRectF range(QPointF(file_.dryBulbMin, file_.moistureMin),
                       QPointF(file_.dryBulbMax, file_.moistureMax));
    TCurve c{color, width, style, CutToRange(points, range)};
    if (!c.pieces.empty()) curves_.push_back(std::move(c));
}

void TPsychrometricChart::LayOutLines() {
    const double p = file_.barometer;
    const double t0 = file_.dryBulbMin, t1 = file_.dryBulbMax;
    const double w0 = file_.moistureMin, w1 = file_.moistureMax;
    const double spanT = t1 - t0, spanW = w1 - w0;
    auto inside = [&](double t, double w) { return t >= t0 && t <= t1 && w >= w0 && w <= w1; };
    auto sat = [p](double t) { return Try([&] { return psy::SatHumidityRatio(t, p); }); };
    auto volume = [p](double t, double w) {
        return Try([&] { return (1 + w) / SetState(p, t, w, 2).ro; });
    };
    constexpr int kSamples = 240;
    auto sampled = [&](const std::function<double(double)>& w) {
        std::vector<QPointF> pts;
        for (int i = 0; i <= kSamples; ++i) {
            const double t = t0 + spanT * i / kSamples;
            pts.emplace_back(t, w(t));
        }
        return pts;
    };
    // Where a line that runs from the saturation curve downwards is labelled: a little
    // beyond the curve, in the empty part of the chart.
    const double below = w0 - 0.05 * spanW;

    // The grid: dry bulbs up to saturation, moisture contents from their dew point.
    const double tStep = LabelStep(spanT, {1, 2, 5, 10, 20, 50});
    const double wStep = LabelStep(spanW, {0.0005, 0.001, 0.002, 0.005, 0.01, 0.02});
    for (double t : Multiples(t0, t1, tStep >= 5 ? tStep / 5 : tStep / 2))
        AddCurve(TChartColors::grid, 1, Qt::SolidLine, {{t, w0}, {t, std::min(sat(t), w1)}});
    for (double w : Multiples(w0, w1, wStep / 2)) {
        const double dew = Try([&] { return psy::DewPoint(psy::VapourPressure(w, p)); });
        AddCurve(TChartColors::grid, 1, Qt::SolidLine, {{std::max(dew, t0), w}, {t1, w}});
    }

    // Specific volume every 0.01 m³/kg, labelled where it meets the bottom axis.
    {
        const double vLo = volume(t0, w0);
        const double vHi = volume(t1, std::min(w1, sat(t1)));
        if (std::isfinite(vLo) && std::isfinite(vHi)) {
            for (double v : Multiples(vLo, vHi, 0.01)) {
                const double ts = Bisect([&](double t) { return volume(t, sat(t)) - v; },
                                         t0 - 60, t1 + 10);
                if (std::isnan(ts)) continue;
                const double ws = sat(ts);
                std::vector<QPointF> pts;
                for (int i = 0; i <= 12; ++i) {
                    const double w = ws + (below - ws) * i / 12;
                    pts.emplace_back(
                        Bisect([&](double t) { return volume(t, w) - v; }, ts - 1, ts + 80), w);
                }
                AddCurve(TChartColors::volume, 1, Qt::SolidLine, pts);
                const double tb =
                    Bisect([&](double t) { return volume(t, w0) - v; }, t0 - 80, t1 + 80);
                if (tb >= t0 && tb <= t1 - 0.04 * spanT)
                    labels_.push_back({Text("%0.2f", v), TChartColors::volume, {tb, w0},
                                       {3, -3}, Qt::AlignLeft | Qt::AlignBottom});
            }
        }
    }

    // Enthalpy every 5 kJ/kg, labelled every 10 beyond the saturation curve.
    {
        const double hLo = Try([&] { return psy::Enthalpy(t0, std::max(w0, 0.0)); });
        const double hHi = std::min(Try([&] { return psy::SatEnthalpy(t1, p); }),
                                    Try([&] { return psy::Enthalpy(t1, w1); }));
        if (std::isfinite(hLo) && std::isfinite(hHi)) {
            for (double h : Multiples(hLo, hHi, 5)) {
                const double ts = Bisect(
                    [&](double t) { return Try([&] { return psy::SatEnthalpy(t, p); }) - h; },
                    t0 - 60, t1 + 10);
                if (std::isnan(ts)) continue;
                const double ws = sat(ts);
                std::vector<QPointF> pts;
                for (int i = 0; i <= 20; ++i) {
                    const double w = ws + (below - ws) * i / 20;
                    pts.emplace_back(Try([&] { return psy::DryBulbOfEnthalpy(h, w); }), w);
                }
                AddCurve(TChartColors::enthalpy, 1, Qt::SolidLine, pts);
                if (std::fmod(std::round(h), 10) != 0) continue;
                const double wl = ws + 0.035 * spanW;
                const double tl = Try([&] { return psy::DryBulbOfEnthalpy(h, wl); });
                if (inside(tl, wl) && inside(ts, ws))
                    labels_.push_back({Text("%0.0f", h), TChartColors::enthalpy, {tl, wl},
                                       {0, 0}, Qt::AlignCenter});
            }
        }
    }

    // Wet bulb every 5 °C, from its saturated state to the bottom of the chart, labelled on the
    // saturation curve.
    for (double wb : Multiples(t0 - 40, t1, 5)) {
        const double ws = sat(wb);
        if (std::isnan(ws)) continue;
        std::vector<QPointF> pts{{wb, ws}};
        for (double t = wb + 0.25; t <= t1 + 1; t += 0.25) {
            const double w = Try([&] { return psy::HumidityRatioOfWetBulb(t, wb, p); });
            pts.emplace_back(t, w);
            if (!(w >= w0)) break;
        }
        AddCurve(TChartColors::wetBulb, 1, Qt::DashLine, pts);
        if (inside(wb, ws))
            labels_.push_back({Text("%0.0f", wb), TChartColors::wetBulb, {wb, ws}, {-3, -2},
                               Qt::AlignRight | Qt::AlignBottom});
    }

    // Relative humidity every 10 %, and saturation, labelled near the right or top edge.
    for (int k = 1; k <= 10; ++k) {
        const double rh = k / 10.0;
        const std::vector<QPointF> pts = sampled([&](double t) {
            return Try([&] { return psy::HumidityRatio(rh * psy::SatPressure(t), p); });
        });
        if (k < 10)
            AddCurve(TChartColors::relativeHumidity, 1, Qt::SolidLine, pts);
        else
            AddCurve(TChartColors::saturation, 2.5, Qt::SolidLine, pts);
        for (auto it = pts.rbegin(); it != pts.rend(); ++it) {
            if (it->x() <= t1 - 0.05 * spanT && it->y() <= w1 - 0.03 * spanW && it->y() >= w0) {
                labels_.push_back({QString::number(k * 10) + "%",
                                   k < 10 ? TChartColors::relativeHumidity
                                          : TChartColors::saturation,
                                   *it, {0, 0}, Qt::AlignCenter});
                break;
            }
        }
    }
}

double TPsychrometricChart::TitleBlockHeight() const {
    const int desc = std::min<int>(static_cast<int>(file_.properties.DescriptionLines().size()),
                                   kMaxDescriptionLines);
    return 8 + 22 + desc * 16 + 18 + 6;
}

QRectF TPsychrometricChart::PlotRect(const QSizeF& size) const {
    const double top = kPage + TitleBlockHeight() + 16;
    const double left = kPage + 8;
    return QRectF(QPointF(left, top),
                  QPointF(std::max(left + 1, size.width() - kPage - 66),
                          std::max(top + 1, size.height() - kPage - 40)));
}

QPointF TPsychrometricChart::ToPixel(double dryBulb, double moisture, const QSizeF& size) const {
    const QRectF plot = PlotRect(size);
    return {plot.left() + (dryBulb - file_.dryBulbMin) / (file_.dryBulbMax - file_.dryBulbMin) *
                              plot.width(),
            plot.bottom() - (moisture - file_.moistureMin) /
                                (file_.moistureMax - file_.moistureMin) * plot.height()};
}

bool TPsychrometricChart::StateAt(const QPointF& pixel, const QSizeF& size,
                                  TChartState& state) const {
    const QRectF plot = PlotRect(size);
    if (!plot.contains(pixel)) return false;
    const double t = file_.dryBulbMin + (pixel.x() - plot.left()) / plot.width() *
                                            (file_.dryBulbMax - file_.dryBulbMin);
    const double w = file_.moistureMin + (plot.bottom() - pixel.y()) / plot.height() *
                                             (file_.moistureMax - file_.moistureMin);
    try {
        const TAirState s = SetState(file_.barometer, t, w, 2);
        if (s.rh > 1) return false;
        state = {s.db, s.wa, s.rh, s.wb, s.ha, (1 + s.wa) / s.ro};
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

double TPsychrometricChart::NodeMoisture(const TAerographNode& node) const {
    return Try([&] { return SetState(file_.barometer, node.dryBulb, node.wetBulb, 0).wa; });
}

void TPsychrometricChart::Draw(QPainter& p, const QSizeF& size) const {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
    DrawTitleBlock(p, size);
    const QRectF plot = PlotRect(size);
    for (const TCurve& c : curves_) {
        QPen pen(c.color, c.width, c.style, Qt::FlatCap, Qt::RoundJoin);
        p.setPen(pen);
        for (const auto& piece : c.pieces) {
            QPolygonF poly;
            for (const QPointF& s : piece) poly << ToPixel(s.x(), s.y(), size);
            p.drawPolyline(poly);
        }
    }
    DrawScales(p, plot, size);
    for (const TLabel& l : labels_) DrawLabel(p, l, size);
    DrawLegend(p, plot);
    DrawProcesses(p, size);
    p.restore();
}

void TPsychrometricChart::DrawTitleBlock(QPainter& p, const QSizeF& size) const {
    const TFileProperties& props = file_.properties;
    const QRectF block(kPage, kPage, size.width() - 2 * kPage, TitleBlockHeight());
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(block);
    const double x = block.left() + 8, width = block.width() - 16;
    double y = block.top() + 6;

    p.setFont(ChartFont(kTitlePixels, true));
    const QString name = props.edProjectName.empty()
                             ? QString("Psychrometric chart")
                             : QString::fromStdString(props.edProjectName);
    p.drawText(QRectF(x, y, width, 22), Qt::AlignLeft | Qt::AlignVCenter, name);
    p.setFont(ChartFont(kTextPixels));
    if (!props.edProjectNumber.empty())
        p.drawText(QRectF(x, y, width, 22), Qt::AlignRight | Qt::AlignVCenter,
                   "Project No. " + QString::fromStdString(props.edProjectNumber));
    y += 22;

    const std::vector<std::string> lines = props.DescriptionLines();
    for (size_t i = 0; i < lines.size() && i < kMaxDescriptionLines; ++i) {
        QString line = QString::fromStdString(lines[i]);
        if (i + 1 == kMaxDescriptionLines && lines.size() > kMaxDescriptionLines) line += " …";
        p.drawText(QRectF(x, y, width, 16), Qt::AlignLeft | Qt::AlignVCenter, line);
        y += 16;
    }

    QStringList facts;
    if (!props.edAuthor.empty()) facts << "Author: " + QString::fromStdString(props.edAuthor);
    if (!props.edCompany.empty()) facts << "Company: " + QString::fromStdString(props.edCompany);
    facts << "Date: " + QString::fromStdString(FormatPropertiesDate(props.edDate));
    facts << "Barometric pressure: " + Text("%0.3f", file_.barometer) + " kPa";
    p.setPen(QColor(60, 60, 60));
    p.drawText(QRectF(x, y + 2, width, 16), Qt::AlignLeft | Qt::AlignVCenter,
               facts.join("      "));
}

void TPsychrometricChart::DrawScales(QPainter& p, const QRectF& plot, const QSizeF& size) const {
    const double spanT = file_.dryBulbMax - file_.dryBulbMin;
    const double spanW = file_.moistureMax - file_.moistureMin;
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.drawLine(plot.topRight(), plot.bottomRight());

    p.setFont(ChartFont(kTextPixels));
    const QFontMetricsF fm(p.font());
    const double tStep = LabelStep(spanT, {1, 2, 5, 10, 20, 50});
    for (double t : Multiples(file_.dryBulbMin, file_.dryBulbMax, tStep)) {
        const double x = ToPixel(t, file_.moistureMin, size).x();
        p.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 4));
        p.drawText(QRectF(x - 30, plot.bottom() + 5, 60, fm.height()), Qt::AlignCenter,
                   QString::number(t));
    }
    p.drawText(QRectF(plot.left(), plot.bottom() + 6 + fm.height(), plot.width(), fm.height()),
               Qt::AlignCenter, "Dry bulb temperature, °C");

    const double wStep = LabelStep(spanW, {0.0005, 0.001, 0.002, 0.005, 0.01, 0.02});
    const int decimals = std::max(0, static_cast<int>(std::ceil(-std::log10(wStep) - 1e-9)));
    const std::string pattern = "%0." + std::to_string(decimals) + "f";
    double widest = 0;
    for (double w : Multiples(file_.moistureMin, file_.moistureMax, wStep)) {
        const double y = ToPixel(file_.dryBulbMax, w, size).y();
        const QString label = Text(pattern, w);
        widest = std::max(widest, fm.horizontalAdvance(label));
        p.drawLine(QPointF(plot.right(), y), QPointF(plot.right() + 4, y));
        p.drawText(QRectF(plot.right() + 6, y - fm.height() / 2, 60, fm.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, label);
    }
    p.save();
    p.translate(plot.right() + 12 + widest + fm.height(), plot.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-plot.height() / 2, -fm.height(), plot.height(), fm.height()),
               Qt::AlignCenter, "Moisture content, kg/kg dry air");
    p.restore();
}

void TPsychrometricChart::DrawLabel(QPainter& p, const TLabel& label, const QSizeF& size) const {
    p.setFont(ChartFont(kTextPixels - 1));
    const QFontMetricsF fm(p.font());
    const QSizeF box(fm.horizontalAdvance(label.text) + 4, fm.height());
    QPointF at = ToPixel(label.at.x(), label.at.y(), size) + label.offset;
    QPointF topLeft(at.x() - box.width() / 2, at.y() - box.height() / 2);
    if (label.align & Qt::AlignLeft) topLeft.setX(at.x());
    if (label.align & Qt::AlignRight) topLeft.setX(at.x() - box.width());
    if (label.align & Qt::AlignTop) topLeft.setY(at.y());
    if (label.align & Qt::AlignBottom) topLeft.setY(at.y() - box.height());
    const QRectF r(topLeft, box);
    // A white patch keeps the label readable over the lines it sits on.
    p.fillRect(r, QColor(255, 255, 255, 230));
    p.setPen(label.color);
    p.drawText(r, Qt::AlignCenter, label.text);
}

void TPsychrometricChart::DrawLegend(QPainter& p, const QRectF& plot) const {
    struct Row {
        QColor color;
        Qt::PenStyle style;
        const char* text;
    };
    const Row rows[] = {
        {TChartColors::saturation, Qt::SolidLine, "saturation"},
        {TChartColors::relativeHumidity, Qt::SolidLine, "relative humidity, %"},
        {TChartColors::wetBulb, Qt::DashLine, "wet bulb, °C"},
        {TChartColors::enthalpy, Qt::SolidLine, "enthalpy, kJ/kg dry air"},
        {TChartColors::volume, Qt::SolidLine, "specific volume, m³/kg dry air"},
    };
    p.setFont(ChartFont(kTextPixels - 1));
    const QFontMetricsF fm(p.font());
    double width = 0;
    for (const Row& r : rows) width = std::max(width, fm.horizontalAdvance(r.text));
    const double rowH = fm.height() + 2;
    const QRectF box(plot.left() + 8, plot.top() + 8, width + 44, 5 * rowH + 8);
    p.fillRect(box, QColor(255, 255, 255, 235));
    p.setPen(QPen(QColor(160, 160, 160), 1));
    p.drawRect(box);
    for (int i = 0; i < 5; ++i) {
        const double y = box.top() + 4 + i * rowH + rowH / 2;
        p.setPen(QPen(rows[i].color, i == 0 ? 2.5 : 1, rows[i].style));
        p.drawLine(QPointF(box.left() + 6, y), QPointF(box.left() + 32, y));
        p.setPen(Qt::black);
        p.drawText(QRectF(box.left() + 38, y - rowH / 2, width + 4, rowH),
                   Qt::AlignLeft | Qt::AlignVCenter, rows[i].text);
    }
}

void TPsychrometricChart::DrawProcesses(QPainter& p, const QSizeF& size) const {
    const QRectF plot = PlotRect(size);
    auto at = [&](const TAerographNode& n) { return ToPixel(n.dryBulb, NodeMoisture(n), size); };
    auto shown = [&](const QPointF& pt) {
        return std::isfinite(pt.x() + pt.y()) && plot.adjusted(-1, -1, 1, 1).contains(pt);
    };
    p.setFont(ChartFont(kTextPixels));
    const QFontMetricsF fm(p.font());

    for (const TAerographProcess& pr : file_.processes) {
        const TAerographNode* from = file_.FindNode(pr.startNode);
        const TAerographNode* to = file_.FindNode(pr.endNode);
        if (!from || !to) continue;
        const QPointF a = at(*from), b = at(*to);
        if (!shown(a) || !shown(b)) continue;
        const QLineF line(a, b);
        const double length = line.length();
        if (length < 2 * kNodeRadius + 2) continue;
        const QPointF dir = (b - a) / length;
        const QPointF normal(-dir.y(), dir.x());
        const QPointF tip = b - dir * (kNodeRadius + 1);
        const double head = std::min(14.0, length / 3);
        const QPointF base = tip - dir * head;
        p.setPen(QPen(TChartColors::process, 2.5, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(a + dir * kNodeRadius, base);
        p.setPen(Qt::NoPen);
        p.setBrush(TChartColors::process);
        const QPointF arrow[] = {tip, base + normal * (head * 0.4), base - normal * (head * 0.4)};
        p.drawPolygon(arrow, 3);
        p.setBrush(Qt::NoBrush);

        // The label beside the middle of the shaft, on its upper side.
        const QString text = QString::fromStdString(pr.name) + "  " +
                             QString::fromStdString(pr.caption) + "  " +
                             Text("%0.4f", pr.massFlow) + " kg/s";
        const QPointF side = normal.y() < 0 ? normal : -normal;
        const QPointF mid = (a + b) / 2 + side * 10;
        const double w = fm.horizontalAdvance(text) + 6;
        const QRectF r(side.x() >= 0 ? mid.x() : mid.x() - w, mid.y() - fm.height(), w,
                       fm.height());
        p.fillRect(r, QColor(255, 255, 255, 230));
        p.setPen(TChartColors::process);
        p.drawText(r, Qt::AlignCenter, text);
    }

    for (const TAerographNode& n : file_.nodes) {
        const QPointF pt = at(n);
        if (!shown(pt)) continue;
        p.setPen(QPen(TChartColors::node, 1.5));
        p.setBrush(Qt::white);
        p.drawEllipse(pt, kNodeRadius, kNodeRadius);
        p.setBrush(TChartColors::node);
        p.drawEllipse(pt, 1.5, 1.5);
        p.setBrush(Qt::NoBrush);
        const QString text = QString::fromStdString(n.name) + " " +
                             QString::fromStdString(n.caption) + "  " +
                             Text("%0.1f", n.dryBulb) + "/" + Text("%0.1f", n.wetBulb) + " °C";
        const double w = fm.horizontalAdvance(text) + 6;
        // On the side away from the processes at the node, so no label covers an arrow;
        // inside the plot near its edges.
        double towards = 0;
        for (const TAerographProcess& pr : file_.processes) {
            const TAerographNode* from = file_.FindNode(pr.startNode);
            const TAerographNode* to = file_.FindNode(pr.endNode);
            if (from == &n && to) towards += at(*to).x() - pt.x();
            if (to == &n && from) towards += at(*from).x() - pt.x();
        }
        bool left = towards > 0;
        if (left && pt.x() - 10 - w < plot.left()) left = false;
        if (!left && pt.x() + 10 + w > plot.right()) left = true;
        const QRectF r(left ? pt.x() - 9 - w : pt.x() + 9, pt.y() - fm.height() / 2, w,
                       fm.height());
        p.fillRect(r, QColor(255, 255, 255, 230));
        p.setPen(TChartColors::node);
        p.drawText(r, Qt::AlignCenter, text);
    }
}

}  // namespace qdx::aerograph

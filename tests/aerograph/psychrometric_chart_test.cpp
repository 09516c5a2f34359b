// The psychrometric chart: its curves pass through the pixels of states the psychrometric
// library gives, at the file's pressure; the process arrow joins its two nodes; the state
// under the pointer is the library's.
#include <QtTest>

#include <QPainter>

#include "app/aerograph/psychrometric_chart.hpp"
#include "fluids/psychrometrics.hpp"
#include "sample_chart.hpp"

using namespace qdx;
using namespace qdx::aerograph;

namespace {

const QSize kSize(1200, 900);

QImage Draw(const TPsychrometricChart& chart) {
    QImage image(kSize, QImage::Format_RGB32);
    QPainter p(&image);
    chart.Draw(p, kSize);
    return image;
}

// The pixel of a state through the chart's axes: dry bulb 5..35 °C left to right, moisture
// 0.001..0.02 kg/kg bottom to top of the plot area.
QPointF Expected(const TPsychrometricChart& chart, double db, double w) {
    const QRectF plot = chart.PlotRect(kSize);
    return {plot.left() + (db - 5) / 30 * plot.width(),
            plot.bottom() - (w - 0.001) / 0.019 * plot.height()};
}

// The middle of the line of that colour in the pixel's column, within 6 pixels: the rows that
// show the colour, weighted by how strongly; -1 when none does.
double LineRowNear(const QImage& image, const QPointF& at, const QColor& colour) {
    const int x = static_cast<int>(at.x());
    double sum = 0, weight = 0;
    for (int y = qRound(at.y()) - 6; y <= qRound(at.y()) + 6; ++y) {
        const double s = qdx::test::ColourShare(image.pixel(x, y), colour);
        if (s > 0.3) {
            sum += s * y;
            weight += s;
        }
    }
    // A pixel's centre lies half a pixel below and right of its corner.
    return weight > 0 ? sum / weight + 0.5 : -1;
}

// The strongest share of the colour in the 5 x 5 pixels around a point.
double ShareAround(const QImage& image, const QPointF& at, const QColor& colour) {
    double share = 0;
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            share = std::max(share, qdx::test::ColourShare(
                                        image.pixel(qRound(at.x()) + dx, qRound(at.y()) + dy),
                                        colour));
    return share;
}

}  // namespace

class PsychrometricChartTest : public QObject {
    Q_OBJECT
private slots:
    void curvesPassThroughTheLibrarysStates_data() {
        QTest::addColumn<double>("barometer");
        QTest::newRow("sea level") << 101.325;
        QTest::newRow("1900 m") << 80.0;
    }
    void curvesPassThroughTheLibrarysStates() {
        QFETCH(double, barometer);
        const TPsychrometricChart chart(test::SampleChartFile(barometer));
        const QImage image = Draw(chart);
        for (double db : {8.0, 12.5, 18.0}) {
            const QPointF at = Expected(chart, db, psy::SatHumidityRatio(db, barometer));
            const double row = LineRowNear(image, at, TChartColors::saturation);
            QVERIFY2(row >= 0 && std::fabs(row - at.y()) <= 1.5,
                     qPrintable(QString("saturation at %1 °C: row %2, expected %3")
                                    .arg(db).arg(row).arg(at.y())));
        }
        for (double db : {10.0, 16.0, 21.0}) {
            const QPointF at = Expected(chart, db, SetState(barometer, db, 0.5, 3).wa);
            const double row = LineRowNear(image, at, TChartColors::relativeHumidity);
            QVERIFY2(row >= 0 && std::fabs(row - at.y()) <= 1.5,
                     qPrintable(QString("50 % at %1 °C: row %2, expected %3")
                                    .arg(db).arg(row).arg(at.y())));
        }
        // Nothing of the humidity, wet-bulb, volume or grid lines above saturation.
        const QPointF sat = Expected(chart, 12.5, psy::SatHumidityRatio(12.5, barometer));
        for (int y = qRound(sat.y()) - 80; y < qRound(sat.y()) - 4; ++y)
            for (const QColor& c : {TChartColors::relativeHumidity, TChartColors::wetBulb,
                                    TChartColors::volume, TChartColors::grid})
                QVERIFY2(qdx::test::ColourShare(image.pixel(qRound(sat.x()), y), c) < 0.3,
                         qPrintable(QString("a line above saturation at row %1").arg(y)));
    }

    void processArrowJoinsTheNodes() {
        const TPsychrometricChart chart(test::SampleChartFile());
        const QImage image = Draw(chart);
        const QPointF on = Expected(chart, 25, SetState(101.325, 25, 17, 0).wa);
        const QPointF off = Expected(chart, 11.623, SetState(101.325, 11.623, 10.919, 0).wa);
        QCOMPARE(chart.ToPixel(25, SetState(101.325, 25, 17, 0).wa, kSize), on);
        for (double t = 0.1; t <= 0.9; t += 0.05) {
            const QPointF pt = on + t * (off - on);
            QVERIFY2(ShareAround(image, pt, TChartColors::process) > 0.8,
                     qPrintable(QString("no arrow at %1 of the way").arg(t)));
        }
        // The head at the end node: wider than the shaft.
        const QPointF dir = (off - on) / QLineF(on, off).length();
        const QPointF normal(-dir.y(), dir.x());
        const QPointF neck = off - dir * 10;
        QVERIFY(ShareAround(image, neck + normal * 3.5, TChartColors::process) > 0.8);
        QVERIFY(ShareAround(image, neck - normal * 3.5, TChartColors::process) > 0.8);
        const QPointF shaft = on + 0.5 * (off - on);
        QVERIFY(qdx::test::ColourShare(image.pixel((shaft + normal * 4.5).toPoint()),
                                       TChartColors::process) < 0.5 ||
                qdx::test::ColourShare(image.pixel((shaft - normal * 4.5).toPoint()),
                                       TChartColors::process) < 0.5);
        // The nodes are marked where they are.
        for (const QPointF& node : {on, off})
            QVERIFY(qdx::test::ColourShare(image.pixel(node.toPoint()), TChartColors::node) > 0.8);
    }

    void processToAMissingNodeOrOffTheChartIsLeftOut() {
        TAerographFile file = test::SampleChartFile();
        file.nodes[1].dryBulb = 50;  // beyond the dry-bulb range
        file.nodes[1].wetBulb = 20;
        const TPsychrometricChart chart(file);
        const QImage image = Draw(chart);
        const QPointF on = Expected(chart, 25, SetState(101.325, 25, 17, 0).wa);
        QVERIFY(qdx::test::ColourShare(image.pixel(on.toPoint()), TChartColors::node) > 0.8);
        const QPointF right = on + QPointF(40, 0);
        QVERIFY(ShareAround(image, right, TChartColors::process) < 0.3);
    }

    void stateUnderThePointerIsTheLibrarys() {
        const TPsychrometricChart chart(test::SampleChartFile(90));
        const double w = SetState(90, 24, 0.5, 3).wa;
        TChartState s;
        QVERIFY(chart.StateAt(Expected(chart, 24, w), kSize, s));
        QVERIFY(std::fabs(s.dryBulb - 24) < 1e-9);
        QVERIFY(std::fabs(s.moisture - w) < 1e-9);
        const TAirState lib = SetState(90, 24, w, 2);
        QCOMPARE(s.relativeHumidity, lib.rh);
        QCOMPARE(s.wetBulb, lib.wb);
        QCOMPARE(s.enthalpy, lib.ha);
        QCOMPARE(s.volume, (1 + lib.wa) / lib.ro);
        // Above saturation, and outside the plot area, there is no state.
        QVERIFY(!chart.StateAt(Expected(chart, 8, 0.015), kSize, s));
        QVERIFY(!chart.StateAt(QPointF(2, 2), kSize, s));
    }
};

QTEST_MAIN(PsychrometricChartTest)
#include "psychrometric_chart_test.moc"

// The chart panel: its published defaults, the tick steps and labels, the range rules, where
// data lands in pixels and what is drawn there, the position readout and the bitmap copy.
#include <QtTest>

#include <QPainter>

#include <cmath>

#include "app/widgets/chart_panel.hpp"
#include "support/app_test_env.hpp"

using namespace qdx::app;

namespace {

// Margins 40, 20, 25, 40 around a 180 x 100 plot area.
constexpr QSize kSize(240, 165);

QImage Draw(const TChartPanel& panel) {
    QImage image(kSize, QImage::Format_ARGB32);
    image.fill(Qt::magenta);
    QPainter p(&image);
    panel.Render(p, kSize);
    return image;
}

bool Dark(QRgb c) { return qGray(c) < 100; }

// Columns of the top margin that hold dark (text) pixels: first and last.
QPair<int, int> DarkColumns(const QImage& image, int top, int bottom) {
    int first = -1, last = -1;
    for (int x = 0; x < image.width(); ++x)
        for (int y = top; y < bottom; ++y)
            if (Dark(image.pixel(x, y))) {
                if (first < 0) first = x;
                last = x;
                break;
            }
    return {first, last};
}

}  // namespace

class ChartPanelTest : public QObject {
    Q_OBJECT
private slots:
    void publishedDefaults() {
        TChartPanel panel;
        const QColor windowText = panel.palette().color(QPalette::WindowText);
        const QList<QPair<const char*, QVariant>> expected = {
            {"AxesColor", windowText},         {"GridColor", QColor(Qt::white)},
            {"LeftMargin", 40},                {"RightMargin", 20},
            {"TopMargin", 25},                 {"BottomMargin", 40},
            {"XMin", 1.0},                     {"XMax", 10.0},
            {"YMin", 1.0},                     {"YMax", 10.0},
            {"Title", QString()},              {"ShowXYPos", true},
            {"ShowXYPosPlace", int(ppBottomLeft)},
            {"ShowXPosFmt", QString()},        {"ShowYPosFmt", QString()},
            {"ShowXScale", true},              {"ScaleXTicks", 6},
            {"ScaleXLabel", QString()},        {"ShowYScale", true},
            {"ScaleYTicks", 6},                {"ScaleYLabel", QString()},
            {"AxisType", int(xtQuad1)},        {"ScaleType", int(stXY)},
            {"FontLabels", panel.font()},      {"FontXYPos", panel.font()},
            {"ScaleXFont", panel.font()},      {"ScaleYFont", panel.font()},
        };
        for (const auto& [name, value] : expected) QCOMPARE(panel.property(name), value);
        QCOMPARE(panel.TitleAlignment(), Qt::Alignment(Qt::AlignHCenter));
        // Every published value is a property a designer or a script can set.
        QVERIFY(panel.setProperty("LeftMargin", 50));
        QCOMPARE(panel.LeftMargin(), 50);
    }

    void tickStepTableAndMargins() {
        const double steps[] = {0.0001, 0.0002, 0.0005, 0.001, 0.002, 0.005, 0.01, 0.02, 0.05,
                                0.1,    0.2,    0.5,    1,     2,     5,     10,   20,   25,
                                50,     100,    150,    200,   250,   300,   500};
        const double limits[] = {0.00011, 0.00021, 0.00051, 0.0011, 0.0021, 0.0051, 0.011,
                                 0.021,   0.051,   0.11,    0.21,   0.51,   1.1,    2.1,
                                 5.1,     10.1,    20.1,    25.1,   50.1,   100.1,  150.1,
                                 200.1,   250.1,   300.1,   500.1};
        QCOMPARE(ChartTickStep(0.00001), 0.0001);
        for (int i = 0; i < 25; ++i) {
            QCOMPARE(ChartTickStep(steps[i]), steps[i]);
            QCOMPARE(ChartTickStep(limits[i]), steps[i]);  // the margin still takes it
            const double above = limits[i] * 1.001;
            QCOMPARE(ChartTickStep(above), i + 1 < 25 ? steps[i + 1] : 1000.0);
        }
        QCOMPARE(ChartTickStep(0.3), 0.5);
        QCOMPARE(ChartTickStep(700), 1000.0);
        QCOMPARE(ChartTickStep(1000), 1000.0);
        QCOMPARE(ChartTickStep(1000.5), 1500.0);
    }

    void ticksAndLabels() {
        QCOMPARE(ChartLinearTicks(0, 10, 6), (std::vector<double>{0, 2, 4, 6, 8, 10}));
        QCOMPARE(ChartLinearTicks(5, 35, 6), (std::vector<double>{5, 15, 25, 35}));
        // 1.02 lets a last tick a hair beyond the end through.
        QCOMPARE(ChartLinearTicks(0, 9.9, 6).back(), 10.0);
        const std::vector<double> aroundZero = ChartLinearTicks(-0.3, 0.3, 4);
        QCOMPARE(aroundZero.size(), size_t(4));  // step 0.2: -0.3, -0.1, 0.1, 0.3
        QVERIFY(ChartLinearTicks(1, 1, 1).size() == 1);
        const QList<QPair<double, QString>> labels = {
            {0, "0"},     {0.5, "0.5"},   {0.05, "0.05"}, {0.002, "0.002"},
            {2.5, "2.5"}, {20, "20"},     {80.5, "81"},   {5000, "5000"},
            {-2, "-2"},   {-1e-18, "0"},  {12.25, "12.3"},
        };
        for (const auto& [v, text] : labels) QCOMPARE(ChartValueText(v), text);
    }

    void equalEndsAreWidened() {
        TChartPanel panel;
        panel.SetYRange(8, 8);
        QCOMPARE(panel.YMin(), 4.0);
        QCOMPARE(panel.YMax(), 12.0);
        panel.SetXRange(0, 0);
        QCOMPARE(panel.XMin(), 0.0);
        QCOMPARE(panel.XMax(), 1.0);
        panel.SetYRange(-4, -4);  // still an increasing range
        QCOMPARE(panel.YMin(), -6.0);
        QCOMPARE(panel.YMax(), -2.0);
        panel.SetYRange(2, 3);
        QCOMPARE(panel.YMin(), 2.0);
        QCOMPARE(panel.YMax(), 3.0);
    }

    void dataLandsOnItsPixelsInDrawingOrder() {
        TChartPanel panel;
        panel.resize(kSize);
        panel.SetXRange(0, 10);
        panel.SetYRange(0, 10);
        QCOMPARE(panel.PlotRect(kSize), QRect(40, 25, 180, 100));
        QCOMPARE(panel.ToPixel(0, 0, kSize), QPointF(40, 125));
        QCOMPARE(panel.ToPixel(10, 10, kSize), QPointF(220, 25));
        double x = 0, y = 0;
        QVERIFY(panel.ToData(QPointF(130, 75), kSize, x, y));
        QCOMPARE(x, 5.0);
        QCOMPARE(y, 5.0);
        QVERIFY(!panel.ToData(QPointF(20, 75), kSize, x, y));  // in the margin

        TChartLine& line = panel.AddLine(QColor(255, 0, 0), 3);
        line.AddPoint(0, 0);
        line.AddPoint(10, 10);
        TChartPoint pt;
        pt.x = 7;
        pt.y = 3;
        pt.marker = msSquare;
        pt.markerSize = 9;
        pt.color = pt.fillColor = QColor(0, 0, 128);
        panel.Points().push_back(pt);

        const QImage image = Draw(panel);
        const QColor panelColor = panel.palette().color(QPalette::Window);
        QCOMPARE(QColor(image.pixel(5, 5)), panelColor);           // the panel
        QCOMPARE(QColor(image.pixel(58, 95)), QColor(Qt::white));   // grid between ticks
        QCOMPARE(QColor(image.pixel(130, 75)), QColor(255, 0, 0));  // the line at (5, 5)
        QCOMPARE(QColor(image.pixel(166, 95)), QColor(0, 0, 128));  // the point at (7, 3)
        QVERIFY(Dark(image.pixel(40, 80)));                         // the left axis
        QVERIFY(!Dark(image.pixel(220, 80)));

        // A line in the way of a point is drawn over it.
        line.points.clear();
        line.AddPoint(0, 3);
        line.AddPoint(10, 3);
        QCOMPARE(QColor(Draw(panel).pixel(166, 95)), QColor(255, 0, 0));
        panel.ClearLines();
        panel.ClearPoints();
        QCOMPARE(QColor(Draw(panel).pixel(130, 75)), QColor(Qt::white));

        panel.SetAxisType(xtQuad2);
        QVERIFY(Dark(Draw(panel).pixel(220, 80)));
        panel.SetAxisType(xtCent0);
        QVERIFY(Dark(Draw(panel).pixel(130, 60)));
        QVERIFY(Dark(Draw(panel).pixel(100, 75)));
        panel.SetAxisType(xtNone);
        panel.SetShowXScale(false);
        panel.SetShowYScale(false);
        const QImage bare = Draw(panel);
        for (int yy = 25; yy < 125; ++yy)
            QCOMPARE(QColor(bare.pixel(40, yy)), QColor(Qt::white));
    }

    void logarithmicScalesMapLogarithms() {
        TChartPanel panel;
        panel.SetScaleType(stlnXlnY);
        panel.SetXRange(1, 100);
        panel.SetYRange(1, 100);
        QCOMPARE(panel.ToPixel(10, 10, kSize), QPointF(130, 75));
        double x = 0, y = 0;
        QVERIFY(panel.ToData(QPointF(130, 75), kSize, x, y));
        QVERIFY(std::fabs(x - 10) < 1e-9 && std::fabs(y - 10) < 1e-9);
    }

    void titleAlignment() {
        TChartPanel panel;
        panel.SetTitle("Temperature Profile");
        panel.SetTitleAlignment(Qt::AlignLeft);
        const auto left = DarkColumns(Draw(panel), 0, 25);
        QVERIFY(left.first >= 5 && left.first <= 7);
        panel.SetTitleAlignment(Qt::AlignRight);
        const auto right = DarkColumns(Draw(panel), 0, 25);
        QVERIFY(right.second <= kSize.width() - 5 && right.second >= kSize.width() - 8);
        panel.SetTitleAlignment(Qt::AlignHCenter);
        const auto centre = DarkColumns(Draw(panel), 0, 25);
        QVERIFY(std::abs((centre.first + centre.second) - kSize.width()) <= 3);
    }

    void positionReadoutInBothPlaces() {
        qdx::test::TAppTestEnv env;
        TChartPanel panel;
        panel.resize(kSize);
        panel.SetXRange(0, 10);
        panel.SetYRange(0, 10);
        panel.SetShowXScale(false);  // its labels would share the corner
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QTest::mouseMove(&panel, QPoint(130, 75));
        QTRY_COMPARE(panel.PositionText(), QString("5, 5"));  // magnitude format, no zeros
        panel.SetShowXPosFmt("%0.2f");
        panel.SetShowYPosFmt("%0.1f");
        QTest::mouseMove(&panel, QPoint(58, 116));
        QTRY_COMPARE(panel.PositionText(), QString("1.00, 0.9"));

        // Drawn bottom left, then top right, on a patch of the panel colour.
        auto darkIn = [&](const QRect& r) {
            const QImage shot = panel.grab().toImage();
            for (int yy = r.top(); yy <= r.bottom(); ++yy)
                for (int xx = r.left(); xx <= r.right(); ++xx)
                    if (Dark(shot.pixel(xx, yy))) return true;
            return false;
        };
        const QRect bottomLeft(2, kSize.height() - 16, 60, 14);
        const QRect topRight(kSize.width() - 63, 3, 60, 14);
        QVERIFY(darkIn(bottomLeft));
        QVERIFY(!darkIn(topRight));
        panel.SetShowXYPosPlace(ppTopRight);
        QVERIFY(darkIn(topRight));
        QVERIFY(!darkIn(bottomLeft));

        QTest::mouseMove(&panel, QPoint(20, 75));  // outside the ranges
        QTRY_VERIFY(panel.PositionText().isEmpty());
        panel.SetShowXYPos(false);
        QTest::mouseMove(&panel, QPoint(130, 75));
        QTest::qWait(20);
        QVERIFY(panel.PositionText().isEmpty());
    }

    void doubleClickCopiesTheBitmap() {
        qdx::test::TAppTestEnv env;
        TChartPanel panel;
        panel.resize(kSize);
        TChartLine& line = panel.AddLine(Qt::red, 4);
        line.AddPoint(1, 1);
        line.AddPoint(10, 10);
        QTest::mouseDClick(&panel, Qt::LeftButton, {}, QPoint(100, 80));
        QCOMPARE(env.Dialogs().clipboardWrites, 1);
        const QImage copied = env.Dialogs().clipboardImage;
        QCOMPARE(copied.size(), kSize);
        QCOMPARE(copied, panel.ToImage());
        QCOMPARE(QColor(copied.pixel(130, 75)), QColor(Qt::red));
    }
};

QTEST_MAIN(ChartPanelTest)
#include "chart_panel_test.moc"

// The simulation chart: what "Step-by-Step Simulation" shows for the first-run coil, the range
// rules, plotting on activation, the bitmap, the picture files and the copied numbers.
#include <QtTest>

#include <QLabel>
#include <QPushButton>
#include <QSvgRenderer>

#include "app/widgets/chart_panel.hpp"
#include "app/windows/data_chart.hpp"
#include "engine/coil_project.hpp"
#include "geometry/coil_makers.hpp"
#include "support/app_test_env.hpp"
#include "units/format.hpp"

using namespace qdx;
using namespace qdx::app;

namespace {

// A first-run coil, with the shipped catalogue in the test's common folder.
struct TFirstRun {
    TFirstRun() {
        ClearMakerCache();
        EnsureCatalogue();
        project.CreateCoil(TCoilSettings{});
    }
    TCoilProject project;
};

TFloatMat Constant(double v) {
    TFloatMat m;
    m.Allocate(4, 100);
    for (int s = 0; s < 4; ++s)
        for (int j = 0; j < 100; ++j) m.At(s, j) = v;
    return m;
}

}  // namespace

class DataChartTest : public QObject {
    Q_OBJECT
private slots:
    void simulationOfTheFirstRunCoil() {
        test::TAppTestEnv env;
        TFirstRun run;
        TDataChart chart;
        QVERIFY(!run.project.Solved);
        // Solved first, then marched.
        QVERIFY(chart.StepSimulation(run.project));
        QVERIFY(run.project.Solved);

        const TFloatMat& m = run.project.Coil().StepResults;
        QCOMPARE(chart.windowTitle(), QString("Step-by-Step Simulation"));
        QCOMPARE(chart.Data, &m);
        QCOMPARE(chart.First, 0);
        QCOMPARE(chart.Last, 99);
        QCOMPARE(chart.PenWidth, 2);
        QVERIFY(!chart.Panel()->ShowXScale());
        const char* captions[] = {"Fluid", "Air", "Surface", "Dew Point"};
        const QColor colours[] = {QColor(255, 0, 0), QColor(0, 128, 0), QColor(0, 0, 128),
                                  QColor(128, 128, 0)};
        for (int s = 0; s < 4; ++s) {
            QCOMPARE(chart.Caption(s)->text(), QString(captions[s]));
            QVERIFY(!chart.Caption(s)->isHidden());
            QCOMPARE(chart.Caption(s)->palette().color(QPalette::WindowText), colours[s]);
        }
        double duty = 0;
        QVERIFY(run.project.StepSimulation(duty));
        QCOMPARE(chart.DutyLabel()->text(), QString::fromStdString(Format("Duty %0.3g kW", duty)));
        QCOMPARE(chart.LiquidLabel()->text(),
                 QString::fromStdString(Format("%0.1f - %0.1f °C", m.At(0, 0), m.At(0, 99))));
        QCOMPARE(chart.AirLabel()->text(),
                 QString::fromStdString(Format("%0.1f - %0.1f °C", m.At(1, 0), m.At(1, 99))));

        // Four solid lines of 100 points, x the step, y the value, in the series' colours.
        const auto& lines = chart.Panel()->Lines();
        QCOMPARE(lines.size(), size_t(4));
        double low = 1e300, high = -1e300;
        for (int s = 0; s < 4; ++s) {
            QCOMPARE(lines[s].color, colours[s]);
            QCOMPARE(lines[s].width, 2);
            QCOMPARE(lines[s].style, Qt::SolidLine);
            QCOMPARE(lines[s].points.size(), size_t(100));
            QCOMPARE(lines[s].points[37].x, 37.0);
            QCOMPARE(lines[s].points[37].y, m.At(s, 37));
            for (int j = 0; j < 100; ++j) {
                low = std::min(low, m.At(s, j));
                high = std::max(high, m.At(s, j));
            }
        }
        QCOMPARE(chart.Panel()->YMin(), low - 0.05 * (high - low));
        QCOMPARE(chart.Panel()->YMax(), high + 0.05 * (high - low));
        QCOMPARE(chart.Panel()->XMin(), 0.0);
        QCOMPARE(chart.Panel()->XMax(), 100.0);
    }

    void marchThatDidNotSettleSaysSo() {
        test::TAppTestEnv env;
        TFirstRun run;
        TCoilProject& p = run.project;
        // One circuit heated to the entering dry bulb: no march meets the inlet temperature.
        QVERIFY(p.SetCoilModel("1000 2500 4r 12f 1c"));
        p.SetOnCoil("39.7/24.9");
        p.SetAirVelocity(2.96);
        p.SetFluidInlet(3.5);
        p.SetTubeVelocity(0.67);
        TDataChart chart;
        QVERIFY(chart.StepSimulation(p));
        QVERIFY(!p.Coil().StepSettled);
        QVERIFY(!chart.NoticeLabel()->isHidden());
        QCOMPARE(chart.NoticeLabel()->text(),
                 QString("The step-by-step simulation did not settle: the last march is shown."));
        QCOMPARE(chart.DutyLabel()->text(), QString("Duty - kW"));
        QCOMPARE(chart.Panel()->Title(), QString("Temperature Profile (not settled)"));
        QCOMPARE(chart.Panel()->Lines().size(), size_t(4));

        // The next coil settles: the notice goes.
        QVERIFY(p.SetCoilModel("635 720 4r 12f 7c"));
        QVERIFY(chart.StepSimulation(p));
        QVERIFY(chart.NoticeLabel()->isHidden());
        QCOMPARE(chart.Panel()->Title(), QString("Temperature Profile"));
        QVERIFY(chart.DutyLabel()->text().startsWith("Duty "));
        QVERIFY(!chart.DutyLabel()->text().contains('-'));
    }

    void chartPublishedValues() {
        TDataChart chart;
        const TChartPanel& g = *chart.Panel();
        QCOMPARE(g.objectName(), QString("gPanel"));
        QCOMPARE(QList<int>({g.LeftMargin(), g.RightMargin(), g.TopMargin(), g.BottomMargin()}),
                 QList<int>({50, 20, 25, 50}));
        QCOMPARE(QList<double>({g.XMin(), g.XMax(), g.YMin(), g.YMax()}),
                 QList<double>({1, 100, 1, 100}));
        QCOMPARE(g.Title(), QString("Temperature Profile"));
        QCOMPARE(g.ShowXPosFmt(), QString("%0.1f"));
        QCOMPARE(g.ShowYPosFmt(), QString("%0.1f"));
        QCOMPARE(g.ScaleXLabel(), QString("Position"));
        QCOMPARE(g.ScaleYLabel(), QString("Temperature"));
        QVERIFY(!g.ShowXScale() && g.ShowYScale());
        QCOMPARE(g.FontLabels().pointSize(), 8);
        QCOMPARE(g.ScaleYFont().family(), QString("Tahoma"));
        for (int s = 0; s < 4; ++s) QVERIFY(chart.Caption(s)->isHidden());
        QCOMPARE(chart.Colors[4], QColor(Qt::black));
    }

    void oneValueEverywhereGivesHalfToOneAndAHalfTimesIt() {
        TDataChart chart;
        const TFloatMat m = Constant(8);
        chart.ShowSimulation(m, 12.5);
        QCOMPARE(chart.Panel()->YMin(), 4.0);
        QCOMPARE(chart.Panel()->YMax(), 12.0);
        QCOMPARE(chart.DutyLabel()->text(), QString("Duty 12.5 kW"));
        QCOMPARE(chart.LiquidLabel()->text(), QString("8.0 - 8.0 °C"));
    }

    void plotsAgainOnEveryActivation() {
        test::TAppTestEnv env;
        TDataChart chart;
        TFloatMat m = Constant(8);
        chart.ShowSimulation(m, 1);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        m.At(2, 50) = 20;  // the owner changed the data
        chart.Show[3] = false;
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        chart.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&chart));
        QCOMPARE(chart.Panel()->Lines().size(), size_t(3));
        QCOMPARE(chart.Panel()->Lines()[2].points[50].y, 20.0);
        QVERIFY(chart.Caption(3)->isHidden());
        QCOMPARE(chart.Panel()->YMax(), 20 + 0.05 * 12);
    }

    void doubleClickLeavesTheChartOnTheClipboard() {
        test::TAppTestEnv env;
        TDataChart chart;
        const TFloatMat m = Constant(8);
        chart.ShowSimulation(m, 1);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        QTest::mouseDClick(chart.Panel(), Qt::LeftButton, {}, QPoint(100, 100));
        QCOMPARE(env.Dialogs().clipboardImage.size(), chart.Panel()->size());
        QCOMPARE(env.Dialogs().clipboardImage, chart.Panel()->ToImage());
    }

    void copyDataIsTabSeparatedWithAHeader() {
        test::TAppTestEnv env;
        TFirstRun run;
        double duty = 0;
        QVERIFY(run.project.StepSimulation(duty));
        TDataChart chart;
        chart.ShowSimulation(run.project.Coil().StepResults, duty);
        chart.findChild<QPushButton*>("CopyDataButton")->click();
        const QStringList lines = env.Dialogs().clipboardText.split("\r\n");
        QCOMPARE(lines.size(), 102);  // header, 100 steps, and the end of the last line
        QCOMPARE(lines[0], QString("Fluid\tAir\tSurface\tDew Point"));
        QVERIFY(lines.last().isEmpty());
        const TFloatMat& m = run.project.Coil().StepResults;
        for (int j : {0, 99}) {
            QStringList expected;
            for (int s = 0; s < 4; ++s) expected << QString::fromStdString(Format("%0.3f", m.At(s, j)));
            QCOMPARE(lines[j + 1], expected.join('\t'));
        }
    }

    void saveImageWritesPngAndSvg() {
        test::TAppTestEnv env;
        TDataChart chart;
        const TFloatMat m = Constant(8);
        chart.ShowSimulation(m, 1);
        chart.resize(640, 420);
        const QString root = env.Root();
        env.Dialogs().fileAnswers = {root + "/march", root + "/march.svg", root + "/march.bmp"};
        chart.SaveImage();
        QCOMPARE(env.Dialogs().fileFilters.last(), QString("PNG image (*.png);;SVG drawing (*.svg)"));
        QCOMPARE(QImage(root + "/march.png").size(), chart.Panel()->size());
        chart.SaveImage();
        QVERIFY(QSvgRenderer(root + "/march.svg").isValid());
        QVERIFY(env.Dialogs().messages.isEmpty());
        chart.SaveImage();
        QCOMPARE(env.Dialogs().LastMessage(), "Error saving file...\n" + root +
                                                  "/march.bmp\nunknown picture type \"bmp\" (use "
                                                  ".png or .svg)");
        QVERIFY(!QFile::exists(root + "/march.bmp"));
    }
};

QTEST_MAIN(DataChartTest)
#include "data_chart_test.moc"

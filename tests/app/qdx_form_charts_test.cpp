// The main window's chart items: "Plot process on Aerograph" writes the coil's process and
// hands it to the chart program; "Step-by-Step Simulation" shows the coil's march.
#include <QtTest>

#include <QAction>
#include <QLabel>
#include <QMenu>

#include "app/desktop_program.hpp"
#include "app/widgets/chart_panel.hpp"
#include "app/windows/data_chart.hpp"
#include "app/windows/qdx_form.hpp"
#include "documents/aerograph_file.hpp"
#include "documents/atomic_file.hpp"
#include "documents/folders.hpp"
#include "engine/coil_project.hpp"
#include "geometry/coil_makers.hpp"
#include "support/app_test_env.hpp"

using namespace qdx;
using namespace qdx::app;

namespace {

struct TFirstRun : test::TAppTestEnv {
    TFirstRun() { EnsureCatalogue(); }
};

void Trigger(TQDXForm& f, const char* item) {
    QAction* a = f.GridMenu().findChild<QAction*>(item);
    QVERIFY(a);
    a->trigger();
}

QString ReadText(const QString& path) {
    std::string text;
    ReadWholeFile(path.toStdString(), text);
    return QString::fromStdString(text);
}

}  // namespace

class QdxFormChartsTest : public QObject {
    Q_OBJECT
private slots:
    void plotProcessOfAnUnnamedDocument() {
        TFirstRun env;
        TDesktopProgram program({});
        TQDXForm& f = program.MainForm();
        QVERIFY(!f.Project().Solved);
        Trigger(f, "AerographItem");

        // Solved first and shown so, then written as NoName.psy in the user data folder.
        QVERIFY(f.Project().Solved);
        QCOMPARE(f.Panel(1).text(), QString("Solved..."));
        const QString path = QString::fromStdString(UserDataDir()) + "NoName.psy";
        QVERIFY(path.startsWith(env.DocumentsDir() + "/Calorix/"));
        const QString text = ReadText(path);
        QCOMPARE(text, QString::fromStdString(WriteAerographText(f.Project().AerographData())));
        QVERIFY(text.contains("'Node1', 'On', 25.000, 17.000, ''\r\n"));
        // Handed to the chart program beside this program, which this build tree's test
        // folder does not hold.
        QCOMPARE(env.Dialogs().LastMessage(),
                 QString::fromStdString(ExeDir()) + "qdx-aerograph\rnot found...");
        QCOMPARE(env.Dialogs().messages.size(), 1);
    }

    void plotProcessOfANamedDocumentBesideIt() {
        TFirstRun env;
        TDesktopProgram program({});
        TQDXForm& f = program.MainForm();
        const QString cqx = env.DocumentsDir() + "/plant room.cqx";
        QVERIFY(f.Project().SaveFile(cqx.toStdString()));
        f.Project().Properties.edDescription = "one\r\ntwo\r\nthree";
        Trigger(f, "AerographItem");
        QVERIFY(ReadText(env.DocumentsDir() + "/plant room.psy")
                    .contains("\r\n3\r\n'one'\r\n'two'\r\n'three'\r\n"));
    }

    void plotProcessThatCannotBeWrittenHandsNothingOver() {
        TFirstRun env;
        TDesktopProgram program({});
        TQDXForm& f = program.MainForm();
        QDir().mkpath(QString::fromStdString(UserDataDir()) + "NoName.psy");  // a folder there
        Trigger(f, "AerographItem");
        QCOMPARE(env.Dialogs().messages.size(), 1);
        QCOMPARE(env.Dialogs().LastMessage(), QString("Error writing Aerograph file.."));
    }

    void stepSimulationShowsTheMarch() {
        TFirstRun env;
        TDesktopProgram program({});
        TQDXForm& f = program.MainForm();
        TDataChart* chart = f.Tools().DataChart;
        QVERIFY(chart);
        QString status;
        size_t lines = 0;
        QTimer::singleShot(0, chart, [&] {
            status = f.Panel(1).text();  // the window shows the solve before the chart
            lines = chart->Panel()->Lines().size();
            QVERIFY(chart->isModal());
            chart->accept();
        });
        Trigger(f, "SimulationItem");
        QCOMPARE(status, QString("Solved..."));
        QCOMPARE(lines, size_t(4));
        QCOMPARE(chart->windowTitle(), QString("Step-by-Step Simulation"));
        QCOMPARE(chart->Data, &f.Project().Coil().StepResults);
        QVERIFY(env.Dialogs().messages.isEmpty());
    }

    void stepSimulationOfACoilThatFaultsShowsNoChart() {
        TFirstRun env;
        TDesktopProgram program({});
        TQDXForm& f = program.MainForm();
        f.Project().SetAirVolume(0);  // no air: the calculation faults
        bool shown = false;
        QTimer::singleShot(0, f.Tools().DataChart, [&] {
            shown = f.Tools().DataChart->isVisible();
            f.Tools().DataChart->reject();
        });
        Trigger(f, "SimulationItem");
        QTest::qWait(20);
        QVERIFY(!shown);
        QCOMPARE(f.Panel(1).text(), QString("Data Error..."));
    }
};

QTEST_MAIN(QdxFormChartsTest)
#include "qdx_form_charts_test.moc"

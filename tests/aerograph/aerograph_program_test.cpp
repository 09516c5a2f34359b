// The chart program as users meet it: `--export` to PNG, SVG and PDF without a window and its
// errors; a running copy that loads the paths other programs send; a second start handing its
// file over; the window's file errors and Save Chart As.
#include <QtTest>

#include <QLocalSocket>
#include <QProcess>
#include <QSvgRenderer>

#include "app/aerograph/aerograph_form.hpp"
#include "app/aerograph/chart_export.hpp"
#include "app/aerograph/chart_view.hpp"
#include "app/aerograph/psychrometric_chart.hpp"
#include "app/platform/send_to_program.hpp"
#include "sample_chart.hpp"
#include "support/app_test_env.hpp"

using namespace qdx;

namespace {

QString WriteText(const QString& path, const QByteArray& text) {
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(text);
    return path;
}

QString WriteSample(const QString& path, const std::string& name = "Plant room AHU-2") {
    TAerographFile file = test::SampleChartFile();
    file.properties.edProjectName = name;
    return WriteText(path, QByteArray::fromStdString(WriteAerographText(file)));
}

struct TRun {
    int code = -1;
    QString err;
};

TRun Run(const QStringList& args) {
    QProcess p;
    p.start(QDX_AEROGRAPH_EXE, args);
    TRun r;
    if (!p.waitForFinished(60000)) return r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QByteArray Head(const QString& path, int n) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.read(n);
}

}  // namespace

class AerographProgramTest : public QObject {
    Q_OBJECT
private slots:
    void exportWritesReadablePictures() {
        test::TAppTestEnv env;
        const QString psy = WriteSample(env.Root() + "/plant room.psy");

        const QString png = env.Root() + "/chart.png";
        QCOMPARE(Run({"--export", png, psy}).code, 0);
        QCOMPARE(Head(png, 8), QByteArray("\x89PNG\r\n\x1a\n", 8));
        const QImage image(png);
        QCOMPARE(image.size(), QSize(1600, 1130));
        int coloured = 0, saturation = 0;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2) {
                const QRgb c = image.pixel(x, y);
                if (c != qRgb(255, 255, 255)) ++coloured;
                if (test::ColourShare(c, aerograph::TChartColors::saturation) > 0.9) ++saturation;
            }
        QVERIFY2(coloured > image.width() * image.height() / 4 / 20,
                 qPrintable(QString("only %1 drawn pixels").arg(coloured)));
        QVERIFY(saturation > 100);

        const QString small = env.Root() + "/small.png";
        QCOMPARE(Run({"--export", small, "--size", "800x600", psy}).code, 0);
        QCOMPARE(QImage(small).size(), QSize(800, 600));

        const QString svg = env.Root() + "/chart.svg";
        QCOMPARE(Run({"--export", svg, psy}).code, 0);
        QSvgRenderer renderer(svg);
        QVERIFY(renderer.isValid());
        QCOMPARE(renderer.viewBox(), QRect(0, 0, 1600, 1130));
        QFile svgFile(svg);
        QVERIFY(svgFile.open(QIODevice::ReadOnly));
        QVERIFY(svgFile.readAll().contains("<title>Plant room AHU-2</title>"));

        const QString pdf = env.Root() + "/chart.PDF";
        QCOMPARE(Run({"--export", pdf, psy}).code, 0);
        QCOMPARE(Head(pdf, 5), QByteArray("%PDF-"));
        QFile pdfFile(pdf);
        QVERIFY(pdfFile.open(QIODevice::ReadOnly));
        QVERIFY(pdfFile.readAll().trimmed().endsWith("%%EOF"));
    }

    void exportErrorsSayWhatIsWrong() {
        test::TAppTestEnv env;
        const QString psy = WriteSample(env.Root() + "/a.psy");
        const QString bad = WriteText(env.Root() + "/bad.psy", "'Aerograph 1.0 data file'\r\n'x'\r\n");
        const QString out = env.Root() + "/out.png";
        struct Case {
            QStringList args;
            QString error;
        };
        const Case cases[] = {
            {{"--export", out, env.Root() + "/none.psy"},
             env.Root() + "/none.psy: cannot read " + env.Root() + "/none.psy"},
            {{"--export", out, bad}, bad + ": the file ends before the project number"},
            {{"--export", env.Root() + "/out.bmp", psy},
             env.Root() + "/out.bmp: unknown picture type \"bmp\" (use .png, .svg or .pdf)"},
            {{"--export", out}, "--export takes one chart file (.psy)"},
            {{"--export", out, "--size", "big", psy},
             "--size is WIDTHxHEIGHT in pixels, not \"big\""},
            {{"--export", env.Root() + "/no/folder/out.png", psy}, env.Root() + "/no/folder/out.png: "},
        };
        for (const Case& c : cases) {
            const TRun r = Run(c.args);
            QCOMPARE(r.code, 1);
            QVERIFY2(r.err.contains("qdx-aerograph: " + c.error), qPrintable(r.err));
        }
        QVERIFY(!QFile::exists(out));
    }

    void runningCopyLoadsWhatIsSentAndWhatASecondStartHandsOver() {
        test::TAppTestEnv env;
        const QString first = WriteSample(env.Root() + "/first.psy", "First");
        const QString second = WriteSample(env.Root() + "/second.psy", "Second");
        const QString damaged = WriteText(env.Root() + "/damaged.psy", "not a chart file\r\n");

        aerograph::TAerographForm form;
        app::TProgramMessageServer server("qdx-aerograph");
        QCOMPARE(server.Listen(), app::TListenResult::Listening);
        form.ListenOn(server);
        QVERIFY(form.LoadFile(first));
        QCOMPARE(form.windowTitle(), QString("QDX Aerograph - first.psy"));

        // A second start of the program finds this copy, hands the file over and ends.
        QProcess other;
        other.start(QDX_AEROGRAPH_EXE, {second});
        QTRY_COMPARE_WITH_TIMEOUT(form.FileName(), second, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(other.state(), QProcess::NotRunning, 20000);
        QCOMPARE(other.exitCode(), 0);
        QCOMPARE(form.View()->Chart()->File().properties.edProjectName, std::string("Second"));

        // A path that does not read is reported; the chart stays.
        QProcess third;
        third.start(QDX_AEROGRAPH_EXE, {damaged});
        QTRY_VERIFY_WITH_TIMEOUT(!env.Dialogs().messages.isEmpty(), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(third.state(), QProcess::NotRunning, 20000);
        QCOMPARE(third.exitCode(), 0);
        QCOMPARE(env.Dialogs().LastMessage(),
                 "Error reading Aerograph file..\n" + damaged +
                     "\nline 1: not an Aerograph 1.0 data file");
        QCOMPARE(form.FileName(), second);
    }

    void startedProgramListensForMorePaths() {
        test::TAppTestEnv env;
        const QString first = WriteSample(env.Root() + "/first.psy");
        QProcess program;
        program.start(QDX_AEROGRAPH_EXE, {first});
        const QString socket = app::ProgramSocketPath(QDX_AEROGRAPH_EXE);
        QCOMPARE(socket, env.RuntimeDir() + "/qdx-aerograph");
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                QLocalSocket probe;
                probe.connectToServer(socket);
                return probe.waitForConnected(100);
            }(),
            20000);
        // What QDX does after each export: the running copy takes the path.
        QVERIFY(app::SendToProgram(QDX_AEROGRAPH_EXE, first));
        QCOMPARE(program.state(), QProcess::Running);
        QVERIFY(env.Dialogs().messages.isEmpty());
        program.terminate();
        QVERIFY(program.waitForFinished(20000));
    }

    void saveChartAsWritesTheChosenType() {
        test::TAppTestEnv env;
        const QString psy = WriteSample(env.Root() + "/plant.psy");
        aerograph::TAerographForm form;
        QVERIFY(!form.findChild<QAction*>("saveChartAction")->isEnabled());
        QVERIFY(form.LoadFile(psy));
        QVERIFY(form.findChild<QAction*>("saveChartAction")->isEnabled());

        env.Dialogs().fileAnswers = {env.Root() + "/plant.svg", env.Root() + "/plain",
                                     env.Root() + "/x/y.pdf"};
        form.SaveChartAs();
        QCOMPARE(env.Dialogs().fileDirs.last(), env.Root() + "/plant.png");
        QVERIFY(QSvgRenderer(env.Root() + "/plant.svg").isValid());
        form.SaveChartAs();  // no extension: a PNG
        QCOMPARE(QImage(env.Root() + "/plain.png").size(), aerograph::kDefaultExportSize);
        QVERIFY(env.Dialogs().messages.isEmpty());
        form.SaveChartAs();  // a folder that is not there
        QVERIFY(env.Dialogs().LastMessage().startsWith("Error saving file...\n" + env.Root() +
                                                       "/x/y.pdf\n"));

        env.Dialogs().fileAnswers = {env.Root() + "/none.psy"};
        form.OpenFile();
        QCOMPARE(env.Dialogs().LastMessage(), "Error reading Aerograph file..\n" + env.Root() +
                                                  "/none.psy\ncannot read " + env.Root() +
                                                  "/none.psy");
        QCOMPARE(form.FileName(), psy);
    }
};

QTEST_MAIN(AerographProgramTest)
#include "aerograph_program_test.moc"

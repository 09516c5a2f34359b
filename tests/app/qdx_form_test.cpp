// The main coil window over its project: start-up, status panels, files, the report window,
// the menus and the settings across two starts.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolBar>
#include <QtTest>

#include "app/desktop_program.hpp"
#include "app/widgets/rich_text_report.hpp"
#include "app/windows/about_box.hpp"
#include "app/windows/qdx_form.hpp"
#include "app/windows/report_form.hpp"
#include "app/windows/view_form.hpp"
#include "documents/folders.hpp"
#include "documents/settings_stores.hpp"
#include "documents/version_info.hpp"
#include "engine/coil_project.hpp"
#include "engine/coil_settings_store.hpp"
#include "geometry/coil_makers.hpp"
#include "reports/report_document.hpp"
#include "units/unit_prefs.hpp"
#include "units/unit_table.hpp"
#include "support/app_test_env.hpp"

using namespace qdx;
using namespace qdx::app;

namespace {

// A first run of the program: empty settings, the shipped catalogue in place as the start-up
// puts it.
struct TFirstRun : test::TAppTestEnv {
    TFirstRun() { EnsureCatalogue(); }
};

QStringList Panels(TQDXForm& f) {
    return {f.Panel(0).text(), f.Panel(1).text(), f.Panel(2).text()};
}

// Shows the window and lets its first activation run.
void Start(TQDXForm& f) {
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QTRY_VERIFY(!f.FirstActivationPending());
}

// A saved project file of a six-row coil.
QString SavedProject(const QString& path) {
    TCoilProject p;
    p.CreateCoil(TCoilSettings{});
    p.SetCoilModel("762 1200 6r 10f 12c");
    p.SolveCoil();
    p.SaveFile(path.toStdString());
    return path;
}

QString ExpectedReport(TCoilProject& project) {
    TTextReport text;
    project.Coil().WritePerformanceReport(text);
    text.AddLine("");
    text.AddLine(ProgramTitle(), lsItalic);
    return QString::fromStdString(text.Text());
}

QStringList VisibleCaptions(const QList<QAction*>& actions) {
    QStringList out;
    for (QAction* a : actions)
        if (a->isVisible()) out << (a->isSeparator() ? QString("-") : a->text());
    return out;
}

}  // namespace

class QdxFormTest : public QObject {
    Q_OBJECT
private slots:
    void firstRunWindow() {
        TFirstRun env;
        TQDXForm f;
        QCOMPARE(f.objectName(), QString("QDXForm"));
        QCOMPARE(f.windowTitle(), QString::fromStdString(ProgramTitle()));
        QCOMPARE(Panels(f), (QStringList{"Ready...", "Not Solved", ""}));
        QCOMPARE(f.Project().Coil().GetDesignation(), std::string("635 x 720  4r  12f  7c"));
        QCOMPARE(f.Project().Barometer, 101.325);
        QCOMPARE(f.DataFolder(), env.DocumentsDir() + "/Calorix/" + QString::fromStdString(ExeName()));

        // The toolbar: captions, hints and keys.
        QCOMPARE(VisibleCaptions(f.findChild<QToolBar*>("ToolBar1")->actions()),
                 (QStringList{"&Open", "&Save", "&Copy", "S&olve", "&View"}));
        QCOMPARE(VisibleCaptions(f.findChild<QToolBar*>("ToolBar2")->actions()),
                 (QStringList{"&Align", "&Reset", "&Help"}));
        QCOMPARE(f.CopyAction->toolTip(), QString("Copy result to clipboard"));
        QCOMPARE(f.ResetAction->toolTip(), QString("Set Imperial or Metric Units"));
        QCOMPARE(f.SaveAction->shortcut(), QKeySequence("Alt+S"));
        QCOMPARE(f.SolveAction->shortcut(), QKeySequence(Qt::Key_F9));
        QVERIFY(!f.PasteAction->isVisible() && !f.PrintAction->isVisible() &&
                !f.AcceptAction->isVisible() && !f.CancelAction->isVisible() &&
                !f.AboutAction->isVisible());
        QCOMPARE(VisibleCaptions(f.HelpAction->menu()->actions()),
                 (QStringList{"&Help", "-", "&About"}));

        // The menus, in order; calibration only for the maintainer.
        QCOMPARE(VisibleCaptions(f.GridMenu().actions()),
                 (QStringList{"Typical Airconditioning Conditions", "Plot process on Aerograph",
                              "Diagnostics", "Manufacturing Report", "Step-by-Step Simulation",
                              "Clip screen"}));
        QCOMPARE(VisibleCaptions(f.WindowMenu().actions()),
                 (QStringList{"Copy to XML", "Clip screen"}));
        QCOMPARE(VisibleCaptions(f.UnitsMenu().actions()),
                 (QStringList{"&Metric", "&Imperial", "Customise Units..."}));
        OpenCompanySettings()->WriteString(kCompanySection, "user", "ADMINISTRATOR");
        TQDXForm maintainer;
        QVERIFY(maintainer.GridMenu().findChild<QAction*>("CalibrateItem")->isVisible());

        // Status panels are labels a screen reader can read.
        QCOMPARE(f.Panel(1).accessibleName(), QString("Solve status"));
    }

    void solveAndReportWindow() {
        TFirstRun env;
        TQDXForm f;
        Start(f);
        TReportForm* report = f.ReportWindow();
        QVERIFY(report);
        QCOMPARE(report->Title, QString("QDX Report"));
        QCOMPARE(TabStops(report->RichEdit()), (std::vector<double>{110, 170}));
        QVERIFY(!report->isVisible());

        // View before a solution shows "Not Solved"; View again hides it.
        f.ToggleReport();
        QVERIFY(report->isVisible());
        QCOMPARE(ReportText(report->RichEdit()), QString("Not Solved"));
        f.ToggleReport();
        QVERIFY(!report->isVisible());

        f.SolveCoil();
        QCOMPARE(Panels(f), (QStringList{"Ready...", "Solved...", ""}));
        QCOMPARE(f.Project().DesignDuty, f.Project().Coil().Qt);
        report->CopyReport();
        QCOMPARE(env.Dialogs().clipboardText, ExpectedReport(f.Project()));
        QTextBlock last = report->RichEdit().document()->lastBlock();
        QVERIFY(last.charFormat().fontItalic());

        f.CopyResults();
        QCOMPARE(env.Dialogs().clipboardText,
                 QString::fromStdString(f.Project().Coil().GetResultLines()));

        // An edit: modified and not solved; a failed solve: "Data Error...".
        f.Project().SetAirVelocity(0);
        f.UpdateGrid();
        QCOMPARE(Panels(f), (QStringList{"Modified", "Not Solved", ""}));
        f.SolveCoil();
        QCOMPARE(Panels(f), (QStringList{"Modified", "Data Error...", ""}));
        QCOMPARE(ReportText(report->RichEdit()), QString("Not Solved"));
    }

    void viewerShowsDiagnosticsAndManufacturingReport() {
        TFirstRun env;
        TDesktopProgram program({});
        TQDXForm& f = program.MainForm();
        TViewForm* viewer = f.Tools().Viewer;
        QVERIFY(viewer);
        QString shown;
        auto answer = [&] {
            QTimer::singleShot(0, [&] {
                QVERIFY(viewer->isModal() || viewer->isVisible());
                shown = ReportText(viewer->RichEdit());
                viewer->reject();
            });
        };
        answer();
        f.Diagnostics();
        QVERIFY(f.Project().Solved);  // solved first
        TTextReport diagnostics;
        f.Project().Coil().WriteDiagnostics(diagnostics);
        QCOMPARE(shown, QString::fromStdString(diagnostics.Text()));
        answer();
        f.ManufacturingReport();
        TTextReport manufacturing;
        f.Project().Coil().FinAndTube->WriteManufacturingReport(manufacturing);
        QCOMPARE(shown, QString::fromStdString(manufacturing.Text()));
    }

    void confirmSaveAsksOnlyForANamedModifiedDocument() {
        TFirstRun env;
        TQDXForm f;
        QVERIFY(f.ConfirmSave());  // saved
        f.Project().SetDesignDuty(30);
        QVERIFY(f.ConfirmSave());  // unnamed: no question
        QVERIFY(env.Dialogs().messages.isEmpty());

        const QString path = env.DocumentsDir() + "/job.cqx";
        f.Project().SetFileName(path.toStdString());
        env.Dialogs().messageAnswers = {TMsgResult::Cancel, TMsgResult::No, TMsgResult::Yes};
        QVERIFY(!f.ConfirmSave());
        QCOMPARE(env.Dialogs().LastMessage(), QString("job.cqx not saved.\rSave now?"));
        QCOMPARE(env.Dialogs().messages.last().buttons, TMsgButtons::YesNoCancel);
        QVERIFY(f.ConfirmSave());  // No
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(f.ConfirmSave());  // Yes saves
        QVERIFY(QFileInfo::exists(path));
        QCOMPARE(Panels(f), (QStringList{"Ready...", "Not Solved", "job.cqx"}));

        // Cancel keeps the window open.
        f.Project().SetDesignDuty(31);
        env.Dialogs().messageAnswers = {TMsgResult::Cancel};
        f.show();
        QVERIFY(!f.close());
        QVERIFY(f.isVisible());
        env.Dialogs().messageAnswers = {TMsgResult::No};
        QVERIFY(f.close());
    }

    void openAndSaveThroughTheFileDialogs() {
        TFirstRun env;
        const QString job = SavedProject(env.DocumentsDir() + "/six row.cqx");
        TQDXForm f;
        env.Dialogs().fileAnswers = {job};
        f.OpenFileDialog();
        QCOMPARE(env.Dialogs().fileFilters.last(), QString("QDX Data File (*.cqx)"));
        QCOMPARE(f.Project().Coil().GetDesignation(), std::string("762 x 1200  6r  10f  12c"));
        QCOMPARE(Panels(f), (QStringList{"Ready...", "Not Solved", "six row.cqx"}));
        QCOMPARE(f.DataFolder(), env.DocumentsDir());

        // A file that does not read leaves the window as it was.
        const QString bad = env.DocumentsDir() + "/bad.cqx";
        QFile out(bad);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("<?xml version=\"1.0\"?><datafile program=\"QDX\"><qdx>");
        out.close();
        QVERIFY(!f.OpenFile(bad));
        QVERIFY(env.Dialogs().LastMessage().startsWith("Error reading file...") ||
                env.Dialogs().LastMessage().startsWith("Invalid file format..."));
        QCOMPARE(f.Project().Coil().GetDesignation(), std::string("762 x 1200  6r  10f  12c"));
        QCOMPARE(Panels(f), (QStringList{"Ready...", "Not Solved", "six row.cqx"}));

        // Save: the dialog starts at the file; an existing file needs Yes.
        f.Project().SetDesignDuty(25);
        f.UpdateGrid();
        const int asked = env.Dialogs().messages.size();
        env.Dialogs().fileAnswers = {job};
        env.Dialogs().messageAnswers = {TMsgResult::No};
        f.SaveFileDialog();
        QCOMPARE(env.Dialogs().fileDirs.last(), job);
        QCOMPARE(env.Dialogs().messages.size(), asked + 1);
        QCOMPARE(env.Dialogs().LastMessage(), "OK to overwrite " + job + " ?");
        QCOMPARE(Panels(f)[0], QString("Modified"));
        env.Dialogs().fileAnswers = {env.DocumentsDir() + "/copy"};
        f.SaveFileDialog();
        QVERIFY(QFileInfo::exists(env.DocumentsDir() + "/copy.cqx"));
        QCOMPARE(Panels(f), (QStringList{"Ready...", "Not Solved", "copy.cqx"}));
    }

    void startPathComesJoinedAndMayHoldAHyphen() {
        TFirstRun env;
        const QString spaced = SavedProject(env.DocumentsDir() + "/My Coil.cqx");
        const QString hyphen = SavedProject(env.DocumentsDir() + "/coil-2.cqx");
        {
            TDesktopProgram program({env.DocumentsDir() + "/My", "Coil.cqx"});
            Start(program.MainForm());
            QCOMPARE(program.MainForm().Project().FileName, spaced.toStdString());
            QCOMPARE(program.MainForm().Panel(2).text(), QString("My Coil.cqx"));
        }
        {
            TDesktopProgram program({"-automation", hyphen});
            QVERIFY(program.Arguments().automation);
            Start(program.MainForm());
            QCOMPARE(program.MainForm().Project().FileName, hyphen.toStdString());
        }
        {
            TDesktopProgram program({env.DocumentsDir() + "/none.cqx"});
            Start(program.MainForm());
            QVERIFY(program.MainForm().Project().FileName.empty());
            QVERIFY(env.Dialogs().messages.isEmpty());
        }
    }

    void argumentsAreJoinedWithoutTheAutomationSwitches() {
        const TDesktopArguments a =
            ParseDesktopArguments({"/REGSERVER", "my", "--Embedding", "coil.cqx", "-x"});
        QVERIFY(a.regServer && a.embedding && !a.unregServer && !a.automation);
        QCOMPARE(a.path, QString("my coil.cqx -x"));
        QVERIFY(ParseDesktopArguments({"-UnRegServer"}).unregServer);
        QVERIFY(ParseDesktopArguments({}).path.isEmpty());
    }

    void settingsComeBackAtTheNextStart() {
        TFirstRun env;
        {
            TDesktopProgram program({});
            TQDXForm& f = program.MainForm();
            Start(f);
            f.move(150, 120);
            f.SetImperial();
            QVERIFY(f.Project().SetCoilModel("700 900 6r 10f 10c"));
            f.Project().SetOnCoil("27/19");
            QVERIFY(f.close());
        }
        QCOMPARE(OpenCommonSettings()->ReadInteger(kCoilUnitsSection, "UnitsAirOn", -1), 1);
        UnitPrefs().Reset();  // a new process starts from the defaults
        {
            TDesktopProgram program({});
            TQDXForm& f = program.MainForm();
            QCOMPARE(f.pos(), QPoint(150, 120));
            QCOMPARE(f.Project().Coil().GetDesignation(), std::string("700 x 900  6r  10f  10c"));
            QCOMPARE(f.Project().OnCoilAir.db, 27.0);
            QCOMPARE(UnitPrefs()[urAirT].UnitsValue, 1);
            QCOMPARE(UnitPrefs()[urHexMass].UnitsValue, ImperialUnitsIndex(utMass, -1));
        }
    }

    void helpClipScreenAndAbout() {
        TFirstRun env;
        TQDXForm f;
        f.ShowHelp();
        QCOMPARE(env.Dialogs().urls.size(), 1);
        const QString page = env.Dialogs().urls[0].toLocalFile();
        QVERIFY(page.endsWith("/help/Coils.htm"));
        QVERIFY(QFileInfo(page).isFile());

        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QVERIFY(f.ClipScreen());
        QVERIFY(!env.Dialogs().clipboardImage.isNull());
        const QImage jpeg(TTechForm::ClipFileName(), "JPG");
        QVERIFY(!jpeg.isNull());
        QCOMPARE(jpeg.size(), env.Dialogs().clipboardImage.size());
        QVERIFY(TTechForm::ClipFileName().startsWith(env.DocumentsDir()));

        QString title;
        QTimer::singleShot(0, [&] {
            title = f.AboutBox().Box()->windowTitle();
            f.AboutBox().Box()->accept();
        });
        f.ShowAbout();
        QVERIFY(title.startsWith("About "));
        QCOMPARE(f.AboutBox().Description, QString("Chilled Water Coil"));
    }
};

QTEST_MAIN(QdxFormTest)
#include "qdx_form_test.moc"

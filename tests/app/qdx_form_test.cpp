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
#include "app/widgets/entry_grid.hpp"
#include "app/widgets/rich_text_report.hpp"
#include "app/windows/about_box.hpp"
#include "app/windows/qdx_form.hpp"
#include "app/windows/report_form.hpp"
#include "app/windows/set_units_form.hpp"
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

// Types text into a value cell of the grid and commits it with Enter, as the user does.
void Edit(TQDXForm& f, int row, const QString& text) {
    TEntryGrid& g = f.Grid();
    g.SetCurrentCell(1, row);
    g.SetEditorMode(true);
    TxInplaceEdit* editor = g.InplaceEditor();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QVERIFY(!g.EditorMode());
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

    void refusedRowValueLeavesTheGridShowingTheProject() {
        TFirstRun env;
        TQDXForm f;
        TEntryGrid& g = f.Grid();
        // A value the model cannot take, put into the row as a row button's tool window does.
        g.SetValue(1, TQDXForm::rBarometer, 0.0);
        QCOMPARE(g.DisplayText(1, TQDXForm::rBarometer), QString("0.000"));
        f.GridSetData(1, TQDXForm::rBarometer);
        QCOMPARE(env.Dialogs().messages.size(), 1);
        QCOMPARE(env.Dialogs().LastMessage(), QString::fromStdString(f.Project().LastError));
        QCOMPARE(f.Project().Barometer, 101.325);
        QCOMPARE(g.DisplayText(1, TQDXForm::rBarometer), QString("101.325"));
        QCOMPARE(Panels(f), (QStringList{"Ready...", "Not Solved", ""}));
    }

    void firstRunGridAndCopyToXml() {
        TFirstRun env;
        TQDXForm f;
        TEntryGrid& g = f.Grid();
        QCOMPARE(g.RowCount(), 14);
        QCOMPARE(g.DisplayText(1, TQDXForm::rCoilModel), QString("635 x 720  4r  12f  7c"));
        QCOMPARE(g.Cells(2, TQDXForm::rCoilModel), QString("Typical"));
        QCOMPARE(g.Cells(0, TQDXForm::rDesignDuty), QString("Design Duty  "));
        // Flow control and Cooling Duty: Design dT and Design Duty are greyed.
        const QList<bool> enabled{true, true, true, true, true, true, true, true, false,
                                  true, true, false, true};
        for (int r = 1; r <= 13; ++r) QCOMPARE(g.RowEnabled(r), enabled[r - 1]);

        // Copy to XML: the cells as shown, CR LF between lines, nothing escaped (the root is
        // the designation, not a valid XML name). A row bound to a unit shows that unit's own
        // format (kW: three decimals).
        f.CopytoXML1Click();
        const QStringList expected{
            "<?xml version=\"1.0\"?>",
            "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
            "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">",
            "<635_x_720__4r__12f__7c>",
            "  <Barometer Units=\"kPa\">101.325</Barometer>",
            "  <On_Coil Units=\"°C\">25.0/17.0</On_Coil>",
            "  <Air_Volume Units=\"m³/s\">1.143</Air_Volume>",
            "  <Air_Velocity Units=\"m/s\">2.50</Air_Velocity>",
            "  <Coolant Units=\"\">Clean Water</Coolant>",
            "  <Fluid_Control Units=\"\">Flow</Fluid_Control>",
            "  <Fluid_Inlet Units=\"°C\">6.0</Fluid_Inlet>",
            "  <Design_dT Units=\"°C\">5.5</Design_dT>",
            "  <Fluid_flow Units=\"kg/s\">0.8617</Fluid_flow>",
            "  <Tube_Velocity Units=\"m/s\">1.00</Tube_Velocity>",
            "  <Design_Duty__ Units=\"kW\">20.000</Design_Duty__>",
            "  <Calculate Units=\"\">Cooling Duty</Calculate>",
            "</635_x_720__4r__12f__7c>",
        };
        QCOMPARE(env.Dialogs().clipboardText.split("\r\n"), expected);
        QVERIFY(!env.Dialogs().clipboardText.endsWith("\r\n"));
    }

    void rowEditsGoToTheProject() {
        TFirstRun env;
        TQDXForm f;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        TEntryGrid& g = f.Grid();
        TLiquidState& ls = f.Project().LiquidState();

        // Flow control: the leaving temperature is the inlet plus the shown Design dT.
        Edit(f, TQDXForm::rFluidInlet, "8");
        QCOMPARE(ls.GetInletTemp(), 8.0);
        QCOMPARE(f.Project().Coolant().tfo, 8.0 + ls.designdt);
        QCOMPARE(Panels(f), (QStringList{"Modified", "Not Solved", ""}));
        // Temperature control: the flow row's value is applied again instead.
        g.SetCurrentCell(1, TQDXForm::rFluidControl);
        g.StepPickList(TQDXForm::rFluidControl, false);
        QCOMPARE(int(ls.ctrl), int(wcTemp));
        QVERIFY(g.RowEnabled(TQDXForm::rDesignDT));
        QVERIFY(!g.RowEnabled(TQDXForm::rFluidFlow) && !g.RowEnabled(TQDXForm::rTubeVelocity));
        const double flow = ls.GetMassFlow();
        Edit(f, TQDXForm::rFluidInlet, "7");
        QCOMPARE(ls.GetInletTemp(), 7.0);
        QCOMPARE(ls.GetMassFlow(), flow);

        // Coil Size: row 1 greys, row 12 opens; Solve sizes and shows the duty achieved.
        g.SetCurrentCell(1, TQDXForm::rCalculate);
        g.StepPickList(TQDXForm::rCalculate, true);
        QCOMPARE(int(f.Project().CalcMode), int(cmCoilSize));
        QVERIFY(!g.RowEnabled(TQDXForm::rCoilModel));
        QVERIFY(g.RowEnabled(TQDXForm::rDesignDuty));
        Edit(f, TQDXForm::rDesignDuty, "30");
        QCOMPARE(f.Project().DesignDuty, 30.0);
        f.SolveCoil();
        QCOMPARE(Panels(f)[1], QString("Solved..."));
        QCOMPARE(g.DisplayText(1, TQDXForm::rDesignDuty),
                 QString::number(f.Project().Coil().Qt, 'f', 3));
        QVERIFY(std::abs(f.Project().Coil().Qt - 30.0) < 0.5);
        QVERIFY(g.DisplayText(1, TQDXForm::rCoilModel) != QString("635 x 720  4r  12f  7c"));

        // A designation that does not read puts the last one the row took back in the cell
        // (a sized coil is not one of them).
        g.SetCurrentCell(1, TQDXForm::rCalculate);
        g.StepPickList(TQDXForm::rCalculate, true);
        Edit(f, TQDXForm::rCoilModel, "abc");
        QCOMPARE(g.DisplayText(1, TQDXForm::rCoilModel), QString("635 x 720  4r  12f  7c"));
        QCOMPARE(f.Project().Coil().GetDesignation(), std::string("635 x 720  4r  12f  7c"));

        // The air rows follow each other.
        Edit(f, TQDXForm::rAirVelocity, "2");
        QCOMPARE(f.Project().Coil().FaceVelocity, 2.0);
        QCOMPARE(g.GetValue(1, TQDXForm::rAirVolume).toDouble(),
                 QString::number(f.Project().Coil().VolumeFlow, 'f', 3).toDouble());
        Edit(f, TQDXForm::rOnCoil, "27/19");
        QCOMPARE(f.Project().OnCoilAir.db, 27.0);
        QCOMPARE(g.DisplayText(1, TQDXForm::rOnCoil), QString("27.0/19.0"));
    }

    void calibratedCoilAndTypicalConditions() {
        TFirstRun env;
        {
            TCoilSettings calibrated;
            calibrated.DutyFactor = 1.05;
            const auto store = OpenProgramSettings();
            SaveSettings(*store, calibrated);
        }
        TQDXForm f;
        TEntryGrid& g = f.Grid();
        QCOMPARE(g.Cells(0, TQDXForm::rDesignDuty), QString("Design Duty \u00A4"));
        QCOMPARE(g.Cells(0, TQDXForm::rDesignDuty).size(), QString("Design Duty  ").size());

        // Typical conditions after a barometer change: the barometer row is standard again,
        // the entering state was parsed at the pressure it already had.
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        Edit(f, TQDXForm::rBarometer, "90");
        QCOMPARE(f.Project().Barometer, 90.0);
        f.TypicalConditions();
        QCOMPARE(g.DisplayText(1, TQDXForm::rBarometer), QString("101.325"));
        QCOMPARE(g.DisplayText(1, TQDXForm::rOnCoil), QString("24.0/16.0"));
        QCOMPARE(f.Project().OnCoilAir.pa, 90.0);
        QCOMPARE(f.Project().CalcMode, std::uint8_t(cmCoolingDuty));
        QCOMPARE(Panels(f)[1], QString("Solved..."));
    }

    void imperialAndCustomiseUnits() {
        TFirstRun env;
        TDesktopProgram program({});
        TQDXForm& f = program.MainForm();
        TEntryGrid& g = f.Grid();
        f.SetImperial();
        QCOMPARE(g.Cells(2, TQDXForm::rOnCoil), QString("°F"));
        QCOMPARE(g.DisplayText(1, TQDXForm::rOnCoil), QString("77.0/62.6"));
        QCOMPARE(UnitPrefs()[urAirT].UnitsValue, 1);
        QCOMPARE(UnitPrefs()[urHexMass].UnitsValue, ImperialUnitsIndex(utMass, -1));
        // The project keeps SI.
        QCOMPARE(f.Project().OnCoilAir.db, 25.0);
        f.SetMetric();
        QCOMPARE(g.Cells(2, TQDXForm::rOnCoil), QString("°C"));

        // Customise Units... shows the units window; Accept applies its choices.
        TSetUnitsForm* units = f.Tools().Units;
        QVERIFY(units);
        QTimer::singleShot(0, [&] {
            QVERIFY(units->isModal() && units->isVisible());
            units->SetImperial();
            units->AcceptAction()->trigger();
        });
        f.CustomiseUnits();
        QCOMPARE(g.Cells(2, TQDXForm::rBarometer),
                 QString::fromStdString(UnitSymbol(utPressureBar, ImperialUnitsIndex(utPressureBar, 0))));
        QCOMPARE(UnitPrefs()[urAirT].UnitsValue, 1);
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

        // A geometry whose weight is no number (a casing a damaged file may hold): its message,
        // and no viewer.
        TModelRec record = f.Project().Coil().FinAndTube->Record();
        record.tc = 1e306;
        f.Project().Coil().FinAndTube->SetRecord(record);
        shown.clear();
        const qsizetype asked = env.Dialogs().messages.size();
        f.ManufacturingReport();
        QCOMPARE(env.Dialogs().messages.size(), asked + 1);
        QVERIFY(!env.Dialogs().messages.last().text.isEmpty());
        QVERIFY(!viewer->isVisible());
        QVERIFY(shown.isEmpty());
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

    void startUpKeepsTheSplashTwoSecondsWhenTheSettingIsOn() {
        TFirstRun env;
        {
            // Off: no splash, nothing to wait for.
            TDesktopProgram program({});
            QCOMPARE(program.MainForm().AboutBox().SplashEndTime(), 0);
        }
        WriteSplashScreen(*OpenProgramSettings(), true);
        TDesktopProgram program({});
        TAboutBoxDlg& about = program.MainForm().AboutBox();
        // The tool windows were made while the splash was up; it went once its time had passed.
        QVERIFY(about.SplashEndTime() > 0);
        QVERIFY(QDateTime::currentMSecsSinceEpoch() >= about.SplashEndTime());
        QVERIFY(about.Splash() == nullptr);
        QVERIFY(program.MainForm().Tools().Viewer && program.MainForm().Tools().Units);
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
            f.resize(420, 360);
            f.Grid().SetColWidths(1, 150);
            f.SetImperial();
            Edit(f, TQDXForm::rCoilModel, "700 900 6r 10f 10c");
            QVERIFY(f.close());
        }
        QCOMPARE(OpenCommonSettings()->ReadInteger(kCoilUnitsSection, "UnitsAirOn", -1), 1);
        // The liquid defaults are written first, then the window's position and section.
        QFile ini(env.ConfigDir() + "/Calorix/QDX.ini");
        QVERIFY(ini.open(QIODevice::ReadOnly));
        const QByteArray text = ini.readAll();
        QVERIFY(text.indexOf("[Default]") >= 0);
        QVERIFY(text.indexOf("[Default]") < text.indexOf("[QDXForm]"));
        UnitPrefs().Reset();  // a new process starts from the defaults
        {
            TDesktopProgram program({});
            TQDXForm& f = program.MainForm();
            QCOMPARE(f.pos(), QPoint(150, 120));
            QCOMPARE(f.size(), QSize(420, 360));
            QCOMPARE(f.Grid().ColWidths(1), 150);
            QCOMPARE(f.Project().Coil().GetDesignation(), std::string("700 x 900  6r  10f  10c"));
            QCOMPARE(f.Grid().Cells(2, TQDXForm::rOnCoil), QString("°F"));
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

#include "app/windows/qdx_form.hpp"

#include <QAction>
#include <QCloseEvent>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "app/automation/automation_server.hpp"
#include "app/platform/dialogs.hpp"
#include "app/platform/help_pages.hpp"
#include "app/platform/placement.hpp"
#include "app/widgets/entry_grid.hpp"
#include "app/platform/send_to_program.hpp"
#include "app/widgets/rich_text_report.hpp"
#include "app/widgets/unit_choices.hpp"
#include "app/windows/about_box.hpp"
#include "app/windows/air_state_dlg.hpp"
#include "app/windows/alt_barom_form.hpp"
#include "app/windows/calibrate_form.hpp"
#include "app/windows/coil_settings_form.hpp"
#include "app/windows/data_chart.hpp"
#include "app/windows/fat_form.hpp"
#include "app/windows/fluid_spec_form.hpp"
#include "app/windows/report_form.hpp"
#include "app/windows/set_units_form.hpp"
#include "app/windows/view_form.hpp"
#include "documents/folders.hpp"
#include "documents/settings_stores.hpp"
#include "documents/text_utils.hpp"
#include "documents/version_info.hpp"
#include "engine/coil_project.hpp"
#include "engine/coil_settings_store.hpp"
#include "units/format.hpp"
#include "units/unit_prefs.hpp"

namespace qdx::app {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The psychrometric chart program, installed beside this one.
constexpr const char* kChartProgram = "qdx-aerograph";

QAction* AddItem(QMenu* menu, const QString& caption, const char* name) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    return a;
}

// The header and the thirteen rows.
const char* const kGridLines[] = {
    "Property; Value; Units",
    "Coil Model; %s; ; PE",
    "Barometer; %0.3f; kPa; PE; 70; 120",
    "On Coil; %0.1f/%0.1f; °C; PE; 0; 45",
    "Air Volume; %0.3f; m³/s; NPE; 0.1; 100",
    "Air Velocity; %0.3f; m/s; NPE; 0.5; 10",
    "Coolant; %s; ; PE",
    "Fluid Control; enum; ; Temperature; Flow",
    "Fluid Inlet; %0.1f; °C; NPE; -10; 25",
    "Design dT; %0.1f; °C; NPE; 0.1; 18",
    "Fluid flow; %0.3f; kg/s; NPE; 0.01; 20",
    "Tube Velocity; %0.3f; m/s; NPE; 0.01; 3",
    "Design Duty; %0.1f; kW; PE; 0.1; 500",
    "Calculate; enum; ; Cooling Duty; Coil Size",
};

// The quantity each numeric row shows.
struct TRowUnits {
    int row;
    TUnitRecId rec;
};
constexpr TRowUnits kRowUnits[] = {
    {TQDXForm::rBarometer, urPlaceBaromPressure}, {TQDXForm::rOnCoil, urAirT},
    {TQDXForm::rAirVolume, urAirVolFlow},         {TQDXForm::rAirVelocity, urAirV},
    {TQDXForm::rFluidInlet, urLiquidT},           {TQDXForm::rDesignDT, urLiquidDt},
    {TQDXForm::rFluidFlow, urLiquidMassFlow},     {TQDXForm::rTubeVelocity, urLiquidV},
    {TQDXForm::rDesignDuty, urHexDuty},
};

// The quantities of the coil window that the grid does not show.
constexpr TUnitRecId kOffGridUnits[] = {urAirDp,     urPlaceAltitude, urHexDuty,
                                        urHexMass,   urFatLength,     urHexArea,
                                        urLiquidVolFlow, urHexPipeConn, urLiquidDp};

// Row 12's caption tells a calibrated coil at a glance; both captions have the same length.
const char* const kDutyCaption = "Design Duty  ";
const char* const kCalibratedDutyCaption = "Design Duty \u00A4";

}  // namespace

TQDXForm::TQDXForm(const QString& startPath, QWidget* parent)
    : TTechForm(parent), project_(std::make_unique<TCoilProject>()),
      about_(new TAboutBoxDlg(this)), gridMenu_(new QMenu(this)), unitsMenu_(new QMenu(this)),
      helpMenu_(new QMenu(this)) {
    setObjectName(kCoilWindowSection);
    helpFolder_ = HelpFolder();

    // Window position first, then the window's section, the unit choices and the liquid
    // defaults.
    {
        const auto store = OpenProgramSettings();
        firstRun_ = !store->SectionExists(kCoilWindowSection);
        RestorePlacementFrom(*store, *this, {true, false, true});
    }
    settings_ = ReadCoilSettings();

    const TVerInfoRes info;
    setWindowTitle(Q(ProgramTitle()));
    about_->ProductName = Q(info.GetValue("FileDescription"));
    about_->Version = Q(info.FileVersion());
    about_->Description = "Chilled Water Coil";
    about_->ShowSplash();

    CreateActions();
    CreateMenus();
    CreatePanels({90, 90, 130});
    Panel(0).setAccessibleName("Edit status");
    Panel(1).setAccessibleName("Solve status");
    Panel(2).setAccessibleName("File name");

    project_->CreateCoil(settings_);

    // The data file of the command line, when it names one.
    if (!startPath.isEmpty()) {
        const QFileInfo file(startPath);
        if (file.isFile()) startPath_ = file.absoluteFilePath();
    }
    dataFolder_ = startPath_.isEmpty() ? QDir::cleanPath(Q(UserDataDir()))
                                       : QFileInfo(startPath_).absolutePath();

    CreateGrid();
    UpdateGrid();
    UpdateRowStates();
    // A window that was placed before keeps its size and column widths.
    if (firstRun_) AlignWindow();
}

void TQDXForm::CreateGrid() {
    TEntryGrid& g = Grid();
    QStringList lines;
    for (const char* line : kGridLines) lines << QString::fromUtf8(line);
    g.SetLines(lines);
    g.SetColWidths(0, settings_.Col0);
    g.SetColWidths(1, settings_.Col1);
    g.SetColWidths(2, settings_.Col2);
    for (const TRowUnits& ru : kRowUnits) {
        const UnitRec& rec = UnitPrefs()[ru.rec];
        g.SetRowUnits(ru.row, rec.UnitsType, 0, 1, ft_Fixed, rec.UnitsValue, rec.UnitsBase);
    }
    g.SetRowPropertyEditor(rCoilModel, [this](QVariant& v) { return EditCoilModel(v); });
    g.SetRowPropertyEditor(rBarometer, [this](QVariant& v) { return EditPressure(v); });
    g.SetRowPropertyEditor(rOnCoil, [this](QVariant& v) { return EditOnCoil(v); });
    g.SetRowPropertyEditor(rCoolant, [this](QVariant& v) { return EditCoolant(v); });
    SetGridMenu(gridMenu_);
    connect(&g, &TEntryGrid::OnDoSetData, this, &TQDXForm::GridSetData);
    // A row's own unit choice becomes its quantity's, and the report follows.
    connect(&g, &TEntryGrid::OnAfterRightClick, this, [this](int row) {
        for (const TRowUnits& ru : kRowUnits)
            if (ru.row == row) UnitPrefs()[ru.rec].UnitsValue = Grid().RowUnitsValue(row);
        RefreshReport();
    });
}

TQDXForm::~TQDXForm() = default;

void TQDXForm::CreateActions() {
    struct Item {
        QAction* action;
        const char* hint;
        QKeySequence key;
        void (TQDXForm::*handler)();
    };
    const Item items[] = {
        {OpenAction, "Open a data file", QKeySequence("Alt+O"), &TQDXForm::OpenFileDialog},
        {SaveAction, "Save the coil in a data file", QKeySequence("Alt+S"), &TQDXForm::SaveFileDialog},
        {CopyAction, "Copy result to clipboard", QKeySequence("Alt+C"), &TQDXForm::CopyResults},
        {SolveAction, "Calculate the coil", QKeySequence(Qt::Key_F9), &TQDXForm::SolveCoil},
        {ViewAction, "Show or hide the report", QKeySequence("Alt+V"), &TQDXForm::ToggleReport},
        {AlignAction, "Fit the window to the grid", QKeySequence("Alt+A"), &TQDXForm::AlignWindow},
        {ResetAction, "Set Imperial or Metric Units", QKeySequence("Alt+R"), &TQDXForm::ShowResetMenu},
        {HelpAction, "Help on this window", QKeySequence("Alt+H"), &TQDXForm::ShowHelp},
    };
    for (const Item& i : items) {
        i.action->setVisible(true);
        i.action->setToolTip(i.hint);
        i.action->setShortcut(i.key);
        connect(i.action, &QAction::triggered, this, i.handler);
    }
    connect(AboutAction, &QAction::triggered, this, &TQDXForm::ShowAbout);

    // Help is a drop-down button: Help, a separator, About.
    helpMenu_->setObjectName("HelpMenu");
    QAction* help = AddItem(helpMenu_, "&Help", "HelpItem");
    connect(help, &QAction::triggered, this, &TQDXForm::ShowHelp);
    helpMenu_->addSeparator();
    QAction* about = AddItem(helpMenu_, "&About", "AboutItem");
    connect(about, &QAction::triggered, this, &TQDXForm::ShowAbout);
    HelpAction->setMenu(helpMenu_);
    if (auto* button = qobject_cast<QToolButton*>(SecondToolBar().widgetForAction(HelpAction)))
        button->setPopupMode(QToolButton::MenuButtonPopup);
}

void TQDXForm::CreateMenus() {
    gridMenu_->setObjectName("GridMenu");
    connect(AddItem(gridMenu_, "Typical Airconditioning Conditions", "TypicalItem"),
            &QAction::triggered, this, &TQDXForm::TypicalConditions);
    connect(AddItem(gridMenu_, "Plot process on Aerograph", "AerographItem"), &QAction::triggered,
            this, &TQDXForm::PlotOnAerograph);
    connect(AddItem(gridMenu_, "Diagnostics", "DiagnosticsItem"), &QAction::triggered, this,
            &TQDXForm::Diagnostics);
    connect(AddItem(gridMenu_, "Manufacturing Report", "ManufacturingItem"), &QAction::triggered,
            this, &TQDXForm::ManufacturingReport);
    QAction* calibrate = AddItem(gridMenu_, "Calibrate Coil Performance", "CalibrateItem");
    connect(calibrate, &QAction::triggered, this, &TQDXForm::CalibrateCoil);
    calibrate->setVisible(SameText(ReadCompanySettings().user, kMaintainerName));
    connect(AddItem(gridMenu_, "Step-by-Step Simulation", "SimulationItem"), &QAction::triggered,
            this, &TQDXForm::StepSimulation);
    connect(AddItem(gridMenu_, "Clip screen", "ClipScreenItem"), &QAction::triggered, this,
            [this] { ClipScreen(); });

    unitsMenu_->setObjectName("UnitsMenu");
    connect(AddItem(unitsMenu_, "&Metric", "MetricItem"), &QAction::triggered, this,
            &TQDXForm::SetMetric);
    connect(AddItem(unitsMenu_, "&Imperial", "ImperialItem"), &QAction::triggered, this,
            &TQDXForm::SetImperial);
    connect(AddItem(unitsMenu_, "Customise Units...", "CustomiseUnitsItem"), &QAction::triggered,
            this, &TQDXForm::CustomiseUnits);
}

// ---- activation and closing ----

void TQDXForm::showEvent(QShowEvent* event) {
    TTechForm::showEvent(event);
    // After every window of the program exists: the start-up shows this window last.
    if (firstActivation_) QTimer::singleShot(0, this, &TQDXForm::FirstActivation);
}

void TQDXForm::FirstActivation() {
    if (!firstActivation_) return;
    OpenFile(startPath_);
    report_ = new TReportForm(this);
    report_->OnRefresh = [this] { RefreshReport(); };
    report_->SetTabStops({110, 170});
    firstActivation_ = false;
    if (tools_.FatEditor) tools_.FatEditor->OnChanged = [this] { FatEditorChanged(); };
    if (firstRun_) AlignWindow();
    Activated();
}

void TQDXForm::Activated() {
    UpdateGrid();
    if (report_) report_->Title = QString(kProductCode) + " Report";
}

void TQDXForm::changeEvent(QEvent* event) {
    TTechForm::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) return;
    if (isActiveWindow()) {
        if (!firstActivation_) Activated();
    } else {
        CommitGridEdit();
    }
}

void TQDXForm::closeEvent(QCloseEvent* event) {
    CommitGridEdit();
    if (!ConfirmCloseWithLiveObjects(this) || !ConfirmSave()) {
        event->ignore();
        return;
    }
    settings_.Col0 = Grid().ColWidths(0);
    settings_.Col1 = Grid().ColWidths(1);
    settings_.Col2 = Grid().ColWidths(2);
    WriteCoilSettings(*project_, settings_, [this](TCustomIniFile& store) {
        SavePlacementTo(store, *this, {true, true, true});
    });
    event->accept();
}

// ---- toolbar ----

QString TQDXForm::FileFilter() const {
    const QString ext = TCoilProject::kFileExtension;
    return QString(kProductCode) + " Data File (*" + ext + ")";
}

QString TQDXForm::DialogPath() const {
    const QString name = QFileInfo(Q(project_->FileName)).fileName();
    return name.isEmpty() ? dataFolder_ : QDir(dataFolder_).filePath(name);
}

void TQDXForm::OpenFileDialog() {
    CommitGridEdit();
    if (!ConfirmSave()) return;
    const QString path = Dialogs().OpenFileName(this, "Open", DialogPath(), FileFilter());
    if (path.isEmpty()) return;
    dataFolder_ = QFileInfo(path).absolutePath();
    OpenFile(path);
}

void TQDXForm::SaveFileDialog() {
    CommitGridEdit();
    QString path = Dialogs().SaveFileName(this, "Save As", DialogPath(), FileFilter());
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += TCoilProject::kFileExtension;
    if (QFileInfo::exists(path) &&
        Dialogs().Message(this, QString("OK to overwrite %1 ?").arg(path), {},
                          TMsgKind::Confirmation, TMsgButtons::YesNoCancel,
                          TMsgResult::No) != TMsgResult::Yes)
        return;
    dataFolder_ = QFileInfo(path).absolutePath();
    project_->SaveFile(path.toStdString());
    ShowStatus();
}

void TQDXForm::CopyResults() {
    Dialogs().SetClipboardText(Q(project_->Coil().GetResultLines()));
}

void TQDXForm::SolveCoil() {
    CommitGridEdit();
    project_->SolveCoil();
    UpdateGrid();
    RefreshReport();
}

void TQDXForm::ToggleReport() {
    if (!report_) return;
    if (!project_->Solved) RefreshReport();
    if (report_->isVisible()) {
        report_->hide();
    } else {
        report_->show();
        report_->raise();
    }
}

void TQDXForm::AlignWindow() {
    TEntryGrid& g = Grid();
    const QFontMetrics metrics(g.font());
    int columns = 0;
    for (int c = 0; c < g.ColCount(); ++c) {
        int widest = 50;
        for (int r = 0; r < g.RowCount(); ++r)
            widest = std::max(widest, metrics.horizontalAdvance(r == 0 ? g.Cells(c, r)
                                                                       : g.DisplayText(c, r)));
        const int w = c == 0 ? std::max(widest + 10, 90) : c == 1 ? std::max(widest + 25, 60)
                                                                  : widest + 15;
        g.SetColWidths(c, w);
        columns += w;
    }
    // The window takes the grid's size plus what its toolbars and status bar need.
    ensurePolished();
    layout()->activate();
    const int frame = 2 * g.frameWidth();
    const int gridHeight = g.horizontalHeader()->sizeHint().height() +
                           (g.RowCount() - 1) * g.DefaultRowHeight() + frame;
    const int around = height() - centralWidget()->height();
    int windowHeight = gridHeight + around;
    int gridWidth = columns + frame;
    const bool limited = windowHeight > 400;
    if (limited) {
        windowHeight = 400;
        gridWidth += 19;  // the vertical scroll bar
    }
    g.SetScrollBars(false, limited);
    resize(gridWidth + width() - centralWidget()->width(), windowHeight);
}

void TQDXForm::ShowResetMenu() { unitsMenu_->popup(QCursor::pos()); }

void TQDXForm::ShowHelp() { ShowHelpPage(this, "Coils.htm"); }

void TQDXForm::ShowAbout() { about_->Execute(this); }

// ---- right-click menu ----

void TQDXForm::TypicalConditions() {
    CommitGridEdit();
    project_->TypicalConditions();
    UpdateGrid();
    RefreshReport();
}

void TQDXForm::PlotOnAerograph() {
    CommitGridEdit();
    const bool solved = project_->Solved;
    const std::string path = project_->AerographPath();
    const bool written = project_->ExportAerograph(path);
    if (!solved) {  // the export solved first
        UpdateGrid();
        RefreshReport();
    }
    if (written)
        SendToProgram(Q(ExeDir()) + kChartProgram, Q(path), this);
}

void TQDXForm::Diagnostics() {
    if (!tools_.Viewer) return;
    if (!project_->Solved) SolveCoil();
    TViewForm& viewer = *tools_.Viewer;
    viewer.Report().Clear();
    project_->Coil().WriteDiagnostics(viewer.Report());
    viewer.exec();
}

void TQDXForm::ManufacturingReport() {
    if (!tools_.Viewer) return;
    TViewForm& viewer = *tools_.Viewer;
    viewer.Report().Clear();
    if (!project_->WriteManufacturingReport(viewer.Report())) return;
    viewer.exec();
}

void TQDXForm::CalibrateCoil() {
    if (!tools_.Calibrate) return;
    TCalibrateForm& form = *tools_.Calibrate;
    form.SetFluidControlsEnabled(true);
    form.SetCoil(&project_->Coil());
    if (form.exec() != QDialog::Accepted) return;
    project_->AcceptCalibration(settings_);
    UpdateGrid();
}

void TQDXForm::StepSimulation() {
    if (!tools_.DataChart) return;
    CommitGridEdit();
    const bool solved = project_->Solved;
    const bool simulated = tools_.DataChart->StepSimulation(*project_);
    if (!solved) {  // the simulation solved first
        UpdateGrid();
        RefreshReport();
    }
    if (simulated) tools_.DataChart->exec();
}

// ---- units ----

void TQDXForm::SetMetric() {
    UnitPrefs().CreateUnitChoices().SetMetric();
    if (tools_.Units) tools_.Units->ShowTable();
    UnitsChanged();
}

void TQDXForm::SetImperial() {
    UnitPrefs().CreateUnitChoices().SetImperial();
    if (tools_.Units) tools_.Units->ShowTable();
    UnitsChanged();
}

void TQDXForm::CustomiseUnits() {
    if (!tools_.Units) return;
    if (tools_.Units->exec() == QDialog::Accepted) UnitsChanged();
}

void TQDXForm::TakeUnitChoices() {
    TUnitPrefs& prefs = UnitPrefs();
    for (TUnitRecId id : kOffGridUnits) prefs[id].UnitsValue = prefs.UnitChoice(prefs[id].UnitsType);
}

void TQDXForm::StoreGridUnits() {
    for (const TRowUnits& ru : kRowUnits) UnitPrefs()[ru.rec].UnitsValue = Grid().RowUnitsValue(ru.row);
}

void TQDXForm::UnitsChanged() {
    TakeUnitChoices();
    ApplyUnitChoices(Grid());
    StoreGridUnits();
    if (tools_.FatEditor) tools_.FatEditor->RefreshUnits();
    RefreshReport();
}

// ---- row buttons ----

int TQDXForm::EditCoilModel(QVariant& value) {
    if (!tools_.FatEditor) return 0;
    TFatForm& editor = *tools_.FatEditor;
    editor.SetCoil(&project_->Coil());
    editor.SetOptions(false, true);
    editor.OnChanged = [this] { FatEditorChanged(); };
    editor.SetDesignDuty(project_->DesignDuty);
    editor.SetKeepAirFlow(false);
    if (tools_.DesignSettings) tools_.DesignSettings->LoadForCoil(&project_->Coil());
    if (editor.exec() != QDialog::Accepted) return 0;
    // The row handler then keeps the edited geometry, and the row shows it with its maker.
    value = Q(project_->Coil().GetDesignation());
    modelEdited_ = true;
    return 1;
}

void TQDXForm::FatEditorChanged() {
    Grid().SetValue(1, rCoilModel, Q(project_->Coil().GetDesignation()));
    project_->SetAirVelocity(Grid().GetValue(1, rAirVelocity).toDouble());
    SolveCoil();
}

int TQDXForm::EditPressure(QVariant& value) {
    TAltBaromForm* calculator = tools_.Barometer;
    if (!calculator) return 0;
    calculator->EnterPressure(value.toDouble());
    const QPoint at = QCursor::pos();
    calculator->PlaceAt(at.x(), at.y());
    const int result = calculator->exec();
    if (result == 1) value = calculator->CalcPressure();
    return result;
}

int TQDXForm::EditOnCoil(QVariant& value) {
    TAirStateDlg* dlg = tools_.OnCoil;
    if (!dlg) return 0;
    dlg->SetCaption("On Coil Air");
    dlg->SetItemName("On Coil");
    dlg->SetEditItemName(false);
    dlg->SetEditPressure(false);
    dlg->SetModal(true);
    dlg->SetPressure(project_->Barometer);
    dlg->SetTemperature(value.toString());
    const int result = dlg->Execute(this);
    value = dlg->Temperature();
    return result;
}

int TQDXForm::EditCoolant(QVariant& value) {
    TFluidSpecForm* form = tools_.FluidSpec;
    if (!form) return 0;
    const QPoint at = QCursor::pos();
    form->PlaceAt(at.x(), at.y());
    form->SetLiquid(&project_->Coolant());
    const int result = form->exec();
    value = Q(project_->Coolant().GetCaption());
    UpdateGrid();
    return result;
}

void TQDXForm::GridSetData(int col, int row) {
    if (col != 1) return;
    TEntryGrid& g = Grid();
    TCoilProject& p = *project_;
    const QVariant value = g.GetValue(1, row);
    const double v = value.toDouble();
    const std::string text = value.toString().toStdString();
    switch (row) {
        case rCoilModel:
            if (modelEdited_) {
                modelEdited_ = false;
                p.KeepEditedCoilModel(g.GetValue(1, rAirVelocity).toDouble(),
                                      g.GetValue(1, rTubeVelocity).toDouble());
            } else {
                p.SetCoilModel(text);
            }
            break;
        case rBarometer: p.SetBarometer(v); break;
        case rOnCoil: p.SetOnCoil(text); break;
        case rAirVolume: p.SetAirVolume(v); break;
        case rAirVelocity: p.SetAirVelocity(v); break;
        case rCoolant: p.Apply([] {}); break;  // changed in its own window
        case rFluidControl:
            if (value.toInt() >= 0) p.SetFluidControl(value.toInt());
            break;
        case rFluidInlet: p.SetFluidInlet(v); break;
        case rDesignDT: p.SetDesignDT(v); break;
        case rFluidFlow: p.SetFluidFlow(v); break;
        case rTubeVelocity: p.SetTubeVelocity(v); break;
        case rDesignDuty: p.SetDesignDuty(v); break;
        case rCalculate:
            if (value.toInt() >= 0) p.SetCalcMode(value.toInt());
            break;
        default: return;
    }
    UpdateRowStates();
    UpdateGrid();
}

// ---- document ----

bool TQDXForm::OpenFile(const QString& path) {
    if (path.isEmpty()) return false;
    const bool opened = project_->OpenFile(path.toStdString());
    UpdateGrid();
    RefreshReport();
    return opened;
}

bool TQDXForm::ConfirmSave() {
    if (project_->Saved) return true;
    const QString name = QFileInfo(Q(project_->FileName)).fileName();
    if (name.isEmpty()) return true;
    switch (Dialogs().Message(this, name + " not saved.\rSave now?", {}, TMsgKind::Confirmation,
                              TMsgButtons::YesNoCancel, TMsgResult::Yes)) {
        case TMsgResult::Yes: {
            const bool saved = project_->SaveFile(project_->FileName);
            ShowStatus();
            return saved;
        }
        case TMsgResult::No: return true;
        default: return false;
    }
}

void TQDXForm::RefreshReport() {
    if (!report_) return;
    TRichTextReport& doc = report_->Report();
    doc.Clear();
    if (project_->Solved) {
        project_->Coil().WritePerformanceReport(doc);
        doc.AddLine("");
        doc.AddLine(ProgramTitle(), lsItalic);
    } else {
        doc.AddLine("Not Solved");
    }
}

void TQDXForm::ShowStatus() {
    Panel(0).setText(Q(project_->EditStatus));
    Panel(1).setText(Q(project_->SolveStatusText));
    Panel(2).setText(QFileInfo(Q(project_->FileName)).fileName());
}

void TQDXForm::UpdateGrid() {
    TEntryGrid& g = Grid();
    const TCoilProject& p = *project_;
    const TColdWaterCoil& c = p.Coil();
    const TLiquidState& ls = *c.LiquidState;
    g.SetCells(2, rCoilModel, Q(c.FinAndTube->Record().Mnf));
    g.SetValue(1, rCoilModel, Q(project_->Coil().GetDesignation()));
    g.SetValue(1, rBarometer, p.Barometer);
    g.SetValue(1, rOnCoil, Q(Format("%0.1f/%0.1f", p.OnCoilAir.db, p.OnCoilAir.wb)));
    g.SetValue(1, rAirVolume, c.VolumeFlow);
    g.SetValue(1, rAirVelocity, c.FaceVelocity);
    g.SetValue(1, rCoolant, Q(project_->Coolant().GetCaption()));
    g.SetValue(1, rFluidControl, int(ls.ctrl));
    g.SetValue(1, rFluidInlet, ls.GetInletTemp());
    g.SetValue(1, rDesignDT, ls.designdt);
    g.SetValue(1, rFluidFlow, ls.GetMassFlow());
    g.SetValue(1, rTubeVelocity, ls.vw);
    g.SetValue(1, rDesignDuty, p.DesignDuty);
    g.SetValue(1, rCalculate, int(p.CalcMode));
    g.SetCells(0, rDesignDuty, QString::fromUtf8(c.DutyFactor != 1 ? kCalibratedDutyCaption : kDutyCaption));
    ShowStatus();
}

void TQDXForm::UpdateRowStates() {
    TEntryGrid& g = Grid();
    const bool temperature = project_->LiquidState().ctrl == wcTemp;
    g.SetRowEnabled(rDesignDT, temperature);
    g.SetRowEnabled(rFluidFlow, !temperature);
    g.SetRowEnabled(rTubeVelocity, !temperature);
    const bool duty = project_->CalcMode == cmCoolingDuty;
    g.SetRowEnabled(rCoilModel, duty);
    g.SetRowEnabled(rDesignDuty, !duty);
}

}  // namespace qdx::app

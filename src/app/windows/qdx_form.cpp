#include "app/windows/qdx_form.hpp"

#include <QAction>
#include <QCloseEvent>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "app/platform/dialogs.hpp"
#include "app/platform/help_pages.hpp"
#include "app/platform/placement.hpp"
#include "app/widgets/rich_text_report.hpp"
#include "app/windows/about_box.hpp"
#include "app/windows/report_form.hpp"
#include "app/windows/view_form.hpp"
#include "documents/folders.hpp"
#include "documents/settings_stores.hpp"
#include "documents/text_utils.hpp"
#include "documents/version_info.hpp"
#include "engine/coil_project.hpp"
#include "engine/coil_settings_store.hpp"
#include "units/unit_prefs.hpp"

namespace qdx::app {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QAction* AddItem(QMenu* menu, const QString& caption, const char* name) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    return a;
}

// The quantities of the coil window that the grid does not show.
constexpr TUnitRecId kOffGridUnits[] = {urAirDp,     urPlaceAltitude, urHexDuty,
                                        urHexMass,   urFatLength,     urHexArea,
                                        urLiquidVolFlow, urHexPipeConn, urLiquidDp};
// The quantities of the grid rows.
constexpr TUnitRecId kGridUnits[] = {urPlaceBaromPressure, urAirT,    urAirVolFlow,
                                     urAirV,               urLiquidT, urLiquidDt,
                                     urLiquidMassFlow,     urLiquidV, urHexDuty};

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

    auto* gridArea = new QWidget;
    gridArea->setObjectName("GridArea");
    setCentralWidget(gridArea);

    UpdateGrid();
    UpdateRowStates();
    AlignWindow();
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
    if (!ConfirmSave()) {
        event->ignore();
        return;
    }
    SavePlacement(*this);
    WriteCoilSettings(*project_, settings_);
    event->accept();
}

void TQDXForm::CommitGridEdit() {}

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

void TQDXForm::AlignWindow() {}

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
    // The chart hand-over is not part of this program yet: nothing to do.
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
    project_->Coil().FinAndTube->WriteManufacturingReport(viewer.Report());
    viewer.exec();
}

void TQDXForm::CalibrateCoil() {
    // The calibration window is not part of this program yet: nothing to do.
}

void TQDXForm::StepSimulation() {
    // The simulation chart is not part of this program yet: nothing to do.
}

// ---- units ----

void TQDXForm::SetMetric() {
    UnitPrefs().CreateUnitChoices().SetMetric();
    UnitsChanged();
}

void TQDXForm::SetImperial() {
    UnitPrefs().CreateUnitChoices().SetImperial();
    UnitsChanged();
}

void TQDXForm::CustomiseUnits() {
    // The units window is not part of this program yet: nothing to do.
}

void TQDXForm::TakeUnitChoices() {
    TUnitPrefs& prefs = UnitPrefs();
    for (TUnitRecId id : kOffGridUnits) prefs[id].UnitsValue = prefs.UnitChoice(prefs[id].UnitsType);
}

void TQDXForm::UnitsChanged() {
    TakeUnitChoices();
    TUnitPrefs& prefs = UnitPrefs();
    for (TUnitRecId id : kGridUnits) prefs[id].UnitsValue = prefs.UnitChoice(prefs[id].UnitsType);
    UpdateGrid();
    RefreshReport();
}

// ---- row buttons ----

int TQDXForm::EditCoilModel(QString& /*cell*/) {
    // The fin and tube editor is not part of this program yet.
    return 0;
}

int TQDXForm::EditPressure(double& /*kPa*/) {
    // The pressure calculator is not part of this program yet.
    return 0;
}

int TQDXForm::EditOnCoil(QString& /*text*/) {
    // The air state dialog is not part of this program yet.
    return 0;
}

int TQDXForm::EditCoolant(QString& /*cell*/) {
    // The fluid specification window is not part of this program yet.
    return 0;
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

void TQDXForm::UpdateGrid() { ShowStatus(); }

void TQDXForm::UpdateRowStates() {}

}  // namespace qdx::app

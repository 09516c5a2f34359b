#pragma once
// The main coil window: the thirteen input rows of one chilled water coil over a TCoilProject,
// the toolbar (Open, Save, Copy, Solve, View, Align, Reset, Help), the status bar (edit state,
// solve state, file name), the grid's right-click menu and the report window. The window holds
// no engine logic: every edit calls the project's operation for its row, and the window then
// shows the project again.
//
// Its settings (section "QDXForm" of the program settings, the liquid defaults and the unit
// choices) are read when it is created and written when it closes.

#include <QString>
#include <QVariant>

#include <memory>

#include "app/windows/tech_form.hpp"
#include "app/windows/tool_windows.hpp"
#include "engine/coil_settings.hpp"

class QMenu;

namespace qdx {
class TCoilProject;
}

namespace qdx::app {

class TAboutBoxDlg;
class TReportForm;

class TQDXForm : public TTechForm {
    Q_OBJECT
public:
    // Creates the window, reads its settings and builds the coil. startPath is the data file
    // named on the command line: it is opened at the first activation when it names a file.
    explicit TQDXForm(const QString& startPath = {}, QWidget* parent = nullptr);
    ~TQDXForm() override;

    static constexpr const char* kProductCode = "QDX";
    // The user name of the company settings that shows "Calibrate Coil Performance".
    static constexpr const char* kMaintainerName = "Administrator";

    TCoilProject& Project() { return *project_; }
    TToolWindows& Tools() { return tools_; }
    TAboutBoxDlg& AboutBox() { return *about_; }
    // The report window, created at the first activation.
    TReportForm* ReportWindow() const { return report_; }
    // The settings the window was created from and writes back at close.
    const TCoilSettings& Settings() const { return settings_; }

    // ---- toolbar ----
    void OpenFileDialog();
    void SaveFileDialog();
    void CopyResults();
    void SolveCoil();
    void ToggleReport();
    void AlignWindow();
    void ShowResetMenu();
    void ShowHelp();
    void ShowAbout();

    // ---- right-click menu of the grid ----
    void TypicalConditions();
    void PlotOnAerograph();
    void Diagnostics();
    void ManufacturingReport();
    void CalibrateCoil();
    void StepSimulation();

    // ---- units menu ----
    void SetMetric();
    void SetImperial();
    void CustomiseUnits();
    // The unit choices changed: the quantities off the grid follow the units settings, the
    // grid rows are shown in theirs, and the report is written again.
    void UnitsChanged();

    // ---- buttons of the grid rows: each gets the row's value (SI), returns the tool window's
    // result as the grid takes it (1: the changed value goes into the row, 0: nothing changed,
    // also when the tool window is not there) ----
    int EditCoilModel(QVariant& value);
    int EditPressure(QVariant& value);
    int EditOnCoil(QVariant& value);
    int EditCoolant(QVariant& value);
    // The fin and tube editor changed the coil while it is shown.
    void FatEditorChanged();

    // The grid rows, numbered as the grid numbers them (row 0 is the header).
    enum TRow {
        rCoilModel = 1,
        rBarometer,
        rOnCoil,
        rAirVolume,
        rAirVelocity,
        rCoolant,
        rFluidControl,
        rFluidInlet,
        rDesignDT,
        rFluidFlow,
        rTubeVelocity,
        rDesignDuty,
        rCalculate,
    };
    // The row handler: a value the grid accepted in a row goes to the project's operation for
    // that row, and the grid shows the project again.
    void GridSetData(int col, int row);

    // ---- document ----
    // Opens a data file and shows it; the window is unchanged when it does not open.
    bool OpenFile(const QString& path);
    // True when the document may be dropped: saved, unnamed, or the user answered No or saved.
    bool ConfirmSave();
    void RefreshReport();
    // Shows the project in the grid and the status bar.
    void UpdateGrid();
    void UpdateRowStates();

    // The file dialogs' start folder.
    QString DataFolder() const { return dataFolder_; }
    // True until the first activation has run.
    bool FirstActivationPending() const { return firstActivation_; }

    QMenu& GridMenu() { return *gridMenu_; }
    QMenu& UnitsMenu() { return *unitsMenu_; }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void FirstActivation();
    void Activated();
    void ShowStatus();
    // Takes the display units of the quantities the grid does not show from the units settings.
    void TakeUnitChoices();
    // Copies the grid rows' display units into the unit choices of their quantities.
    void StoreGridUnits();
    void CreateGrid();
    QString DialogPath() const;
    QString FileFilter() const;

    std::unique_ptr<TCoilProject> project_;
    TCoilSettings settings_;
    TToolWindows tools_;
    TAboutBoxDlg* about_;
    TReportForm* report_ = nullptr;
    QMenu* gridMenu_;
    QMenu* unitsMenu_;
    QMenu* helpMenu_;
    QString startPath_;
    QString dataFolder_;
    QString helpFolder_;
    bool firstActivation_ = true;
    bool firstRun_ = false;
    bool modelEdited_ = false;
};

}  // namespace qdx::app

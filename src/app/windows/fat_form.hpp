#pragma once
// "Fin and Tube Editor": fin height, finned length, rows, fin density or pitch, circuits and
// materials of the coil, edited with spin buttons and edits, one-click automatic sizing against
// a target duty, the coil maker and design settings windows, and after every change a coloured
// summary of the recalculated coil. Cancel puts the geometry, the air volume and the tube
// velocity back as they were at opening.

#include <QDialog>

#include <functional>

#include "engine/fin_tube_editor.hpp"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTextBrowser;

namespace qdx::app {

class TClickLabel;
class TCoilMakerForm;
class TCoilSettingsForm;
class TFmtEdit;
class TFmtEditLabel;
class TSpinButtons;

class TFatForm : public QDialog {
    Q_OBJECT
public:
    explicit TFatForm(QWidget* parent = nullptr);

    void SetCoil(TColdWaterCoil* coil) { editor_.Coil = coil; }
    TColdWaterCoil* Coil() const { return editor_.Coil; }
    TFinTubeEditor& Editor() { return editor_; }
    // Whether the coil maker window shows "Edit Coil Database" and lets the maker change.
    void SetOptions(bool showCatalogueEdit, bool enableMakerList);
    // Called after every change, before the summary is drawn (the main window solves).
    std::function<void()> OnChanged;
    // The target duty of the automatic sizing, kW.
    void SetDesignDuty(double kW);
    double DesignDuty() const;
    void SetKeepAirFlow(bool on);
    // The windows behind the maker and "Settings" buttons (created once by the program).
    void SetCoilMaker(TCoilMakerForm* form) { coilMaker_ = form; }
    void SetDesignSettings(TCoilSettingsForm* form) { designSettings_ = form; }
    // The design duty and finned length edits take the program's unit choices.
    void RefreshUnits();

    // The callback, then the summary.
    void Refresh();
    // The summary of the rated coil and the caption.
    void Render();
    // The fields from the geometry.
    void FillFields();
    // Switches the view between the summary and the circuit picture.
    void ToggleCircuitPicture();
    bool ShowingCircuitPicture() const { return showingPicture_; }
    void AutoSize(TSizingKind kind);
    void EditMaker();
    void EditSettings();

    TFmtEdit* TubeSizeEd() const { return tubeSize_; }
    TFmtEdit* FinHeightEd() const { return finHeight_; }
    TFmtEdit* FinnedLengthEd() const { return finnedLength_; }
    TFmtEdit* RowsEd() const { return rows_; }
    TFmtEdit* FinDensityEd() const { return finDensity_; }
    TFmtEdit* FinPitchEd() const { return finPitch_; }
    TFmtEdit* CircuitsEd() const { return circuits_; }
    TFmtEdit* DesignDutyEd() const { return designDuty_; }
    TSpinButtons* Spin(const QString& quantity) const;
    QComboBox* FinMaterialCombo() const { return finMaterial_; }
    QComboBox* TubeMaterialCombo() const { return tubeMaterial_; }
    QComboBox* CasingMaterialCombo() const { return casingMaterial_; }
    QCheckBox* KeepAirFlowBox() const { return keepAirFlow_; }
    TClickLabel* SerpLabel() const { return serpLabel_; }
    QTextBrowser* HtmlViewer() const { return viewer_; }
    TClickLabel* SizingLabel(TSizingKind kind) const;
    QString SummaryHtml() const { return summaryHtml_; }

public slots:
    void done(int result) override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    TSpinButtons* AddSpin(const QString& quantity, TFmtEdit* edit,
                          const std::function<bool(double, bool)>& spin);
    void OnLeave(TFmtEdit* edit, const std::function<void(double)>& apply);
    void Changed();
    void ReadSettings();
    void WriteSettings();
    void ShowHelp();

    TFinTubeEditor editor_;
    TCoilMakerForm* coilMaker_ = nullptr;
    TCoilSettingsForm* designSettings_ = nullptr;
    bool showCatalogueEdit_ = false;
    bool enableMakerList_ = false;
    bool showingPicture_ = false;
    QString summaryHtml_;

    TFmtEdit* tubeSize_;
    TFmtEdit* finHeight_;
    TFmtEdit* finnedLength_;
    TFmtEdit* rows_;
    TFmtEdit* finDensity_;
    TFmtEdit* finPitch_;
    TFmtEdit* circuits_;
    TFmtEdit* designDuty_;
    TFmtEditLabel* finHeightUnits_;
    TFmtEditLabel* finnedLengthUnits_;
    TFmtEditLabel* finDensityUnits_;
    TFmtEditLabel* finPitchUnits_;
    TFmtEditLabel* designDutyUnits_;
    QComboBox* finMaterial_;
    QComboBox* tubeMaterial_;
    QComboBox* casingMaterial_;
    QCheckBox* keepAirFlow_;
    TClickLabel* serpLabel_;
    QTextBrowser* viewer_;
    TClickLabel* sizingLabels_[6] = {};
};

}  // namespace qdx::app

#include "app/windows/fat_form.hpp"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "app/platform/dialogs.hpp"
#include "app/widgets/field_keys.hpp"
#include "app/widgets/fmt_edit.hpp"
#include "app/widgets/fmt_edit_label.hpp"
#include "app/widgets/form_fields.hpp"
#include "app/widgets/spin_buttons.hpp"
#include "app/windows/circuit_picture.hpp"
#include "app/windows/coil_maker_form.hpp"
#include "app/windows/coil_settings_form.hpp"
#include "documents/folders.hpp"
#include "documents/settings_stores.hpp"
#include "engine/cold_water_coil.hpp"
#include "geometry/circuiting.hpp"
#include "geometry/designation.hpp"
#include "geometry/materials.hpp"
#include "units/unit_prefs.hpp"

namespace qdx::app {

namespace {

constexpr const char* kSection = "FatForm";
constexpr const char* kCircuitPicture = "circuit.png";

struct TSizingLabel {
    TSizingKind kind;
    const char* name;
    const char* text;
    const char* hint;
};

// In the order of sizingLabels_.
constexpr TSizingLabel kSizingLabels[] = {
    {skFinHeight, "FinHeightLabel", "Fin Height", "Auto Size Height"},
    {skFinnedLength, "FinnedLengthLabel", "Finned Length", "Auto Size Length"},
    {skRows, "RowsLabel", "Rows Deep", "Auto Size Rows"},
    {skFins, "FinDensityLabel", "Fin Density", "Auto Size Fin Spacing"},
    {skFaceArea, "AutoFaceAreaLabel", "Auto Face Area", "Auto Size Height and Length"},
    {skRowsAndFins, "AutoRowsFinsLabel", "Auto Rows && Fins", "Auto Size Rows and Fins"},
};

QComboBox* MaterialCombo(QWidget* parent, const QString& name, const QString& accessible) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->setAccessibleName(accessible);
    for (int i = 0; i < kMaterialCount; ++i) c->addItem(QString::fromStdString(MaterialCode(i)));
    return c;
}

}  // namespace

TFatForm::TFatForm(QWidget* parent) : QDialog(parent) {
    setObjectName("FatForm");
    setWindowTitle("Fin and Tube Editor");

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
    int row = 0;
    auto place = [&](QWidget* label, TFmtEdit* edit, QWidget* spin, QWidget* units) {
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        if (spin) grid->addWidget(spin, row, 2);
        if (units) grid->addWidget(units, row, 3);
        ++row;
    };
    for (int i = 0; i < 6; ++i) {
        const TSizingLabel& s = kSizingLabels[i];
        sizingLabels_[i] = new TClickLabel(s.text, s.hint, this);
        sizingLabels_[i]->setObjectName(s.name);
        connect(sizingLabels_[i], &QPushButton::clicked, this, [this, i] { AutoSize(kSizingLabels[i].kind); });
    }
    auto* pitchLabel = new TClickLabel("Fin Pitch", "Auto Size Fin Spacing", this);
    pitchLabel->setObjectName("FinPitchLabel");
    connect(pitchLabel, &QPushButton::clicked, this, [this] { AutoSize(skFins); });

    tubeSize_ = NewFmtEdit(this, "TubeSizeEd", "Tube Size", "%s");
    tubeSize_->setReadOnly(true);
    tubeSize_->SetValue(QString("1/2\""));
    place(new QLabel("Tube Size", this), tubeSize_, nullptr, nullptr);

    finHeightUnits_ = NewUnitsLabel(this, "FinHeightUnits");
    finHeight_ = NewFmtEdit(this, "FinHeightEd", "Fin Height", "%0.2f", utLengthPrim, 3, finHeightUnits_);
    place(sizingLabels_[0], finHeight_,
          AddSpin("Fin Height", finHeight_, [this](double v, bool up) { return editor_.SpinFinHeight(v, up); }),
          finHeightUnits_);
    finnedLengthUnits_ = NewUnitsLabel(this, "FinnedLengthUnits");
    finnedLength_ = NewFmtEdit(this, "FinnedLengthEd", "Finned Length", "%0.1f", utLengthMeasure, 2,
                               finnedLengthUnits_);
    place(sizingLabels_[1], finnedLength_,
          AddSpin("Finned Length", finnedLength_,
                  [this](double v, bool up) { return editor_.SpinFinnedLength(v, up); }),
          finnedLengthUnits_);
    rows_ = NewFmtEdit(this, "RowsEd", "Rows Deep", "%0.1f");
    place(sizingLabels_[2], rows_,
          AddSpin("Rows Deep", rows_, [this](double v, bool up) { return editor_.SpinRows(v, up); }),
          nullptr);
    finDensityUnits_ = NewUnitsLabel(this, "FinDensityUnits");
    finDensity_ = NewFmtEdit(this, "FinDensityEd", "Fin Density", "%0.4f", utFinDensity, 0,
                             finDensityUnits_);
    place(sizingLabels_[3], finDensity_,
          AddSpin("Fin Density", finDensity_,
                  [this](double v, bool up) { return editor_.SpinFinDensity(v, up); }),
          finDensityUnits_);
    finPitchUnits_ = NewUnitsLabel(this, "FinPitchUnits");
    finPitch_ = NewFmtEdit(this, "FinPitchEd", "Fin Pitch", "%0.4f", utLengthSmall, 0, finPitchUnits_);
    place(pitchLabel, finPitch_,
          AddSpin("Fin Pitch", finPitch_, [this](double v, bool up) { return editor_.SpinFinPitch(v, up); }),
          finPitchUnits_);
    circuits_ = NewFmtEdit(this, "CircuitsEd", "Circuits", "%0.1f");
    place(new QLabel("Circuits", this), circuits_,
          AddSpin("Circuits", circuits_, [this](double v, bool up) { return editor_.SpinCircuits(v, up); }),
          nullptr);
    designDutyUnits_ = NewUnitsLabel(this, "DesignDutyUnits");
    designDuty_ = NewFmtEdit(this, "DesignDutyEd", "Design Duty", "%0.3f", utDutyPrim, 0, designDutyUnits_);
    place(new QLabel("Design Duty", this), designDuty_, nullptr, designDutyUnits_);

    serpLabel_ = new TClickLabel(QString(), "Show the circuiting", this);
    serpLabel_->setObjectName("SerpLabel");
    serpLabel_->setAccessibleName("Serpentine");
    connect(serpLabel_, &QPushButton::clicked, this, &TFatForm::ToggleCircuitPicture);
    grid->addWidget(new QLabel("Serpentine", this), row, 0);
    grid->addWidget(serpLabel_, row, 1, 1, 3);
    ++row;

    // Ranges in the stored units (m, fins per inch, mm, kW).
    auto range = [](TFmtEdit* e, TFieldRange r) {
        e->SetRangeLo(r.Min);
        e->SetRangeHi(r.Max);
    };
    range(rows_, TFinTubeEditor::kRows);
    range(finDensity_, TFinTubeEditor::kFinDensity);
    range(finPitch_, TFinTubeEditor::kFinPitch);
    range(circuits_, TFinTubeEditor::kCircuits);
    range(designDuty_, TFinTubeEditor::kDesignDuty);
    designDuty_->SetValue(20.0);

    finMaterial_ = MaterialCombo(this, "FinMaterialCombo", "Fin Material");
    tubeMaterial_ = MaterialCombo(this, "TubeMaterialCombo", "Tube Material");
    casingMaterial_ = MaterialCombo(this, "CasingMaterialCombo", "Casing Material");
    finMaterial_->setCurrentIndex(kAluminium);
    tubeMaterial_->setCurrentIndex(kCopper);
    casingMaterial_->setCurrentIndex(kGalvanisedIron);
    auto* materials = new QHBoxLayout;
    for (auto [caption, combo] : {std::pair{"Fin", finMaterial_}, std::pair{"Tube", tubeMaterial_},
                                  std::pair{"Casing", casingMaterial_}}) {
        auto* l = new QLabel(caption, this);
        l->setBuddy(combo);
        materials->addWidget(l);
        materials->addWidget(combo);
    }
    materials->addStretch();
    connect(finMaterial_, &QComboBox::activated, this, [this](int i) { editor_.SetFinMaterial(i); Changed(); });
    connect(tubeMaterial_, &QComboBox::activated, this, [this](int i) { editor_.SetTubeMaterial(i); Changed(); });
    connect(casingMaterial_, &QComboBox::activated, this, [this](int i) { editor_.SetCasingMaterial(i); Changed(); });

    keepAirFlow_ = new QCheckBox("Keep entered airflow on auto size", this);
    keepAirFlow_->setObjectName("CBKeepAirFlow");
    connect(keepAirFlow_, &QCheckBox::toggled, this, [this](bool on) { editor_.KeepAirFlow = on; });

    auto* autoRow = new QHBoxLayout;
    autoRow->addWidget(sizingLabels_[4]);
    autoRow->addWidget(sizingLabels_[5]);
    autoRow->addStretch();

    auto* left = new QVBoxLayout;
    left->addLayout(grid);
    left->addLayout(materials);
    left->addWidget(keepAirFlow_);
    left->addLayout(autoRow);
    left->addStretch();

    viewer_ = new QTextBrowser(this);
    viewer_->setObjectName("HTMLViewer1");
    viewer_->setAccessibleName("Summary");
    viewer_->setMinimumSize(240, 320);
    viewer_->setOpenLinks(false);

    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addWidget(viewer_, 1);

    auto* maker = new QPushButton("Coil &Maker...", this);
    maker->setObjectName("MakerButton");
    maker->setToolTip("Choose the maker's tube and fin");
    auto* settings = new QPushButton("Settings", this);
    settings->setObjectName("SettingsButton");
    settings->setToolTip("Settings");
    auto* accept = new QPushButton("&Accept", this);
    accept->setObjectName("AcceptButton");
    auto* cancel = new QPushButton("&Cancel", this);
    cancel->setObjectName("CancelButton");
    auto* help = new QPushButton("&Help", this);
    help->setObjectName("HelpButton");
    for (QPushButton* b : {maker, settings, accept, cancel, help}) b->setAutoDefault(false);
    connect(maker, &QPushButton::clicked, this, &TFatForm::EditMaker);
    connect(settings, &QPushButton::clicked, this, &TFatForm::EditSettings);
    connect(accept, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &TFatForm::reject);
    connect(help, &QPushButton::clicked, this, &TFatForm::ShowHelp);
    auto* helpKey = new QAction(this);
    helpKey->setShortcut(QKeySequence::HelpContents);
    connect(helpKey, &QAction::triggered, this, &TFatForm::ShowHelp);
    addAction(helpKey);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(maker);
    buttons->addWidget(settings);
    buttons->addStretch();
    buttons->addWidget(accept);
    buttons->addWidget(cancel);
    buttons->addWidget(help);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);

    OnLeave(finHeight_, [this](double v) { editor_.ApplyFinHeight(v); });
    OnLeave(finnedLength_, [this](double v) { editor_.ApplyFinnedLength(v); });
    OnLeave(rows_, [this](double v) { editor_.ApplyRows(v); });
    OnLeave(finDensity_, [this](double v) { editor_.ApplyFinDensity(v); });
    OnLeave(finPitch_, [this](double v) { editor_.ApplyFinPitch(v); });
    OnLeave(circuits_, [this](double v) { editor_.ApplyCircuits(v); });

    ReadSettings();
    InstallFieldKeys(this);
}

TSpinButtons* TFatForm::AddSpin(const QString& quantity, TFmtEdit* edit,
                                const std::function<bool(double, bool)>& spin) {
    auto* s = new TSpinButtons(quantity, this);
    auto step = [this, edit, spin](bool up) {
        bool ok = false;
        const double v = edit->Value().toDouble(&ok);
        if (ok && Coil() && spin(v, up)) Changed();
    };
    connect(s, &TSpinButtons::Up, this, [step] { step(true); });
    connect(s, &TSpinButtons::Down, this, [step] { step(false); });
    return s;
}

void TFatForm::OnLeave(TFmtEdit* edit, const std::function<void(double)>& apply) {
    connect(edit, &QLineEdit::editingFinished, this, [this, edit, apply] {
        // Only a typed value changes the coil; passing through a field does not.
        if (!edit->Modified() || !Coil()) return;
        edit->Validate();
        edit->SetModified(false);
        bool ok = false;
        const double v = edit->Value().toDouble(&ok);
        if (!ok) return;
        apply(v);
        Changed();
    });
}

TSpinButtons* TFatForm::Spin(const QString& quantity) const {
    return findChild<TSpinButtons*>("Spin " + quantity);
}

TClickLabel* TFatForm::SizingLabel(TSizingKind kind) const {
    for (int i = 0; i < 6; ++i)
        if (kSizingLabels[i].kind == kind) return sizingLabels_[i];
    return nullptr;
}

void TFatForm::SetOptions(bool showCatalogueEdit, bool enableMakerList) {
    showCatalogueEdit_ = showCatalogueEdit;
    enableMakerList_ = enableMakerList;
}

void TFatForm::SetDesignDuty(double kW) { designDuty_->SetValue(kW); }

double TFatForm::DesignDuty() const { return designDuty_->Value().toDouble(); }

void TFatForm::SetKeepAirFlow(bool on) { keepAirFlow_->setChecked(on); }

void TFatForm::RefreshUnits() {
    designDuty_->SetUnitsValue(UnitPrefs()[urHexDuty].UnitsValue);
    finnedLength_->SetUnitsValue(UnitPrefs()[urFatLength].UnitsValue);
}

void TFatForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!Coil()) return;
    editor_.SaveState();
    FillFields();
    Render();
}

void TFatForm::FillFields() {
    if (!Coil()) return;
    const TColdWaterCoil& c = *Coil();
    const TModelRec& rec = c.FinAndTube->Record();
    tubeSize_->SetValue(QString::fromStdString(TubeSizeText(rec.Tube)));
    const TFieldRange height = editor_.FinHeightRange();
    finHeight_->SetRangeLo(height.Min);
    finHeight_->SetRangeHi(height.Max);
    const TFieldRange length = editor_.FinnedLengthRange();
    finnedLength_->SetRangeLo(length.Min);
    finnedLength_->SetRangeHi(length.Max);
    finHeight_->SetValue(c.FinHeight());
    finnedLength_->SetValue(c.FinnedLength());
    rows_->SetValue(c.Rows());
    finDensity_->SetValue(c.FinsPerInch());
    finPitch_->SetValue(editor_.FinPitch());
    circuits_->SetValue(c.Circuits());
    finMaterial_->setCurrentIndex(rec.Mf);
    tubeMaterial_->setCurrentIndex(rec.Mt);
    casingMaterial_->setCurrentIndex(rec.Mc);
    serpLabel_->setText(QString::fromStdString(c.FinAndTube->SerpentineText()));
}

void TFatForm::Changed() {
    Refresh();
    FillFields();
}

void TFatForm::Refresh() {
    if (OnChanged) OnChanged();
    Render();
}

void TFatForm::Render() {
    if (!Coil()) return;
    const std::vector<std::string> lines = editor_.SummaryLines();
    QStringList page;
    for (const std::string& l : lines) page << QString::fromStdString(l);
    summaryHtml_ = page.join('\n');
    viewer_->setHtml(summaryHtml_);
    showingPicture_ = false;
    setWindowTitle(QString::fromStdString(editor_.Caption()));
}

void TFatForm::ToggleCircuitPicture() {
    if (!Coil()) return;
    if (showingPicture_) {
        viewer_->setHtml(summaryHtml_);
        showingPicture_ = false;
        return;
    }
    // The shipped picture of these rows and tubes per circuit, else a drawing of the circuiting.
    const TFinAndTube& g = *Coil()->FinAndTube;
    QImage picture;
    QString page;
    if (!picture.load(CircuitPicturePath(g))) {
        picture = DrawCircuitPicture(CircuitLayout(g), g.Record().tp == 0);
        page = "<p style=\"font-family:arial;font-size:8pt\">" + CircuitCaption(g).toHtmlEscaped() + "</p>";
    }
    viewer_->document()->addResource(QTextDocument::ImageResource, QUrl(kCircuitPicture), picture);
    viewer_->setHtml(QString("<html><body><img src=\"%1\" height=\"%2\">%3</body></html>")
                         .arg(kCircuitPicture)
                         .arg(kCircuitPictureHeight)
                         .arg(page));
    showingPicture_ = true;
}

void TFatForm::AutoSize(TSizingKind kind) {
    if (!Coil()) return;
    if (editor_.AutoSize(kind, DesignDuty()) != ssSolved) Dialogs().Beep();
    FillFields();
    Refresh();
}

void TFatForm::EditMaker() {
    if (!coilMaker_ || !Coil()) return;
    coilMaker_->SetRecord(Coil()->FinAndTube->Record());
    coilMaker_->SetOptions(showCatalogueEdit_, enableMakerList_);
    if (coilMaker_->exec() != QDialog::Accepted) return;
    editor_.ApplyMakerRecord(coilMaker_->Record());
    FillFields();
    Refresh();
}

void TFatForm::EditSettings() {
    if (!designSettings_ || !Coil()) return;
    designSettings_->LoadForCoil(Coil());
    designSettings_->exec();
    bool ok = false;
    const double c = circuits_->Value().toDouble(&ok);
    if (ok) editor_.ApplyCircuits(c);
    FillFields();
}

void TFatForm::reject() {
    if (Coil()) {
        editor_.RestoreState();
        FillFields();
        Refresh();
    }
    QDialog::reject();
}

void TFatForm::done(int result) {
    WriteSettings();
    QDialog::done(result);
}

void TFatForm::ReadSettings() {
    const auto store = OpenProgramSettings();
    designDuty_->SetUnitsValue(store->ReadInteger(kSection, "DesignDutyUnits", 0));
    finHeight_->SetUnitsValue(store->ReadInteger(kSection, "FinHeightUnits", 3));
    finnedLength_->SetUnitsValue(store->ReadInteger(kSection, "FinnedLengthUnits", 2));
    finDensity_->SetUnitsValue(store->ReadInteger(kSection, "FinDensityUnits", 0));
    finPitch_->SetUnitsValue(store->ReadInteger(kSection, "FinPitchUnits", 0));
}

void TFatForm::WriteSettings() {
    const auto store = OpenProgramSettings();
    store->WriteInteger(kSection, "DesignDutyUnits", designDuty_->UnitsValue());
    store->WriteInteger(kSection, "FinHeightUnits", finHeight_->UnitsValue());
    store->WriteInteger(kSection, "FinnedLengthUnits", finnedLength_->UnitsValue());
    store->WriteInteger(kSection, "FinDensityUnits", finDensity_->UnitsValue());
    store->WriteInteger(kSection, "FinPitchUnits", finPitch_->UnitsValue());
}

void TFatForm::ShowHelp() {
    Dialogs().OpenUrl(QUrl::fromLocalFile(QString::fromStdString(MakerCommonDir()) + "FatDlg.htm"));
}

}  // namespace qdx::app

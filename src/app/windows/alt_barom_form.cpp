#include "app/windows/alt_barom_form.hpp"

#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/platform/place_at.hpp"
#include "app/platform/placement.hpp"
#include "app/widgets/dialog_bars.hpp"
#include "app/widgets/fmt_edit.hpp"
#include "app/widgets/fmt_edit_label.hpp"
#include "app/windows/select_location_form.hpp"
#include "documents/settings_stores.hpp"
#include "fluids/psychrometrics.hpp"
#include "units/format.hpp"

namespace qdx::app {

namespace {

constexpr const char* kSection = "Barometer";

}  // namespace

TAltBaromForm::TAltBaromForm(QWidget* parent) : QDialog(parent) {
    setObjectName("AltBaromForm");
    setWindowTitle(tr("Pressure Calculator"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const TAcceptCancelBar bars = MakeAcceptCancelBar(this);
    toolBar_ = bars.bar;
    bars.accept->setToolTip(tr("Return pressure to calling program"));
    connect(bars.accept, &QAction::triggered, this, &TAltBaromForm::AcceptValues);
    layout->addWidget(toolBar_);

    auto* fields = new QGridLayout;
    fields->setContentsMargins(8, 8, 8, 8);
    auto addRow = [&](int row, const QString& caption, const char* name, TFmtEdit*& edit,
                      TFmtEditLabel*& units) {
        auto* label = new QLabel(caption, this);
        label->setObjectName(QString(name) + "Label");
        edit = new TFmtEdit(this);
        edit->setObjectName(QString(name) + "Edit");
        edit->setAccessibleName(caption);
        label->setBuddy(edit);
        units = new TFmtEditLabel(this);
        units->setObjectName(QString(name) + "Units");
        units->setMinimumWidth(48);
        fields->addWidget(label, row, 0);
        fields->addWidget(edit, row, 1);
        fields->addWidget(units, row, 2);
    };
    addRow(0, tr("Pressure"), "Pressure", pressureEdit_, pressureUnits_);
    addRow(1, tr("Altitude"), "Altitude", altitudeEdit_, altitudeUnits_);
    pressureEdit_->SetFormatStr("%0.3f");
    pressureEdit_->SetFormatType(ft_Fixed);
    pressureEdit_->SetSigDigs(5);
    pressureEdit_->SetRangeLo(70);
    pressureEdit_->SetRangeHi(120);
    pressureEdit_->SetUnitsLabel(pressureUnits_);
    pressureEdit_->SetUnitsType(utPressureBar);
    altitudeEdit_->SetFormatStr("%0.1f");
    altitudeEdit_->SetFormatType(ft_Fixed);
    altitudeEdit_->SetSigDigs(5);
    altitudeEdit_->SetRangeLo(-1401.35);
    altitudeEdit_->SetRangeHi(3063.8);
    altitudeEdit_->SetUnitsLabel(altitudeUnits_);
    altitudeEdit_->SetUnitsType(utAltitude);
    searchButton_ = new QToolButton(this);
    searchButton_->setObjectName("SearchButton");
    searchButton_->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    searchButton_->setToolTip(tr("Search for Location"));
    searchButton_->setAccessibleName(tr("Search for Location"));
    connect(searchButton_, &QToolButton::clicked, this, &TAltBaromForm::SearchLocation);
    fields->addWidget(searchButton_, 1, 3);
    fields->setColumnStretch(1, 1);
    layout->addLayout(fields);

    QStatusBar* bar = MakeStatusBar(this);
    status_ = AddStatusPanel(bar, "StatusPanel");
    layout->addWidget(bar);

    pressureEdit_->installEventFilter(this);
    altitudeEdit_->installEventFilter(this);

    setWindowTitle(tr("Barometer"));
    resize(280, sizeHint().height());
    RestorePlacement(*this, false, false);
    auto settings = OpenCommonSettings();
    pressureEdit_->SetUnitsValue(settings->ReadInteger(kSection, "Pressure units", 0));
    altitudeEdit_->SetUnitsValue(settings->ReadInteger(kSection, "Altitude units", 0));
    lastLocation_ = QString::fromStdString(settings->ReadString(kSection, "LastLocation", ""));
    calcPressure_ = settings->ReadFloat(kSection, "Pressure", 101.325);
    calcAltitude_ = settings->ReadFloat(kSection, "Altitude", 0);
    pressureEdit_->SetValue(calcPressure_);
    altitudeEdit_->SetValue(calcAltitude_);
}

TAltBaromForm::~TAltBaromForm() = default;

void TAltBaromForm::EnterPressure(double kPa) {
    calcPressure_ = kPa;
    calcAltitude_ = Altitude(kPa);
    pressureEdit_->SetValue(calcPressure_);
    altitudeEdit_->SetValue(calcAltitude_);
}

void TAltBaromForm::EnterAltitude(double metres) {
    calcAltitude_ = metres;
    calcPressure_ = AtmPressure(metres);
    pressureEdit_->SetValue(calcPressure_);
    altitudeEdit_->SetValue(calcAltitude_);
}

void TAltBaromForm::PlaceAt(int x, int y) { app::PlaceAt(*this, x, y); }

void TAltBaromForm::EditLeft(TFmtEdit* edit) {
    if (!edit->Modified()) return;
    edit->Validate();
    edit->SetModified(false);
    bool ok = false;
    const double v = edit->Value().toDouble(&ok);
    if (!ok) return;
    if (edit == pressureEdit_) {
        EnterPressure(v);
        status_->setText(tr("Pressure modified by user"));
    } else {
        EnterAltitude(v);
        status_->setText(tr("Altitude modified by user"));
    }
}

bool TAltBaromForm::eventFilter(QObject* watched, QEvent* e) {
    // Leaving an edit: its own validation follows and finds nothing left to do.
    if (e->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(e)->reason() != Qt::PopupFocusReason &&
        (watched == pressureEdit_ || watched == altitudeEdit_))
        EditLeft(static_cast<TFmtEdit*>(watched));
    return QDialog::eventFilter(watched, e);
}

void TAltBaromForm::AcceptValues() {
    if (QWidget* focused = focusWidget(); focused == pressureEdit_ || focused == altitudeEdit_)
        EditLeft(static_cast<TFmtEdit*>(focused));
    calcPressure_ = pressureEdit_->Value().toDouble();
    calcAltitude_ = altitudeEdit_->Value().toDouble();
    done(1);
}

void TAltBaromForm::SearchLocation() {
    if (!locationForm_) locationForm_ = new TSelectLocationForm(this);
    locationForm_->SelectLocation(lastLocation_);
    if (locationForm_->exec() != 1) return;
    lastLocation_ = locationForm_->LocationText();
    lastRecord_ = locationForm_->Current();
    EnterAltitude(lastRecord_.Altitude);
    status_->setText(QString::fromStdString(Format("%s: %0.1f/%0.1f °C", lastRecord_.Name,
                                                   lastRecord_.CoolingDryBulb,
                                                   lastRecord_.CoolingWetBulb)));
}

void TAltBaromForm::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!locationForm_) locationForm_ = new TSelectLocationForm(this);
    status_->setText(tr("Ready..."));
}

void TAltBaromForm::keyPressEvent(QKeyEvent* e) {
    // Enter and Down go to the next control, Up to the previous one; lists, grids and
    // drop-downs keep the keys they use themselves.
    switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Down:
            focusNextChild();
            e->accept();
            return;
        case Qt::Key_Up:
            focusPreviousChild();
            e->accept();
            return;
        default:
            QDialog::keyPressEvent(e);
    }
}

void TAltBaromForm::reject() { done(2); }

void TAltBaromForm::done(int result) {
    SavePlacement(*this);
    auto settings = OpenCommonSettings();
    settings->WriteInteger(kSection, "Pressure units", pressureEdit_->UnitsValue());
    settings->WriteInteger(kSection, "Altitude units", altitudeEdit_->UnitsValue());
    settings->WriteString(kSection, "LastLocation", lastLocation_.toStdString());
    settings->WriteFloat(kSection, "Pressure", pressureEdit_->Value().toDouble());
    settings->WriteFloat(kSection, "Altitude", altitudeEdit_->Value().toDouble());
    QDialog::done(result);
}

}  // namespace qdx::app

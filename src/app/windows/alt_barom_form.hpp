#pragma once
// "Barometer": the pressure calculator. A barometric pressure and an altitude, each in the unit
// the user chose, follow each other through the standard atmosphere; the altitude can also come
// from a place of the location database. Accepted, the caller reads CalcPressure. The units,
// the last location and the two values are kept in the common settings (section "Barometer").

#include <QDialog>

#include "documents/location_database.hpp"

class QLabel;
class QToolBar;
class QToolButton;

namespace qdx::app {

class TFmtEdit;
class TFmtEditLabel;
class TSelectLocationForm;

class TAltBaromForm : public QDialog {
    Q_OBJECT
public:
    explicit TAltBaromForm(QWidget* parent = nullptr);
    ~TAltBaromForm() override;

    double CalcPressure() const { return calcPressure_; }  // kPa
    double CalcAltitude() const { return calcAltitude_; }  // m
    QString LastLocation() const { return lastLocation_; }
    const TLocationRecord& LastRecord() const { return lastRecord_; }

    // A pressure (kPa) and its altitude, or an altitude (m) and its pressure, into both edits.
    void EnterPressure(double kPa);
    void EnterAltitude(double metres);
    // At (x, y), kept wholly on the screen.
    void PlaceAt(int x, int y);

    // The location window the search opens; created when the calculator is first shown unless
    // one was given.
    TSelectLocationForm* LocationForm() const { return locationForm_; }
    void SetLocationForm(TSelectLocationForm* form) { locationForm_ = form; }

    TFmtEdit* PressureEdit() const { return pressureEdit_; }
    TFmtEdit* AltitudeEdit() const { return altitudeEdit_; }
    TFmtEditLabel* PressureUnits() const { return pressureUnits_; }
    TFmtEditLabel* AltitudeUnits() const { return altitudeUnits_; }
    QToolButton* SearchButton() const { return searchButton_; }
    QLabel* StatusPanel() const { return status_; }

public slots:
    // Commits the focused edit, takes both values and closes with result 1.
    void AcceptValues();
    // Opens the location window on the last location; an accepted place gives the altitude.
    void SearchLocation();
    // Modal results 1 (OK) and 2 (Cancel); closing the window is Cancel.
    void done(int result) override;
    void reject() override;

protected:
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // The edit was left: a changed value moves the other one.
    void EditLeft(TFmtEdit* edit);

    QToolBar* toolBar_;
    TFmtEdit* pressureEdit_;
    TFmtEdit* altitudeEdit_;
    TFmtEditLabel* pressureUnits_;
    TFmtEditLabel* altitudeUnits_;
    QToolButton* searchButton_;
    QLabel* status_;
    TSelectLocationForm* locationForm_ = nullptr;
    double calcPressure_ = 101.325;
    double calcAltitude_ = 0;
    QString lastLocation_;
    TLocationRecord lastRecord_;
};

}  // namespace qdx::app

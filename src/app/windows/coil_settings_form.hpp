#pragma once
// "Design Settings": the defaults the automatic sizing works with, on four pages (aspect ratio
// and face velocity; a typical entering air, liquid inlet, rows and fins; circuiting; fouling),
// kept in the program settings. Opening for a coil reads the settings into the fields and gives
// them to the coil; closing writes them and gives them to the coil again.

#include <QDialog>

#include "engine/design_settings.hpp"

class QCheckBox;
class QTabWidget;

namespace qdx {
class TCoil;
}

namespace qdx::app {

class TClickLabel;
class TFmtEdit;

class TCoilSettingsForm : public QDialog {
    Q_OBJECT
public:
    explicit TCoilSettingsForm(QWidget* parent = nullptr);

    // Reads the settings, with the coil's defaults for what is missing, and applies them.
    void LoadForCoil(TCoil* coil);
    TCoil* Coil() const { return coil_; }

    TDesignSettings Fields() const;
    void ShowFields(const TDesignSettings& s);
    // The coil's design defaults and fouling switch into the fields.
    void RestoreDefaults();

    QTabWidget* Pages() const { return pages_; }
    TFmtEdit* AspectEdit() const { return aspect_; }
    TFmtEdit* VfEdit() const { return vf_; }
    TFmtEdit* AirOnEdit() const { return airOn_; }
    TFmtEdit* FluidInEdit() const { return fluidIn_; }
    TFmtEdit* RowsEdit() const { return rows_; }
    TFmtEdit* FinsEdit() const { return fins_; }
    QCheckBox* FoulingBox() const { return fouling_; }
    TClickLabel* RestoreDefaultsLabel() const { return restore_; }
    TClickLabel* MoreInformationLabel() const { return moreInfo_; }

public slots:
    // Every way of closing writes the settings and applies them.
    void done(int result) override;

private:
    void Limit(TFmtEdit* edit, double (*limit)(double));
    void LimitAirOn();

    TCoil* coil_ = nullptr;
    QTabWidget* pages_;
    TFmtEdit* aspect_;
    TFmtEdit* vf_;
    TFmtEdit* airOn_;
    TFmtEdit* fluidIn_;
    TFmtEdit* rows_;
    TFmtEdit* fins_;
    QCheckBox* fouling_;
    TClickLabel* restore_;
    TClickLabel* moreInfo_;
};

}  // namespace qdx::app

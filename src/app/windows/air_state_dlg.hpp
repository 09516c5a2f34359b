#pragma once
// The moist air state component: a non-visual object that owns a moist-air point and opens the
// state window (TAirStateBox) for it, modal or not. It keeps the window's layout (size, column
// widths, the unit of every row and the point's position) and, once Dummy is set, reads it from
// the common settings (section = its objectName) and writes it back when it is destroyed.

#include <QObject>
#include <QPointer>
#include <QString>

#include "fluids/air_state_editor.hpp"

class QWidget;

namespace qdx::app {

class TAirStateBox;

class TAirStateDlg : public QObject {
    Q_OBJECT
public:
    // name: the component name, which is also the settings section.
    explicit TAirStateDlg(const QString& name = QStringLiteral("AirStateDlg"), QObject* parent = nullptr);
    ~TAirStateDlg() override;

    TAirStateDlgModel& Model() { return model_; }
    TPsyPoint& Point() { return model_.Point; }

    QString Caption() const { return QString::fromStdString(model_.Caption); }
    void SetCaption(const QString& caption) { model_.Caption = caption.toStdString(); }
    QString ItemName() const { return QString::fromStdString(model_.Point.ItemName); }
    void SetItemName(const QString& name) { model_.Point.ItemName = name.toStdString(); }
    bool EditItemName() const { return model_.EditItemName; }
    void SetEditItemName(bool on) { model_.EditItemName = on; }
    int FormLeft() const { return model_.Point.Left; }
    int FormTop() const { return model_.Point.Top; }
    void SetFormLeft(int left) { model_.Point.Left = left; }
    void SetFormTop(int top) { model_.Point.Top = top; }
    bool Modal() const { return model_.Modal; }
    void SetModal(bool on) { model_.Modal = on; }
    bool EditPressure() const { return model_.EditPressure; }
    void SetEditPressure(bool on) { model_.EditPressure = on; }
    // kPa; setting it rebuilds the state from the Temperature text.
    double Pressure() const { return model_.Pressure(); }
    void SetPressure(double pa) { model_.SetPressure(pa); }
    // "%0.1f/%0.1f"; a text that does not parse becomes "24/17".
    QString Temperature() const { return QString::fromStdString(model_.Temperature()); }
    void SetTemperature(const QString& text) { model_.SetTemperature(text.toStdString()); }
    // Setting it reads the stored layout; the layout is then written at destruction.
    bool Dummy() const { return layoutLoaded_; }
    void SetDummy(bool on);

    // Shows the state window for the point: modal, it returns the window's result (1 when the
    // state was accepted, 2 otherwise); not modal, it returns 0 and the window frees itself when
    // it closes. parent: the window's parent.
    int Execute(QWidget* parent = nullptr);
    // The open state window, or null.
    TAirStateBox* Box() const;

signals:
    // After every accepted change of the point and after a change of its name.
    void EditAirconItem(qdx::TPsyPoint* point);
    // Passed on from the window: a row's unit was changed through its units cell, a column
    // was resized, the window was resized.
    void AfterRightClick(int row);
    void ColWidthsChanged();
    void Resized();

private:
    TAirStateDlgModel model_;
    QPointer<TAirStateBox> box_;
    bool layoutLoaded_ = false;
};

}  // namespace qdx::app

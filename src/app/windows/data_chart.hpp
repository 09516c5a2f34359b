#pragma once
// The data chart window: series of a matrix plotted on a chart panel, their captions in their
// colours and three value labels beside it. "Step-by-Step Simulation" shows the coil's march
// in it: the liquid, the air, the coil surface and the air's dew point from the air inlet to
// the air outlet. It plots again every time it is activated, and saves the chart as a picture
// or copies the numbers for a spreadsheet.

#include <QColor>
#include <QDialog>
#include <QString>

#include <array>

class QLabel;
class QPushButton;

namespace qdx {
class TCoilProject;
class TFloatMat;
}  // namespace qdx

namespace qdx::app {

class TChartPanel;

class TDataChart : public QDialog {
    Q_OBJECT
public:
    static constexpr int kSeries = 5;
    static constexpr int kSidePanelWidth = 110;

    explicit TDataChart(QWidget* parent = nullptr);

    // The series to plot: column k of the matrix is series k, one row a step; shared with
    // its owner (the coil), never copied.
    const TFloatMat* Data = nullptr;
    std::array<bool, kSeries> Show{};  // which series are plotted
    int First = 0;                     // the steps plotted, x from First to Last
    int Last = 0;
    int PenWidth = 1;
    std::array<QColor, kSeries> Colors;

    // "Step-by-Step Simulation": the project's simulation (it solves first when needed) and
    // the chart set up for its results; the caller then shows it modally. False when the
    // simulation failed (the project has said why).
    bool StepSimulation(TCoilProject& project);
    // The chart set up for a simulation's results and duty (kW), without showing it. A march
    // that did not settle is drawn as the last march tried, and the chart says so.
    void ShowSimulation(const TFloatMat& results, double duty, bool settled = true);

    // Plots the shown series: their captions become visible, the panel gets one line a
    // series and the ranges that hold them.
    void Plot();

    // The plotted steps as tab-separated text: a header line of the captions, then one line
    // a step; lines end with CR LF.
    QString DataText() const;
    // "Copy Data" and "Save Image..." (PNG or SVG).
    void CopyData();
    void SaveImage();

    TChartPanel* Panel() const { return panel_; }
    QLabel* Caption(int series) const { return captions_[series]; }
    QLabel* LiquidLabel() const { return liquidLabel_; }
    QLabel* AirLabel() const { return airLabel_; }
    QLabel* DutyLabel() const { return dutyLabel_; }
    QLabel* NoticeLabel() const { return noticeLabel_; }

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    TChartPanel* panel_;
    std::array<QLabel*, kSeries - 1> captions_;
    QLabel* liquidLabel_;
    QLabel* airLabel_;
    QLabel* dutyLabel_;
    QLabel* noticeLabel_;
};

}  // namespace qdx::app

#pragma once
// The psychrometric chart on screen, and the state under the mouse pointer.

#include <QWidget>

#include <memory>

#include "app/aerograph/psychrometric_chart.hpp"

namespace qdx::aerograph {

class TChartView : public QWidget {
    Q_OBJECT
public:
    explicit TChartView(QWidget* parent = nullptr);

    // The chart shown; null shows a hint to open a file.
    void SetChart(std::unique_ptr<TPsychrometricChart> chart);
    const TPsychrometricChart* Chart() const { return chart_.get(); }

    QSize sizeHint() const override { return {1100, 780}; }

signals:
    // The state under the pointer as a line of text; empty when the pointer is off the chart.
    void StateTextChanged(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    std::unique_ptr<TPsychrometricChart> chart_;
};

}  // namespace qdx::aerograph

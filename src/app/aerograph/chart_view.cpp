#include "app/aerograph/chart_view.hpp"

#include <QMouseEvent>
#include <QPainter>

#include "units/format.hpp"

namespace qdx::aerograph {

TChartView::TChartView(QWidget* parent) : QWidget(parent) {
    setObjectName("chartView");
    setAccessibleName("Psychrometric chart");
    setMouseTracking(true);
    setMinimumSize(400, 300);
}

void TChartView::SetChart(std::unique_ptr<TPsychrometricChart> chart) {
    chart_ = std::move(chart);
    update();
}

void TChartView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (chart_) {
        chart_->Draw(p, size());
        return;
    }
    p.fillRect(rect(), palette().color(QPalette::Base));
    p.setPen(palette().color(QPalette::PlaceholderText));
    p.drawText(rect(), Qt::AlignCenter,
               "Open a chart file (.psy) with File > Open..., or plot a coil's process from QDX.");
}

void TChartView::mouseMoveEvent(QMouseEvent* event) {
    TChartState s;
    QString text;
    if (chart_ && chart_->StateAt(event->position(), size(), s))
        text = QString::fromStdString(
            Format("Dry bulb %0.1f °C   Moisture %0.4f kg/kg   RH %0.0f %%   Wet bulb %0.1f °C"
                   "   Enthalpy %0.1f kJ/kg   Volume %0.3f m³/kg",
                   s.dryBulb, s.moisture, 100 * s.relativeHumidity, s.wetBulb, s.enthalpy,
                   s.volume));
    emit StateTextChanged(text);
    QWidget::mouseMoveEvent(event);
}

void TChartView::leaveEvent(QEvent* event) {
    emit StateTextChanged({});
    QWidget::leaveEvent(event);
}

}  // namespace qdx::aerograph

#include "app/widgets/spin_buttons.hpp"

#include <QToolButton>
#include <QVBoxLayout>

namespace qdx::app {

namespace {
QToolButton* ArrowButton(Qt::ArrowType arrow, const QString& name, QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setArrowType(arrow);
    b->setObjectName(name);
    b->setAccessibleName(name);
    b->setToolTip(name);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRepeat(true);
    b->setFixedSize(16, 11);
    return b;
}
}  // namespace

TSpinButtons::TSpinButtons(const QString& quantity, QWidget* parent) : QWidget(parent) {
    setObjectName("Spin " + quantity);
    up_ = ArrowButton(Qt::UpArrow, "Increase " + quantity, this);
    down_ = ArrowButton(Qt::DownArrow, "Decrease " + quantity, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    connect(up_, &QToolButton::clicked, this, &TSpinButtons::Up);
    connect(down_, &QToolButton::clicked, this, &TSpinButtons::Down);
}

}  // namespace qdx::app

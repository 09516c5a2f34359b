#include "app/windows/view_form.hpp"

#include <QEvent>
#include <QTextEdit>
#include <QVBoxLayout>

#include "app/platform/placement.hpp"

namespace qdx::app {

TViewForm::TViewForm(QWidget* parent)
    : QDialog(parent, Qt::Window), richEdit_(new QTextEdit), report_(*richEdit_) {
    setObjectName("ViewForm");
    setWindowTitle("Viewer");
    setMinimumSize(190, 230);
    resize(460, 520);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    richEdit_->setObjectName("RichEdit1");
    richEdit_->setAccessibleName("Viewer text");
    richEdit_->setReadOnly(true);
    richEdit_->setFrameShape(QFrame::NoFrame);
    richEdit_->setTabChangesFocus(false);
    richEdit_->setLineWrapMode(QTextEdit::NoWrap);
    layout->addWidget(richEdit_);
    SetTabStops(*richEdit_, {80, 130});
    RestorePlacement(*this, false, true);
}

void TViewForm::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) SavePlacement(*this);
}

}  // namespace qdx::app

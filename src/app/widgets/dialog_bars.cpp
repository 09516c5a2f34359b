#include "app/widgets/dialog_bars.hpp"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>

namespace qdx::app {

TAcceptCancelBar MakeAcceptCancelBar(QDialog* dialog) {
    auto* bar = new QToolBar(dialog);
    bar->setObjectName("ToolBar");
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction* accept = bar->addAction(QDialog::tr("&Accept"));
    accept->setObjectName("AcceptAction");
    QAction* cancel = bar->addAction(QDialog::tr("&Cancel"));
    cancel->setObjectName("CancelAction");
    QObject::connect(cancel, &QAction::triggered, dialog, [dialog] { dialog->done(2); });
    return {bar, accept, cancel};
}

QStatusBar* MakeStatusBar(QWidget* parent) {
    auto* bar = new QStatusBar(parent);
    bar->setObjectName("StatusBar");
    bar->setSizeGripEnabled(false);
    return bar;
}

QLabel* AddStatusPanel(QStatusBar* bar, const QString& objectName, int stretch) {
    auto* panel = new QLabel(bar);
    panel->setObjectName(objectName);
    bar->addWidget(panel, stretch);
    return panel;
}

}  // namespace qdx::app

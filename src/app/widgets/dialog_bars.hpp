#pragma once
// The bars the input windows share: the Accept/Cancel tool bar at the top and the status bar
// with its label panels at the bottom.

#include <QString>

class QAction;
class QDialog;
class QLabel;
class QStatusBar;
class QToolBar;
class QWidget;

namespace qdx::app {

struct TAcceptCancelBar {
    QToolBar* bar;
    QAction* accept;  // the window connects what Accept does
    QAction* cancel;  // ends the dialog with result 2
};
TAcceptCancelBar MakeAcceptCancelBar(QDialog* dialog);

// A status bar without a size grip.
QStatusBar* MakeStatusBar(QWidget* parent);
// A label panel on the bar; stretch > 0 lets it take the free width.
QLabel* AddStatusPanel(QStatusBar* bar, const QString& objectName, int stretch = 1);

}  // namespace qdx::app

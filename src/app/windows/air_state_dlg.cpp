#include "app/windows/air_state_dlg.hpp"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include "app/windows/air_state_box.hpp"
#include "documents/settings_stores.hpp"

namespace qdx::app {

TAirStateDlg::TAirStateDlg(const QString& name, QObject* parent) : QObject(parent) {
    setObjectName(name);
    model_.Name = name.toStdString();
}

TAirStateDlg::~TAirStateDlg() {
    delete box_;
    if (layoutLoaded_) model_.SaveLayout(*OpenCommonSettings());
}

void TAirStateDlg::SetDummy(bool on) {
    if (!on) return;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->geometry().size() : QSize(1024, 768);
    model_.LoadLayout(*OpenCommonSettings(), size.width(), size.height());
    layoutLoaded_ = true;
}

TAirStateBox* TAirStateDlg::Box() const { return box_; }

int TAirStateDlg::Execute(QWidget* parent) {
    QPoint at(model_.Point.Left, model_.Point.Top);
    if (at.x() == -99 || at.y() == -99) at = QCursor::pos();
    auto* box = new TAirStateBox(*this, parent);
    box_ = box;
    box->move(at);
    if (!model_.Modal) {
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->show();
        return 0;
    }
    const int result = box->exec();
    delete box;
    return result;
}

}  // namespace qdx::app

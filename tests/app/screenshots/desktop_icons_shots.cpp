// The icons the desktop entries name, at the sizes an application menu and a file manager
// draw them.
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>

#include "screenshots/scene.hpp"

namespace {
qdx::test::RegisterScene icons("desktop_icons", [](qdx::test::TAppTestEnv&) {
    auto box = std::make_unique<QWidget>();
    box->setObjectName("DesktopIcons");
    auto* row = new QHBoxLayout(box.get());
    for (const char* name : {"qdx", "qdx-aerograph"}) {
        const QIcon icon(QString(QDX_TEST_DATA_DIR "/../packaging/") + name + ".svg");
        for (int size : {16, 32, 48, 128}) {
            auto* l = new QLabel(box.get());
            l->setObjectName(QString(name) + QString::number(size));
            l->setPixmap(icon.pixmap(size, size));
            row->addWidget(l);
        }
    }
    return box;
});
}  // namespace

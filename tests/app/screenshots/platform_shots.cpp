// The platform layer's own picture: a message box as the Qt layer draws it, to check fonts and
// the offscreen rendering every other picture relies on.
#include <QMessageBox>

#include "screenshots/scene.hpp"

namespace {
qdx::test::RegisterScene messageBox("platform_message_box", [](qdx::test::TAppTestEnv&) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::Warning, "QDX",
                                             "Error reading file...\nThe file is not a QDX data file.",
                                             QMessageBox::Ok);
    return std::unique_ptr<QWidget>(std::move(box));
});
}  // namespace

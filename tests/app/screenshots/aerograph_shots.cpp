// The chart program with the process of the first-run coil, as "Plot process on Aerograph"
// exports it.
#include <QDir>

#include "app/aerograph/aerograph_form.hpp"
#include "documents/folders.hpp"
#include "engine/coil_project.hpp"
#include "geometry/coil_makers.hpp"
#include "screenshots/scene.hpp"

namespace {
qdx::test::RegisterScene firstRunChart("aerograph_first_run", [](qdx::test::TAppTestEnv&) {
    qdx::ClearMakerCache();
    qdx::EnsureCatalogue();
    qdx::TCoilProject project;
    project.CreateCoil(qdx::TCoilSettings{});
    const std::string path = project.AerographPath();
    auto form = std::make_unique<qdx::aerograph::TAerographForm>();
    form->resize(1100, 820);
    if (!project.ExportAerograph(path) || !form->LoadFile(QString::fromStdString(path)))
        return std::unique_ptr<QWidget>();
    return std::unique_ptr<QWidget>(std::move(form));
});
}  // namespace

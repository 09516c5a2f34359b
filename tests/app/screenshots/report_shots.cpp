// Pictures of the main window's companions: the report window with a solved coil, the viewer
// with the diagnostics, and the about box.
#include "app/windows/about_box.hpp"
#include "app/windows/qdx_form.hpp"
#include "app/windows/report_form.hpp"
#include "app/windows/view_form.hpp"
#include "documents/version_info.hpp"
#include "engine/coil_project.hpp"
#include "geometry/coil_makers.hpp"
#include "screenshots/scene.hpp"

namespace {

using namespace qdx;
using namespace qdx::app;

std::unique_ptr<TCoilProject> SolvedCoil() {
    EnsureCatalogue();
    auto p = std::make_unique<TCoilProject>();
    p->CreateCoil(TCoilSettings{});
    p->SolveCoil();
    return p;
}

qdx::test::RegisterScene reportWindow("report_window", [](qdx::test::TAppTestEnv&) {
    auto form = std::make_unique<TReportForm>();
    form->SetTabStops({110, 170});
    auto project = SolvedCoil();
    project->Coil().WritePerformanceReport(form->Report());
    form->Report().AddLine("");
    form->Report().AddLine(ProgramTitle(), lsItalic);
    form->resize(560, 640);
    return std::unique_ptr<QWidget>(std::move(form));
});

qdx::test::RegisterScene viewerDiagnostics("viewer_diagnostics", [](qdx::test::TAppTestEnv&) {
    auto viewer = std::make_unique<TViewForm>();
    auto project = SolvedCoil();
    project->Coil().WriteDiagnostics(viewer->Report());
    viewer->resize(520, 640);
    return std::unique_ptr<QWidget>(std::move(viewer));
});

qdx::test::RegisterScene aboutBox("about_box", [](qdx::test::TAppTestEnv&) {
    const TVerInfoRes info;
    auto box = std::make_unique<TAboutBox>(QString::fromStdString(info.GetValue("FileDescription")),
                                           QString::fromStdString(info.FileVersion()),
                                           "Chilled Water Coil", false);
    return std::unique_ptr<QWidget>(std::move(box));
});

qdx::test::RegisterScene splash("splash", [](qdx::test::TAppTestEnv&) {
    const TVerInfoRes info;
    auto box = std::make_unique<TAboutBox>(QString::fromStdString(info.GetValue("FileDescription")),
                                           QString::fromStdString(info.FileVersion()),
                                           "Chilled Water Coil", true);
    return std::unique_ptr<QWidget>(std::move(box));
});

}  // namespace

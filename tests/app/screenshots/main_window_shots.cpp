// The main coil window, metric and Imperial.
#include "app/windows/qdx_form.hpp"
#include "engine/coil_project.hpp"
#include "geometry/coil_makers.hpp"
#include "screenshots/scene.hpp"

namespace {

using namespace qdx::app;

qdx::test::RegisterScene metric("main_window_metric", [](qdx::test::TAppTestEnv&) {
    qdx::EnsureCatalogue();
    auto form = std::make_unique<TQDXForm>();
    form->SolveCoil();
    return std::unique_ptr<QWidget>(std::move(form));
});

qdx::test::RegisterScene imperial("main_window_imperial", [](qdx::test::TAppTestEnv&) {
    qdx::EnsureCatalogue();
    auto form = std::make_unique<TQDXForm>();
    form->SetImperial();
    form->SolveCoil();
    return std::unique_ptr<QWidget>(std::move(form));
});

}  // namespace

// The simulation chart of the first-run coil, as "Step-by-Step Simulation" shows it.
#include "app/windows/data_chart.hpp"
#include "engine/coil_project.hpp"
#include "geometry/coil_makers.hpp"
#include "screenshots/scene.hpp"

namespace {
qdx::test::RegisterScene firstRunSimulation("data_chart_first_run", [](qdx::test::TAppTestEnv&) {
    // The chart shows the coil's results in place: the project lives as long as the program.
    static std::unique_ptr<qdx::TCoilProject> project;
    qdx::ClearMakerCache();
    qdx::EnsureCatalogue();
    project = std::make_unique<qdx::TCoilProject>();
    project->CreateCoil(qdx::TCoilSettings{});
    double duty = 0;
    if (!project->StepSimulation(duty)) return std::unique_ptr<QWidget>();
    auto chart = std::make_unique<qdx::app::TDataChart>();
    chart->ShowSimulation(project->Coil().StepResults, duty);
    return std::unique_ptr<QWidget>(std::move(chart));
});
}  // namespace

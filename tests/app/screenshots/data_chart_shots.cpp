// The simulation chart of the first-run coil, as "Step-by-Step Simulation" shows it.
#include "app/windows/data_chart.hpp"
#include "engine/coil_project.hpp"
#include "geometry/coil_makers.hpp"
#include "screenshots/scene.hpp"

namespace {

// The chart shows the coil's results in place: each scene's project lives as long as the
// program.
std::unique_ptr<QWidget> Simulation(std::unique_ptr<qdx::TCoilProject>& project,
                                    void (*edit)(qdx::TCoilProject&)) {
    qdx::ClearMakerCache();
    qdx::EnsureCatalogue();
    project = std::make_unique<qdx::TCoilProject>();
    project->CreateCoil(qdx::TCoilSettings{});
    edit(*project);
    double duty = 0;
    if (!project->StepSimulation(duty)) return nullptr;
    auto chart = std::make_unique<qdx::app::TDataChart>();
    chart->ShowSimulation(project->Coil().StepResults, duty, project->Coil().StepSettled);
    return chart;
}

qdx::test::RegisterScene firstRunSimulation("data_chart_first_run", [](qdx::test::TAppTestEnv&) {
    static std::unique_ptr<qdx::TCoilProject> project;
    return Simulation(project, [](qdx::TCoilProject&) {});
});

// One circuit heated to the entering dry bulb: a march that cannot settle.
qdx::test::RegisterScene notSettled("data_chart_not_settled", [](qdx::test::TAppTestEnv&) {
    static std::unique_ptr<qdx::TCoilProject> project;
    return Simulation(project, [](qdx::TCoilProject& p) {
        p.SetCoilModel("1000 2500 4r 12f 1c");
        p.SetOnCoil("39.7/24.9");
        p.SetAirVelocity(2.96);
        p.SetFluidInlet(3.5);
        p.SetTubeVelocity(0.67);
    });
});

}  // namespace

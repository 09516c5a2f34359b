// The design tools: the calibrator, the fin and tube editor (with its summary and with the
// drawn circuit picture), the coil maker, the design settings pages and the text editor.
#include <QAction>
#include <QFile>
#include <QTimer>

#include <functional>

#include <QTabWidget>

#include "app/windows/calibrate_form.hpp"
#include "app/windows/coil_maker_form.hpp"
#include "app/windows/coil_settings_form.hpp"
#include "app/windows/fat_form.hpp"
#include "app/windows/inkwell_form.hpp"
#include "engine/coil_project.hpp"
#include "geometry/coil_makers.hpp"
#include "screenshots/scene.hpp"

namespace {

using qdx::test::RegisterScene;
using qdx::test::TAppTestEnv;

// A first-run coil that lives as long as the window showing it.
qdx::TCoilProject& ProjectFor(QWidget* window) {
    qdx::ClearMakerCache();
    qdx::EnsureCatalogue();
    auto* project = new qdx::TCoilProject;
    project->CreateCoil(qdx::TCoilSettings{});
    QObject::connect(window, &QObject::destroyed, [project] { delete project; });
    return *project;
}

RegisterScene calibrator("calibrate_form", [](TAppTestEnv&) {
    auto form = std::make_unique<qdx::app::TCalibrateForm>();
    form->SetCoil(&ProjectFor(form.get()).Coil());
    return std::unique_ptr<QWidget>(std::move(form));
});

std::unique_ptr<QWidget> FatForm(const std::function<void(qdx::TCoilProject&)>& setUp,
                                 bool picture) {
    auto form = std::make_unique<qdx::app::TFatForm>();
    qdx::TCoilProject& project = ProjectFor(form.get());
    setUp(project);
    form->SetCoil(&project.Coil());
    form->SetDesignDuty(project.DesignDuty);
    if (picture) {
        // The picture shows once the window has drawn its summary.
        qdx::app::TFatForm* f = form.get();
        QTimer::singleShot(0, f, [f] { f->ToggleCircuitPicture(); });
    }
    return std::unique_ptr<QWidget>(std::move(form));
}

RegisterScene fatSummary("fat_form", [](TAppTestEnv&) {
    return FatForm([](qdx::TCoilProject& p) { p.SetCoilModel("610 720 4r 12f 8c"); }, false);
});

// A fast, deep and dense coil: the warning colours of face velocity, pressure drops and the
// unlinked tubes.
RegisterScene fatWarnings("fat_form_warnings", [](TAppTestEnv&) {
    return FatForm(
        [](qdx::TCoilProject& p) {
            p.SetCoilModel("635 900 8r 14f 5c");
            p.SetAirVelocity(3.1);
            p.SetTubeVelocity(2.2);
        },
        false);
});

RegisterScene fatCircuits("fat_form_circuit_picture", [](TAppTestEnv&) {
    return FatForm([](qdx::TCoilProject& p) { p.SetCoilModel("533.4 720 4r 12f 7c"); }, true);
});

RegisterScene coilMaker("coil_maker_form", [](TAppTestEnv&) {
    auto form = std::make_unique<qdx::app::TCoilMakerForm>();
    form->SetRecord(ProjectFor(form.get()).Coil().FinAndTube->Record());
    form->SetOptions(false, true);
    return std::unique_ptr<QWidget>(std::move(form));
});

std::unique_ptr<QWidget> DesignSettings(int page) {
    auto form = std::make_unique<qdx::app::TCoilSettingsForm>();
    form->LoadForCoil(&ProjectFor(form.get()).Coil());
    form->Pages()->setCurrentIndex(page);
    return std::unique_ptr<QWidget>(std::move(form));
}

RegisterScene settingsAutoSize("coil_settings_form_1_auto_size", [](TAppTestEnv&) { return DesignSettings(0); });
RegisterScene settingsTypical("coil_settings_form_2_typical", [](TAppTestEnv&) { return DesignSettings(1); });
RegisterScene settingsCircuits("coil_settings_form_3_circuits", [](TAppTestEnv&) { return DesignSettings(2); });
RegisterScene settingsFactors("coil_settings_form_4_factors", [](TAppTestEnv&) { return DesignSettings(3); });

RegisterScene inkwell("inkwell_form", [](TAppTestEnv& env) {
    const QString path = env.Root() + "/units.ini";
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write("; unit choices of the coil windows\n"
                "[Coils]\n"
                "UnitsPressure=0\n"
                "UnitsAirOn=0\n"
                "UnitsAirVol=3\n"
                "\n"
                "[SetUnitsForm]\n"
                "Temperature=1\n"
                "Water Flow=5\n");
    f.close();
    auto form = std::make_unique<qdx::app::TInkwellForm>();
    form->SetEditFileName(path);
    form->LoadTextFile();
    form->Action("LineNumbersAction")->trigger();
    return std::unique_ptr<QWidget>(std::move(form));
});

}  // namespace

// The text editor with INI colouring and line numbers, on a settings file of the program.
#include <QAction>
#include <QFile>

#include "app/windows/inkwell_form.hpp"
#include "screenshots/scene.hpp"

namespace {
qdx::test::RegisterScene inkwell("inkwell_form", [](qdx::test::TAppTestEnv& env) {
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

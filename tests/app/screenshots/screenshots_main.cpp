// Writes a PNG of every registered scene: qdx_screenshots [OUTPUT_FOLDER] [NAME_FILTER].
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTest>

#include <cstdio>
#include <map>
#include <string>

#include "screenshots/scene.hpp"

namespace qdx::test {
namespace {
std::map<std::string, TSceneFn>& Scenes() {
    static std::map<std::string, TSceneFn> scenes;
    return scenes;
}
}  // namespace

RegisterScene::RegisterScene(const char* name, TSceneFn make) {
    Scenes().emplace(name, std::move(make));
}
}  // namespace qdx::test

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    const QString filter = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    QDir().mkpath(out);
    int written = 0, failed = 0;
    for (auto& [name, make] : qdx::test::Scenes()) {
        const QString qname = QString::fromStdString(name);
        if (!filter.isEmpty() && !qname.contains(filter)) continue;
        qdx::test::TAppTestEnv env;
        std::unique_ptr<QWidget> w = make(env);
        if (!w) {
            std::fprintf(stderr, "screenshots: %s: no widget\n", name.c_str());
            ++failed;
            continue;
        }
        w->show();
        if (!QTest::qWaitForWindowExposed(w.get())) std::fprintf(stderr, "screenshots: %s: not exposed\n", name.c_str());
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 100) QApplication::processEvents(QEventLoop::AllEvents, 20);
        const QString path = out + "/" + qname + ".png";
        if (w->grab().save(path)) {
            std::printf("%s\n", qPrintable(path));
            ++written;
        } else {
            std::fprintf(stderr, "screenshots: could not write %s\n", qPrintable(path));
            ++failed;
        }
    }
    std::printf("screenshots: %d written\n", written);
    return failed == 0 ? 0 : 1;
}

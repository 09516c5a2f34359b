#include "app/desktop_program.hpp"

#include <QApplication>
#include <QEvent>
#include <QLocale>
#include <QTimer>

#include <clocale>

#include "app/platform/dialogs.hpp"
#include "app/windows/about_box.hpp"
#include "app/windows/qdx_form.hpp"
#include "documents/messages.hpp"
#include "documents/unit_prefs_store.hpp"
#include "geometry/coil_makers.hpp"
#include "units/unit_prefs.hpp"

namespace qdx::app {

namespace {

// Which automation switch an argument is, if any: 1 regserver, 2 unregserver, 3 automation,
// 4 embedding.
int AutomationSwitch(QString arg) {
    if (arg.startsWith("--"))
        arg.remove(0, 2);
    else if (arg.startsWith('-') || arg.startsWith('/'))
        arg.remove(0, 1);
    else
        return 0;
    arg = arg.toLower();
    if (arg == "regserver") return 1;
    if (arg == "unregserver") return 2;
    if (arg == "automation") return 3;
    if (arg == "embedding") return 4;
    return 0;
}

// Ends the event loop once the watched window has been painted.
class TQuitAfterPaint : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

TDesktopArguments ParseDesktopArguments(const QStringList& args) {
    TDesktopArguments out;
    QStringList words;
    for (const QString& a : args) {
        switch (AutomationSwitch(a)) {
            case 1: out.regServer = true; break;
            case 2: out.unregServer = true; break;
            case 3: out.automation = true; break;
            case 4: out.embedding = true; break;
            default: words << a;
        }
    }
    out.path = words.join(' ');
    return out;
}

void InstallMessageHandler() {
    SetMessageHandler([](const std::string& text) {
        Dialogs().ShowMessage(QApplication::activeWindow(), QString::fromStdString(text));
    });
}

TDesktopProgram::TDesktopProgram(const QStringList& args) : args_(ParseDesktopArguments(args)) {
    QApplication::setApplicationName("QDX");
    // The unit choices of the units file and the shipped data the windows read come first.
    LoadUnitsFile();
    EnsureCatalogue();
    form_ = std::make_unique<TQDXForm>(args_.path);
    CreateToolWindows(*form_, form_->Tools());
    form_->AboutBox().EndSplash();
}

TDesktopProgram::~TDesktopProgram() = default;

void TDesktopProgram::Show() {
    form_->show();
    form_->activateWindow();
}

int RunDesktop(int argc, char** argv) {
    QApplication app(argc, argv);
    // Numbers read and write with "." whatever the user's regional settings.
    QLocale::setDefault(QLocale::c());
    std::setlocale(LC_NUMERIC, "C");
    InstallMessageHandler();

    QStringList args;
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    TDesktopProgram program(args);
    TQuitAfterPaint quitAfterPaint;
    if (!qEnvironmentVariableIsEmpty("QDX_QUIT_AFTER_SHOW"))
        program.MainForm().installEventFilter(&quitAfterPaint);
    program.Show();
    const int rc = app.exec();
    if (qEnvironmentVariableIsEmpty("QDX_QUIT_AFTER_SHOW")) SaveUnitsFile();
    return rc;
}

}  // namespace qdx::app

#include "app/desktop_program.hpp"

#include <QApplication>
#include <QEvent>
#include <QLocale>
#include <QTimer>

#include <clocale>

#include "app/automation/automation_server.hpp"
#include "app/platform/dialogs.hpp"
#include "app/windows/about_box.hpp"
#include "app/windows/qdx_form.hpp"
#include "documents/automation_registration.hpp"
#include "documents/messages.hpp"
#include "documents/unit_prefs_store.hpp"
#include "geometry/coil_makers.hpp"
#include "units/unit_prefs.hpp"

namespace qdx::app {

namespace {

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
        switch (StartSwitchOf(a.toStdString())) {
            case TStartSwitch::RegServer: out.regServer = true; break;
            case TStartSwitch::UnregServer: out.unregServer = true; break;
            case TStartSwitch::Automation: out.automation = true; break;
            case TStartSwitch::Embedding: out.embedding = true; break;
            case TStartSwitch::None: words << a;
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
    StartAutomation();
}

TDesktopProgram::~TDesktopProgram() {
    if (RunningAutomationServer() == automation_.get()) SetRunningAutomationServer(nullptr);
}

void TDesktopProgram::StartAutomation() {
    // One running program serves every client; a second copy leaves the bus to the first.
    TQDXForm* form = form_.get();
    automation_ = std::make_unique<TAutomationServer>(
        form->Project(), [form] { form->SolveCoil(); }, [form] { form->UpdateGrid(); });
    QString why;
    if (!automation_->Start(&why)) {
        if (args_.automation || args_.embedding)
            qWarning("qdx: the automation server could not start: %s", qPrintable(why));
        automation_.reset();
        return;
    }
    SetRunningAutomationServer(automation_.get());
    // Started by a client's activation, the program ends with its last object.
    if (args_.automation || args_.embedding)
        QObject::connect(automation_.get(), &TAutomationServer::LastObjectReleased, qApp,
                         &QCoreApplication::quit, Qt::QueuedConnection);
}

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

// The automation server inside the running desktop program, as a client reaches it over the
// session bus (gdbus, a client no one here wrote): the window's grid follows a put, a put lands
// while a modal window is open, and closing the program with live objects asks first. The test
// runs on a session bus of its own (dbus-run-session).
#include <QDialog>
#include <QProcess>
#include <QTimer>
#include <QtTest>

#include "app/automation/automation_server.hpp"
#include "app/desktop_program.hpp"
#include "app/widgets/entry_grid.hpp"
#include "app/windows/qdx_form.hpp"
#include "engine/coil_project.hpp"
#include "geometry/coil_makers.hpp"
#include "support/app_test_env.hpp"

using namespace qdx;
using namespace qdx::app;

namespace {

// Runs gdbus against the program while the event loop keeps serving it; returns its output.
QString Gdbus(const QStringList& args, int* exitCode = nullptr) {
    QProcess p;
    p.start("gdbus", args);
    if (!p.waitForStarted()) return "(gdbus did not start)";
    // The event loop runs meanwhile: the program answers the call.
    if (!QTest::qWaitFor([&] { return p.state() == QProcess::NotRunning; }, 20000))
        return "(gdbus did not end)";
    if (exitCode) *exitCode = p.exitCode();
    return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError()).trimmed();
}

QStringList SetArgs(const QString& path, const QString& member, const QString& value) {
    return {"call",      "--session",
            "--dest",    "com.calorix.QDX",
            "--object-path", path,
            "--method",  "org.freedesktop.DBus.Properties.Set",
            "com.calorix.QDX.IQDXoil", member, value};
}

}  // namespace

class TAutomationServerTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        env_ = std::make_unique<test::TAppTestEnv>();
        EnsureCatalogue();
        program_ = std::make_unique<TDesktopProgram>(QStringList{});
        program_->Show();
        QVERIFY(QTest::qWaitForWindowExposed(&program_->MainForm()));
        QTRY_VERIFY(!program_->MainForm().FirstActivationPending());
        QVERIFY2(program_->Automation(), "the server did not take the bus name");
        QCOMPARE(RunningAutomationServer(), program_->Automation());
    }
    void cleanup() {
        program_.reset();
        env_.reset();
    }

    void gridFollowsAPut() {
        TQDXForm& form = program_->MainForm();
        const QString path = Create();
        QCOMPARE(path, QString("/com/calorix/QDX/QDXoil/1"));
        const QString before = form.Grid().Cells(1, TQDXForm::rOnCoil);
        int rc = -1;
        const QString out = Gdbus(SetArgs(path, "DBon", "<31.5>"), &rc);
        QVERIFY2(rc == 0, qPrintable(out));
        QCOMPARE(form.Project().Coil().EnteringDryBulb(), 31.5);
        const QString after = form.Grid().Cells(1, TQDXForm::rOnCoil);
        QVERIFY2(after != before && after.contains("31.5"), qPrintable(after));
        // No put marks the document modified.
        QVERIFY(form.Project().Saved);
    }

    void aPutLandsUnderAModalWindow() {
        TQDXForm& form = program_->MainForm();
        const QString path = Create();
        QDialog modal(&form);
        modal.setModal(true);
        int rc = -1;
        QTimer::singleShot(0, &modal, [&] {
            Gdbus(SetArgs(path, "WaterOn", "<9.25>"), &rc);
            modal.accept();
        });
        modal.exec();
        QCOMPARE(rc, 0);
        QCOMPARE(form.Project().Coolant().tfi, 9.25);
    }

    void closingWithLiveObjectsAsksFirst() {
        TQDXForm& form = program_->MainForm();
        Create();
        QCOMPARE(program_->Automation()->ObjectCount(), 1);
        auto& dialogs = env_->Dialogs();
        dialogs.messageAnswers = {TMsgResult::No};
        QVERIFY(!form.close());
        QVERIFY(form.isVisible());
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].caption, QString("COM Server Warning"));
        QCOMPARE(dialogs.messages[0].buttons, TMsgButtons::YesNo);
        QCOMPARE(dialogs.messages[0].defaultButton, TMsgResult::No);
        dialogs.messageAnswers = {TMsgResult::Yes};
        QVERIFY(form.close());
    }

    void closingWithoutObjectsDoesNotAsk() {
        TQDXForm& form = program_->MainForm();
        const QString path = Create();
        int rc = -1;
        Gdbus({"call", "--session", "--dest", "com.calorix.QDX", "--object-path", path,
               "--method", "com.calorix.QDX.Lifetime.Release"},
              &rc);
        QCOMPARE(rc, 0);
        QCOMPARE(program_->Automation()->ObjectCount(), 0);
        QVERIFY(form.close());
        QVERIFY(env_->Dialogs().messages.isEmpty());
    }

private:
    // An object made in-process: no client on the bus owns it, so it lives until released.
    QString Create() { return program_->Automation()->CreateObject().path(); }

    std::unique_ptr<test::TAppTestEnv> env_;
    std::unique_ptr<TDesktopProgram> program_;
};

QTEST_MAIN(TAutomationServerTest)
#include "automation_server_test.moc"

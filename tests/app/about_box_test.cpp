// The about box and the start-up splash with its two-second rule.
#include <QCheckBox>
#include <QDateTime>
#include <QLabel>
#include <QtTest>

#include "app/windows/about_box.hpp"
#include "documents/settings_stores.hpp"
#include "engine/coil_settings_store.hpp"
#include "support/app_test_env.hpp"

using namespace qdx;
using namespace qdx::app;

class AboutBoxTest : public QObject {
    Q_OBJECT
private slots:
    void splashOnlyWhenTheSettingIsOnAndForTwoSeconds() {
        test::TAppTestEnv env;
        TAboutBoxDlg dlg;
        dlg.ProductName = "QDX";
        dlg.ShowSplash();
        QVERIFY(dlg.Splash() == nullptr);
        QCOMPARE(dlg.SplashEndTime(), 0);
        dlg.EndSplash();  // nothing to wait for

        WriteSplashScreen(*OpenProgramSettings(), true);
        const qint64 before = QDateTime::currentMSecsSinceEpoch();
        dlg.ShowSplash();
        const qint64 after = QDateTime::currentMSecsSinceEpoch();
        QVERIFY(dlg.Splash() != nullptr);
        QVERIFY(dlg.Splash()->isVisible());
        QVERIFY(dlg.Splash()->Status().isVisible());
        QCOMPARE(dlg.Splash()->Status().text(), QString("Loading..."));
        QVERIFY(!dlg.Splash()->ShowOnBootup().isVisible());
        // 2500 ms cut down to whole seconds.
        QVERIFY(dlg.SplashEndTime() >= before + 2000 && dlg.SplashEndTime() <= after + 2000);
        dlg.EndSplash();
        QVERIFY(QDateTime::currentMSecsSinceEpoch() >= dlg.SplashEndTime());
        QVERIFY(dlg.Splash() == nullptr);
    }

    void aboutBoxCheckBoxWritesTheSettingHoweverItCloses() {
        test::TAppTestEnv env;
        WriteSplashScreen(*OpenProgramSettings(), true);
        TAboutBoxDlg dlg;
        dlg.ProductName = "Chilled water coils";
        dlg.Version = "0.1.0.0";
        dlg.Description = "Chilled Water Coil";
        bool seen = false;
        QTimer::singleShot(0, [&] {
            TAboutBox* box = dlg.Box();
            QVERIFY(box);
            seen = true;
            QCOMPARE(box->windowTitle(), QString("About Chilled water coils"));
            QCOMPARE(box->findChild<QLabel*>("Version")->text(), QString("Version 0.1.0.0"));
            QCOMPARE(box->findChild<QLabel*>("Comments")->text(), QString("Chilled Water Coil"));
            QVERIFY(box->ShowOnBootup().isChecked());
            QVERIFY(!box->Status().isVisible());
            box->ShowOnBootup().setChecked(false);
            box->close();  // the window's close button, not OK
        });
        dlg.Execute(nullptr);
        QVERIFY(seen);
        QVERIFY(!ReadSplashScreen(*OpenProgramSettings()));
        QVERIFY(dlg.Box() == nullptr);

        // An empty product name shows the application title.
        dlg.ProductName.clear();
        QTimer::singleShot(0, [&] {
            QCOMPARE(dlg.Box()->windowTitle(), "About " + QApplication::applicationName());
            dlg.Box()->ShowOnBootup().setChecked(true);
            dlg.Box()->accept();
        });
        dlg.Execute(nullptr);
        QVERIFY(ReadSplashScreen(*OpenProgramSettings()));
    }
};

QTEST_MAIN(AboutBoxTest)
#include "about_box_test.moc"

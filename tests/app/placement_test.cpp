// Window placement in the settings stores and its on-screen corrections.
#include <QtTest>
#include <QWidget>

#include "app/platform/placement.hpp"
#include "documents/ini_file.hpp"
#include "documents/settings_stores.hpp"
#include "support/app_test_env.hpp"

using namespace qdx;
using namespace qdx::app;

class PlacementTest : public QObject {
    Q_OBJECT
private slots:
    void restoredPositionsComeBackOnScreen() {
        const QSize screen(1280, 1024);
        const struct {
            QPoint saved, restored;
        } cases[] = {
            {{1900, 300}, {1080, 300}},  // past the right edge: 200 from it
            {{-50, 40}, {0, 40}},
            {{30, -8}, {30, 0}},
            {{100, 990}, {100, 824}},  // within 100 of the bottom
            {{1180, 924}, {1180, 924}},  // exactly 100 from both edges stays
            {{1181, 925}, {1080, 824}},
        };
        for (const auto& c : cases) QCOMPARE(OnScreenPosition(c.saved, screen), c.restored);
    }

    void programSettingsRoundTripEveryKey() {
        test::TAppTestEnv env;
        QWidget w;
        w.setObjectName("SomeForm");
        w.move(120, 80);
        w.resize(333, 222);
        w.show();
        SavePlacement(w);
        {
            const auto store = OpenProgramSettings();
            QCOMPARE(store->ReadSection("SomeForm"),
                     (std::vector<std::string>{"Left", "Top", "Width", "Height", "Visible",
                                               "WinState"}));
            QCOMPARE(store->ReadInteger("SomeForm", "Width", 0), 333);
            QVERIFY(store->ReadBool("SomeForm", "Visible", false));
            QCOMPARE(store->ReadInteger("SomeForm", "WinState", -1), 0);
        }
        QWidget again;
        again.setObjectName("SomeForm");
        RestorePlacement(again, true, true);
        QCOMPARE(again.pos(), QPoint(120, 80));
        QCOMPARE(again.size(), QSize(333, 222));
        QVERIFY(again.isVisible());

        // Without size the window keeps its own; a window never saved keeps everything.
        QWidget other;
        other.setObjectName("SomeForm");
        other.resize(400, 300);
        RestorePlacement(other, false, false);
        QCOMPARE(other.size(), QSize(400, 300));
        QCOMPARE(other.pos(), QPoint(120, 80));
        QVERIFY(!other.isVisible());
        QWidget fresh;
        fresh.setObjectName("NeverSaved");
        fresh.move(10, 20);
        fresh.resize(150, 160);
        RestorePlacement(fresh, true, true);
        QCOMPARE(fresh.pos(), QPoint(10, 20));
        QCOMPARE(fresh.size(), QSize(150, 160));
    }

    void aMaximisedWindowKeepsItsNormalPlacement() {
        test::TAppTestEnv env;
        QWidget w;
        w.setObjectName("BigForm");
        w.move(50, 60);
        w.resize(300, 200);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.showMaximized();
        QTRY_VERIFY(w.isMaximized());
        SavePlacement(w);
        const auto store = OpenProgramSettings();
        QCOMPARE(store->ReadInteger("BigForm", "WinState", -1), 2);
        QCOMPARE(store->ReadInteger("BigForm", "Width", 0), 300);
    }

    void commonAndIniStoresHoldTheirOwnKeys() {
        test::TAppTestEnv env;
        QWidget w;
        w.setObjectName("ToolForm");
        w.move(70, 90);
        w.resize(210, 230);
        SaveCommonPlacement(w);
        {
            const auto common = OpenCommonSettings();
            QCOMPARE(common->ReadSection("ToolForm"),
                     (std::vector<std::string>{"Left", "Top", "Width", "Height", "WinState"}));
        }
        QWidget again;
        again.setObjectName("ToolForm");
        RestoreCommonPlacement(again);
        QCOMPARE(again.pos(), QPoint(70, 90));
        QCOMPARE(again.size(), QSize(210, 230));

        // The program INI file: position and size only.
        TPowerIniFile ini(env.Root().toStdString() + "/program.ini");
        w.move(-30, 5000);
        SavePlacementTo(ini, w, {true, false, false});
        QCOMPARE(ini.ReadSection("ToolForm"),
                 (std::vector<std::string>{"Left", "Top", "Width", "Height"}));
        QWidget third;
        third.setObjectName("ToolForm");
        RestorePlacementFrom(ini, third, {true, false, false});
        const QSize screen = third.screen()->geometry().size();
        QCOMPARE(third.pos(), QPoint(0, screen.height() - 200));
    }
};

QTEST_MAIN(PlacementTest)
#include "placement_test.moc"

// The pressure calculator: pressure and altitude following each other, the status texts, Accept
// committing the edit being typed in, a pressure from a chosen place, PlaceAt near the corner
// of the screen and the settings of the common section "Barometer".
#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "app/widgets/fmt_edit.hpp"
#include "app/widgets/fmt_edit_label.hpp"
#include "app/windows/alt_barom_form.hpp"
#include "app/windows/select_location_form.hpp"
#include "documents/settings_stores.hpp"
#include "fluids/psychrometrics.hpp"
#include "support/app_test_env.hpp"
#include "support/location_fixture.hpp"

using namespace qdx;
using namespace qdx::app;

namespace {

void TypeInto(TFmtEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

}  // namespace

class AltBaromFormTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        env_ = std::make_unique<test::TAppTestEnv>();
        test::WriteTestLocations(env_->CommonDir());
    }
    void cleanup() { env_.reset(); }

    void pressureAndAltitudeFollowEachOther() {
        TAltBaromForm form;
        QCOMPARE(form.windowTitle(), QString("Barometer"));
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(form.StatusPanel()->text(), QString("Ready..."));
        form.EnterAltitude(1000);
        QCOMPARE(form.CalcPressure(), AtmPressure(1000));
        QCOMPARE(form.PressureEdit()->text(), QString("89.875"));
        QCOMPARE(form.AltitudeEdit()->text(), QString("1000.0"));
        form.EnterPressure(101.325);
        QVERIFY(qAbs(form.CalcAltitude()) < 0.05);
        QCOMPARE(form.PressureUnits()->text(), QString("kPa"));
        QCOMPARE(form.AltitudeUnits()->text(), QString("m"));

        // Leaving a changed edit moves the other value; leaving an unchanged one does nothing.
        TypeInto(form.AltitudeEdit(), "500");
        QTest::keyClick(form.AltitudeEdit(), Qt::Key_Return);  // Enter moves to the next control
        QVERIFY(!form.AltitudeEdit()->hasFocus());
        QCOMPARE(form.StatusPanel()->text(), QString("Altitude modified by user"));
        QCOMPARE(form.PressureEdit()->text(), QString::number(AtmPressure(500), 'f', 3));
        form.PressureEdit()->setFocus();
        form.AltitudeEdit()->setFocus();
        QCOMPARE(form.StatusPanel()->text(), QString("Altitude modified by user"));
        TypeInto(form.PressureEdit(), "95");
        form.AltitudeEdit()->setFocus();
        QCOMPARE(form.StatusPanel()->text(), QString("Pressure modified by user"));
        QCOMPARE(form.AltitudeEdit()->text(), QString::number(Altitude(95), 'f', 1));

        // Out of range: snapped to the range with a beep.
        TypeInto(form.PressureEdit(), "150");
        form.AltitudeEdit()->setFocus();
        QCOMPARE(env_->Dialogs().beeps, 1);
        QCOMPARE(form.CalcPressure(), 120.0);
    }

    void acceptCommitsTheEditBeingTypedIn() {
        TAltBaromForm form;
        form.show();
        QTimer::singleShot(0, [&] {
            TypeInto(form.AltitudeEdit(), "2000");
            form.findChild<QAction*>("AcceptAction")->trigger();
        });
        QCOMPARE(form.exec(), 1);
        QCOMPARE(form.CalcAltitude(), 2000.0);
        QCOMPARE(form.CalcPressure(), 79.495);  // the pressure as the edit shows it

        TAltBaromForm again;  // the values come back from the settings
        QCOMPARE(again.AltitudeEdit()->text(), QString("2000.0"));
        QTimer::singleShot(0, [&] { again.findChild<QAction*>("CancelAction")->trigger(); });
        QCOMPARE(again.exec(), 2);
    }

    void aPlaceGivesItsAltitudeAndPressure() {
        TAltBaromForm form;
        form.show();
        QVERIFY(form.LocationForm());
        QTimer::singleShot(0, [&] {
            TSelectLocationForm* where = form.LocationForm();
            const QList<QListWidgetItem*> hits = where->PlaceList()->findItems("York", Qt::MatchExactly);
            QCOMPARE(hits.size(), 1);
            where->PlaceList()->setCurrentItem(hits.front());
            where->findChild<QAction*>("AcceptAction")->trigger();
        });
        form.SearchButton()->click();
        QCOMPARE(form.LastLocation(), QString("York, England"));
        QCOMPARE(form.CalcAltitude(), 17.0);
        QCOMPARE(form.CalcPressure(), AtmPressure(17));
        QCOMPARE(form.StatusPanel()->text(), QString("York: 26.0/18.0 °C"));
        form.done(1);
        auto settings = OpenCommonSettings();
        QCOMPARE(settings->ReadString("Barometer", "LastLocation", ""), std::string("York, England"));
        QCOMPARE(settings->ReadFloat("Barometer", "Altitude", 0), 17.0);

        // Cancelled, the search changes nothing; the window opens on the last place.
        TAltBaromForm again;
        again.show();
        QString opened;
        QTimer::singleShot(0, [&] {
            opened = again.LocationForm()->PlaceList()->currentItem()->text();
            again.LocationForm()->findChild<QAction*>("CancelAction")->trigger();
        });
        again.SearchButton()->click();
        QCOMPARE(opened, QString("York"));
        QCOMPARE(again.StatusPanel()->text(), QString("Ready..."));
    }

    void placeAtKeepsTheWindowOnTheScreen() {
        TAltBaromForm form;
        form.show();
        const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
        form.PlaceAt(screen.width() - 10, screen.height() - 10);
        const QRect frame = form.frameGeometry();
        QCOMPARE(frame.right() + 1, screen.width());
        QCOMPARE(frame.bottom() + 1, screen.height());
        form.PlaceAt(20, 30);
        QCOMPARE(form.frameGeometry().topLeft(), QPoint(20, 30));
    }

    void unitsAreKeptInTheCommonSettings() {
        {
            TAltBaromForm form;
            form.PressureEdit()->SetUnitsValue(2);  // Bar
            form.AltitudeEdit()->SetUnitsValue(1);  // ft
            form.EnterAltitude(304.8);
            form.done(2);
        }
        auto settings = OpenCommonSettings();
        QCOMPARE(settings->ReadInteger("Barometer", "Pressure units", 0), 2);
        QCOMPARE(settings->ReadInteger("Barometer", "Altitude units", 0), 1);
        TAltBaromForm again;
        QCOMPARE(again.AltitudeUnits()->text(), QString("ft"));
        QCOMPARE(again.AltitudeEdit()->text(), QString("1000.0"));
        QCOMPARE(again.PressureUnits()->text(), QString("Bar"));
    }

private:
    std::unique_ptr<test::TAppTestEnv> env_;
};

QTEST_MAIN(AltBaromFormTest)
#include "alt_barom_form_test.moc"

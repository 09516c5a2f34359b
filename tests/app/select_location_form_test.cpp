// The location window over a small database in the common folder: the lists, the ten rows of a
// place with their hemisphere letters, the region name of LocationText, the status panels, a
// missing database file and the settings kept at close.
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTableWidget>
#include <QtTest>

#include "app/windows/select_location_form.hpp"
#include "documents/settings_stores.hpp"
#include "support/app_test_env.hpp"
#include "support/location_fixture.hpp"

using namespace qdx;
using namespace qdx::app;

namespace {

QStringList Items(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    return items;
}

QStringList Items(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
    return items;
}

QString Cell(const QTableWidget* grid, int row, int col) { return grid->item(row, col)->text(); }

}  // namespace

class SelectLocationFormTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        env_ = std::make_unique<test::TAppTestEnv>();
        test::WriteTestLocations(env_->CommonDir());
    }
    void cleanup() { env_.reset(); }

    void regionCodeZeroListsEveryPlaceOfTheFile() {
        TSelectLocationForm form;
        form.show();
        QCOMPARE(Items(form.DatabaseList()), (QStringList{"+All", "Missing", "Northern", "Southern"}));
        QCOMPARE(form.DatabaseList()->currentText(), QString("+All"));
        QCOMPARE(form.RegionList()->currentText(), QString("+All"));
        QCOMPARE(Items(form.PlaceList()), (QStringList{"Cape Point", "Drifting Buoy", "Greenwich",
                                                       "Lost Island", "Sydney Test", "York"}));
        // The first place is shown: every row, with its hemisphere letters.
        QCOMPARE(form.PlaceList()->currentItem()->text(), QString("Cape Point"));
        QCOMPARE(Cell(form.Grid(), 0, 0), QString("Latitude"));
        QCOMPARE(Cell(form.Grid(), 0, 1), QString("33.93S"));
        QCOMPARE(Cell(form.Grid(), 1, 1), QString("18.42E"));
        QCOMPARE(Cell(form.Grid(), 2, 1), QString("2E"));
        QCOMPARE(Cell(form.Grid(), 3, 1), QString("44 m"));
        QCOMPARE(Cell(form.Grid(), 4, 0), QString("Cooling"));
        QCOMPARE(Cell(form.Grid(), 4, 1), QString("30.0/20.0 °C"));
        QCOMPARE(Cell(form.Grid(), 6, 0), QString("Wind Speed"));
        QCOMPARE(Cell(form.Grid(), 9, 0), QString("DB Range"));
        QCOMPARE(Cell(form.Grid(), 9, 1), QString("10.0 °C"));
        QCOMPARE(form.LocationText(), QString("Cape Point, Cape"));
        QCOMPARE(form.StatusPanel(0)->text(), QString("Record 3 of 6"));
        QCOMPARE(form.StatusPanel(1)->text(), QString("Cape Point, Cape"));

        form.PlaceList()->setCurrentRow(2);  // Greenwich, on the prime meridian
        QCOMPARE(Cell(form.Grid(), 0, 1), QString("51.48N"));
        QCOMPARE(Cell(form.Grid(), 1, 1), QString("0.00E"));
        QCOMPARE(form.LocationText(), QString("Greenwich, England"));
    }

    void aPlaceWithoutRegionShowsItsDatabaseName() {
        TSelectLocationForm form;
        form.Browser().Database = "Southern";
        form.show();
        QCOMPARE(Items(form.RegionList()), (QStringList{"+All", "Cape", "New South Wales"}));
        QCOMPARE(Items(form.PlaceList()), (QStringList{"Cape Point", "Drifting Buoy", "Sydney Test"}));
        form.PlaceList()->setCurrentRow(1);
        QCOMPARE(form.LocationText(), QString("Drifting Buoy, Southern"));
        form.RegionList()->setCurrentIndex(2);
        QCOMPARE(Items(form.PlaceList()), (QStringList{"Sydney Test"}));
        QCOMPARE(form.LocationText(), QString("Sydney Test, New South Wales"));
    }

    void aMissingDatabaseFileLeavesTheLists() {
        TSelectLocationForm form;
        form.Browser().Database = "Northern";
        form.show();
        const QStringList regions = Items(form.RegionList()), places = Items(form.PlaceList());
        form.DatabaseList()->setCurrentIndex(1);  // Missing
        QCOMPARE(env_->Dialogs().LastMessage(),
                 QString("The Missing Database has not been installed...\r\n"
                         "Please install the Calorix Geoplace Database."));
        QCOMPARE(Items(form.RegionList()), regions);
        QCOMPARE(Items(form.PlaceList()), places);
        QCOMPARE(form.LocationText(), QString("Greenwich, England"));
    }

    void doubleClickAcceptsAndTheChoiceIsKept() {
        {
            TSelectLocationForm form;
            form.SelectLocation("York, England");
            form.Browser().Database = "Northern";
            form.show();
            QCOMPARE(form.PlaceList()->currentItem()->text(), QString("York"));
            QListWidgetItem* item = form.PlaceList()->item(1);
            const QRect r = form.PlaceList()->visualItemRect(item);
            QTest::mouseClick(form.PlaceList()->viewport(), Qt::LeftButton, {}, r.center());
            QTest::mouseDClick(form.PlaceList()->viewport(), Qt::LeftButton, {}, r.center());
            QCOMPARE(form.result(), 1);
            QCOMPARE(form.Current().Altitude, 17.0f);
        }
        auto settings = OpenProgramSettings();
        QCOMPARE(settings->ReadString("SelectLocationForm", "Database", ""), std::string("Northern"));
        QCOMPARE(settings->ReadString("SelectLocationForm", "Region", ""), std::string("England"));
        QCOMPARE(settings->ReadString("SelectLocationForm", "Place", ""), std::string("York"));

        TSelectLocationForm again;
        again.show();
        QCOMPARE(again.DatabaseList()->currentText(), QString("Northern"));
        QCOMPARE(again.PlaceList()->currentItem()->text(), QString("York"));
    }

private:
    std::unique_ptr<test::TAppTestEnv> env_;
};

QTEST_MAIN(SelectLocationFormTest)
#include "select_location_form_test.moc"

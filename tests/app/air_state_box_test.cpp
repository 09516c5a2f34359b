// The moist air state window over its component: what the grid shows, the two inputs in the
// hot-light colour, entering values through the grid, the toolbar commands and their messages,
// leaving the window with an error, and the layout kept in the common settings.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include "app/widgets/entry_grid.hpp"
#include "app/windows/air_state_box.hpp"
#include "app/windows/air_state_dlg.hpp"
#include "documents/settings_stores.hpp"
#include "support/app_test_env.hpp"
#include "support/grid_input.hpp"
#include "units/unit_prefs.hpp"

using namespace qdx;
using namespace qdx::app;

namespace {

enum { rName = 1, rPressure, rDryBulb, rWetBulb, rEnthalpy, rHumidity, rRelHumidity, rDewPoint };

void Enter(TEntryGrid* grid, int row, const QString& text) { test::EnterCell(*grid, row, text); }

bool HotLight(TEntryGrid* grid, int row) {
    const QVariant c = grid->model()->data(grid->model()->index(row - 1, 1), Qt::ForegroundRole);
    return c.isValid() && c.value<QColor>() == grid->palette().color(QPalette::Link);
}

}  // namespace

class AirStateBoxTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        env_ = std::make_unique<test::TAppTestEnv>();
        UnitPrefs().Reset();
        dlg_ = std::make_unique<TAirStateDlg>("OnCoilDlg");
        dlg_->SetItemName("On Coil");
        dlg_->SetModal(false);
        dlg_->SetFormLeft(10);
        dlg_->SetFormTop(10);
        dlg_->Execute();
        box_ = dlg_->Box();
        QVERIFY(box_);
        grid_ = box_->Grid();
    }
    void cleanup() {
        dlg_.reset();
        env_.reset();
    }

    void showsThePointWithItsTwoInputsHighlighted() {
        QCOMPARE(box_->windowTitle(), QString("Moist Air State"));
        QCOMPARE(grid_->DisplayText(1, rName), QString("On Coil"));
        QCOMPARE(grid_->DisplayText(1, rPressure), QString("101.325"));
        QCOMPARE(grid_->DisplayText(1, rDryBulb), QString("25.0"));
        QCOMPARE(grid_->DisplayText(1, rWetBulb), QString("17.0"));
        QCOMPARE(grid_->Cells(2, rHumidity), QString("g/kg"));
        QCOMPARE(grid_->Cells(2, rRelHumidity), QString("%"));
        QCOMPARE(box_->StatusPanel()->text(), QString("Ready..."));
        QVERIFY(HotLight(grid_, rDryBulb));
        QVERIFY(HotLight(grid_, rWetBulb));
        QVERIFY(!HotLight(grid_, rEnthalpy));
        QVERIFY(!box_->Action("CancelAction")->isVisible());  // not modal
    }

    void relativeHumidityAfterDryBulbIsPairThree() {
        QSignalSpy edited(dlg_.get(), &TAirStateDlg::EditAirconItem);
        Enter(grid_, rRelHumidity, "60");
        QCOMPARE(box_->Editor().Combin.PairCode(), 3);
        QCOMPARE(grid_->DisplayText(1, rDryBulb), QString("25.0"));
        QCOMPARE(grid_->DisplayText(1, rRelHumidity), QString("60.0"));
        QCOMPARE(dlg_->Point().State.db, 25.0);
        QVERIFY(qAbs(dlg_->Point().State.rh - 0.6) < 1e-9);
        QVERIFY(HotLight(grid_, rDryBulb));
        QVERIFY(HotLight(grid_, rRelHumidity));
        QVERIFY(!HotLight(grid_, rWetBulb));
        QCOMPARE(edited.count(), 1);
    }

    void enthalpyThenAbsoluteHumidityIsPairFifteen() {
        Enter(grid_, rEnthalpy, "55");
        Enter(grid_, rHumidity, "10");
        QCOMPARE(box_->Editor().Combin.PairCode(), 15);
        QCOMPARE(grid_->DisplayText(1, rEnthalpy), QString("55.0"));
        QCOMPARE(grid_->DisplayText(1, rHumidity), QString("10.00"));
        QVERIFY(qAbs(dlg_->Point().State.wa - 0.010) < 1e-12);
        QVERIFY(HotLight(grid_, rEnthalpy));
        QVERIFY(HotLight(grid_, rHumidity));
        QVERIFY(!HotLight(grid_, rDryBulb));
    }

    void anErrorBlocksSavingAndGivesWayWhenTheWindowIsLeft() {
        const QString path = env_->Root() + "/bad.psx";
        Enter(grid_, rWetBulb, "30");
        QCOMPARE(box_->StatusPanel()->text(), QString("Wet Bulb > Dry Bulb °C..."));
        env_->Dialogs().fileAnswers.push_back(path);
        box_->Action("SaveAction")->trigger();
        QCOMPARE(box_->StatusPanel()->text(), QString("Can\"t save invalid data..."));
        QVERIFY(env_->Dialogs().fileCaptions.isEmpty());  // no file dialog at all
        QVERIFY(!QFile::exists(path));

        box_->DeactivateBox();
        QCOMPARE(box_->StatusPanel()->text(), QString("Ready..."));
        QCOMPARE(grid_->DisplayText(1, rWetBulb), QString("17.0"));
    }

    void psxFilesHoldTheStateExactly() {
        const QString path = env_->Root() + "/state.psx";
        env_->Dialogs().fileAnswers.push_back(env_->Root() + "/state");  // extension added
        box_->Action("SaveAction")->trigger();
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        const auto expected = PsxBytes(dlg_->Point().State);
        QCOMPARE(bytes, QByteArray(reinterpret_cast<const char*>(expected.data()), 120));
        QCOMPARE(bytes.left(24).toHex(), QByteArray("cdcccccccc5459400000000000003940000000000000" "3140"));

        Enter(grid_, rDryBulb, "30");
        env_->Dialogs().fileAnswers.push_back(path);
        box_->Action("OpenAction")->trigger();
        QCOMPARE(grid_->DisplayText(1, rDryBulb), QString("25.0"));
        QCOMPARE(env_->Dialogs().fileFilters.last(), QString("Moist Air State (*.psx)"));
    }

    void aShortPsxFileIsAReadErrorAndKeepsTheState() {
        const QString path = env_->Root() + "/short.psx";
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(119, '\1'));
        f.close();
        env_->Dialogs().fileAnswers.push_back(path);
        box_->Action("OpenAction")->trigger();
        QCOMPARE(env_->Dialogs().LastMessage(), "Error reading file " + path);
        QCOMPARE(grid_->DisplayText(1, rDryBulb), QString("25.0"));
        QCOMPARE(dlg_->Point().State.wb, 17.0);
    }

    void clipboardTexts() {
        box_->Action("CopyAction")->trigger();
        QCOMPARE(env_->Dialogs().clipboardText, QString("25.000/17.000"));

        env_->Dialogs().clipboardText = "28/19.5";
        box_->Action("PasteAction")->trigger();
        QCOMPARE(grid_->DisplayText(1, rDryBulb), QString("28.0"));
        QCOMPARE(grid_->DisplayText(1, rWetBulb), QString("19.5"));
        QCOMPARE(box_->Editor().Combin.Inputs().substr(0, 2), std::string("bt"));

        box_->Action("ViewAction")->trigger();
        const QStringList lines = env_->Dialogs().clipboardText.split("\r\n");
        QCOMPARE(lines.size(), 14);  // 13 rows, each ended by CR LF
        QCOMPARE(lines[0], QString("Property,Value,Units"));
        QCOMPARE(lines[1], QString("Name,\"On Coil\","));
        QCOMPARE(lines[3], QString("\"Dry Bulb\",28.0,°C"));
    }

    void copyToXmlIsExact() {
        box_->Action("CopyToXmlAction")->trigger();
        QCOMPARE(env_->Dialogs().clipboardText, QString(kFirstRunXml));
    }

    void acceptNeedsAGoodState() {
        dlg_.reset();
        TAirStateDlg dlg("OnCoilDlg");
        dlg.SetCaption("On Coil Air");
        dlg.SetModal(true);
        dlg.SetEditPressure(false);
        dlg.SetPressure(95);
        dlg.SetTemperature("24/17");
        bool cancelShown = false, pressureEditable = true;
        QTimer::singleShot(0, [&] {
            TAirStateBox* box = dlg.Box();
            cancelShown = box->Action("CancelAction")->isVisible();
            pressureEditable = box->Grid()->Field(rPressure)->Editable;
            Enter(box->Grid(), rDryBulb, "26");
            box->Action("AcceptAction")->trigger();
        });
        QCOMPARE(dlg.Execute(), 1);
        QVERIFY(cancelShown);
        QVERIFY(!pressureEditable);
        QCOMPARE(dlg.Temperature(), QString("26.0/17.0"));
        QCOMPARE(dlg.Pressure(), 95.0);

        QTimer::singleShot(0, [&] {
            Enter(dlg.Box()->Grid(), rWetBulb, "40");
            dlg.Box()->Action("AcceptAction")->trigger();
        });
        QCOMPARE(dlg.Execute(), 2);
        QCOMPARE(dlg.Temperature(), QString("26.0/17.0"));  // the last accepted state came back
    }

    void layoutIsKeptInTheCommonSettings() {
        dlg_.reset();
        {
            TAirStateDlg dlg("OnCoilDlg");
            dlg.SetDummy(true);
            dlg.SetModal(false);
            dlg.SetFormLeft(40);
            dlg.SetFormTop(50);
            dlg.Execute();
            TAirStateBox* box = dlg.Box();
            box->resize(260, 320);
            box->Grid()->SetColWidths(0, 95);
            box->Grid()->SetRowUnitsValue(rDryBulb, 1);
            box->close();
        }
        auto store = OpenCommonSettings();
        QCOMPARE(store->ReadInteger("OnCoilDlg", "FormWidth", 0), 260);
        QCOMPARE(store->ReadInteger("OnCoilDlg", "ColWidths0", 0), 95);
        QCOMPARE(store->ReadInteger("OnCoilDlg", "Row3", 0), 1);
        QCOMPARE(store->ReadInteger("OnCoilDlg", "Row6", 0), 1);

        TAirStateDlg again("OnCoilDlg");
        again.SetDummy(true);
        again.SetModal(false);
        again.Execute();
        QCOMPARE(again.Box()->width(), 260);
        QCOMPARE(again.Box()->Grid()->Cells(2, rDryBulb), QString("°F"));
        QCOMPARE(again.Box()->Grid()->DisplayText(1, rDryBulb), QString("77.0"));
    }

private:
    // 25/17 °C at 101.325 kPa in the first-run units.
    static constexpr const char* kFirstRunXml =
        "<?xml version=\"1.0.0.0\" ?>\r\n"
        "<?xml-stylesheet type=\"text/xsl\" href=\"airstate.xsl\"?>\r\n"
        "<airstate>\r\n"
        "  <properties name=\"On Coil\">\r\n"
        "    <item code=\"pa\" caption=\"Pressure\" units=\"kPa\">101.325</item>\r\n"
        "    <item code=\"db\" caption=\"Dry Bulb\" units=\"°C\">25.0</item>\r\n"
        "    <item code=\"wb\" caption=\"Wet Bulb\" units=\"°C\">17.0</item>\r\n"
        "    <item code=\"ha\" caption=\"Enthalpy\" units=\"kJ/kg\">47.6</item>\r\n"
        "    <item code=\"wa\" caption=\"Abs Humidity\" units=\"g/kg\">8.80</item>\r\n"
        "    <item code=\"rh\" caption=\"Rel Humidity\" units=\"%\">44.6</item>\r\n"
        "    <item code=\"td\" caption=\"Dew Point\" units=\"°C\">12.1</item>\r\n"
        "    <item code=\"pv\" caption=\"Vap Pressure\" units=\"kPa\">1.414</item>\r\n"
        "    <item code=\"ps\" caption=\"Sat Pressure\" units=\"kPa\">3.169</item>\r\n"
        "    <item code=\"ro\" caption=\"Density\" units=\"kg/m³\">1.1777</item>\r\n"
        "    <item code=\"cp\" caption=\"Specific Heat\" units=\"kJ/kg·K\">1.022</item>\r\n"
        "  </properties>\r\n"
        "</airstate>\r\n";
    std::unique_ptr<test::TAppTestEnv> env_;
    std::unique_ptr<TAirStateDlg> dlg_;
    TAirStateBox* box_ = nullptr;
    TEntryGrid* grid_ = nullptr;
};

QTEST_MAIN(AirStateBoxTest)
#include "air_state_box_test.moc"

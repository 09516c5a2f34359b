// The design settings window: defaults from the coil, the limits of each field, Restore
// Defaults, and the settings written and applied when it closes.
#include <QtTest>

#include <QCheckBox>
#include <QTabWidget>

#include <memory>

#include "app/widgets/fmt_edit.hpp"
#include "app/widgets/form_fields.hpp"
#include "app/windows/coil_settings_form.hpp"
#include "documents/settings_stores.hpp"
#include "engine/coil_project.hpp"
#include "fluids/air_state_text.hpp"
#include "geometry/coil_makers.hpp"
#include "support/app_test_env.hpp"
#include "units/unit_prefs.hpp"

using namespace qdx;
using namespace qdx::app;
using qdx::test::TAppTestEnv;

class CoilSettingsFormTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TAppTestEnv> env;
    std::unique_ptr<TCoilProject> project;

    static void Type(TFmtEdit* e, const QString& text) {
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, text);
        QTest::keyClick(e, Qt::Key_Return);  // moves on, leaving the field
    }

private slots:
    void init() {
        env = std::make_unique<TAppTestEnv>();
        UnitPrefs().Reset();
        ClearMakerCache();
        EnsureCatalogue();
        project = std::make_unique<TCoilProject>();
        project->CreateCoil(TCoilSettings{});
    }
    void cleanup() {
        project.reset();
        env.reset();
    }

    void opensWithTheCoilsDefaultsAndAppliesThem() {
        TCoilSettingsForm form;
        QCOMPARE(form.windowTitle(), QString("Design Settings"));
        QCOMPARE(form.Pages()->count(), 4);
        QCOMPARE(form.Pages()->tabText(0), QString("Auto Size"));
        QCOMPARE(form.Pages()->tabText(3), QString("Factors"));
        form.LoadForCoil(&project->Coil());
        QCOMPARE(form.AspectEdit()->text(), QString("1.4"));
        QCOMPARE(form.VfEdit()->text(), QString("2.50"));
        QCOMPARE(form.AirOnEdit()->text(), QString("25.0/17.0"));
        QCOMPARE(form.FluidInEdit()->text(), QString("6.0"));
        QCOMPARE(form.RowsEdit()->text(), QString("4.0"));
        QCOMPARE(form.FinsEdit()->text(), QString("10.0000"));
        QVERIFY(form.FoulingBox()->isChecked());
        // The coil's own aspect ratio (1.5) gives way to the setting.
        QCOMPARE(project->Coil().AspectRatio, 1.4);
        QCOMPARE(project->Coil().SizingFins, 10);
    }

    void leavingAFieldLimitsIt() {
        TCoilSettingsForm form;
        form.LoadForCoil(&project->Coil());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        struct Case {
            TFmtEdit* edit;
            const char* typed;
            const char* shown;
        };
        form.Pages()->setCurrentIndex(0);
        for (const Case& k : {Case{form.AspectEdit(), "7", "5.0"}, Case{form.AspectEdit(), "0.2", "0.5"},
                              Case{form.VfEdit(), "0.5", "1.00"}, Case{form.VfEdit(), "2.75", "2.75"}}) {
            Type(k.edit, k.typed);
            QCOMPARE(k.edit->text(), QString(k.shown));
        }
        form.Pages()->setCurrentIndex(1);
        for (const Case& k : {Case{form.RowsEdit(), "9", "6.0"}, Case{form.RowsEdit(), "3.4", "3.0"},
                              Case{form.FinsEdit(), "7", "8.0000"}, Case{form.FinsEdit(), "10.6", "11.0000"},
                              Case{form.FluidInEdit(), "-70", "-60.0"}, Case{form.FluidInEdit(), "300", "250.0"}}) {
            Type(k.edit, k.typed);
            QCOMPARE(k.edit->text(), QString(k.shown));
        }
        // A dry bulb alone gets 45 % relative humidity at the coil's pressure.
        Type(form.AirOnEdit(), "26");
        QCOMPARE(form.AirOnEdit()->text(),
                 QString::fromStdString(NormaliseAirText("26", project->Coil().MeanPressure())));
        QVERIFY(form.AirOnEdit()->text().startsWith("26.0/"));
    }

    void closingWritesAndAppliesAndRestoreDefaultsPutsTheCoilsBack() {
        {
            TCoilSettingsForm form;
            form.LoadForCoil(&project->Coil());
            form.AspectEdit()->SetValue(2.0);
            form.RowsEdit()->SetValue(6.0);
            form.FinsEdit()->SetValue(12.0);
            form.AirOnEdit()->SetValue(QString("30/20"));
            form.FoulingBox()->setChecked(false);
            form.show();
            QVERIFY(form.close());
        }
        QCOMPARE(project->Coil().AspectRatio, 2.0);
        QCOMPARE(project->Coil().SizingRows, 6.0);
        QCOMPARE(project->Coil().SizingFins, 12);
        QVERIFY(!project->Coil().UseFouling);
        {
            auto store = OpenProgramSettings();
            QCOMPARE(store->ReadFloat("CoilSettingsForm", "DesignAspect", 0), 2.0);
            QCOMPARE(QString::fromStdString(store->ReadString("CoilSettingsForm", "DesignAirOn", "")),
                     QString("30.0/20.0"));
            QVERIFY(!store->ReadBool("CoilSettingsForm", "UseFouling", true));
        }

        TCoilSettingsForm again;
        again.LoadForCoil(&project->Coil());
        QCOMPARE(again.AspectEdit()->text(), QString("2.0"));
        QVERIFY(!again.FoulingBox()->isChecked());
        project->Coil().UseFouling = true;
        QTest::mouseClick(again.RestoreDefaultsLabel(), Qt::LeftButton);
        QCOMPARE(again.AspectEdit()->text(), QString("1.4"));
        QCOMPARE(again.RowsEdit()->text(), QString("4.0"));
        QCOMPARE(again.AirOnEdit()->text(), QString("25.0/17.0"));
        QVERIFY(again.FoulingBox()->isChecked());

        QTest::mouseClick(again.MoreInformationLabel(), Qt::LeftButton);
        QCOMPARE(env->Dialogs().urls.size(), 1);
        QVERIFY(env->Dialogs().urls[0].toLocalFile().endsWith("/coils.htm"));
    }
};

QTEST_MAIN(CoilSettingsFormTest)
#include "coil_settings_form_test.moc"

// The fin and tube editor: the fields of the geometry, spins and edits through the window, the
// automatic sizing labels against the command line's sizing, Cancel, the maker and settings
// buttons, the caption, the summary and the circuit picture.
#include <QtTest>

#include <QCheckBox>
#include <QComboBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>

#include <memory>
#include <vector>

#include "app/widgets/fmt_edit.hpp"
#include "app/widgets/form_fields.hpp"
#include "app/widgets/spin_buttons.hpp"
#include "app/windows/coil_maker_form.hpp"
#include "app/windows/coil_settings_form.hpp"
#include "app/windows/fat_form.hpp"
#include "documents/settings_stores.hpp"
#include "engine/coil_project.hpp"
#include "geometry/coil_makers.hpp"
#include "support/app_test_env.hpp"
#include "units/format.hpp"
#include "units/unit_prefs.hpp"

using namespace qdx;
using namespace qdx::app;
using qdx::test::TAppTestEnv;

namespace {

// What the change callback saw each time it was called.
struct TSeen {
    TModelRec record;
    double volume;
    double tubeVelocity;
};

}  // namespace

class FatFormTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TAppTestEnv> env;
    std::unique_ptr<TCoilProject> project;
    std::unique_ptr<TFatForm> form;
    std::vector<TSeen> seen;

    TColdWaterCoil& coil() { return project->Coil(); }

    void Open(const QString& designation = {}) {
        if (!designation.isEmpty()) QVERIFY(project->SetCoilModel(designation.toStdString()));
        project->SolveCoil();
        form = std::make_unique<TFatForm>();
        form->SetCoil(&coil());
        form->SetDesignDuty(project->DesignDuty);
        form->OnChanged = [this] {
            seen.push_back({coil().FinAndTube->Record(), coil().VolumeFlow, coil().LiquidState->vw});
        };
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    void Click(const QString& spin, bool up) {
        TSpinButtons* s = form->Spin(spin);
        QVERIFY2(s, qPrintable(spin));
        QTest::mouseClick(up ? s->UpButton() : s->DownButton(), Qt::LeftButton);
    }

private slots:
    void init() {
        env = std::make_unique<TAppTestEnv>();
        UnitPrefs().Reset();
        ClearMakerCache();
        EnsureCatalogue();
        project = std::make_unique<TCoilProject>();
        project->CreateCoil(TCoilSettings{});
        seen.clear();
    }
    void cleanup() {
        form.reset();
        project.reset();
        env.reset();
    }

    void opensOnTheGeometry() {
        Open();
        QCOMPARE(form->TubeSizeEd()->text(), QString("1/2\""));
        QCOMPARE(form->FinHeightEd()->text(), QString("25.00"));  // inch until chosen otherwise
        QCOMPARE(form->FinnedLengthEd()->text(), QString("720.0"));
        QCOMPARE(form->RowsEd()->text(), QString("4.0"));
        QCOMPARE(form->FinDensityEd()->text(), QString("12.0000"));
        QCOMPARE(form->FinPitchEd()->text(), QString("2.1167"));
        QCOMPARE(form->CircuitsEd()->text(), QString("7.0"));
        QCOMPARE(form->DesignDutyEd()->text(), QString::fromStdString(Format("%0.3f", project->DesignDuty)));
        QCOMPARE(form->FinMaterialCombo()->currentText(), QString("Al"));
        QCOMPARE(form->TubeMaterialCombo()->currentText(), QString("Cu"));
        QCOMPARE(form->CasingMaterialCombo()->currentText(), QString("GI"));
        QCOMPARE(form->SerpLabel()->text(), QString("2/5"));
        QCOMPARE(form->windowTitle(), QString("635 x 720  4r  12f  7c"));
        QVERIFY(seen.empty());  // opening only draws the summary

        TFinTubeEditor probe;
        probe.Coil = &coil();
        QStringList lines;
        for (const std::string& l : probe.SummaryLines()) lines << QString::fromStdString(l);
        QCOMPARE(form->SummaryHtml(), lines.join('\n'));
        QVERIFY(form->HtmlViewer()->toPlainText().contains("Face Area = 0.457"));
    }

    void spinsGoThroughTheEditorAndTellTheCaller() {
        Open("800.1 720 4r 12f 14c");  // 4 rows x 21 tubes high
        Click("Circuits", false);
        QCOMPARE(coil().Circuits(), 12.0);
        QCOMPARE(form->CircuitsEd()->text(), QString("12.0"));
        form->CircuitsEd()->SetValue(14.0);
        Click("Circuits", true);
        QCOMPARE(coil().Circuits(), 21.0);
        Click("Fin Density", true);
        QCOMPARE(coil().FinsPerInch(), 14.0);
        QCOMPARE(form->FinPitchEd()->text(), QString("1.8143"));
        Click("Rows Deep", true);
        QCOMPARE(coil().Rows(), 5.0);
        Click("Fin Pitch", true);
        QCOMPARE(form->FinPitchEd()->text(), QString("2.0000"));
        QCOMPARE(coil().FinsPerInch(), 12.7);
        QCOMPARE(int(seen.size()), 5);
        QCOMPARE(seen.back().record, coil().FinAndTube->Record());
        QVERIFY(form->HtmlViewer()->toPlainText().contains("tubes high"));
    }

    void aTypedValueChangesTheCoilAndPassingThroughDoesNot() {
        Open();
        form->FinHeightEd()->setFocus();
        QTest::keyClick(form->FinHeightEd(), Qt::Key_Down);  // passes through
        QCOMPARE(coil().Circuits(), 7.0);
        QVERIFY(seen.empty());

        TFmtEdit* length = form->FinnedLengthEd();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(length));
        length->selectAll();
        QTest::keyClicks(length, "800");
        QTest::keyClick(length, Qt::Key_Return);
        QCOMPARE(coil().FinnedLength(), 0.8);
        QCOMPARE(int(seen.size()), 1);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(form->RowsEd()));
        // Keep-airflow off: the face velocity stays.
        QVERIFY(qAbs(coil().FaceVelocity - 2.5) < 1e-12);

        // Beyond the range the edit snaps back with a beep, and the coil gets the limit.
        length->setFocus();
        length->selectAll();
        QTest::keyClicks(length, "12000");
        QTest::keyClick(length, Qt::Key_Return);
        QCOMPARE(coil().FinnedLength(), 10.0);
        QCOMPARE(env->Dialogs().beeps, 1);
    }

    void cancelRestoresTheStateAtOpeningExactly() {
        Open();
        const TModelRec record = coil().FinAndTube->Record();
        const double volume = coil().VolumeFlow;
        const double vw = coil().LiquidState->vw;
        Click("Fin Height", true);
        Click("Rows Deep", true);
        form->KeepAirFlowBox()->setChecked(true);
        Click("Finned Length", false);
        form->TubeMaterialCombo()->setCurrentIndex(7);
        emit form->TubeMaterialCombo()->activated(7);
        QTest::mouseClick(form->SizingLabel(skFaceArea), Qt::LeftButton);
        QVERIFY(coil().FinAndTube->Record() != record);
        const size_t before = seen.size();

        QTest::mouseClick(form->findChild<QPushButton*>("CancelButton"), Qt::LeftButton);
        QCOMPARE(form->result(), int(QDialog::Rejected));
        // The caller is told of the restored state as it was at opening, to the last digit.
        QCOMPARE(int(seen.size()), int(before) + 1);
        QVERIFY(seen.back().record == record);
        QCOMPARE(seen.back().volume, volume);
        QCOMPARE(seen.back().tubeVelocity, vw);
        QVERIFY(coil().FinAndTube->Record() == record);
        QCOMPARE(coil().VolumeFlow, volume);
        QCOMPARE(form->FinnedLengthEd()->text(), QString("720.0"));
    }

    void sizingLabelsGiveTheCommandLinesGeometry_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("option");
        QTest::addColumn<bool>("keepAirflow");
        QTest::newRow("face") << int(skFaceArea) << "face" << false;
        QTest::newRow("height") << int(skFinHeight) << "height" << false;
        QTest::newRow("length") << int(skFinnedLength) << "length" << false;
        QTest::newRow("rows") << int(skRows) << "rows" << false;
        QTest::newRow("fins") << int(skFins) << "fins" << false;
        QTest::newRow("rowsfins") << int(skRowsAndFins) << "rowsfins" << false;
        QTest::newRow("face, keeping the airflow") << int(skFaceArea) << "face" << true;
    }
    void sizingLabelsGiveTheCommandLinesGeometry() {
        QFETCH(int, kind);
        QFETCH(QString, option);
        QFETCH(bool, keepAirflow);
        Open();
        form->SetDesignDuty(31.5);
        form->SetKeepAirFlow(keepAirflow);
        const double volume = coil().VolumeFlow;
        QTest::mouseClick(form->SizingLabel(TSizingKind(kind)), Qt::LeftButton);

        QStringList args = {"rate", "--json", "--design-duty", "31.5", "--size", option};
        if (keepAirflow) args << "--size-air-volume" << QString::number(volume, 'g', 17);
        QProcess qdx;
        qdx.start(QDX_TEST_BINARY_DIR "/qdx", args);
        QVERIFY(qdx.waitForFinished(30000));
        const QJsonObject cli = QJsonDocument::fromJson(qdx.readAllStandardOutput()).object();
        QVERIFY2(!cli.isEmpty(), qPrintable(qdx.readAllStandardError()));
        const TFinAndTube& g = *coil().FinAndTube;
        QCOMPARE(QString::fromStdString(g.Designation()), cli["model"].toString());
        auto same = [](double a, double b) { return qAbs(a - b) <= 1e-9 * qMax(1.0, qAbs(b)); };
        QVERIFY(same(g.FinHeight(), cli["fin_height"].toDouble()));
        QVERIFY(same(g.FinnedLength(), cli["finned_length"].toDouble()));
        QCOMPARE(g.Rows(), cli["rows"].toDouble());
        QCOMPARE(g.FinsPerInch(), cli["fpi"].toDouble());
        QCOMPARE(g.Circuits(), cli["circuits"].toDouble());
        QCOMPARE(form->FinnedLengthEd()->text(),
                 QString::fromStdString(Format("%0.1f", g.FinnedLength() * 1000)));
        QCOMPARE(int(seen.size()), 1);
    }

    void makerButtonTakesTheChosenSpecification() {
        Open();
        TCoilMakerForm maker;
        form->SetCoilMaker(&maker);
        form->SetOptions(false, true);
        QTimer::singleShot(0, &maker, [&maker] {
            QTreeWidget* list = maker.CatalogueList();
            QCOMPARE(list->indexOfTopLevelItem(list->currentItem()), 0);
            list->setCurrentItem(list->topLevelItem(1));  // 3/8 inch, 25 mm pitch
            maker.AcceptSelection();
        });
        QTest::mouseClick(form->findChild<QPushButton*>("MakerButton"), Qt::LeftButton);
        QVERIFY(!maker.EditDatabaseButton()->isVisibleTo(&maker));
        QCOMPARE(QString::fromStdString(coil().FinAndTube->Record().Model), QString("3/8 inch"));
        QCOMPARE(coil().FinHeight(), 0.05 * 13);
        QCOMPARE(form->TubeSizeEd()->text(), QString("3/8\""));
        QCOMPARE(int(seen.size()), 1);

        // A maker with its own model codes names the window after them.
        QTimer::singleShot(0, &maker, [&maker] {
            maker.ChooseMaker("GEA");
            maker.AcceptSelection();
        });
        form->EditMaker();
        QVERIFY(form->windowTitle().startsWith("GEA: "));
        QCOMPARE(form->windowTitle(),
                 "GEA: " + QString::fromStdString(coil().FinAndTube->MakerDesignation()));
    }

    void settingsButtonLoadsTheDesignSettingsForTheCoil() {
        Open();
        TCoilSettingsForm settings;
        form->SetDesignSettings(&settings);
        QTimer::singleShot(0, &settings, [&settings] {
            settings.AspectEdit()->SetValue(2.0);
            settings.reject();
        });
        QTest::mouseClick(form->findChild<QPushButton*>("SettingsButton"), Qt::LeftButton);
        QCOMPARE(settings.Coil(), static_cast<TCoil*>(&coil()));
        QCOMPARE(coil().AspectRatio, 2.0);
        QCOMPARE(coil().Circuits(), 7.0);
    }

    void circuitPictureAndBackToTheSummary() {
        Open();
        QTest::mouseClick(form->SerpLabel(), Qt::LeftButton);
        QVERIFY(form->ShowingCircuitPicture());
        const QVariant image =
            form->HtmlViewer()->document()->resource(QTextDocument::ImageResource, QUrl("circuit.png"));
        QVERIFY(image.isValid());
        QCOMPARE(image.value<QImage>().height(), 220);
        QVERIFY(form->HtmlViewer()->toHtml().contains("4 rows, 17 tubes high, 9 tubes per circuit"));
        QTest::mouseClick(form->SerpLabel(), Qt::LeftButton);
        QVERIFY(!form->ShowingCircuitPicture());
        QVERIFY(form->HtmlViewer()->toPlainText().contains("Face Area"));
    }

    void unitChoicesComeFromItsSettingsAndTheProgram() {
        {
            auto store = OpenProgramSettings();
            store->WriteInteger("FatForm", "FinHeightUnits", 2);
        }
        Open();
        QCOMPARE(form->FinHeightEd()->text(), QString("635.0"));
        QCOMPARE(form->FinHeightEd()->Value().toDouble(), 0.635);
        UnitPrefs()[urHexDuty].UnitsValue = 1;  // the design duty in the program's choice
        form->RefreshUnits();
        QCOMPARE(form->DesignDutyEd()->UnitsValue(), 1);
        form->accept();
        auto store = OpenProgramSettings();
        QCOMPARE(store->ReadInteger("FatForm", "FinHeightUnits", -1), 2);
        QCOMPARE(store->ReadInteger("FatForm", "DesignDutyUnits", -1), 1);
        QCOMPARE(store->ReadInteger("FatForm", "FinnedLengthUnits", -1), 2);
    }
};

QTEST_MAIN(FatFormTest)
#include "fat_form_test.moc"

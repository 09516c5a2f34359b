// The coil maker window: the makers and specifications of the catalogue, the selected best
// match, the Current line, Accept, and "Edit Coil Database" through the text editor.
#include <QtTest>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include <Qsci/qsciscintilla.h>

#include <memory>

#include "app/windows/coil_maker_form.hpp"
#include "app/windows/inkwell_form.hpp"
#include "geometry/coil_makers.hpp"
#include "support/app_test_env.hpp"

using namespace qdx;
using namespace qdx::app;
using qdx::test::TAppTestEnv;

class CoilMakerFormTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TAppTestEnv> env;

    static int Selected(const TCoilMakerForm& f) {
        return f.CatalogueList()->indexOfTopLevelItem(f.CatalogueList()->currentItem());
    }

private slots:
    void init() {
        env = std::make_unique<TAppTestEnv>();
        ClearMakerCache();
        EnsureCatalogue();
    }
    void cleanup() { env.reset(); }

    void listsTheMakersSpecificationsWithTheCoilsSelected() {
        TModelRec rec;
        rec.Mnf = "Typical";
        ApplyMnf(FindTube("Typical", 4), rec);
        rec.Sx = 0.0381;
        rec.tp = 1;
        rec.Model = "1/2 inch in-line";
        TCoilMakerForm form;
        form.SetRecord(rec);
        form.SetOptions(false, true);
        form.show();
        QCOMPARE(form.windowTitle(), QString("Coil Maker"));
        QCOMPARE(form.MakerList()->currentText(), QString("Typical"));
        QCOMPARE(form.MakerList()->count(), 6);
        QTreeWidget* list = form.CatalogueList();
        QCOMPARE(list->topLevelItemCount(), 5);
        QCOMPARE(list->headerItem()->text(11), QString("CB"));
        QCOMPARE(list->topLevelItem(1)->text(0), QString("3/8 inch"));
        QCOMPARE(list->topLevelItem(1)->text(1), QString("9.3000"));
        QCOMPARE(list->topLevelItem(1)->text(6), QString("Staggered"));
        QCOMPARE(Selected(form), 4);
        QVERIFY(form.CurrentLine()->text().startsWith("Current: Typical, 1/2 inch in-line, 12.5222"));
        QVERIFY(!form.EditDatabaseButton()->isVisible());

        // Another maker: its lines, the first selected when none fits.
        form.MakerList()->setCurrentIndex(form.MakerList()->findText("HC"));
        emit form.MakerList()->activated(form.MakerList()->currentIndex());
        QCOMPARE(list->topLevelItem(0)->text(0), QString("3/8 inch wavy fin"));
        QCOMPARE(Selected(form), 0);

        // Accept takes the line and the maker into the working record.
        list->setCurrentItem(list->topLevelItem(1));
        QTest::mouseClick(form.AcceptButton(), Qt::LeftButton);
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(QString::fromStdString(form.Record().Mnf), QString("HC"));
        QCOMPARE(QString::fromStdString(form.Record().Model), QString("1/2 inch wavy fin"));
    }

    void withoutASelectionNothingIsTaken() {
        TCoilMakerForm form;
        TModelRec rec;
        rec.Mnf = "Typical";
        form.SetRecord(rec);
        form.show();
        form.CatalogueList()->setCurrentItem(nullptr);
        form.AcceptSelection();
        QVERIFY(form.isVisible());
        QCOMPARE(form.Record(), rec);
        form.SetOptions(false, false);
        QVERIFY(!form.MakerList()->isEnabled());
    }

    void editCoilDatabaseEditsTheCatalogueAndReadsItAgain() {
        TInkwellForm inkwell;
        TCoilMakerForm form;
        TModelRec rec;
        rec.Mnf = "Typical";
        form.SetRecord(rec);
        form.SetInkwell(&inkwell);
        form.SetOptions(true, true);
        form.show();
        QVERIFY(form.EditDatabaseButton()->isVisible());
        QCOMPARE(form.MakerList()->findText("Acme"), -1);

        env->Dialogs().messageAnswers = {TMsgResult::Yes};  // save the edit on closing
        QTimer::singleShot(0, &inkwell, [&inkwell] {
            QCOMPARE(inkwell.EditFileName(), QString::fromStdString(CatalogFileName()));
            QsciScintilla* e = inkwell.Editor();
            QString text = e->text();
            text.replace("</catalog>",
                         "  <item>\n    <maker>Acme</maker>\n    <range>fin and tube coil</range>\n"
                         "    <model name=\"acme 1/2\" d=\"4\">\n      <tube id=\"12.5\" od=\"13.3\"/>\n"
                         "      <pat sx=\"33\" sy=\"38.1\"/>\n    </model>\n  </item>\n</catalog>");
            e->setText(text);
            inkwell.close();
        });
        QTest::mouseClick(form.EditDatabaseButton(), Qt::LeftButton);
        QCOMPARE(env->Dialogs().LastMessage(), QString("CoilMakers.xml not saved.\rSave now?"));
        const int acme = form.MakerList()->findText("Acme");
        QVERIFY(acme >= 0);
        form.ChooseMaker("Acme");
        QCOMPARE(form.CatalogueList()->topLevelItem(0)->text(0), QString("acme 1/2"));
    }
};

QTEST_MAIN(CoilMakerFormTest)
#include "coil_maker_form_test.moc"

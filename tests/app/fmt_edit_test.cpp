// The formatted edit as a user meets it: keystrokes filtered by the format, validation when
// the edit is left or Enter is pressed, the range snap with its beep and kept focus, Escape,
// the display unit, and the units label with its pop-up.
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

#include "app/widgets/fmt_edit.hpp"
#include "app/widgets/fmt_edit_label.hpp"
#include "app/widgets/units_form.hpp"
#include "support/app_test_env.hpp"

using namespace qdx;
using namespace qdx::app;

namespace {

// A window with two edits and a label, so that focus has somewhere to go.
struct Form {
    QWidget window;
    TFmtEdit* edit;
    TFmtEdit* other;
    TFmtEditLabel* label;

    Form() {
        auto* layout = new QVBoxLayout(&window);
        edit = new TFmtEdit(&window);
        edit->setObjectName("Edit");
        other = new TFmtEdit(&window);
        other->setObjectName("Other");
        label = new TFmtEditLabel(&window);
        label->setObjectName("UnitsLabel");
        label->setText("unit");
        layout->addWidget(edit);
        layout->addWidget(other);
        layout->addWidget(label);
        window.show();
        window.activateWindow();
    }

    // Focus in, replace the text by typing, leave.
    void TypeAndLeave(TxCustomEdit* e, const QString& typed) {
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, typed);
        other->setFocus();
        QCoreApplication::processEvents();
    }
};

}  // namespace

class FmtEditTest : public QObject {
    Q_OBJECT
private slots:
    void init() { env_ = std::make_unique<test::TAppTestEnv>(); }
    void cleanup() { env_.reset(); }

    void temperatureShownInItsUnitAndStoredInCelsius() {
        Form f;
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        f.edit->SetUnitsType(utTemperature);
        f.edit->SetUnitsValue(1);
        f.edit->SetValue(20.0);
        QCOMPARE(f.edit->text(), QString("68.0"));
        f.TypeAndLeave(f.edit, "212");
        QCOMPARE(f.edit->text(), QString("212.0"));
        QCOMPARE(f.edit->Value().toDouble(), 100.0);
        // Another unit shows the same quantity.
        f.edit->SetUnitsValue(2);
        QCOMPARE(f.edit->text(), QString("373.15"));
        QCOMPARE(f.edit->FormatStr(), QString("%0.2f"));
    }

    void rangeSnapBeepsAndKeepsTheFocus() {
        Form f;
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        f.edit->SetUnitsType(utVelocity);
        f.edit->SetUnitsValue(1);  // fpm, stored in m/s
        f.edit->SetRangeLo(0.5);
        f.edit->SetRangeHi(10);
        f.TypeAndLeave(f.edit, "2500");
        QCOMPARE(f.edit->text(), QString("1968.5"));
        QCOMPARE(env_->Dialogs().beeps, 1);
        QTRY_VERIFY(f.edit->hasFocus());
        QVERIFY(f.edit->Modified());
        QCOMPARE(f.edit->Value().toDouble(), 1968.5 / 196.8503937);

        // Within 0.5 % of the limit is accepted as typed; Enter validates too.
        f.edit->selectAll();
        QTest::keyClicks(f.edit, "1975");
        QTest::keyClick(f.edit, Qt::Key_Return);
        QCOMPARE(f.edit->text(), QString("1975.0"));
        QCOMPARE(env_->Dialogs().beeps, 1);
    }

    void keystrokesFilteredByFormatKind_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("beeps");
        QTest::newRow("integer refuses a point") << "%d" << "12.5" << "125" << 1;
        QTest::newRow("integer refuses an exponent") << "%d" << "-3e" << "-3" << 1;
        QTest::newRow("fixed float refuses an exponent") << "%0.2f" << "1.5e3" << "1.53" << 1;
        QTest::newRow("general float takes one") << "%0.4g" << "-1.5E3" << "-1.5E3" << 0;
        QTest::newRow("pair takes digits, point, minus, slash") << "%0.1f/%0.1f" << "25/-1.7x"
                                                                << "25/-1.7" << 1;
        QTest::newRow("string takes anything") << "%s" << "a/b x" << "a/b x" << 0;
    }
    void keystrokesFilteredByFormatKind() {
        QFETCH(QString, format);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, beeps);
        Form f;
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        f.edit->SetFormatStr(format);
        f.edit->clear();
        f.edit->setFocus();
        QTest::keyClicks(f.edit, typed);
        QCOMPARE(f.edit->text(), shown);
        QCOMPARE(env_->Dialogs().beeps, beeps);
        QVERIFY(f.edit->Modified());
    }

    void refusedCharacterStillMarksTheTextModified() {
        Form f;
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        f.edit->SetFormatStr("%d");
        f.edit->setText("12");
        f.edit->setFocus();
        QVERIFY(!f.edit->Modified());
        f.edit->setCursorPosition(2);
        QTest::keyClick(f.edit, Qt::Key_Period);
        QVERIFY(f.edit->Modified());
        QCOMPARE(f.edit->text(), QString("12"));
        // A selection of two characters goes before the refused character is tested.
        f.edit->selectAll();
        QTest::keyClick(f.edit, Qt::Key_Period);
        QCOMPARE(f.edit->text(), QString());
        QCOMPARE(env_->Dialogs().beeps, 2);
    }

    void readOnlyEditTakesNoCharacter() {
        Form f;
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        f.edit->setText("1.0");
        f.edit->setReadOnly(true);
        f.edit->setFocus();
        QTest::keyClicks(f.edit, "23");
        QCOMPARE(f.edit->text(), QString("1.0"));
        QCOMPARE(env_->Dialogs().beeps, 0);
    }

    void escapeRestoresTheTextShownAtFocus() {
        Form f;
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        f.other->setFocus();
        f.edit->setText("5.0");
        f.edit->setFocus();
        QCOMPARE(f.edit->FocusText(), QString("5.0"));
        f.edit->selectAll();
        QTest::keyClicks(f.edit, "72");
        QCOMPARE(f.edit->text(), QString("72"));
        QTest::keyClick(f.edit, Qt::Key_Escape);
        QCOMPARE(f.edit->text(), QString("5.0"));
        QVERIFY(!f.edit->Modified());
        // Nothing left to validate when the edit is left.
        f.other->setFocus();
        QCOMPARE(f.edit->text(), QString("5.0"));
    }

    void pairEditShowsOneOrTwoValues() {
        Form f;
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        f.edit->SetFormatStr("%0.1f/%0.1f");
        f.TypeAndLeave(f.edit, "25/17");
        QCOMPARE(f.edit->text(), QString("25.0/17.0"));
        QCOMPARE(f.edit->Value().toString(), QString("25.0/17.0"));
        f.TypeAndLeave(f.edit, "25");
        QCOMPARE(f.edit->text(), QString("25.0"));
        QCOMPARE(f.edit->Value().toString(), QString("25"));
        // In °F the pair is converted value by value; a pair format stays a pair format.
        f.edit->SetUnitsType(utTemperature);
        f.edit->SetValue("25/17");
        f.edit->SetUnitsValue(1);
        QCOMPARE(f.edit->FormatStr(), QString("%0.1f/%0.1f"));
        QCOMPARE(f.edit->text(), QString("77.0/62.6"));
        QCOMPARE(f.edit->Value().toString(), QString("25.0/17.0"));
    }

    void valuesThatDoNotConvert() {
        TFmtEdit e;
        e.SetValue("warm");
        QCOMPARE(e.text(), QString());
        e.setText("abc");
        QCOMPARE(e.Value(), QVariant(QString("abc")));
        e.SetFormatStr("%d");
        e.SetValue(2.5);
        QCOMPARE(e.text(), QString("3"));
        QCOMPARE(e.Value().typeId(), int(QMetaType::LongLong));
        // "%S" empties the initial "0.0" only.
        TFmtEdit s;
        QCOMPARE(s.text(), QString("0.0"));
        s.SetFormatStr("%S");
        QCOMPARE(s.text(), QString());
        s.setText("1.0");
        s.SetFormatStr("%S");
        QCOMPARE(s.text(), QString("1.0"));
    }

    void unitsLabelSwitchesEveryLinkedEdit() {
        Form f;
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        for (TFmtEdit* e : {f.edit, f.other}) {
            e->SetUnitsLabel(f.label);
            e->SetUnitsType(utPressureBar);
        }
        f.edit->SetUnitsLabel(f.label);  // linked once only
        QCOMPARE(f.label->Edits(), (QList<TxCustomEdit*>{f.edit, f.other}));
        QCOMPARE(f.label->text(), QString("kPa"));
        f.edit->SetValue(101.325);
        f.other->SetValue(90.0);
        QSignalSpy editSpy(f.edit, &TxCustomEdit::OnUnitsEdited);
        QSignalSpy otherSpy(f.other, &TxCustomEdit::OnUnitsEdited);

        const QPoint click(4, 4);
        QPoint popupAt;
        int listed = 0, selected = -1;
        QTimer::singleShot(0, [&] {
            TUnitsForm* form = f.label->UnitsForm();
            QVERIFY(form && form->isVisible());
            popupAt = form->pos();
            listed = form->ListBox1->count();
            selected = form->ListBox1->currentRow();
            QTest::keyClick(form->ListBox1, Qt::Key_Down);  // Psi
            QTest::keyClick(form->ListBox1, Qt::Key_Return);
        });
        QTest::mouseClick(f.label, Qt::LeftButton, {}, click);
        QCOMPARE(popupAt, f.label->mapToGlobal(click) + QPoint(5, 5));
        QCOMPARE(listed, 6);
        QCOMPARE(selected, 0);
        QVERIFY(!f.label->UnitsForm()->isVisible());
        QCOMPARE(f.edit->UnitsValue(), 1);
        QCOMPARE(f.other->UnitsValue(), 1);
        QCOMPARE(editSpy.count(), 1);
        QCOMPARE(otherSpy.count(), 1);
        QCOMPARE(f.label->text(), QString("Psi"));
        QCOMPARE(f.edit->text(), QString("14.6959"));
        QCOMPARE(f.other->text(), QString("13.0534"));
    }

    void labelAndEditsUnlinkWhenDestroyed() {
        auto label = std::make_unique<TFmtEditLabel>();
        auto a = std::make_unique<TFmtEdit>();
        TFmtEdit b;
        a->SetUnitsLabel(label.get());
        b.SetUnitsLabel(label.get());
        a.reset();
        QCOMPARE(label->Edits(), QList<TxCustomEdit*>{&b});
        label.reset();
        QCOMPARE(b.UnitsLabel(), nullptr);
    }

    void unitsPopupSize() {
        TUnitsForm form;
        form.Prepare(utTemperature, 1);
        const int item = form.ListBox1->sizeHintForRow(0);
        QCOMPARE(form.height(), qRound(item * 3.5));
        QCOMPARE(form.width(), 60);  // the symbols are narrower than 50 pixels
        QCOMPARE(form.ListBox1->currentRow(), 1);
        QCOMPARE(form.ListBox1->item(1)->text(), QString("°F"));
        form.Prepare(utNone, 0);
        QCOMPARE(form.ListBox1->count(), 0);
    }

    void unitsPopupClosesOnEscapeWithTheSelection() {
        TUnitsForm form;
        int chosen = -2;
        QTimer::singleShot(0, [&] {
            QTest::keyClick(form.ListBox1, Qt::Key_Down);
            QTest::keyClick(form.ListBox1, Qt::Key_Escape);
        });
        chosen = form.Execute(utTemperature, 0, QPoint(10, 10));
        QCOMPARE(chosen, 1);
        QVERIFY(!form.isVisible());
    }

private:
    std::unique_ptr<test::TAppTestEnv> env_;
};

QTEST_MAIN(FmtEditTest)
#include "fmt_edit_test.moc"

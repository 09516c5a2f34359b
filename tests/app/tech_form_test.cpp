// "Copy to XML" of the technical window: the grid as shown, one element a row, nothing escaped.
#include <QtTest>

#include "app/widgets/entry_grid.hpp"
#include "app/windows/tech_form.hpp"
#include "support/app_test_env.hpp"

using namespace qdx;
using namespace qdx::app;

namespace {

const QString kHead = "<?xml version=\"1.0\"?>\r\n"
                      "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
                      "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">\r\n";

}  // namespace

class TechFormTest : public QObject {
    Q_OBJECT
private slots:
    void gridXmlText_data() {
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::addColumn<QString>("body");
        const QStringList header{"Property", "Value", "Units"};
        QTest::newRow("one data row: only the root")
            << QList<QStringList>{header, {"Coil Model", "635 x 720  4r", "Typical"}}
            << "<635_x_720__4r>\r\n</635_x_720__4r>";
        QTest::newRow("empty units, markup and blanks copied as they are")
            << QList<QStringList>{header,
                                  {"Name", "A&B", ""},
                                  {"Air Volume", "1.2", "m³/s"},
                                  {"Note", "a<b & \"c\"", ""}}
            << "<A&B>\r\n"
               "  <Air_Volume Units=\"m³/s\">1.2</Air_Volume>\r\n"
               "  <Note Units=\"\">a<b & \"c\"</Note>\r\n"
               "</A&B>";
        QTest::newRow("a short row has empty cells")
            << QList<QStringList>{header, {"Item", "x"}, {"Mode"}}
            << "<x>\r\n  <Mode Units=\"\"></Mode>\r\n</x>";
    }
    void gridXmlText() {
        QFETCH(QList<QStringList>, rows);
        QFETCH(QString, body);
        QCOMPARE(GridXmlText(rows), kHead + body);
    }

    void copyToXmlTakesTheCellsAsShown() {
        test::TAppTestEnv env;
        TTechForm form;
        TEntryGrid& g = form.Grid();
        g.SetLines({"Property; Value; Units", "Item; %s; ; PE", "Flow; %0.2f; kg/s", "Mode; enum; ; Off; On"});
        g.SetValue(1, 1, "Pump 1");
        g.SetValue(1, 2, 1.0 / 3);
        g.SetValue(1, 3, 1);
        form.CopytoXML1Click();
        QCOMPARE(env.Dialogs().clipboardText, kHead + "<Pump_1>\r\n"
                                                      "  <Flow Units=\"kg/s\">0.33</Flow>\r\n"
                                                      "  <Mode Units=\"\">On</Mode>\r\n"
                                                      "</Pump_1>");
    }
};

QTEST_MAIN(TechFormTest)
#include "tech_form_test.moc"

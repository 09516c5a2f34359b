// The report window and the viewer: copy, mail, font, settings at deactivation, PDF export.
#include <QProcess>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

#include "app/widgets/rich_text_report.hpp"
#include "app/windows/report_form.hpp"
#include "app/windows/view_form.hpp"
#include "documents/settings_stores.hpp"
#include "support/app_test_env.hpp"

using namespace qdx;
using namespace qdx::app;

namespace {

void WriteSample(TReportDocument& doc) {
    doc.AddLine("Performance", lsBold);
    doc.AddLine("Total Duty\t21.7\tkW");
    doc.AddLine("");
    doc.AddLine("QDX 0.1.0.0", lsItalic);
}

// Takes the focus away from a window, as switching to another window does.
void Deactivate(QWidget& w) {
    QWidget other;
    other.setObjectName("OtherWindow");
    other.show();
    other.activateWindow();
    QTRY_VERIFY(!w.isActiveWindow());
}

}  // namespace

class ReportFormTest : public QObject {
    Q_OBJECT
private slots:
    void linesKeepTheirStylesAndCopyAsCrLfText() {
        test::TAppTestEnv env;
        TReportForm form;
        QCOMPARE(form.windowTitle(), QString("Report"));
        QCOMPARE(form.StatusText(), QString("Ready"));
        QCOMPARE(TabStops(form.RichEdit()), (std::vector<double>{90, 155}));

        form.CopyReport();  // an empty report still copies
        QCOMPARE(env.Dialogs().clipboardText, QString());
        QCOMPARE(env.Dialogs().clipboardWrites, 1);
        QCOMPARE(form.StatusText(), QString("Copied to Clipboard..."));

        WriteSample(form.Report());
        form.CopyReport();
        QCOMPARE(env.Dialogs().clipboardText,
                 QString("Performance\r\nTotal Duty\t21.7\tkW\r\n\r\nQDX 0.1.0.0"));
        QTextBlock b = form.RichEdit().document()->begin();
        QVERIFY(b.charFormat().fontWeight() == QFont::Bold);
        QCOMPARE(b.charFormat().fontPointSize(), 8.0);
        b = b.next();
        QVERIFY(b.charFormat().fontWeight() == QFont::Normal);
        QVERIFY(b.next().next().charFormat().fontItalic());

        // Written again, the document holds only the new lines.
        form.Report().Clear();
        form.Report().AddLine("Not Solved");
        QCOMPARE(ReportText(form.RichEdit()), QString("Not Solved"));
        QCOMPARE(TabStops(form.RichEdit()), (std::vector<double>{90, 155}));
    }

    void emailHandsTitleAndTextToTheMailProgram() {
        test::TAppTestEnv env;
        TReportForm form;
        form.Title = "QDX Report";
        WriteSample(form.Report());
        form.Mapi().Recipients = {"left@over.com"};
        form.Email();
        QVERIFY(form.Mapi().ShowDialog);
        QVERIFY(form.Mapi().Recipients.isEmpty());
        QCOMPARE(env.Dialogs().urls.size(), 1);
        const QUrlQuery query(env.Dialogs().urls[0]);
        QCOMPARE(env.Dialogs().urls[0].path(), QString());
        QCOMPARE(query.queryItemValue("subject", QUrl::FullyDecoded), QString("QDX Report"));
        QCOMPARE(query.queryItemValue("body", QUrl::FullyDecoded), ReportText(form.RichEdit()));
    }

    void aNewFontRegeneratesTheReport() {
        test::TAppTestEnv env;
        TReportForm form;
        int refreshed = 0;
        form.OnRefresh = [&] {
            ++refreshed;
            form.Report().Clear();
            WriteSample(form.Report());
        };
        WriteSample(form.Report());
        QFont chosen("DejaVu Serif", 11);
        env.Dialogs().fontAnswers = {chosen};
        form.ChooseFont();
        QCOMPARE(refreshed, 1);
        QCOMPARE(form.StatusText(), QString("Ready"));
        for (QTextBlock b = form.RichEdit().document()->begin(); b.isValid(); b = b.next()) {
            QCOMPARE(QFontInfo(b.charFormat().font()).family(), QFontInfo(chosen).family());
        }
        // A cancelled font dialog changes nothing; a resize writes the report again.
        form.ChooseFont();
        QCOMPARE(refreshed, 1);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        refreshed = 0;
        form.resize(form.width() + 40, form.height());
        QTRY_VERIFY(refreshed > 0);
            }

    void placementAndFontComeBackAfterADeactivation() {
        test::TAppTestEnv env;
        {
            TReportForm form;
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            form.activateWindow();
            QTRY_VERIFY(form.isActiveWindow());
            form.move(140, 90);
            form.resize(480, 400);
            env.Dialogs().fontAnswers = {QFont("DejaVu Sans Mono", 10)};
            form.ChooseFont();
            Deactivate(form);
        }
        const auto store = OpenProgramSettings();
        QCOMPARE(store->ReadInteger("ReportForm", "FontSize", 0), 10);
        QCOMPARE(store->ReadString("ReportForm", "FontName", ""), std::string("DejaVu Sans Mono"));
        QVERIFY(store->ValueExists("ReportForm", "FontCharset"));
        QVERIFY(store->ValueExists("ReportForm", "FontColor"));
        TReportForm again;
        QCOMPARE(again.pos(), QPoint(140, 90));
        QCOMPARE(again.size(), QSize(480, 400));
        QCOMPARE(again.RichEdit().font().family(), QString("DejaVu Sans Mono"));
        QCOMPARE(again.RichEdit().font().pointSize(), 10);
    }

    void exportPdfWritesAPdfAndAsksBeforeOverwriting() {
        test::TAppTestEnv env;
        TReportForm form;
        form.Title = "QDX Report";
        WriteSample(form.Report());
        const QString path = env.DocumentsDir() + "/report";
        env.Dialogs().fileAnswers = {path};
        QVERIFY(form.ExportPdf());
        const QString pdf = path + ".pdf";
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5) == "%PDF-");
        file.close();
        QCOMPARE(env.Dialogs().fileFilters.last(), QString("PDF files (*.pdf)"));

        // pdftoppm renders it.
        QProcess render;
        render.start("pdftoppm", {"-png", "-r", "30", "-singlefile", pdf, env.Root() + "/page"});
        QVERIFY(render.waitForFinished(30000));
        QCOMPARE(render.exitCode(), 0);
        QVERIFY(!QImage(env.Root() + "/page.png").isNull());

        // An existing file is replaced only after Yes.
        const qint64 size = QFileInfo(pdf).size();
        form.Report().AddLine("one more line");
        env.Dialogs().fileAnswers = {pdf};
        env.Dialogs().messageAnswers = {TMsgResult::No};
        QVERIFY(!form.ExportPdf());
        QCOMPARE(env.Dialogs().LastMessage(), "OK to overwrite " + pdf + " ?");
        QCOMPARE(QFileInfo(pdf).size(), size);
        env.Dialogs().fileAnswers = {pdf};
        env.Dialogs().messageAnswers = {TMsgResult::Yes};
        QVERIFY(form.ExportPdf());

        // A folder that does not exist is not created: the error is shown.
        env.Dialogs().fileAnswers = {env.Root() + "/no/such/folder/x.pdf"};
        QVERIFY(!form.ExportPdf());
        QVERIFY(env.Dialogs().LastMessage().startsWith("Error saving file..."));
        QVERIFY(!QFileInfo::exists(env.Root() + "/no"));
    }

    void viewerShowsItsReportAtItsTabStops() {
        test::TAppTestEnv env;
        TViewForm viewer;
        QCOMPARE(viewer.windowTitle(), QString("Viewer"));
        QCOMPARE(viewer.minimumSize(), QSize(190, 230));
        QCOMPARE(TabStops(viewer.RichEdit()), (std::vector<double>{80, 130}));
        QVERIFY(viewer.RichEdit().isReadOnly());
        WriteSample(viewer.Report());
        QCOMPARE(ReportText(viewer.RichEdit()).count("\r\n"), 3);
    }
};

QTEST_MAIN(ReportFormTest)
#include "report_form_test.moc"

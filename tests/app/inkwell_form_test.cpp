// The text editor window: loading and saving, the close check and its OK result, dropped files,
// INI colouring, the commands and keys, searching and printing.
#include <QtTest>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>

#include <Qsci/qscilexerproperties.h>

#include <memory>

#include "app/windows/inkwell_form.hpp"
#include "app/windows/search_dialog.hpp"
#include "documents/settings_stores.hpp"
#include "support/app_test_env.hpp"

using namespace qdx::app;
using qdx::test::TAppTestEnv;

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Sends a drop of local files on the editing surface, as a file manager does.
void DropFiles(TInkwellForm& form, const QStringList& paths) {
    QList<QUrl> urls;
    for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
    QMimeData mime;
    mime.setUrls(urls);
    QWidget* target = form.Editor()->viewport();
    const QPointF at(10, 10);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
}

}  // namespace

class InkwellFormTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TAppTestEnv> env;
    std::unique_ptr<TInkwellForm> form;

    QString Path(const QString& name) const { return env->Root() + "/" + name; }

private slots:
    void init() {
        env = std::make_unique<TAppTestEnv>();
        form = std::make_unique<TInkwellForm>();
    }
    void cleanup() {
        form.reset();
        env.reset();
    }

    void aMissingFileKeepsTheShownTextUntilSaveCreatesIt() {
        QCOMPARE(form->StatusPanel(0)->text(), QString("Ready.."));
        const QString shipped = Path("CoilMakers.xml");
        WriteAll(shipped, "[Typical]\nmodel=1/2 inch\n");
        form->SetEditFileName(shipped);
        form->LoadTextFile();
        QCOMPARE(form->windowTitle(), shipped);
        QCOMPARE(form->StatusPanel(0)->text(), QString("Ready..."));
        QVERIFY(!form->TextModified());

        const QString missing = Path("common/CoilMakers.xml");
        form->SetEditFileName(missing);
        form->LoadTextFile();
        QCOMPARE(form->EditFileName(), missing);
        QCOMPARE(form->windowTitle(), shipped);
        QCOMPARE(form->Editor()->text(), QString("[Typical]\nmodel=1/2 inch\n"));

        form->Action("SaveAction")->trigger();
        QCOMPARE(ReadAll(missing), QByteArray("[Typical]\nmodel=1/2 inch\n"));
        QCOMPARE(form->windowTitle(), missing);
        QVERIFY(env->Dialogs().messages.isEmpty());
    }

    void closingAsksOnlyAboutUnsavedTextAndAlwaysEndsWithOk() {
        const QString path = Path("units.ini");
        WriteAll(path, "[Coils]\nUnitsPressure=0\n");
        form->SetEditFileName(path);
        form->LoadTextFile();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));

        form->Editor()->insertAt("; edited\n", 0, 0);
        QVERIFY(form->TextModified());
        QCOMPARE(form->StatusPanel(0)->text(), QString("Modified..."));

        env->Dialogs().messageAnswers = {TMsgResult::Cancel};
        QVERIFY(!form->close());
        QVERIFY(form->isVisible());
        QCOMPARE(env->Dialogs().LastMessage(), QString("units.ini not saved.\rSave now?"));
        QCOMPARE(env->Dialogs().messages.last().buttons, TMsgButtons::YesNoCancel);

        // Escape goes through the same check.
        env->Dialogs().messageAnswers = {TMsgResult::Cancel};
        QTest::keyClick(form.get(), Qt::Key_Escape);
        QVERIFY(form->isVisible());
        QCOMPARE(env->Dialogs().messages.size(), 2);

        env->Dialogs().messageAnswers = {TMsgResult::No};
        QVERIFY(form->close());
        QCOMPARE(form->result(), int(QDialog::Accepted));
        QCOMPARE(ReadAll(path), QByteArray("[Coils]\nUnitsPressure=0\n"));

        // The text and its flag stay for the next showing; Yes saves, then closes with OK.
        form->setResult(QDialog::Rejected);
        form->show();
        QVERIFY(form->TextModified());
        env->Dialogs().messageAnswers = {TMsgResult::Yes};
        QVERIFY(form->close());
        QCOMPARE(form->result(), int(QDialog::Accepted));
        QCOMPARE(ReadAll(path), QByteArray("; edited\n[Coils]\nUnitsPressure=0\n"));

        // Nothing to save: no question.
        form->setResult(QDialog::Rejected);
        form->show();
        QVERIFY(form->close());
        QCOMPARE(env->Dialogs().messages.size(), 4);
        QCOMPARE(form->result(), int(QDialog::Accepted));
    }

    void aFailedSaveKeepsTheWindowOpen() {
        // A file name below a file: nothing can be written there.
        WriteAll(Path("plain"), "");
        const QString path = Path("plain/edit.ini");
        form->SetEditFileName(path);
        form->Editor()->setText("b=2\n");
        form->show();
        env->Dialogs().messageAnswers = {TMsgResult::Yes};
        QVERIFY(!form->close());
        QVERIFY(form->isVisible());
        QCOMPARE(env->Dialogs().LastMessage(), "Error saving file...\n" + path);
        QVERIFY(form->TextModified());
    }

    void newThenSaveWritesAnEmptyFile() {
        const QString path = Path("edit.ini");
        WriteAll(path, "[A]\nb=1\n");
        form->SetEditFileName(path);
        form->LoadTextFile();
        form->Editor()->markerAdd(1, 1);
        form->Action("NewAction")->trigger();
        QCOMPARE(form->Editor()->text(), QString());
        QCOMPARE(form->Editor()->markerFindNext(0, ~0u), -1);
        QVERIFY(!form->Editor()->isUndoAvailable());
        QCOMPARE(form->EditFileName(), path);
        form->Action("SaveAction")->trigger();
        QCOMPARE(ReadAll(path), QByteArray());
    }

    void onlyTheFirstOfTwoDroppedFilesIsLoaded() {
        const QString first = Path("first.ini");
        const QString second = Path("second.ini");
        WriteAll(first, "[First]\n");
        WriteAll(second, "[Second]\n");
        form->Editor()->setText("unsaved");
        DropFiles(*form, {first, second});
        QCOMPARE(form->EditFileName(), first);
        QCOMPARE(form->Editor()->text(), QString("[First]\n"));
        QCOMPARE(form->windowTitle(), first);
        QVERIFY(env->Dialogs().messages.isEmpty());  // no question about the dropped text
    }

    void iniColouring() {
        QsciLexerProperties* lexer = form->Lexer();
        QCOMPARE(lexer->color(QsciLexerProperties::Section), QColor(0, 0, 64));
        QCOMPARE(lexer->color(QsciLexerProperties::Key), QColor(128, 64, 64));
        QCOMPARE(lexer->color(QsciLexerProperties::Default), QColor(0, 115, 170));
        QsciScintilla* e = form->Editor();
        e->setText("[Coils]\nUnitsPressure=0\n");
        e->SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0, -1);
        auto styleAt = [e](int pos) {
            return int(e->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, pos));
        };
        QCOMPARE(styleAt(1), int(QsciLexerProperties::Section));
        QCOMPARE(styleAt(9), int(QsciLexerProperties::Key));
        QCOMPARE(styleAt(23), int(QsciLexerProperties::Default));  // the value "0"
        QCOMPARE(e->font().family(), QString("Courier New"));
        QCOMPARE(e->font().pointSizeF(), 9.75);  // 13 pixels at 96 dpi
    }

    void keysRecordAndPlayAMacro() {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->Editor()->setFocus();
        QTest::keyClick(form->Editor(), Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(form->Recording());
        QTest::keyClicks(form->Editor(), "ab");
        QTest::keyClick(form->Editor(), Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!form->Recording());
        QTest::keyClick(form->Editor(), Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(form->Editor()->text(), QString("abab"));

        // Ctrl+F1 opens the help page.
        QTest::keyClick(form->Editor(), Qt::Key_F1, Qt::ControlModifier);
        QCOMPARE(env->Dialogs().urls.size(), 1);
        QVERIFY(env->Dialogs().urls[0].toLocalFile().endsWith("/Coils.htm"));

        // Trailing blanks go when the caret leaves the line typed in.
        QTest::keyClicks(form->Editor(), "  ");
        QTest::keyClick(form->Editor(), Qt::Key_Return);
        QTRY_COMPARE(form->Editor()->text(), QString("abab\n"));
    }

    void clipboardCommandsGoThroughThePlatform() {
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QsciScintilla* e = form->Editor();
        e->setText("key=value");
        e->setSelection(0, 0, 0, 3);
        form->Action("CopyAction")->trigger();
        QCOMPARE(env->Dialogs().clipboardText, QString("key"));
        form->Action("CutAction")->trigger();
        QCOMPARE(e->text(), QString("=value"));
        e->setCursorPosition(0, 6);
        env->Dialogs().clipboardText = "!";
        e->setFocus();
        QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(e->text(), QString("=value!"));
        QCOMPARE(env->Dialogs().clipboardWrites, 2);
    }

    void findAndReplace() {
        QsciScintilla* e = form->Editor();
        e->setText("Cu al CU cu\n");
        TSearchDialog* find = form->FindDialog();
        TSearchDialog* replace = form->ReplaceDialog();
        QVERIFY(!find->isModal());
        QVERIFY(replace->UpButton() == nullptr);  // replacing always searches down

        replace->ReplaceEdit()->setText("Al");
        replace->FindEdit()->setText("cu");
        form->Action("FindAction")->trigger();
        QVERIFY(find->isVisible());
        QCOMPARE(find->FindText(), QString("cu"));  // taken from the replace dialog

        find->MatchCaseBox()->setChecked(true);
        QTest::mouseClick(find->FindNextButton(), Qt::LeftButton);
        QCOMPARE(e->selectedText(), QString("cu"));
        int line, from, lineTo, to;
        e->getSelection(&line, &from, &lineTo, &to);
        QCOMPARE(from, 9);
        // Up from there finds nothing else with the case matched: a beep.
        find->UpButton()->setChecked(true);
        QTest::mouseClick(find->FindNextButton(), Qt::LeftButton);
        QCOMPARE(env->Dialogs().beeps, 1);

        form->Action("ReplaceAction")->trigger();
        QVERIFY(replace->isVisible());
        replace->WholeWordBox()->setChecked(true);
        QTest::mouseClick(replace->ReplaceAllButton(), Qt::LeftButton);
        QCOMPARE(e->text(), QString("Al al Al Al\n"));
        e->undo();
        QCOMPARE(e->text(), QString("Cu al CU cu\n"));  // one step undoes them all

        e->setCursorPosition(0, 0);
        replace->FindEdit()->setText("al");
        replace->ReplaceEdit()->setText("Fe");
        QTest::mouseClick(replace->FindNextButton(), Qt::LeftButton);
        QTest::mouseClick(replace->ReplaceButton(), Qt::LeftButton);
        QCOMPARE(e->text(), QString("Cu Fe CU cu\n"));
    }

    void viewAndHelpCommands() {
        QsciScintilla* e = form->Editor();
        e->setText("a\nb\nc");
        form->Action("LineCountAction")->trigger();
        QCOMPARE(env->Dialogs().LastMessage(), QString("Line Count: 3"));

        QAction* numbers = form->Action("LineNumbersAction");
        QVERIFY(!numbers->isChecked());
        QCOMPARE(e->marginWidth(0), 0);
        numbers->trigger();
        QVERIFY(numbers->isChecked());
        QVERIFY(e->marginWidth(0) > 0);
        QVERIFY(e->marginLineNumbers(0));
        numbers->trigger();
        QCOMPARE(e->marginWidth(0), 0);

        env->Dialogs().colorAnswers = {QColor(255, 255, 224)};
        form->Action("BackgroundAction")->trigger();
        QCOMPARE(form->Lexer()->paper(QsciLexerProperties::Key), QColor(255, 255, 224));
        // What the control draws with: 0xBBGGRR.
        QCOMPARE(e->SendScintilla(QsciScintillaBase::SCI_STYLEGETBACK, QsciLexerProperties::Section),
                 0xe0ffffL);

        // Without a web address there is nothing to browse.
        form->Action("WebAction")->trigger();
        QCOMPARE(env->Dialogs().beeps, 1);
        QVERIFY(env->Dialogs().urls.isEmpty());
        {
            auto company = qdx::OpenCompanySettings();
            company->WriteString("Calorix", "web", "www.calorix.example");
        }
        TInkwellForm again;
        again.Action("WebAction")->trigger();
        QCOMPARE(env->Dialogs().urls.size(), 1);
        QCOMPARE(env->Dialogs().urls[0].host(), QString("www.calorix.example"));

        QCOMPARE(form->Action("OpenAction")->toolTip(), QString("Open"));
        QCOMPARE(form->Action("OpenAction")->statusTip(), QString("Opens an existing file"));
        QCOMPARE(form->Action("SaveAction")->toolTip(), QString("Save current file"));
        QVERIFY(!form->Action("AboutAction")->isVisible());
    }

    void openAndSaveAsThroughTheFileDialogs() {
        const QString path = Path("a.txt");
        WriteAll(path, "x=1\r\n");
        env->Dialogs().fileAnswers = {path};
        form->Action("OpenAction")->trigger();
        QCOMPARE(env->Dialogs().fileFilters.last(), QString("Text Files (*.ini *.txt);;All Files (*)"));
        QCOMPARE(form->EditFileName(), path);
        QCOMPARE(form->Editor()->text(), QString("x=1\r\n"));

        // Save As keeps the file's own line ends.
        const QString copy = Path("b.txt");
        env->Dialogs().fileAnswers = {copy};
        form->Editor()->append("y=2\r\n");
        form->Action("SaveAsAction")->trigger();
        QCOMPARE(env->Dialogs().fileDirs.last(), path);
        QCOMPARE(ReadAll(copy), QByteArray("x=1\r\ny=2\r\n"));
        QCOMPARE(form->EditFileName(), copy);

        // A Latin-1 file comes back byte for byte.
        const QString latin = Path("latin.ini");
        WriteAll(latin, "name=M\xfcller\n");
        env->Dialogs().fileAnswers = {latin};
        form->Action("OpenAction")->trigger();
        QCOMPARE(form->Editor()->text(), QString::fromUtf8("name=M\u00fcller\n"));
        form->Action("SaveAction")->trigger();
        QCOMPARE(ReadAll(latin), QByteArray("name=M\xfcller\n"));
    }

    void printsTheTextWithHeaderAndFooter() {
        const QString path = Path("print.ini");
        WriteAll(path, "[Typical]\nmodel=1/2 inch\n");
        form->SetEditFileName(path);
        form->LoadTextFile();
        const QString pdf = Path("print.pdf");
        form->Printer().setOutputFormat(QPrinter::PdfFormat);
        form->Printer().setOutputFileName(pdf);
        form->Action("PrintAction")->trigger();
        QVERIFY(env->Dialogs().messages.isEmpty());
        QCOMPARE(env->Dialogs().printerDialogs, 0);
        QProcess text;
        text.start("pdftotext", {pdf, "-"});
        QVERIFY(text.waitForFinished());
        const QString out = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(out.contains("model=1/2 inch"), qPrintable(out));
        QVERIFY(out.contains(path));
        QVERIFY(out.contains("Page 1"));
        const QMarginsF m = form->Printer().pageLayout().margins(QPageLayout::Millimeter);
        QCOMPARE(m, QMarginsF(25, 10, 15, 10));

        // Print Setup is the platform's printer dialog.
        form->Action("PrintSetupAction")->trigger();
        QCOMPARE(env->Dialogs().printerDialogs, 1);
    }
};

QTEST_MAIN(InkwellFormTest)
#include "inkwell_form_test.moc"

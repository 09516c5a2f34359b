#pragma once
// The text editor for the program's own data files (the coil-maker catalogue): an editor with
// INI colouring, bookmarks, keystroke macros, find and replace and printing, in a window with
// a menu, a toolbar and two status panels. Created once and reused: its text, file name and
// modified flag stay between showings. Every close that goes through ends with the OK result,
// saved or not, so that the caller always reloads.

#include <QDialog>
#include <QString>

#include <Qsci/qsciprinter.h>
#include <Qsci/qsciscintilla.h>

class QAction;
class QLabel;
class QMenuBar;
class QStatusBar;
class QToolBar;
class QsciLexerProperties;
class QsciMacro;

namespace qdx::app {

class TSearchDialog;

// The editing surface; files dropped on it are handed on instead of being inserted as text.
class TInkwellEditor : public QsciScintilla {
    Q_OBJECT
public:
    explicit TInkwellEditor(QWidget* parent = nullptr);

signals:
    void FilesDropped(const QStringList& paths);

protected:
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;
};

// Prints the text with a header (the file name) and a footer (the page number) in the bands
// above and below it.
class TInkwellPrinter : public QsciPrinter {
public:
    TInkwellPrinter();
    QString HeaderText;
    void formatPage(QPainter& painter, bool drawing, QRect& area, int pagenr) override;
};

class TInkwellForm : public QDialog {
    Q_OBJECT
public:
    explicit TInkwellForm(QWidget* parent = nullptr);
    ~TInkwellForm() override;

    QString EditFileName() const { return editFileName_; }
    void SetEditFileName(const QString& path) { editFileName_ = path; }
    bool TextModified() const { return textModified_; }

    // Loads EditFileName when it names a file that exists; otherwise the text and caption stay.
    void LoadTextFile();
    // Writes the text to EditFileName; false (with "Error saving file...") when it could not.
    bool SaveTextFile();
    // True when there is nothing to save, or the user saved (Yes) or declined (No); false on
    // Cancel or when the save failed.
    bool ConfirmTextSave();

    TInkwellEditor* Editor() const { return editor_; }
    QsciLexerProperties* Lexer() const { return lexer_; }
    TInkwellPrinter& Printer() { return printer_; }
    TSearchDialog* FindDialog() const { return findDialog_; }
    TSearchDialog* ReplaceDialog() const { return replaceDialog_; }
    QLabel* StatusPanel(int i) const { return i == 0 ? statusModified_ : statusPosition_; }
    bool Recording() const { return recording_; }

    // The commands, by the name they are reached with (objectName).
    QAction* Action(const QString& objectName) const;

public slots:
    void New();
    void Open();
    void Save();
    void SaveAs();
    void PrintSetup();
    void Print();
    void Find();
    void Replace();
    void LineCount();
    void ToggleLineNumbers(bool on);
    void Cut();
    void Copy();
    void Paste();
    void SelectBackgroundColor();
    void BrowseWebSite();
    void ToggleMacroRecording();
    void PlayMacro();
    void ShowHelp();

protected:
    void closeEvent(QCloseEvent* e) override;
    // Escape goes through the same close check as the close button.
    void reject() override;

private:
    void BuildEditor();
    void BuildActions();
    void SetTextModified(bool v);
    void LoadDroppedFiles(const QStringList& paths);
    bool SearchNext(const TSearchDialog& d, bool forward);
    void ReplaceOne();
    void ReplaceEvery();
    void TrimLineLeft(int line);
    void ToggleBookmark(int line);
    void ShowStatusText(const QString& text);
    QAction* AddAction(const QString& name, const QString& caption, const QString& hint,
                       const QKeySequence& key = {});

    TInkwellEditor* editor_ = nullptr;
    QsciLexerProperties* lexer_ = nullptr;
    QsciMacro* macro_ = nullptr;
    TInkwellPrinter printer_;
    QMenuBar* menuBar_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    QLabel* statusModified_ = nullptr;
    QLabel* statusPosition_ = nullptr;
    TSearchDialog* findDialog_ = nullptr;
    TSearchDialog* replaceDialog_ = nullptr;
    QString editFileName_;
    QString openDir_;
    QString saveAsFileName_;
    QString webAddress_;
    bool textModified_ = false;
    bool loading_ = false;
    bool recording_ = false;
    // How the file was written, kept when it is saved again.
    bool latin1_ = false;
    bool byteOrderMark_ = false;
    int editedLine_ = -1;  // the line last typed in, trimmed when the caret leaves it
    int caretLine_ = 0;
};

}  // namespace qdx::app

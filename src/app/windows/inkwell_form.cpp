#include "app/windows/inkwell_form.hpp"

#include <algorithm>

#include <QAction>
#include <QCloseEvent>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QSaveFile>
#include <QScrollBar>
#include <QStatusBar>
#include <QStringDecoder>
#include <QStyle>
#include <QToolBar>
#include <QToolTip>
#include <QUrl>
#include <QVBoxLayout>

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>
#include <Qsci/qscilexerproperties.h>
#include <Qsci/qscimacro.h>

#include "app/platform/dialogs.hpp"
#include "app/windows/search_dialog.hpp"
#include "documents/folders.hpp"
#include "documents/version_info.hpp"
#include "engine/coil_settings_store.hpp"

namespace qdx::app {

namespace {

constexpr int kBookmarkMarker = 1;
constexpr const char* kFilter = "Text Files (*.ini *.txt);;All Files (*)";

// Fonts are given in pixels on a 96 dpi screen; the editor and the printer take points.
QFont PixelFont(const char* family, int pixels) {
    QFont f(family);
    f.setPointSizeF(pixels * 72.0 / 96.0);
    return f;
}

QStringList LocalFiles(const QMimeData* mime) {
    QStringList paths;
    if (!mime || !mime->hasUrls()) return paths;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile()) paths << url.toLocalFile();
    return paths;
}

}  // namespace

// ---- TInkwellEditor ----

TInkwellEditor::TInkwellEditor(QWidget* parent) : QsciScintilla(parent) {}

void TInkwellEditor::dragEnterEvent(QDragEnterEvent* e) {
    if (!LocalFiles(e->mimeData()).isEmpty())
        e->acceptProposedAction();
    else
        QsciScintilla::dragEnterEvent(e);
}

void TInkwellEditor::dragMoveEvent(QDragMoveEvent* e) {
    if (!LocalFiles(e->mimeData()).isEmpty())
        e->acceptProposedAction();
    else
        QsciScintilla::dragMoveEvent(e);
}

void TInkwellEditor::dropEvent(QDropEvent* e) {
    const QStringList paths = LocalFiles(e->mimeData());
    if (paths.isEmpty()) {
        QsciScintilla::dropEvent(e);
        return;
    }
    e->acceptProposedAction();
    emit FilesDropped(paths);
}

// ---- TInkwellPrinter ----

TInkwellPrinter::TInkwellPrinter() : QsciPrinter(QPrinter::HighResolution) {
    // Left 25, right 15, top and bottom 25 mm to the text, of which 15 mm above and below hold
    // the header and the footer.
    setPageMargins(QMarginsF(25, 10, 15, 10), QPageLayout::Millimeter);
    setWrapMode(QsciScintilla::WrapWord);
}

void TInkwellPrinter::formatPage(QPainter& painter, bool drawing, QRect& area, int pagenr) {
    const double mm = painter.device()->logicalDpiY() / 25.4;
    const int band = static_cast<int>(15 * mm);
    const int indent = static_cast<int>(2 * mm);
    const int inner = static_cast<int>(0.5 * mm);
    const QRect header(area.left(), area.top(), area.width(), band);
    const QRect footer(area.left(), area.bottom() - band + 1, area.width(), band);
    area.setTop(header.bottom() + 1);
    area.setBottom(footer.top() - 1);
    if (!drawing) return;
    painter.save();
    painter.setFont(PixelFont("Arial", 13));
    painter.setPen(Qt::black);
    const QRect headerText = header.adjusted(indent, 0, -indent, -inner);
    painter.drawText(headerText, Qt::AlignLeft | Qt::AlignBottom, HeaderText);
    painter.drawLine(header.left(), header.bottom(), header.right(), header.bottom());
    const QRect footerText = footer.adjusted(indent, inner, -indent, 0);
    painter.drawLine(footer.left(), footer.top(), footer.right(), footer.top());
    painter.drawText(footerText, Qt::AlignRight | Qt::AlignTop, QString("Page %1").arg(pagenr));
    painter.restore();
}

// ---- TInkwellForm ----

TInkwellForm::TInkwellForm(QWidget* parent) : QDialog(parent) {
    setObjectName("InkwellForm");
    setWindowTitle(QString::fromStdString(ProgramTitle()));
    setSizeGripEnabled(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    resize(640, 480);

    BuildEditor();
    BuildActions();

    findDialog_ = new TSearchDialog(TSearchDialog::TKind::Find, this);
    replaceDialog_ = new TSearchDialog(TSearchDialog::TKind::Replace, this);
    connect(findDialog_, &TSearchDialog::FindNext, this,
            [this] { SearchNext(*findDialog_, findDialog_->Down()); });
    connect(replaceDialog_, &TSearchDialog::FindNext, this,
            [this] { SearchNext(*replaceDialog_, true); });
    connect(replaceDialog_, &TSearchDialog::Replace, this, &TInkwellForm::ReplaceOne);
    connect(replaceDialog_, &TSearchDialog::ReplaceAll, this, &TInkwellForm::ReplaceEvery);

    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName("StatusBar");
    statusBar_->setSizeGripEnabled(false);
    statusModified_ = new QLabel("Ready..", statusBar_);
    statusModified_->setObjectName("StatusPanel0");
    statusModified_->setFixedWidth(120);
    statusPosition_ = new QLabel("1: 1", statusBar_);
    statusPosition_->setObjectName("StatusPanel1");
    statusPosition_->setFixedWidth(50);
    statusBar_->addWidget(statusModified_);
    statusBar_->addWidget(statusPosition_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar_);
    layout->addWidget(toolBar_);
    layout->addWidget(editor_, 1);
    layout->addWidget(statusBar_);

    openDir_ = QString::fromStdString(ExeDir());
    webAddress_ = QString::fromStdString(ReadCompanySettings().web);
}

TInkwellForm::~TInkwellForm() = default;

void TInkwellForm::BuildEditor() {
    editor_ = new TInkwellEditor(this);
    editor_->setObjectName("Editor");
    editor_->setUtf8(true);
    const QFont text = PixelFont("Courier New", 13);
    editor_->setFont(text);
    editor_->setMarginsFont(PixelFont("Terminal", 11));

    lexer_ = new QsciLexerProperties(editor_);
    lexer_->setDefaultFont(text);
    lexer_->setFont(text);
    lexer_->setColor(QColor(0, 0, 64), QsciLexerProperties::Section);
    lexer_->setColor(QColor(128, 64, 64), QsciLexerProperties::Key);
    lexer_->setColor(QColor(0, 115, 170), QsciLexerProperties::Default);
    editor_->setLexer(lexer_);

    editor_->setAutoIndent(true);
    editor_->setIndentationsUseTabs(false);
    editor_->setTabWidth(8);
    editor_->setTabIndents(true);
    editor_->setBackspaceUnindents(true);
    editor_->SendScintilla(QsciScintillaBase::SCI_SETVIRTUALSPACEOPTIONS,
                           QsciScintillaBase::SCVS_USERACCESSIBLE |
                               QsciScintillaBase::SCVS_RECTANGULARSELECTION);
    editor_->SendScintilla(QsciScintillaBase::SCI_SETRECTANGULARSELECTIONMODIFIER,
                           QsciScintillaBase::SCMOD_ALT);
    editor_->SendScintilla(QsciScintillaBase::SCI_SETMOUSESELECTIONRECTANGULARSWITCH, 1);
    // The horizontal scroll bar only when a line is wider than the window.
    editor_->SendScintilla(QsciScintillaBase::SCI_SETSCROLLWIDTH, 1);
    editor_->SendScintilla(QsciScintillaBase::SCI_SETSCROLLWIDTHTRACKING, 1);
    editor_->SendScintilla(QsciScintillaBase::SCI_SETPRINTCOLOURMODE,
                           QsciScintillaBase::SC_PRINT_COLOURONWHITE);

    // Gutter: line numbers (off until asked for) and a bookmark column.
    editor_->setMarginType(0, QsciScintilla::NumberMargin);
    editor_->setMarginWidth(0, 0);
    editor_->setMarginType(1, QsciScintilla::SymbolMargin);
    editor_->setMarginWidth(1, 14);
    editor_->setMarginMarkerMask(1, 1 << kBookmarkMarker);
    editor_->setMarginSensitivity(1, true);
    editor_->markerDefine(QsciScintilla::Bookmark, kBookmarkMarker);
    connect(editor_, &QsciScintilla::marginClicked, this,
            [this](int, int line, Qt::KeyboardModifiers) { ToggleBookmark(line); });

    // Cut, copy and paste are the window's commands, which go through the program's clipboard.
    QsciCommandSet* commands = editor_->standardCommands();
    for (auto cmd : {QsciCommand::SelectionCut, QsciCommand::SelectionCopy, QsciCommand::Paste}) {
        if (QsciCommand* c = commands->find(cmd)) {
            c->setKey(0);
            c->setAlternateKey(0);
        }
    }

    macro_ = new QsciMacro(editor_);

    connect(editor_, &QsciScintilla::textChanged, this, [this] {
        if (loading_) return;
        SetTextModified(true);
        // The line the caret stood on when the text changed (it moves after the change).
        editedLine_ = caretLine_;
    });
    connect(editor_, &QsciScintilla::cursorPositionChanged, this, [this](int line, int index) {
        if (editedLine_ >= 0 && line != editedLine_) TrimLineLeft(editedLine_);
        caretLine_ = line;
        statusPosition_->setText(QString("%1: %2").arg(line + 1).arg(index + 1));
    });
    connect(editor_, &TInkwellEditor::FilesDropped, this, &TInkwellForm::LoadDroppedFiles);
    // The scroll hint: the line that will be at the top while the thumb is dragged.
    connect(editor_->verticalScrollBar(), &QScrollBar::sliderMoved, this, [this](int value) {
        QToolTip::showText(QCursor::pos(), QString("Top Line: %1").arg(value + 1), editor_);
    });
}

QAction* TInkwellForm::AddAction(const QString& name, const QString& caption, const QString& hint,
                                 const QKeySequence& key) {
    auto* a = new QAction(caption, this);
    a->setObjectName(name);
    const int bar = hint.indexOf('|');
    a->setToolTip(bar < 0 ? hint : hint.left(bar));
    a->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
    if (!key.isEmpty()) a->setShortcut(key);
    connect(a, &QAction::hovered, this, [this, a] { ShowStatusText(a->statusTip()); });
    addAction(a);
    return a;
}

void TInkwellForm::BuildActions() {
    QStyle* s = style();
    QAction* newAct = AddAction("NewAction", "New", "Start new file", QKeySequence("Ctrl+N"));
    newAct->setIcon(s->standardIcon(QStyle::SP_FileIcon));
    QAction* open = AddAction("OpenAction", "&Open...", "Open|Opens an existing file",
                              QKeySequence("Ctrl+O"));
    open->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
    QAction* save = AddAction("SaveAction", "&Save", "Save current file", QKeySequence("Ctrl+S"));
    save->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
    QAction* saveAs = AddAction("SaveAsAction", "Save &As..",
                                "Save As|Saves the active file with a new name");
    QAction* printSetup = AddAction("PrintSetupAction", "Print Set&up...", "Print Setup");
    QAction* print = AddAction("PrintAction", "&Print", "Print current file", QKeySequence("Ctrl+P"));
    QAction* exit = AddAction("ExitAction", "E&xit", "Exit|Quits the application");
    QAction* find = AddAction("FindAction", "&Find", "Find", QKeySequence("Ctrl+F"));
    QAction* replace = AddAction("ReplaceAction", "&Replace", "Replace");
    QAction* lineCount = AddAction("LineCountAction", "&Line Count", "Line Count");
    QAction* lineNumbers = AddAction("LineNumbersAction", "Line &Numbers", "Line Numbers");
    lineNumbers->setCheckable(true);
    QAction* cut = AddAction("CutAction", "Cu&t", "Cut|Cuts the selection and puts it on the Clipboard");
    cut->setShortcuts({QKeySequence("Ctrl+X"), QKeySequence("Shift+Del")});
    cut->setIcon(QIcon::fromTheme("edit-cut"));
    QAction* copy = AddAction("CopyAction", "&Copy",
                              "Copy|Copies the selection and puts it on the Clipboard");
    copy->setShortcuts({QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Ins")});
    copy->setIcon(QIcon::fromTheme("edit-copy"));
    QAction* paste = AddAction("PasteAction", "&Paste", "Paste|Inserts Clipboard contents");
    paste->setShortcuts({QKeySequence("Ctrl+V"), QKeySequence("Shift+Ins")});
    paste->setIcon(QIcon::fromTheme("edit-paste"));
    QAction* selectAll = AddAction("SelectAllAction", "Select &All",
                                   "Select All|Selects the entire document", QKeySequence("Ctrl+A"));
    QAction* undo = AddAction("UndoAction", "&Undo", "Undo|Reverts the last action",
                              QKeySequence("Ctrl+Z"));
    QAction* background = AddAction("BackgroundAction", "Select &Background Color...", "Color Select");
    QAction* web = AddAction("WebAction", "&Browse Web Site", "Browse URL");
    QAction* about = AddAction("AboutAction", "About", "About");
    about->setVisible(false);
    // Keys without a menu item.
    QAction* help = AddAction("HelpAction", "Help", "Help", QKeySequence("Ctrl+F1"));
    QAction* record = AddAction("RecordMacroAction", "Record Macro", "Start or stop recording keystrokes",
                                QKeySequence("Ctrl+Shift+R"));
    QAction* play = AddAction("PlayMacroAction", "Play Macro", "Play the recorded keystrokes",
                              QKeySequence("Ctrl+Shift+P"));
    QAction* toggleMark = AddAction("ToggleBookmarkAction", "Toggle Bookmark", "Toggle Bookmark",
                                    QKeySequence("Ctrl+F2"));
    QAction* nextMark = AddAction("NextBookmarkAction", "Next Bookmark", "Next Bookmark",
                                  QKeySequence("F2"));
    QAction* previousMark = AddAction("PreviousBookmarkAction", "Previous Bookmark",
                                      "Previous Bookmark", QKeySequence("Shift+F2"));

    connect(newAct, &QAction::triggered, this, &TInkwellForm::New);
    connect(open, &QAction::triggered, this, &TInkwellForm::Open);
    connect(save, &QAction::triggered, this, &TInkwellForm::Save);
    connect(saveAs, &QAction::triggered, this, &TInkwellForm::SaveAs);
    connect(printSetup, &QAction::triggered, this, &TInkwellForm::PrintSetup);
    connect(print, &QAction::triggered, this, &TInkwellForm::Print);
    connect(exit, &QAction::triggered, this, &QWidget::close);
    connect(find, &QAction::triggered, this, &TInkwellForm::Find);
    connect(replace, &QAction::triggered, this, &TInkwellForm::Replace);
    connect(lineCount, &QAction::triggered, this, &TInkwellForm::LineCount);
    connect(lineNumbers, &QAction::toggled, this, &TInkwellForm::ToggleLineNumbers);
    connect(cut, &QAction::triggered, this, &TInkwellForm::Cut);
    connect(copy, &QAction::triggered, this, &TInkwellForm::Copy);
    connect(paste, &QAction::triggered, this, &TInkwellForm::Paste);
    connect(selectAll, &QAction::triggered, editor_, [this] { editor_->selectAll(); });
    connect(undo, &QAction::triggered, editor_, &QsciScintilla::undo);
    connect(background, &QAction::triggered, this, &TInkwellForm::SelectBackgroundColor);
    connect(web, &QAction::triggered, this, &TInkwellForm::BrowseWebSite);
    connect(about, &QAction::triggered, this, [this] {
        Dialogs().ShowMessage(this, QString::fromStdString(ProgramTitle()));
    });
    connect(help, &QAction::triggered, this, &TInkwellForm::ShowHelp);
    connect(record, &QAction::triggered, this, &TInkwellForm::ToggleMacroRecording);
    connect(play, &QAction::triggered, this, &TInkwellForm::PlayMacro);
    connect(toggleMark, &QAction::triggered, this, [this] { ToggleBookmark(caretLine_); });
    connect(nextMark, &QAction::triggered, this, [this] {
        int line = editor_->markerFindNext(caretLine_ + 1, 1u << kBookmarkMarker);
        if (line < 0) line = editor_->markerFindNext(0, 1u << kBookmarkMarker);
        if (line >= 0) editor_->setCursorPosition(line, 0);
    });
    connect(previousMark, &QAction::triggered, this, [this] {
        int line = editor_->markerFindPrevious(caretLine_ - 1, 1u << kBookmarkMarker);
        if (line < 0) line = editor_->markerFindPrevious(editor_->lines() - 1, 1u << kBookmarkMarker);
        if (line >= 0) editor_->setCursorPosition(line, 0);
    });

    menuBar_ = new QMenuBar(this);
    menuBar_->setObjectName("MainMenu");
    QMenu* file = menuBar_->addMenu("&File");
    file->setObjectName("FileMenu");
    file->addActions({open, save, saveAs});
    file->addSeparator();
    file->addActions({printSetup, print});
    file->addSeparator();
    file->addAction(exit);
    QMenu* search = menuBar_->addMenu("&Search");
    search->setObjectName("SearchMenu");
    search->addActions({find, replace});
    QMenu* view = menuBar_->addMenu("&View");
    view->setObjectName("ViewMenu");
    view->addActions({lineCount, lineNumbers});
    QMenu* edit = menuBar_->addMenu("&Edit");
    edit->setObjectName("EditMenu");
    edit->addActions({cut, copy, paste, selectAll, undo});
    QMenu* helpMenu = menuBar_->addMenu("&Help");
    helpMenu->setObjectName("HelpMenu");
    helpMenu->addActions({background, web, about});

    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName("ToolBar");
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolBar_->addActions({newAct, open, save});
    toolBar_->addSeparator();
    toolBar_->addActions({cut, copy, paste});

    editor_->setContextMenuPolicy(Qt::ActionsContextMenu);
    editor_->addActions({undo, cut, copy, paste, selectAll});
}

QAction* TInkwellForm::Action(const QString& objectName) const {
    return findChild<QAction*>(objectName, Qt::FindDirectChildrenOnly);
}

void TInkwellForm::SetTextModified(bool v) {
    textModified_ = v;
    statusModified_->setText(v ? "Modified..." : "Ready...");
}

void TInkwellForm::ShowStatusText(const QString& text) {
    if (text.isEmpty())
        statusBar_->clearMessage();
    else
        statusBar_->showMessage(text, 4000);
}

void TInkwellForm::LoadTextFile() {
    if (editFileName_.isEmpty()) return;
    QFile file(editFileName_);
    if (!QFileInfo(file).isFile()) return;
    if (!file.open(QIODevice::ReadOnly)) {
        Dialogs().ShowMessage(this, "Error reading file...\n" + editFileName_, TMsgKind::Error);
        return;
    }
    QByteArray bytes = file.readAll();
    byteOrderMark_ = bytes.startsWith("\xEF\xBB\xBF");
    if (byteOrderMark_) bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    // A file that is not UTF-8 is read and written back byte for byte as Latin-1.
    latin1_ = utf8.hasError();
    if (latin1_) text = QString::fromLatin1(bytes);
    editor_->setEolMode(bytes.contains("\r\n") ? QsciScintilla::EolWindows
                        : bytes.contains('\r') ? QsciScintilla::EolMac
                                               : QsciScintilla::EolUnix);
    loading_ = true;
    editor_->setText(text);
    loading_ = false;
    editor_->SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
    editor_->markerDeleteAll(kBookmarkMarker);
    editor_->setCursorPosition(0, 0);
    caretLine_ = 0;
    editedLine_ = -1;
    setWindowTitle(editFileName_);
    SetTextModified(false);
}

bool TInkwellForm::SaveTextFile() {
    if (editedLine_ >= 0) TrimLineLeft(editedLine_);
    const QString text = editor_->text();
    const bool latin1 = latin1_ && std::all_of(text.cbegin(), text.cend(),
                                               [](QChar c) { return c.unicode() < 256; });
    QByteArray bytes = latin1 ? text.toLatin1() : text.toUtf8();
    if (byteOrderMark_ && !latin1) bytes.prepend("\xEF\xBB\xBF");
    const QFileInfo info(editFileName_);
    QSaveFile file(editFileName_);
    const bool saved = !editFileName_.isEmpty() && !(info.exists() && !info.isWritable()) &&
                       file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
                       file.commit();
    if (!saved) {
        Dialogs().ShowMessage(this, "Error saving file...\n" + editFileName_, TMsgKind::Error);
        return false;
    }
    latin1_ = latin1;
    setWindowTitle(editFileName_);
    SetTextModified(false);
    return true;
}

bool TInkwellForm::ConfirmTextSave() {
    if (!textModified_) return true;
    const QString name =
        editFileName_.isEmpty() ? QString("File") : QFileInfo(editFileName_).fileName();
    switch (Dialogs().Message(this, name + " not saved.\rSave now?", QString(),
                              TMsgKind::Confirmation, TMsgButtons::YesNoCancel, TMsgResult::Yes)) {
        case TMsgResult::Yes: return SaveTextFile();
        case TMsgResult::No: return true;
        default: return false;
    }
}

void TInkwellForm::New() {
    editor_->clear();
    editor_->markerDeleteAll(kBookmarkMarker);
    editor_->SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
    editedLine_ = -1;
}

void TInkwellForm::Open() {
    const QString path = Dialogs().OpenFileName(
        this, "Open", editFileName_.isEmpty() ? openDir_ : editFileName_, kFilter);
    if (path.isEmpty()) return;
    editFileName_ = path;
    openDir_ = QFileInfo(path).absolutePath();
    LoadTextFile();
}

void TInkwellForm::Save() { SaveTextFile(); }

void TInkwellForm::SaveAs() {
    const QString path = Dialogs().SaveFileName(
        this, "Save As", editFileName_.isEmpty() ? openDir_ : editFileName_, kFilter);
    if (path.isEmpty()) return;
    editFileName_ = path;
    SaveTextFile();
}

void TInkwellForm::PrintSetup() { Dialogs().ChoosePrinter(this, printer_, true); }

void TInkwellForm::Print() {
    // Without a printer or an output file there is nowhere to print to: ask first.
    if (printer_.printerName().isEmpty() && printer_.outputFileName().isEmpty() &&
        !Dialogs().ChoosePrinter(this, printer_, false))
        return;
    printer_.HeaderText = editFileName_;
    if (!printer_.printRange(editor_))
        Dialogs().ShowMessage(this, "Error printing...", TMsgKind::Error);
}

void TInkwellForm::Find() {
    if (findDialog_->FindText().isEmpty()) findDialog_->SetFindText(replaceDialog_->FindText());
    findDialog_->show();
    findDialog_->raise();
    findDialog_->activateWindow();
}

void TInkwellForm::Replace() {
    if (replaceDialog_->FindText().isEmpty()) replaceDialog_->SetFindText(findDialog_->FindText());
    replaceDialog_->show();
    replaceDialog_->raise();
    replaceDialog_->activateWindow();
}

bool TInkwellForm::SearchNext(const TSearchDialog& d, bool forward) {
    const QString text = d.FindText();
    if (text.isEmpty()) return false;
    int lineFrom = 0, indexFrom = 0, lineTo = 0, indexTo = 0;
    editor_->getSelection(&lineFrom, &indexFrom, &lineTo, &indexTo);
    if (lineFrom < 0) {
        editor_->getCursorPosition(&lineFrom, &indexFrom);
        lineTo = lineFrom;
        indexTo = indexFrom;
    }
    // Forward from the end of the selection (a found text), backwards from its start.
    const bool found = forward ? editor_->findFirst(text, false, d.MatchCase(), d.WholeWord(),
                                                    false, true, lineTo, indexTo)
                               : editor_->findFirst(text, false, d.MatchCase(), d.WholeWord(),
                                                    false, false, lineFrom, indexFrom);
    if (!found) {
        Dialogs().Beep();
        ShowStatusText(QString("Search text '%1' not found").arg(text));
    }
    return found;
}

void TInkwellForm::ReplaceOne() {
    const TSearchDialog& d = *replaceDialog_;
    const Qt::CaseSensitivity cs = d.MatchCase() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (editor_->hasSelectedText() && editor_->selectedText().compare(d.FindText(), cs) == 0)
        editor_->replaceSelectedText(d.ReplaceText());
    SearchNext(d, true);
}

void TInkwellForm::ReplaceEvery() {
    const TSearchDialog& d = *replaceDialog_;
    if (d.FindText().isEmpty()) return;
    int count = 0;
    editor_->beginUndoAction();
    bool found =
        editor_->findFirst(d.FindText(), false, d.MatchCase(), d.WholeWord(), false, true, 0, 0);
    while (found) {
        editor_->replace(d.ReplaceText());
        ++count;
        found = editor_->findNext();
    }
    editor_->endUndoAction();
    ShowStatusText(QString("%1 replaced").arg(count));
}

void TInkwellForm::TrimLineLeft(int line) {
    editedLine_ = -1;
    if (line >= editor_->lines()) return;
    const long start = editor_->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, line);
    const long end = editor_->SendScintilla(QsciScintillaBase::SCI_GETLINEENDPOSITION, line);
    long from = end;
    while (from > start) {
        const long c = editor_->SendScintilla(QsciScintillaBase::SCI_GETCHARAT, from - 1);
        if (c != ' ' && c != '\t') break;
        --from;
    }
    if (from == end) return;
    loading_ = true;  // not an edit of the user's: the modified flag is already set
    editor_->SendScintilla(QsciScintillaBase::SCI_SETTARGETSTART, from);
    editor_->SendScintilla(QsciScintillaBase::SCI_SETTARGETEND, end);
    editor_->SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, static_cast<unsigned long>(0), "");
    loading_ = false;
}

void TInkwellForm::ToggleBookmark(int line) {
    if (editor_->markersAtLine(line) & (1u << kBookmarkMarker))
        editor_->markerDelete(line, kBookmarkMarker);
    else
        editor_->markerAdd(line, kBookmarkMarker);
}

void TInkwellForm::LineCount() {
    Dialogs().ShowMessage(this, QString("Line Count: %1").arg(editor_->lines()));
}

void TInkwellForm::ToggleLineNumbers(bool on) {
    editor_->setMarginLineNumbers(0, on);
    if (on)
        editor_->setMarginWidth(0, QString("00000"));
    else
        editor_->setMarginWidth(0, 0);
}

void TInkwellForm::Cut() {
    if (!editor_->hasSelectedText()) return;
    Dialogs().SetClipboardText(editor_->selectedText());
    editor_->removeSelectedText();
}

void TInkwellForm::Copy() {
    if (editor_->hasSelectedText()) Dialogs().SetClipboardText(editor_->selectedText());
}

void TInkwellForm::Paste() {
    const QString text = Dialogs().ClipboardText();
    if (!text.isEmpty()) editor_->replaceSelectedText(text);
}

void TInkwellForm::SelectBackgroundColor() {
    const std::optional<QColor> c = Dialogs().ChooseColor(this, editor_->paper());
    if (!c) return;
    editor_->setPaper(*c);
    lexer_->setDefaultPaper(*c);
    lexer_->setPaper(*c);
}

void TInkwellForm::BrowseWebSite() {
    if (webAddress_.isEmpty()) {
        Dialogs().Beep();
        ShowStatusText("No web address in the company settings");
        return;
    }
    Dialogs().OpenUrl(QUrl::fromUserInput(webAddress_));
}

void TInkwellForm::ToggleMacroRecording() {
    if (recording_) {
        macro_->endRecording();
        recording_ = false;
        ShowStatusText("Macro recorded");
    } else {
        macro_->startRecording();
        recording_ = true;
        statusBar_->showMessage("Recording macro...");
    }
}

void TInkwellForm::PlayMacro() {
    if (!recording_) macro_->play();
}

void TInkwellForm::ShowHelp() {
    Dialogs().OpenUrl(QUrl::fromLocalFile(QString::fromStdString(MakerCommonDir()) + "Coils.htm"));
}

void TInkwellForm::LoadDroppedFiles(const QStringList& paths) {
    if (paths.isEmpty()) return;
    editFileName_ = paths.first();
    LoadTextFile();
}

void TInkwellForm::closeEvent(QCloseEvent* e) {
    if (!ConfirmTextSave()) {
        e->ignore();
        return;
    }
    e->accept();
    QDialog::done(QDialog::Accepted);
}

void TInkwellForm::reject() { close(); }

}  // namespace qdx::app

#pragma once
// The technical window every grid window of the program derives from: a toolbar of actions, a
// status bar of label panels, the property grid, and the window's own right-click menu with
// "Copy to XML" and "Clip screen". The grid sits in a panel of its own, which also holds the
// grid's row buttons.
//
// An action does nothing until a handler is connected to it; actions that a window does not
// offer are hidden.

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <vector>

class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace qdx::app {

class TEntryGrid;

// The grid's rows as "Copy to XML" writes them: row 0 is the header; each row holds the texts of
// columns 0 (name), 1 (value) and 2 (units) as the grid shows them. The root element is named
// after the value of row 1 and every later row is one element; nothing is escaped. Lines end with
// CR LF, all but the last.
QString GridXmlText(const QList<QStringList>& rows);

class TTechForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TTechForm(QWidget* parent = nullptr);

    // The toolbar actions, in the toolbar's order.
    QAction* OpenAction;
    QAction* SaveAction;
    QAction* CopyAction;
    QAction* PasteAction;
    QAction* SolveAction;
    QAction* ViewAction;
    QAction* PrintAction;
    QAction* AlignAction;
    QAction* ResetAction;
    QAction* AcceptAction;
    QAction* CancelAction;
    QAction* AboutAction;
    QAction* HelpAction;

    // The status bar panel i.
    QLabel& Panel(int i) { return *panels_.at(static_cast<size_t>(i)); }
    int PanelCount() const { return static_cast<int>(panels_.size()); }

    // The property grid, the window's central widget.
    TEntryGrid& Grid() const { return *grid_; }
    // The cells of the grid as it shows them, row 0 the header.
    QList<QStringList> GridCells() const;
    // Ends an open in-place edit, committing what was typed.
    void CommitGridEdit();

    // "Copy to XML": the grid as XML on the clipboard.
    void CopytoXML1Click();
    // "Clip screen": the active window as a JPEG picture in the user data folder and on the
    // clipboard. False when the picture could not be written.
    bool ClipScreen();
    // Where ClipScreen writes.
    static QString ClipFileName();

    // The window's own right-click menu.
    QMenu& WindowMenu() { return *windowMenu_; }

protected:
    // Panels of the given widths (the last one takes the rest).
    void CreatePanels(const std::vector<int>& widths);
    // The grid's right-click menu.
    void SetGridMenu(QMenu* menu);
    QToolBar& ToolBar() { return *toolBar_; }
    QToolBar& SecondToolBar() { return *secondToolBar_; }
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QToolBar* toolBar_;
    QToolBar* secondToolBar_;
    QMenu* windowMenu_;
    QMenu* gridMenu_ = nullptr;
    TEntryGrid* grid_;
    std::vector<QLabel*> panels_;
};

}  // namespace qdx::app

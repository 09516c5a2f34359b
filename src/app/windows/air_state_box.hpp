#pragma once
// The moist air state window: a toolbar, a property grid of the point's eleven properties and
// its name, and a status line. Any two properties fix the state: the two that do are drawn in
// the hot-light colour. A state with an error stays on screen with its message until the window
// is left, when the last accepted state comes back.

#include <QDialog>
#include <QString>

#include "fluids/air_state_editor.hpp"

class QAction;
class QLabel;
class QToolBar;

namespace qdx::app {

class TAirStateDlg;
class TEntryGrid;

class TAirStateBox : public QDialog {
    Q_OBJECT
public:
    // A window over the dialog's point, laid out as the dialog says.
    explicit TAirStateBox(TAirStateDlg& dlg, QWidget* parent = nullptr);
    ~TAirStateBox() override;

    TAirStateEditor& Editor() { return editor_; }
    TEntryGrid* Grid() const { return grid_; }
    QLabel* StatusPanel() const { return status_; }
    QToolBar* ToolBar() const { return toolBar_; }
    // The commands by objectName: OpenAction, SaveAction, CopyAction, PasteAction, ViewAction,
    // CopyToXmlAction, HelpAction, AcceptAction, CancelAction.
    QAction* Action(const QString& objectName) const;

    // Rows 1..12 from the point, and the status line from the editor.
    void RefreshGrid();
    // The window's texts for the clipboard.
    QString XmlText() const;
    QString TableText() const;

    // What activation and leaving the window do (the window's own events call them).
    void ActivateBox();
    void DeactivateBox();

public slots:
    void OpenFile();
    void SaveFile();
    void CopyDbWb();
    void PasteState();
    void ViewTable();
    void CopyToXml();
    void ShowHelp();
    void AcceptState();
    void CancelState();

    // Modal results 1 (OK) and 2 (Cancel); closing the window is Cancel.
    void done(int result) override;
    void reject() override;

protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void SetData(int row);
    void ShowStatus();
    bool RowEditable(int row) const;
    QString FileFolder() const;

    TAirStateDlg& dlg_;
    TAirStateEditor editor_;
    QToolBar* toolBar_;
    TEntryGrid* grid_;
    QLabel* status_;
    bool closing_ = false;
};

}  // namespace qdx::app

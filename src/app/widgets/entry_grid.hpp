#pragma once
// The property grid: a three-column sheet (property, value, units) whose rows are declared by
// one text line each. A line is split at Delim (";"), every part trimmed:
//
//   0 property name        shown in column 0
//   1 format               a printf-style pattern (string, pair, integer or float), or "enum"
//                          (pick list) or "check" (check box), ignoring case
//   2 units text           shown in column 2 until the row has a unit category
//   3 style                "PE" property-editor button, "Spin" spin buttons, anything else
//                          plain; for "enum" rows this and every later part is a choice text
//   4, 5 range low, high   numbers in the stored unit (numeric rows); empty is 0
//   6 spin step            a number; empty gives 1
//
// for example "Barometer; %0.3f; kPa; PE; 70; 120" or "Fluid Control; enum; ; Temperature; Flow".
// Line 0 is the header ("Property; Value; Units"). A numeric line whose range or step is not a
// number becomes a plain text row, and the user is told "Error initialising " + the name.
//
// Rows are numbered as the lines: row 0 is the header, data rows count from 1. Column 1 is the
// value column; numeric values go in and out in the stored unit (GetValue, SetValue) and are
// shown in the row's display unit. The row buttons, the pick list and the check box are
// children of the grid's parent widget placed over the current value cell, so that they are in
// the accessibility tree ("Edit ", "Choose ", "Increase ", "Decrease " + the property).
//
// Row operations never raise: a row that cannot take the operation is reported with a plain
// message box ("Error setting units, row " + the row number, ...).

#include <QCheckBox>
#include <QColor>
#include <QListWidget>
#include <QPointer>
#include <QStringList>
#include <QTableView>
#include <QToolButton>
#include <QVariant>

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "app/widgets/fields.hpp"
#include "app/widgets/fmt_edit.hpp"

namespace qdx::app {

class TEntryGrid;
class TEntryGridModel;
class TUnitsForm;

// Called for a mouse press in the units column of a data row that has a field: the grid, the
// row, the mouse position on the screen and the row's field.
using TUnitsClickHandler =
    std::function<void(TEntryGrid& grid, int row, const QPoint& screenPos, TField* field)>;

class TEntryGrid : public QTableView {
    Q_OBJECT
    friend class TEntryGridModel;
    friend class TEntryGridDelegate;

public:
    explicit TEntryGrid(QWidget* parent = nullptr);
    ~TEntryGrid() override;

    // --- rows ---
    // The row declarations, line 0 the header. Setting them rebuilds every row: the row count
    // becomes the number of lines (2 when there are none, with no fields).
    QStringList Lines() const { return lines_; }
    void SetLines(const QStringList& lines);
    void SetLinesFrom(const QStringList& lines) { SetLines(lines); }
    QChar Delim() const { return delim_; }
    void SetDelim(QChar delim) { delim_ = delim; }

    int RowCount() const;
    int ColCount() const { return colCount_; }
    void SetColCount(int count);
    // The text of a cell, also of the header row and of the hidden parts of a line beyond the
    // visible columns.
    QString Cells(int ACol, int ARow) const;
    void SetCells(int ACol, int ARow, const QString& text);
    // The descriptor of a row; null for a row without one.
    TField* Field(int ARow) const;

    // --- values ---
    // Column 1: a pair row gives the pair in stored units as text, a numeric row a number (a
    // qlonglong for integer formats), a pick-list row the index of its text (-1 when absent), a
    // check row a bool, a plain row its text. Other columns, and values that do not convert,
    // give the cell text.
    QVariant GetValue(int ACol, int ARow) const;
    // Column 1 shows the value as the row does (numbers converted to the display unit and
    // formatted, a pick-list index as its text, a bool as "[x]" or "[ ]"); other columns take
    // the value's text.
    void SetValue(int ACol, int ARow, const QVariant& value);

    // --- unit settings of numeric rows ---
    // Sets the row's category, format type and units (Offset and Factor only matter for
    // utNone, where they are the row's conversion) and shows the value in the new unit; an
    // index the category does not hold falls back to display index 0.
    void SetRowUnits(int ARow, TUnitsType unitsType, double offset, double factor,
                     TFormatType formatType, int unitsValue, int unitsBase);
    // Changes only the display unit (the same fall-back); no effect on non-numeric rows.
    void SetRowUnitsValue(int ARow, int unitsValue);
    // The row's settings; non-numeric rows give 0 (RowFormatStr the field's format).
    TUnitsType RowUnitsType(int ARow) const;
    int RowUnitsValue(int ARow) const;
    double RowFactor(int ARow) const;
    double RowOffset(int ARow) const;
    QString RowFormatStr(int ARow) const;
    // The range in display units.
    double RowRangeLo(int ARow) const;
    double RowRangeHi(int ARow) const;
    // True for a numeric row whose category is not utNone.
    bool RowHasUnits(int ARow) const;
    void SetRowSigDigs(int ARow, int sigDigs);
    void SetRowEnabled(int ARow, bool enabled);
    // True also for a row that cannot be read.
    bool RowEnabled(int ARow) const;
    // Makes the row a property-editor row (Kind 1) with the handler of its button.
    void SetRowPropertyEditor(int ARow, TPropertyEditHandler handler);
    // Makes the row a pick-list row (Kind 2) with these choices.
    void SetRowEnumStrings(int ARow, const QStringList& strings);
    // The choices of a pick-list row; empty for other rows.
    QStringList RowEnumItems(int ARow) const;

    // --- units column ---
    // The column whose press opens the units pop-up (default 2; -1 disables unit texts and
    // presses).
    int UnitsCol() const { return unitsCol_; }
    void SetUnitsCol(int col) { unitsCol_ = col; }
    // The standard handler (installed by the grid) opens the units pop-up for numeric rows
    // with a category and applies the chosen display unit.
    void SetUnitsClickHandler(TUnitsClickHandler handler) { unitsClickHandler_ = std::move(handler); }
    void StandardUnitsClick(int ARow, const QPoint& screenPos, TField* field);
    // The pop-up of the units cells, created at the first press; for tests and tools.
    TUnitsForm* UnitsForm() const { return unitsForm_; }

    // --- editing ---
    // The in-place editor: true while it is open. Setting false commits what was typed (the
    // validated text goes into the cell and OnDoSetData is raised); setting true opens it on
    // the current cell when the row allows.
    bool EditorMode() const;
    void SetEditorMode(bool on);
    // The open in-place editor, or null.
    TxInplaceEdit* InplaceEditor() const { return editor_; }
    // The current cell.
    int Col() const;
    int Row() const;
    void SetCurrentCell(int ACol, int ARow);
    using QAbstractItemView::edit;

    // --- row controls (children of the grid's parent) ---
    QToolButton* PropertyButton() const { return propButton_; }
    QToolButton* PullDownButton() const { return pullDownButton_; }
    QToolButton* SpinUpButton() const { return spinUpButton_; }
    QToolButton* SpinDownButton() const { return spinDownButton_; }
    QCheckBox* CheckBox() const { return checkBox_; }
    QListWidget* PickList() const { return pickList_; }

    // What the row buttons and keys do, callable directly.
    void Spin(int ARow, bool up);
    void PropertyEdit(int ARow);
    void OpenPickList();
    void ClosePickList();
    // The next (or previous) choice of a pick-list row, wrapping at both ends.
    void StepPickList(int ARow, bool forward);

    // --- look ---
    int DefaultRowHeight() const;
    void SetDefaultRowHeight(int height);
    int ColWidths(int ACol) const;
    void SetColWidths(int ACol, int width);
    void SetScrollBars(bool horizontal, bool vertical);
    // Background of the value column; default the grid colour.
    QColor ColorEditCol() const { return colorEditCol_; }
    void SetColorEditCol(const QColor& c);
    // Background and text colour of the in-place editor; default the grid and font colours.
    QColor ColorEditMode() const { return colorEditMode_; }
    void SetColorEditMode(const QColor& c) { colorEditMode_ = c; }
    QColor ColorEditModeText() const { return colorEditModeText_; }
    void SetColorEditModeText(const QColor& c) { colorEditModeText_ = c; }

    // May veto the in-place editor of a cell (return false).
    std::function<bool(int ACol, int ARow)> OnCanEditShow;
    // The text colour of a cell of an enabled row; an invalid colour keeps the usual one.
    std::function<QColor(int ACol, int ARow)> OnCellTextColor;

    // The text a cell shows: numeric and pair rows formatted with the row's format.
    QString DisplayText(int ACol, int ARow) const;

signals:
    // A value was committed in a cell (editor, pick list, check box, spin, property editor).
    void OnDoSetData(int ACol, int ARow);
    // The user changed a row's unit through its units cell.
    void OnAfterRightClick(int ARow);
    // A cell became current (raised after the row controls were placed).
    void OnSelectCell(int ACol, int ARow);

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TField* FieldOrThrow(int ARow) const;
    TNumField* NumField(int ARow) const;
    void BuildRow(int ARow, const QStringList& parts);
    void ApplyRowUnits(int ARow);
    void ApplyRowUnitsWithRetry(int ARow);
    void RowMessage(const char* text, int ARow) const;
    QString PropertyName(int ARow) const;
    void CreateRowControls();
    std::array<QWidget*, 6> RowControls() const;
    void ReparentRowControls();
    void HideRowControls();
    // Shows the controls of the current cell's row, as selecting the cell does.
    void SelectCurrentCell(bool raiseSelect);
    void PlaceRowControls();
    void CommitPickList();
    void CheckBoxClicked(bool checked);
    bool GridActive() const;
    QRect PickListRect(const QRect& cellInViewport) const;

    TEntryGridModel* model_;
    QStringList lines_;
    QChar delim_ = ';';
    int colCount_ = 3;
    std::vector<std::unique_ptr<TField>> fields_;
    int unitsCol_ = 2;
    TUnitsClickHandler unitsClickHandler_;
    QColor colorEditCol_;
    QColor colorEditMode_;
    QColor colorEditModeText_;

    // What the current cell shows.
    int controlsRow_ = -1;
    bool showPropButton_ = false;
    bool showSpin_ = false;
    bool showPullDown_ = false;
    bool showCheck_ = false;

    QPointer<QToolButton> propButton_;
    QPointer<QToolButton> pullDownButton_;
    QPointer<QToolButton> spinUpButton_;
    QPointer<QToolButton> spinDownButton_;
    QPointer<QCheckBox> checkBox_;
    QPointer<QListWidget> pickList_;
    QPointer<TxInplaceEdit> editor_;
    bool swallowContextMenu_ = false;
    TUnitsForm* unitsForm_ = nullptr;
};

}  // namespace qdx::app

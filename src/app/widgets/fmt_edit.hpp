#pragma once
// The formatted numeric edit: a single-line edit that shows a value held in a stored unit in the
// display unit the user chose, filters keystrokes by the kind of its format, and validates what
// was typed when Enter is pressed or the edit is left (clean, parse, range check with a 0.5 %
// tolerance, reformat). Values go in and out in the stored unit through Value.
//
//  - TxCustomEdit: the editing core.
//  - TFmtEdit: the edit placed on windows (same interface; the one to use on a form).
//  - TxInplaceEdit: the property grid's in-place editor: "%S" format, no frame, no tab stop; it
//    hands navigation keys and the mouse wheel to its grid.
//
// Format kinds (units/value_entry.hpp): a string format contains "s", a pair format "/" (two
// values "a/b", each shown with the same pattern, such as "%0.1f/%0.1f"), an integer format "d",
// a float format "f" or "g" ("g" also admits an exponent).

#include <QLineEdit>
#include <QString>
#include <QVariant>

#include "units/unit_table.hpp"
#include "units/value_entry.hpp"

namespace qdx::app {

class TFmtEditLabel;

// Values between the edits and grids (QVariant) and the entry rules (TEntryValue): doubles and
// integers stay numbers, everything else goes as its text.
TEntryValue ToEntryValue(const QVariant& value);
QVariant ToVariant(const TEntryValue& value);

class TxCustomEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TxCustomEdit(QWidget* parent = nullptr);
    ~TxCustomEdit() override;

    // The printf-style pattern of the shown text; default "%0.1f". Setting "%S" while the text
    // is "0.0" empties the text.
    QString FormatStr() const { return formatStr_; }
    void SetFormatStr(const QString& formatStr);
    // How floats are formatted after an edit; default ft_Fixed.
    TFormatType FormatType() const { return formatType_; }
    void SetFormatType(TFormatType formatType) { formatType_ = formatType; }
    // Significant digits of ft_Auto and ft_AutoOverride; default 5.
    int SigDigs() const { return sigDigs_; }
    void SetSigDigs(int sigDigs) { sigDigs_ = sigDigs; }

    // Unit category, display units index and stored units index. Setting the category clamps
    // both indexes into it, resets the conversion and applies the units; setting an index
    // clamps it and applies the units. Applying keeps the shown quantity (ApplyUnits).
    TUnitsType UnitsType() const { return unitsType_; }
    void SetUnitsType(TUnitsType unitsType);
    int UnitsValue() const { return unitsValue_; }
    void SetUnitsValue(int unitsValue);
    int UnitsBase() const { return unitsBase_; }
    void SetUnitsBase(int unitsBase);
    // The cached conversion, stored -> display; default 1 and 0.
    double Factor() const { return factor_; }
    double Offset() const { return offset_; }
    // Decimals of the current format.
    int Decimals() const;

    // The range in the stored unit; 0 and 0 (the default) is no range.
    double RangeLo() const { return rangeLo_; }
    void SetRangeLo(double v) { rangeLo_ = v; }
    double RangeHi() const { return rangeHi_; }
    void SetRangeHi(double v) { rangeHi_ = v; }

    // The label that shows the unit symbol and switches the display unit when clicked; null
    // for none. The label keeps the list of its edits.
    TFmtEditLabel* UnitsLabel() const { return unitsLabel_; }
    void SetUnitsLabel(TFmtEditLabel* label);

    // The value in the stored unit: a number (a qlonglong for integer formats) or, for string
    // and pair formats and for text that does not convert, a text. Writing a value that does
    // not convert empties the text.
    QVariant Value() const;
    void SetValue(const QVariant& value);

    // Re-reads the conversion for the current units and shows the same quantity in them: the
    // format becomes the display unit's own (unless ft_Manual or utNone), the label shows the
    // symbol, the value is written back. Nothing happens for a utNone edit with a string or
    // integer format.
    void ApplyUnits();

    // The text when the edit last received the focus, and whether it was typed into since.
    QString FocusText() const { return focusText_; }
    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }

    // Validates the text when it was modified (see units/value_entry.hpp); a value brought into
    // the range beeps and, for a form's edit, takes the focus back. True when the range check
    // changed a value.
    bool Validate();

signals:
    // Raised after the user changed the display unit through the units label.
    void OnUnitsEdited();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // What a range snap does besides the beep: a form's edit keeps the focus.
    virtual void RangeSnapped();

private:
    TEntryFormat EntryFormat() const;
    // True when the typed character is admitted by the format kind.
    bool Admits(QChar c) const;

    QString formatStr_ = QStringLiteral("%0.1f");
    TFormatType formatType_ = ft_Fixed;
    int sigDigs_ = 5;
    TUnitsType unitsType_ = utNone;
    int unitsValue_ = 0;
    int unitsBase_ = 0;
    double factor_ = 1.0;
    double offset_ = 0.0;
    double rangeLo_ = 0.0;
    double rangeHi_ = 0.0;
    TFmtEditLabel* unitsLabel_ = nullptr;
    QString focusText_;
    bool modified_ = false;
    bool reclaiming_ = false;  // a range snap takes the focus back
};

// The edit of the windows: window layouts set FormatStr, FormatType, SigDigs, UnitsType,
// UnitsBase, UnitsLabel, UnitsValue, RangeHi, RangeLo, the text and the maximum length.
class TFmtEdit : public TxCustomEdit {
    Q_OBJECT
public:
    explicit TFmtEdit(QWidget* parent = nullptr);
};

// The property grid's in-place editor. Up, Down, Page Up and Page Down and the mouse wheel go
// to the grid, which moves its current cell (and so commits the edit).
class TxInplaceEdit : public TxCustomEdit {
    Q_OBJECT
public:
    TxInplaceEdit(QWidget* parent, QWidget* grid);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // The grid writes the snapped value when the editor closes; the editor only beeps.
    void RangeSnapped() override {}

private:
    QWidget* grid_;
};

}  // namespace qdx::app

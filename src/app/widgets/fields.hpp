#pragma once
// Field descriptors: one per row of the property grid (TEntryGrid), owned by the grid. They
// carry the row's format, editing style, range and unit settings; the grid keeps the row's
// texts in its cells.

#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <functional>

#include "units/unit_table.hpp"
#include "units/value_entry.hpp"

namespace qdx::app {

// The handler of a property-editor row's button. It gets the row's value in stored units and
// may change it; result 1 writes the value back into the row (and raises the grid's
// OnDoSetData), 2 only gives the focus back to the grid, anything else changes nothing.
using TPropertyEditHandler = std::function<int(QVariant& value)>;

// Field kinds, the editing style of a row.
enum TFieldKind : std::uint8_t {
    fkPlain = 0,           // plain entry
    fkPropertyEditor = 1,  // entry with a property-editor button
    fkPickList = 2,        // pick list
    fkSpin = 3,            // entry with spin buttons
    fkCheck = 4,           // check box
};

class TField {
public:
    virtual ~TField() = default;

    QString FormatStr;
    std::uint8_t Kind = fkPlain;
    // A disabled row is drawn in the grey text colour and has no editor or buttons.
    bool Enabled = true;
    bool Editable = true;
    TPropertyEditHandler OnPropertyEdit;  // Kind 1
};

// A numeric row. Range and step are in the stored unit; Factor and Offset convert stored to
// display (display = stored x Factor + Offset).
class TNumField : public TField {
public:
    double RangeLo = 0.0;
    double RangeHi = 0.0;
    double Step = 1.0;  // the spin increment
    TUnitsType UnitsType = utNone;
    int UnitsValue = 0;
    int UnitsBase = 0;
    double Factor = 1.0;
    double Offset = 0.0;
    int Decimals = 0;  // of FormatStr
    TFormatType FormatType = ft_Fixed;
    int SigDigs = 5;

    TEntryFormat EntryFormat() const {
        return {FormatStr.toStdString(), FormatType, SigDigs};
    }
};

// A numeric row showing a pair of values separated by a slash.
class TDelimNumField : public TNumField {};

// A pick list; the row's value is the index of the chosen text in Items.
class TEnumField : public TField {
public:
    TEnumField() { Kind = fkPickList; }
    QStringList Items;
};

// A check box; the row's value is a Boolean shown as "[x]" or "[ ]".
class TBoolField : public TField {
public:
    TBoolField() { Kind = fkCheck; }
};

}  // namespace qdx::app

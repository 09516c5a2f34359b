#pragma once
// What the moist air state window does to its point, without the window: committing a row,
// activation and deactivation, paste, open and save of ".psx" files, and the texts the window
// puts on the clipboard. The dialog component's properties and its stored layout are here too.
//
// The window's grid has rows 0 (header), 1 (the item name) and 2..12 for the fields pa .. cp
// of the state; a row's values are handed over in stored units (kPa, °C, kJ/kg, kg/kg, a
// fraction, kg/m³, kJ/(kg·K)).

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "documents/ini_file.hpp"
#include "fluids/air_combin.hpp"
#include "fluids/psy_point.hpp"

namespace qdx {

inline constexpr std::string_view kAirStateReady = "Ready...";
inline constexpr int kAirStateFirstRow = 2;  // pressure
inline constexpr int kAirStateLastRow = 12;  // specific heat
inline constexpr int kAirStateValueRows = kAirStateLastRow - kAirStateFirstRow + 1;

using TAirStateRowValues = std::array<double, kAirStateValueRows>;

class TAirStateEditor {
public:
    explicit TAirStateEditor(TPsyPoint& point) : point_(point) {}

    TPsyPoint& Point() { return point_; }
    const TPsyPoint& Point() const { return point_; }

    // Raised after every accepted change and after a name change (OnEditAirconItem).
    std::function<void()> OnEdit;

    TAirCombin Combin;
    std::string Status = std::string(kAirStateReady);
    TAirState LastAccepted{};
    std::string FileName;  // of the last open or save

    bool Ready() const { return Status == kAirStateReady; }

    // Row 1: the point's item name.
    void SetItemName(std::string_view name);
    // Rows 2..12: resolves the input pair for the row (3..12), takes every row's value into the
    // state, completes it with the pair and checks it. True when the state was accepted; else
    // Status holds the reason ("Invalid air state" when the library failed).
    bool Commit(int row, const TAirStateRowValues& values);
    // The state's values for rows 2..12.
    TAirStateRowValues RowValues() const;
    // Drawn as inputs: an editable row whose property is one of the current pair.
    bool IsInput(int row) const;

    // The window became active: unless the status mentions "Outlet", the state becomes the
    // last accepted one and a plausible state makes the status "Ready...".
    void Activate();
    // The window is left or closed: a state with an error gives way to the last accepted one.
    // True when it did (the window shows the state again).
    bool Deactivate();

    // An air state text ("25/17" or a dry bulb) at the point's pressure; wet bulb, then dry
    // bulb become the latest inputs. False with the reason in Status when the text is not one.
    bool Paste(std::string_view text);
    // False with message "Error reading file " + path when the file is not a ".psx" record;
    // the state is then unchanged.
    bool Open(const std::string& path, std::string& message);
    // Saving needs a state without errors; otherwise the status says so and false comes back.
    bool CanSave();
    bool Save(const std::string& path, std::string& message);

    // Dry bulb and wet bulb, "%0.3f/%0.3f".
    std::string CopyText() const;

private:
    TPsyPoint& point_;
};

// The state as XML text, CR LF after every line: the item name and, for rows 2..12, the unit
// and value cells as shown, without escaping.
struct TAirStateCells {
    std::string Units, Value;
};
std::string AirStateXmlText(std::string_view name,
                            const std::array<TAirStateCells, kAirStateValueRows>& rows);

// Every row as comma text (Windows list quoting), each followed by CR LF.
std::string TableCommaText(const std::vector<std::vector<std::string>>& rows);

// The non-visual component that opens the state window for its point, with its properties
// and the window layout it keeps in the common settings.
class TAirStateDlgModel {
public:
    TAirStateDlgModel();

    std::string Name = "AirStateDlg";  // component name: the settings section
    std::string Caption = "Moist Air State";
    bool EditItemName = true;
    bool Modal = false;
    bool EditPressure = true;
    TPsyPoint Point;  // its ItemName is the dialog's, "Moist Air" at first

    // Window size, column widths and the display unit index of each grid row (0..12). The
    // first-run size gives the longest captions ("Specific Heat") room in the usual fonts.
    int Width = 246;
    int Height = 300;
    std::array<int, 3> ColWidths{100, 74, 60};
    std::array<int, 13> RowUnits{};

    // The point's pa; setting it rebuilds the state from the Temperature text at the new
    // pressure.
    double Pressure() const { return Point.State.pa; }
    void SetPressure(double pa);
    // "%0.1f/%0.1f" of the state; a text that does not parse becomes "24/17".
    std::string Temperature() const;
    void SetTemperature(std::string_view text);

    // The stored layout: FormLeft, FormTop (the point's position), FormWidth, FormHeight,
    // ColWidths0..2 and Row1..Row12; a pressure unit above 4 reads as 0, a position between
    // -98 and -1 as 0, and one beyond the screen less 100 as the screen less 200.
    void LoadLayout(const TCustomIniFile& store, int screenWidth, int screenHeight);
    void SaveLayout(TCustomIniFile& store) const;

private:
    std::string temperature_ = "25/17";
};

}  // namespace qdx

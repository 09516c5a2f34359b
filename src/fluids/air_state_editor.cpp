#include "fluids/air_state_editor.hpp"

#include "documents/text_utils.hpp"
#include "fluids/air_state_text.hpp"
#include "units/errors.hpp"
#include "units/format.hpp"

namespace qdx {

namespace {

constexpr const char* kXmlCodes[kAirStateValueRows][2] = {
    {"pa", "Pressure"},     {"db", "Dry Bulb"},     {"wb", "Wet Bulb"},
    {"ha", "Enthalpy"},     {"wa", "Abs Humidity"}, {"rh", "Rel Humidity"},
    {"td", "Dew Point"},    {"pv", "Vap Pressure"}, {"ps", "Sat Pressure"},
    {"ro", "Density"},      {"cp", "Specific Heat"},
};

constexpr int kPressureRow = 2;
constexpr int kLastEditableRow = 10;  // density and specific heat are shown only

}  // namespace

void TAirStateEditor::SetItemName(std::string_view name) {
    point_.ItemName = std::string(name);
    if (OnEdit) OnEdit();
}

TAirStateRowValues TAirStateEditor::RowValues() const {
    TAirStateRowValues values{};
    for (int i = 0; i < kAirStateValueRows; ++i) values[i] = AirField(point_.State, i);
    return values;
}

bool TAirStateEditor::IsInput(int row) const {
    return row > kPressureRow && row <= kLastEditableRow &&
           Combin.InPair(kAirPropertyLetters[row - kAirStateFirstRow]);
}

bool TAirStateEditor::Commit(int row, const TAirStateRowValues& values) {
    Combin.EnterRow(row);
    for (int i = 0; i < kAirStateValueRows; ++i) AirField(point_.State, i) = values[i];
    Status = std::string(kAirStateReady);
    try {
        try {
            AirState(point_.State, point_.State, Combin.PairCode());
        } catch (...) {
            throw CalcError("Invalid air state");
        }
        if (std::string message = CheckAirState(point_.State); !message.empty())
            throw CalcError(message);
    } catch (const CalcError& e) {
        Status = e.what();
        return false;
    }
    if (OnEdit) OnEdit();
    LastAccepted = point_.State;
    return true;
}

void TAirStateEditor::Activate() {
    if (Status.find("Outlet") != std::string::npos) return;
    LastAccepted = point_.State;
    if (CheckAirState(point_.State).empty()) Status = std::string(kAirStateReady);
}

bool TAirStateEditor::Deactivate() {
    if (Ready()) return false;
    point_.State = LastAccepted;
    Status = std::string(kAirStateReady);
    if (OnEdit) OnEdit();
    return true;
}

bool TAirStateEditor::Paste(std::string_view text) {
    try {
        point_.State = AirStateFromText(Trim(text), point_.State.pa, 0.5);
    } catch (const std::exception& e) {
        Status = e.what();
        return false;
    }
    Combin.Enter('t');
    Combin.Enter('b');
    if (OnEdit) OnEdit();
    return true;
}

bool TAirStateEditor::Open(const std::string& path, std::string& message) {
    if (!ReadPsxFile(path, point_.State)) {
        message = "Error reading file " + path;
        return false;
    }
    FileName = path;
    if (OnEdit) OnEdit();
    return true;
}

bool TAirStateEditor::CanSave() {
    if (Ready()) return true;
    Status = "Can\"t save invalid data...";
    return false;
}

bool TAirStateEditor::Save(const std::string& path, std::string& message) {
    if (!CanSave()) {
        message = Status;
        return false;
    }
    if (!WritePsxFile(path, point_.State)) {
        message = "Error saving file " + path;
        return false;
    }
    FileName = path;
    return true;
}

std::string TAirStateEditor::CopyText() const {
    return Format("%0.3f/%0.3f", point_.State.db, point_.State.wb);
}

std::string AirStateXmlText(std::string_view name,
                            const std::array<TAirStateCells, kAirStateValueRows>& rows) {
    std::string text = "<?xml version=\"1.0.0.0\" ?>\r\n"
                       "<?xml-stylesheet type=\"text/xsl\" href=\"airstate.xsl\"?>\r\n"
                       "<airstate>\r\n";
    text.append("  <properties name=\"").append(name).append("\">\r\n");
    for (int i = 0; i < kAirStateValueRows; ++i) {
        text.append("    <item code=\"").append(kXmlCodes[i][0]);
        text.append("\" caption=\"").append(kXmlCodes[i][1]);
        text.append("\" units=\"").append(rows[i].Units).append("\">");
        text.append(rows[i].Value).append("</item>\r\n");
    }
    text.append("  </properties>\r\n</airstate>\r\n");
    return text;
}

std::string TableCommaText(const std::vector<std::vector<std::string>>& rows) {
    std::string text;
    for (const auto& row : rows) text.append(CommaText(row)).append("\r\n");
    return text;
}

TAirStateDlgModel::TAirStateDlgModel() {
    RowUnits[6] = 1;  // absolute humidity in g/kg
    RowUnits[7] = 1;  // relative humidity in %
    Point.ItemName = "Moist Air";
}

void TAirStateDlgModel::SetPressure(double pa) { Point.State = AirStateFromText(temperature_, pa, 0.5); }

std::string TAirStateDlgModel::Temperature() const { return FormatDbWb(Point.State, "%0.1f"); }

void TAirStateDlgModel::SetTemperature(std::string_view text) {
    temperature_ = std::string(text);
    try {
        Point.State = AirStateFromText(temperature_, Point.State.pa, 0.5);
    } catch (const std::exception&) {
        temperature_ = "24/17";
        Point.State = AirStateFromText(temperature_, Point.State.pa, 0.5);
    }
}

void TAirStateDlgModel::LoadLayout(const TCustomIniFile& store, int screenWidth, int screenHeight) {
    auto place = [](int v, int screen) {
        if (v >= -98 && v <= -1) return 0;
        if (v > screen - 100) return screen - 200;
        return v;
    };
    Point.Left = place(store.ReadInteger(Name, "FormLeft", -99), screenWidth);
    Point.Top = place(store.ReadInteger(Name, "FormTop", -99), screenHeight);
    Width = store.ReadInteger(Name, "FormWidth", Width);
    Height = store.ReadInteger(Name, "FormHeight", Height);
    for (int i = 0; i < 3; ++i)
        ColWidths[i] = store.ReadInteger(Name, "ColWidths" + std::to_string(i), ColWidths[i]);
    for (int row = 1; row <= 12; ++row)
        RowUnits[row] = store.ReadInteger(Name, "Row" + std::to_string(row), RowUnits[row]);
    if (RowUnits[kPressureRow] > 4) RowUnits[kPressureRow] = 0;
}

void TAirStateDlgModel::SaveLayout(TCustomIniFile& store) const {
    store.WriteInteger(Name, "FormLeft", Point.Left);
    store.WriteInteger(Name, "FormTop", Point.Top);
    store.WriteInteger(Name, "FormWidth", Width);
    store.WriteInteger(Name, "FormHeight", Height);
    for (int i = 0; i < 3; ++i) store.WriteInteger(Name, "ColWidths" + std::to_string(i), ColWidths[i]);
    for (int row = 1; row <= 12; ++row)
        store.WriteInteger(Name, "Row" + std::to_string(row), RowUnits[row]);
}

}  // namespace qdx

#include "geometry/fin_and_tube.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>

#include "documents/text_utils.hpp"
#include "documents/value_stream.hpp"
#include "geometry/coil_makers.hpp"
#include "geometry/designation.hpp"
#include "geometry/materials.hpp"
#include "units/errors.hpp"

namespace qdx {

namespace {

constexpr double kPi = std::numbers::pi;

double Sq(double x) { return x * x; }

double Finite(double v) { return CheckFinite(v); }

TDesignationNumbers NumbersOf(const TModelRec& r) {
    return {r.fHeight, r.fLength, r.Rows, r.fpi, r.Circ};
}

void ApplyNumbers(const TDesignationNumbers& n, TModelRec& r) {
    r.fHeight = n.fHeight;
    r.fLength = n.fLength;
    r.Rows = n.Rows;
    r.fpi = n.fpi;
    r.Circ = n.Circ;
}

// Little-endian fields of the raw record.
int32_t RawInt32(const uint8_t* p) {
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                static_cast<uint32_t>(p[2]) << 16 |
                                static_cast<uint32_t>(p[3]) << 24);
}

double RawDouble(const uint8_t* p) {
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = bits << 8 | p[i];
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

constexpr size_t kRawRecordSize = 384;

// The unversioned block starts with the maker's name as a short text; a versioned one starts
// with a tagged version text, which never spells a maker name.
bool StartsWithMakerName(std::span<const uint8_t> head) {
    if (head.empty()) return false;
    size_t length = head[0];
    if (length == 0 || length + 1 > head.size()) return false;
    std::string name = Cp1252ToUtf8(
        std::string_view(reinterpret_cast<const char*>(head.data() + 1), length));
    for (const std::string& maker : MakerNames())
        if (SameText(maker, name)) return true;
    return false;
}

void ReadRawRecord(ValueReader& reader, TModelRec& r) {
    uint8_t raw[kRawRecordSize];
    reader.ReadRaw(raw, sizeof raw);
    r.Mnf = Cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(raw + 1), raw[0]));
    r.Tube = raw[256];
    r.fHeight = RawDouble(raw + 264);
    r.fLength = RawDouble(raw + 272);
    r.Rows = RawDouble(raw + 280);
    r.fpi = RawInt32(raw + 288);
    r.Circ = RawDouble(raw + 296);
    r.Serp = RawInt32(raw + 304);
    r.Sx = RawDouble(raw + 312);
    r.Sy = RawDouble(raw + 320);
    r.ID = RawDouble(raw + 328);
    r.OD = RawDouble(raw + 336);
    r.tf = RawDouble(raw + 344);
    r.fc = RawDouble(raw + 352);
    r.Rifle = raw[360] != 0;
    r.Sections = RawInt32(raw + 364);
    r.Mf = raw[368];
    r.Mt = raw[369];
    r.Mc = raw[370];
    r.tc = RawDouble(raw + 376);
    r.Model.clear();
    r.cb = 0;
    r.tp = 0;
    r.ft = 1;
}

void ReadVersionedRecord(ValueReader& reader, TModelRec& r) {
    const std::string version = reader.ReadString();
    const bool v3 = version == TFinAndTube::kStreamVersion;
    const bool v2 = version == "FAT 1.0.0.2";
    const bool v1 = version == "FAT 1.0.0.1";
    if (!v3 && !v2 && !v1) throw StreamError("Unknown fin and tube block \"" + version + "\"");
    r.Mnf = reader.ReadString();
    r.Model = v3 ? reader.ReadString() : std::string();
    r.Tube = static_cast<uint8_t>(reader.ReadInteger());
    r.Code = static_cast<uint8_t>(reader.ReadInteger());
    r.fHeight = reader.ReadFloat();
    r.fLength = reader.ReadFloat();
    r.Rows = std::trunc(reader.ReadFloat());
    r.fpi = reader.ReadFloat();
    r.Circ = reader.ReadFloat();
    r.cb = v1 ? 0 : static_cast<int32_t>(reader.ReadInteger());
    r.Serp = static_cast<int32_t>(reader.ReadInteger());
    r.Sx = reader.ReadFloat();
    r.Sy = reader.ReadFloat();
    r.tp = static_cast<uint8_t>(reader.ReadInteger());
    r.ID = reader.ReadFloat();
    r.OD = reader.ReadFloat();
    r.tf = reader.ReadFloat();
    r.fc = reader.ReadFloat();
    r.ft = v3 ? reader.ReadFloat() : 1.0;
    r.Rifle = reader.ReadBoolean();
    r.Sections = static_cast<int32_t>(reader.ReadInteger());
    r.Mf = static_cast<uint8_t>(reader.ReadInteger());
    r.Mt = static_cast<uint8_t>(reader.ReadInteger());
    r.Mc = static_cast<uint8_t>(reader.ReadInteger());
    r.tc = reader.ReadFloat();
}

}  // namespace

void ReadModelRecord(ValueReader& reader, TModelRec& rec) {
    if (StartsWithMakerName(reader.Peek(256)))
        ReadRawRecord(reader, rec);
    else
        ReadVersionedRecord(reader, rec);
}

TFinAndTube::TFinAndTube(std::string_view maker, std::string_view designation, int kind,
                         int tube) {
    Record_.Code = static_cast<uint8_t>(kind);
    TDesignationNumbers numbers = NumbersOf(Record_);
    ErrorCode_ = ParseDesignation(designation, numbers);
    if (ErrorCode_ == dpOk) ApplyNumbers(numbers, Record_);
    Record_.Mnf = std::string(maker);
    ApplyMnf(FindTube(maker, tube), Record_);
    Recalculate();
}

void TFinAndTube::Recalculate() {
    try {
        RecalculateFields();
    } catch (const CalcError&) {
        ErrorCode_ = 1;
    }
}

void TFinAndTube::RecalculateFields() {
    TModelRec& r = Record_;
    FaceArea_ = Finite(r.fHeight * r.fLength);
    const double high = std::nearbyint(Finite(r.fHeight / r.Sy));
    if (high > std::numeric_limits<int32_t>::max() || high < std::numeric_limits<int32_t>::min())
        throw CalcError("Tubes high out of range");
    TubesHigh_ = static_cast<int32_t>(high);
    TubeCount_ = Finite(TubesHigh_ * r.Rows);

    const double ratio = Finite(r.cb == 1 ? r.Circ / r.Rows : r.Circ / TubesHigh_);
    r.Serp = SerpentineIndex(ratio);
    if (r.Circ < 1) r.Circ = 1;
    OppositeEnds_ = std::fmod(std::trunc(Finite(TubeCount_ / r.Circ)), 2.0) != 0;
    if (r.fpi <= 0) r.fpi = 2;

    FinPitch_ = Finite(0.0254 / r.fpi);
    FinCount_ = Finite(r.fLength / FinPitch_);
    Depth_ = Finite(std::ceil(r.Rows) * r.Sx);
    CollarDiameter_ = Finite(r.OD + 2 * r.tf);
    EquivalentFinHeight_ = Finite((std::sqrt(4 * r.Sy * r.Sx / kPi) - CollarDiameter_) / 2);
    FinArea_ = Finite(2 * FinCount_ *
                      (r.Sx * r.Sy * TubeCount_ * r.fc + (r.fHeight + Depth_) * r.tf -
                       TubeCount_ * kPi * Sq(CollarDiameter_) / 4));
    Ao_ = Finite(kPi * TubeCount_ * CollarDiameter_ * (r.fLength - FinCount_ * r.tf) + FinArea_);
    SpecificArea_ = Finite(Ao_ / (FaceArea_ * r.Rows));
    Sigma_ = Finite((FinPitch_ - r.tf) * (r.Sy - CollarDiameter_) / (r.Sy * FinPitch_));
    MinFlowArea_ = Finite(FaceArea_ * Sigma_);
    HydraulicDiameter_ = Finite(4 * Sigma_ * r.Sx / SpecificArea_);
    TubeFlowArea_ = Finite(kPi * Sq(r.ID) / 4);
    Ai_ = Finite((kPi / 2 * std::sqrt(Sq(r.Sx) + Sq(r.Sy)) + r.fLength) * kPi * r.ID *
                 TubeCount_ * r.ft);
    AoAiRatio_ = Finite(Ao_ / Ai_);
    Vi_ = Finite(TubeCount_ * TubeFlowArea_ * (kPi * r.Sy / 2 + r.fLength));
    // A fixed outside coefficient of 0.04 kW/(m²·K): the nominal efficiency the coil applies.
    FinParameter_ =
        Finite(std::sqrt(0.08 / (Material(r.Mf).Conductivity * r.tf)) * EquivalentFinHeight_);
    FinEfficiency_ = Finite(std::tanh(FinParameter_) / FinParameter_);
    SurfaceEfficiency_ = Finite(1 - (FinArea_ / Ao_) * (1 - FinEfficiency_));

    Designation_ = FormatDesignation(NumbersOf(r));
}

void TFinAndTube::SetDesignation(std::string_view text) {
    Designation_ = std::string(text);
    TDesignationNumbers numbers = NumbersOf(Record_);
    ErrorCode_ = ParseDesignation(text, numbers);
    if (ErrorCode_ != dpOk) return;
    ApplyNumbers(numbers, Record_);
    Recalculate();
}

void TFinAndTube::SetFinHeight(double v) {
    Record_.fHeight = v;
    Recalculate();
}

void TFinAndTube::SetFinnedLength(double v) {
    Record_.fLength = v;
    Recalculate();
}

void TFinAndTube::SetRows(double v) {
    Record_.Rows = v;
    Recalculate();
}

void TFinAndTube::SetFinsPerInch(double v) {
    Record_.fpi = v;
    Recalculate();
}

void TFinAndTube::SetFinMaterial(int index) {
    Record_.Mf = static_cast<uint8_t>(index);
    Recalculate();
}

void TFinAndTube::SetCircuits(double v) {
    Record_.Circ = std::clamp(v, 1.0, 1600.0);
    Recalculate();
}

void TFinAndTube::SetTubeMaterial(int index) { Record_.Mt = static_cast<uint8_t>(index); }

void TFinAndTube::SetCasingMaterial(int index) { Record_.Mc = static_cast<uint8_t>(index); }

void TFinAndTube::SetRecord(const TModelRec& rec) {
    Record_ = rec;
    Recalculate();
}

void TFinAndTube::SetMakerModel(std::string_view maker, std::string_view specification) {
    TMnfRec mnf = ParseSpecification(maker, specification);
    MatchSpecification(maker, mnf);
    ApplyMnf(mnf, Record_);
    Recalculate();
}

void TFinAndTube::MatchCatalogue() {
    TMnfRec mnf = ModelToMnf(Record_);
    MatchSpecification(Record_.Mnf, mnf);
    ApplyMnf(mnf, Record_);
    Recalculate();
}

int TFinAndTube::GetErrorCode() {
    int code = ErrorCode_;
    ErrorCode_ = 0;
    return code;
}

TTubeSideGeometry TFinAndTube::TubeSide() const {
    const TModelRec& r = Record_;
    TTubeSideGeometry s;
    s.ID = r.ID;
    s.WallThickness = (r.OD - r.ID) / 2;
    s.WallConductivity = Material(r.Mt).Conductivity;
    s.AiPerCircuit = Ai_ / r.Circ;
    s.TubeFlowArea = TubeFlowArea_;
    s.FlowArea = TubeFlowArea_ * r.Circ;
    s.Perimeter = kPi * r.ID;
    s.EquivalentLength = (TubeCount_ * r.fLength + (TubeCount_ - 1) * 40 * r.ID) / r.Circ;
    s.CircuitLength = (kPi / 2 * std::sqrt(Sq(r.Sx) + Sq(r.Sy)) + r.fLength) * TubeCount_ / r.Circ;
    return s;
}

TAirSideGeometry TFinAndTube::AirSide() const {
    const TModelRec& r = Record_;
    TAirSideGeometry a;
    a.Rows = r.Rows;
    a.Tube = r.Tube;
    a.Sx = r.Sx;
    a.Sy = r.Sy;
    a.tp = r.tp;
    a.OD = r.OD;
    a.FaceArea = FaceArea_;
    a.FinGap = FinPitch_ - r.tf;
    a.EquivalentFinHeight = EquivalentFinHeight_;
    a.tf = r.tf;
    a.FinPitch = FinPitch_;
    a.CollarDiameter = CollarDiameter_;
    a.FinConductivity = Material(r.Mf).Conductivity;
    a.TubeConductivity = Material(r.Mt).Conductivity;
    a.Sigma = Sigma_;
    a.HydraulicDiameter = HydraulicDiameter_;
    a.SurfaceEfficiency = SurfaceEfficiency_;
    return a;
}

double TFinAndTube::DryWeight() {
    const TModelRec& r = Record_;
    const double tubeDensity = Material(r.Mt).Density;
    const double perMetre = kPi * tubeDensity * (Sq(r.OD) - Sq(r.ID)) / 4;
    TubeWeight_ = TubeCount_ * r.fLength * perMetre;
    FinWeight_ = FinCount_ * r.tf * Material(r.Mf).Density * r.fHeight * Depth_;
    CasingWeight_ = 2 * (r.fHeight + r.fLength) * (Depth_ + 0.05) * r.tc * Material(r.Mc).Density;
    BendWeight_ = TubeCount_ * perMetre * kPi * r.Sx / 2;
    // Two headers of the fin height, wall 0.08 of their diameter.
    const double header = 0.05 * std::pow(r.fHeight, 0.75);
    HeaderWeight_ = 0.08 * header * 2 * kPi * r.fHeight * header * tubeDensity;
    DryWeight_ = CheckFinite(
        1.05 * (TubeWeight_ + FinWeight_ + CasingWeight_ + BendWeight_ + HeaderWeight_));
    return DryWeight_;
}

std::string TFinAndTube::MakerDesignation() const { return qdx::MakerDesignation(Record_); }

std::string TFinAndTube::SerpentineText() const { return qdx::SerpentineText(Record_.Serp); }

std::string TFinAndTube::ConnectionText() const { return ConnectionCaption(OppositeEnds_); }

void TFinAndTube::WriteToStream(ValueWriter& w) const {
    const TModelRec& r = Record_;
    w.WriteString(kStreamVersion);
    w.WriteString(r.Mnf);
    w.WriteString(r.Model);
    w.WriteInteger(r.Tube);
    w.WriteInteger(r.Code);
    w.WriteFloat(r.fHeight);
    w.WriteFloat(r.fLength);
    w.WriteFloat(r.Rows);
    w.WriteFloat(r.fpi);
    w.WriteFloat(r.Circ);
    w.WriteInteger(r.cb);
    w.WriteInteger(r.Serp);
    w.WriteFloat(r.Sx);
    w.WriteFloat(r.Sy);
    w.WriteInteger(r.tp);
    w.WriteFloat(r.ID);
    w.WriteFloat(r.OD);
    w.WriteFloat(r.tf);
    w.WriteFloat(r.fc);
    w.WriteFloat(r.ft);
    w.WriteBoolean(r.Rifle);
    w.WriteInteger(r.Sections);
    w.WriteInteger(r.Mf);
    w.WriteInteger(r.Mt);
    w.WriteInteger(r.Mc);
    w.WriteFloat(r.tc);
}

void TFinAndTube::ReadFromStream(ValueReader& reader) {
    // Read into a copy so that a block that breaks off leaves the geometry as it was.
    TModelRec rec = Record_;
    ReadModelRecord(reader, rec);
    Record_ = rec;
    MatchCatalogue();
}

void TFinAndTube::WriteToXml(TXMLFile& xml, XmlNode parent) const {
    const TModelRec& r = Record_;
    XmlNode fat = xml.FindChild(parent, "fat", -1, true);
    if (!fat) return;
    xml.WriteText(fat, "Mnf", true, r.Mnf);
    xml.WriteInt(fat, "Tube", true, r.Tube);
    xml.WriteText(fat, "Model", true, r.Model);
    xml.SetAttr(xml.WriteInt(fat, "Code", true, r.Code), "caption", KindCaption(r.Code));
    xml.WriteFloat(fat, "fHeight", true, "%0.6g", r.fHeight);
    xml.WriteFloat(fat, "fLength", true, "%0.6g", r.fLength);
    xml.WriteFloat(fat, "Rows", true, "%0.6g", r.Rows);
    xml.WriteFloat(fat, "fpi", true, "%0.6g", r.fpi);
    xml.WriteFloat(fat, "Circ", true, "%0.6g", r.Circ);
    xml.SetAttr(xml.WriteInt(fat, "cb", true, r.cb), "text", CircuitBasisCaption(r.cb));
    xml.SetAttr(xml.WriteInt(fat, "Serp", true, r.Serp), "caption",
                qdx::SerpentineText(r.Serp));
    xml.WriteFloat(fat, "Sx", true, "%0.7f", r.Sx);
    xml.WriteFloat(fat, "Sy", true, "%0.7f", r.Sy);
    xml.SetAttr(xml.WriteInt(fat, "tp", true, r.tp), "text", TubePatternCaption(r.tp));
    xml.WriteFloat(fat, "ID", true, "%0.7f", r.ID);
    xml.WriteFloat(fat, "OD", true, "%0.7f", r.OD);
    xml.WriteFloat(fat, "tf", true, "%0.7f", r.tf);
    xml.WriteFloat(fat, "fc", true, "%0.5f", r.fc);
    xml.WriteFloat(fat, "ft", true, "%0.5f", r.ft);
    xml.WriteBool(fat, "Rifle", true, r.Rifle);
    xml.WriteInt(fat, "Sections", true, r.Sections);
    xml.SetAttr(xml.WriteInt(fat, "Mf", true, r.Mf), "caption", MaterialCode(r.Mf));
    xml.SetAttr(xml.WriteInt(fat, "Mt", true, r.Mt), "caption", MaterialCode(r.Mt));
    xml.SetAttr(xml.WriteInt(fat, "Mc", true, r.Mc), "caption", MaterialCode(r.Mc));
    xml.WriteFloat(fat, "tc", true, "%0.5f", r.tc);
}

bool TFinAndTube::ReadFromXml(TXMLFile& xml, XmlNode parent) {
    XmlNode fat = xml.FindChild(parent, "fat");
    if (!fat) fat = xml.FindChild(parent, "finandtube");
    if (!fat) return false;
    TModelRec& r = Record_;
    auto readByte = [&](const char* name, uint8_t current) {
        return static_cast<uint8_t>(xml.ReadInt(fat, name, current));
    };
    r.Mnf = xml.ReadText(fat, "Mnf", r.Mnf);
    r.Tube = readByte("Tube", r.Tube);
    r.Model = xml.ReadText(fat, "Model", r.Model);
    r.Code = readByte("Code", r.Code);
    r.fHeight = xml.ReadFloat(fat, "fHeight", r.fHeight);
    r.fLength = xml.ReadFloat(fat, "fLength", r.fLength);
    r.Rows = xml.ReadFloat(fat, "Rows", r.Rows);
    r.fpi = xml.ReadFloat(fat, "fpi", r.fpi);
    r.Circ = xml.ReadFloat(fat, "Circ", r.Circ);
    r.cb = xml.ReadInt(fat, "cb", r.cb);
    r.Serp = xml.ReadInt(fat, "Serp", r.Serp);
    r.Sx = xml.ReadFloat(fat, "Sx", r.Sx);
    r.Sy = xml.ReadFloat(fat, "Sy", r.Sy);
    r.tp = readByte("tp", r.tp);
    r.ID = xml.ReadFloat(fat, "ID", r.ID);
    r.OD = xml.ReadFloat(fat, "OD", r.OD);
    r.tf = xml.ReadFloat(fat, "tf", r.tf);
    r.fc = xml.ReadFloat(fat, "fc", r.fc);
    r.ft = xml.ReadFloat(fat, "ft", r.ft);
    r.Rifle = xml.ReadBool(fat, "Rifle", r.Rifle);
    r.Sections = xml.ReadInt(fat, "Sections", r.Sections);
    r.Mf = readByte("Mf", r.Mf);
    r.Mt = readByte("Mt", r.Mt);
    r.Mc = readByte("Mc", r.Mc);
    r.tc = xml.ReadFloat(fat, "tc", r.tc);
    MatchCatalogue();
    return true;
}

}  // namespace qdx

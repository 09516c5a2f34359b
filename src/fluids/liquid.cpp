#include "fluids/liquid.hpp"

#include <utility>

#include "fluids/liquid_correlations.hpp"
#include "units/errors.hpp"
#include "units/format.hpp"

namespace qdx {

namespace {

// A byte field read from a file: a value that does not fit keeps the current one.
std::uint8_t ReadByte(TXMLFile& file, XmlNode parent, const char* name, std::uint8_t current) {
    const int v = file.ReadInt(parent, name, current);
    return (v >= 0 && v <= 255) ? static_cast<std::uint8_t>(v) : current;
}

std::uint8_t StreamByte(ValueReader& reader, const char* what) {
    const long long v = reader.ReadInteger();
    if (v < 0 || v > 255) throw StreamError(std::string("Invalid ") + what);
    return static_cast<std::uint8_t>(v);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TFluid

TFluid::TFluid(std::string caption, double massFlow, double inletTemp, double leavingTemp)
    : t((inletTemp + leavingTemp) / 2.0),
      tfi(inletTemp),
      tfo(leavingTemp),
      Caption(std::move(caption)),
      m(massFlow) {}

double TFluid::GetT() const { return t; }

void TFluid::SetT(double x) {
    t = x;
    tfo = 2.0 * t - tfi;
    Update();
}

std::string TFluid::GetShortCaption() const { return GetCaption(); }

std::string TFluid::GetLabel() const { return {}; }

void TFluid::SetPf(double x) { Pf = x; }

double TFluid::GetPf() const { return Pf; }

void TFluid::SetTfi(double x) {
    tfi = x;
    t = (tfi + tfo) / 2.0;
    Update();
}

void TFluid::SetTfo(double x) {
    tfo = x;
    t = (tfi + tfo) / 2.0;
    Update();
}

void TFluid::UpdatePrandtl() { Pr = CheckFinite(Cp * mu / Ko, "Invalid Prandtl number"); }

void TFluid::ReadData(ValueReader& reader) {
    t = reader.ReadFloat();
    tfi = reader.ReadFloat();
    tfo = reader.ReadFloat();
    Caption = reader.ReadString();
    m = reader.ReadFloat();
    Cp = reader.ReadFloat();
    ro = reader.ReadFloat();
    Ko = reader.ReadFloat();
    mu = reader.ReadFloat();
    Pr = reader.ReadFloat();
    UserCp = reader.ReadFloat();
    UserRo = reader.ReadFloat();
    UserKo = reader.ReadFloat();
    UserMu = reader.ReadFloat();
}

void TFluid::WriteData(ValueWriter& writer) const {
    writer.WriteFloat(t);
    writer.WriteFloat(tfi);
    writer.WriteFloat(tfo);
    writer.WriteString(Caption);
    writer.WriteFloat(m);
    writer.WriteFloat(Cp);
    writer.WriteFloat(ro);
    writer.WriteFloat(Ko);
    writer.WriteFloat(mu);
    writer.WriteFloat(Pr);
    writer.WriteFloat(UserCp);
    writer.WriteFloat(UserRo);
    writer.WriteFloat(UserKo);
    writer.WriteFloat(UserMu);
}

void TFluid::LoadXML(TXMLFile& file, XmlNode element) {
    Caption = file.ReadText(element, "Caption", Caption);
    t = file.ReadFloat(element, "t", t);
    tfi = file.ReadFloat(element, "tfi", tfi);
    tfo = file.ReadFloat(element, "tfo", tfo);
    SetPf(file.ReadFloat(element, "Pf", Pf));
    m = file.ReadFloat(element, "m", m);
    Cp = file.ReadFloat(element, "Cp", Cp);
    ro = file.ReadFloat(element, "ro", ro);
    Ko = file.ReadFloat(element, "Ko", Ko);
    mu = file.ReadFloat(element, "mu", mu);
    Pr = file.ReadFloat(element, "Pr", Pr);
    UserProps = file.ReadBool(element, "UserProps", UserProps);
    UserRo = file.ReadFloat(element, "UserRo", UserRo);
    UserCp = file.ReadFloat(element, "UserCp", UserCp);
    UserMu = file.ReadFloat(element, "UserMu", UserMu);
    UserKo = file.ReadFloat(element, "UserKo", UserKo);
}

void TFluid::SaveXML(TXMLFile& file, XmlNode element) {
    file.WriteText(element, "Caption", true, Caption);
    file.WriteFloat(element, "t", true, "%0.3f", t);
    file.WriteFloat(element, "tfi", true, "%0.3f", tfi);
    file.WriteFloat(element, "tfo", true, "%0.3f", tfo);
    file.WriteFloat(element, "Pf", true, "%0.3f", Pf);
    file.WriteFloat(element, "m", true, "%0.3f", m);
    file.WriteFloat(element, "Cp", true, "%0.6g", Cp);
    file.WriteFloat(element, "ro", true, "%0.6g", ro);
    file.WriteFloat(element, "Ko", true, "%0.6g", Ko);
    file.WriteFloat(element, "mu", true, "%0.6g", mu);
    file.WriteFloat(element, "Pr", true, "%0.5f", Pr);
    file.WriteBool(element, "UserProps", true, UserProps);
    file.WriteFloat(element, "UserRo", true, "%0.6g", UserRo);
    file.WriteFloat(element, "UserCp", true, "%0.6g", UserCp);
    file.WriteFloat(element, "UserMu", true, "%0.6g", UserMu);
    file.WriteFloat(element, "UserKo", true, "%0.6g", UserKo);
}

// ---------------------------------------------------------------------------------------------
// TLiquid

TLiquid::TLiquid(std::string caption, double massFlow, double inletTemp, double leavingTemp,
                 std::uint8_t liquidSpec)
    : TFluid(std::move(caption), massFlow, inletTemp, leavingTemp), LiquidSpec(liquidSpec) {
    Update();
    // Switching to user properties later starts from this liquid.
    UserRo = ro;
    UserCp = Cp;
    UserMu = mu;
    UserKo = Ko;
}

std::string TLiquid::GetCaption() const {
    if (UserProps) return "User Specified Fluid";
    if (LiquidSpec != liWater) return evalName_;
    const double percent = 100.0 * AdditiveVolume;
    switch (WaterAdditive) {
        case waEthyleneGlycol: return Format("Water (%0.0f%% Ethylene Glycol)", percent);
        case waPropyleneGlycol: return Format("Water (%0.0f%% Propylene Glycol)", percent);
        case waCalciumChloride: return Format("Water (%0.0f%% Calcium Chloride)", percent);
        default: return "Clean Water";
    }
}

std::string TLiquid::GetShortCaption() const {
    if (UserProps) return "User Spec. Fluid";
    if (LiquidSpec != liWater) return evalShortName_;
    const double percent = 100.0 * AdditiveVolume;
    switch (WaterAdditive) {
        case waEthyleneGlycol: return Format("%0.0f%% Eth-Glycol", percent);
        case waPropyleneGlycol: return Format("%0.0f%% Prop-Glycol", percent);
        case waCalciumChloride: return Format("%0.0f%% Calc-Chloride", percent);
        default: return "Clean Water";
    }
}

std::string TLiquid::GetLabel() const { return GetCaption() + " " + Format("%0.1f", t); }

void TLiquid::Update() {
    status = 0;
    if (UserProps) {
        // The range and status of the last evaluation stay as they are.
        ro = UserRo;
        Cp = UserCp;
        mu = UserMu;
        Ko = UserKo;
    } else if (LiquidSpec == liWater && WaterAdditive >= waEthyleneGlycol &&
               WaterAdditive <= waCalciumChloride && AdditiveVolume != 0.0) {
        TMixtureProps props;
        status = EvaluateMixture(WaterAdditive, AdditiveVolume, t, props);
        tLower = kMixtureLower;
        tUpper = kMixtureUpper;
        ro = props.ro;
        Cp = props.Cp;
        mu = props.mu;
        Ko = props.Ko;
    } else if (IsLiquidIndex(LiquidSpec)) {
        TTransportProps& props = SharedTransportProps();
        status = EvaluateLiquid(LiquidSpec, t, Pf, props);
        evalName_ = props.name;
        evalShortName_ = props.shortName;
        tLower = props.tLower;
        tUpper = props.tUpper;
        ro = props.ro;
        Cp = props.Cp;
        mu = props.mu;
        Ko = props.Ko;
    }
    UpdatePrandtl();
}

void TLiquid::ReadData(ValueReader& reader) {
    TFluid::ReadData(reader);
    LiquidSpec = StreamByte(reader, "liquid index");
    WaterAdditive = StreamByte(reader, "additive index");
    AdditiveVolume = reader.ReadFloat();
}

void TLiquid::WriteData(ValueWriter& writer) const {
    TFluid::WriteData(writer);
    writer.WriteInteger(LiquidSpec);
    writer.WriteInteger(WaterAdditive);
    writer.WriteFloat(AdditiveVolume);
}

void TLiquid::LoadXML(TXMLFile& file, XmlNode element) {
    XmlNode node = file.FindChild(element, "liquid");
    if (!node) return;
    TFluid::LoadXML(file, node);
    LiquidSpec = ReadByte(file, node, "LiquidSpec", LiquidSpec);
    WaterAdditive = ReadByte(file, node, "WaterAdditive", WaterAdditive);
    AdditiveVolume = file.ReadFloat(node, "AdditiveVolume", AdditiveVolume);
    Update();
}

void TLiquid::SaveXML(TXMLFile& file, XmlNode element) {
    XmlNode node = file.FindChild(element, "liquid", -1, true);
    TFluid::SaveXML(file, node);
    file.SetAttr(file.WriteInt(node, "LiquidSpec", true, LiquidSpec), "caption",
                 LiquidListName(LiquidSpec));
    file.SetAttr(file.WriteInt(node, "WaterAdditive", true, WaterAdditive), "caption",
                 AdditiveListName(WaterAdditive));
    file.WriteFloat(node, "AdditiveVolume", true, "%0.3f", AdditiveVolume);
}

}  // namespace qdx

#include "engine/coil_settings_store.hpp"

#include "documents/folders.hpp"
#include "documents/ini_file.hpp"
#include "documents/settings_stores.hpp"
#include "engine/coil_project.hpp"
#include "geometry/coil_makers.hpp"
#include "units/format.hpp"
#include "units/unit_prefs.hpp"
#include "units/unit_table.hpp"

namespace qdx {

namespace {

// Four decimals each, so that the state reads back as it was.
std::string AirText(const TAirState& s) { return Format("%0.4f/%0.4f", s.db, s.wb); }

}  // namespace

void LoadSettings(const TCustomIniFile& store, TCoilSettings& s) {
    const TCoilSettings d;
    const char* sec = kCoilWindowSection;
    s.FileName = store.ReadString(sec, "FileName", d.FileName);
    s.Pressure = store.ReadFloat(sec, "Pressure", d.Pressure);
    s.AirOn = store.ReadString(sec, "AirOn", d.AirOn);
    s.AirOff = store.ReadString(sec, "AirOff", d.AirOff);
    s.Ambient = store.ReadString(sec, "Ambient", d.Ambient);
    s.CoilModel = store.ReadString(sec, "CoilModel", d.CoilModel);
    s.CoilHeight = store.ReadFloat(sec, "CoilHeight", d.CoilHeight);
    s.CoilLength = store.ReadFloat(sec, "CoilLength", d.CoilLength);
    s.CoilMaker = store.ReadString(sec, "CoilMaker", d.CoilMaker);
    s.CoilMR = store.ReadString(sec, "CoilMR", d.CoilMR);
    s.AirVelocity = store.ReadFloat(sec, "AirVelocity", d.AirVelocity);
    s.DesignDuty = store.ReadFloat(sec, "DesignDuty", d.DesignDuty);
    s.CalcMode = store.ReadInteger(sec, "CalcMode", d.CalcMode);
    // The factors are the run's own; a missing key keeps the current one.
    s.DutyFactor = store.ReadFloat(sec, "DutyFactor", s.DutyFactor);
    s.AirDPFactor = store.ReadFloat(sec, "AirDPFactor", s.AirDPFactor);
    s.FluidDPFactor = store.ReadFloat(sec, "FluidDPFactor", s.FluidDPFactor);
    s.hoFactor = store.ReadFloat(sec, "hoFactor", s.hoFactor);
    s.hiFactor = store.ReadFloat(sec, "hiFactor", s.hiFactor);
    s.Col0 = store.ReadInteger(sec, "Col0", d.Col0);
    s.Col1 = store.ReadInteger(sec, "Col1", d.Col1);
    s.Col2 = store.ReadInteger(sec, "Col2", d.Col2);
}

void SaveSettings(TCustomIniFile& store, const TCoilSettings& s) {
    const char* sec = kCoilWindowSection;
    store.WriteString(sec, "FileName", s.FileName);
    store.WriteFloat(sec, "Pressure", s.Pressure);
    store.WriteString(sec, "AirOn", s.AirOn);
    store.WriteString(sec, "AirOff", s.AirOff);
    store.WriteString(sec, "Ambient", s.Ambient);
    store.WriteString(sec, "CoilModel", s.CoilModel);
    store.WriteFloat(sec, "CoilHeight", s.CoilHeight);
    store.WriteFloat(sec, "CoilLength", s.CoilLength);
    store.WriteString(sec, "CoilMaker", s.CoilMaker);
    store.WriteString(sec, "CoilMR", s.CoilMR);
    store.WriteFloat(sec, "AirVelocity", s.AirVelocity);
    store.WriteFloat(sec, "DesignDuty", s.DesignDuty);
    store.WriteInteger(sec, "CalcMode", s.CalcMode);
    store.WriteFloat(sec, "DutyFactor", s.DutyFactor);
    store.WriteFloat(sec, "AirDPFactor", s.AirDPFactor);
    store.WriteFloat(sec, "FluidDPFactor", s.FluidDPFactor);
    store.WriteFloat(sec, "hoFactor", s.hoFactor);
    store.WriteFloat(sec, "hiFactor", s.hiFactor);
    store.WriteInteger(sec, "Col0", s.Col0);
    store.WriteInteger(sec, "Col1", s.Col1);
    store.WriteInteger(sec, "Col2", s.Col2);
}

void LoadFluidDefaults(const TCustomIniFile& store, TCoilSettings& s) {
    const TCoilSettings d;
    const char* sec = kFluidDefaultsSection;
    s.WaterFlow = store.ReadFloat(sec, "WaterFlow", d.WaterFlow);
    s.WaterIn = store.ReadFloat(sec, "WaterIn", d.WaterIn);
    s.WaterOut = store.ReadFloat(sec, "WaterOut", d.WaterOut);
    s.WaterVelocity = store.ReadFloat(sec, "WaterVelocity", d.WaterVelocity);
    s.DesignWaterDT = store.ReadFloat(sec, "DesignWaterDT", d.DesignWaterDT);
    s.Control = store.ReadInteger(sec, "Control", d.Control);
    s.WaterTemp = store.ReadFloat(sec, "WaterTemp", d.WaterTemp);
    s.WaterSpec = store.ReadInteger(sec, "WaterSpec", d.WaterSpec);
    s.WaterAdditive = store.ReadInteger(sec, "WaterAdditive", d.WaterAdditive);
    s.WaterAddVol = store.ReadFloat(sec, "WaterAddVol", d.WaterAddVol);
    s.WaterUserRo = store.ReadFloat(sec, "WaterUserRo", d.WaterUserRo);
    s.WaterUserCp = store.ReadFloat(sec, "WaterUserCp", d.WaterUserCp);
    s.WaterUserMu = store.ReadFloat(sec, "WaterUserMu", d.WaterUserMu);
    s.WaterUserKo = store.ReadFloat(sec, "WaterUserKo", d.WaterUserKo);
}

void SaveFluidDefaults(TCustomIniFile& store, const TCoilSettings& s) {
    const char* sec = kFluidDefaultsSection;
    store.WriteFloat(sec, "WaterFlow", s.WaterFlow);
    store.WriteFloat(sec, "WaterIn", s.WaterIn);
    store.WriteFloat(sec, "WaterOut", s.WaterOut);
    store.WriteFloat(sec, "WaterVelocity", s.WaterVelocity);
    store.WriteFloat(sec, "DesignWaterDT", s.DesignWaterDT);
    store.WriteInteger(sec, "Control", s.Control);
    store.WriteFloat(sec, "WaterTemp", s.WaterTemp);
    store.WriteInteger(sec, "WaterSpec", s.WaterSpec);
    store.WriteInteger(sec, "WaterAdditive", s.WaterAdditive);
    store.WriteFloat(sec, "WaterAddVol", s.WaterAddVol);
    store.WriteFloat(sec, "WaterUserRo", s.WaterUserRo);
    store.WriteFloat(sec, "WaterUserCp", s.WaterUserCp);
    store.WriteFloat(sec, "WaterUserMu", s.WaterUserMu);
    store.WriteFloat(sec, "WaterUserKo", s.WaterUserKo);
}

void CaptureSettings(const TCoilProject& project, TCoilSettings& s) {
    const TColdWaterCoil& c = project.Coil();
    const TFinAndTube& fat = *c.FinAndTube;
    s.FileName = project.FileName;
    s.Pressure = project.Barometer;
    s.AirOn = AirText(project.OnCoilAir);
    s.AirOff = AirText(project.OffCoilAir);
    s.Ambient = s.AirOn;
    s.CoilModel = fat.Designation();
    s.CoilHeight = fat.FinHeight();
    s.CoilLength = fat.FinnedLength();
    s.CoilMaker = fat.Record().Mnf;
    s.CoilMR = FormatSpecification(ModelToMnf(fat.Record()));
    s.AirVelocity = c.FaceVelocity;
    s.DesignDuty = project.DesignDuty;
    s.CalcMode = project.CalcMode;
    // The correction factors are not taken from the coil: settings holds the run's own, which
    // only an accepted calibration replaces. A cancelled one leaves its trial factors in the
    // coil, and those must not become the next run's.

    const TLiquidState& ls = *c.LiquidState;
    const TLiquid& l = *c.Liquid;
    s.WaterFlow = ls.GetMassFlow();
    s.WaterIn = l.tfi;
    s.WaterOut = l.tfo;
    s.WaterTemp = l.GetT();
    s.WaterVelocity = ls.vw;
    s.DesignWaterDT = ls.designdt;
    s.Control = ls.ctrl;
    s.WaterSpec = l.LiquidSpec;
    s.WaterAdditive = l.WaterAdditive;
    s.WaterAddVol = l.AdditiveVolume;
    s.WaterUserRo = l.UserRo;
    s.WaterUserCp = l.UserCp;
    s.WaterUserMu = l.UserMu;
    s.WaterUserKo = l.UserKo;
}

void ReadUnitChoices(const TCustomIniFile& common, TUnitPrefs& prefs) {
    for (const CoilUnitKey& k : CoilUnitKeys()) {
        UnitRec& rec = prefs[k.Rec];
        // The store is outside data: an index outside the category takes its nearest end, as
        // in the units file.
        rec.UnitsValue = CheckUnitsIndex(
            rec.UnitsType, common.ReadInteger(kCoilUnitsSection, k.SettingsKey, rec.UnitsValue));
    }
}

void WriteUnitChoices(TCustomIniFile& common, const TUnitPrefs& prefs) {
    for (const CoilUnitKey& k : CoilUnitKeys())
        common.WriteInteger(kCoilUnitsSection, k.SettingsKey, prefs[k.Rec].UnitsValue);
}

bool ReadSplashScreen(const TCustomIniFile& store) {
    return store.ReadBool(kProgramSettingsSection, "SplashScreen", false);
}

void WriteSplashScreen(TCustomIniFile& store, bool on) {
    store.WriteBool(kProgramSettingsSection, "SplashScreen", on);
}

TCompanySettings ReadCompanySettings(const TCustomIniFile& company,
                                     const std::string& logoDefault) {
    const TCompanySettings d;
    const char* sec = kCompanySection;
    TCompanySettings s;
    s.company = company.ReadString(sec, "company", d.company);
    s.description = company.ReadString(sec, "description", "");
    s.logo = company.ReadString(sec, "logo", logoDefault);
    s.addr1 = company.ReadString(sec, "addr1", "");
    s.addr2 = company.ReadString(sec, "addr2", "");
    s.code = company.ReadString(sec, "code", "");
    s.country = company.ReadString(sec, "country", "");
    s.email = company.ReadString(sec, "email", "");
    s.web = company.ReadString(sec, "web", "");
    s.tel = company.ReadString(sec, "tel", "");
    s.fax = company.ReadString(sec, "fax", "");
    s.user = company.ReadString(sec, "user", "");
    return s;
}

TCoilSettings ReadCoilSettings() {
    TCoilSettings s;
    const auto program = OpenProgramSettings();
    LoadSettings(*program, s);
    {
        const auto common = OpenCommonSettings();
        ReadUnitChoices(*common, UnitPrefs());
    }
    LoadFluidDefaults(*program, s);
    return s;
}

bool WriteCoilSettings(const TCoilProject& project, TCoilSettings& s,
                       const std::function<void(TCustomIniFile&)>& writePosition) {
    CaptureSettings(project, s);
    bool ok;
    {
        const auto program = OpenProgramSettings();
        SaveFluidDefaults(*program, s);
        if (writePosition) writePosition(*program);
        SaveSettings(*program, s);
        ok = program->UpdateFile();
    }
    const auto common = OpenCommonSettings();
    WriteUnitChoices(*common, UnitPrefs());
    return common->UpdateFile() && ok;
}

TCompanySettings ReadCompanySettings() {
    const auto company = OpenCompanySettings();
    return ReadCompanySettings(*company, CommonFilesDir() + "Calorix/ReportLogo.gif");
}

}  // namespace qdx

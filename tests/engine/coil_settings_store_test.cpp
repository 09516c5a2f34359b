#include <string>
#include <vector>

#include "documents/ini_file.hpp"
#include "documents/settings_stores.hpp"
#include "engine/coil_settings_store.hpp"
#include "engine_fixture.hpp"
#include "units/format.hpp"
#include "units/unit_prefs.hpp"
#include "units/unit_table.hpp"

namespace qdx::test {
namespace {

class CoilSettingsStoreTest : public CoilProjectTest {
protected:
    void SetUp() override {
        CoilProjectTest::SetUp();
        UnitPrefs().Reset();
    }
    void TearDown() override {
        UnitPrefs().Reset();
        CoilProjectTest::TearDown();
    }
};

TEST_F(CoilSettingsStoreTest, FirstRunReadsTheDefaults) {
    const TCoilSettings s = ReadCoilSettings();
    TCoilProject p;
    p.CreateCoil(s);
    TColdWaterCoil& c = p.Coil();
    EXPECT_EQ(s.FileName, "Default");
    EXPECT_EQ(c.GetDesignation(), "635 x 720  4r  12f  7c");
    EXPECT_EQ(c.FinAndTube->Record().Mnf, "Typical");
    EXPECT_DOUBLE_EQ(p.Barometer, 101.325);
    EXPECT_DOUBLE_EQ(c.AirIn->db, 25);
    EXPECT_NEAR(c.AirIn->wb, 17, 1e-9);
    EXPECT_DOUBLE_EQ(c.FaceVelocity, 2.5);
    EXPECT_NEAR(c.LiquidState->vw, 1.0, 1e-12);
    EXPECT_DOUBLE_EQ(c.LiquidState->designdt, 5.5);
    EXPECT_EQ(c.LiquidState->ctrl, wcFlow);
    EXPECT_EQ(p.CalcMode, cmCoolingDuty);
    EXPECT_DOUBLE_EQ(p.DesignDuty, 20);
    for (double f : {c.DutyFactor, c.hoFactor, c.hiFactor, c.AirDPFactor, c.FluidDPFactor})
        EXPECT_DOUBLE_EQ(f, 1);
    EXPECT_EQ(s.Col0, 90);
    EXPECT_EQ(s.Col1, 126);
    EXPECT_EQ(s.Col2, 65);
    // Nothing read, nothing written.
    EXPECT_FALSE(std::filesystem::exists(ProgramSettingsPath()));
    EXPECT_EQ(UnitPrefs()[urAirDp].UnitsValue, 1);
    EXPECT_EQ(UnitPrefs()[urLiquidT].UnitsValue, 0);
}

TEST_F(CoilSettingsStoreTest, SettingsWrittenAtCloseGiveTheSameCoilOnTheNextStart) {
    // A session: the user's own coil, liquid, units and a calibrated duty factor.
    TCoilSettings session = ReadCoilSettings();
    TCoilProject before;
    before.CreateCoil(session);
    ASSERT_TRUE(before.SetCoilModel("762 1200 6r 10f 12c"));
    before.Coil().SetMakerModel("Typical", FormatSpecification(FindTube("Typical", 3)));
    before.SetBarometer(95.5);
    before.SetOnCoil("26.3/19.7");
    before.SetAirVelocity(2.15);
    before.SetCoolant(0, 2, 0.3);
    before.SetFluidControl(wcTemp);
    before.SetFluidInlet(5.5);
    before.SetDesignDT(6.5);
    before.SetFluidFlow(2.4);
    before.SetDesignDuty(55);
    before.SetCalcMode(cmCoilSize);
    // An accepted calibration: the coil's factors become the run's.
    before.Coil().DutyFactor = session.DutyFactor = 1.05;
    before.Coil().hiFactor = session.hiFactor = 0.97;
    before.FileName = dir_.string() + "/job.cqx";
    session.Col1 = 140;
    UnitPrefs()[urLiquidT].UnitsValue = 1;
    UnitPrefs()[urAirVolFlow].UnitsValue = 2;
    UnitPrefs()[urHexPipeConn].UnitsValue = 1;
    ASSERT_TRUE(before.SolveCoil());
    ASSERT_TRUE(WriteCoilSettings(before, session));

    // The next start.
    UnitPrefs().Reset();
    const TCoilSettings next = ReadCoilSettings();
    TCoilProject after;
    after.CreateCoil(next);
    TColdWaterCoil& a = before.Coil();
    TColdWaterCoil& b = after.Coil();
    EXPECT_EQ(next.FileName, before.FileName);
    EXPECT_EQ(next.Col1, 140);
    EXPECT_EQ(b.GetDesignation(), a.GetDesignation());
    // The sized length comes back to the 15 digits the store keeps.
    TModelRec ra = a.FinAndTube->Record();
    const TModelRec& rb = b.FinAndTube->Record();
    EXPECT_NEAR(rb.fLength, ra.fLength, 1e-13);
    ra.fLength = rb.fLength;
    EXPECT_EQ(rb, ra);
    EXPECT_EQ(rb.Model, "3/8 inch");
    EXPECT_DOUBLE_EQ(after.Barometer, 95.5);
    EXPECT_NEAR(b.AirIn->db, a.AirIn->db, 5e-5);
    EXPECT_NEAR(b.AirIn->wb, a.AirIn->wb, 5e-5);
    EXPECT_DOUBLE_EQ(b.AirIn->pa, 95.5);
    EXPECT_NEAR(b.FaceVelocity, a.FaceVelocity, 1e-12);
    EXPECT_EQ(after.Coolant().GetCaption(), before.Coolant().GetCaption());
    EXPECT_DOUBLE_EQ(b.Liquid->tfi, 5.5);
    EXPECT_NEAR(b.LiquidState->vw, a.LiquidState->vw, 1e-12);
    EXPECT_NEAR(b.Liquid->m, a.Liquid->m, 1e-9);
    EXPECT_NEAR(b.LiquidState->designdt, a.LiquidState->designdt, 1e-12);
    // The sizing chose flow control and the circuits.
    EXPECT_EQ(b.LiquidState->ctrl, wcFlow);
    EXPECT_DOUBLE_EQ(b.Circuits(), a.Circuits());
    EXPECT_EQ(after.CalcMode, cmCoilSize);
    EXPECT_NEAR(after.DesignDuty, before.DesignDuty, 1e-12);  // the achieved duty
    EXPECT_DOUBLE_EQ(b.DutyFactor, 1.05);
    EXPECT_DOUBLE_EQ(b.hiFactor, 0.97);
    EXPECT_DOUBLE_EQ(b.hoFactor, 1);
    EXPECT_EQ(UnitPrefs()[urLiquidT].UnitsValue, 1);
    EXPECT_EQ(UnitPrefs()[urAirVolFlow].UnitsValue, 2);
    EXPECT_EQ(UnitPrefs()[urHexPipeConn].UnitsValue, 1);

    // Sized and rated again, the restored coil gives the same duty.
    after.SetCalcMode(cmCoolingDuty);
    before.SetCalcMode(cmCoolingDuty);
    ASSERT_TRUE(after.SolveCoil());
    ASSERT_TRUE(before.SolveCoil());
    EXPECT_EQ(Format("%0.3f", b.Qt), Format("%0.3f", a.Qt));
}

TEST_F(CoilSettingsStoreTest, CancelledCalibrationFactorsAreNotWritten) {
    TCoilSettings session = ReadCoilSettings();
    session.hoFactor = 1.02;  // accepted earlier in the run
    TCoilProject p;
    p.CreateCoil(session);
    // Trial factors left in the coil by a cancelled calibration.
    p.Coil().DutyFactor = 1.2;
    p.Coil().hoFactor = 0.8;
    p.Coil().FluidDPFactor = 1.3;
    ASSERT_TRUE(WriteCoilSettings(p, session));

    const auto program = OpenProgramSettings();
    EXPECT_DOUBLE_EQ(program->ReadFloat(kCoilWindowSection, "DutyFactor", 0), 1);
    EXPECT_DOUBLE_EQ(program->ReadFloat(kCoilWindowSection, "hoFactor", 0), 1.02);
    EXPECT_DOUBLE_EQ(program->ReadFloat(kCoilWindowSection, "FluidDPFactor", 0), 1);
    TCoilSettings next;
    next.DutyFactor = 0.5;  // stands only when the store holds no factor
    LoadSettings(*program, next);
    EXPECT_DOUBLE_EQ(next.DutyFactor, 1);
    EXPECT_DOUBLE_EQ(next.hoFactor, 1.02);
}

TEST_F(CoilSettingsStoreTest, AnotherTubeGivesItsOwnFlowArea) {
    TCoilSettings s;
    s.CoilMR = FormatSpecification(FindTube("Typical", 3));
    TCoilProject p;
    p.CreateCoil(s);
    const TColdWaterCoil& c = p.Coil();
    EXPECT_EQ(c.FinAndTube->Record().Model, "3/8 inch");
    EXPECT_NEAR(c.LiquidState->area, 7 * c.FinAndTube->TubeFlowArea(), 1e-15);
    EXPECT_NEAR(c.LiquidState->vw, 1.0, 1e-12);
    EXPECT_DOUBLE_EQ(c.WallThickness, c.FinAndTube->TubeSide().WallThickness);
}

TEST_F(CoilSettingsStoreTest, KeysAreWrittenInTheirOrderAndForm) {
    project.SetOnCoil("24.12346/17.5");
    TCoilSettings s;
    ASSERT_TRUE(WriteCoilSettings(project, s));

    const auto program = OpenProgramSettings();
    EXPECT_EQ(program->ReadSection(kCoilWindowSection),
              (std::vector<std::string>{"FileName", "Pressure", "AirOn", "AirOff", "Ambient",
                                        "CoilModel", "CoilHeight", "CoilLength", "CoilMaker",
                                        "CoilMR", "AirVelocity", "DesignDuty", "CalcMode",
                                        "DutyFactor", "AirDPFactor", "FluidDPFactor", "hoFactor",
                                        "hiFactor", "Col0", "Col1", "Col2"}));
    EXPECT_EQ(program->ReadSection(kFluidDefaultsSection),
              (std::vector<std::string>{"WaterFlow", "WaterIn", "WaterOut", "WaterVelocity",
                                        "DesignWaterDT", "Control", "WaterTemp", "WaterSpec",
                                        "WaterAdditive", "WaterAddVol", "WaterUserRo",
                                        "WaterUserCp", "WaterUserMu", "WaterUserKo"}));
    // The liquid defaults come first in the file, as they are written first.
    EXPECT_EQ(program->ReadSections(),
              (std::vector<std::string>{kFluidDefaultsSection, kCoilWindowSection}));
    const std::string on = program->ReadString(kCoilWindowSection, "AirOn", "");
    EXPECT_EQ(on, Format("%0.4f/%0.4f", project.OnCoilAir.db, project.OnCoilAir.wb));
    EXPECT_EQ(on.substr(0, 8), "24.1235/");
    EXPECT_EQ(program->ReadString(kCoilWindowSection, "Ambient", ""), on);
    EXPECT_EQ(program->ReadString(kCoilWindowSection, "CoilModel", ""), "635 x 720  4r  12f  7c");
    EXPECT_EQ(program->ReadString(kCoilWindowSection, "FileName", "?"), "");

    const auto common = OpenCommonSettings();
    EXPECT_EQ(common->ReadSection(kCoilUnitsSection),
              (std::vector<std::string>{
                  "UnitsPressure", "UnitsAltitude", "UnitsAirOn", "UnitsAirVol", "UnitsAirVel",
                  "UnitsDesDuty", "UnitsPressDrop", "UnitsMass", "UnitsFATLength",
                  "UnitsFATFaceArea", "UnitsLiquidTemp", "UnitsLiquidChange",
                  "UnitsLiquidVolFlow", "UnitsLiquidMassFlow", "UnitsLiquidVel",
                  "UnitsLiquidPipeConn", "UnitsLiquidPressDrop"}));
    EXPECT_EQ(common->ReadInteger(kCoilUnitsSection, "UnitsPressDrop", -1), 1);
}

TEST_F(CoilSettingsStoreTest, UnreadableValuesGiveTheDefaults) {
    TPowerIniFile store((dir_ / "odd.ini").string());
    store.WriteString(kCoilWindowSection, "Pressure", "high");
    store.WriteString(kCoilWindowSection, "CalcMode", "1.5");
    store.WriteString(kCoilWindowSection, "CoilHeight", "0.9");
    store.WriteString(kFluidDefaultsSection, "WaterIn", "cold");
    store.WriteString(kFluidDefaultsSection, "Control", "0");
    TCoilSettings s;
    s.DutyFactor = 1.1;  // the run's factor stands when the store has none
    LoadSettings(store, s);
    LoadFluidDefaults(store, s);
    EXPECT_DOUBLE_EQ(s.Pressure, 101.325);
    EXPECT_EQ(s.CalcMode, 0);
    EXPECT_DOUBLE_EQ(s.CoilHeight, 0.9);
    EXPECT_DOUBLE_EQ(s.WaterIn, 6.0);
    EXPECT_EQ(s.Control, 0);
    EXPECT_DOUBLE_EQ(s.DutyFactor, 1.1);

    TCoilProject p;
    p.CreateCoil(s);
    EXPECT_DOUBLE_EQ(p.Coil().FinHeight(), 0.9);
    EXPECT_DOUBLE_EQ(p.Coil().DutyFactor, 1.1);
}

TEST_F(CoilSettingsStoreTest, UnitChoicesDefaultToTheRecords) {
    TPowerIniFile common((dir_ / "common.ini").string());
    common.WriteInteger(kCoilUnitsSection, "UnitsLiquidTemp", 1);
    common.WriteString(kCoilUnitsSection, "UnitsAirOn", "F");
    UnitPrefs()[urAirT].UnitsValue = 1;
    ReadUnitChoices(common, UnitPrefs());
    EXPECT_EQ(UnitPrefs()[urLiquidT].UnitsValue, 1);
    EXPECT_EQ(UnitPrefs()[urAirT].UnitsValue, 1);  // unreadable: the current choice stays
    EXPECT_EQ(UnitPrefs()[urAirDp].UnitsValue, 1);
    EXPECT_EQ(UnitPrefs()[urPlaceBaromPressure].UnitsValue, 0);

    // Indexes outside their category take its nearest end.
    common.WriteInteger(kCoilUnitsSection, "UnitsLiquidTemp", 99);
    common.WriteInteger(kCoilUnitsSection, "UnitsAirOn", -3);
    ReadUnitChoices(common, UnitPrefs());
    EXPECT_EQ(UnitPrefs()[urLiquidT].UnitsValue, UnitsCount(UnitPrefs()[urLiquidT].UnitsType) - 1);
    EXPECT_EQ(UnitPrefs()[urAirT].UnitsValue, 0);
}

TEST_F(CoilSettingsStoreTest, CompanyAndSplashSettings) {
    TPowerIniFile company((dir_ / "company.ini").string());
    TCompanySettings d = ReadCompanySettings(company, "/share/Calorix/ReportLogo.gif");
    EXPECT_EQ(d.company, "Calorix Software");
    EXPECT_EQ(d.logo, "/share/Calorix/ReportLogo.gif");
    EXPECT_EQ(d.user, "");
    company.WriteString(kCompanySection, "company", "Coolco");
    company.WriteString(kCompanySection, "tel", "+44 1");
    company.WriteString(kCompanySection, "logo", "/x/logo.gif");
    d = ReadCompanySettings(company, "/share/Calorix/ReportLogo.gif");
    EXPECT_EQ(d.company, "Coolco");
    EXPECT_EQ(d.tel, "+44 1");
    EXPECT_EQ(d.logo, "/x/logo.gif");
    EXPECT_EQ(ReadCompanySettings().logo, CommonFilesDir() + "Calorix/ReportLogo.gif");

    TPowerIniFile program((dir_ / "program.ini").string());
    EXPECT_FALSE(ReadSplashScreen(program));
    WriteSplashScreen(program, true);
    EXPECT_TRUE(ReadSplashScreen(program));
}

}  // namespace
}  // namespace qdx::test

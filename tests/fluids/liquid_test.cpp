#include <gtest/gtest.h>

#include <string>

#include "documents/value_stream.hpp"
#include "documents/xml_file.hpp"
#include "fluids/liquid.hpp"
#include "fluids/liquid_correlations.hpp"
#include "units/errors.hpp"

namespace qdx {
namespace {

TTransportProps Water(double t) {
    TTransportProps p;
    EvaluateLiquid(liWater, t, 5.0, p);
    return p;
}

TEST(Liquid, ConstructionEvaluatesAndSeedsUserProperties) {
    TLiquid l("Water", 2.0, 6.0, 12.0, liWater);
    EXPECT_EQ(l.Caption, "Water");
    EXPECT_EQ(l.m, 2.0);
    EXPECT_EQ(l.t, 9.0);
    EXPECT_EQ(l.GetT(), 9.0);
    EXPECT_EQ(l.Pf, 5.0);
    EXPECT_EQ(l.WaterAdditive, 0);
    EXPECT_EQ(l.AdditiveVolume, 0.0);
    const TTransportProps w = Water(9.0);
    EXPECT_EQ(l.ro, w.ro);
    EXPECT_EQ(l.Cp, w.Cp);
    EXPECT_EQ(l.mu, w.mu);
    EXPECT_EQ(l.Ko, w.Ko);
    EXPECT_DOUBLE_EQ(l.Pr, w.Cp * w.mu / w.Ko);
    EXPECT_EQ(l.tLower, 0.0);
    EXPECT_EQ(l.tUpper, 300.0);
    EXPECT_EQ(l.status, 0);
    EXPECT_EQ(l.UserRo, l.ro);
    EXPECT_EQ(l.UserCp, l.Cp);
    EXPECT_EQ(l.UserMu, l.mu);
    EXPECT_EQ(l.UserKo, l.Ko);
    EXPECT_EQ(l.GetCaption(), "Clean Water");
    EXPECT_EQ(l.GetShortCaption(), "Clean Water");
    EXPECT_EQ(l.GetLabel(), "Clean Water 9.0");
}

TEST(Liquid, TemperatureSettersKeepTheMean) {
    TLiquid l("Water", 2.0, 6.0, 12.0, liWater);
    l.SetT(10.0);
    EXPECT_EQ(l.tfi, 6.0);
    EXPECT_EQ(l.tfo, 14.0);
    EXPECT_EQ(l.ro, Water(10.0).ro);
    EXPECT_EQ(l.Cp, Water(10.0).Cp);

    l.SetTfi(4.0);
    EXPECT_EQ(l.t, 9.0);
    l.SetTfo(20.0);
    EXPECT_EQ(l.t, 12.0);
    EXPECT_EQ(l.tfi, 4.0);
    EXPECT_EQ(l.mu, Water(12.0).mu);

    l.SetT(-4.0);  // out of range, still computed
    EXPECT_EQ(l.tfo, -12.0);
    EXPECT_EQ(l.status, 1);
    EXPECT_EQ(l.ro, Water(-4.0).ro);
    l.SetT(5.0);
    EXPECT_EQ(l.status, 0);
}

TEST(Liquid, UserPropertiesOverrideTheCorrelations) {
    TLiquid l("Water", 2.0, 6.0, 12.0, liWater);
    l.UserProps = true;
    l.UserRo = 1100;
    l.UserCp = 3.5;
    l.UserMu = 0.004;
    l.UserKo = 0.0005;
    l.SetT(-20.0);  // far outside water's range
    l.LiquidSpec = liMercury;
    l.Update();
    EXPECT_EQ(l.ro, 1100);
    EXPECT_EQ(l.Cp, 3.5);
    EXPECT_EQ(l.mu, 0.004);
    EXPECT_EQ(l.Ko, 0.0005);
    EXPECT_DOUBLE_EQ(l.Pr, 3.5 * 0.004 / 0.0005);
    EXPECT_EQ(l.status, 0);
    EXPECT_EQ(l.tLower, 0.0);  // the range of the last evaluation stays
    EXPECT_EQ(l.tUpper, 300.0);
    EXPECT_EQ(l.GetCaption(), "User Specified Fluid");
    EXPECT_EQ(l.GetShortCaption(), "User Spec. Fluid");
    EXPECT_EQ(l.GetLabel(), "User Specified Fluid -20.0");

    // A zero conductivity cannot give a Prandtl number.
    l.UserKo = 0;
    EXPECT_THROW(l.Update(), CalcError);
}

TEST(Liquid, CaptionsAndMixtures) {
    struct Row {
        std::uint8_t spec, additive;
        double volume;
        const char* caption;
        const char* shortCaption;
    };
    const Row rows[] = {
        {0, 0, 0.0, "Clean Water", "Clean Water"},
        {0, 0, 0.3, "Clean Water", "Clean Water"},
        {0, 1, 0.3, "Water (30% Ethylene Glycol)", "30% Eth-Glycol"},
        {0, 2, 0.0, "Water (0% Propylene Glycol)", "0% Prop-Glycol"},
        {0, 2, 0.125, "Water (13% Propylene Glycol)", "13% Prop-Glycol"},
        {0, 3, 0.2, "Water (20% Calcium Chloride)", "20% Calc-Chloride"},
        {4, 0, 0.0, "Pure Ethylene Glycol", "Eth Glycol"},
        {11, 0, 0.0, "liquid Freon R12", "Liq R12"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.caption);
        TLiquid l("Coolant", 1.0, 5.0, 15.0, r.spec);
        l.WaterAdditive = r.additive;
        l.AdditiveVolume = r.volume;
        l.Update();
        EXPECT_EQ(l.GetCaption(), r.caption);
        EXPECT_EQ(l.GetShortCaption(), r.shortCaption);
    }

    TLiquid glycol("Coolant", 1.0, -5.0, 5.0, liWater);
    glycol.WaterAdditive = waEthyleneGlycol;
    glycol.AdditiveVolume = 0.3;
    glycol.Update();
    EXPECT_NEAR(glycol.ro, 1051.6, 0.05);
    EXPECT_NEAR(glycol.Cp, 3.591, 0.0005);
    EXPECT_EQ(glycol.tLower, -30.0);
    EXPECT_EQ(glycol.tUpper, 300.0);
    EXPECT_EQ(glycol.status, 0);
    glycol.SetT(-31.0);
    EXPECT_EQ(glycol.status, 1);

    // An additive with no volume is clean water, with water's range.
    TLiquid none("Coolant", 1.0, -5.0, 5.0, liWater);
    none.WaterAdditive = waPropyleneGlycol;
    none.Update();
    EXPECT_EQ(none.ro, Water(0.0).ro);
    EXPECT_EQ(none.tLower, 0.0);
    EXPECT_EQ(none.tUpper, 300.0);
}

TEST(Liquid, CompressedAirPressureAndUnknownIndex) {
    TLiquid air("Air", 0.1, 60.0, 80.0, liCompressedAir);
    EXPECT_EQ(air.GetCaption(), "Compressed Air (5.0-bar)");
    EXPECT_EQ(air.GetShortCaption(), "Comp Air");
    const double ro5 = air.ro;
    air.SetPf(8.0);
    EXPECT_EQ(air.GetPf(), 8.0);
    EXPECT_EQ(air.ro, ro5);
    EXPECT_EQ(air.GetCaption(), "Compressed Air (5.0-bar)");
    air.Update();
    EXPECT_DOUBLE_EQ(air.ro, ro5 * 8.0 / 5.0);
    EXPECT_EQ(air.GetCaption(), "Compressed Air (8.0-bar)");

    // Evaluating another liquid elsewhere does not rename this one.
    TLiquid mercury("Hg", 1.0, 20.0, 30.0, liMercury);
    EXPECT_EQ(air.GetCaption(), "Compressed Air (8.0-bar)");
    EXPECT_EQ(SharedTransportProps().name, "Mercury");

    // An index past the list leaves the properties as they were.
    mercury.LiquidSpec = 14;
    mercury.SetT(100.0);
    EXPECT_EQ(mercury.ro, 13626.224 - 2.4519293 * 25.0);
    EXPECT_EQ(mercury.status, 0);
}

std::string ChildText(XmlNode parent, const char* name) {
    return parent.child(name).text().as_string();
}

TEST(LiquidXml, SavesEveryKeyInOrderAndFormat) {
    TLiquid l("Chilled water", 2.5, 6.0, 12.0, liWater);
    l.WaterAdditive = waPropyleneGlycol;
    l.AdditiveVolume = 0.25;
    l.Update();
    TXMLFile file;
    XmlNode root = file.NewDocument("datafile", "QDX", "1.0.0.0");
    l.SaveXML(file, root);
    XmlNode node = root.child("liquid");
    ASSERT_TRUE(node);
    std::string order;
    for (XmlNode c = node.first_child(); c; c = c.next_sibling()) order += std::string(c.name()) + ",";
    EXPECT_EQ(order,
              "Caption,t,tfi,tfo,Pf,m,Cp,ro,Ko,mu,Pr,UserProps,UserRo,UserCp,UserMu,UserKo,"
              "LiquidSpec,WaterAdditive,AdditiveVolume,");
    EXPECT_EQ(ChildText(node, "Caption"), "Chilled water");
    EXPECT_EQ(ChildText(node, "t"), "9.000");
    EXPECT_EQ(ChildText(node, "Pf"), "5.000");
    EXPECT_EQ(ChildText(node, "m"), "2.500");
    EXPECT_EQ(ChildText(node, "UserProps"), "false");
    EXPECT_EQ(ChildText(node, "UserKo"), "0.000585069");  // water at 9 °C, "%0.6g"
    EXPECT_EQ(ChildText(node, "LiquidSpec"), "0");
    EXPECT_EQ(std::string(node.child("LiquidSpec").attribute("caption").value()), "Water");
    EXPECT_EQ(ChildText(node, "WaterAdditive"), "2");
    EXPECT_EQ(std::string(node.child("WaterAdditive").attribute("caption").value()),
              "PropyleneGlycol");
    EXPECT_EQ(ChildText(node, "AdditiveVolume"), "0.250");
    EXPECT_EQ(ChildText(node, "Pr").size(), ChildText(node, "Pr").find('.') + 6);

    // Saving again overwrites the same element.
    l.SetT(11.0);
    l.SaveXML(file, root);
    EXPECT_EQ(file.GetChildren(root, "liquid").size(), 1u);
    EXPECT_EQ(ChildText(root.child("liquid"), "t"), "11.000");
}

TEST(LiquidXml, RoundTripRecomputesProperties) {
    TLiquid saved("Brine", 1.75, 2.0, 8.0, liWater);
    saved.WaterAdditive = waCalciumChloride;
    saved.AdditiveVolume = 0.2;
    saved.UserRo = 1200;
    saved.SetPf(3.0);
    saved.Update();
    TXMLFile out;
    XmlNode root = out.NewDocument("datafile", "QDX", "1.0.0.0");
    saved.SaveXML(out, root);
    // Tamper with a stored property: the correlation wins on load.
    out.WriteText(root.child("liquid"), "ro", true, "1.5");

    TXMLFile in;
    in.LoadFromString(out.SaveToString());
    TLiquid loaded("Other", 9.0, 30.0, 40.0, liGlycerin);
    loaded.LoadXML(in, in.DocumentElement());
    EXPECT_EQ(loaded.Caption, "Brine");
    EXPECT_EQ(loaded.t, 5.0);
    EXPECT_EQ(loaded.tfi, 2.0);
    EXPECT_EQ(loaded.tfo, 8.0);
    EXPECT_EQ(loaded.Pf, 3.0);
    EXPECT_EQ(loaded.m, 1.75);
    EXPECT_EQ(loaded.LiquidSpec, liWater);
    EXPECT_EQ(loaded.WaterAdditive, waCalciumChloride);
    EXPECT_EQ(loaded.AdditiveVolume, 0.2);
    EXPECT_EQ(loaded.UserRo, 1200);
    EXPECT_FALSE(loaded.UserProps);
    EXPECT_EQ(loaded.ro, saved.ro);
    EXPECT_EQ(loaded.Cp, saved.Cp);
    EXPECT_EQ(loaded.Pr, saved.Pr);
    EXPECT_EQ(loaded.GetCaption(), "Water (20% Calcium Chloride)");
}

TEST(LiquidXml, MissingElementOrValuesKeepCurrentFields) {
    TLiquid l("Water", 2.0, 6.0, 12.0, liWater);
    TXMLFile file;
    file.LoadFromString("<datafile><other/></datafile>");
    l.LoadXML(file, file.DocumentElement());
    EXPECT_EQ(l.Caption, "Water");
    EXPECT_EQ(l.t, 9.0);

    file.LoadFromString(
        "<datafile><liquid><t>abc</t><tfi>7.5</tfi><LiquidSpec>300</LiquidSpec>"
        "<WaterAdditive>x</WaterAdditive><UserProps>maybe</UserProps></liquid></datafile>");
    l.LoadXML(file, file.DocumentElement());
    EXPECT_EQ(l.Caption, "Water");
    EXPECT_EQ(l.t, 9.0);  // unreadable
    EXPECT_EQ(l.tfi, 7.5);
    EXPECT_EQ(l.tfo, 12.0);
    EXPECT_EQ(l.LiquidSpec, liWater);  // does not fit the field
    EXPECT_EQ(l.WaterAdditive, 0);
    EXPECT_FALSE(l.UserProps);
    EXPECT_EQ(l.ro, Water(9.0).ro);

    // Stored user properties apply when the file says so.
    file.LoadFromString(
        "<datafile><liquid><UserProps>Yes</UserProps><UserRo>1010</UserRo><ro>5</ro>"
        "</liquid></datafile>");
    l.LoadXML(file, file.DocumentElement());
    EXPECT_TRUE(l.UserProps);
    EXPECT_EQ(l.ro, 1010);
}

TEST(LiquidStream, RecordOrderAndRoundTrip) {
    TLiquid l("Coolant", 1.5, 4.0, 10.0, liWater);
    l.WaterAdditive = waEthyleneGlycol;
    l.AdditiveVolume = 0.35;
    l.Update();
    l.UserCp = 3.1;
    l.UserRo = 1040;
    l.UserKo = 0.00045;
    l.UserMu = 0.0031;
    l.UserProps = true;  // not part of the record
    ValueWriter w;
    l.WriteData(w);

    ValueReader r(w.Bytes());
    EXPECT_EQ(r.ReadFloat(), 7.0);
    EXPECT_EQ(r.ReadFloat(), 4.0);
    EXPECT_EQ(r.ReadFloat(), 10.0);
    EXPECT_EQ(r.ReadString(), "Coolant");
    EXPECT_EQ(r.ReadFloat(), 1.5);
    EXPECT_EQ(r.ReadFloat(), l.Cp);
    EXPECT_EQ(r.ReadFloat(), l.ro);
    EXPECT_EQ(r.ReadFloat(), l.Ko);
    EXPECT_EQ(r.ReadFloat(), l.mu);
    EXPECT_EQ(r.ReadFloat(), l.Pr);
    EXPECT_EQ(r.ReadFloat(), 3.1);
    EXPECT_EQ(r.ReadFloat(), 1040);
    EXPECT_EQ(r.ReadFloat(), 0.00045);
    EXPECT_EQ(r.ReadFloat(), 0.0031);
    EXPECT_EQ(r.ReadInteger(), 0);
    EXPECT_EQ(r.ReadInteger(), 1);
    EXPECT_EQ(r.ReadFloat(), 0.35);
    EXPECT_TRUE(r.AtEnd());

    // Reading stores the values as they stand, without re-evaluating.
    ValueWriter tampered;
    TLiquid src = l;
    src.ro = 1.0;
    src.WriteData(tampered);
    TLiquid dst("Other", 0.0, 50.0, 60.0, liMercury);
    ValueReader r2(tampered.Bytes());
    dst.ReadData(r2);
    EXPECT_EQ(dst.ro, 1.0);
    EXPECT_EQ(dst.t, 7.0);
    EXPECT_EQ(dst.Caption, "Coolant");
    EXPECT_EQ(dst.UserMu, 0.0031);
    EXPECT_EQ(dst.LiquidSpec, liWater);
    EXPECT_EQ(dst.WaterAdditive, waEthyleneGlycol);
    EXPECT_EQ(dst.AdditiveVolume, 0.35);
    EXPECT_FALSE(dst.UserProps);

    // A truncated record fails.
    std::vector<uint8_t> cut(w.Bytes().begin(), w.Bytes().end() - 3);
    ValueReader r3(cut);
    EXPECT_THROW(dst.ReadData(r3), StreamError);
}

}  // namespace
}  // namespace qdx

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "documents/xml_file.hpp"
#include "fluids/liquid.hpp"
#include "fluids/liquid_correlations.hpp"
#include "fluids/liquid_state.hpp"
#include "units/errors.hpp"

// The coil's solution applies duties in tight loops and must not touch the heap: this program
// counts the allocations made while counting is switched on.
namespace {
std::atomic<long> g_allocations{0};
std::atomic<bool> g_counting{false};
}  // namespace

void* operator new(std::size_t n) {
    if (g_counting) ++g_allocations;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace qdx {
namespace {

// Clean water from 6 to 14 °C (mean 10 °C) in circuits of 0.002 m².
class LiquidStateTest : public ::testing::Test {
protected:
    LiquidStateTest() : water("Water", 2.0, 6.0, 14.0, liWater), state(&water) {
        state.SetFlowArea(0.002);
    }

    void ExpectConsistent() const {
        EXPECT_NEAR(state.vw, water.m / (water.ro * state.area), 1e-12);
        EXPECT_NEAR(state.cw, water.m * water.Cp, 1e-12);
        TTransportProps p;
        EvaluateLiquid(liWater, water.t, 5.0, p);
        EXPECT_EQ(water.ro, p.ro);
        EXPECT_EQ(water.Cp, p.Cp);
        EXPECT_DOUBLE_EQ(water.t, (water.tfi + water.tfo) / 2.0);
    }

    TLiquid water;
    TLiquidState state;
};

TEST_F(LiquidStateTest, DefaultsAndFlowArea) {
    TLiquidState fresh;
    EXPECT_EQ(fresh.area, 1.0);
    EXPECT_EQ(fresh.designdt, 6.0);
    EXPECT_EQ(fresh.ctrl, wcFlow);
    EXPECT_EQ(fresh.vwideal, 1.0);
    EXPECT_EQ(fresh.liquid, nullptr);
    fresh.SetFlowArea(0.01);  // nothing to recompute without a liquid
    EXPECT_EQ(fresh.area, 0.01);
    EXPECT_THROW(fresh.SetMassFlow(1.0), std::logic_error);
    EXPECT_THROW(fresh.GetMassFlow(), std::logic_error);

    EXPECT_EQ(state.area, 0.002);
    EXPECT_EQ(state.GetMassFlow(), 2.0);
    ExpectConsistent();
    EXPECT_EQ(WaterControlCaption(wcTemp), "Temperature");
    EXPECT_EQ(WaterControlCaption(wcFlow), "Liquid flow");
}

TEST_F(LiquidStateTest, VelocityAndVolumeFlow) {
    EXPECT_NEAR(water.ro, 999.55, 0.005);
    state.SetVelocity(1.0);
    EXPECT_NEAR(state.GetMassFlow(), 1.9991, 0.00005);
    EXPECT_DOUBLE_EQ(state.vw, 1.0);
    EXPECT_NEAR(state.GetVolumeFlow(), 2.0, 1e-12);  // 1 m/s through 0.002 m² is 2 l/s
    ExpectConsistent();

    state.SetFlowArea(0.004);  // same flow, half the velocity
    EXPECT_NEAR(state.vw, 0.5, 1e-12);
    ExpectConsistent();

    EXPECT_THROW(state.SetFlowArea(0.0), CalcError);
}

TEST_F(LiquidStateTest, TemperatureSettersKeepTheFlow) {
    const double cw = state.cw;
    const double vw = state.vw;
    state.SetInletTemp(40.0);
    EXPECT_EQ(state.GetInletTemp(), 40.0);
    EXPECT_EQ(water.t, 27.0);
    EXPECT_EQ(state.GetMassFlow(), 2.0);
    EXPECT_NE(state.cw, cw);
    EXPECT_GT(state.vw, vw);  // warmer water is lighter
    ExpectConsistent();

    state.SetLeavingTemp(20.0);
    EXPECT_EQ(state.GetLeavingTemp(), 20.0);
    EXPECT_EQ(water.t, 30.0);
    ExpectConsistent();
}

TEST_F(LiquidStateTest, DutyWithFlowControlRaisesTheLeavingTemperature) {
    state.ctrl = wcFlow;
    const double cp = water.Cp;
    EXPECT_NEAR(cp, 4.1933, 0.00005);
    state.SetDuty(50.0);
    EXPECT_EQ(state.GetMassFlow(), 2.0);
    EXPECT_DOUBLE_EQ(water.tfo, 6.0 + 50.0 / (2.0 * cp));
    EXPECT_NEAR(water.tfo - water.tfi, 5.962, 0.0005);
    EXPECT_DOUBLE_EQ(state.designdt, water.tfo - water.tfi);
    ExpectConsistent();

    // A negative duty cools the liquid.
    state.SetDuty(-10.0);
    EXPECT_LT(water.tfo, 6.0);
    EXPECT_LT(state.designdt, 0.0);
    ExpectConsistent();
}

TEST_F(LiquidStateTest, DutyWithTemperatureControlChangesTheFlow) {
    state.ctrl = wcTemp;
    state.designdt = 6.0;
    state.SetDuty(50.0);
    EXPECT_EQ(water.tfo, 12.0);
    EXPECT_EQ(water.t, 9.0);
    TTransportProps p;
    EvaluateLiquid(liWater, 9.0, 5.0, p);  // Cp at the new mean, not the old one
    EXPECT_DOUBLE_EQ(state.GetMassFlow(), 50.0 / (p.Cp * 6.0));
    EXPECT_DOUBLE_EQ(state.cw * 6.0, 50.0);
    EXPECT_EQ(state.designdt, 6.0);
    ExpectConsistent();

    state.designdt = 0.0;
    EXPECT_THROW(state.SetDuty(50.0), CalcError);
}

TEST_F(LiquidStateTest, UnknownControlModeIgnoresDuty) {
    state.ctrl = 7;
    const double tfo = water.tfo, m = water.m, cw = state.cw;
    state.SetDuty(50.0);
    EXPECT_EQ(water.tfo, tfo);
    EXPECT_EQ(water.m, m);
    EXPECT_EQ(state.cw, cw);
}

TEST_F(LiquidStateTest, XmlRoundTripStoresFlowQuantitiesAsRead) {
    state.ctrl = wcTemp;
    state.designdt = 5.5;
    state.vwideal = 1.2;
    state.SetVelocity(1.25);
    TXMLFile out;
    XmlNode root = out.NewDocument("datafile", "QDX", "1.0.0.0");
    XmlNode coil = out.FindChild(root, "qdx", -1, true);
    state.SaveXML(out, coil);

    XmlNode node = coil.child("liquidstate");
    ASSERT_TRUE(node);
    std::string order;
    for (XmlNode c = node.first_child(); c; c = c.next_sibling()) order += std::string(c.name()) + ",";
    EXPECT_EQ(order, "liquid,designdt,cw,vw,vwideal,ctrl,");
    EXPECT_EQ(std::string(node.child("designdt").text().as_string()), "5.500");
    EXPECT_EQ(std::string(node.child("vw").text().as_string()), "1.25");
    EXPECT_EQ(std::string(node.child("vwideal").text().as_string()), "1.200");
    EXPECT_EQ(std::string(node.child("ctrl").text().as_string()), "0");
    // A stored capacity rate is taken as it stands.
    out.WriteText(node, "cw", true, "123.5");

    TXMLFile in;
    in.LoadFromString(out.SaveToString());
    TLiquid other("Other", 0.5, 20.0, 30.0, liGlycerin);
    TLiquidState loaded(&other);
    loaded.SetFlowArea(0.003);
    loaded.LoadXML(in, in.FindChild(in.DocumentElement(), "qdx"));
    EXPECT_EQ(loaded.designdt, 5.5);
    EXPECT_EQ(loaded.vwideal, 1.2);
    EXPECT_EQ(loaded.ctrl, wcTemp);
    EXPECT_EQ(loaded.cw, 123.5);
    EXPECT_EQ(loaded.vw, 1.25);
    EXPECT_EQ(loaded.area, 0.003);
    EXPECT_EQ(other.LiquidSpec, liWater);
    EXPECT_EQ(other.tfi, 6.0);
    EXPECT_EQ(other.ro, water.ro);
    EXPECT_NEAR(other.m, water.m, 0.0005);  // stored with three decimals
}

TEST_F(LiquidStateTest, LoadingWithoutTheElementChangesNothing) {
    state.designdt = 4.0;
    const double cw = state.cw, vw = state.vw;
    TXMLFile in;
    in.LoadFromString("<datafile><qdx><liquid><tfi>1</tfi></liquid></qdx></datafile>");
    XmlNode coil = in.FindChild(in.DocumentElement(), "qdx");
    state.LoadXML(in, coil);
    EXPECT_EQ(state.designdt, 4.0);
    EXPECT_EQ(state.cw, cw);
    EXPECT_EQ(state.vw, vw);
    EXPECT_EQ(water.tfi, 6.0);  // the liquid is only read inside "liquidstate"

    in.LoadFromString(
        "<datafile><qdx><liquidstate><designdt>oops</designdt><ctrl>0</ctrl></liquidstate>"
        "</qdx></datafile>");
    state.LoadXML(in, in.FindChild(in.DocumentElement(), "qdx"));
    EXPECT_EQ(state.designdt, 4.0);
    EXPECT_EQ(state.ctrl, wcTemp);
    EXPECT_EQ(water.tfi, 6.0);
}

TEST(LiquidStateAllocation, DutiesDoNotAllocateForAnyLiquid) {
    struct Case {
        std::uint8_t spec, additive;
        double inlet;
    };
    std::vector<Case> cases;
    for (std::uint8_t spec = 0; spec < kLiquidCount; ++spec) cases.push_back({spec, 0, 6.0});
    cases.push_back({liWater, waPropyleneGlycol, 6.0});
    cases.back().inlet = -5.0;
    cases.push_back({liCompressedAir, 0, 80.0});
    for (const Case& k : cases) {
        SCOPED_TRACE(LiquidListName(k.spec));
        TLiquid l("Coolant", 1.0, k.inlet, k.inlet + 6.0, k.spec);
        l.WaterAdditive = k.additive;
        l.AdditiveVolume = k.additive ? 0.3 : 0.0;
        l.Update();
        TLiquidState s(&l);
        s.SetFlowArea(0.002);
        s.SetDuty(5.0);  // the first evaluation may size the names
        g_allocations = 0;
        g_counting = true;
        for (int ctrl : {wcFlow, wcTemp}) {
            s.ctrl = static_cast<std::uint8_t>(ctrl);
            for (double q : {2.0, 4.5, 3.0}) s.SetDuty(q);
        }
        s.SetInletTemp(k.inlet + 1.0);
        g_counting = false;
        EXPECT_EQ(g_allocations, 0);
        EXPECT_NEAR(s.cw, l.m * l.Cp, 1e-12);
    }
}

}  // namespace
}  // namespace qdx

#include <regex>

#include "documents/value_stream.hpp"
#include "documents/xml_file.hpp"
#include "engine_fixture.hpp"

namespace qdx::test {
namespace {

class CoilPersistenceTest : public CoilProjectTest {
protected:
    // A coil that differs from the first-run one in every input the file carries.
    void MakeDistinctCoil() {
        project.SetCoilModel("544 x 720 4r 10f  (14c)");
        project.SetBarometer(95);
        project.SetOnCoil("27/21");
        project.SetAirVelocity(2.2);
        project.SetFluidInlet(7);
        project.SetFluidControl(wcTemp);
        ASSERT_TRUE(project.SolveCoil());
    }

    std::string SavedXml() {
        TXMLFile xml;
        XmlNode root = xml.NewDocument("datafile", "QDX", "1.0.0.0");
        coil().WriteToXml(xml, root);
        return xml.SaveToString();
    }

    // Reads text into a fresh first-run coil.
    TCoilProject& Reread(const std::string& text) {
        other.CreateCoil(settings);
        TXMLFile xml;
        xml.LoadFromString(text);
        other.Coil().ReadFromXml(xml, xml.DocumentElement());
        return other;
    }

    void ExpectSameInputs(TColdWaterCoil& a, TColdWaterCoil& b) {
        EXPECT_EQ(a.GetDesignation(), b.GetDesignation());
        EXPECT_NEAR(a.AirIn->pa, b.AirIn->pa, 5e-4);
        EXPECT_NEAR(a.AirIn->db, b.AirIn->db, 5e-4);
        EXPECT_NEAR(a.AirIn->wb, b.AirIn->wb, 5e-4);
        EXPECT_NEAR(a.MassFlow, b.MassFlow, 5e-4);
        EXPECT_NEAR(a.Liquid->tfi, b.Liquid->tfi, 1e-9);
        EXPECT_NEAR(a.Liquid->m, b.Liquid->m, 5e-4);  // written with three decimals
        EXPECT_EQ(a.LiquidState->ctrl, b.LiquidState->ctrl);
        EXPECT_NEAR(a.Qt, b.Qt, 5e-4);
        EXPECT_NEAR(a.Qs, b.Qs, 5e-4);
    }

    TCoilProject other;
};

TEST_F(CoilPersistenceTest, XmlRoundTripKeepsInputsAndResults) {
    MakeDistinctCoil();
    const std::string text = SavedXml();
    EXPECT_NE(text.find("caption=\"Typical, 4, 544 x 720  4r  10f  14c\""), std::string::npos);
    TCoilProject& back = Reread(text);
    ExpectSameInputs(coil(), back.Coil());
    // Rated again, the re-read coil gives the same duty.
    ASSERT_EQ(back.Coil().Solve(), ssSolved);
    EXPECT_NEAR(back.Coil().Qt, coil().Qt, 1e-3 * coil().Qt);
}

TEST_F(CoilPersistenceTest, OlderFileForms) {
    MakeDistinctCoil();
    const std::string text = SavedXml();
    // The element of older files.
    const std::string older = std::regex_replace(text, std::regex("(</?)qdx([ >])"), "$1chilledwatercoil$2");
    ASSERT_NE(older, text);
    ExpectSameInputs(coil(), Reread(older).Coil());
    // "MassFlow" instead of "ma".
    const std::string massFlow = std::regex_replace(text, std::regex("<(/?)ma>"), "<$1MassFlow>");
    ASSERT_NE(massFlow, text);
    EXPECT_NEAR(Reread(massFlow).Coil().MassFlow, coil().MassFlow, 5e-4);
    // The written pressure drops are never read back.
    const std::string drops = std::regex_replace(
        std::regex_replace(text, std::regex("<air_dp([^>]*)>[^<]*<"), "<air_dp$1>999<"),
        std::regex("<liquid_dp([^>]*)>[^<]*<"), "<liquid_dp$1>999<");
    ASSERT_NE(drops, text);
    ExpectSameInputs(coil(), Reread(drops).Coil());
}

TEST_F(CoilPersistenceTest, DocumentWithoutTheCoilChangesNothing) {
    TCoilProject& back = Reread("<?xml version=\"1.0\"?><datafile><other/></datafile>");
    TCoilProject fresh;
    fresh.CreateCoil(settings);
    ExpectSameInputs(fresh.Coil(), back.Coil());
}

TEST_F(CoilPersistenceTest, StreamRoundTrip) {
    MakeDistinctCoil();
    ValueWriter writer;
    coil().WriteToStream(writer);
    other.CreateCoil(settings);
    ValueReader reader(writer.Bytes());
    other.Coil().ReadFromStream(reader);
    EXPECT_TRUE(reader.AtEnd());
    ExpectSameInputs(coil(), other.Coil());
    EXPECT_DOUBLE_EQ(other.Coil().AirOut->db, coil().AirOut->db);
}

}  // namespace
}  // namespace qdx::test

#include <gtest/gtest.h>

#include "catalog_fixture.hpp"
#include "documents/value_stream.hpp"
#include "documents/xml_file.hpp"
#include "geometry/fin_and_tube.hpp"

namespace qdx {
namespace {

class FinAndTubeIo : public testing::CatalogTest {
protected:
    void SetUp() override {
        CatalogTest::SetUp();
        InstallShippedCatalog();
    }

    // A geometry away from every default: 3/8-inch tube, steam kind, fractional fins.
    static TFinAndTube Sample() {
        TFinAndTube g("Typical", "635 720 3r 11.5f 9c", 2, 3);
        TModelRec rec = g.Record();
        rec.Rifle = true;
        rec.Sections = 3;
        rec.Mc = 4;
        rec.tc = 0.002;
        g.SetRecord(rec);
        return g;
    }
};

// The fields every versioned form shares, as the older writers put them.
void WriteCommonHead(ValueWriter& w, const char* version, bool withModel) {
    w.WriteString(version);
    w.WriteString("Typical");
    if (withModel) w.WriteString("5/8 inch");
    w.WriteInteger(5);   // Tube
    w.WriteInteger(1);   // Code
    w.WriteFloat(0.61);  // fHeight
    w.WriteFloat(1.2);   // fLength
    w.WriteFloat(3.7);   // Rows, truncated on reading
    w.WriteFloat(12);    // fpi
    w.WriteFloat(10);    // Circ
}

void WriteCommonTail(ValueWriter& w, bool withFt) {
    w.WriteFloat(0.0155);   // ID
    w.WriteFloat(0.0163);   // OD
    w.WriteFloat(0.00015);  // tf
    w.WriteFloat(1.1);      // fc
    if (withFt) w.WriteFloat(1.3);
    w.WriteBoolean(true);
    w.WriteInteger(2);  // Sections
    w.WriteInteger(5);  // Mf
    w.WriteInteger(7);  // Mt
    w.WriteInteger(4);  // Mc
    w.WriteFloat(0.0012);
}

TEST_F(FinAndTubeIo, CurrentStreamBlockRoundTrip) {
    const TFinAndTube g = Sample();
    ValueWriter w;
    g.WriteToStream(w);
    w.WriteInteger(77);  // what follows the block

    ValueReader r(w.Bytes());
    TModelRec rec;
    ReadModelRecord(r, rec);
    EXPECT_EQ(rec, g.Record());
    EXPECT_EQ(r.ReadInteger(), 77);

    TFinAndTube other("Typical", "544 x 720 4r 12f  (14c)", 0, 4);
    ValueReader r2(w.Bytes());
    other.ReadFromStream(r2);
    EXPECT_EQ(other.Record(), g.Record());
    EXPECT_EQ(other.Designation(), "635 x 720  3r  11.5f  9c");
    EXPECT_DOUBLE_EQ(other.Ao(), g.Ao());
}

TEST_F(FinAndTubeIo, OlderVersionedBlocks) {
    {
        ValueWriter w;
        WriteCommonHead(w, "FAT 1.0.0.2", false);
        w.WriteInteger(1);  // cb
        w.WriteInteger(50);  // Serp
        w.WriteFloat(0.0381);
        w.WriteFloat(0.04445);
        w.WriteInteger(1);  // tp
        WriteCommonTail(w, false);
        ValueReader r(w.Bytes());
        TModelRec rec;
        rec.Model = "stale";
        rec.ft = 2;
        ReadModelRecord(r, rec);
        EXPECT_TRUE(r.AtEnd());
        EXPECT_EQ(rec.Model, "");
        EXPECT_EQ(rec.ft, 1);
        EXPECT_EQ(rec.cb, 1);
        EXPECT_EQ(rec.Rows, 3);
        EXPECT_EQ(rec.tp, 1);
        EXPECT_EQ(rec.Tube, 5);
        EXPECT_EQ(rec.Code, 1);
        EXPECT_DOUBLE_EQ(rec.fc, 1.1);
        EXPECT_TRUE(rec.Rifle);
        EXPECT_EQ(rec.Mt, 7);
        EXPECT_DOUBLE_EQ(rec.tc, 0.0012);
    }
    {
        ValueWriter w;
        WriteCommonHead(w, "FAT 1.0.0.1", false);
        w.WriteInteger(50);  // Serp, no cb before it
        w.WriteFloat(0.0381);
        w.WriteFloat(0.04445);
        w.WriteInteger(0);
        WriteCommonTail(w, false);
        ValueReader r(w.Bytes());
        TModelRec rec;
        rec.cb = 1;
        rec.ft = 2;
        ReadModelRecord(r, rec);
        EXPECT_TRUE(r.AtEnd());
        EXPECT_EQ(rec.cb, 0);
        EXPECT_EQ(rec.ft, 1);
        EXPECT_EQ(rec.Serp, 50);
        EXPECT_DOUBLE_EQ(rec.Sy, 0.04445);
        EXPECT_EQ(rec.Sections, 2);
    }
}

TEST_F(FinAndTubeIo, RawRecordOfAKnownMaker) {
    ValueWriter w;
    w.WriteRawShortString("TYPICAL");  // maker names compare ignoring case
    w.WriteRawByte(5);                  // 256 Tube
    for (int i = 0; i < 7; ++i) w.WriteRawByte(0);
    w.WriteRawDouble(0.61);   // 264
    w.WriteRawDouble(1.2);    // 272
    w.WriteRawDouble(3.5);    // 280 Rows, kept fractional
    w.WriteRawInt32(12);      // 288 fpi
    w.WriteRawInt32(0);
    w.WriteRawDouble(10);     // 296 Circ
    w.WriteRawInt32(60);      // 304 Serp
    w.WriteRawInt32(0);
    w.WriteRawDouble(0.0381);    // 312 Sx
    w.WriteRawDouble(0.04445);   // 320 Sy
    w.WriteRawDouble(0.0155);    // 328 ID
    w.WriteRawDouble(0.0163);    // 336 OD
    w.WriteRawDouble(0.0001524); // 344 tf
    w.WriteRawDouble(1.0);       // 352 fc
    w.WriteRawByte(1);           // 360 Rifle
    for (int i = 0; i < 3; ++i) w.WriteRawByte(0);
    w.WriteRawInt32(2);          // 364 Sections
    w.WriteRawByte(1);           // 368 Mf
    w.WriteRawByte(0);           // 369 Mt
    w.WriteRawByte(4);           // 370 Mc
    for (int i = 0; i < 5; ++i) w.WriteRawByte(0);
    w.WriteRawDouble(0.0015);    // 376 tc
    ASSERT_EQ(w.Bytes().size(), 384u);
    w.WriteInteger(77);

    ValueReader r(w.Bytes());
    TModelRec rec;
    rec.Code = 3;
    rec.cb = 1;
    rec.tp = 1;
    rec.ft = 1.3;
    rec.Model = "stale";
    ReadModelRecord(r, rec);
    EXPECT_EQ(r.ReadInteger(), 77);
    EXPECT_EQ(rec.Mnf, "TYPICAL");
    EXPECT_EQ(rec.Tube, 5);
    EXPECT_EQ(rec.Rows, 3.5);
    EXPECT_EQ(rec.fpi, 12);
    EXPECT_EQ(rec.Circ, 10);
    EXPECT_EQ(rec.Serp, 60);
    EXPECT_DOUBLE_EQ(rec.OD, 0.0163);
    EXPECT_TRUE(rec.Rifle);
    EXPECT_EQ(rec.Sections, 2);
    EXPECT_EQ(rec.Mc, 4);
    EXPECT_DOUBLE_EQ(rec.tc, 0.0015);
    EXPECT_EQ(rec.Code, 3);  // not in the record: unchanged
    EXPECT_EQ(rec.cb, 0);
    EXPECT_EQ(rec.tp, 0);
    EXPECT_EQ(rec.ft, 1);
    EXPECT_EQ(rec.Model, "");

    // The whole geometry then takes the matching catalogue entry.
    TFinAndTube g("Typical", "635 720 4r 12f 7c", 0, 4);
    ValueReader r2(w.Bytes());
    g.ReadFromStream(r2);
    EXPECT_EQ(g.Record().Model, "5/8 inch");
    EXPECT_EQ(g.Record().Mnf, "Typical");
    EXPECT_EQ(g.TubesHigh(), 14);
    EXPECT_DOUBLE_EQ(g.TubeCount(), 49);
}

TEST_F(FinAndTubeIo, UnreadableBlocksThrowAndChangeNothing) {
    const TFinAndTube sample = Sample();
    ValueWriter full;
    sample.WriteToStream(full);
    std::vector<uint8_t> cut(full.Bytes().begin(), full.Bytes().begin() + 60);

    ValueWriter unknown;
    unknown.WriteString("FAT 2.0.0.0");
    unknown.WriteString("Typical");

    for (const std::vector<uint8_t>& bytes : {cut, unknown.Bytes(), std::vector<uint8_t>{}}) {
        TFinAndTube g("Typical", "544 x 720 4r 12f  (14c)", 0, 4);
        const TModelRec before = g.Record();
        ValueReader r(bytes);
        EXPECT_THROW(g.ReadFromStream(r), StreamError);
        EXPECT_EQ(g.Record(), before);
    }
}

TEST_F(FinAndTubeIo, XmlElementTextsAndRoundTrip) {
    const TFinAndTube g = Sample();
    TXMLFile xml;
    XmlNode root = xml.NewDocument("datafile", "QDX", "1.0.0.0");
    XmlNode coil = xml.FindChild(root, "qdx", -1, true);
    g.WriteToXml(xml, coil);
    g.WriteToXml(xml, coil);  // writing again reuses the elements
    EXPECT_EQ(xml.GetChildren(coil, "fat").size(), 1u);

    XmlNode fat = xml.FindChild(coil, "fat");
    EXPECT_EQ(xml.ReadText(fat, "Mnf"), "Typical");
    EXPECT_EQ(xml.ReadText(fat, "Model"), "3/8 inch");
    EXPECT_EQ(xml.ReadText(fat, "Tube"), "3");
    EXPECT_EQ(xml.ReadText(fat, "Code"), "2");
    EXPECT_EQ(xml.ReadAttr(xml.FindChild(fat, "Code"), "caption"), "ST");
    EXPECT_EQ(xml.ReadText(fat, "fHeight"), "0.635");
    EXPECT_EQ(xml.ReadText(fat, "fpi"), "11.5");
    EXPECT_EQ(xml.ReadAttr(xml.FindChild(fat, "cb"), "text"), "Tubes high");
    EXPECT_EQ(xml.ReadAttr(xml.FindChild(fat, "Serp"), "caption"), g.SerpentineText());
    EXPECT_EQ(xml.ReadText(fat, "Sx"), "0.0216500");
    EXPECT_EQ(xml.ReadText(fat, "Sy"), "0.0250000");
    EXPECT_EQ(xml.ReadAttr(xml.FindChild(fat, "tp"), "text"), "Staggered");
    EXPECT_EQ(xml.ReadText(fat, "tf"), "0.0001200");
    EXPECT_EQ(xml.ReadText(fat, "fc"), "1.00000");
    EXPECT_EQ(xml.ReadText(fat, "Rifle"), "true");
    EXPECT_EQ(xml.ReadText(fat, "Sections"), "3");
    EXPECT_EQ(xml.ReadAttr(xml.FindChild(fat, "Mf"), "caption"), "Al");
    EXPECT_EQ(xml.ReadAttr(xml.FindChild(fat, "Mt"), "caption"), "Cu");
    EXPECT_EQ(xml.ReadAttr(xml.FindChild(fat, "Mc"), "caption"), "SS");
    EXPECT_EQ(xml.ReadText(fat, "tc"), "0.00200");

    TXMLFile back;
    back.LoadFromString(xml.SaveToString());
    TFinAndTube other("Typical", "544 x 720 4r 12f  (14c)", 0, 4);
    ASSERT_TRUE(other.ReadFromXml(back, back.FindChild(back.DocumentElement(), "qdx")));
    EXPECT_EQ(other.Record(), g.Record());
    EXPECT_EQ(other.Designation(), g.Designation());
}

TEST_F(FinAndTubeIo, XmlFromFinAndTubeWithMissingAndBadValues) {
    TXMLFile xml;
    xml.LoadFromString(
        "<datafile><qdx><finandtube><Mnf>Typical</Mnf><fHeight>0.61</fHeight>"
        "<Rows>abc</Rows><Circ>10</Circ><Rifle>Yes</Rifle><Sections>4</Sections>"
        "<Mc>2</Mc></finandtube></qdx></datafile>");
    TFinAndTube g("Typical", "544 x 720 4r 12f  (14c)", 0, 4);
    ASSERT_TRUE(g.ReadFromXml(xml, xml.FindChild(xml.DocumentElement(), "qdx")));
    EXPECT_DOUBLE_EQ(g.FinHeight(), 0.61);
    EXPECT_DOUBLE_EQ(g.FinnedLength(), 0.72);  // missing: kept
    EXPECT_EQ(g.Rows(), 4);                    // not a number: kept
    EXPECT_EQ(g.Circuits(), 10);
    EXPECT_TRUE(g.Record().Rifle);
    EXPECT_EQ(g.Record().Sections, 4);
    EXPECT_EQ(g.Record().Mc, 2);
    EXPECT_EQ(g.Record().Model, "1/2 inch");
    EXPECT_EQ(g.Designation(), "610 x 720  4r  12f  10c");

    // Neither element: nothing read.
    TXMLFile empty;
    empty.LoadFromString("<datafile><qdx/></datafile>");
    const TModelRec before = g.Record();
    EXPECT_FALSE(g.ReadFromXml(empty, empty.FindChild(empty.DocumentElement(), "qdx")));
    EXPECT_EQ(g.Record(), before);
}

}  // namespace
}  // namespace qdx

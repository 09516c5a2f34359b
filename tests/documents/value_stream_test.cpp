#include <gtest/gtest.h>

#include <cmath>

#include "documents/value_stream.hpp"

namespace qdx {
namespace {

TEST(ValueStream, RoundTripsEveryKind) {
    ValueWriter w;
    w.WriteString("QDX 1.1.0.0 DataFile");
    w.WriteInteger(5);
    w.WriteInteger(-300);
    w.WriteInteger(100000);
    w.WriteInteger(5000000000LL);
    w.WriteFloat(0.1);
    w.WriteFloat(-1234.5e-200);
    w.WriteDouble(2.5);
    w.WriteBoolean(true);
    w.WriteBoolean(false);
    w.WriteDate(41274.0);
    w.WriteString("25 °C");            // not ASCII: written as UTF-8
    w.WriteString("Ø 12", ValueTag::String);
    w.WriteString("x€y", ValueTag::LString);
    w.WriteString("wide 😀", ValueTag::WString);
    w.WriteRawDouble(7.25);
    w.WriteRawShortString("Typical");

    ValueReader r(w.Bytes());
    EXPECT_EQ(r.ReadString(), "QDX 1.1.0.0 DataFile");
    EXPECT_EQ(r.ReadInteger(), 5);
    EXPECT_EQ(r.ReadInteger(), -300);
    EXPECT_EQ(r.ReadInteger(), 100000);
    EXPECT_EQ(r.ReadFloat(), 5000000000.0);  // a 64-bit integer reads as a float only
    EXPECT_EQ(r.ReadFloat(), 0.1);
    EXPECT_EQ(r.ReadFloat(), -1234.5e-200);
    EXPECT_EQ(r.ReadFloat(), 2.5);
    EXPECT_TRUE(r.ReadBoolean());
    EXPECT_FALSE(r.ReadBoolean());
    EXPECT_EQ(r.ReadDate(), 41274.0);
    EXPECT_EQ(r.ReadString(), "25 °C");
    EXPECT_EQ(r.ReadString(), "Ø 12");
    EXPECT_EQ(r.ReadString(), "x€y");
    EXPECT_EQ(r.ReadString(), "wide 😀");
    EXPECT_EQ(r.ReadRawDouble(), 7.25);
    auto peek = r.Peek(256);
    ASSERT_EQ(peek.size(), 256u);
    EXPECT_EQ(peek[0], 7);
    r.Skip(256);
    EXPECT_TRUE(r.AtEnd());
}

TEST(ValueStream, ReaderAcceptsTheDocumentedFallbacks) {
    ValueWriter w;
    w.WriteTaggedInteger(7, ValueTag::Int16);  // integer read as float
    w.WriteTaggedInteger(40000, ValueTag::Int32);  // integer read as date
    ValueReader r(w.Bytes());
    EXPECT_EQ(r.ReadFloat(), 7.0);
    EXPECT_EQ(r.ReadDate(), 40000.0);
}

TEST(ValueStream, AnIntegerFieldRefusesA64BitValue) {
    ValueWriter w;
    w.WriteTaggedInteger(7, ValueTag::Int64);
    ValueReader r(w.Bytes());
    EXPECT_THROW(r.ReadInteger(), StreamError);
}

TEST(ValueStream, WrongKindsAndTruncationFail) {
    ValueWriter w;
    w.WriteString("abc");
    {
        ValueReader r(w.Bytes());
        EXPECT_THROW(r.ReadInteger(), StreamError);
    }
    {
        ValueReader r(w.Bytes());
        EXPECT_THROW(r.ReadFloat(), StreamError);
    }
    auto bytes = w.Bytes();
    bytes.pop_back();  // a text cut short
    ValueReader r(bytes);
    EXPECT_THROW(r.ReadString(), StreamError);
    std::vector<uint8_t> lying{12, 0xFF, 0xFF, 0xFF, 0x7F, 'a'};  // length beyond the data
    ValueReader r2(lying);
    EXPECT_THROW(r2.ReadString(), StreamError);
}

TEST(ValueStream, ExtendedFloatEncoding) {
    // 1.0 is exponent 16383 with only the explicit integer bit set.
    uint8_t ext[10];
    DoubleToExtended(1.0, ext);
    const uint8_t one[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(ext[i], one[i]) << i;
    for (double v : {0.0, -0.0, 3.0e-310, 1.7e308, -6.02e23, 1.0 / 3.0}) {
        DoubleToExtended(v, ext);
        EXPECT_EQ(ExtendedToDouble(ext), v);
    }
    DoubleToExtended(INFINITY, ext);
    EXPECT_TRUE(std::isinf(ExtendedToDouble(ext)));
}

}  // namespace
}  // namespace qdx

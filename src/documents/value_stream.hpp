#pragma once
// The tagged value stream of the older data files: every value is introduced by a one-byte tag
// that says how it is stored. Raw blocks (air state records, the unversioned geometry record)
// are written and read without tags.
//
// Tags: 2 int8, 3 int16, 4 int32, 5 80-bit extended float, 6 text (1-byte length, 8-bit
// characters), 8 false, 9 true, 12 text (4-byte length, 8-bit characters), 17 date (double,
// days since 30 Dec 1899), 18 text (4-byte count of UTF-16 code units), 19 int64, 20 text
// (4-byte length, UTF-8), 21 double. All little-endian. 8-bit characters are Windows-1252;
// texts are UTF-8 in memory.

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "documents/text_encoding.hpp"

namespace qdx {

// A value of the wrong kind or the end of the data: the read fails.
class StreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class ValueTag : uint8_t {
    Int8 = 2,
    Int16 = 3,
    Int32 = 4,
    Extended = 5,
    String = 6,
    False = 8,
    True = 9,
    LString = 12,
    Date = 17,
    WString = 18,
    Int64 = 19,
    Utf8String = 20,
    Double = 21,
};

class ValueWriter {
public:
    // The smallest integer tag that holds v.
    void WriteInteger(long long v);
    // Floats are written as 80-bit extended values, as the older files hold them.
    void WriteFloat(double v);
    void WriteDouble(double v);
    // ASCII text as tag 6 (tag 12 when longer than 255 bytes); other text as UTF-8 (tag 20).
    void WriteString(std::string_view text);
    // Text in a given 8-bit or wide form, for building fixtures of older files.
    void WriteString(std::string_view text, ValueTag tag);
    void WriteBoolean(bool v);
    void WriteDate(double daysSince1899);
    // An explicitly tagged integer (tests build every form the reader accepts).
    void WriteTaggedInteger(long long v, ValueTag tag);

    // Untagged little-endian data.
    void WriteRaw(const void* data, size_t size);
    void WriteRawByte(uint8_t v);
    void WriteRawInt32(int32_t v);
    void WriteRawDouble(double v);
    // A short text: length byte and characters (Windows-1252), padded with zeros to `size`.
    void WriteRawShortString(std::string_view text, size_t size = 256);

    const std::vector<uint8_t>& Bytes() const { return bytes_; }

private:
    void Put(const void* data, size_t size);
    std::vector<uint8_t> bytes_;
};

class ValueReader {
public:
    explicit ValueReader(std::span<const uint8_t> data) : data_(data) {}

    // Integer: tags 2, 3, 4.
    long long ReadInteger();
    // Float: tag 5, 21, or any integer tag (19 included).
    double ReadFloat();
    // Text: tags 6, 12, 18, 20.
    std::string ReadString();
    bool ReadBoolean();
    // Date: tag 17 or any integer tag.
    double ReadDate();

    void ReadRaw(void* data, size_t size);
    uint8_t ReadRawByte();
    int32_t ReadRawInt32();
    double ReadRawDouble();

    // The next bytes (at most n) without consuming them.
    std::span<const uint8_t> Peek(size_t n) const;
    void Skip(size_t n);
    size_t Position() const { return pos_; }
    bool AtEnd() const { return pos_ >= data_.size(); }

private:
    long long ReadAnyInteger();  // tags 2, 3, 4, 19
    uint8_t ReadTag();
    void Get(void* out, size_t size);
    std::string Read8Bit(size_t length);

    std::span<const uint8_t> data_;
    size_t pos_ = 0;
};

// 80-bit extended float conversions (little-endian, 10 bytes).
void DoubleToExtended(double v, uint8_t out[10]);
double ExtendedToDouble(const uint8_t in[10]);

}  // namespace qdx

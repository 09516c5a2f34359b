#include "documents/value_stream.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace qdx {

namespace {

bool IsAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

}  // namespace

void DoubleToExtended(double v, uint8_t out[10]) {
    uint64_t mantissa = 0;
    uint16_t exponent = 0;
    bool negative = std::signbit(v);
    if (std::isnan(v)) {
        exponent = 0x7FFF;
        mantissa = 0xC000000000000000ULL;
    } else if (std::isinf(v)) {
        exponent = 0x7FFF;
        mantissa = 0x8000000000000000ULL;
    } else if (v != 0) {
        int e = 0;
        double m = std::frexp(std::fabs(v), &e);  // m in [0.5, 1)
        // 1.xxx x 2^(e-1): the explicit integer bit is bit 63.
        mantissa = static_cast<uint64_t>(std::ldexp(m, 64));
        exponent = static_cast<uint16_t>(e - 1 + 16383);
    }
    std::memcpy(out, &mantissa, 8);  // the platform is little-endian
    uint16_t se = static_cast<uint16_t>(exponent | (negative ? 0x8000 : 0));
    std::memcpy(out + 8, &se, 2);
}

double ExtendedToDouble(const uint8_t in[10]) {
    uint64_t mantissa = 0;
    uint16_t se = 0;
    std::memcpy(&mantissa, in, 8);
    std::memcpy(&se, in + 8, 2);
    bool negative = (se & 0x8000) != 0;
    int exponent = se & 0x7FFF;
    double v;
    if (exponent == 0x7FFF) {
        v = (mantissa << 1) == 0 ? INFINITY : NAN;
    } else if (mantissa == 0) {
        v = 0;
    } else {
        v = std::ldexp(static_cast<double>(mantissa), exponent - 16383 - 63);
    }
    return negative ? -v : v;
}

// ---- writer ----

void ValueWriter::Put(const void* data, size_t size) {
    const auto* p = static_cast<const uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + size);
}

void ValueWriter::WriteTaggedInteger(long long v, ValueTag tag) {
    bytes_.push_back(static_cast<uint8_t>(tag));
    switch (tag) {
        case ValueTag::Int8: {
            int8_t x = static_cast<int8_t>(v);
            Put(&x, 1);
            break;
        }
        case ValueTag::Int16: {
            int16_t x = static_cast<int16_t>(v);
            Put(&x, 2);
            break;
        }
        case ValueTag::Int32: {
            int32_t x = static_cast<int32_t>(v);
            Put(&x, 4);
            break;
        }
        case ValueTag::Int64: {
            int64_t x = v;
            Put(&x, 8);
            break;
        }
        default:
            throw StreamError("not an integer tag");
    }
}

void ValueWriter::WriteInteger(long long v) {
    if (v >= INT8_MIN && v <= INT8_MAX)
        WriteTaggedInteger(v, ValueTag::Int8);
    else if (v >= INT16_MIN && v <= INT16_MAX)
        WriteTaggedInteger(v, ValueTag::Int16);
    else if (v >= INT32_MIN && v <= INT32_MAX)
        WriteTaggedInteger(v, ValueTag::Int32);
    else
        WriteTaggedInteger(v, ValueTag::Int64);
}

void ValueWriter::WriteFloat(double v) {
    bytes_.push_back(static_cast<uint8_t>(ValueTag::Extended));
    uint8_t ext[10];
    DoubleToExtended(v, ext);
    Put(ext, 10);
}

void ValueWriter::WriteDouble(double v) {
    bytes_.push_back(static_cast<uint8_t>(ValueTag::Double));
    Put(&v, 8);
}

void ValueWriter::WriteDate(double daysSince1899) {
    bytes_.push_back(static_cast<uint8_t>(ValueTag::Date));
    Put(&daysSince1899, 8);
}

void ValueWriter::WriteBoolean(bool v) {
    bytes_.push_back(static_cast<uint8_t>(v ? ValueTag::True : ValueTag::False));
}

void ValueWriter::WriteString(std::string_view text) {
    if (IsAscii(text))
        WriteString(text, text.size() <= 255 ? ValueTag::String : ValueTag::LString);
    else
        WriteString(text, ValueTag::Utf8String);
}

void ValueWriter::WriteString(std::string_view text, ValueTag tag) {
    bytes_.push_back(static_cast<uint8_t>(tag));
    switch (tag) {
        case ValueTag::String: {
            std::string s = Utf8ToCp1252(text);
            if (s.size() > 255) throw StreamError("text too long for a short string");
            uint8_t n = static_cast<uint8_t>(s.size());
            Put(&n, 1);
            Put(s.data(), s.size());
            break;
        }
        case ValueTag::LString: {
            std::string s = Utf8ToCp1252(text);
            uint32_t n = static_cast<uint32_t>(s.size());
            Put(&n, 4);
            Put(s.data(), s.size());
            break;
        }
        case ValueTag::Utf8String: {
            uint32_t n = static_cast<uint32_t>(text.size());
            Put(&n, 4);
            Put(text.data(), text.size());
            break;
        }
        case ValueTag::WString: {
            std::u16string w;
            for (size_t i = 0; i < text.size();) {
                char32_t cp = NextUtf8(text, i);
                if (cp >= 0x10000) {
                    cp -= 0x10000;
                    w += static_cast<char16_t>(0xD800 + (cp >> 10));
                    w += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
                } else {
                    w += static_cast<char16_t>(cp);
                }
            }
            uint32_t n = static_cast<uint32_t>(w.size());
            Put(&n, 4);
            Put(w.data(), w.size() * 2);
            break;
        }
        default:
            throw StreamError("not a text tag");
    }
}

void ValueWriter::WriteRaw(const void* data, size_t size) { Put(data, size); }
void ValueWriter::WriteRawByte(uint8_t v) { Put(&v, 1); }
void ValueWriter::WriteRawInt32(int32_t v) { Put(&v, 4); }
void ValueWriter::WriteRawDouble(double v) { Put(&v, 8); }

void ValueWriter::WriteRawShortString(std::string_view text, size_t size) {
    std::string s = Utf8ToCp1252(text);
    if (size == 0) return;
    size_t n = std::min<size_t>({s.size(), 255, size - 1});
    std::vector<uint8_t> block(size, 0);
    block[0] = static_cast<uint8_t>(n);
    std::memcpy(block.data() + 1, s.data(), n);
    Put(block.data(), block.size());
}

// ---- reader ----

void ValueReader::Get(void* out, size_t size) {
    if (size > data_.size() - std::min(pos_, data_.size()))
        throw StreamError("Read beyond end of stream");
    std::memcpy(out, data_.data() + pos_, size);
    pos_ += size;
}

uint8_t ValueReader::ReadTag() {
    uint8_t tag = 0;
    Get(&tag, 1);
    return tag;
}

std::string ValueReader::Read8Bit(size_t length) {
    if (length > data_.size() - pos_) throw StreamError("Read beyond end of stream");
    std::string s(reinterpret_cast<const char*>(data_.data() + pos_), length);
    pos_ += length;
    return Cp1252ToUtf8(s);
}

namespace {

[[noreturn]] void InvalidValue() { throw StreamError("Invalid property value"); }

}  // namespace

long long ValueReader::ReadInteger() {
    // An integer field holds an 8-, 16- or 32-bit value; a 64-bit value fails the read.
    if (pos_ < data_.size() && data_[pos_] == static_cast<uint8_t>(ValueTag::Int64)) InvalidValue();
    return ReadAnyInteger();
}

long long ValueReader::ReadAnyInteger() {
    switch (static_cast<ValueTag>(ReadTag())) {
        case ValueTag::Int8: {
            int8_t x;
            Get(&x, 1);
            return x;
        }
        case ValueTag::Int16: {
            int16_t x;
            Get(&x, 2);
            return x;
        }
        case ValueTag::Int32: {
            int32_t x;
            Get(&x, 4);
            return x;
        }
        case ValueTag::Int64: {
            int64_t x;
            Get(&x, 8);
            return x;
        }
        default:
            InvalidValue();
    }
}

double ValueReader::ReadFloat() {
    uint8_t tag = data_.size() > pos_ ? data_[pos_] : 0;
    if (tag == static_cast<uint8_t>(ValueTag::Extended)) {
        ++pos_;
        uint8_t ext[10];
        Get(ext, 10);
        return ExtendedToDouble(ext);
    }
    if (tag == static_cast<uint8_t>(ValueTag::Double)) {
        ++pos_;
        double v;
        Get(&v, 8);
        return v;
    }
    return static_cast<double>(ReadAnyInteger());
}

double ValueReader::ReadDate() {
    uint8_t tag = data_.size() > pos_ ? data_[pos_] : 0;
    if (tag == static_cast<uint8_t>(ValueTag::Date)) {
        ++pos_;
        double v;
        Get(&v, 8);
        return v;
    }
    return static_cast<double>(ReadAnyInteger());
}

bool ValueReader::ReadBoolean() {
    switch (static_cast<ValueTag>(ReadTag())) {
        case ValueTag::True:
            return true;
        case ValueTag::False:
            return false;
        default:
            InvalidValue();
    }
}

std::string ValueReader::ReadString() {
    switch (static_cast<ValueTag>(ReadTag())) {
        case ValueTag::String: {
            uint8_t n;
            Get(&n, 1);
            return Read8Bit(n);
        }
        case ValueTag::LString: {
            uint32_t n;
            Get(&n, 4);
            return Read8Bit(n);
        }
        case ValueTag::Utf8String: {
            uint32_t n;
            Get(&n, 4);
            if (n > data_.size() - pos_) throw StreamError("Read beyond end of stream");
            std::string s(reinterpret_cast<const char*>(data_.data() + pos_), n);
            pos_ += n;
            return s;
        }
        case ValueTag::WString: {
            uint32_t n;
            Get(&n, 4);
            if (n > (data_.size() - pos_) / 2) throw StreamError("Read beyond end of stream");
            std::string out;
            for (uint32_t k = 0; k < n; ++k) {
                char16_t u;
                Get(&u, 2);
                char32_t cp = u;
                if (u >= 0xD800 && u < 0xDC00 && k + 1 < n) {
                    char16_t lo;
                    std::memcpy(&lo, data_.data() + pos_, 2);
                    if (lo >= 0xDC00 && lo < 0xE000) {
                        pos_ += 2;
                        ++k;
                        cp = 0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00);
                    }
                }
                AppendUtf8(out, cp);
            }
            return out;
        }
        default:
            InvalidValue();
    }
}

void ValueReader::ReadRaw(void* data, size_t size) { Get(data, size); }

uint8_t ValueReader::ReadRawByte() {
    uint8_t v;
    Get(&v, 1);
    return v;
}

int32_t ValueReader::ReadRawInt32() {
    int32_t v;
    Get(&v, 4);
    return v;
}

double ValueReader::ReadRawDouble() {
    double v;
    Get(&v, 8);
    return v;
}

std::span<const uint8_t> ValueReader::Peek(size_t n) const {
    if (pos_ >= data_.size()) return {};
    return data_.subspan(pos_, std::min(n, data_.size() - pos_));
}

void ValueReader::Skip(size_t n) {
    if (n > data_.size() - std::min(pos_, data_.size())) throw StreamError("Read beyond end of stream");
    pos_ += n;
}

}  // namespace qdx

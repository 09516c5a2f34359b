#include "documents/line_parser.hpp"

#include "units/format.hpp"

namespace qdx {

namespace {

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsControl(char c) { return static_cast<unsigned char>(c) < ' '; }
bool IsQuote(char c) { return c == '"' || c == '\''; }

bool IsFormatLetter(char c) {
    switch (c) {
    case 'D': case 'E': case 'F': case 'G': case 'M': case 'N': case 'P': case 'S': case 'U':
    case 'X': case 'd': case 'e': case 'f': case 'g': case 'm': case 'n': case 'p': case 's':
    case 'u': case 'x':
        return true;
    default:
        return false;
    }
}

}  // namespace

TLineParser::TLineParser() { SetSeparators(","); }

TLineParser::TLineParser(std::string_view text) : TLineParser() { SetText(text); }

void TLineParser::SetText(std::string_view text) {
    text_ = std::string(text);
    pos_ = 0;
    state_ = lsOk;
    kind_ = tkInvalid;
}

void TLineParser::SetSeparators(std::string_view chars) {
    separators_.reset();
    for (char c : chars) separators_.set(static_cast<unsigned char>(c));
}

std::string TLineParser::Separators() const {
    std::string out;
    for (int c = 0; c < 256; ++c)
        if (separators_[c]) out += static_cast<char>(c);
    return out;
}

int TLineParser::TakeState() {
    int s = state_;
    state_ = lsOk;
    return s;
}

bool TLineParser::IsSkipped(size_t pos) const {
    if (pos >= text_.size()) return true;
    unsigned char c = static_cast<unsigned char>(text_[pos]);
    return IsSeparator(c) || c <= ' ' || c == 255;
}

bool TLineParser::EndsWord(size_t pos) const {
    return pos >= text_.size() || IsSeparator(static_cast<unsigned char>(text_[pos])) ||
           IsControl(text_[pos]);
}

bool TLineParser::NextToken(std::string& token) {
    token.clear();
    kind_ = tkInvalid;
    const size_t n = text_.size();
    while (pos_ < n && IsSkipped(pos_)) ++pos_;
    if (pos_ >= n) {
        state_ = lsEndOfText;
        return false;
    }

    const size_t start = pos_;
    const char c = text_[pos_];
    if (c == ';') {
        kind_ = tkComment;
        token = text_.substr(pos_ + 1);
        pos_ = n;
        return true;
    }

    if (c == '%') {
        size_t p = pos_ + 1;
        // Optional argument index "digits:".
        size_t q = p;
        while (q < n && IsDigit(text_[q])) ++q;
        if (q < n && text_[q] == ':' && q > p) p = q + 1;
        if (p < n && text_[p] == '-') ++p;
        while (p < n && IsDigit(text_[p])) ++p;
        if (p < n && text_[p] == '.') {
            ++p;
            while (p < n && IsDigit(text_[p])) ++p;
        }
        if (p < n && IsFormatLetter(text_[p])) {
            pos_ = p + 1;
            kind_ = tkFormat;
            token = text_.substr(start, pos_ - start);
            return true;
        }
        pos_ = p;
        token = text_.substr(start, pos_ - start);
        state_ = lsBadFormat;
        return false;
    }

    if (IsLetter(c) || IsDigit(c) || c == '+' || c == '-') {
        size_t p = pos_;
        if (IsLetter(c)) {
            kind_ = tkIdentifier;
            while (p < n && (IsLetter(text_[p]) || IsDigit(text_[p]))) ++p;
        } else {
            kind_ = tkNumber;
            ++p;  // the first digit or the sign
            while (p < n && IsDigit(text_[p])) ++p;
            if (p < n && text_[p] == '.') {
                ++p;
                while (p < n && IsDigit(text_[p])) ++p;
            }
            if (p < n && (text_[p] == 'E' || text_[p] == 'e')) {
                ++p;
                if (p < n && (text_[p] == '+' || text_[p] == '-')) ++p;
                while (p < n && IsDigit(text_[p])) ++p;
            }
        }
        if (!IsSkipped(p)) {
            // Runs on into other characters: the whole run up to a separator is one word,
            // blanks included.
            kind_ = tkWord;
            while (!EndsWord(p)) ++p;
        }
        pos_ = p;
        token = text_.substr(start, pos_ - start);
        return true;
    }

    // Anything else is a word up to the next quote; an opening quote is not part of it.
    kind_ = tkWord;
    size_t p = pos_;
    if (IsQuote(c)) ++p;
    size_t wordStart = p;
    while (p < n && !IsQuote(text_[p])) ++p;
    token = text_.substr(wordStart, p - wordStart);
    pos_ = p < n ? p + 1 : n;
    return true;
}

double TLineParser::NextFloat() {
    std::string token;
    if (!NextToken(token)) return 0;
    double v = 0;
    if (!TryStrToFloat(token, v)) {
        state_ = lsBadNumber;
        return 0;
    }
    return v;
}

void TLineParser::ParseFields(std::string_view text, int count, int high,
                              std::vector<std::string>& fields) {
    fields.assign(high >= 0 ? static_cast<size_t>(high) + 1 : 0, "0");
    SetText(text);
    for (int i = 0; i < count; ++i) {
        std::string token;
        bool ok = NextToken(token);
        if (i <= high) fields[static_cast<size_t>(i)] = ok ? token : "0";
    }
}

}  // namespace qdx

#pragma once
// A tokenizer over one line of text, used to read designations, catalogue lines and simple
// comma-separated records.
//
// Token kinds: 0 invalid, 1 comment (";" to the end of the line; the token is the text after
// the ";"), 2 identifier, 3 number, 4 word (an identifier or number that runs on into other
// characters, "12abc" or "ab-c d"; or a quoted or otherwise unclassified text), 5 format
// specification ("%8.3f").
// States: 0 fine, 1 the end of the text was reached, 2 a malformed format token, 3 a number
// failed to convert. The state stays until TakeState reads and clears it.

#include <bitset>
#include <string>
#include <string_view>
#include <vector>

namespace qdx {

enum TTokenKind { tkInvalid = 0, tkComment = 1, tkIdentifier = 2, tkNumber = 3, tkWord = 4, tkFormat = 5 };

enum TLineState { lsOk = 0, lsEndOfText = 1, lsBadFormat = 2, lsBadNumber = 3 };

class TLineParser {
public:
    TLineParser();
    explicit TLineParser(std::string_view text);

    // Starts over at the first character of text and clears the state.
    void SetText(std::string_view text);
    const std::string& Text() const { return text_; }

    // The characters that separate tokens ("," unless replaced).
    void SetSeparators(std::string_view chars);
    std::string Separators() const;

    // Takes the next token. False at the end of the text (state 1, kind 0, empty token) and for
    // a malformed format token (state 2, kind 0, the characters taken so far).
    bool NextToken(std::string& token);
    // The next token as a number: 0 and state 3 when it does not convert, 0 and state 1 at
    // the end of the text.
    double NextFloat();

    TTokenKind TokenKind() const { return kind_; }
    int State() const { return state_; }
    // Returns the state and resets it to 0.
    int TakeState();

    // Fields[0..high] start as "0"; then count tokens are taken over text and stored in order,
    // a token read at the end of the text or in error stored as "0". Tokens beyond high are
    // read but not kept.
    void ParseFields(std::string_view text, int count, int high, std::vector<std::string>& fields);

private:
    bool IsSeparator(unsigned char c) const { return separators_[c]; }
    // Separators, control characters, blanks, character 255 and the end of the text: what
    // lies between tokens and ends an identifier or a number.
    bool IsSkipped(size_t pos) const;
    // Separators, control characters and the end of the text: what ends a word.
    bool EndsWord(size_t pos) const;

    std::string text_;
    size_t pos_ = 0;
    int state_ = lsOk;
    TTokenKind kind_ = tkInvalid;
    std::bitset<256> separators_;
};

}  // namespace qdx

#pragma once
// Which two properties fix a moist-air state entered in the state window: the letters of the
// entered properties (kAirPropertyLetters) are kept in the order they were last entered, and
// the first pair of them that the pair table knows gives the pair code of SetState/AirState.

#include <string>
#include <string_view>

namespace qdx {

class TAirCombin {
public:
    // Dry bulb, then wet bulb: pair 0.
    TAirCombin();

    // Puts the letter in front of the input list and resolves the pair again.
    void Enter(char letter);
    // The letter of a state window row (3..12) entered; other rows change nothing.
    void EnterRow(int row);

    // Letters from the most recently entered.
    const std::string& Inputs() const { return inputs_; }
    // The two letters of the current pair in input order; empty when no pair is known.
    const std::string& Pair() const { return pair_; }
    bool InPair(char letter) const { return pair_.find(letter) != std::string::npos; }
    // The pair code of the current pair, 0 when there is none.
    int PairCode() const { return pairCode_; }

    // The code of the pair {a, b} in either order, -1 when the table has none.
    static int CodeOf(char a, char b);

private:
    void Resolve();

    std::string inputs_ = "tb";
    std::string pair_;
    int pairCode_ = 0;
};

}  // namespace qdx

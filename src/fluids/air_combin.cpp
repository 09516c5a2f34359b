#include "fluids/air_combin.hpp"

#include <iterator>

#include "fluids/psy_point.hpp"

namespace qdx {

namespace {

struct PairEntry {
    char a, b;
    int code;
};

constexpr PairEntry kPairs[] = {
    {'t', 'b', 0},  {'t', 'h', 1},  {'t', 'w', 2},  {'t', 'f', 3},  {'t', 'd', 4},
    {'t', 'v', 5},  {'t', 'r', 7},  {'b', 'h', 8},  {'b', 'w', 9},  {'b', 'f', 10},
    {'b', 'd', 11}, {'b', 'v', 12}, {'b', 's', 13}, {'b', 'r', 14}, {'h', 'w', 15},
    {'h', 'f', 16}, {'h', 'd', 17}, {'h', 'v', 18}, {'h', 's', 19}, {'w', 'f', 25},
    {'w', 's', 26}, {'f', 'd', 28}, {'f', 'v', 29}, {'f', 's', 30}, {'d', 's', 31},
    {'v', 's', 32},
};

}  // namespace

TAirCombin::TAirCombin() { Resolve(); }

int TAirCombin::CodeOf(char a, char b) {
    for (const PairEntry& e : kPairs)
        if ((e.a == a && e.b == b) || (e.a == b && e.b == a)) return e.code;
    return -1;
}

void TAirCombin::Enter(char letter) {
    if (size_t at = inputs_.find(letter); at != std::string::npos) inputs_.erase(at, 1);
    inputs_.insert(inputs_.begin(), letter);
    Resolve();
}

void TAirCombin::EnterRow(int row) {
    if (row >= 3 && row <= 12) Enter(kAirPropertyLetters[row - 2]);
}

void TAirCombin::Resolve() {
    // (1st, 2nd), (1st, 3rd) .. (1st, last), (2nd, 3rd) ..: the first pair the table knows.
    for (size_t i = 0; i < inputs_.size(); ++i)
        for (size_t j = i + 1; j < inputs_.size(); ++j)
            if (int code = CodeOf(inputs_[i], inputs_[j]); code >= 0) {
                pair_ = {inputs_[i], inputs_[j]};
                pairCode_ = code;
                return;
            }
    pair_.clear();
    pairCode_ = 0;
}

}  // namespace qdx

#pragma once
// Deterministic damage for reader tests: byte flips, cuts, insertions, repeated and dropped
// ranges or elements, and numbers replaced by texts a reader must refuse or survive ("1e400",
// "nan", "-0", "999999999999", empty and very long texts). A fixed seed makes every run damage
// the same way, so a failure names a case that can be replayed.

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace qdx::test {

class Mutator {
public:
    explicit Mutator(std::uint32_t seed) : rng_(seed) {}

    // Texts that take the place of a number or a value.
    static const std::vector<std::string>& NastyTexts() {
        static const std::vector<std::string> texts = {
            "1e400", "-1e400", "nan", "NaN", "inf", "-inf", "-0", "0", "999999999999",
            "-999999999999", "1e308", "4.9e-324", "2147483648", "-2147483649", "0x7fffffff",
            "$FF", "", " ", "1.5.5", "--1", "1e", "e5", "\xC3\xA9", "\xFF\xFE", "&amp;",
            std::string(5000, '9'), std::string(3000, 'x'), std::string(300, '.')};
        return texts;
    }

    std::size_t Below(std::size_t n) {
        return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_);
    }
    const std::string& AnyNasty() { return NastyTexts()[Below(NastyTexts().size())]; }

    // One blind change anywhere in the bytes.
    std::string Bytes(std::string s) {
        switch (Below(6)) {
            case 0:  // flip bits of one byte
                if (!s.empty()) s[Below(s.size())] ^= static_cast<char>(1 + Below(255));
                break;
            case 1:  // cut
                s.resize(Below(s.size() + 1));
                break;
            case 2: {  // insert random bytes
                std::string extra(1 + Below(8), '\0');
                for (char& c : extra) c = static_cast<char>(Below(256));
                s.insert(Below(s.size() + 1), extra);
                break;
            }
            case 3: {  // repeat a range somewhere else
                if (s.empty()) break;
                const std::size_t from = Below(s.size());
                const std::string range = s.substr(from, 1 + Below(64));
                s.insert(Below(s.size() + 1), range);
                break;
            }
            case 4:  // drop a range
                if (!s.empty()) s.erase(Below(s.size()), 1 + Below(64));
                break;
            default:  // a nasty text at a random place
                s.insert(Below(s.size() + 1), AnyNasty());
                break;
        }
        return s;
    }

    // One change that keeps an XML text mostly well-formed: an element's text replaced, an
    // element dropped or repeated, an attribute value replaced, or a blind byte change.
    std::string Xml(std::string s) {
        switch (Below(5)) {
            case 0: {  // element text
                const std::size_t at = RandomTextRun(s);
                if (at == std::string::npos) break;
                const std::size_t end = s.find('<', at);
                s.replace(at, end - at, Escaped(AnyNasty()));
                break;
            }
            case 1:
            case 2: {  // drop or repeat a whole element
                std::size_t begin, end;
                if (!RandomElement(s, begin, end)) break;
                const std::string element = s.substr(begin, end - begin);
                if (Below(2) == 0)
                    s.erase(begin, end - begin);
                else
                    s.insert(Below(2) == 0 ? begin : end, element);
                break;
            }
            case 3: {  // attribute value
                std::vector<std::size_t> quotes;
                for (std::size_t i = s.find("=\""); i != std::string::npos; i = s.find("=\"", i + 1))
                    quotes.push_back(i + 2);
                if (quotes.empty()) break;
                const std::size_t at = quotes[Below(quotes.size())];
                const std::size_t end = s.find('"', at);
                if (end == std::string::npos) break;
                s.replace(at, end - at, Escaped(AnyNasty()));
                break;
            }
            default:
                s = Bytes(std::move(s));
                break;
        }
        return s;
    }

    // One to three changes of the given kind.
    template <typename Change>
    std::string Several(std::string s, Change change) {
        const std::size_t n = 1 + Below(3);
        for (std::size_t i = 0; i < n; ++i) s = change(std::move(s));
        return s;
    }

private:
    static std::string Escaped(const std::string& text) {
        std::string out;
        for (char c : text) {
            if (c == '<') out += "&lt;";
            else if (c == '&' && text != "&amp;") out += "&amp;";
            else out += c;
        }
        return out;
    }

    // The start of the text between a ">" and the next "<" (an element's value), chosen at
    // random; npos when there is none.
    std::size_t RandomTextRun(const std::string& s) {
        std::vector<std::size_t> runs;
        for (std::size_t i = s.find('>'); i != std::string::npos; i = s.find('>', i + 1))
            if (i + 1 < s.size() && s[i + 1] != '<' && s[i + 1] != '\n' &&
                s.find('<', i + 1) != std::string::npos)
                runs.push_back(i + 1);
        return runs.empty() ? std::string::npos : runs[Below(runs.size())];
    }

    // A start tag chosen at random and the end of its element (its matching end tag, or the
    // tag itself when it closes itself).
    bool RandomElement(const std::string& s, std::size_t& begin, std::size_t& end) {
        std::vector<std::size_t> starts;
        for (std::size_t i = s.find('<'); i != std::string::npos; i = s.find('<', i + 1))
            if (i + 1 < s.size() && s[i + 1] != '/' && s[i + 1] != '?' && s[i + 1] != '!')
                starts.push_back(i);
        if (starts.empty()) return false;
        begin = starts[Below(starts.size())];
        const std::size_t nameEnd = s.find_first_of(" />", begin + 1);
        const std::size_t tagEnd = s.find('>', begin);
        if (nameEnd == std::string::npos || tagEnd == std::string::npos) return false;
        if (s[tagEnd - 1] == '/') {
            end = tagEnd + 1;
            return true;
        }
        const std::string close = "</" + s.substr(begin + 1, nameEnd - begin - 1) + ">";
        const std::size_t at = s.find(close, tagEnd);
        if (at == std::string::npos) return false;
        end = at + close.size();
        return true;
    }

    std::mt19937 rng_;
};

}  // namespace qdx::test

#include "documents/text_utils.hpp"

#include <ctime>
#include <filesystem>

#include "units/format.hpp"

namespace qdx {

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string ReplaceAll(std::string_view text, std::string_view what, std::string_view with) {
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (true) {
        size_t hit = text.find(what, pos);
        if (hit == std::string_view::npos) break;
        out.append(text.substr(pos, hit - pos));
        out.append(with);
        pos = hit + what.size();
    }
    out.append(text.substr(pos));
    return out;
}

}  // namespace

std::string TrimLeft(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    return std::string(text.substr(i));
}

std::string TrimRight(std::string_view text) {
    size_t n = text.size();
    while (n > 0 && IsBlank(text[n - 1])) --n;
    return std::string(text.substr(0, n));
}

std::string Trim(std::string_view text) { return TrimLeft(TrimRight(text)); }

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

std::string UpperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool SplitNameValue(std::string_view text, std::string& name, std::string& value) {
    size_t eq = text.find('=');
    if (eq == std::string_view::npos) return false;
    name = Trim(text.substr(0, eq));
    value = Trim(text.substr(eq + 1));
    return true;
}

std::string NthField(int n, std::string_view delimiter, std::string_view text) {
    if (n < 1 || delimiter.empty()) return n == 1 ? Trim(text) : std::string();
    std::string rest = Trim(text);
    for (int i = 1; i < n; ++i) {
        size_t hit = rest.find(delimiter);
        if (hit == std::string::npos) return {};
        rest = TrimLeft(std::string_view(rest).substr(hit + delimiter.size()));
    }
    size_t end = rest.find(delimiter);
    return end == std::string::npos ? rest : rest.substr(0, end);
}

std::vector<std::string> SplitText(std::string_view text, std::string_view delimiter) {
    std::vector<std::string> parts;
    std::string rest = Trim(text);
    if (!delimiter.empty()) {
        size_t hit;
        while ((hit = rest.find(delimiter)) != std::string::npos) {
            parts.push_back(TrimLeft(std::string_view(rest).substr(0, hit)));
            rest = rest.substr(hit + delimiter.size());
        }
    }
    std::string last = Trim(rest);
    if (!last.empty()) parts.push_back(std::move(last));
    return parts;
}

std::chrono::year_month_day Today() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return std::chrono::year_month_day{std::chrono::year{local.tm_year + 1900},
                                       std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                                       std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
}

std::chrono::year_month_day ParseDate(std::string_view text, std::string_view delimiter) {
    long long day = 0, month = 0, year = 0;
    if (!TryStrToInt(Trim(NthField(1, delimiter, text)), day) ||
        !TryStrToInt(Trim(NthField(2, delimiter, text)), month) ||
        !TryStrToInt(Trim(NthField(3, delimiter, text)), year))
        return Today();
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31) return Today();
    std::chrono::year_month_day date{std::chrono::year{static_cast<int>(year)},
                                     std::chrono::month{static_cast<unsigned>(month)},
                                     std::chrono::day{static_cast<unsigned>(day)}};
    return date.ok() ? date : Today();
}

std::string ReplaceChar(char from, char to, std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == from) c = to;
    return out;
}

std::string EscapeLineBreaks(std::string_view text) { return ReplaceAll(text, "\r\n", "%13%10"); }

std::string UnescapeLineBreaks(std::string_view text) { return ReplaceAll(text, "%13%10", "\r\n"); }

std::string CommaText(const std::vector<std::string>& items) {
    if (items.size() == 1 && items.front().empty()) return "\"\"";
    std::string out;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0) out += ',';
        const std::string& item = items[i];
        bool quote = false;
        for (char c : item) quote = quote || IsBlank(c) || c == '"' || c == ',';
        if (!quote) {
            out += item;
            continue;
        }
        out += '"';
        for (char c : item) {
            if (c == '"') out += '"';
            out += c;
        }
        out += '"';
    }
    return out;
}

std::vector<std::string> SplitCommaText(std::string_view text) {
    std::vector<std::string> items;
    size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && IsBlank(text[i])) ++i;
    };
    skipBlanks();
    while (i < text.size()) {
        std::string item;
        if (text[i] == '"') {
            ++i;
            while (i < text.size()) {
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        item += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i++];
            }
        } else {
            while (i < text.size() && !IsBlank(text[i]) && text[i] != ',') item += text[i++];
        }
        items.push_back(std::move(item));
        skipBlanks();
        if (i < text.size() && text[i] == ',') {
            if (i + 1 == text.size()) items.emplace_back();
            ++i;
            skipBlanks();
        }
    }
    return items;
}

std::string ProgramName(std::string_view path) {
    return std::filesystem::path(std::string(path)).stem().string();
}

}  // namespace qdx

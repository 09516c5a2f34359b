#pragma once
// Small text tools shared by the settings, catalogue and file readers: field splitting, a
// day/month/year date, and the escaping that keeps multi-line texts on one settings line.
//
// "Blanks" here are all characters up to and including the space (control characters too),
// as the program's trimming has always treated them.

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace qdx {

std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);
// Case-insensitive comparison of ASCII letters; other bytes compare as they are.
bool SameText(std::string_view a, std::string_view b);
std::string UpperCase(std::string_view text);

// Splits "name = value" at the first "=": false when there is none; otherwise name and value
// are the trimmed parts before and after it.
bool SplitNameValue(std::string_view text, std::string& name, std::string& value);

// Field number n (from 1) of the trimmed text; each later field loses its leading blanks but
// keeps blanks before the next delimiter. Empty when the text has fewer fields.
std::string NthField(int n, std::string_view delimiter, std::string_view text);

// All fields of the trimmed text, cut at every delimiter; each loses its leading blanks, the
// last is trimmed and dropped when empty.
std::vector<std::string> SplitText(std::string_view text, std::string_view delimiter);

// "day<d>month<d>year" as integers; today's date when the text is not a valid date.
std::chrono::year_month_day ParseDate(std::string_view text, std::string_view delimiter);
// Today's date in local time.
std::chrono::year_month_day Today();

std::string ReplaceChar(char from, char to, std::string_view text);

// CR LF pairs <-> the six characters "%13%10", so a multi-line text fits in one value.
std::string EscapeLineBreaks(std::string_view text);
std::string UnescapeLineBreaks(std::string_view text);

// Comma text of a list: the items joined by ",", an item quoted with '"' (inner quotes
// doubled) when it holds a blank, a control character, a quote or a comma; a list of one
// empty item is "\"\"".
std::string CommaText(const std::vector<std::string>& items);
// The items of a comma text: blanks between items are skipped, an unquoted item ends at a
// blank or a comma, a quoted item runs to its closing quote ("" inside stands for one quote),
// and a comma that ends the text adds an empty item.
std::vector<std::string> SplitCommaText(std::string_view text);

// The file name of a path without folder and extension.
std::string ProgramName(std::string_view path);

}  // namespace qdx

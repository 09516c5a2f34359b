#pragma once
// UTF-8, the encoding of every text the program holds, and Windows-1252, the encoding of the
// maker's older files and of settings written by programs that know no other.

#include <string>
#include <string_view>

namespace qdx {

// Windows-1252 to UTF-8 (the five bytes Windows-1252 leaves undefined keep their own code
// points) and back (characters Windows-1252 cannot hold become "?").
std::string Cp1252ToUtf8(std::string_view text);
std::string Utf8ToCp1252(std::string_view text);

// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or code points
// beyond U+10FFFF).
bool IsValidUtf8(std::string_view text);

// The text as UTF-8: as it is when it is valid UTF-8, else read as Windows-1252.
std::string AsUtf8(std::string_view text);

// Appends code point cp as UTF-8.
void AppendUtf8(std::string& out, char32_t cp);
// Decodes the UTF-8 sequence at text[i] and moves i past it; a byte that starts no valid
// sequence decodes as U+FFFD and is passed alone.
char32_t NextUtf8(std::string_view text, std::size_t& i);

}  // namespace qdx

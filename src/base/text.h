#pragma once
// Text helpers shared by the core: the core keeps text as UTF-8, the Windows shell converts at the
// API boundary.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vsm {

// UTF-16 (as 16-bit units) to UTF-8 and back. Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);

// Decodes a file's bytes that should be UTF-16LE with a BOM. Returns nothing when the bytes are not
// UTF-16LE (no BOM, odd length), so callers can fall back instead of reading garbage.
std::optional<std::string> DecodeUtf16LeFile(const std::vector<uint8_t>& bytes);

// Whether bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);
// The longest start of a UTF-8 text that holds at most maxBytes bytes and ends between two
// characters.
std::string_view Utf8Prefix(std::string_view text, size_t maxBytes);

// ASCII-only case folding, as the program's keys and identifiers are ASCII.
std::string AsciiLower(std::string_view text);
std::string AsciiUpper(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool ContainsNoCase(std::string_view haystack, std::string_view needle);

std::string Trim(std::string_view text);
std::vector<std::string> Split(std::string_view text, char separator);
// The lines of a text, broken at CR LF, LF or CR; a final line break adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);

// A whole decimal integer with optional sign and surrounding blanks; anything else is no number.
std::optional<int64_t> ParseInteger(std::string_view text);

// printf-style formatting into a std::string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace vsm

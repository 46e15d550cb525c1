#pragma once
// The core's view of the registry: one function that reads a value as text, the way the
// program's registry wrapper renders it (strings as they are, numbers in decimal, other data as
// comma-separated upper-case hex bytes). The Windows shell adapts the wrapper to it; tests pass
// a map.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vsm {

enum class RegRoot { ClassesRoot, CurrentUser, LocalMachine };

// Reads value `name` (empty for the key's default value) of key `path`. False, with `text`
// untouched, when the key cannot be opened; a missing value may read as empty text.
using RegStringReader =
    std::function<bool(RegRoot root, const std::string& path, const std::string& name, std::string& text)>;

// Names of the subkeys of a key in registry order; empty when the key cannot be opened.
using RegSubkeyLister = std::function<std::vector<std::string>(RegRoot root, const std::string& path)>;

// Reads a value and answers it, or nothing when it cannot be read.
std::optional<std::string> ReadRegText(const RegStringReader& reader, RegRoot root, const std::string& path,
                                       const std::string& name);

// The bytes of the hex form ("01,0A,FF"; empty text is no bytes); nothing when the text is not
// in that form.
std::optional<std::vector<uint8_t>> ParseRegHexForm(std::string_view text);

// A value that holds a 32-bit number either as a number (decimal text) or as raw data whose
// first four bytes are the number, little-endian. Nothing when it is neither.
std::optional<uint32_t> RegTextToUInt32(std::string_view text);

}  // namespace vsm

#pragma once
// Whole-file access by wide path.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vsm {

bool FileExists(const std::wstring& path);
bool DirectoryExists(const std::wstring& path);
// The file's bytes; nothing when it cannot be opened or read.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::wstring& path);
// Creates a folder and any missing parents; true when it exists afterwards.
bool ForceDirectories(const std::wstring& path);
// Writes the bytes to a new file beside `path` and then puts it in place of `path`, replacing any
// file there. False when anything fails; then `path` is as it was and no new file is left behind.
bool WriteFileReplacing(const std::wstring& path, const std::vector<uint8_t>& bytes);

}  // namespace vsm

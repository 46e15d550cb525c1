#pragma once
// A file's version resource, read once as a block, and its fixed part. version.dll is no known
// DLL, so it is bound at run time from the system folder: imported, an elevated program would
// load a copy planted beside it.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vsm {

// The whole resource; empty when the file has none or cannot be read.
std::vector<uint8_t> ReadVersionResource(const std::wstring& file);
// The fixed file information in a block from ReadVersionResource; null when it holds none.
const VS_FIXEDFILEINFO* FixedFileInfo(const std::vector<uint8_t>& resource);
// VerQueryValueW on a block from ReadVersionResource; false also without the library.
bool QueryVersionValue(const std::vector<uint8_t>& resource, const wchar_t* path, void** value, UINT* length);

}  // namespace vsm

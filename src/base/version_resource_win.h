#pragma once
// A file's version resource, read once as a block, and its fixed part.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vsm {

// The whole resource; empty when the file has none or cannot be read.
std::vector<uint8_t> ReadVersionResource(const std::wstring& file);
// The fixed file information in a block from ReadVersionResource; null when it holds none.
const VS_FIXEDFILEINFO* FixedFileInfo(const std::vector<uint8_t>& resource);

}  // namespace vsm

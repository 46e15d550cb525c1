#pragma once
// Reading a file's version resource.
#include <string>

#include "software/FileVersionInfo.h"

namespace vsm {

// All fields empty or false when the file has no readable resource.
TFileVersionInfo ReadFileVersionInfo(const std::string& path);
// FileDescription, or ProductName when that is empty.
std::string GetFileDescription(const std::string& path);
std::string GetFileProductName(const std::string& path);

}  // namespace vsm

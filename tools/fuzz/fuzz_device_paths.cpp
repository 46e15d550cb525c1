// Fuzz target: a process image's device path ("\Device\HarddiskVolume1\dir\file.exe") turned into
// a drive path. The first line is the path; each further line is the device behind the next drive
// letter from C on, as QueryDosDevice could answer.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "software/ProcessRules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t end = input.find('\n');
  const std::string_view path = input.substr(0, end);
  const std::vector<std::string> devices =
      end == std::string_view::npos ? std::vector<std::string>() : vsm::Split(input.substr(end + 1), '\n');
  const std::string dosPath = vsm::DevicePathToDosPath(path, [&](char letter) {
    const int index = letter - 'C';
    return index >= 0 && static_cast<size_t>(index) < devices.size() ? devices[static_cast<size_t>(index)]
                                                                     : std::string();
  });
  if (dosPath.size() > path.size() + 2) __builtin_trap();
  return 0;
}

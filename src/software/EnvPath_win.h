#pragma once
// Expansion of environment names in a path with this process's environment.
#include <string>
#include <string_view>

#include "software/EnvPath.h"

namespace vsm {

std::string ExpandEnvPath(std::string_view text, bool expandBackslashNames);

}  // namespace vsm

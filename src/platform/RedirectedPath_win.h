#pragma once
// Paths of files as this 32-bit program must name them to reach the real file on 64-bit Windows.
#include <string>

namespace vsm {

// On 64-bit Windows, a path in the system folder as its "Sysnative" path when that exists (from
// Vista on); else, and on 32-bit Windows, the path unchanged.
std::wstring NativeFilePath(const std::wstring& path);

}  // namespace vsm

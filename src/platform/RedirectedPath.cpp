#include "platform/RedirectedPath.h"

#include "base/text.h"

namespace vsm {

std::string SysnativePath(std::string_view path, std::string_view windowsFolder) {
  while (!windowsFolder.empty() && windowsFolder.back() == '\\') windowsFolder.remove_suffix(1);
  if (windowsFolder.empty()) return std::string(path);
  const std::string systemFolder = std::string(windowsFolder) + "\\System32";
  if (path.size() < systemFolder.size() || !EqualsNoCase(path.substr(0, systemFolder.size()), systemFolder)) {
    return std::string(path);
  }
  const std::string_view rest = path.substr(systemFolder.size());
  if (!rest.empty() && rest.front() != '\\') return std::string(path);
  return std::string(windowsFolder) + "\\Sysnative" + std::string(rest);
}

}  // namespace vsm

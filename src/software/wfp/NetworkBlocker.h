#pragma once
// Blocking a program's network access without the network-filter driver (on Windows: filters of
// the Windows Filtering Platform). Blocks are per executable.
#include <string>

namespace vsm {

class NetworkBlocker {
 public:
  virtual ~NetworkBlocker() = default;
  // False where the system offers no way to block; the page then disables its menu item.
  virtual bool Available() const = 0;
  virtual bool Block(const std::string& exePath) = 0;
  virtual bool Allow(const std::string& exePath) = 0;
  // Whether our own filters block the executable.
  virtual bool IsBlocked(const std::string& exePath) const = 0;
};

}  // namespace vsm

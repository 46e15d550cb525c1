#pragma once
// User Account Control and file/registry virtualization switches.
#include "sysinfo/os/OsPlatform.h"

namespace vsm {

class TVistaSpecific {
 public:
  void RefreshData(const OsPlatform& platform);

  bool UserAccountControl() const { return FUAC; }
  bool Virtualization() const { return FV; }

 private:
  bool FUAC = false;
  bool FV = false;
};

}  // namespace vsm

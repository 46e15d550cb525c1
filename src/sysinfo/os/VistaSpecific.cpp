#include "sysinfo/os/VistaSpecific.h"

namespace vsm {

namespace {

const std::string kPoliciesSystem = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

// Sets `flag` to (value = 1) when the value exists.
void ReadSwitch(const OsPlatform& platform, const std::string& name, bool& flag) {
  auto text = platform.RegText(RegRoot::LocalMachine, kPoliciesSystem, name);
  if (auto value = text ? RegTextToUInt32(*text) : std::nullopt) flag = *value == 1;
}

}  // namespace

void TVistaSpecific::RefreshData(const OsPlatform& platform) {
  ReadSwitch(platform, "EnableLUA", FUAC);
  ReadSwitch(platform, "EnableVirtualization", FV);
}

}  // namespace vsm

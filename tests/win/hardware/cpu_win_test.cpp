#include <windows.h>

#include <cpuid.h>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>

#include "hardware/cpu/AmdCpu.h"
#include "hardware/cpu/CpuDetection.h"
#include "hardware/cpu/CpuSeams_win.h"
#include "hardware/cpu/IntelCpu.h"

namespace vsm {
namespace {

// The machine's own description of its processor, read from the host's /proc through Wine's Z:
// drive; empty where there is none.
std::map<std::string, std::string> HostCpuInfo() {
  std::map<std::string, std::string> fields;
  std::ifstream in("Z:\\proc\\cpuinfo");
  std::string line;
  while (std::getline(in, line) && !line.empty()) {
    auto colon = line.find(':');
    if (colon == std::string::npos) continue;
    std::string key = line.substr(0, line.find_last_not_of(" \t", colon - 1) + 1);
    fields[key] = colon + 2 <= line.size() ? line.substr(colon + 2) : "";
  }
  return fields;
}

TEST(CpuOnThisMachine, RealCpuidPicksTheClassOfItsVendorAndFamily) {
  unsigned eax, ebx, ecx, edx;
  __cpuid(0, eax, ebx, ecx, edx);
  char vendor[13] = {};
  memcpy(vendor, &ebx, 4);
  memcpy(vendor + 4, &edx, 4);
  memcpy(vendor + 8, &ecx, 4);
  __cpuid(1, eax, ebx, ecx, edx);
  unsigned family = ((eax >> 20) & 0xFF) + ((eax >> 8) & 0xF);

  auto cpu = DetectCpu(WindowsCpuSeams({}));
  ASSERT_NE(cpu, nullptr);
  EXPECT_EQ(cpu->Family, family);
  std::string v = vendor;
  if (v == "GenuineIntel") {
    EXPECT_NE(dynamic_cast<TIntelCPUInof*>(cpu.get()), nullptr);
  } else if (v == "AuthenticAMD") {
    if (family == 6 || family == 15)
      EXPECT_NE(dynamic_cast<TAmd0FCpuInfo*>(cpu.get()), nullptr);
    else if (family == 23 || family == 25 || family == 26)
      EXPECT_NE(dynamic_cast<TAmd17CpuInfo*>(cpu.get()), nullptr);
    else if (family >= 16 && family <= 22 && family != 19)
      EXPECT_NE(dynamic_cast<TAmd10CpuInfo*>(cpu.get()), nullptr);
    else
      EXPECT_EQ(cpu->CPUType, TCpuType::AmdCPU);
  } else {
    EXPECT_EQ(cpu->CPUType, TCpuType::UnknowCPU);
  }

  auto host = HostCpuInfo();
  if (host.count("vendor_id") != 0) {
    EXPECT_EQ(host["vendor_id"], v);
    EXPECT_EQ(host["cpu family"], std::to_string(cpu->Family));
    EXPECT_EQ(host["model"], std::to_string(cpu->CpuModel));
  }
}

TEST(CpuOnThisMachine, UpdateRestoresTheThreadAffinityAndFindsNoSensorWithoutDriver) {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  DWORD_PTR before = SetThreadAffinityMask(GetCurrentThread(), 1);
  ASSERT_NE(before, 0u);
  ASSERT_EQ(SetThreadAffinityMask(GetCurrentThread(), before), 1u);

  auto cpu = DetectCpu(WindowsCpuSeams({}));
  EXPECT_EQ(SetThreadAffinityMask(GetCurrentThread(), before), before);
  if (cpu->CPUType == TCpuType::IntelCPU) {
    // Without WMI the Intel object counts the processors it can pin itself to.
    EXPECT_EQ(cpu->NumberOfCores, std::min<DWORD>(info.dwNumberOfProcessors, 32));
  }
  cpu->Update();
  EXPECT_EQ(SetThreadAffinityMask(GetCurrentThread(), before), before);
  EXPECT_FALSE(cpu->HasTempSensor());
  EXPECT_FALSE(cpu->driver->HasDriver());
}

}  // namespace
}  // namespace vsm

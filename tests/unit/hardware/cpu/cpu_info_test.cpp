#include <gtest/gtest.h>

#include "ScriptedCpu.h"
#include "hardware/cpu/AmdCpu.h"
#include "hardware/cpu/IntelCpu.h"

namespace vsm {
namespace {

WmiObject ProcessorObject() {
  return {{"Name", WmiValue::Text("Intel(R) Core(TM) i7-4770 CPU @ 3.40GHz")},
          {"Description", WmiValue::Text("Intel64 Family 6 Model 60 Stepping 3")},
          {"Manufacturer", WmiValue::Text("GenuineIntel")},
          {"NumberOfCores", WmiValue::Int(4)},
          {"ProcessorId", WmiValue::Text("BFEBFBFF000306C3")},
          {"Family", WmiValue::Int(198)},
          {"L2CacheSize", WmiValue::Int(1024)}};
}

TEST(CpuInfo, LoadsIdentityFromWmiAndFamilyAndModelFromCpuid) {
  test::ScriptedCpu cpu;
  cpu.SetIdentity("GenuineIntel", 6, 0x3C, 3, 0xD);
  auto info = CreateCpuInfo<TIntelCPUInof>(cpu.Seams(nullptr, test::ProcessorWmi(ProcessorObject())));
  EXPECT_EQ(info->Name, "Intel(R) Core(TM) i7-4770 CPU @ 3.40GHz");
  EXPECT_EQ(info->Description, "Intel64 Family 6 Model 60 Stepping 3");
  EXPECT_EQ(info->Manufacturer, "GenuineIntel");
  EXPECT_EQ(info->ProcessorId, "BFEBFBFF000306C3");
  EXPECT_EQ(info->NumberOfCores, 4);
  EXPECT_EQ(info->CacheSize, 1024 * 1024);
  EXPECT_EQ(info->Family, 6u);  // WMI's 198 replaced by the display family
  EXPECT_EQ(info->CpuModel, 0x3Cu);
  EXPECT_EQ(info->stepping, 3u);
  EXPECT_EQ(info->CpuDataLen, 0xD);
  ASSERT_EQ(info->CpuData.size(), 0xEu);
  EXPECT_EQ(info->CpuData[1].EAX, 0x000306C3u);
  EXPECT_EQ(info->CpuTemp, std::vector<double>(4, 0.0));
  EXPECT_TRUE(info->VendorIDString.empty());
}

TEST(CpuInfo, KeepsExtendedLeavesAndClampsBothRangesTo1024) {
  test::ScriptedCpu cpu;
  cpu.SetIdentity("GenuineIntel", 6, 0x3C, 3, 5000);
  cpu.SetLeaf(0x80000000, {0x80000008, 0, 0, 0});
  cpu.SetLeaf(0x80000008, {0x3027, 0, 0, 0});
  cpu.SetLeaf(1024, {0xAB, 0, 0, 0});
  auto info = CreateCpuInfo<TIntelCPUInof>(cpu.Seams(nullptr));
  EXPECT_EQ(info->CpuDataLen, 1024);
  ASSERT_EQ(info->CpuData.size(), 1025u);
  EXPECT_EQ(info->CpuData[1024].EAX, 0xABu);
  EXPECT_EQ(info->CpuExDataLen, 8);
  ASSERT_EQ(info->CpuExData.size(), 9u);
  EXPECT_EQ(info->CpuExData[8].EAX, 0x3027u);

  test::ScriptedCpu huge;
  huge.SetIdentity("GenuineIntel", 6, 0x3C);
  huge.SetLeaf(0x80000000, {0xFFFFFFFF, 0, 0, 0});
  auto clamped = CreateCpuInfo<TIntelCPUInof>(huge.Seams(nullptr));
  EXPECT_EQ(clamped->CpuExDataLen, 1024);
  EXPECT_EQ(clamped->CpuExData.size(), 1025u);

  test::ScriptedCpu noExtended;
  noExtended.SetIdentity("GenuineIntel", 6, 0x3C);
  noExtended.SetLeaf(0x80000000, {0x80000000, 0, 0, 0});
  EXPECT_EQ(CreateCpuInfo<TIntelCPUInof>(noExtended.Seams(nullptr))->CpuExDataLen, 0);
}

TEST(CpuInfo, WmiFailureLeavesTheIdentityEmptyAndCoresFallBack) {
  WmiQueryFunction failing = [](std::string_view, std::string_view) -> std::optional<WmiObjects> {
    return std::nullopt;
  };
  WmiQueryFunction throwing = [](std::string_view, std::string_view) -> std::optional<WmiObjects> {
    throw std::runtime_error("COM");
  };
  for (const WmiQueryFunction& wmi : {failing, throwing}) {
    test::ScriptedCpu cpu(6);
    cpu.SetIdentity("GenuineIntel", 6, 0x3C);
    auto intel = CreateCpuInfo<TIntelCPUInof>(cpu.Seams(nullptr, wmi));
    EXPECT_TRUE(intel->Name.empty());
    EXPECT_EQ(intel->CacheSize, 0);
    EXPECT_EQ(intel->NumberOfCores, 6);  // logical processors counted through the affinity
    EXPECT_EQ(cpu.Mask(), cpu.InitialMask());
  }
}

TEST(CpuInfo, AmdCoreCountFallsBackToLeaf80000008) {
  test::ScriptedCpu withoutLeaf;
  withoutLeaf.SetIdentity("AuthenticAMD", 0x15, 0x02);
  withoutLeaf.SetLeaf(0x80000000, {0x80000007, 0, 0, 0});
  EXPECT_EQ(CreateCpuInfo<TAmd10CpuInfo>(withoutLeaf.Seams(nullptr, test::ProcessorWmi({})))->NumberOfCores,
            1);

  struct Case {
    uint32_t ecx;
    uint8_t cores;
  };
  for (Case c : {Case{0x3, 4}, Case{0x4007, 8}, Case{0xFF, 255}}) {
    test::ScriptedCpu cpu;
    cpu.SetIdentity("AuthenticAMD", 0x15, 0x02);
    cpu.SetLeaf(0x80000000, {0x8000001E, 0, 0, 0});
    cpu.SetLeaf(0x80000008, {0x3030, 0, c.ecx, 0});
    auto info = CreateCpuInfo<TAmd10CpuInfo>(cpu.Seams(nullptr));
    EXPECT_EQ(info->NumberOfCores, c.cores) << c.ecx;
    EXPECT_EQ(info->CpuTemp.size(), c.cores);
  }
}

}  // namespace
}  // namespace vsm

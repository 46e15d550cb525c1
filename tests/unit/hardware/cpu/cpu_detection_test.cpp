#include <gtest/gtest.h>

#include "ScriptedCpu.h"
#include "hardware/cpu/AmdCpu.h"
#include "hardware/cpu/CpuDetection.h"
#include "hardware/cpu/IntelCpu.h"

namespace vsm {
namespace {

TEST(CpuDetection, ClassByVendorAndFamily) {
  struct Case {
    const char* vendor;
    uint32_t family;
    TCpuClass expected;
  };
  const Case cases[] = {
      {"GenuineIntel", 6, TCpuClass::Intel},   {"GenuineIntel", 15, TCpuClass::Intel},
      {"AuthenticAMD", 6, TCpuClass::Amd0F},   {"AuthenticAMD", 15, TCpuClass::Amd0F},
      {"AuthenticAMD", 16, TCpuClass::Amd10},  {"AuthenticAMD", 17, TCpuClass::Amd10},
      {"AuthenticAMD", 18, TCpuClass::Amd10},  {"AuthenticAMD", 19, TCpuClass::Amd},
      {"AuthenticAMD", 20, TCpuClass::Amd10},  {"AuthenticAMD", 21, TCpuClass::Amd10},
      {"AuthenticAMD", 22, TCpuClass::Amd10},  {"AuthenticAMD", 23, TCpuClass::Amd17},
      {"AuthenticAMD", 24, TCpuClass::Amd},    {"AuthenticAMD", 25, TCpuClass::Amd17},
      {"AuthenticAMD", 26, TCpuClass::Amd17},  {"AuthenticAMD", 27, TCpuClass::Amd},
      {"AuthenticAMD", 5, TCpuClass::Amd},     {"HygonGenuine", 24, TCpuClass::Unknown},
      {"CentaurHauls", 6, TCpuClass::Unknown}, {"genuineintel", 6, TCpuClass::Unknown},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChooseCpuClass(c.vendor, c.family), c.expected) << c.vendor << " " << c.family;
}

TEST(CpuDetection, VendorStringIsEbxEdxEcx) {
  EXPECT_EQ(VendorString({0xD, 0x756E6547, 0x6C65746E, 0x49656E69}), "GenuineIntel");
}

template <class T>
bool Is(const std::unique_ptr<TCpuInfo>& cpu) {
  return dynamic_cast<const T*>(cpu.get()) != nullptr;
}

TEST(CpuDetection, CreatesTheObjectOfTheChosenClass) {
  struct Case {
    const char* vendor;
    uint32_t family, model;
    bool (*check)(const std::unique_ptr<TCpuInfo>&);
    TCpuType type;
  };
  const Case cases[] = {
      {"GenuineIntel", 6, 0x9E, Is<TIntelCPUInof>, TCpuType::IntelCPU},
      {"AuthenticAMD", 0x0F, 0x6B, Is<TAmd0FCpuInfo>, TCpuType::AmdCPU},
      {"AuthenticAMD", 0x15, 0x02, Is<TAmd10CpuInfo>, TCpuType::AmdCPU},
      {"AuthenticAMD", 0x17, 0x71, Is<TAmd17CpuInfo>, TCpuType::AmdCPU},
      {"AuthenticAMD", 0x19, 0x21, Is<TAmdCPUInfo>, TCpuType::AmdCPU},
      {"VIA VIA VIA ", 6, 0x0F, Is<TUnkonwCPUInof>, TCpuType::UnknowCPU},
  };
  for (const Case& c : cases) {
    test::ScriptedCpu cpu;
    cpu.SetIdentity(c.vendor, c.family, c.model);
    auto info = DetectCpu(cpu.Seams(nullptr));
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(c.check(info)) << c.vendor << " " << c.family;
    EXPECT_EQ(info->CPUType, c.type);
    EXPECT_EQ(info->Family, c.family);
    EXPECT_EQ(info->CpuModel, c.model);
  }
}

TEST(CpuDetection, NoStandardLeavesOrAFailingCpuidGiveTheUnknownProcessor) {
  test::ScriptedCpu cpu;
  cpu.SetIdentity("GenuineIntel", 6, 0x9E, 0, /*highestLeaf=*/0);
  auto none = DetectCpu(cpu.Seams(nullptr));
  EXPECT_EQ(none->CPUType, TCpuType::UnknowCPU);
  EXPECT_TRUE(none->CpuData.empty());

  TCpuSeams throwing{
      [](uint32_t, uint32_t) -> TCpuidRecord { throw std::runtime_error("no CPUID"); }, {}, {}, {}, nullptr};
  auto unknown = DetectCpu(throwing);
  ASSERT_NE(unknown, nullptr);
  EXPECT_EQ(unknown->CPUType, TCpuType::UnknowCPU);
  unknown->Update();
  EXPECT_FALSE(unknown->HasTempSensor());

  auto bare = DetectCpu(TCpuSeams{});
  EXPECT_EQ(bare->CPUType, TCpuType::UnknowCPU);
}

TEST(CpuDetection, WithoutADriverNoProcessorHasATemperature) {
  struct Case {
    const char* vendor;
    uint32_t family, model;
  };
  for (const Case& c :
       {Case{"GenuineIntel", 6, 0x3C}, Case{"GenuineIntel", 6, 0x17}, Case{"AuthenticAMD", 0x0F, 0x6B},
        Case{"AuthenticAMD", 0x15, 0x02}, Case{"AuthenticAMD", 0x17, 0x71}}) {
    test::ScriptedCpu cpu;
    cpu.SetIdentity(c.vendor, c.family, c.model);
    auto info = DetectCpu(cpu.Seams(nullptr, test::ProcessorWmi({{"NumberOfCores", WmiValue::Int(4)}})));
    info->Update();
    EXPECT_EQ(info->NumberOfCores, 4);
    EXPECT_EQ(info->CpuTemp, std::vector<double>(4, 0.0)) << c.vendor << " " << c.family;
    EXPECT_FALSE(info->HasTempSensor());
    EXPECT_EQ(cpu.Mask(), cpu.InitialMask());
  }
}

}  // namespace
}  // namespace vsm

#include <gtest/gtest.h>

#include "hardware/Drivers.h"
#include "sim/SimHardware.h"

namespace vsm {
namespace {

TEST(TVeskHdDrv, WithoutDriverEveryOperationFailsAndOutputsFollowTheirRules) {
  TVeskHdDrv drv(std::unique_ptr<DriverChannel>{});
  EXPECT_FALSE(drv.HasDriver());
  uint32_t port = 0x1234;
  EXPECT_FALSE(drv.ReadIoPort(0x2E, port));
  EXPECT_EQ(port, 0x1234u);
  EXPECT_FALSE(drv.WriteIoPort(0x2E, 0x87));
  uint32_t eax = 1, edx = 2;
  EXPECT_FALSE(drv.Rdmsr(0x19C, eax, edx));
  EXPECT_EQ(eax, 1u);
  EXPECT_EQ(edx, 2u);
  uint32_t pci = 0xFFFF;
  EXPECT_FALSE(drv.ReadPciConfig(0xC3, 0x64, pci));
  EXPECT_EQ(pci, 0u);
  EXPECT_FALSE(drv.WritePciConfig(0xC3, 0x60, 1));
}

TEST(TVeskHdDrv, RequestsCarryTheExactWireFormat) {
  sim::SimHardware machine;
  machine.SetMsr(0, 0x19C, 0x0000000588270000ull);
  machine.SetPci(0xC3, 0xA4, 0x3E830000);
  TVeskHdDrv drv(machine.Factory());
  ASSERT_TRUE(drv.HasDriver());

  EXPECT_TRUE(drv.WriteIoPort(0x2E, 0x87));
  uint32_t eax = 0, edx = 0;
  EXPECT_TRUE(drv.Rdmsr(0x19C, eax, edx));
  EXPECT_EQ(eax, 0x88270000u);
  EXPECT_EQ(edx, 5u);
  uint32_t value = 0;
  EXPECT_TRUE(drv.ReadPciConfig(0xC3, 0xA4, value));
  EXPECT_EQ(value, 0x3E830000u);
  EXPECT_TRUE(drv.WritePciConfig(0xC3, 0x60, 0xD8200CE4));

  auto requests = machine.Requests();
  ASSERT_EQ(requests.size(), 4u);
  EXPECT_EQ(requests[0].code, 0x9C40A0D8u);
  EXPECT_EQ(requests[0].in, (std::vector<uint8_t>{0x2E, 0, 0, 0, 0x87}));
  EXPECT_EQ(requests[0].outSize, 0u);
  EXPECT_EQ(requests[1].code, 0x9C402084u);
  EXPECT_EQ(requests[1].in, (std::vector<uint8_t>{0x9C, 0x01, 0, 0}));
  EXPECT_EQ(requests[1].outSize, 8u);
  EXPECT_EQ(requests[2].code, 0x9C406144u);
  EXPECT_EQ(requests[2].in, (std::vector<uint8_t>{0xC3, 0, 0, 0, 0xA4, 0, 0, 0}));
  EXPECT_EQ(requests[3].code, 0x9C40A148u);
  EXPECT_EQ(requests[3].in.size(), 12u);
}

TEST(TVeskHdDrv, FailedMsrReadLeavesOutputsAlone) {
  sim::SimHardware machine;
  TVeskHdDrv drv(machine.Factory());
  uint32_t eax = 7, edx = 9;
  EXPECT_FALSE(drv.Rdmsr(0x1A2, eax, edx));
  EXPECT_EQ(eax, 7u);
  EXPECT_EQ(edx, 9u);
}

TEST(TVeskHdDrv, GetPciAddressPacksAndMasksTheFields) {
  EXPECT_EQ(TVeskHdDrv::GetPciAddress(0, 0x18, 3), 0xC3u);
  EXPECT_EQ(TVeskHdDrv::GetPciAddress(1, 0x1F, 7), 0x1FFu);
  EXPECT_EQ(TVeskHdDrv::GetPciAddress(0, 0x20, 0), 0u);
  EXPECT_EQ(TVeskHdDrv::GetPciAddress(0x100, 0, 8), 0u);
}

}  // namespace
}  // namespace vsm

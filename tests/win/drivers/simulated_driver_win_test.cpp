// The program's driver classes against the simulated kernel driver, which Wine runs in its device
// host: every request below is a real DeviceIoControl on a handle from the simulated machine's
// DManager.dll, through the same channel class the program uses.
#include <windows.h>

#include <gtest/gtest.h>

#include <cpuid.h>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "ChildProcess_win.h"
#include "SimDriverProtocol.h"
#include "base/le_bytes.h"
#include "drivers/DriverManager_win.h"
#include "hardware/Drivers.h"
#include "hardware/superio/BoardDetection.h"
#include "software/DriverEvent_win.h"
#include "software/TdiFwDrv.h"

namespace vsm {
namespace {

using namespace std::chrono_literals;
using GetDrvHandleFn = HANDLE(WINAPI*)(int kind);

class SimulatedDriver : public ::testing::Test {
 protected:
  void SetUp() override {
    std::wstring folder = VSM_SIMULATED_MACHINE_DIR;
    library_ = LoadLibraryW((folder + L"\\DManager.dll").c_str());
    ASSERT_NE(library_, nullptr);
    getDrvHandle_ =
        reinterpret_cast<GetDrvHandleFn>(reinterpret_cast<void*>(GetProcAddress(library_, "GetDrvHandle")));
    ASSERT_NE(getDrvHandle_, nullptr);
  }

  // Stops the driver: it must unload, taking its devices with it, and its service goes.
  void TearDown() override {
    SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    ASSERT_NE(manager, nullptr);
    SC_HANDLE service = OpenServiceW(manager, VSM_SIM_SERVICE_NAME, SERVICE_ALL_ACCESS);
    if (service != nullptr) {
      SERVICE_STATUS status{};
      EXPECT_TRUE(ControlService(service, SERVICE_CONTROL_STOP, &status));
      for (int i = 0;
           i < 100 && QueryServiceStatus(service, &status) && status.dwCurrentState != SERVICE_STOPPED; ++i) {
        Sleep(50);
      }
      EXPECT_EQ(status.dwCurrentState, static_cast<DWORD>(SERVICE_STOPPED));
      EXPECT_TRUE(DeleteService(service));
      CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
    HANDLE gone = CreateFileW(VSM_SIM_HARDWARE_PATH, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
    EXPECT_EQ(gone, INVALID_HANDLE_VALUE);
    if (gone != INVALID_HANDLE_VALUE) CloseHandle(gone);
  }

  std::unique_ptr<DriverChannel> Open(DriverKind kind) {
    return DeviceHandleChannel(getDrvHandle_(static_cast<int>(kind)));
  }
  DriverChannelFactory HardwareChannels() {
    return [this] { return Open(DriverKind::HardwareAccess); };
  }

  HMODULE library_ = nullptr;
  GetDrvHandleFn getDrvHandle_ = nullptr;
};

// What the driver tallied for this process: the count of requests with this code.
uint32_t Served(DriverChannel& channel, uint32_t code) {
  uint8_t reply[VSM_SIM_SERVED_RECORD_SIZE * 256];
  uint32_t none = 0;
  uint32_t returned = 0;
  if (!channel.ControlReturning(VSM_SIM_IOCTL_SERVED, &none, sizeof none, reply, sizeof reply, returned))
    return 0;
  ByteView records(reply, returned);
  for (uint32_t at = 0; at + VSM_SIM_SERVED_RECORD_SIZE <= returned; at += VSM_SIM_SERVED_RECORD_SIZE) {
    if (records.U32(at) == GetCurrentProcessId() && records.U32(at + 4) == code) return records.U32(at + 8);
  }
  return 0;
}

TEST_F(SimulatedDriver, PortRequestsFindAndSampleTheBoardChip) {
  auto board = DetectMainBord({HardwareChannels(), nullptr, nullptr, nullptr});
  ASSERT_EQ(board->Chip, 0xC330);  // NCT6776F
  board->update();
  ASSERT_EQ(board->Temperatures.size(), 4u);
  for (const auto& t : board->Temperatures) {
    EXPECT_GT(t.value, 20);
    EXPECT_LT(t.value, 70);
  }
  EXPECT_GT(board->Fans[1].value, 1000);
  EXPECT_GT(board->Voltages[0].value, 1.0);
  auto channel = Open(DriverKind::HardwareAccess);
  EXPECT_GT(Served(*channel, TVeskHdDrv::kIoctlReadIoPort), 20u);
  EXPECT_GT(Served(*channel, TVeskHdDrv::kIoctlWriteIoPort), 10u);
}

// Intel machines answer the thermal MSRs, AMD machines the PCI registers of their family; the
// other kind's registers fail as on real hardware.
TEST_F(SimulatedDriver, MsrAndPciRequestsAnswerForTheProcessorThisRunsOn) {
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  __get_cpuid(0, &eax, &ebx, &ecx, &edx);
  bool intel = ebx == 0x756E6547;  // "Genu"
  __get_cpuid(1, &eax, &ebx, &ecx, &edx);
  uint32_t family = ((eax >> 8) & 0xF) + ((eax >> 20) & 0xFF);

  TVeskHdDrv drv(Open(DriverKind::HardwareAccess));
  ASSERT_TRUE(drv.HasDriver());
  uint32_t low = 0xDEAD, high = 0xBEEF;
  if (intel) {
    ASSERT_TRUE(drv.Rdmsr(0x1A2, low, high));
    uint32_t tjMax = (low >> 16) & 0xFF;
    ASSERT_TRUE(drv.Rdmsr(0x19C, low, high));
    EXPECT_NE(low & 0x80000000u, 0u);
    double t = tjMax - ((low >> 16) & 0x7F);
    EXPECT_GT(t, 20);
    EXPECT_LT(t, 80);
    return;
  }
  EXPECT_FALSE(drv.Rdmsr(0x19C, low, high));
  EXPECT_EQ(low, 0xDEADu);
  EXPECT_EQ(high, 0xBEEFu);
  if (family < 0x17)
    GTEST_SKIP() << "AMD family " << family << ": its registers are covered by the unit tests";
  uint32_t rootComplex = TVeskHdDrv::GetPciAddress(0, 0, 0);
  uint32_t value = 0;
  ASSERT_TRUE(drv.WritePciConfig(rootComplex, 0x60, 0x00059800));
  ASSERT_TRUE(drv.ReadPciConfig(rootComplex, 0x64, value));
  double t = (value >> 21) / 8.0;
  EXPECT_GT(t, 20);
  EXPECT_LT(t, 80);
}

struct Totals {
  uint64_t sent = 0, received = 0;
};

Totals Read(TVeskTdiFwDrv& drv, uint32_t processId) {
  bool machine = processId == 0;
  uint8_t record[22] = {static_cast<uint8_t>(machine ? tdi::kTotalRecordSize : tdi::kProcessRecordSize)};
  int32_t size = drv.GetProcessData(processId, record, record[0]);
  EXPECT_EQ(size, record[0]);
  ByteView view(record, sizeof record);
  if (machine) return {view.U64(tdi::kTotalSentOffset), view.U64(tdi::kTotalReceivedOffset)};
  return {view.U64(tdi::kProcessSentOffset), view.U64(tdi::kProcessReceivedOffset)};
}

uint16_t RuleReply(TVeskTdiFwDrv& drv, uint32_t processId) {
  uint8_t reply[14] = {14};
  EXPECT_TRUE(drv.GetFilterRule(processId, reply, sizeof reply));
  return ByteView(reply, sizeof reply).U16(0);
}

TEST_F(SimulatedDriver, TrafficGrowsForRunningProcessesAndRulesTakeEffect) {
  TVeskTdiFwDrv drv(Open(DriverKind::NetworkFilter), WindowsDriverEventFactory());
  ASSERT_TRUE(drv.Actived());
  const uint32_t self = GetCurrentProcessId();
  Read(drv, self);
  std::this_thread::sleep_for(1200ms);
  Totals machine = Read(drv, 0);
  Totals mine = Read(drv, self);
  EXPECT_GT(mine.received, 0u);
  EXPECT_GT(mine.sent, 0u);
  EXPECT_GE(machine.received, mine.received);
  std::this_thread::sleep_for(600ms);
  EXPECT_GT(Read(drv, self).received, mine.received);
  EXPECT_GT(Read(drv, 0).received, machine.received);

  EXPECT_EQ(RuleReply(drv, self), 0);
  ASSERT_TRUE(drv.SetFilterRule(self, ALL, DENY, 0));
  EXPECT_EQ(RuleReply(drv, self), 1);
  std::this_thread::sleep_for(400ms);
  Totals blocked = Read(drv, self);
  std::this_thread::sleep_for(800ms);
  EXPECT_EQ(Read(drv, self).received, blocked.received);

  ASSERT_TRUE(drv.SetFilterRule(self, ALL, ALLOW, 0));
  EXPECT_EQ(RuleReply(drv, self), 0);
  ASSERT_TRUE(drv.SetFilterRule(self, RECV, SPEED, 100));
  std::this_thread::sleep_for(400ms);
  Totals capped = Read(drv, self);
  auto start = std::chrono::steady_clock::now();
  std::this_thread::sleep_for(1000ms);
  Totals later = Read(drv, self);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_GT(later.received, capped.received);
  // 100 bytes a second, with half a second of slack for the driver's own clock.
  EXPECT_LE(later.received - capped.received, 100 * (seconds + 0.5));

  auto channel = Open(DriverKind::NetworkFilter);
  EXPECT_GE(Served(*channel, tdi::kIoctlGetProcessData), 8u);
  EXPECT_EQ(Served(*channel, tdi::kIoctlSetFilterRule), 3u);
}

TEST_F(SimulatedDriver, ANewProcessSetsTheRegisteredEvent) {
  TVeskTdiFwDrv drv(Open(DriverKind::NetworkFilter), WindowsDriverEventFactory());
  std::atomic<int> created{0};
  drv.OnNewProcessCreate([&](TDrvEventThread&) { ++created; });
  Read(drv, 0);
  std::this_thread::sleep_for(300ms);
  Read(drv, 0);
  EXPECT_EQ(created.load(), 0);

  test::ChildProcess child(L"wait");
  ASSERT_TRUE(child.Started());
  // The driver looks at the processes when it is asked something, as the engine does each second.
  for (int i = 0; i < 50 && created.load() == 0; ++i) {
    std::this_thread::sleep_for(100ms);
    Read(drv, 0);
  }
  EXPECT_EQ(created.load(), 1);
  std::this_thread::sleep_for(600ms);
  Read(drv, 0);
  EXPECT_GT(Read(drv, child.Id()).received, 0u);
  drv.OnNewProcessCreate(nullptr);
}

}  // namespace
}  // namespace vsm

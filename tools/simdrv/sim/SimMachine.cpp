#include "sim/SimMachine.h"

#include <cmath>

#include "hardware/Drivers.h"
#include "hardware/cpu/AmdCpu.h"
#include "hardware/cpu/IntelCpu.h"
#include "sim/SimSuperIoBoards.h"

namespace vsm::sim {

namespace {

constexpr double kTwoPi = 6.283185307179586;

// A value that swings by `amplitude` around `middle` with the given period (seconds).
double Wave(double middle, double amplitude, double period, double phase, double clock) {
  return middle + amplitude * std::sin(clock * kTwoPi / period + phase);
}

int Rounded(double value) { return static_cast<int>(std::lround(value)); }

uint8_t VoltageStep(double volts) { return static_cast<uint8_t>(Rounded(volts / 0.008)); }

// The chip's temperature inputs as the NCT6776F reports them: reading register, half-degree
// register and bit, source-select register and the source wired to it; then a resting level,
// swing and period.
struct BoardTemperature {
  SimNuvotonMonitor::Temperature where;
  double middle, amplitude, period;
};
const BoardTemperature kBoardTemperatures[] = {
    {{0x027, 0, -1, 0x621, 12}, 47, 6, 23},      // PECI agent 0
    {{0x073, 0x074, 7, 0x100, 2}, 34, 2.5, 47},  // SYSTIN
    {{0x075, 0x076, 7, 0x200, 3}, 41, 5, 29},    // CPUTIN
    {{0x077, 0x078, 7, 0x300, 1}, 37, 1.5, 61},  // AUXTIN
};

// Voltage inputs (reading register, volts at the pin, swing).
struct BoardVoltage {
  uint16_t reg;
  double volts, swing;
};
const BoardVoltage kBoardVoltages[] = {
    {0x020, 1.104, 0.024},  // CPU core
    {0x021, 1.000, 0.008},  // +12 V through its divider
    {0x022, 1.672, 0.008},  // AVCC, halved
    {0x023, 1.664, 0.008},  // 3VCC, halved
    {0x024, 0.848, 0.008},  // +5 V through its divider
    {0x025, 1.512, 0.016},  // memory
    {0x026, 1.048, 0.008},  // chipset
    {0x550, 1.664, 0.008},  // 3VSB, halved
    {0x551, 1.576, 0.000},  // battery, halved
};

// Fans reported in RPM from 0x656 on (0 = not connected) and the duty registers driving them.
struct BoardFan {
  double rpm, swing, period;
  uint16_t dutyRegister;
};
const BoardFan kBoardFans[] = {{870, 40, 37, 0x001}, {1320, 140, 23, 0x003}, {690, 25, 53, 0x011}};
constexpr uint16_t kFanRpmBase = 0x656;
constexpr uint16_t kVBatControl = 0x05D;

constexpr uint32_t kAmdVendorId = 0x1022;
constexpr uint32_t kThermtripStatus = 0xE4;
constexpr uint32_t kReportedTemperatureControl = 0xA4;

bool IsAmd(const SimCpuIdentity& cpu) { return cpu.vendor == "AuthenticAMD"; }

}  // namespace

SimMachine::SimMachine(SimCpuIdentity cpu) : cpu_(std::move(cpu)) {
  // A driver that runs for hours must not keep every request it served.
  hardware_.SetKeepingRequests(false);
  filter_.SetKeepingRequests(false);

  AddWinbondFamilyConfig(hardware_, 0x2E, {0xC3, 0x33, 0x0B, kMonitorBase, 0});
  monitor_ = std::make_shared<SimNuvotonMonitor>(kMonitorBase);
  monitor_->SetGenuine(0x804F, 0x004F);
  monitor_->SetVBatMonitoring(kVBatControl, true);
  hardware_.AddPortDevice(monitor_);

  if (IsAmd(cpu_)) SetUpAmd();
  SetBoardSensors(0);
  SetCoreSensors(0);
}

int SimMachine::CoreTemperature(int cpu, double clock) {
  return Rounded(Wave(44 + 3 * (cpu % 4), 7, 31 + 2 * (cpu % 5), cpu, clock));
}

void SimMachine::AdvanceTo(double clock, const std::vector<uint32_t>& liveProcesses) {
  clock_ = clock;
  SetBoardSensors(clock);
  SetCoreSensors(clock);
  traffic_.Advance(clock, liveProcesses);
}

void SimMachine::SetBoardSensors(double clock) {
  for (const auto& t : kBoardTemperatures) {
    monitor_->SetTemperature(t.where, Rounded(2 * Wave(t.middle, t.amplitude, t.period, t.middle, clock)));
  }
  for (const auto& v : kBoardVoltages) {
    monitor_->Set(v.reg, VoltageStep(Wave(v.volts, v.swing, 11, v.reg, clock)));
  }
  for (size_t i = 0; i < std::size(kBoardFans); ++i) {
    const BoardFan& fan = kBoardFans[i];
    double rpm = Wave(fan.rpm, fan.swing, fan.period, static_cast<double>(i), clock);
    monitor_->SetWord(static_cast<uint16_t>(kFanRpmBase + 2 * i), static_cast<uint16_t>(Rounded(rpm)));
    monitor_->Set(fan.dutyRegister, static_cast<uint8_t>(Rounded(rpm / 2000 * 255)));
  }
}

void SimMachine::SetCoreSensors(double clock) {
  if (cpu_.vendor == "GenuineIntel") {
    auto fixed =
        IntelFixedTjMax(cpu_.family, cpu_.model, cpu_.stepping, static_cast<uint8_t>(cpu_.logicalProcessors));
    int tjMax = fixed ? Rounded(*fixed) : 100;
    for (int cpu = 0; cpu < cpu_.logicalProcessors; ++cpu) {
      int readout = tjMax - CoreTemperature(cpu, clock);
      hardware_.SetMsr(cpu, TIntelCPUInof::kMsrTemperatureTarget, static_cast<uint64_t>(tjMax) << 16);
      hardware_.SetMsr(cpu, TIntelCPUInof::kMsrThermStatus,
                       0x88000000u | static_cast<uint32_t>(readout) << 16);
    }
    return;
  }
  if (!IsAmd(cpu_) || cpu_.family < 0x10 || cpu_.family >= 0x17) return;
  // Families 10h-16h: one reported temperature for the node, in eighths of a degree.
  uint32_t eighths = static_cast<uint32_t>(CoreTemperature(0, clock) * 8);
  hardware_.SetPci(amdMiscControl_, kReportedTemperatureControl, eighths << 21);
}

void SimMachine::SetUpAmd() {
  uint16_t deviceId =
      cpu_.family == 0x0F || cpu_.family == 6 ? 0x1103 : Amd10MiscControlDeviceId(cpu_.family, cpu_.model);
  amdMiscControl_ = TVeskHdDrv::GetPciAddress(0, 0x18, 3);
  if (deviceId != 0) hardware_.SetPci(amdMiscControl_, 0, uint32_t{deviceId} << 16 | kAmdVendorId);
  hardware_.SetPciWriteHook([this](SimHardware&, uint32_t address, uint32_t reg, uint32_t value) {
    OnPciWrite(address, reg, value);
  });
}

// Registers that answer what was just selected: family 0Fh's thermtrip register (a core select
// written, that core's reading read back) and the SMN index/data pair of family 17h on.
void SimMachine::OnPciWrite(uint32_t pciAddress, uint32_t reg, uint32_t value) {
  if (pciAddress == amdMiscControl_ && reg == kThermtripStatus && (cpu_.family == 0x0F || cpu_.family == 6)) {
    // The core-select bit picks the second core on early revisions and the first from model 40 on.
    int core = ((value & 4) != 0) == (cpu_.model < 40) ? 1 : 0;
    bool shifted = cpu_.model > 0x68 && cpu_.model != 0x6C && cpu_.model != 0x7C && cpu_.model != 0xC1;
    auto raw = static_cast<uint32_t>(CoreTemperature(core, clock_) + (shifted ? 28 : 49));
    hardware_.SetPci(pciAddress, reg, raw << 16 | (value & 0xFF));
    return;
  }
  if (pciAddress == TVeskHdDrv::GetPciAddress(0, 0, 0) && reg == TAmd17CpuInfo::kSmnIndex &&
      cpu_.family >= 0x17) {
    if (value != TAmd17CpuInfo::kThmCurrentTemperature) return;
    auto eighths = static_cast<uint32_t>(CoreTemperature(0, clock_) * 8);
    hardware_.SetPci(pciAddress, TAmd17CpuInfo::kSmnData, eighths << 21);
  }
}

}  // namespace vsm::sim

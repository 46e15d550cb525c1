#include "hardware/superio/MainBord_W836XX.h"

#include "hardware/superio/SuperIoChips.h"

namespace vsm {

namespace {

constexpr uint16_t kWinbondVendor = 0x5CA3;
constexpr uint8_t kVendorRegister = 0x4F;
constexpr uint8_t kVendorHighBank = 0x80;
constexpr uint8_t kBatteryVoltage = 0x51;
constexpr uint8_t kBatteryMonitorControl = 0x5D;
constexpr uint8_t kVcoreReferenceControl = 0x18;

// Chips whose first voltage input may run in the VRM reference mode (bit 0 of register 0x18).
bool IsFirstGroup(uint16_t chip) { return IsChipOneOf(chip, {W83627HF, W83627THF, W83687THF}); }

struct BankRegister {
  uint8_t bank;
  uint8_t reg;
};

constexpr BankRegister kTemperatures[3] = {{1, 0x50}, {2, 0x50}, {0, 0x27}};

// Fan divisor bits, as positions in the 40-bit word of the five divisor registers (0x47 the most
// significant byte, 0x5D the least).
constexpr uint8_t kDivisorRegisters[5] = {0x47, 0x4B, 0x4C, 0x59, 0x5D};
constexpr BankRegister kTachometers[5] = {{0, 0x28}, {0, 0x29}, {0, 0x2A}, {0, 0x3F}, {5, 0x53}};
constexpr int kDivisorBit0[5] = {36, 38, 30, 8, 10};
constexpr int kDivisorBit1[5] = {37, 39, 31, 9, 11};
constexpr int kDivisorBit2[5] = {5, 6, 7, 23, 15};

int Bit(uint64_t word, int position) { return static_cast<int>(word >> position & 1); }

uint64_t WithBit(uint64_t word, int position, int bit) {
  uint64_t mask = uint64_t{1} << position;
  return bit != 0 ? word | mask : word & ~mask;
}

}  // namespace

TMB_W836XX::TMB_W836XX(uint16_t chip, uint16_t address, uint8_t revision,
                       const DriverChannelFactory& channels, const TBaseBoardIdentity& identity)
    : TMainBord(chip, address, revision, channels, identity) {
  TMonitorPorts ports = Ports();
  uint16_t vendor = static_cast<uint16_t>(ports.ReadBanked(kVendorHighBank, kVendorRegister) << 8 |
                                          ports.ReadBanked(0, kVendorRegister));
  if (vendor != kWinbondVendor) return;

  size_t fans = 0;
  if (IsFirstGroup(chip)) {
    voltageRegister = {0x20, 0x21, 0x22, 0x23, 0x24, 0x50, 0x51};
    voltageBank = {0, 0, 0, 0, 0, 5, 5};
    voltageGain = 0.016;
    fans = 3;
  } else if (chip == W83627EHF) {
    voltageRegister = {0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x50, 0x51, 0x52};
    voltageBank = {0, 0, 0, 0, 0, 0, 0, 5, 5, 5};
    voltageGain = 0.008;
    fans = 5;
  } else if (IsChipOneOf(chip, {W83627DHG, W83667HG, W83627DHG_P, W83667HG_B})) {
    voltageRegister = {0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x50, 0x51};
    voltageBank = {0, 0, 0, 0, 0, 0, 0, 5, 5};
    voltageGain = 0.008;
    fans = 5;
  } else {
    return;  // not a chip of this family
  }
  ReadPeciSlots(ports);
  Voltages.resize(voltageRegister.size());
  Temperatures.resize(3);
  Fans.resize(fans);
}

void TMB_W836XX::ReadPeciSlots(TMonitorPorts& ports) {
  if (IsChipOneOf(Chip, {W83627DHG, W83627DHG_P})) {
    uint8_t select = ports.ReadBanked(0, 0x49);
    peciTemperature[0] = (select & 0x07) != 0;
    peciTemperature[1] = (select & 0x70) != 0;
  } else if (IsChipOneOf(Chip, {W83667HG, W83667HG_B})) {
    uint8_t select = ports.ReadBanked(0, 0x49);
    peciTemperature[0] = (select & 0x04) != 0;
    peciTemperature[1] = (select & 0x40) != 0;
  }
}

void TMB_W836XX::update() {
  auto lock = LockBus(std::chrono::milliseconds(100));
  if (!lock.owns_lock()) return;
  TMonitorPorts ports = Ports();
  for (size_t i = 0; i < Voltages.size(); ++i) {
    double volts = ReadVoltage(ports, i);
    Voltages[i].value = volts > 0 ? volts : 0;
  }
  ReadTemperatures(ports);
  ReadFansAndAdjustDivisors(ports);
}

double TMB_W836XX::ReadVoltage(TMonitorPorts& ports, size_t index) {
  uint8_t reg = voltageRegister[index];
  uint8_t bank = voltageBank[index];
  if (reg == kBatteryVoltage) {
    // The battery input is sampled only while its monitor is switched on.
    if ((ports.ReadBanked(0, kBatteryMonitorControl) & 1) == 0) return 0;
    return ports.ReadBanked(bank, reg) * voltageGain;
  }
  if (index == 0 && IsFirstGroup(Chip)) {
    bool vrmReference = (ports.ReadBanked(0, kVcoreReferenceControl) & 1) != 0;
    uint8_t raw = ports.ReadBanked(bank, reg);
    return vrmReference ? raw * 0.00488 + 0.69 : raw * 0.016;
  }
  return ports.ReadBanked(bank, reg) * voltageGain;
}

void TMB_W836XX::ReadTemperatures(TMonitorPorts& ports) {
  for (size_t i = 0; i < Temperatures.size(); ++i) {
    if (peciTemperature[i]) {
      Temperatures[i].value = 0;  // a PECI-fed slot carries no absolute temperature
      continue;
    }
    const BankRegister& where = kTemperatures[i];
    int value = 2 * ports.ReadBanked(where.bank, where.reg);
    if (where.bank != 0) {
      value |= ports.ReadBanked(where.bank, static_cast<uint8_t>(where.reg + 1)) >> 7 & 1;
    }
    double t = value / 2.0;
    Temperatures[i].value = t > 125 || t < -55 ? 0 : t;
  }
}

void TMB_W836XX::ReadFansAndAdjustDivisors(TMonitorPorts& ports) {
  uint64_t divisorBits = 0;
  for (uint8_t reg : kDivisorRegisters) divisorBits = divisorBits << 8 | ports.ReadBanked(0, reg);
  uint64_t newBits = divisorBits;

  for (size_t i = 0; i < Fans.size(); ++i) {
    int d = Bit(divisorBits, kDivisorBit2[i]) << 2 | Bit(divisorBits, kDivisorBit1[i]) << 1 |
            Bit(divisorBits, kDivisorBit0[i]);
    int count = ports.ReadBanked(kTachometers[i].bank, kTachometers[i].reg);
    int scaled = count << d;
    Fans[i].value = count < 0xFF && scaled != 0 ? 1350000.0 / scaled : 0;

    // Keep the count in the middle of its range: a slow fan needs a larger divisor.
    if (count > 0xC0 && d < 7) ++d;
    if (count < 0x60 && d > 0) --d;
    newBits = WithBit(newBits, kDivisorBit0[i], d & 1);
    newBits = WithBit(newBits, kDivisorBit1[i], d >> 1 & 1);
    newBits = WithBit(newBits, kDivisorBit2[i], d >> 2 & 1);
  }

  for (size_t r = 0; r < 5; ++r) {
    int shift = 8 * static_cast<int>(4 - r);
    auto oldByte = static_cast<uint8_t>(divisorBits >> shift);
    auto newByte = static_cast<uint8_t>(newBits >> shift);
    if (newByte != oldByte) ports.WriteBanked(0, kDivisorRegisters[r], newByte);
  }
}

}  // namespace vsm

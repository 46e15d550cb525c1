#include "hardware/superio/BoardDetection.h"

#include <initializer_list>
#include <optional>
#include <thread>

#include "hardware/Drivers.h"
#include "hardware/board/BoardLayout.h"
#include "hardware/superio/MainBord_F718XX.h"
#include "hardware/superio/MainBord_IT87XX.h"
#include "hardware/superio/MainBord_NCT677X.h"
#include "hardware/superio/MainBord_W836XX.h"
#include "hardware/superio/SuperIoChips.h"
#include "hardware/superio/SuperIoConfig.h"

namespace vsm {

namespace {

using std::chrono::milliseconds;

constexpr uint8_t kChipId = 0x20;
constexpr uint8_t kChipRevision = 0x21;
constexpr uint8_t kIteVersion = 0x22;
constexpr uint8_t kVendorId = 0x23;
constexpr uint8_t kNuvotonIoLock = 0x28;
constexpr uint8_t kBaseAddress = 0x60;
constexpr uint8_t kIteGpioAddress = 0x62;

constexpr uint16_t kFintekVendor = 0x1934;
constexpr uint8_t kIteMonitorLdn = 0x04;
constexpr uint8_t kIT8705GpioLdn = 0x05;
constexpr uint8_t kIteGpioLdn = 0x07;
constexpr milliseconds kSettleTime{10};

class Probe {
 public:
  Probe(uint16_t registerPort, const TSuperIoEnvironment& environment, const TBaseBoardIdentity& identity)
      : config_(registerPort, environment.channels), keys_(environment.channels), env_(environment),
        identity_(identity) {}

  std::unique_ptr<TMainBord> WinbondFamily();
  std::unique_ptr<TMainBord> Ite();

 private:
  void WriteKeys(std::initializer_list<uint8_t> keys) {
    for (uint8_t key : keys) keys_.WriteIoPort(config_.RegisterPort(), key);
  }
  void Settle() const {
    if (env_.sleep) {
      env_.sleep(kSettleTime);
    } else {
      std::this_thread::sleep_for(kSettleTime);
    }
  }
  // Reads a configuration word twice, kSettleTime apart; nothing when the two reads differ.
  std::optional<uint16_t> ReadSettledWord(uint8_t index) {
    uint16_t first = config_.ReadWord(index);
    Settle();
    uint16_t second = config_.ReadWord(index);
    if (first != second) return std::nullopt;
    return first;
  }

  TSuperIoConfig config_;
  TVeskHdDrv keys_;  // entry and exit sequences go through the probe's own driver access
  const TSuperIoEnvironment& env_;
  const TBaseBoardIdentity& identity_;
};

std::unique_ptr<TMainBord> Probe::WinbondFamily() {
  WriteKeys({0x87, 0x87});
  auto exitConfig = [this] { WriteKeys({0xAA}); };

  uint8_t chipId = config_.ReadRegister(kChipId);
  uint8_t revision = config_.ReadRegister(kChipRevision);
  std::optional<TSuperIoChipId> id = IdentifyWinbondFamilyChip(chipId, revision);
  if (!id) {
    exitConfig();
    return nullptr;
  }
  config_.SelectLdn(id->monitorLdn);
  std::optional<uint16_t> address = ReadSettledWord(kBaseAddress);
  uint16_t vendor = config_.ReadWord(kVendorId);
  if (address && id->chip == NCT6791D) {
    // The NCT6791D powers up with its monitor's I/O space locked.
    uint8_t lock = config_.ReadRegister(kNuvotonIoLock);
    if ((lock & 0x10) != 0) config_.WriteRegister(kNuvotonIoLock, static_cast<uint8_t>(lock & ~0x10));
  }
  exitConfig();

  if (!address) return nullptr;
  uint16_t base = CorrectMonitorAddress(*address);
  if (!IsUsableMonitorAddress(base)) return nullptr;
  switch (id->family) {
    case TSuperIoFamily::sfFintek:
      if (vendor != kFintekVendor) return nullptr;
      return std::make_unique<TMB_F718XX>(id->chip, base, revision, env_.channels, identity_);
    case TSuperIoFamily::sfWinbond:
      return std::make_unique<TMB_W836XX>(id->chip, base, revision, env_.channels, identity_);
    case TSuperIoFamily::sfNuvoton:
      return std::make_unique<TMB_NCT677X>(id->chip, base, revision, env_.channels, identity_);
    case TSuperIoFamily::sfIte: break;
  }
  return nullptr;
}

std::unique_ptr<TMainBord> Probe::Ite() {
  WriteKeys({0x87, 0x01, 0x55, 0x55});
  auto exitConfig = [this] {
    keys_.WriteIoPort(config_.RegisterPort(), 0x02);
    keys_.WriteIoPort(config_.ValuePort(), 0x02);
  };

  uint16_t chip = config_.ReadWord(kChipId);
  if (!IsKnownIteChip(chip)) {
    exitConfig();
    return nullptr;
  }
  config_.SelectLdn(kIteMonitorLdn);
  std::optional<uint16_t> address = ReadSettledWord(kBaseAddress);
  auto version = static_cast<uint8_t>(config_.ReadRegister(kIteVersion) & 0x0F);
  std::optional<uint16_t> gpioAddress;
  if (chip == IT8705F) {
    config_.SelectLdn(kIT8705GpioLdn);
    gpioAddress = ReadSettledWord(kBaseAddress);
  } else {
    config_.SelectLdn(kIteGpioLdn);
    gpioAddress = ReadSettledWord(kIteGpioAddress);
  }
  exitConfig();

  if (!address || !IsUsableMonitorAddress(*address)) return nullptr;
  if (!gpioAddress || !IsUsableMonitorAddress(*gpioAddress)) return nullptr;
  return std::make_unique<TMB_IT87XX>(chip, *gpioAddress, *address, version, env_.channels, identity_);
}

}  // namespace

std::unique_ptr<TMainBord> DetectMainBord(const TSuperIoEnvironment& environment) {
  std::shared_ptr<TBusLock> bus = environment.bus ? environment.bus : InProcessBusLock(TBus::Isa);
  const TBaseBoardIdentity identity = QueryBaseBoard(environment.wmi);
  std::unique_ptr<TMainBord> board;
  {
    TBusGuard lock = bus->Lock(milliseconds(1000));
    if (lock.owns_lock()) {
      for (uint16_t registerPort : {uint16_t{0x2E}, uint16_t{0x4E}}) {
        Probe probe(registerPort, environment, identity);
        board = probe.WinbondFamily();
        // ITE chips answer only on the primary pair.
        if (!board && registerPort == 0x2E) board = probe.Ite();
        if (board) break;
      }
    }
  }
  if (!board) board = std::make_unique<TGeneralBoard>(environment.channels, identity);
  board->bus = std::move(bus);
  NameBoardSensors(*board);
  return board;
}

}  // namespace vsm

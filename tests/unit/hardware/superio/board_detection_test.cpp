#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "SuperIoBench.h"
#include "hardware/superio/BoardDetection.h"
#include "hardware/superio/MainBord_F718XX.h"
#include "hardware/superio/MainBord_IT87XX.h"
#include "hardware/superio/MainBord_NCT677X.h"
#include "hardware/superio/MainBord_W836XX.h"
#include "sim/SimFintekMonitor.h"
#include "sim/SimIteMonitor.h"
#include "sim/SimMonitorBlock.h"
#include "sim/SimSuperIoBoards.h"

namespace vsm {
namespace {

using sim::SimHardware;
using sim::SimIteChip;
using sim::SimWinbondFamilyChip;

enum class Kind { Fintek, Winbond, Nuvoton, Ite };

Kind KindOf(const TMainBord& board) {
  if (dynamic_cast<const TMB_F718XX*>(&board)) return Kind::Fintek;
  if (dynamic_cast<const TMB_W836XX*>(&board)) return Kind::Winbond;
  if (dynamic_cast<const TMB_NCT677X*>(&board)) return Kind::Nuvoton;
  if (dynamic_cast<const TMB_IT87XX*>(&board)) return Kind::Ite;
  ADD_FAILURE() << "not a chip class";
  return Kind::Fintek;
}

bool IsGeneral(const TMainBord& board) { return dynamic_cast<const TGeneralBoard*>(&board) != nullptr; }

class BoardDetection : public ::testing::Test {
 protected:
  void Reset() {
    machine = std::make_unique<SimHardware>();
    waits.clear();
  }

  std::unique_ptr<TMainBord> Detect() {
    TSuperIoEnvironment env{machine->Factory(), test::NoWmi,
                            [this](std::chrono::milliseconds wait) {
                              waits.push_back(wait);
                              if (onWait) onWait();
                            },
                            nullptr};
    return DetectMainBord(env);
  }

  // A monitor block that passes the vendor checks of every family at `base`.
  void AddGenuineMonitor(uint16_t base) {
    auto block = std::make_shared<sim::SimBankedMonitorBlock>(base);
    for (uint16_t reg : {0x804F, 0x80FE}) block->Set(reg, 0x5C);
    for (uint16_t reg : {0x004F, 0x00FE}) block->Set(reg, 0xA3);
    machine->AddPortDevice(block);
  }

  // The bytes written to one port, in order.
  std::vector<uint8_t> WritesToPort(uint16_t port) const {
    std::vector<uint8_t> values;
    for (const auto& request : machine->Requests()) {
      if (request.code == TVeskHdDrv::kIoctlWriteIoPort && request.in.size() == 5 &&
          (request.in[0] | request.in[1] << 8) == port) {
        values.push_back(request.in[4]);
      }
    }
    return values;
  }

  std::unique_ptr<SimHardware> machine = std::make_unique<SimHardware>();
  std::vector<std::chrono::milliseconds> waits;
  std::function<void()> onWait;
};

struct WinbondFamilyRow {
  uint8_t id;
  uint8_t revision;
  uint16_t chip;
  Kind kind;
  uint8_t ldn;
};

// Every identifier row, with both ends of each accepted revision range.
const WinbondFamilyRow kWinbondFamilyRows[] = {
    {0x05, 0x07, 0x0507, Kind::Fintek, 0x02},  {0x05, 0x41, 0x0541, Kind::Fintek, 0x04},
    {0x06, 0x01, 0x0601, Kind::Fintek, 0x04},  {0x07, 0x23, 0x0723, Kind::Fintek, 0x04},
    {0x08, 0x14, 0x0814, Kind::Fintek, 0x04},  {0x09, 0x01, 0x0901, Kind::Fintek, 0x04},
    {0x09, 0x09, 0x0909, Kind::Fintek, 0x04},  {0x10, 0x05, 0x1005, Kind::Fintek, 0x04},
    {0x10, 0x07, 0x1007, Kind::Fintek, 0x04},  {0x52, 0x17, 0x5200, Kind::Winbond, 0x0B},
    {0x52, 0x3A, 0x5200, Kind::Winbond, 0x0B}, {0x52, 0x41, 0x5200, Kind::Winbond, 0x0B},
    {0x82, 0x80, 0x8280, Kind::Winbond, 0x0B}, {0x82, 0x8F, 0x8280, Kind::Winbond, 0x0B},
    {0x85, 0x41, 0x8541, Kind::Winbond, 0x0B}, {0x88, 0x50, 0x8800, Kind::Winbond, 0x0B},
    {0x88, 0x6F, 0x8800, Kind::Winbond, 0x0B}, {0xA0, 0x20, 0xA020, Kind::Winbond, 0x0B},
    {0xA0, 0x2F, 0xA020, Kind::Winbond, 0x0B}, {0xA5, 0x1A, 0xA510, Kind::Winbond, 0x0B},
    {0xB0, 0x73, 0xB070, Kind::Winbond, 0x0B}, {0xB3, 0x5C, 0xB350, Kind::Winbond, 0x0B},
    {0xB4, 0x70, 0xB470, Kind::Nuvoton, 0x0B}, {0xB4, 0x7F, 0xB470, Kind::Nuvoton, 0x0B},
    {0xC3, 0x33, 0xC330, Kind::Nuvoton, 0x0B}, {0xC4, 0x52, 0xC452, Kind::Nuvoton, 0x0B},
    {0xC4, 0x5F, 0xC452, Kind::Nuvoton, 0x0B}, {0xC5, 0x62, 0xC560, Kind::Nuvoton, 0x0B},
    {0xC8, 0x03, 0xC803, Kind::Nuvoton, 0x0B},
};

TEST_F(BoardDetection, FindsEveryWinbondNuvotonAndFintekChipOnEitherPortPair) {
  for (uint16_t port : {0x2E, 0x4E}) {
    for (const auto& row : kWinbondFamilyRows) {
      SCOPED_TRACE(::testing::Message() << "port 0x" << std::hex << port << " id 0x" << int(row.id)
                                        << " revision 0x" << int(row.revision));
      Reset();
      auto config =
          sim::AddWinbondFamilyConfig(*machine, port, {row.id, row.revision, row.ldn, 0x0290, 0x1934});
      AddGenuineMonitor(0x0290);

      auto board = Detect();
      ASSERT_FALSE(IsGeneral(*board));
      EXPECT_EQ(KindOf(*board), row.kind);
      EXPECT_EQ(board->Chip, row.chip);
      EXPECT_EQ(board->address, 0x0290);
      EXPECT_EQ(board->revision, row.revision);
      EXPECT_FALSE(board->Voltages.empty());
      EXPECT_FALSE(config->InConfigMode());
      EXPECT_EQ(config->Entries(), 1);
      EXPECT_EQ(waits, std::vector<std::chrono::milliseconds>{std::chrono::milliseconds(10)});
    }
  }
}

TEST_F(BoardDetection, NamesTheChannelsByTheLayoutOfTheBoardThatWmiReports) {
  sim::AddWinbondFamilyConfig(*machine, 0x2E, {0xC5, 0x62, 0x0B, 0x0290, 0});
  AddGenuineMonitor(0x0290);
  WmiQueryFunction wmi = [](std::string_view, std::string_view) -> std::optional<WmiObjects> {
    return WmiObjects{
        {{"Manufacturer", WmiValue::Text("ASUSTeK Computer INC.")}, {"Product", WmiValue::Text("P8Z77-V")}}};
  };
  auto board = DetectMainBord({machine->Factory(), wmi, [](std::chrono::milliseconds) {}, nullptr});
  ASSERT_EQ(board->Chip, 0xC560);
  ASSERT_GE(board->Temperatures.size(), 3u);
  EXPECT_EQ(board->Temperatures[0].name, "CPU Core");
  EXPECT_EQ(board->Temperatures[2].name, "Motherboard");
  EXPECT_EQ(board->Fans.at(1).name, "CPU Fan");
  EXPECT_EQ(board->Voltages.at(9).name, "VTT");
}

TEST_F(BoardDetection, RejectsIdentifiersAndRevisionsOutsideTheTable) {
  const std::pair<uint8_t, uint8_t> kRejected[] = {
      {0x05, 0x08}, {0x05, 0x40}, {0x06, 0x02}, {0x09, 0x02}, {0x10, 0x06}, {0x52, 0x18},
      {0x82, 0x70}, {0x85, 0x42}, {0x88, 0x40}, {0x88, 0x70}, {0xA0, 0x30}, {0xA5, 0x20},
      {0xB0, 0x60}, {0xB3, 0x40}, {0xB4, 0x60}, {0xC3, 0x40}, {0xC4, 0x60}, {0xC5, 0x50},
      {0xC8, 0x02}, {0xC8, 0x13}, {0x99, 0x00}, {0x00, 0x00}, {0xFF, 0xFF}};
  for (auto [id, revision] : kRejected) {
    SCOPED_TRACE(::testing::Message() << "id 0x" << std::hex << int(id) << " revision 0x" << int(revision));
    Reset();
    auto config = sim::AddWinbondFamilyConfig(*machine, 0x2E, {id, revision, 0x0B, 0x0290, 0x1934});
    auto board = Detect();
    EXPECT_TRUE(IsGeneral(*board));
    EXPECT_FALSE(config->InConfigMode());
    EXPECT_TRUE(waits.empty());
  }
}

TEST_F(BoardDetection, CorrectsAndRejectsBaseAddresses) {
  const std::pair<uint16_t, uint16_t> kCases[] = {
      // raw address, accepted address (0: rejected)
      {0x0290, 0x0290}, {0x0295, 0x0290}, {0x0A05, 0x0A00}, {0x0100, 0x0100}, {0x1290, 0},
      {0x0F0, 0},       {0x0F5, 0},       {0x0291, 0},      {0x0294, 0},      {0x8290, 0}};
  for (auto [raw, accepted] : kCases) {
    SCOPED_TRACE(::testing::Message() << "address 0x" << std::hex << raw);
    Reset();
    sim::AddWinbondFamilyConfig(*machine, 0x2E, {0xC5, 0x62, 0x0B, raw, 0});
    auto board = Detect();
    if (accepted == 0) {
      EXPECT_TRUE(IsGeneral(*board));
    } else {
      ASSERT_FALSE(IsGeneral(*board));
      EXPECT_EQ(board->address, accepted);
    }
  }
}

TEST_F(BoardDetection, RejectsAnAddressThatChangesAcrossTheWait) {
  auto config = sim::AddWinbondFamilyConfig(*machine, 0x2E, {0xC5, 0x62, 0x0B, 0x0290, 0});
  onWait = [&] { config->SetLdnWord(0x0B, 0x60, 0x02A0); };
  EXPECT_TRUE(IsGeneral(*Detect()));
  EXPECT_EQ(waits.size(), 1u);
  EXPECT_FALSE(config->InConfigMode());
}

TEST_F(BoardDetection, RejectsAnAddressWhoseBytesAreStillSettling) {
  auto config = sim::AddWinbondFamilyConfig(*machine, 0x2E, {0xC5, 0x62, 0x0B, 0x0290, 0});
  config->SetLdnReadSequence(0x0B, 0x61, {0x95, 0x90});
  EXPECT_TRUE(IsGeneral(*Detect()));
}

TEST_F(BoardDetection, AcceptsFintekChipsOnlyWithTheFintekVendor) {
  sim::AddWinbondFamilyConfig(*machine, 0x2E, {0x05, 0x41, 0x04, 0x0290, 0x1935});
  EXPECT_TRUE(IsGeneral(*Detect()));

  Reset();
  // The vendor word means nothing for the other families.
  sim::AddWinbondFamilyConfig(*machine, 0x2E, {0xA0, 0x20, 0x0B, 0x0290, 0x1935});
  EXPECT_EQ(Detect()->Chip, 0xA020);
}

TEST_F(BoardDetection, UnlocksTheNCT6791MonitorOnlyWhenLockedAndTheAddressIsStable) {
  struct Case {
    uint8_t id, revision, lockRegister;
    bool stable;
    std::vector<uint8_t> expectedWrites;
  };
  const Case kCases[] = {
      {0xC8, 0x03, 0x13, true, {0x03}},
      {0xC8, 0x03, 0x03, true, {}},
      {0xC8, 0x03, 0x13, false, {}},
      {0xC5, 0x62, 0x13, true, {}},  // other chips are never unlocked
  };
  for (const Case& c : kCases) {
    Reset();
    auto config = sim::AddWinbondFamilyConfig(*machine, 0x2E, {c.id, c.revision, 0x0B, 0x0290, 0});
    config->SetGlobal(0x28, c.lockRegister);
    if (!c.stable) config->SetLdnReadSequence(0x0B, 0x60, {0x02, 0x03});
    Detect();
    std::vector<uint8_t> writes;
    for (const auto& write : config->Writes()) {
      if (write.reg == 0x28) writes.push_back(write.value);
    }
    EXPECT_EQ(writes, c.expectedWrites) << std::hex << int(c.id) << " lock 0x" << int(c.lockRegister);
  }
}

TEST_F(BoardDetection, PrefersThePrimaryPortPair) {
  sim::AddWinbondFamilyConfig(*machine, 0x2E, {0xA0, 0x20, 0x0B, 0x0290, 0});
  sim::AddWinbondFamilyConfig(*machine, 0x4E, {0xC5, 0x62, 0x0B, 0x0A00, 0});
  EXPECT_EQ(Detect()->Chip, 0xA020);
}

TEST_F(BoardDetection, FallsBackToTheSecondPairWhenThePrimaryChipIsRejected) {
  sim::AddWinbondFamilyConfig(*machine, 0x2E, {0xA0, 0x20, 0x0B, 0x0090, 0});
  sim::AddWinbondFamilyConfig(*machine, 0x4E, {0xC5, 0x62, 0x0B, 0x0A00, 0});
  auto board = Detect();
  EXPECT_EQ(board->Chip, 0xC560);
  EXPECT_EQ(board->address, 0x0A00);
}

const uint16_t kIteChips[] = {0x8620, 0x8628, 0x8705, 0x8712, 0x8716, 0x8718,
                              0x8720, 0x8721, 0x8726, 0x8728, 0x8771, 0x8772};

TEST_F(BoardDetection, FindsEveryIteChipOnThePrimaryPair) {
  for (uint16_t chip : kIteChips) {
    SCOPED_TRACE(::testing::Message() << "chip 0x" << std::hex << chip);
    Reset();
    auto config = sim::AddIteConfig(*machine, 0x2E, {chip, 0x53, 0x0290, 0x0800});
    auto monitor = std::make_shared<sim::SimIteMonitor>(0x0290);
    monitor->SetGenuine();
    machine->AddPortDevice(monitor);

    auto board = Detect();
    ASSERT_FALSE(IsGeneral(*board));
    ASSERT_EQ(KindOf(*board), Kind::Ite);
    auto& ite = static_cast<TMB_IT87XX&>(*board);
    EXPECT_EQ(ite.Chip, chip);
    EXPECT_EQ(ite.address, 0x0290);
    EXPECT_EQ(ite.revision, 3);  // low four bits of the version register
    EXPECT_EQ(ite.gpioAddress, 0x0800);
    EXPECT_EQ(ite.Voltages.size(), 9u);
    EXPECT_FALSE(config->InConfigMode());
    EXPECT_EQ(config->Entries(), 1);
    EXPECT_EQ(config->Exits(), 1);
    EXPECT_EQ(waits.size(), 2u);
  }
}

TEST_F(BoardDetection, RejectsIteChipsWithUnknownWordsOrUnusableAddresses) {
  struct Case {
    const char* what;
    SimIteChip chip;
    std::function<void(sim::SimSuperIoConfig&)> tweak;
  };
  const Case kCases[] = {
      {"unknown chip", {0x8701, 0, 0x0290, 0x0800}, nullptr},
      {"chip word of a Winbond-family part", {0x8280, 0, 0x0290, 0x0800}, nullptr},
      {"address below 0x100", {0x8720, 0, 0x00F0, 0x0800}, nullptr},
      {"address with low bits", {0x8720, 0, 0x0295, 0x0800}, nullptr},
      {"address with high bits", {0x8720, 0, 0x1290, 0x0800}, nullptr},
      {"gpio address below 0x100", {0x8720, 0, 0x0290, 0x0080}, nullptr},
      {"gpio address with high bits", {0x8720, 0, 0x0290, 0x4800}, nullptr},
      {"settling address",
       {0x8720, 0, 0x0290, 0x0800},
       [](sim::SimSuperIoConfig& c) {
         c.SetLdnReadSequence(0x04, 0x61, {0x98, 0x90});
       }},
      {"settling gpio address",
       {0x8720, 0, 0x0290, 0x0800},
       [](sim::SimSuperIoConfig& c) {
         c.SetLdnReadSequence(0x07, 0x62, {0x09, 0x08});
       }},
      {"IT8705F gpio only where the others keep it",
       {0x8705, 0, 0x0290, 0x0800},
       [](sim::SimSuperIoConfig& c) {
         c.SetLdnWord(0x05, 0x60, 0);
         c.SetLdnWord(0x07, 0x62, 0x0800);
       }},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    Reset();
    auto config = sim::AddIteConfig(*machine, 0x2E, c.chip);
    if (c.tweak) c.tweak(*config);
    EXPECT_TRUE(IsGeneral(*Detect()));
    EXPECT_FALSE(config->InConfigMode());
  }
}

TEST_F(BoardDetection, DoesNotProbeForIteChipsOnTheSecondPair) {
  sim::AddIteConfig(*machine, 0x4E, {0x8720, 0, 0x0290, 0x0800});
  EXPECT_TRUE(IsGeneral(*Detect()));
  // Only the Winbond-family entry and exit keys reached the second register port.
  for (uint8_t value : WritesToPort(0x4E)) {
    EXPECT_NE(value, 0x01);
    EXPECT_NE(value, 0x55);
  }
}

TEST_F(BoardDetection, TriesTheWinbondFamilyBeforeIteOnThePrimaryPair) {
  sim::AddIteConfig(*machine, 0x2E, {0x8720, 0, 0x0290, 0x0800});
  sim::AddWinbondFamilyConfig(*machine, 0x4E, {0xC5, 0x62, 0x0B, 0x0A00, 0});
  auto board = Detect();
  EXPECT_EQ(board->Chip, 0x8720);
  auto writes = WritesToPort(0x2E);
  ASSERT_GE(writes.size(), 6u);
  EXPECT_EQ(std::vector<uint8_t>(writes.begin(), writes.begin() + 2), (std::vector<uint8_t>{0x87, 0x87}));
  EXPECT_TRUE(WritesToPort(0x4E).empty());
}

TEST_F(BoardDetection, WithoutDriverGivesAnEmptyGeneralBoardWithoutWaiting) {
  TSuperIoEnvironment env{nullptr, test::NoWmi, [this](std::chrono::milliseconds w) { waits.push_back(w); },
                          nullptr};
  auto board = DetectMainBord(env);
  ASSERT_TRUE(IsGeneral(*board));
  EXPECT_EQ(board->Chip, 0);
  EXPECT_EQ(board->address, 0);
  EXPECT_TRUE(board->Voltages.empty() && board->Temperatures.empty() && board->Fans.empty() &&
              board->Controls.empty());
  EXPECT_FALSE(board->HasTempSensor());
  board->update();
  EXPECT_TRUE(waits.empty());
}

TEST_F(BoardDetection, AFailingDriverGivesAGeneralBoardWithoutWaiting) {
  sim::AddWinbondFamilyConfig(*machine, 0x2E, {0xC5, 0x62, 0x0B, 0x0290, 0});
  machine->SetFailing(true);
  EXPECT_TRUE(IsGeneral(*Detect()));
  EXPECT_TRUE(waits.empty());
}

TEST_F(BoardDetection, AnEmptyBusGivesAGeneralBoardWithoutWaiting) {
  EXPECT_TRUE(IsGeneral(*Detect()));
  EXPECT_TRUE(waits.empty());
}

}  // namespace
}  // namespace vsm

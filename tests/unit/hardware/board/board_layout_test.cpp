#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hardware/board/BoardLayout.h"

namespace vsm {
namespace {

using M = TBoardManufacturer;
using B = TBoardModel;
using Names = std::vector<std::string>;

// A board with the channel counts its chip class gives it; every value is set so that naming can
// be seen to leave values alone.
struct Board {
  TSenorArray Voltages, Temperatures, Fans, Controls;
  Board(size_t v, size_t t, size_t f, size_t c)
      : Voltages(v, TSensor{"", 1.5}), Temperatures(t, TSensor{"", 40}), Fans(f, TSensor{"", 900}),
        Controls(c, TSensor{"", 50}) {}
  TBoardSensors View(uint16_t chip, M mf, B model) {
    return {chip, mf, model, Voltages, Temperatures, Fans, Controls};
  }
};

Names NamesOf(const TSenorArray& sensors) {
  Names names;
  for (const TSensor& s : sensors) names.push_back(s.name);
  return names;
}

Names NumberedNames(const std::string& prefix, int count) {
  Names names;
  for (int i = 1; i <= count; ++i) names.push_back(prefix + std::to_string(i));
  return names;
}

struct LayoutCase {
  const char* what;
  uint16_t chip;
  M mf;
  B model;
  Names voltages, temperatures, fans, controls;  // the expected names; sizes are the chip's counts
};

const Names kIteVoltages = {"CPU VCore",  "Voltage #2", "Voltage #3", "Voltage #4", "Voltage #5",
                            "Voltage #6", "Voltage #7", "Voltage #8", "VBat"};
const Names kSecondIteVoltages = {"Voltage #1", "Voltage #2", "Voltage #3",    "Voltage #4", "Voltage #5",
                                  "Voltage #6", "Voltage #7", "Standby +3.3V", "VBat"};
const Names kNuvotonVoltages15 = {"CPU VCore",   "Voltage #2",  "AVCC",        "3VCC",        "Voltage #5",
                                  "Voltage #6",  "Voltage #7",  "3VSB",        "VBAT",        "VTT",
                                  "Voltage #11", "Voltage #12", "Voltage #13", "Voltage #14", "Voltage #15"};
const Names kWinbondFans = {"System Fan", "CPU Fan", "Auxiliary Fan", "CPU Fan #2", "Auxiliary Fan #2"};

const LayoutCase kCases[] = {
    {"Gigabyte P35-DS3 on an IT8712: voltages 4-6 and the fifth fan stay unnamed",
     0x8712,
     M::MB_Gigabyte,
     B::BM_P35_DS3,
     {"CPU VCore", "DRAM", "+3.3V", "+5V", "", "", "", "+12V", "VBat"},
     {"System", "CPU", ""},
     {"CPU Fan", "System Fan #1", "System Fan #2", "Power Fan", ""},
     {"", "", ""}},
    {"P55 Deluxe on a three-fan IT8705: names for fans 3 and 4 fall away",
     0x8705,
     M::MB_ASRock,
     B::BM_P55_Deluxe,
     {"CPU VCore", "", "+3.3V", "", "+12V", "+5V", "", "", "VBat"},
     {"CPU", "Motherboard", ""},
     {"CPU Fan", "Chassis Fan #1", "Chassis Fan #2"},
     {"", "", ""}},
    {"ASRock with another model: ITE pattern without control names",
     0x8720,
     M::MB_ASRock,
     B::BM_Unknown,
     kIteVoltages,
     NumberedNames("Temperature #", 3),
     NumberedNames("Fan #", 5),
     {"", "", ""}},
    {"a Gigabyte model on an ASUS board takes the ASUS fallback", 0x8716, M::MB_ASUS, B::BM_P35_DS3,
     kIteVoltages, NumberedNames("Temperature #", 3), NumberedNames("Fan #", 5),
     NumberedNames("Fan Control #", 3)},
    {"ASUS Crosshair III: only the battery, the CPU and numbered fans",
     0x8716,
     M::MB_ASUS,
     B::BM_Crosshair_III_Formula,
     {"", "", "", "", "", "", "", "", "VBat"},
     {"CPU", "", ""},
     NumberedNames("Fan #", 5),
     {"", "", ""}},
    {"DFI with another model",
     0x8718,
     M::MB_DFI,
     B::BM_Unknown,
     {"CPU VCore", "VTT", "+3.3V", "+5V", "+12V", "Voltage #6", "DRAM", "+5VSB", "VBat"},
     NumberedNames("Temperature #", 3),
     NumberedNames("Fan #", 5),
     NumberedNames("Fan Control #", 3)},
    {"Gigabyte GA-970A-UD3: fourth fan unnamed, PWM controls",
     0x8716,
     M::MB_Gigabyte,
     B::BM_GA_970A_UD3,
     {"CPU VCore", "DRAM", "+3.3V", "+5V", "+12V", "", "", "", "VBat"},
     {"System", "CPU", ""},
     {"CPU Fan", "System Fan #1", "System Fan #2", "", "Power Fan"},
     {"PWM 1", "PWM 2", "PWM 3"}},
    {"Gigabyte EX58-UD3R",
     0x8720,
     M::MB_Gigabyte,
     B::BM_EX58_UD3R,
     {"CPU VCore", "DRAM", "+3.3V", "+5V", "", "+12V", "", "", "VBat"},
     {"System", "", "CPU"},
     {"CPU Fan", "System Fan #2", "Power Fan", "System Fan #1", ""},
     {"", "", ""}},
    {"an ASRock model on a Gigabyte board takes the Gigabyte fallback",
     0x8718,
     M::MB_Gigabyte,
     B::BM_P55_Deluxe,
     {"CPU VCore", "DRAM", "+3.3V", "+5V", "Voltage #5", "Voltage #6", "Voltage #7", "Voltage #8", "VBat"},
     NumberedNames("Temperature #", 3),
     NumberedNames("Fan #", 5),
     NumberedNames("Fan Control #", 3)},
    {"an unlisted maker on an IT8726", 0x8726, M::MB_Unknown, B::BM_Unknown, kIteVoltages,
     NumberedNames("Temperature #", 3), NumberedNames("Fan #", 5), NumberedNames("Fan Control #", 3)},
    {"ECS with another model: second ITE pattern with analog 3.3 V",
     0x8721,
     M::MB_ECS,
     B::BM_Unknown,
     {"Voltage #1", "Voltage #2", "Voltage #3", "Analog +3.3V", "Voltage #5", "Voltage #6", "Voltage #7",
      "Standby +3.3V", "VBat"},
     NumberedNames("Temperature #", 3),
     NumberedNames("Fan #", 5),
     NumberedNames("Fan Control #", 3)},
    {"Gigabyte Z68X-UD7",
     0x8728,
     M::MB_Gigabyte,
     B::BM_Z68X_UD7_B3,
     {"VTT", "+3.3V", "+12V", "+5V", "", "CPU VCore", "DRAM", "Standby +3.3V", "VBat"},
     {"System", "CPU", "System 3"},
     {"CPU Fan", "Power Fan", "System Fan #1", "System Fan #2", "System Fan #3"},
     {"", "", ""}},
    {"Shuttle with another model", 0x8772, M::MB_Shuttle, B::BM_Unknown, kSecondIteVoltages,
     NumberedNames("Temperature #", 3), NumberedNames("Fan #", 5), NumberedNames("Fan Control #", 3)},
    {"Shuttle FH67",
     0x8771,
     M::MB_Shuttle,
     B::BM_FH67,
     {"CPU VCore", "DRAM", "PCH VCCIO", "CPU VCCIO", "Graphic Voltage", "", "", "Standby +3.3V", "VBat"},
     {"System", "CPU", ""},
     {"Fan #1", "CPU Fan", "", "", ""},
     {"", "", ""}},
    {"F71858: three named voltages",
     0x0507,
     M::MB_Unknown,
     B::BM_Unknown,
     {"VCC3V", "VSB3V", "Battery"},
     NumberedNames("Temperature #", 3),
     NumberedNames("Fan #", 4),
     {}},
    {"F71889 on an unlisted board: seventh voltage named",
     0x0723,
     M::MB_Unknown,
     B::BM_Unknown,
     {"VCC3V", "CPU VCore", "Voltage #3", "Voltage #4", "Voltage #5", "Voltage #6", "Voltage #7", "VSB3V",
      "VBat"},
     NumberedNames("Temperature #", 3),
     NumberedNames("Fan #", 3),
     {}},
    {"chip 0x0901 leaves the seventh voltage unnamed",
     0x0901,
     M::MB_Gigabyte,
     B::BM_Unknown,
     {"VCC3V", "CPU VCore", "Voltage #3", "Voltage #4", "Voltage #5", "Voltage #6", "", "VSB3V", "VBat"},
     NumberedNames("Temperature #", 2),
     NumberedNames("Fan #", 3),
     {}},
    {"chip 0x0901 on an EVGA board names it",
     0x0901,
     M::MB_EVGA,
     B::BM_Unknown,
     {"VCC3V", "CPU VCore", "Voltage #3", "Voltage #4", "Voltage #5", "Voltage #6", "Voltage #7", "VSB3V",
      "VBat"},
     NumberedNames("Temperature #", 2),
     NumberedNames("Fan #", 3),
     {}},
    {"EVGA X58 SLI Classified with a four-fan chip",
     0x0541,
     M::MB_EVGA,
     B::BM_X58_SLI_Classified,
     {"VCC3V", "CPU VCore", "DIMM", "CPU VTT", "IOH Vcore", "+5V", "+12V", "3VSB", "VBat"},
     {"CPU", "VREG", "System"},
     {"CPU Fan", "Power Fan", "Chassis Fan", ""},
     {}},
    {"W83627HF, any board",
     0x5200,
     M::MB_ASUS,
     B::BM_P6T,
     {"CPU VCore", "Voltage #2", "Voltage #3", "AVCC", "Voltage #5", "5VSB", "VBAT"},
     {"CPU", "Auxiliary", "System"},
     {"System Fan", "CPU Fan", "Auxiliary Fan"},
     {}},
    {"W83627EHF on the ASRock AOD790GX",
     0x8800,
     M::MB_ASRock,
     B::BM_AOD790GX_128M,
     {"CPU VCore", "", "Analog +3.3V", "", "+3.3V", "+5V", "+12V", "Standby +3.3V", "VBAT", ""},
     {"CPU", "", "Motherboard"},
     {"CPU Fan", "Chassis Fan", "", "", ""},
     {}},
    {"W83627EHF elsewhere: the Winbond pattern",
     0x8800,
     M::MB_Unknown,
     B::BM_Unknown,
     {"CPU VCore", "Voltage #2", "AVCC", "3VCC", "Voltage #5", "Voltage #6", "Voltage #7", "3VSB", "VBAT",
      "Voltage #10"},
     {"CPU", "Auxiliary", "System"},
     kWinbondFans,
     {}},
    {"W83667HG on the ASUS P6T",
     0xA510,
     M::MB_ASUS,
     B::BM_P6T,
     {"CPU VCore", "+12V", "Analog +3.3V", "+3.3V", "+5V", "", "", "Standby +3.3V", "VBAT"},
     {"CPU", "", "Motherboard"},
     {"Chassis Fan #1", "CPU Fan", "Power Fan", "Chassis Fan #2", "Chassis Fan #3"},
     {}},
    {"W83627DHG: the Winbond pattern, the tenth name falls away",
     0xA020,
     M::MB_Gigabyte,
     B::BM_P6T,
     {"CPU VCore", "Voltage #2", "AVCC", "3VCC", "Voltage #5", "Voltage #6", "Voltage #7", "3VSB", "VBAT"},
     {"CPU", "Auxiliary", "System"},
     kWinbondFans,
     {}},
    {"NCT6771F on the ASUS P8P67 PRO",
     0xB470,
     M::MB_ASUS,
     B::BM_P8P67_PRO,
     {"CPU VCore", "+12V", "Analog +3.3V", "+3.3V", "+5V", "", "", "Standby +3.3V", "VBAT"},
     {"CPU", "", "Auxiliary", "Motherboard"},
     {"Chassis Fan #1", "CPU Fan", "Power Fan", "Chassis Fan #2"},
     {"Chassis Fan #2", "CPU Fan", "Chassis Fan #1"}},
    {"NCT6776F on the ASUS P8P67-M PRO",
     0xC330,
     M::MB_ASUS,
     B::BM_P8P67_M_PRO,
     {"CPU VCore", "+12V", "Analog +3.3V", "+3.3V", "+5V", "Voltage #6", "Voltage #7", "Standby +3.3V",
      "VBAT"},
     {"CPU", "", "", "Motherboard"},
     {"Chassis Fan #1", "CPU Fan", "Chassis Fan #2", "Power Fan", "Auxiliary Fan"},
     {"", "", ""}},
    {"NCT6776F on the ASUS P8Z68-V PRO: controls named like fans",
     0xC330,
     M::MB_ASUS,
     B::BM_P8Z68_V_PRO,
     {"CPU VCore", "+12V", "Analog +3.3V", "+3.3V", "+5V", "", "", "Standby +3.3V", "VBAT"},
     {"CPU", "", "Auxiliary", "Motherboard"},
     NumberedNames("Fan #", 5),
     NumberedNames("Fan #", 3)},
    {"NCT6776F elsewhere: Nuvoton pattern",
     0xC330,
     M::MB_Unknown,
     B::BM_Unknown,
     {"CPU VCore", "Voltage #2", "AVCC", "3VCC", "Voltage #5", "Voltage #6", "Voltage #7", "3VSB", "VBAT"},
     {"CPU Core", "Temperature #1", "Temperature #2", "Temperature #3"},
     NumberedNames("Fan #", 5),
     NumberedNames("Fan Control #", 3)},
    {"NCT6779D on the ASUS P8Z77-V",
     0xC560,
     M::MB_ASUS,
     B::BM_P8Z77_V,
     kNuvotonVoltages15,
     {"CPU Core", "Auxiliary", "Motherboard", "", "", "", ""},
     {"Chassis Fan #1", "CPU Fan", "Chassis Fan #2", "Chassis Fan #3", ""},
     {"Chassis Fan #1", "CPU  Fan", "Chassis Fan #2", "Chassis Fan #3", ""}},
    {"NCT6779D elsewhere",
     0xC560,
     M::MB_ASRock,
     B::BM_P8Z77_V,
     kNuvotonVoltages15,
     {"CPU Core", "Temperature #1", "Temperature #2", "Temperature #3", "Temperature #4", "Temperature #5",
      "Temperature #6"},
     NumberedNames("Fan #", 5),
     NumberedNames("Fan Control #", 5)},
    {"NCT6791D on any board: numbered only", 0xC803, M::MB_ASUS, B::BM_P8Z77_V,
     NumberedNames("Voltage #", 15), NumberedNames("Temperature #", 7), NumberedNames("Fan #", 6),
     NumberedNames("Fan Control #", 6)},
    {"IT8620E: numbered only", 0x8620, M::MB_Gigabyte, B::BM_P35_DS3, NumberedNames("Voltage #", 9),
     NumberedNames("Temperature #", 3), NumberedNames("Fan #", 5), NumberedNames("Fan Control #", 3)},
};

class BoardLayoutTable : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(BoardLayoutTable, NamesChannelsAndKeepsValuesAndCounts) {
  const LayoutCase& c = GetParam();
  SCOPED_TRACE(c.what);
  Board board(c.voltages.size(), c.temperatures.size(), c.fans.size(), c.controls.size());
  NameSensors(board.View(c.chip, c.mf, c.model));
  EXPECT_EQ(NamesOf(board.Voltages), c.voltages);
  EXPECT_EQ(NamesOf(board.Temperatures), c.temperatures);
  EXPECT_EQ(NamesOf(board.Fans), c.fans);
  EXPECT_EQ(NamesOf(board.Controls), c.controls);
  for (const TSensor& s : board.Voltages) EXPECT_EQ(s.value, 1.5);
  for (const TSensor& s : board.Temperatures) EXPECT_EQ(s.value, 40);
  for (const TSensor& s : board.Fans) EXPECT_EQ(s.value, 900);
  for (const TSensor& s : board.Controls) EXPECT_EQ(s.value, 50);
}

INSTANTIATE_TEST_SUITE_P(Boards, BoardLayoutTable, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<LayoutCase>& info) {
                           return "Case" + std::to_string(info.index);
                         });

TEST(BoardLayout, NamingOneChannelIgnoresIndexesOutsideTheArray) {
  TSenorArray sensors(2);
  NameSensor(sensors, -1, "below");
  NameSensor(sensors, 2, "above");
  NameSensor(sensors, 1, "inside");
  EXPECT_EQ(NamesOf(sensors), (Names{"", "inside"}));
}

TEST(BoardLayout, ABoardWithoutChannelsStaysEmpty) {
  Board board(0, 0, 0, 0);
  NameSensors(board.View(0, M::MB_Unknown, B::BM_Unknown));
  NameSensors(board.View(0x8712, M::MB_Gigabyte, B::BM_P35_DS3));
  EXPECT_TRUE(board.Voltages.empty());
  EXPECT_TRUE(board.Temperatures.empty());
  EXPECT_TRUE(board.Fans.empty());
  EXPECT_TRUE(board.Controls.empty());
}

}  // namespace
}  // namespace vsm

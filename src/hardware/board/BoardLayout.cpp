#include "hardware/board/BoardLayout.h"

#include <initializer_list>
#include <string>

#include "hardware/superio/SuperIoChips.h"

namespace vsm {
namespace {

using M = TBoardManufacturer;
using B = TBoardModel;

struct Named {
  int index;
  const char* name;
};

// Names channels 0, 1, 2, ... in order.
void List(TSenorArray& sensors, std::initializer_list<const char*> names) {
  int index = 0;
  for (const char* name : names) NameSensor(sensors, index++, name);
}

// Names the listed channels only.
void At(TSenorArray& sensors, std::initializer_list<Named> names) {
  for (const Named& entry : names) NameSensor(sensors, entry.index, entry.name);
}

// Every channel: prefix followed by its 1-based position.
void Numbered(TSenorArray& sensors, std::string_view prefix) {
  for (size_t i = 0; i < sensors.size(); ++i) {
    sensors[i].name = std::string(prefix) + std::to_string(i + 1);
  }
}
void NumberTemperatures(const TBoardSensors& b) { Numbered(b.Temperatures, "Temperature #"); }
void NumberFans(const TBoardSensors& b) { Numbered(b.Fans, "Fan #"); }
void NumberControls(const TBoardSensors& b) { Numbered(b.Controls, "Fan Control #"); }
void NumberTemperaturesFansControls(const TBoardSensors& b) {
  NumberTemperatures(b);
  NumberFans(b);
  NumberControls(b);
}

bool IsOneOf(B model, std::initializer_list<B> models) {
  for (B candidate : models) {
    if (candidate == model) return true;
  }
  return false;
}

// ---- Fintek (groups 1 and 2) ----

void NameF71858(const TBoardSensors& b) {
  List(b.Voltages, {"VCC3V", "VSB3V", "Battery"});
  NumberTemperatures(b);
  NumberFans(b);
}

void NameFintek(const TBoardSensors& b) {
  if (b.mf == M::MB_EVGA && b.model == B::BM_X58_SLI_Classified) {
    List(b.Voltages, {"VCC3V", "CPU VCore", "DIMM", "CPU VTT", "IOH Vcore", "+5V", "+12V", "3VSB", "VBat"});
    List(b.Temperatures, {"CPU", "VREG", "System"});
    List(b.Fans, {"CPU Fan", "Power Fan", "Chassis Fan"});
    return;
  }
  At(b.Voltages, {{0, "VCC3V"},
                  {1, "CPU VCore"},
                  {2, "Voltage #3"},
                  {3, "Voltage #4"},
                  {4, "Voltage #5"},
                  {5, "Voltage #6"},
                  {7, "VSB3V"},
                  {8, "VBat"}});
  // The F71808E has no seventh voltage input except as wired on EVGA boards.
  if (b.Chip != F71808E || b.mf == M::MB_EVGA) NameSensor(b.Voltages, 6, "Voltage #7");
  NumberTemperatures(b);
  NumberFans(b);
}

// ---- Winbond (groups 3 to 5) ----

void NameW83627(const TBoardSensors& b) {
  List(b.Voltages, {"CPU VCore", "Voltage #2", "Voltage #3", "AVCC", "Voltage #5", "5VSB", "VBAT"});
  List(b.Temperatures, {"CPU", "Auxiliary", "System"});
  List(b.Fans, {"System Fan", "CPU Fan", "Auxiliary Fan"});
}

void WinbondPattern(const TBoardSensors& b) {
  List(b.Voltages, {"CPU VCore", "Voltage #2", "AVCC", "3VCC", "Voltage #5", "Voltage #6", "Voltage #7",
                    "3VSB", "VBAT", "Voltage #10"});
  List(b.Temperatures, {"CPU", "Auxiliary", "System"});
  List(b.Fans, {"System Fan", "CPU Fan", "Auxiliary Fan", "CPU Fan #2", "Auxiliary Fan #2"});
}

void NameW83627EHF(const TBoardSensors& b) {
  if (b.mf == M::MB_ASRock && b.model == B::BM_AOD790GX_128M) {
    At(b.Voltages, {{0, "CPU VCore"},
                    {2, "Analog +3.3V"},
                    {4, "+3.3V"},
                    {5, "+5V"},
                    {6, "+12V"},
                    {7, "Standby +3.3V"},
                    {8, "VBAT"}});
    At(b.Temperatures, {{0, "CPU"}, {2, "Motherboard"}});
    List(b.Fans, {"CPU Fan", "Chassis Fan"});
    return;
  }
  WinbondPattern(b);
}

// The ASUS wiring shared by Winbond and Nuvoton boards.
void AsusVoltages(const TBoardSensors& b) {
  At(b.Voltages, {{0, "CPU VCore"},
                  {1, "+12V"},
                  {2, "Analog +3.3V"},
                  {3, "+3.3V"},
                  {4, "+5V"},
                  {7, "Standby +3.3V"},
                  {8, "VBAT"}});
}

void NameW83667(const TBoardSensors& b) {
  if (b.mf == M::MB_ASRock && b.model == B::BM__880GMH_USB3) {
    At(b.Voltages,
       {{0, "CPU VCore"}, {3, "+3.3V"}, {5, "+5V"}, {6, "+12V"}, {7, "Standby +3.3V"}, {8, "VBAT"}});
    At(b.Temperatures, {{0, "CPU"}, {2, "Motherboard"}});
    List(b.Fans, {"Chassis Fan", "CPU Fan", "Power Fan"});
    return;
  }
  if (b.mf == M::MB_ASUS &&
      IsOneOf(b.model, {B::BM_P6T, B::BM_P6X58D_E, B::BM_Rampage_Extreme, B::BM_Rampage_II_GENE})) {
    AsusVoltages(b);
    At(b.Temperatures, {{0, "CPU"}, {2, "Motherboard"}});
    List(b.Fans, {"Chassis Fan #1", "CPU Fan", "Power Fan", "Chassis Fan #2", "Chassis Fan #3"});
    return;
  }
  WinbondPattern(b);
}

// ---- ITE (groups 6 and 7) ----

void IteVoltages(const TBoardSensors& b) {
  List(b.Voltages, {"CPU VCore", "Voltage #2", "Voltage #3", "Voltage #4", "Voltage #5", "Voltage #6",
                    "Voltage #7", "Voltage #8", "VBat"});
}
void ItePattern(const TBoardSensors& b) {
  IteVoltages(b);
  NumberTemperaturesFansControls(b);
}

void SecondItePattern(const TBoardSensors& b) {
  List(b.Voltages, {"Voltage #1", "Voltage #2", "Voltage #3", "Voltage #4", "Voltage #5", "Voltage #6",
                    "Voltage #7", "Standby +3.3V", "VBat"});
  NumberTemperaturesFansControls(b);
}

void NameIteAsRock(const TBoardSensors& b) {
  if (b.model == B::BM_P55_Deluxe) {
    At(b.Voltages, {{0, "CPU VCore"}, {2, "+3.3V"}, {4, "+12V"}, {5, "+5V"}, {8, "VBat"}});
    List(b.Temperatures, {"CPU", "Motherboard"});
    List(b.Fans, {"CPU Fan", "Chassis Fan #1", "Chassis Fan #2", "Chassis Fan #3", "Power Fan"});
    return;
  }
  IteVoltages(b);
  NumberTemperatures(b);
  NumberFans(b);
}

void NameIteAsus(const TBoardSensors& b) {
  switch (b.model) {
    case B::BM_Crosshair_III_Formula:
      At(b.Voltages, {{8, "VBat"}});
      At(b.Temperatures, {{0, "CPU"}});
      NumberFans(b);
      return;
    case B::BM_M2N_SLI_DELUXE:
      At(b.Voltages, {{0, "CPU VCore"}, {1, "+3.3V"}, {3, "+5V"}, {4, "+12V"}, {7, "+5VSB"}, {8, "VBat"}});
      List(b.Temperatures, {"CPU", "Motherboard"});
      List(b.Fans, {"CPU Fan", "Chassis Fan #1", "Power Fan"});
      return;
    case B::BM_M4A79XTD_EVO:
      At(b.Voltages, {{3, "+5V"}, {6, "VBat"}});
      List(b.Temperatures, {"CPU", "Motherboard"});
      List(b.Fans, {"CPU Fan", "Chassis Fan #1", "Chassis Fan #2"});
      return;
    default: ItePattern(b);
  }
}

void NameIteDfi(const TBoardSensors& b) {
  switch (b.model) {
    case B::BM_LP_BI_P45_T2RS_Elite:
      List(b.Voltages, {"CPU VCore", "FSB VTT", "+3.3V", "+5V", "+12V", "NB Core", "VDIMM", "+5VSB", "VBat"});
      List(b.Temperatures, {"CPU", "System", "Chipset"});
      List(b.Fans, {"Fan #1", "Fan #2", "Fan #3"});
      return;
    case B::BM_LP_DK_P55_T3eH9:
      List(b.Voltages, {"CPU VCore", "VTT", "+3.3V", "+5V", "+12V", "CPU PLL", "DRAM", "+5VSB", "VBat"});
      List(b.Temperatures, {"Chipset", "CPU PWM", "CPU"});
      List(b.Fans, {"Fan #1", "Fan #2", "Fan #3"});
      return;
    default:
      List(b.Voltages, {"CPU VCore", "VTT", "+3.3V", "+5V", "+12V", "Voltage #6", "DRAM", "+5VSB", "VBat"});
      NumberTemperaturesFansControls(b);
  }
}

// Voltage wirings that several Gigabyte ITE boards share; named after the first board using them.
void Gigabyte965PVoltages(const TBoardSensors& b) {
  At(b.Voltages, {{0, "CPU VCore"}, {1, "DRAM"}, {2, "+3.3V"}, {3, "+5V"}, {7, "+12V"}, {8, "VBat"}});
}
void GigabyteEX58Voltages(const TBoardSensors& b) {
  At(b.Voltages, {{0, "CPU VCore"}, {1, "DRAM"}, {2, "+3.3V"}, {3, "+5V"}, {5, "+12V"}, {8, "VBat"}});
}
void Gigabyte970AVoltages(const TBoardSensors& b) {
  At(b.Voltages, {{0, "CPU VCore"}, {1, "DRAM"}, {2, "+3.3V"}, {3, "+5V"}, {4, "+12V"}, {8, "VBat"}});
}
void GigabyteP67Voltages(const TBoardSensors& b) {
  At(b.Voltages, {{0, "VTT"},
                  {1, "+3.3V"},
                  {2, "+12V"},
                  {3, "+5V"},
                  {5, "CPU VCore"},
                  {6, "DRAM"},
                  {7, "Standby +3.3V"},
                  {8, "VBat"}});
}
// The most common Gigabyte fan header order.
void GigabyteFans(const TBoardSensors& b) {
  List(b.Fans, {"CPU Fan", "System Fan #2", "Power Fan", "System Fan #1"});
}

void NameIteGigabyte(const TBoardSensors& b) {
  B m = b.model;
  if (m == B::BM__965P_S3) {
    Gigabyte965PVoltages(b);
    List(b.Temperatures, {"System", "CPU"});
    List(b.Fans, {"CPU Fan", "System Fan"});
  } else if (IsOneOf(m, {B::BM_EP45_DS3R, B::BM_EP45_UD3R, B::BM_X38_DS5})) {
    Gigabyte965PVoltages(b);
    List(b.Temperatures, {"System", "CPU"});
    GigabyteFans(b);
  } else if (m == B::BM_EX58_EXTREME) {
    At(b.Voltages, {{0, "CPU VCore"}, {1, "DRAM"}, {3, "+5V"}, {8, "VBat"}});
    List(b.Temperatures, {"System", "CPU", "Northbridge"});
    GigabyteFans(b);
  } else if (IsOneOf(m, {B::BM_EX58_UD3R, B::BM_H55_USB3, B::BM_P55_UD4, B::BM_P55A_UD3, B::BM_P55M_UD4})) {
    GigabyteEX58Voltages(b);
    At(b.Temperatures, {{0, "System"}, {2, "CPU"}});
    GigabyteFans(b);
  } else if (IsOneOf(m, {B::BM_G41M_Combo, B::BM_G41MT_S2, B::BM_G41MT_S2P})) {
    Gigabyte965PVoltages(b);
    At(b.Temperatures, {{2, "CPU"}});
    List(b.Fans, {"CPU Fan", "System Fan"});
  } else if (m == B::BM_GA_970A_UD3) {
    Gigabyte970AVoltages(b);
    List(b.Temperatures, {"System", "CPU"});
    At(b.Fans, {{0, "CPU Fan"}, {1, "System Fan #1"}, {2, "System Fan #2"}, {4, "Power Fan"}});
    List(b.Controls, {"PWM 1", "PWM 2", "PWM 3"});
  } else if (IsOneOf(m, {B::BM_GA_MA770T_UD3, B::BM_GA_MA770T_UD3P, B::BM_GA_MA790X_UD3P})) {
    Gigabyte970AVoltages(b);
    List(b.Temperatures, {"System", "CPU"});
    List(b.Fans, {"CPU Fan", "System Fan #1", "System Fan #2", "Power Fan"});
  } else if (IsOneOf(m, {B::BM_GA_MA785GM_US2H, B::BM_GA_MA785GMT_UD2H})) {
    Gigabyte970AVoltages(b);
    List(b.Temperatures, {"System", "CPU"});
    List(b.Fans, {"CPU Fan", "System Fan", "NB Fan"});
  } else if (m == B::BM_GA_MA78LM_S2H) {
    Gigabyte970AVoltages(b);
    List(b.Temperatures, {"System", "CPU", "VRM"});
    List(b.Fans, {"CPU Fan", "System Fan #1", "System Fan #2", "Power Fan"});
  } else if (m == B::BM_H55N_USB3) {
    GigabyteEX58Voltages(b);
    At(b.Temperatures, {{0, "System"}, {2, "CPU"}});
    List(b.Fans, {"CPU Fan", "System Fan"});
  } else if (IsOneOf(m, {B::BM_P35_DS3, B::BM_P35_DS3L})) {
    Gigabyte965PVoltages(b);
    List(b.Temperatures, {"System", "CPU"});
    List(b.Fans, {"CPU Fan", "System Fan #1", "System Fan #2", "Power Fan"});
  } else if (m == B::BM_X58A_UD3R) {
    GigabyteEX58Voltages(b);
    List(b.Temperatures, {"System", "CPU", "Northbridge"});
    GigabyteFans(b);
  } else {
    List(b.Voltages, {"CPU VCore", "DRAM", "+3.3V", "+5V", "Voltage #5", "Voltage #6", "Voltage #7",
                      "Voltage #8", "VBat"});
    NumberTemperaturesFansControls(b);
  }
}

void NameIT87(const TBoardSensors& b) {
  switch (b.mf) {
    case M::MB_ASRock: NameIteAsRock(b); return;
    case M::MB_ASUS: NameIteAsus(b); return;
    case M::MB_DFI: NameIteDfi(b); return;
    case M::MB_Gigabyte: NameIteGigabyte(b); return;
    default: ItePattern(b);
  }
}

void NameIteEcs(const TBoardSensors& b) {
  if (b.model == B::BM_A890GXM_A) {
    At(b.Voltages, {{0, "CPU VCore"},
                    {1, "VDIMM"},
                    {2, "NB Voltage"},
                    {3, "Analog +3.3V"},
                    {7, "Standby +3.3V"},
                    {8, "VBat"}});
    List(b.Temperatures, {"CPU", "System", "Northbridge"});
    List(b.Fans, {"CPU Fan", "System Fan", "Power Fan"});
    return;
  }
  SecondItePattern(b);
  NameSensor(b.Voltages, 3, "Analog +3.3V");
}

void NameIteGigabyteLater(const TBoardSensors& b) {
  B m = b.model;
  if (IsOneOf(m, {B::BM_H61M_DS2_REV_1_2, B::BM_H61M_USB3_B3_REV_2_0})) {
    At(b.Voltages,
       {{0, "VTT"}, {2, "+12V"}, {5, "CPU VCore"}, {6, "DRAM"}, {7, "Standby +3.3V"}, {8, "VBat"}});
    At(b.Temperatures, {{0, "System"}, {2, "CPU"}});
    List(b.Fans, {"CPU Fan", "System Fan"});
  } else if (IsOneOf(m, {B::BM_H67A_UD3H_B3, B::BM_H67A_USB3_B3})) {
    At(b.Voltages, {{0, "VTT"},
                    {1, "+5V"},
                    {2, "+12V"},
                    {5, "CPU VCore"},
                    {6, "DRAM"},
                    {7, "Standby +3.3V"},
                    {8, "VBat"}});
    At(b.Temperatures, {{0, "System"}, {2, "CPU"}});
    List(b.Fans, {"CPU Fan", "System Fan #1", "Power Fan", "System Fan #2"});
  } else if (IsOneOf(m, {B::BM_P67A_UD3_B3, B::BM_P67A_UD3R_B3, B::BM_P67A_UD4_B3, B::BM_Z68AP_D3,
                         B::BM_Z68X_UD3H_B3})) {
    GigabyteP67Voltages(b);
    At(b.Temperatures, {{0, "System"}, {2, "CPU"}});
    GigabyteFans(b);
  } else if (m == B::BM_Z68A_D3H_B3) {
    GigabyteP67Voltages(b);
    At(b.Temperatures, {{0, "System"}, {2, "CPU"}});
    List(b.Fans, {"CPU Fan", "System Fan #1", "Power Fan", "System Fan #2"});
  } else if (m == B::BM_Z68X_UD7_B3) {
    GigabyteP67Voltages(b);
    List(b.Temperatures, {"System", "CPU", "System 3"});
    List(b.Fans, {"CPU Fan", "Power Fan", "System Fan #1", "System Fan #2", "System Fan #3"});
  } else {
    SecondItePattern(b);
  }
}

void NameIT8721(const TBoardSensors& b) {
  switch (b.mf) {
    case M::MB_ECS: NameIteEcs(b); return;
    case M::MB_Gigabyte: NameIteGigabyteLater(b); return;
    case M::MB_Shuttle:
      if (b.model == B::BM_FH67) {
        At(b.Voltages, {{0, "CPU VCore"},
                        {1, "DRAM"},
                        {2, "PCH VCCIO"},
                        {3, "CPU VCCIO"},
                        {4, "Graphic Voltage"},
                        {7, "Standby +3.3V"},
                        {8, "VBat"}});
        List(b.Temperatures, {"System", "CPU"});
        List(b.Fans, {"Fan #1", "CPU Fan"});
        return;
      }
      SecondItePattern(b);
      return;
    default: SecondItePattern(b);
  }
}

// ---- Nuvoton (groups 8 and 9) ----

void NuvotonVoltages(const TBoardSensors& b) {
  List(b.Voltages,
       {"CPU VCore", "Voltage #2", "AVCC", "3VCC", "Voltage #5", "Voltage #6", "Voltage #7", "3VSB", "VBAT"});
}

void NameNCT6771(const TBoardSensors& b) {
  if (b.mf == M::MB_ASUS) {
    switch (b.model) {
      case B::BM_P8P67:
      case B::BM_P8P67_EVO:
      case B::BM_P8P67_PRO:
        AsusVoltages(b);
        At(b.Temperatures, {{0, "CPU"}, {2, "Auxiliary"}, {3, "Motherboard"}});
        List(b.Fans, {"Chassis Fan #1", "CPU Fan", "Power Fan", "Chassis Fan #2"});
        List(b.Controls, {"Chassis Fan #2", "CPU Fan", "Chassis Fan #1"});
        return;
      case B::BM_P8P67_M_PRO:
        AsusVoltages(b);
        At(b.Voltages, {{5, "Voltage #6"}, {6, "Voltage #7"}});
        At(b.Temperatures, {{0, "CPU"}, {3, "Motherboard"}});
        List(b.Fans, {"Chassis Fan #1", "CPU Fan", "Chassis Fan #2", "Power Fan", "Auxiliary Fan"});
        return;
      case B::BM_P9X79:
        AsusVoltages(b);
        At(b.Temperatures, {{0, "CPU"}, {3, "Motherboard"}});
        NumberFans(b);
        NumberControls(b);
        return;
      case B::BM_P8Z68_V_PRO:
        AsusVoltages(b);
        At(b.Temperatures, {{0, "CPU"}, {2, "Auxiliary"}, {3, "Motherboard"}});
        NumberFans(b);
        Numbered(b.Controls, "Fan #");
        return;
      default: break;
    }
  }
  NuvotonVoltages(b);
  List(b.Temperatures, {"CPU Core", "Temperature #1", "Temperature #2", "Temperature #3"});
  NumberFans(b);
  NumberControls(b);
}

void NameNCT6779(const TBoardSensors& b) {
  NuvotonVoltages(b);
  At(b.Voltages, {{9, "VTT"},
                  {10, "Voltage #11"},
                  {11, "Voltage #12"},
                  {12, "Voltage #13"},
                  {13, "Voltage #14"},
                  {14, "Voltage #15"}});
  if (b.mf == M::MB_ASUS && b.model == B::BM_P8Z77_V) {
    List(b.Temperatures, {"CPU Core", "Auxiliary", "Motherboard"});
    List(b.Fans, {"Chassis Fan #1", "CPU Fan", "Chassis Fan #2", "Chassis Fan #3"});
    // The second label carries two blanks, as the board's own software shows it.
    List(b.Controls, {"Chassis Fan #1", "CPU  Fan", "Chassis Fan #2", "Chassis Fan #3"});
    return;
  }
  List(b.Temperatures, {"CPU Core", "Temperature #1", "Temperature #2", "Temperature #3", "Temperature #4",
                        "Temperature #5", "Temperature #6"});
  NumberFans(b);
  NumberControls(b);
}

void NameNumbered(const TBoardSensors& b) {
  Numbered(b.Voltages, "Voltage #");
  NumberTemperaturesFansControls(b);
}

}  // namespace

void NameSensor(TSenorArray& sensors, int index, std::string_view name) {
  if (index < 0 || static_cast<size_t>(index) >= sensors.size()) return;
  sensors[static_cast<size_t>(index)].name = std::string(name);
}

void NameSensors(const TBoardSensors& board) {
  switch (board.Chip) {
    case F71858: NameF71858(board); return;
    case F71882:
    case F71862:
    case F71889F:
    case F71869:
    case F71808E:
    case F71889ED:
    case F71889AD:
    case F71869A: NameFintek(board); return;
    case W83627HF:
    case W83627THF:
    case W83687THF: NameW83627(board); return;
    case W83627EHF: NameW83627EHF(board); return;
    case W83627DHG:
    case W83667HG:
    case W83627DHG_P:
    case W83667HG_B: NameW83667(board); return;
    case IT8705F:
    case IT8712F:
    case IT8716F:
    case IT8718F:
    case IT8720F:
    case IT8726F: NameIT87(board); return;
    case IT8721F:
    case IT8728F:
    case IT8771E:
    case IT8772E: NameIT8721(board); return;
    case NCT6771F:
    case NCT6776F: NameNCT6771(board); return;
    case NCT6779D: NameNCT6779(board); return;
    default: NameNumbered(board);
  }
}

}  // namespace vsm

#pragma once
// Marks in the high bits of an information row's tag, one for each kind of live row whose value a
// page's draw hook paints, so that a hook never takes another kind's row for one of its own. The
// low bits hold the row's channel or index.
namespace vsm {

enum TRowMark : int {
  kMarkVoltage = 0x1000,
  kMarkTemperature = 0x2000,
  kMarkFan = 0x3000,
  kMarkDiskTemperature = 0x4000,
  kMarkZone = 0x5000,
};
inline constexpr int kRowMarkMask = 0xF000;
inline constexpr int kRowIndexMask = 0x0FFF;

}  // namespace vsm

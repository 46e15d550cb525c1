#pragma once
// Recognising solid-state drive families by model prefix and SMART attributes, and where each
// family keeps its temperature.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "base/le_bytes.h"
#include "hardware/disk/SmartData.h"

namespace vsm {

enum class THddtypes {
  SSDPlextor,
  SSDIntel,
  SSDSandforce,
  SSDIndilinx,
  SDSamsung,
  SSDMicron,
  GenericHarddisk
};

struct THDTypeRequired {
  std::string_view PrefixName;    // empty: any model
  std::vector<uint8_t> SmartAtt;  // every one must be present
};

// One row per type before GenericHarddisk, in THddtypes order.
extern const std::array<THDTypeRequired, 6> kHDTypeRequired;

// The first row whose prefix starts the model (case-sensitive) and whose attributes all occur in
// the SMART block; GenericHarddisk for an empty model or when no row fits.
THddtypes ChooseDiskType(std::string_view model, ByteView smartBlock);

// The attribute that holds the temperature for a type, if it has one.
std::optional<uint8_t> TemperatureAttributeId(THddtypes type);

// Degrees Celsius from the temperature attribute: the current value for Sandforce drives, the
// first raw byte otherwise.
double TemperatureOf(THddtypes type, const TSmartAttribute& attribute);

}  // namespace vsm

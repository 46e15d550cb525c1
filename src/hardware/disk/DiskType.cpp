#include "hardware/disk/DiskType.h"

namespace vsm {

const std::array<THDTypeRequired, 6> kHDTypeRequired = {{
    {"PLEXTOR", {}},
    {"INTEL SSD", {0xE1, 0xE8, 0xE9}},
    {"", {0xAB, 0xB1}},
    {"", {0x01, 0x09, 0x0C, 0xD1, 0xCE, 0xCF}},
    {"", {0xB1, 0xB3, 0xB5, 0xB6, 0xB7, 0xBB, 0xC3, 0xC7}},
    {"", {0xAA, 0xAB, 0xAC, 0xAD, 0xAE, 0xCA}},
}};

namespace {

constexpr uint8_t kTemperatureCelsius = 0xC2;         // 194
constexpr uint8_t kAirflowTemperatureCelsius = 0xBE;  // 190

bool Fits(const THDTypeRequired& row, std::string_view model, ByteView smartBlock) {
  if (!row.PrefixName.empty() && !model.starts_with(row.PrefixName)) return false;
  for (uint8_t id : row.SmartAtt) {
    if (!FindSmartAttribute(smartBlock, id)) return false;
  }
  return true;
}

}  // namespace

THddtypes ChooseDiskType(std::string_view model, ByteView smartBlock) {
  if (model.empty()) return THddtypes::GenericHarddisk;
  for (size_t i = 0; i < kHDTypeRequired.size(); ++i) {
    if (Fits(kHDTypeRequired[i], model, smartBlock)) return static_cast<THddtypes>(i);
  }
  return THddtypes::GenericHarddisk;
}

std::optional<uint8_t> TemperatureAttributeId(THddtypes type) {
  switch (type) {
    case THddtypes::SSDSandforce:
    case THddtypes::GenericHarddisk: return kTemperatureCelsius;
    case THddtypes::SDSamsung: return kAirflowTemperatureCelsius;
    default: return std::nullopt;
  }
}

double TemperatureOf(THddtypes type, const TSmartAttribute& attribute) {
  return type == THddtypes::SSDSandforce ? attribute.Current : attribute.Raw[0];
}

}  // namespace vsm

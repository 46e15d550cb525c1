#include "sysinfo/smbios/SMBiosStructures.h"

#include "sysinfo/smbios/SMBiosIndex.h"

namespace vsm {

TSMBiosStructure::TSMBiosStructure(std::span<const uint8_t> table, int32_t index)
    : FTable(table), FIndex(index) {
  // A structure is only made for a complete header inside the table.
  if (index < 0 || static_cast<size_t>(index) + 4 > table.size()) {
    FTable = {};
    FIndex = -1;
  }
}

const uint8_t* TSMBiosStructure::Raw() const { return FIndex < 0 ? nullptr : FTable.data() + FIndex; }

TSmBiosTableHeader TSMBiosStructure::Header() const {
  if (FIndex < 0) return {};
  return ReadSMBiosHeader(FTable, static_cast<size_t>(FIndex));
}

ByteView TSMBiosStructure::FormattedArea() const {
  if (FIndex < 0) return {};
  return ByteView(FTable).Sub(static_cast<size_t>(FIndex), Length());
}

std::string TSMBiosStructure::GetString(int number) const {
  if (FIndex < 0) return {};
  return GetSMBiosStringAt(FTable, static_cast<int64_t>(FIndex) + Length(), number);
}

namespace {

// Cache sizes: 1 KB units, or 64 KB units when bit 15 is set.
uint32_t CacheSizeKb(uint16_t word) {
  const uint32_t units = word & 0x7FFF;
  return (word & 0x8000) != 0 ? units * 64 : units;
}

TCacheSRAMTypes SRAMTypes(uint16_t word) { return TCacheSRAMTypes(word & 0x7F); }

}  // namespace

uint32_t TCacheInformation::GetMaximumCacheSize() const { return CacheSizeKb(GetWord(0x07)); }
uint32_t TCacheInformation::GetInstalledCacheSize() const { return CacheSizeKb(GetWord(0x09)); }
TCacheSRAMTypes TCacheInformation::GetSupportedSRAMType() const { return SRAMTypes(GetWord(0x0B)); }
TCacheSRAMTypes TCacheInformation::GetCurrentSRAMType() const { return SRAMTypes(GetWord(0x0D)); }

TErrorCorrectionType TCacheInformation::GetErrorCorrectionType() const {
  const uint8_t code = GetByte(0x10);
  return code < 7 ? static_cast<TErrorCorrectionType>(code) : ECUnknown;
}

TSystemCacheType TCacheInformation::GetSystemCacheType() const {
  const uint8_t code = GetByte(0x11);
  return code < 6 ? static_cast<TSystemCacheType>(code) : SCUnknown;
}

std::string TProcessorInformation::ProcessorFamilyStr() const {
  // The byte FEh hands the family to the Processor Family 2 word (28h, SMBIOS 2.6 on).
  const uint8_t family = GetByte(0x06);
  if (family != 0xFE || Length() < 0x2A) return ProcessorFamilyText(family);
  const uint16_t family2 = GetWord(0x28);
  if (family2 >= 255) return ProcessorFamily2Text(family2);
  return ProcessorFamilyText(static_cast<uint8_t>(family2));
}

double TProcessorInformation::GetProcessorVoltaje() const {
  const uint8_t voltage = GetByte(0x11);
  if ((voltage & 0x80) != 0) return (voltage & 0x7F) / 10.0;
  if ((voltage & 0x01) != 0) return 5.0;
  if ((voltage & 0x02) != 0) return 3.3;
  if ((voltage & 0x04) != 0) return 2.9;
  return 0;
}

uint32_t TMemoryDeviceInformation::GetSpeed() const {
  const uint16_t speed = GetWord(0x15);
  if (speed != 0xFFFF) return speed;
  return Length() >= 0x58 ? GetDWord(0x54) & 0x7FFFFFFF : 0;
}

uint32_t TMemoryDeviceInformation::GetSize() const {
  const uint16_t size = GetWord(0x0C);
  if (size == 0x7FFF) return GetDWord(0x1C);                // Extended Size, in megabytes
  if ((size & 0x8000) != 0) return (size & 0x7FFF) / 1024;  // kilobytes
  return size;
}

TSMBiosDate TBatteryInformation::GetSBDSManufacturerDate() const {
  const uint16_t date = GetWord(0x12);
  return {1980 + (date >> 9), (date >> 5) & 0x0F, date & 0x1F};
}

}  // namespace vsm

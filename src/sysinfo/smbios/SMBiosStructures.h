#pragma once
// One object per SMBIOS structure of the types the information pages use. Each is a view into the
// table of its TSMBios: it copies nothing and is valid while that TSMBios lives. Offsets are those
// of the SMBIOS reference, counted from the structure's first header byte.
#include <bitset>
#include <cstdint>
#include <span>
#include <string>

#include "base/le_bytes.h"
#include "sysinfo/smbios/SMBiosDecoding.h"
#include "sysinfo/smbios/SMBiosTypes.h"

namespace vsm {

// The reads every structure shares. A field that does not lie wholly inside the structure's
// formatted area (one an older SMBIOS version does not define) reads as 0, and so does one the end
// of the table cuts off; strings are looked up in the structure's own string set.
class TSMBiosStructure {
 public:
  TSMBiosStructure() = default;  // points at nothing: every field reads as 0, every string empty
  TSMBiosStructure(std::span<const uint8_t> table, int32_t index);

  const uint8_t* Raw() const;  // the structure's first byte, or null
  int32_t Index() const { return FIndex; }
  // The header; all zeros for a structure that points at nothing.
  TSmBiosTableHeader Header() const;
  uint8_t TableType() const { return Header().TableType; }
  uint8_t Length() const { return Header().Length; }
  uint16_t Handle() const { return Header().Handle; }

  uint8_t GetByte(size_t offset) const { return FormattedArea().U8(offset); }
  uint16_t GetWord(size_t offset) const { return FormattedArea().U16(offset); }
  uint32_t GetDWord(size_t offset) const { return FormattedArea().U32(offset); }
  uint64_t GetQWord(size_t offset) const { return FormattedArea().U64(offset); }

  // String number `number` (1-based) of the string set; empty for 0 and past the set's end.
  std::string GetString(int number) const;
  // The string whose number is the byte at `offset`.
  std::string GetStringAt(size_t offset) const { return GetString(GetByte(offset)); }

 private:
  // The formatted area as far as the table holds it: a field past either end reads as 0.
  ByteView FormattedArea() const;

  std::span<const uint8_t> FTable;
  int32_t FIndex = -1;
};

class TBiosInformation : public TSMBiosStructure {
 public:
  using TSMBiosStructure::TSMBiosStructure;
  const uint8_t* RAWBiosInformation() const { return Raw(); }
  std::string VendorStr() const { return GetStringAt(0x04); }
  std::string VersionStr() const { return GetStringAt(0x05); }
  std::string ReleaseDateStr() const { return GetStringAt(0x08); }
};

class TSystemInformation : public TSMBiosStructure {
 public:
  using TSMBiosStructure::TSMBiosStructure;
  const uint8_t* RAWSystemInformation() const { return Raw(); }
  std::string ManufacturerStr() const { return GetStringAt(0x04); }
  std::string ProductNameStr() const { return GetStringAt(0x05); }
  std::string VersionStr() const { return GetStringAt(0x06); }
  std::string SerialNumberStr() const { return GetStringAt(0x07); }
  std::string SKUNumberStr() const { return GetStringAt(0x19); }
  std::string FamilyStr() const { return GetStringAt(0x1A); }
};

class TBaseBoardInformation : public TSMBiosStructure {
 public:
  using TSMBiosStructure::TSMBiosStructure;
  const uint8_t* RAWBaseBoardInformation() const { return Raw(); }
  std::string ManufacturerStr() const { return GetStringAt(0x04); }
  std::string ProductStr() const { return GetStringAt(0x05); }
  std::string VersionStr() const { return GetStringAt(0x06); }
  std::string SerialNumberStr() const { return GetStringAt(0x07); }
  std::string AssetTagStr() const { return GetStringAt(0x08); }
  std::string LocationinChassisStr() const { return GetStringAt(0x0A); }
  std::string BoardTypeStr() const { return BoardTypeText(GetByte(0x0D)); }
};

class TEnclosureInformation : public TSMBiosStructure {
 public:
  using TSMBiosStructure::TSMBiosStructure;
  const uint8_t* RAWEnclosureInformation() const { return Raw(); }
  std::string ManufacturerStr() const { return GetStringAt(0x04); }
  std::string VersionStr() const { return GetStringAt(0x06); }
  std::string SerialNumberStr() const { return GetStringAt(0x07); }
  std::string AssetTagNumberStr() const { return GetStringAt(0x08); }
  // Bit 7 of the type byte tells whether the chassis has a lock.
  std::string TypeStr() const { return ChassisTypeText(GetByte(0x05) & 0x7F); }
  std::string BootUpStateStr() const { return ChassisStateText(GetByte(0x09)); }
  std::string PowerSupplyStateStr() const { return ChassisStateText(GetByte(0x0A)); }
};

enum TCacheSRAMType {
  SROther,
  SRUnknown,
  SRNon_Burst,
  SRBurst,
  SRPipelineBurst,
  SRSynchronous,
  SRAsynchronous
};
using TCacheSRAMTypes = std::bitset<7>;  // bit n set: TCacheSRAMType n is present
enum TErrorCorrectionType { ECFiller, ECOther, ECUnknown, ECNone, ECParity, ECSingle_bitECC, ECMulti_bitECC };
enum TSystemCacheType { SCFiller, SCOther, SCUnknown, SCInstruction, SCData, SCUnified };

class TCacheInformation : public TSMBiosStructure {
 public:
  using TSMBiosStructure::TSMBiosStructure;
  const uint8_t* RAWCacheInformation() const { return Raw(); }
  std::string SocketDesignationStr() const { return GetStringAt(0x04); }
  // Kilobytes.
  uint32_t GetMaximumCacheSize() const;
  uint32_t GetInstalledCacheSize() const;
  TCacheSRAMTypes GetSupportedSRAMType() const;
  TCacheSRAMTypes GetCurrentSRAMType() const;
  TErrorCorrectionType GetErrorCorrectionType() const;
  TSystemCacheType GetSystemCacheType() const;
  std::string AssociativityStr() const { return CacheAssociativityText(GetByte(0x12)); }
};

class TProcessorInformation : public TSMBiosStructure {
 public:
  using TSMBiosStructure::TSMBiosStructure;
  const uint8_t* RAWProcessorInformation() const { return Raw(); }
  std::string SocketDesignationStr() const { return GetStringAt(0x04); }
  std::string ProcessorManufacturerStr() const { return GetStringAt(0x07); }
  std::string ProcessorVersionStr() const { return GetStringAt(0x10); }
  std::string SerialNumberStr() const { return GetStringAt(0x20); }
  std::string AssetTagStr() const { return GetStringAt(0x21); }
  std::string PartNumberStr() const { return GetStringAt(0x22); }
  std::string ProcessorTypeStr() const { return ProcessorTypeText(GetByte(0x05)); }
  std::string ProcessorFamilyStr() const;
  // Volts; 0 when the structure names none.
  double GetProcessorVoltaje() const;
  std::string ProcessorUpgradeStr() const { return ProcessorUpgradeText(GetByte(0x19)); }

  // The caches this processor names by handle; owned by the TSMBios.
  const TCacheInformation* L1Chache = nullptr;
  const TCacheInformation* L2Chache = nullptr;
  const TCacheInformation* L3Chache = nullptr;
};

class TMemoryControllerInformation : public TSMBiosStructure {
 public:
  using TSMBiosStructure::TSMBiosStructure;
  const uint8_t* RAWMemoryControllerInformation() const { return Raw(); }
  std::string GetErrorDetectingMethodDescr() const { return ErrorDetectingMethodText(GetByte(0x04)); }
  std::string GetSupportedInterleaveDescr() const { return InterleaveText(GetByte(0x06)); }
  std::string GetCurrentInterleaveDescr() const { return InterleaveText(GetByte(0x07)); }
};

class TMemoryModuleInformation : public TSMBiosStructure {
 public:
  using TSMBiosStructure::TSMBiosStructure;
  const uint8_t* RAWMemoryModuleInformation() const { return Raw(); }
  std::string GetSocketDesignationDescr() const { return GetStringAt(0x04); }
};

class TPortConnectorInformation : public TSMBiosStructure {
 public:
  using TSMBiosStructure::TSMBiosStructure;
  const uint8_t* RAWPortConnectorInformation() const { return Raw(); }
  std::string InternalReferenceDesignatorStr() const { return GetStringAt(0x04); }
  std::string ExternalReferenceDesignatorStr() const { return GetStringAt(0x06); }
  // The caller passes the internal (05h) or external (07h) connector type byte.
  std::string GetConnectorType(uint8_t Connector) const { return ConnectorTypeText(Connector); }
  std::string PortTypeStr() const { return PortTypeText(GetByte(0x08)); }
};

class TSystemSlotInformation : public TSMBiosStructure {
 public:
  using TSMBiosStructure::TSMBiosStructure;
  const uint8_t* RAWSystemSlotInformation() const { return Raw(); }
  std::string SlotDesignationStr() const { return GetStringAt(0x04); }
  std::string GetSlotType() const { return SlotTypeText(GetByte(0x05)); }
  std::string GetSlotDataBusWidth() const { return SlotDataBusWidthText(GetByte(0x06)); }
  std::string GetCurrentUsage() const { return SlotUsageText(GetByte(0x07)); }
  std::string GetSlotLength() const { return SlotLengthText(GetByte(0x08)); }
};

// Only the structure's first device is read.
class TOnBoardSystemInformation : public TSMBiosStructure {
 public:
  using TSMBiosStructure::TSMBiosStructure;
  const uint8_t* RAWOnBoardSystemInfo() const { return Raw(); }
  bool Enabled() const { return (GetByte(0x04) & 0x80) != 0; }
  std::string GetTypeDescription() const { return OnBoardDeviceTypeText(GetByte(0x04) & 0x7F); }
  std::string GetDescription() const { return GetStringAt(0x05); }
};

class TOEMStringsInformation : public TSMBiosStructure {
 public:
  using TSMBiosStructure::TSMBiosStructure;
  const uint8_t* RAWOEMStringsInformation() const { return Raw(); }
  std::string GetOEMString(int index) const { return GetString(index); }
};

class TSystemConfInformation : public TSMBiosStructure {
 public:
  using TSMBiosStructure::TSMBiosStructure;
  const uint8_t* RAWSystemConfInformation() const { return Raw(); }
  std::string GetConfString(int index) const { return GetString(index); }
};

class TBIOSLanguageInformation : public TSMBiosStructure {
 public:
  using TSMBiosStructure::TSMBiosStructure;
  const uint8_t* RAWBIOSLanguageInformation() const { return Raw(); }
  std::string GetLanguageString(int index) const { return GetString(index); }
  std::string GetCurrentLanguageStr() const { return GetStringAt(0x15); }
};

class TGroupAssociationsInformation : public TSMBiosStructure {
 public:
  using TSMBiosStructure::TSMBiosStructure;
  const uint8_t* RAWGroupAssociationsInformation() const { return Raw(); }
  std::string GetGroupName() const { return GetStringAt(0x04); }
};

class TPhysicalMemoryArrayInformation : public TSMBiosStructure {
 public:
  using TSMBiosStructure::TSMBiosStructure;
  const uint8_t* RAWPhysicalMemoryArrayInformation() const { return Raw(); }
  std::string GetLocationStr() const { return ArrayLocationText(GetByte(0x04)); }
  std::string GetUseStr() const { return ArrayUseText(GetByte(0x05)); }
  std::string GetErrorCorrectionStr() const { return ArrayErrorCorrectionText(GetByte(0x06)); }
};

class TMemoryDeviceInformation : public TSMBiosStructure {
 public:
  using TSMBiosStructure::TSMBiosStructure;
  const uint8_t* RAWMemoryDeviceInfo() const { return Raw(); }
  std::string GetDeviceLocatorStr() const { return GetStringAt(0x10); }
  std::string GetBankLocatorStr() const { return GetStringAt(0x11); }
  std::string ManufacturerStr() const { return GetStringAt(0x17); }
  std::string SerialNumberStr() const { return GetStringAt(0x18); }
  std::string AssetTagStr() const { return GetStringAt(0x19); }
  std::string PartNumberStr() const { return GetStringAt(0x1A); }
  // Megabytes; 0 for an empty slot.
  uint32_t GetSize() const;
  // Transfers per microsecond (MHz as the memory page says); 0 when unknown. FFFFh hands the
  // figure to the Extended Speed dword (SMBIOS 3.3 on).
  uint32_t GetSpeed() const;
  std::string GetFormFactor() const { return MemoryFormFactorText(GetByte(0x0E)); }
  std::string GetMemoryTypeStr() const { return MemoryTypeText(GetByte(0x12)); }

  // The array this device belongs to; owned by the TSMBios.
  const TPhysicalMemoryArrayInformation* PhysicalMemoryArray = nullptr;
};

class TMemoryArrayMappedAddressInformation : public TSMBiosStructure {
 public:
  using TSMBiosStructure::TSMBiosStructure;
  const uint8_t* RAWMemoryArrayMappedAddressInfo() const { return Raw(); }
};

class TMemoryDeviceMappedAddressInformation : public TSMBiosStructure {
 public:
  using TSMBiosStructure::TSMBiosStructure;
  const uint8_t* RAWMemoryDeviceMappedAddressInfo() const { return Raw(); }
};

class TBuiltInPointingDeviceInformation : public TSMBiosStructure {
 public:
  using TSMBiosStructure::TSMBiosStructure;
  const uint8_t* RAWBuiltInPointingDeviceInfo() const { return Raw(); }
  std::string GetType() const { return PointingDeviceTypeText(GetByte(0x04)); }
  std::string GetInterface() const { return PointingDeviceInterfaceText(GetByte(0x05)); }
};

// A calendar date as the SMBIOS data gives it, not checked for validity.
struct TSMBiosDate {
  int Year = 0;
  int Month = 0;
  int Day = 0;
};

class TBatteryInformation : public TSMBiosStructure {
 public:
  using TSMBiosStructure::TSMBiosStructure;
  const uint8_t* RAWBatteryInfo() const { return Raw(); }
  std::string GetLocationStr() const { return GetStringAt(0x04); }
  std::string GetManufacturerStr() const { return GetStringAt(0x05); }
  std::string GetManufacturerDateStr() const { return GetStringAt(0x06); }
  std::string GetSerialNumberStr() const { return GetStringAt(0x07); }
  std::string GetDeviceNameStr() const { return GetStringAt(0x08); }
  std::string GetSBDSVersionNumberStr() const { return GetStringAt(0x0E); }
  std::string GetSBDSDeviceChemistryStr() const { return GetStringAt(0x14); }
  std::string GetDeviceChemistry() const { return BatteryChemistryText(GetByte(0x09)); }
  TSMBiosDate GetSBDSManufacturerDate() const;
};

// Voltage, temperature and electrical-current probes share their layout up to 05h.
class TProbeInformation : public TSMBiosStructure {
 public:
  using TSMBiosStructure::TSMBiosStructure;
  std::string GetDescriptionStr() const { return GetStringAt(0x04); }
  std::string GetStatus() const { return ProbeStatusText(GetByte(0x05) >> 5); }

 protected:
  uint8_t LocationCode() const { return GetByte(0x05) & 0x1F; }
};

class TVoltageProbeInformation : public TProbeInformation {
 public:
  using TProbeInformation::TProbeInformation;
  const uint8_t* RAWVoltageProbeInfo() const { return Raw(); }
  std::string GetLocation() const { return ProbeLocationText(LocationCode()); }
};

class TTemperatureProbeInformation : public TProbeInformation {
 public:
  using TProbeInformation::TProbeInformation;
  const uint8_t* RAWTemperatureProbeInfo() const { return Raw(); }
  std::string GetLocation() const { return TemperatureProbeLocationText(LocationCode()); }
};

class TElectricalCurrentProbeInformation : public TProbeInformation {
 public:
  using TProbeInformation::TProbeInformation;
  const uint8_t* RAWElectricalCurrentProbeInfo() const { return Raw(); }
  std::string GetLocation() const { return ProbeLocationText(LocationCode()); }
};

class TCoolingDeviceInformation : public TSMBiosStructure {
 public:
  using TSMBiosStructure::TSMBiosStructure;
  const uint8_t* RAWCoolingDeviceInfo() const { return Raw(); }
  std::string GetDescriptionStr() const { return GetStringAt(0x0E); }
  std::string GetDeviceType() const { return CoolingDeviceTypeText(GetByte(0x06) & 0x1F); }
  std::string GetStatus() const { return ProbeStatusText(GetByte(0x06) >> 5); }
};

}  // namespace vsm

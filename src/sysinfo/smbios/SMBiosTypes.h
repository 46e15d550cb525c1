#pragma once
// The SMBIOS table as this program holds it: the raw structure table with its version, and the
// index of the structures in it.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace vsm {

// The 4-byte header every structure starts with (firmware layout, little-endian handle).
struct TSmBiosTableHeader {
  uint8_t TableType = 0;
  uint8_t Length = 0;  // formatted area, header included
  uint16_t Handle = 0;
};

// The table as obtained from WMI or a dump file. SMBIOSTableData holds exactly Length bytes.
struct TRawSMBIOSData {
  uint8_t Used20CallingMethod = 0;
  uint8_t SMBIOSMajorVersion = 0;
  uint8_t SMBIOSMinorVersion = 0;
  uint8_t DmiRevision = 0;
  uint32_t Length = 0;
  std::vector<uint8_t> SMBIOSTableData;
};

struct TSMBiosTableEntry {
  TSmBiosTableHeader Header;
  int32_t Index = 0;  // offset of the structure's first byte in the table data
};
using ArrSMBiosTableEntry = std::vector<TSMBiosTableEntry>;

enum TSMBiosTablesTypes : uint8_t {
  BIOSInformation,
  SystemInformation,
  BaseBoardInformation,
  EnclosureInformation,
  ProcessorInformation,
  MemoryControllerInformation,
  MemoryModuleInformation,
  CacheInformation,
  PortConnectorInformation,
  SystemSlotsInformation,
  OnBoardDevicesInformation,
  OEMStrings,
  SystemConfigurationOptions,
  BIOSLanguageInformation,
  GroupAssociations,
  SystemEventLog,
  PhysicalMemoryArray,
  MemoryDevice,
  MemoryErrorInformation,
  MemoryArrayMappedAddress,
  MemoryDeviceMappedAddress,
  BuiltinPointingDevice,
  PortableBattery,
  SystemReset,
  HardwareSecurity,
  SystemPowerControls,
  VoltageProbe,
  CoolingDevice,
  TemperatureProbe,
  ElectricalCurrentProbe,
  OutofBandRemoteAccess,
  BootIntegrityServicesEntryPoint,
  SystemBootInformation,
  x64BitMemoryErrorInformation,
  ManagementDevice,
  ManagementDeviceComponent,
  ManagementDeviceThresholdData,
  MemoryChannel,
  IPMIDeviceInformation,
  SystemPowerSupply,
  AdditionalInformation,
  OnboardDevicesExtendedInformation,
  ManagementControllerHostInterface,
  SMBIOSTable43,
  SMBIOSTable44,
  SMBIOSTable45,
  SMBIOSTable46,
  SMBIOSTable47,
  SMBIOSTable48,
  SMBIOSTable49,
  SMBIOSTable50,
  SMBIOSTable51,
  SMBIOSTable52,
  SMBIOSTable53,
  SMBIOSTable54,
  SMBIOSTable55,
  SMBIOSTable56,
  SMBIOSTable57,
  SMBIOSTable58,
  SMBIOSTable59,
  SMBIOSTable60,
  SMBIOSTable61,
  SMBIOSTable62,
  SMBIOSTable63,
  SMBIOSTable64,
  SMBIOSTable65,
  SMBIOSTable66,
  SMBIOSTable67,
  SMBIOSTable68,
  SMBIOSTable69,
  SMBIOSTable70,
  SMBIOSTable71,
  SMBIOSTable72,
  SMBIOSTable73,
  SMBIOSTable74,
  SMBIOSTable75,
  SMBIOSTable76,
  SMBIOSTable77,
  SMBIOSTable78,
  SMBIOSTable79,
  SMBIOSTable80,
  SMBIOSTable81,
  SMBIOSTable82,
  SMBIOSTable83,
  SMBIOSTable84,
  SMBIOSTable85,
  SMBIOSTable86,
  SMBIOSTable87,
  SMBIOSTable88,
  SMBIOSTable89,
  SMBIOSTable90,
  SMBIOSTable91,
  SMBIOSTable92,
  SMBIOSTable93,
  SMBIOSTable94,
  SMBIOSTable95,
  SMBIOSTable96,
  SMBIOSTable97,
  SMBIOSTable98,
  SMBIOSTable99,
  SMBIOSTable100,
  SMBIOSTable101,
  SMBIOSTable102,
  SMBIOSTable103,
  SMBIOSTable104,
  SMBIOSTable105,
  SMBIOSTable106,
  SMBIOSTable107,
  SMBIOSTable108,
  SMBIOSTable109,
  SMBIOSTable110,
  SMBIOSTable111,
  SMBIOSTable112,
  SMBIOSTable113,
  SMBIOSTable114,
  SMBIOSTable115,
  SMBIOSTable116,
  SMBIOSTable117,
  SMBIOSTable118,
  SMBIOSTable119,
  SMBIOSTable120,
  SMBIOSTable121,
  SMBIOSTable122,
  SMBIOSTable123,
  SMBIOSTable124,
  SMBIOSTable125,
  Inactive,
  EndofTable,
};
static_assert(ManagementControllerHostInterface == 42 && SMBIOSTable125 == 125 && EndofTable == 127);

// Raised when no table can be obtained: WMI fails or answers nothing, a dump file cannot be read,
// or a file holds no entry point.
class ESMBiosError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace vsm

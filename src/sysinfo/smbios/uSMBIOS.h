#pragma once
// TSMBios: the machine's SMBIOS structure table, its index of structures and one object per
// structure of the types the information pages read. It reads the table once, when it is made.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sysinfo/smbios/SMBiosStructures.h"
#include "sysinfo/smbios/SMBiosTypes.h"
#include "sysinfo/smbios/SMBiosWmi.h"
#include "sysinfo/wmi.h"

namespace vsm {

using ArrBaseBoardInfo = std::vector<std::unique_ptr<TBaseBoardInformation>>;
using ArrEnclosureInfo = std::vector<std::unique_ptr<TEnclosureInformation>>;
using ArrProcessorInfo = std::vector<std::unique_ptr<TProcessorInformation>>;
using ArrCacheInfo = std::vector<std::unique_ptr<TCacheInformation>>;
using ArrPortConnectorInfo = std::vector<std::unique_ptr<TPortConnectorInformation>>;
using ArrSystemSlotInfo = std::vector<std::unique_ptr<TSystemSlotInformation>>;
using ArrOEMStringsInfo = std::vector<std::unique_ptr<TOEMStringsInformation>>;
using ArrBIOSLanguageInfo = std::vector<std::unique_ptr<TBIOSLanguageInformation>>;
using ArrSystemConfInfo = std::vector<std::unique_ptr<TSystemConfInformation>>;
using ArrPhysicalMemoryArrayInfo = std::vector<std::unique_ptr<TPhysicalMemoryArrayInformation>>;
using ArrMemoryDeviceInfo = std::vector<std::unique_ptr<TMemoryDeviceInformation>>;
using ArrBatteryInfo = std::vector<std::unique_ptr<TBatteryInformation>>;
using ArrMemoryArrayMappedAddressInfo = std::vector<std::unique_ptr<TMemoryArrayMappedAddressInformation>>;
using ArrMemoryDeviceMappedAddressInfo = std::vector<std::unique_ptr<TMemoryDeviceMappedAddressInformation>>;
using ArrBuiltInPointingDeviceInfo = std::vector<std::unique_ptr<TBuiltInPointingDeviceInformation>>;
using ArrVoltageProbeInfo = std::vector<std::unique_ptr<TVoltageProbeInformation>>;
using ArrCoolingDeviceInfo = std::vector<std::unique_ptr<TCoolingDeviceInformation>>;
using ArrTemperatureProbeInfo = std::vector<std::unique_ptr<TTemperatureProbeInformation>>;
using ArrElectricalCurrentProbeInfo = std::vector<std::unique_ptr<TElectricalCurrentProbeInformation>>;
using ArrOnBoardSystemInfo = std::vector<std::unique_ptr<TOnBoardSystemInformation>>;
using ArrMemoryControllerInfo = std::vector<std::unique_ptr<TMemoryControllerInformation>>;
using ArrMemoryModuleInfo = std::vector<std::unique_ptr<TMemoryModuleInformation>>;
using ArrGroupAssociationsInfo = std::vector<std::unique_ptr<TGroupAssociationsInformation>>;

class TSMBios {
 public:
  // From the local WMI service. Raises ESMBiosError when WMI fails or holds no table.
  explicit TSMBios(const WmiQueryFunction& query);
  // From WMI on another machine.
  TSMBios(std::string_view RemoteMachine, std::string_view UserName, std::string_view Password,
          const WmiConnectFunction& connect);
  // From a dump file written by SaveToFile.
  explicit TSMBios(const std::string& FileName);
  // From a table already in memory (a dump read by a tool, a test's table).
  explicit TSMBios(TRawSMBIOSData raw);
  TSMBios(const TSMBios&) = delete;
  TSMBios& operator=(const TSMBios&) = delete;
  ~TSMBios();

  // Structures of the type in the index; the end-of-table structure never counts.
  int GetSMBiosTableEntries(TSMBiosTablesTypes TableType) const;
  // Offset of the first structure of the type behind `Offset`, in table order; -1 when none.
  int32_t GetSMBiosTableNextIndex(TSMBiosTablesTypes TableType, int32_t Offset) const;
  // Offset of the first structure of the type, walking the raw table; -1 when none.
  int32_t SearchSMBiosTable(TSMBiosTablesTypes TableType) const;
  // String `Index` of the string set that starts at byte `Entry` (a structure's offset plus its
  // length); empty for 0.
  std::string GetSMBiosString(int32_t Entry, int32_t Index) const;

  void SaveToFile(const std::string& FileName) const;
  // Replaces the table with the one in a dump file. The index and the structure objects are built
  // again for it, so that none of them is left pointing into the table that was dropped. On
  // failure nothing changes.
  void LoadFromFile(const std::string& FileName);
  // Replaces the table with the one behind the first SMBIOS 2.x entry point in a memory image.
  void FindAndLoadFromFile(const std::string& FileName);

  const std::string& DataString() const { return FDataString; }
  const TRawSMBIOSData& RawSMBIOSData() const { return FRawSMBIOSData; }
  std::string SmbiosVersion() const;
  const ArrSMBiosTableEntry& SMBiosTablesList() const { return FSMBiosTablesList; }

  // The first BIOS and system structures; they point at nothing when the table has none.
  const TBiosInformation& BiosInfo() const { return FBiosInfo; }
  const TSystemInformation& SysInfo() const { return FSysInfo; }

  const ArrBaseBoardInfo& BaseBoardInfo() const { return FBaseBoardInfo; }
  const ArrEnclosureInfo& EnclosureInfo() const { return FEnclosureInfo; }
  const ArrProcessorInfo& ProcessorInfo() const { return FProcessorInfo; }
  const ArrCacheInfo& CacheInfo() const { return FCacheInfo; }
  const ArrPortConnectorInfo& PortConnectorInfo() const { return FPortConnectorInfo; }
  const ArrSystemSlotInfo& SystemSlotInfo() const { return FSystemSlotInfo; }
  const ArrOEMStringsInfo& OEMStringsInfo() const { return FOEMStringsInfo; }
  const ArrBIOSLanguageInfo& BIOSLanguageInfo() const { return FBIOSLanguageInfo; }
  const ArrSystemConfInfo& SystemConfInfo() const { return FSystemConfInfo; }
  const ArrPhysicalMemoryArrayInfo& PhysicalMemoryArrayInfo() const { return FPhysicalMemoryArrayInfo; }
  const ArrMemoryDeviceInfo& MemoryDeviceInfo() const { return FMemoryDeviceInfo; }
  const ArrBatteryInfo& BatteryInformation() const { return FBatteryInformation; }
  const ArrMemoryArrayMappedAddressInfo& MemoryArrayMappedAddressInformation() const {
    return FMemoryArrayMappedAddressInformation;
  }
  const ArrMemoryDeviceMappedAddressInfo& MemoryDeviceMappedAddressInformation() const {
    return FMemoryDeviceMappedAddressInformation;
  }
  const ArrBuiltInPointingDeviceInfo& BuiltInPointingDeviceInformation() const {
    return FBuiltInPointingDeviceInformation;
  }
  const ArrVoltageProbeInfo& VoltageProbeInformation() const { return FVoltageProbeInformation; }
  const ArrCoolingDeviceInfo& CoolingDeviceInformation() const { return FCoolingDeviceInformation; }
  const ArrTemperatureProbeInfo& TemperatureProbeInformation() const { return FTemperatureProbeInformation; }
  const ArrElectricalCurrentProbeInfo& ElectricalCurrentProbeInformation() const {
    return FElectricalCurrentProbeInformation;
  }
  const ArrOnBoardSystemInfo& OnBoardSystemInfo() const { return FOnBoardSystemInfo; }
  const ArrMemoryControllerInfo& MemoryControllerInfo() const { return FMemoryControllerInfo; }
  const ArrMemoryModuleInfo& MemoryModuleInfo() const { return FMemoryModuleInfo; }
  const ArrGroupAssociationsInfo& GroupAssociationsInformation() const {
    return FGroupAssociationsInformation;
  }

  bool HasBaseBoardInfo() const { return !FBaseBoardInfo.empty(); }
  bool HasEnclosureInfo() const { return !FEnclosureInfo.empty(); }
  bool HasCacheInfo() const { return !FCacheInfo.empty(); }
  bool HasProcessorInfo() const { return !FProcessorInfo.empty(); }
  bool HasMemoryControllerInfo() const { return !FMemoryControllerInfo.empty(); }
  bool HasPortConnectorInfo() const { return !FPortConnectorInfo.empty(); }
  bool HasSystemSlotInfo() const { return !FSystemSlotInfo.empty(); }
  bool HasOnBoardSystemInfo() const { return !FOnBoardSystemInfo.empty(); }
  bool HasOEMStringsInfo() const { return !FOEMStringsInfo.empty(); }
  bool HasBIOSLanguageInfo() const { return !FBIOSLanguageInfo.empty(); }
  bool HasSystemConfInfo() const { return !FSystemConfInfo.empty(); }
  bool HasPhysicalMemoryArrayInfo() const { return !FPhysicalMemoryArrayInfo.empty(); }
  bool HasMemoryDeviceInfo() const { return !FMemoryDeviceInfo.empty(); }
  bool HasMemoryModuleInfo() const { return !FMemoryModuleInfo.empty(); }
  bool HasBatteryInfo() const { return !FBatteryInformation.empty(); }
  bool HasMemoryArrayMappedAddressInfo() const { return !FMemoryArrayMappedAddressInformation.empty(); }
  bool HasMemoryDeviceMappedAddressInfo() const { return !FMemoryDeviceMappedAddressInformation.empty(); }
  bool HasBuiltInPointingDeviceInfo() const { return !FBuiltInPointingDeviceInformation.empty(); }
  bool HasVoltageProbeInfo() const { return !FVoltageProbeInformation.empty(); }
  bool HasCoolingDeviceInfo() const { return !FCoolingDeviceInformation.empty(); }
  bool HasTemperatureProbeInfo() const { return !FTemperatureProbeInformation.empty(); }
  bool HasElectricalCurrentProbeInfo() const { return !FElectricalCurrentProbeInformation.empty(); }
  bool HasGroupAssociationsInfo() const { return !FGroupAssociationsInformation.empty(); }

 private:
  void TakeTable(TRawSMBIOSData raw);
  void BuildIndex();
  void BuildStructures();
  void ClearStructures();
  template <typename T>
  void BuildArray(TSMBiosTablesTypes type, std::vector<std::unique_ptr<T>>& array) const;
  void LinkCaches();
  void LinkMemoryArrays();
  std::span<const uint8_t> Table() const { return FRawSMBIOSData.SMBIOSTableData; }

  // The table outlives the objects that point into it: members are destroyed in reverse order.
  TRawSMBIOSData FRawSMBIOSData;
  std::string FDataString;
  ArrSMBiosTableEntry FSMBiosTablesList;

  TBiosInformation FBiosInfo;
  TSystemInformation FSysInfo;
  ArrBaseBoardInfo FBaseBoardInfo;
  ArrEnclosureInfo FEnclosureInfo;
  ArrProcessorInfo FProcessorInfo;
  ArrCacheInfo FCacheInfo;
  ArrPortConnectorInfo FPortConnectorInfo;
  ArrSystemSlotInfo FSystemSlotInfo;
  ArrOEMStringsInfo FOEMStringsInfo;
  ArrBIOSLanguageInfo FBIOSLanguageInfo;
  ArrSystemConfInfo FSystemConfInfo;
  ArrPhysicalMemoryArrayInfo FPhysicalMemoryArrayInfo;
  ArrMemoryDeviceInfo FMemoryDeviceInfo;
  ArrBatteryInfo FBatteryInformation;
  ArrMemoryArrayMappedAddressInfo FMemoryArrayMappedAddressInformation;
  ArrMemoryDeviceMappedAddressInfo FMemoryDeviceMappedAddressInformation;
  ArrBuiltInPointingDeviceInfo FBuiltInPointingDeviceInformation;
  ArrVoltageProbeInfo FVoltageProbeInformation;
  ArrCoolingDeviceInfo FCoolingDeviceInformation;
  ArrTemperatureProbeInfo FTemperatureProbeInformation;
  ArrElectricalCurrentProbeInfo FElectricalCurrentProbeInformation;
  ArrOnBoardSystemInfo FOnBoardSystemInfo;
  ArrMemoryControllerInfo FMemoryControllerInfo;
  ArrMemoryModuleInfo FMemoryModuleInfo;
  ArrGroupAssociationsInfo FGroupAssociationsInformation;
};

// The TSMBios the program keeps: made from the local WMI service, or none when the table cannot
// be had. The failure is not shown; the pages then leave out their SMBIOS rows.
std::unique_ptr<TSMBios> CreateSMBios(const WmiQueryFunction& query);

}  // namespace vsm

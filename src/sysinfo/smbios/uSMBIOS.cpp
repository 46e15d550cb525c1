#include "sysinfo/smbios/uSMBIOS.h"

#include <algorithm>

#include "base/text.h"
#include "sysinfo/smbios/SMBiosDump.h"
#include "sysinfo/smbios/SMBiosIndex.h"

namespace vsm {
namespace {

TSMBiosWmiTable ReadFromRemoteWmi(std::string_view machine, std::string_view userName,
                                  std::string_view password, const WmiConnectFunction& connect) {
  WmiQueryFunction query = connect ? connect(machine, userName, password) : WmiQueryFunction();
  if (!query)
    throw ESMBiosError(
        Format("WMI could not connect to %.*s", static_cast<int>(machine.size()), machine.data()));
  return ReadSMBiosFromWmi(query);
}

}  // namespace

TSMBios::TSMBios(const WmiQueryFunction& query) {
  TSMBiosWmiTable table = ReadSMBiosFromWmi(query);
  FDataString = std::move(table.DataString);
  TakeTable(std::move(table.Raw));
}

TSMBios::TSMBios(std::string_view RemoteMachine, std::string_view UserName, std::string_view Password,
                 const WmiConnectFunction& connect) {
  TSMBiosWmiTable table = ReadFromRemoteWmi(RemoteMachine, UserName, Password, connect);
  FDataString = std::move(table.DataString);
  TakeTable(std::move(table.Raw));
}

TSMBios::TSMBios(const std::string& FileName) { LoadFromFile(FileName); }

TSMBios::TSMBios(TRawSMBIOSData raw) { TakeTable(std::move(raw)); }

TSMBios::~TSMBios() { ClearStructures(); }

void TSMBios::TakeTable(TRawSMBIOSData raw) {
  // Length and the buffer always agree: the shorter of the two wins.
  const size_t length = std::min<size_t>(raw.Length, raw.SMBIOSTableData.size());
  raw.SMBIOSTableData.resize(length);
  raw.Length = static_cast<uint32_t>(length);
  ClearStructures();
  FRawSMBIOSData = std::move(raw);
  BuildIndex();
  BuildStructures();
}

void TSMBios::BuildIndex() { FSMBiosTablesList = BuildSMBiosIndex(Table()); }

int TSMBios::GetSMBiosTableEntries(TSMBiosTablesTypes TableType) const {
  if (TableType == EndofTable) return 0;
  return static_cast<int>(
      std::count_if(FSMBiosTablesList.begin(), FSMBiosTablesList.end(),
                    [&](const TSMBiosTableEntry& entry) { return entry.Header.TableType == TableType; }));
}

int32_t TSMBios::GetSMBiosTableNextIndex(TSMBiosTablesTypes TableType, int32_t Offset) const {
  for (const TSMBiosTableEntry& entry : FSMBiosTablesList) {
    if (entry.Header.TableType == TableType && entry.Index > Offset) return entry.Index;
  }
  return -1;
}

int32_t TSMBios::SearchSMBiosTable(TSMBiosTablesTypes TableType) const {
  return SearchSMBiosStructure(Table(), TableType);
}

std::string TSMBios::GetSMBiosString(int32_t Entry, int32_t Index) const {
  return GetSMBiosStringAt(Table(), Entry, Index);
}

std::string TSMBios::SmbiosVersion() const {
  return Format("%d.%d", FRawSMBIOSData.SMBIOSMajorVersion, FRawSMBIOSData.SMBIOSMinorVersion);
}

void TSMBios::SaveToFile(const std::string& FileName) const {
  WriteSMBiosFile(FileName, EncodeSMBiosDump(FRawSMBIOSData));
}

void TSMBios::LoadFromFile(const std::string& FileName) {
  std::optional<TRawSMBIOSData> raw = DecodeSMBiosDump(ReadSMBiosFile(FileName));
  if (!raw) throw ESMBiosError("Stream read error");
  TakeTable(std::move(*raw));
}

void TSMBios::FindAndLoadFromFile(const std::string& FileName) {
  std::optional<TRawSMBIOSData> raw = FindSMBiosEntryPoint(ReadSMBiosFile(FileName));
  if (!raw) {
    throw ESMBiosError(Format("SMBIOS information not found in file %s", FileName.c_str()));
  }
  TakeTable(std::move(*raw));
}

// One object per structure of the type, in table order: the structures that following
// GetSMBiosTableNextIndex from -1 visits, taken in one pass over the index.
template <typename T>
void TSMBios::BuildArray(TSMBiosTablesTypes type, std::vector<std::unique_ptr<T>>& array) const {
  array.clear();
  array.reserve(static_cast<size_t>(GetSMBiosTableEntries(type)));
  for (const TSMBiosTableEntry& entry : FSMBiosTablesList) {
    if (entry.Header.TableType == type) array.push_back(std::make_unique<T>(Table(), entry.Index));
  }
}

void TSMBios::BuildStructures() {
  ClearStructures();
  FBiosInfo = TBiosInformation(Table(), GetSMBiosTableNextIndex(BIOSInformation, -1));
  FSysInfo = TSystemInformation(Table(), GetSMBiosTableNextIndex(SystemInformation, -1));
  // Caches come before the processors and arrays before the memory devices that link to them.
  BuildArray(OEMStrings, FOEMStringsInfo);
  BuildArray(BaseBoardInformation, FBaseBoardInfo);
  BuildArray(EnclosureInformation, FEnclosureInfo);
  BuildArray(CacheInformation, FCacheInfo);
  BuildArray(ProcessorInformation, FProcessorInfo);
  LinkCaches();
  BuildArray(PortConnectorInformation, FPortConnectorInfo);
  BuildArray(SystemSlotsInformation, FSystemSlotInfo);
  BuildArray(BIOSLanguageInformation, FBIOSLanguageInfo);
  BuildArray(SystemConfigurationOptions, FSystemConfInfo);
  BuildArray(PhysicalMemoryArray, FPhysicalMemoryArrayInfo);
  BuildArray(MemoryDevice, FMemoryDeviceInfo);
  LinkMemoryArrays();
  BuildArray(MemoryModuleInformation, FMemoryModuleInfo);
  BuildArray(GroupAssociations, FGroupAssociationsInformation);
  BuildArray(PortableBattery, FBatteryInformation);
  BuildArray(MemoryArrayMappedAddress, FMemoryArrayMappedAddressInformation);
  BuildArray(MemoryDeviceMappedAddress, FMemoryDeviceMappedAddressInformation);
  BuildArray(BuiltinPointingDevice, FBuiltInPointingDeviceInformation);
  BuildArray(VoltageProbe, FVoltageProbeInformation);
  BuildArray(CoolingDevice, FCoolingDeviceInformation);
  BuildArray(TemperatureProbe, FTemperatureProbeInformation);
  BuildArray(ElectricalCurrentProbe, FElectricalCurrentProbeInformation);
  BuildArray(OnBoardDevicesInformation, FOnBoardSystemInfo);
  BuildArray(MemoryControllerInformation, FMemoryControllerInfo);
}

namespace {

// The first object of the array whose handle is `handle`; none for handle 0.
template <typename T>
const T* FindByHandle(const std::vector<std::unique_ptr<T>>& array, uint16_t handle) {
  if (handle == 0) return nullptr;
  for (const auto& object : array) {
    if (object->Handle() == handle) return object.get();
  }
  return nullptr;
}

}  // namespace

void TSMBios::LinkCaches() {
  for (auto& processor : FProcessorInfo) {
    processor->L1Chache = FindByHandle(FCacheInfo, processor->GetWord(0x1A));
    processor->L2Chache = FindByHandle(FCacheInfo, processor->GetWord(0x1C));
    processor->L3Chache = FindByHandle(FCacheInfo, processor->GetWord(0x1E));
  }
}

void TSMBios::LinkMemoryArrays() {
  for (auto& device : FMemoryDeviceInfo) {
    device->PhysicalMemoryArray = FindByHandle(FPhysicalMemoryArrayInfo, device->GetWord(0x04));
  }
}

void TSMBios::ClearStructures() {
  FBiosInfo = {};
  FSysInfo = {};
  FBaseBoardInfo.clear();
  FEnclosureInfo.clear();
  FProcessorInfo.clear();
  FCacheInfo.clear();
  FPortConnectorInfo.clear();
  FSystemSlotInfo.clear();
  FOEMStringsInfo.clear();
  FBIOSLanguageInfo.clear();
  FSystemConfInfo.clear();
  FPhysicalMemoryArrayInfo.clear();
  FMemoryDeviceInfo.clear();
  FBatteryInformation.clear();
  FMemoryArrayMappedAddressInformation.clear();
  FMemoryDeviceMappedAddressInformation.clear();
  FBuiltInPointingDeviceInformation.clear();
  FVoltageProbeInformation.clear();
  FCoolingDeviceInformation.clear();
  FTemperatureProbeInformation.clear();
  FElectricalCurrentProbeInformation.clear();
  FOnBoardSystemInfo.clear();
  FMemoryControllerInfo.clear();
  FMemoryModuleInfo.clear();
  FGroupAssociationsInformation.clear();
}

std::unique_ptr<TSMBios> CreateSMBios(const WmiQueryFunction& query) {
  try {
    return std::make_unique<TSMBios>(query);
  } catch (const std::exception&) {
    return nullptr;
  }
}

}  // namespace vsm

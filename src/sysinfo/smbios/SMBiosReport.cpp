#include "sysinfo/smbios/SMBiosReport.h"

#include "base/text.h"

namespace vsm {
namespace {

const char* const kTypeNames[] = {
    "BIOSInformation",
    "SystemInformation",
    "BaseBoardInformation",
    "EnclosureInformation",
    "ProcessorInformation",
    "MemoryControllerInformation",
    "MemoryModuleInformation",
    "CacheInformation",
    "PortConnectorInformation",
    "SystemSlotsInformation",
    "OnBoardDevicesInformation",
    "OEMStrings",
    "SystemConfigurationOptions",
    "BIOSLanguageInformation",
    "GroupAssociations",
    "SystemEventLog",
    "PhysicalMemoryArray",
    "MemoryDevice",
    "MemoryErrorInformation",
    "MemoryArrayMappedAddress",
    "MemoryDeviceMappedAddress",
    "BuiltinPointingDevice",
    "PortableBattery",
    "SystemReset",
    "HardwareSecurity",
    "SystemPowerControls",
    "VoltageProbe",
    "CoolingDevice",
    "TemperatureProbe",
    "ElectricalCurrentProbe",
    "OutofBandRemoteAccess",
    "BootIntegrityServicesEntryPoint",
    "SystemBootInformation",
    "x64BitMemoryErrorInformation",
    "ManagementDevice",
    "ManagementDeviceComponent",
    "ManagementDeviceThresholdData",
    "MemoryChannel",
    "IPMIDeviceInformation",
    "SystemPowerSupply",
    "AdditionalInformation",
    "OnboardDevicesExtendedInformation",
    "ManagementControllerHostInterface",
};

std::string TypeName(uint8_t type) {
  if (type < std::size(kTypeNames)) return kTypeNames[type];
  if (type == Inactive) return "Inactive";
  if (type == EndofTable) return "EndofTable";
  return Format("SMBIOSTable%d", type);
}

const char* const kSRAMTypeNames[] = {"SROther",         "SRUnknown",     "SRNon_Burst",   "SRBurst",
                                      "SRPipelineBurst", "SRSynchronous", "SRAsynchronous"};
const char* const kErrorCorrectionNames[] = {"ECFiller", "ECOther",         "ECUnknown",     "ECNone",
                                             "ECParity", "ECSingle_bitECC", "ECMulti_bitECC"};
const char* const kSystemCacheNames[] = {"SCFiller",      "SCOther", "SCUnknown",
                                         "SCInstruction", "SCData",  "SCUnified"};

std::string SRAMTypesText(const TCacheSRAMTypes& types) {
  std::string text;
  for (size_t i = 0; i < types.size(); ++i) {
    if (!types.test(i)) continue;
    if (!text.empty()) text += ", ";
    text += kSRAMTypeNames[i];
  }
  return text.empty() ? "none" : text;
}

class Listing {
 public:
  void Line(const std::string& line) { FText += line + "\n"; }
  void Field(const char* name, const std::string& value) {
    FText += Format("  %s: %s\n", name, value.c_str());
  }
  void Number(const char* name, unsigned long long value) { Field(name, std::to_string(value)); }
  void Link(const char* name, const TSMBiosStructure* target) {
    Field(name, target ? Format("handle 0x%04X", target->Handle()) : "none");
  }
  // Strings 1 to `count` of a structure.
  template <typename GetText>
  void Strings(const char* name, int count, GetText getText) {
    for (int i = 1; i <= count; ++i) Field(Format("%s(%d)", name, i).c_str(), getText(i));
  }
  const std::string& Text() const { return FText; }

 private:
  std::string FText;
};

void Describe(Listing& out, const TBiosInformation& bios) {
  out.Field("VendorStr", bios.VendorStr());
  out.Field("VersionStr", bios.VersionStr());
  out.Field("ReleaseDateStr", bios.ReleaseDateStr());
}

void Describe(Listing& out, const TSystemInformation& system) {
  out.Field("ManufacturerStr", system.ManufacturerStr());
  out.Field("ProductNameStr", system.ProductNameStr());
  out.Field("VersionStr", system.VersionStr());
  out.Field("SerialNumberStr", system.SerialNumberStr());
  out.Field("SKUNumberStr", system.SKUNumberStr());
  out.Field("FamilyStr", system.FamilyStr());
}

void Describe(Listing& out, const TBaseBoardInformation& board) {
  out.Field("ManufacturerStr", board.ManufacturerStr());
  out.Field("ProductStr", board.ProductStr());
  out.Field("VersionStr", board.VersionStr());
  out.Field("SerialNumberStr", board.SerialNumberStr());
  out.Field("AssetTagStr", board.AssetTagStr());
  out.Field("LocationinChassisStr", board.LocationinChassisStr());
  out.Field("BoardTypeStr", board.BoardTypeStr());
}

void Describe(Listing& out, const TEnclosureInformation& enclosure) {
  out.Field("ManufacturerStr", enclosure.ManufacturerStr());
  out.Field("TypeStr", enclosure.TypeStr());
  out.Field("VersionStr", enclosure.VersionStr());
  out.Field("SerialNumberStr", enclosure.SerialNumberStr());
  out.Field("AssetTagNumberStr", enclosure.AssetTagNumberStr());
  out.Field("BootUpStateStr", enclosure.BootUpStateStr());
  out.Field("PowerSupplyStateStr", enclosure.PowerSupplyStateStr());
}

void Describe(Listing& out, const TProcessorInformation& processor) {
  out.Field("SocketDesignationStr", processor.SocketDesignationStr());
  out.Field("ProcessorTypeStr", processor.ProcessorTypeStr());
  out.Field("ProcessorFamilyStr", processor.ProcessorFamilyStr());
  out.Field("ProcessorManufacturerStr", processor.ProcessorManufacturerStr());
  out.Field("ProcessorVersionStr", processor.ProcessorVersionStr());
  out.Field("GetProcessorVoltaje", Format("%.1f V", processor.GetProcessorVoltaje()));
  out.Field("ProcessorUpgradeStr", processor.ProcessorUpgradeStr());
  out.Link("L1Chache", processor.L1Chache);
  out.Link("L2Chache", processor.L2Chache);
  out.Link("L3Chache", processor.L3Chache);
  out.Field("SerialNumberStr", processor.SerialNumberStr());
  out.Field("AssetTagStr", processor.AssetTagStr());
  out.Field("PartNumberStr", processor.PartNumberStr());
}

void Describe(Listing& out, const TMemoryControllerInformation& controller) {
  out.Field("GetErrorDetectingMethodDescr", controller.GetErrorDetectingMethodDescr());
  out.Field("GetSupportedInterleaveDescr", controller.GetSupportedInterleaveDescr());
  out.Field("GetCurrentInterleaveDescr", controller.GetCurrentInterleaveDescr());
}

void Describe(Listing& out, const TMemoryModuleInformation& module) {
  out.Field("GetSocketDesignationDescr", module.GetSocketDesignationDescr());
}

void Describe(Listing& out, const TCacheInformation& cache) {
  out.Field("SocketDesignationStr", cache.SocketDesignationStr());
  out.Field("GetMaximumCacheSize", Format("%u KB", cache.GetMaximumCacheSize()));
  out.Field("GetInstalledCacheSize", Format("%u KB", cache.GetInstalledCacheSize()));
  out.Field("GetSupportedSRAMType", SRAMTypesText(cache.GetSupportedSRAMType()));
  out.Field("GetCurrentSRAMType", SRAMTypesText(cache.GetCurrentSRAMType()));
  out.Field("GetErrorCorrectionType", kErrorCorrectionNames[cache.GetErrorCorrectionType()]);
  out.Field("GetSystemCacheType", kSystemCacheNames[cache.GetSystemCacheType()]);
  out.Field("AssociativityStr", cache.AssociativityStr());
}

void Describe(Listing& out, const TPortConnectorInformation& port) {
  out.Field("InternalReferenceDesignatorStr", port.InternalReferenceDesignatorStr());
  out.Field("GetConnectorType(internal)", port.GetConnectorType(port.GetByte(0x05)));
  out.Field("ExternalReferenceDesignatorStr", port.ExternalReferenceDesignatorStr());
  out.Field("GetConnectorType(external)", port.GetConnectorType(port.GetByte(0x07)));
  out.Field("PortTypeStr", port.PortTypeStr());
}

void Describe(Listing& out, const TSystemSlotInformation& slot) {
  out.Field("SlotDesignationStr", slot.SlotDesignationStr());
  out.Field("GetSlotType", slot.GetSlotType());
  out.Field("GetSlotDataBusWidth", slot.GetSlotDataBusWidth());
  out.Field("GetCurrentUsage", slot.GetCurrentUsage());
  out.Field("GetSlotLength", slot.GetSlotLength());
}

void Describe(Listing& out, const TOnBoardSystemInformation& device) {
  out.Field("Enabled", device.Enabled() ? "yes" : "no");
  out.Field("GetTypeDescription", device.GetTypeDescription());
  out.Field("GetDescription", device.GetDescription());
}

// OEM strings, configuration options and BIOS languages give their string count at 04h.
void Describe(Listing& out, const TOEMStringsInformation& oem) {
  out.Strings("GetOEMString", oem.GetByte(0x04), [&](int i) { return oem.GetOEMString(i); });
}

void Describe(Listing& out, const TSystemConfInformation& options) {
  out.Strings("GetConfString", options.GetByte(0x04), [&](int i) { return options.GetConfString(i); });
}

void Describe(Listing& out, const TBIOSLanguageInformation& languages) {
  out.Strings("GetLanguageString", languages.GetByte(0x04),
              [&](int i) { return languages.GetLanguageString(i); });
  out.Field("GetCurrentLanguageStr", languages.GetCurrentLanguageStr());
}

void Describe(Listing& out, const TGroupAssociationsInformation& group) {
  out.Field("GetGroupName", group.GetGroupName());
}

void Describe(Listing& out, const TPhysicalMemoryArrayInformation& array) {
  out.Field("GetLocationStr", array.GetLocationStr());
  out.Field("GetUseStr", array.GetUseStr());
  out.Field("GetErrorCorrectionStr", array.GetErrorCorrectionStr());
}

void Describe(Listing& out, const TMemoryDeviceInformation& device) {
  out.Link("PhysicalMemoryArray", device.PhysicalMemoryArray);
  out.Number("GetSize (MB)", device.GetSize());
  out.Field("GetFormFactor", device.GetFormFactor());
  out.Field("GetDeviceLocatorStr", device.GetDeviceLocatorStr());
  out.Field("GetBankLocatorStr", device.GetBankLocatorStr());
  out.Field("GetMemoryTypeStr", device.GetMemoryTypeStr());
  out.Field("ManufacturerStr", device.ManufacturerStr());
  out.Field("SerialNumberStr", device.SerialNumberStr());
  out.Field("AssetTagStr", device.AssetTagStr());
  out.Field("PartNumberStr", device.PartNumberStr());
}

void Describe(Listing& out, const TBuiltInPointingDeviceInformation& device) {
  out.Field("GetType", device.GetType());
  out.Field("GetInterface", device.GetInterface());
}

void Describe(Listing& out, const TBatteryInformation& battery) {
  out.Field("GetLocationStr", battery.GetLocationStr());
  out.Field("GetManufacturerStr", battery.GetManufacturerStr());
  out.Field("GetManufacturerDateStr", battery.GetManufacturerDateStr());
  out.Field("GetSerialNumberStr", battery.GetSerialNumberStr());
  out.Field("GetDeviceNameStr", battery.GetDeviceNameStr());
  out.Field("GetDeviceChemistry", battery.GetDeviceChemistry());
  out.Field("GetSBDSVersionNumberStr", battery.GetSBDSVersionNumberStr());
  const TSMBiosDate date = battery.GetSBDSManufacturerDate();
  out.Field("GetSBDSManufacturerDate", Format("%04d-%02d-%02d", date.Year, date.Month, date.Day));
  out.Field("GetSBDSDeviceChemistryStr", battery.GetSBDSDeviceChemistryStr());
}

template <typename Probe>
void DescribeProbe(Listing& out, const Probe& probe) {
  out.Field("GetDescriptionStr", probe.GetDescriptionStr());
  out.Field("GetLocation", probe.GetLocation());
  out.Field("GetStatus", probe.GetStatus());
}

void Describe(Listing& out, const TVoltageProbeInformation& probe) { DescribeProbe(out, probe); }
void Describe(Listing& out, const TTemperatureProbeInformation& probe) { DescribeProbe(out, probe); }
void Describe(Listing& out, const TElectricalCurrentProbeInformation& probe) { DescribeProbe(out, probe); }

void Describe(Listing& out, const TCoolingDeviceInformation& device) {
  out.Field("GetDeviceType", device.GetDeviceType());
  out.Field("GetStatus", device.GetStatus());
  out.Field("GetDescriptionStr", device.GetDescriptionStr());
}

// Mapped-address structures carry only their pointer.
void Describe(Listing&, const TMemoryArrayMappedAddressInformation&) {}
void Describe(Listing&, const TMemoryDeviceMappedAddressInformation&) {}

// Describes the object of `array` built for the structure at `index`; false when there is none.
template <typename T>
bool DescribeObjectAt(Listing& out, const std::vector<std::unique_ptr<T>>& array, int32_t index) {
  for (const auto& object : array) {
    if (object->Index() != index) continue;
    Describe(out, *object);
    return true;
  }
  return false;
}

bool DescribeEntry(Listing& out, const TSMBios& smbios, const TSMBiosTableEntry& entry) {
  const int32_t at = entry.Index;
  switch (entry.Header.TableType) {
    case BIOSInformation:
      if (smbios.BiosInfo().Index() != at) return false;
      Describe(out, smbios.BiosInfo());
      return true;
    case SystemInformation:
      if (smbios.SysInfo().Index() != at) return false;
      Describe(out, smbios.SysInfo());
      return true;
    case BaseBoardInformation: return DescribeObjectAt(out, smbios.BaseBoardInfo(), at);
    case EnclosureInformation: return DescribeObjectAt(out, smbios.EnclosureInfo(), at);
    case ProcessorInformation: return DescribeObjectAt(out, smbios.ProcessorInfo(), at);
    case MemoryControllerInformation: return DescribeObjectAt(out, smbios.MemoryControllerInfo(), at);
    case MemoryModuleInformation: return DescribeObjectAt(out, smbios.MemoryModuleInfo(), at);
    case CacheInformation: return DescribeObjectAt(out, smbios.CacheInfo(), at);
    case PortConnectorInformation: return DescribeObjectAt(out, smbios.PortConnectorInfo(), at);
    case SystemSlotsInformation: return DescribeObjectAt(out, smbios.SystemSlotInfo(), at);
    case OnBoardDevicesInformation: return DescribeObjectAt(out, smbios.OnBoardSystemInfo(), at);
    case OEMStrings: return DescribeObjectAt(out, smbios.OEMStringsInfo(), at);
    case SystemConfigurationOptions: return DescribeObjectAt(out, smbios.SystemConfInfo(), at);
    case BIOSLanguageInformation: return DescribeObjectAt(out, smbios.BIOSLanguageInfo(), at);
    case GroupAssociations: return DescribeObjectAt(out, smbios.GroupAssociationsInformation(), at);
    case PhysicalMemoryArray: return DescribeObjectAt(out, smbios.PhysicalMemoryArrayInfo(), at);
    case MemoryDevice: return DescribeObjectAt(out, smbios.MemoryDeviceInfo(), at);
    case MemoryArrayMappedAddress:
      return DescribeObjectAt(out, smbios.MemoryArrayMappedAddressInformation(), at);
    case MemoryDeviceMappedAddress:
      return DescribeObjectAt(out, smbios.MemoryDeviceMappedAddressInformation(), at);
    case BuiltinPointingDevice: return DescribeObjectAt(out, smbios.BuiltInPointingDeviceInformation(), at);
    case PortableBattery: return DescribeObjectAt(out, smbios.BatteryInformation(), at);
    case VoltageProbe: return DescribeObjectAt(out, smbios.VoltageProbeInformation(), at);
    case CoolingDevice: return DescribeObjectAt(out, smbios.CoolingDeviceInformation(), at);
    case TemperatureProbe: return DescribeObjectAt(out, smbios.TemperatureProbeInformation(), at);
    case ElectricalCurrentProbe: return DescribeObjectAt(out, smbios.ElectricalCurrentProbeInformation(), at);
    default: return false;
  }
}

}  // namespace

std::string DescribeSMBiosStructures(const TSMBios& smbios) {
  Listing out;
  out.Line(Format("SMBIOS %s, %d structures in %u bytes", smbios.SmbiosVersion().c_str(),
                  static_cast<int>(smbios.SMBiosTablesList().size()), smbios.RawSMBIOSData().Length));
  for (const TSMBiosTableEntry& entry : smbios.SMBiosTablesList()) {
    out.Line("");
    out.Line(Format("Handle 0x%04X, type %d %s, %d bytes at offset %d", entry.Header.Handle,
                    entry.Header.TableType, TypeName(entry.Header.TableType).c_str(), entry.Header.Length,
                    entry.Index));
    // The BIOS and system objects stand for the first structure of their type only.
    if (!DescribeEntry(out, smbios, entry)) out.Line("  (no object of the program)");
  }
  return out.Text();
}

}  // namespace vsm

// Fuzz target: any bytes, taken as each of the inputs the SMBIOS code accepts (a bare table, a
// dmidecode dump, the program's dump file, a memory image, a WMI answer), then every structure
// object and accessor read through the developer listing and the memory page with its report, and
// the string lookup of every entry.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "pages/InfoPages.h"
#include "pages/InfoReport.h"
#include "sysinfo/smbios/SMBiosDump.h"
#include "sysinfo/smbios/SMBiosReport.h"
#include "sysinfo/smbios/uSMBIOS.h"

namespace {

void Exercise(const vsm::TSMBios& smbios, uint8_t stringNumber) {
  vsm::DescribeSMBiosStructures(smbios);
  vsm::THardwareParts parts;
  parts.smbios = &smbios;
  vsm::TInfoTree memoryPage;
  vsm::FillMemoryPage(memoryPage, &parts, {});
  vsm::InfoReportText("", memoryPage);
  for (const vsm::TSMBiosTableEntry& entry : smbios.SMBiosTablesList()) {
    const auto type = static_cast<vsm::TSMBiosTablesTypes>(entry.Header.TableType);
    smbios.GetSMBiosString(entry.Index + entry.Header.Length, stringNumber);
    smbios.GetSMBiosTableNextIndex(type, entry.Index);
    smbios.SearchSMBiosTable(type);
  }
}

void Load(std::optional<vsm::TRawSMBIOSData> raw, uint8_t stringNumber) {
  if (!raw) return;
  const vsm::TSMBios smbios(std::move(*raw));
  Exercise(smbios, stringNumber);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const uint8_t mode = data[0];
  const uint8_t stringNumber = data[1];
  const std::span<const uint8_t> bytes(data + 2, size - 2);
  switch (mode % 5) {
    case 0: {
      vsm::TRawSMBIOSData raw;
      raw.Length = static_cast<uint32_t>(bytes.size());
      raw.SMBIOSTableData.assign(bytes.begin(), bytes.end());
      Load(std::move(raw), stringNumber);
      break;
    }
    case 1: Load(vsm::DecodeDmidecodeDump(bytes), stringNumber); break;
    case 2: Load(vsm::DecodeSMBiosDump(bytes), stringNumber); break;
    case 3: Load(vsm::FindSMBiosEntryPoint(bytes), stringNumber); break;
    default: {
      // A WMI answer whose Size is the string-number byte scaled, to reach sizes both below and
      // above the delivered bytes.
      vsm::WmiObject object;
      object.Set("SMBiosData", vsm::WmiValue::Bytes({bytes.begin(), bytes.end()}));
      object.Set("Size", vsm::WmiValue::Int(static_cast<int64_t>(stringNumber) * 64));
      const vsm::WmiQueryFunction query = [&](std::string_view, std::string_view) {
        return std::optional<vsm::WmiObjects>(vsm::WmiObjects{object});
      };
      if (auto smbios = vsm::CreateSMBios(query)) Exercise(*smbios, stringNumber);
      break;
    }
  }
  return 0;
}

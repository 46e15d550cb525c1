#include "base/text.h"
#include "pages/InfoPages.h"
#include "pages/PageFill.h"
#include "sysinfo/smbios/uSMBIOS.h"

namespace vsm {
namespace {

// A memory device's word figure: FFFFh, like 0, means the table does not know it.
std::string WordFigure(uint16_t word, const char* unit) {
  return FigureText(word == 0xFFFF ? 0 : word, unit);
}

}  // namespace

void FillMemoryPage(TInfoTree& tree, const THardwareParts* hardware, const TPageTexts& texts) {
  const TPageFill fill(tree, kInfoRowHeight, {kInfoValueColumn, false});
  if (!hardware || !hardware->smbios || !hardware->smbios->HasMemoryDeviceInfo()) return;
  for (const auto& device : hardware->smbios->MemoryDeviceInfo()) {
    const uint32_t megabytes = device->GetSize();
    if (megabytes == 0) continue;  // an empty slot
    TInfoRow& slot = tree.Add(texts.Caption("MemSlot", "Memory Slot:"), device->GetDeviceLocatorStr());
    slot.Expanded = true;
    slot.Add(texts.Caption("Form", "Form Factor"), device->GetFormFactor());
    slot.Add(texts.Caption("Total", "Total"), WordFigure(device->GetWord(0x08), " bits"));
    slot.Add(texts.Caption("DataWidth", "Data Width"), WordFigure(device->GetWord(0x0A), " bits"));
    // A module of 4 GB or more does not fit in 32 bits as bytes.
    slot.Add(texts.Caption("Size", "Size"), texts.ByteSize(static_cast<int64_t>(megabytes) * 1024 * 1024));
    slot.Add(texts.Caption("MemoryType", "Memory Type"), device->GetMemoryTypeStr());
    slot.Add(texts.Caption("Speed", "Speed"), FigureText(device->GetSpeed(), " MHz"));
    slot.Add(texts.Caption("Manufacter", "Manufacter"), device->ManufacturerStr());
    slot.Add(texts.Caption("Serial", "Serial Number"), device->SerialNumberStr());
  }
}

}  // namespace vsm

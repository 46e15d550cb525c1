#include "base/text.h"
#include "hardware/superio/MainBord.h"
#include "pages/InfoPages.h"
#include "pages/PageFill.h"
#include "sysinfo/smbios/uSMBIOS.h"

namespace vsm {

void FillBoardPage(TInfoTree& tree, const TMainBord& board, const TSMBios* smbios, const TPageTexts& texts) {
  const TPageFill fill(tree, kInfoRowHeight, {kInfoValueColumn, false});
  tree.Add(texts.Caption("Manufacter", "Manufacter"), board.Manufacturer);
  tree.Add(texts.Caption("Product", "Product"), board.Product);
  tree.Add(texts.Caption("Version", "Version"), board.Version);
  tree.Add(texts.Caption("Serial", "Serial Number"), board.SerialNumber);
  // A table without a baseboard structure adds nothing, even when it has BIOS and memory ones.
  if (!smbios || !smbios->HasBaseBoardInfo()) return;

  const TBaseBoardInformation& baseBoard = *smbios->BaseBoardInfo().front();
  tree.Add(texts.Caption("BoardType", "Board Type"),
           Format("%.2x %s", baseBoard.GetByte(0x0D), baseBoard.BoardTypeStr().c_str()));  // two digits
  const TBiosInformation& bios = smbios->BiosInfo();
  if (bios.Raw()) {
    TInfoRow& biosRow = tree.Add("BIOS");
    biosRow.Expanded = true;
    biosRow.Add(texts.Caption("Version", "Version"), bios.VersionStr());
    biosRow.Add(texts.Caption("BiosDate", "Bios Release Date"), bios.ReleaseDateStr());
  }
  if (smbios->HasMemoryDeviceInfo()) {
    // Every slot counts, empty ones too.
    TInfoRow& slots = tree.Add(texts.Caption("MemSlotCount", "Memory Slot Count"),
                               Format("%d", static_cast<int>(smbios->MemoryDeviceInfo().size())));
    slots.Expanded = true;
  }
}

}  // namespace vsm

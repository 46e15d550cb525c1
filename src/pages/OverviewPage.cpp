#include "hardware/cpu/CpuInfo.h"
#include "hardware/disk/DiskList.h"
#include "hardware/graphics/GraphicsList.h"
#include "hardware/superio/MainBord.h"
#include "pages/InfoPages.h"
#include "pages/PageFill.h"
#include "software/network/NetList.h"
#include "sysinfo/SoundList.h"

namespace vsm {
namespace {

// Maker, product and "(version)", each only when the board names it.
std::string BoardSummary(const TMainBord& board) {
  std::string text = board.Manufacturer;
  auto append = [&text](const std::string& part) {
    if (part.empty()) return;
    if (!text.empty()) text += ' ';
    text += part;
  };
  append(board.Product);
  if (!board.Version.empty()) append("(" + board.Version + ")");
  return text;
}

}  // namespace

void FillOverviewPage(TInfoTree& tree, const THardwareParts* hardware, int64_t totalPhysicalMemory,
                      const TPageTexts& texts) {
  const TPageFill fill(tree, kTallInfoRowHeight, {kOverviewValueColumn, false});
  if (!hardware) return;
  const THardwareParts& hw = *hardware;
  if (hw.cpu) tree.Add(texts.Caption("CPU", "CPU"), hw.cpu->Name);
  if (hw.board) tree.Add(texts.Caption("Board", "Mainboard"), BoardSummary(*hw.board));
  tree.Add(texts.Caption("Memory", "Memory"), texts.ByteSize(totalPhysicalMemory));
  if (hw.hdds && hw.hdds->Count() > 0) {
    tree.Add(texts.Caption("Disk", "Disk"), hw.hdds->GetDisk(0)->Name());
  }
  if (hw.Graphics && hw.Graphics->Count() > 0) {
    tree.Add(texts.Caption("Graphics", "Graphics"), hw.Graphics->GetGraphics(0)->Name());
  }
  if (hw.netAdapters && hw.netAdapters->Count() > 0) {
    tree.Add(texts.Caption("NetAdater", "Netword Adapter"), hw.netAdapters->GetAdapter(0)->Name());
  }
  if (hw.sounds && hw.sounds->Count() > 0) {
    tree.Add(texts.Caption("SoundCard", "Sound Card"), hw.sounds->GetSound(0)->Name());
  }
}

}  // namespace vsm

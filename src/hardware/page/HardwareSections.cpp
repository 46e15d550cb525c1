#include "hardware/page/HardwareSections.h"

namespace vsm {

const std::array<TSectionButton, 8>& SectionButtons() {
  static const std::array<TSectionButton, 8> buttons{{
      {THardwareSection::Overview, "btnOverview", "Overview"},
      {THardwareSection::Processor, "btnProcessor", "Processor"},
      {THardwareSection::Board, "btnBoard", "Mainboard"},
      {THardwareSection::Memory, "btnMemory", "Memory"},
      {THardwareSection::Graphics, "btnGraphic", "Graphic Card"},
      {THardwareSection::Disk, "btnDisk", "Hard Drive"},
      {THardwareSection::Sound, "btnSoundCard", "Sound Card"},
      {THardwareSection::Network, "btnNetAdapter", "Network Adapter"},
  }};
  return buttons;
}

bool FillHardwareSection(TInfoTree& tree, THardwareSection section, const THardwareParts* hardware,
                         int64_t totalPhysicalMemory, const TPageTexts& texts,
                         const TBoardArrayReader& boardArrays) {
  if (hardware == nullptr) return false;
  switch (section) {
    case THardwareSection::Overview: FillOverviewPage(tree, hardware, totalPhysicalMemory, texts); break;
    case THardwareSection::Processor: FillProcessorPage(tree, hardware, texts); break;
    case THardwareSection::Board:
      if (hardware->board == nullptr) return false;
      FillBoardPage(tree, *hardware->board, hardware->smbios, texts);
      AddBoardSensorGroups(tree, boardArrays, [&texts](const std::string& key, const std::string& builtIn) {
        return texts.Caption(key, builtIn);
      });
      break;
    case THardwareSection::Memory: FillMemoryPage(tree, hardware, texts); break;
    case THardwareSection::Graphics: FillGraphicsPage(tree, hardware, texts); break;
    case THardwareSection::Disk: FillDiskPage(tree, hardware, texts); break;
    case THardwareSection::Network: FillNetworkPage(tree, hardware, texts); break;
    case THardwareSection::Sound: FillSoundPage(tree, hardware, texts); break;
  }
  return true;
}

}  // namespace vsm

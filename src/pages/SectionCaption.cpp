#include "pages/SectionCaption.h"

#include "hardware/cpu/CpuInfo.h"
#include "hardware/graphics/GraphicsList.h"
#include "hardware/superio/MainBord.h"

namespace vsm {

std::string SectionCaption(THardwareSection section, const THardwareParts& hardware,
                           const TPageTexts& texts) {
  switch (section) {
    case THardwareSection::Overview: return texts.Caption("Overview", "Hardware Overview");
    case THardwareSection::Processor: return hardware.cpu ? hardware.cpu->Name : std::string();
    case THardwareSection::Board:
      if (!hardware.board) return {};
      return hardware.board->Manufacturer + " " + hardware.board->Product + " " + hardware.board->Version;
    case THardwareSection::Memory: return texts.Caption("btnMemory.caption", "Memory");
    case THardwareSection::Graphics:
      if (!hardware.Graphics || hardware.Graphics->Count() == 0) return {};
      return hardware.Graphics->GetGraphics(0)->Name();
    case THardwareSection::Disk: return texts.Caption("btnDisk.caption", "Hard Drive");
    case THardwareSection::Network: return texts.Caption("btnNetAdapter.caption", "Network Adapter");
    case THardwareSection::Sound: return texts.Caption("btnSoundCard.caption", "Sound Card");
  }
  return {};
}

}  // namespace vsm

#include "pages/HardwareParts.h"

namespace vsm {

THardwareParts HardwareParts(THardware& hardware) {
  THardwareParts parts;
  parts.cpu = hardware.cpu.get();
  parts.board = hardware.board.get();
  parts.hdds = hardware.hdds.get();
  parts.Graphics = hardware.Graphics.get();
  parts.netAdapters = hardware.netAdapters.get();
  parts.sounds = hardware.sounds.get();
  parts.smbios = hardware.smbios.get();
  // A reading the snapshot does not have stays 0, which the pages show as no reading.
  parts.reading = [&hardware](int hardwareClass, int index) {
    double value = 0;
    hardware.GetAsynData(hardwareClass, index, value);
    return value;
  };
  return parts;
}

}  // namespace vsm

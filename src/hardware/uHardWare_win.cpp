#include "hardware/uHardWare_win.h"

#include "drivers/DriverManager_win.h"
#include "hardware/BusLock_win.h"
#include "hardware/cpu/CpuDetection.h"
#include "hardware/cpu/CpuSeams_win.h"
#include "hardware/disk/VolumeSystem_win.h"
#include "hardware/graphics/GraphicsList_win.h"
#include "hardware/superio/BoardDetection.h"
#include "software/network/NetList_win.h"
#include "sysinfo/wmi_win.h"

namespace vsm {

std::unique_ptr<THardware> CreateHardware() {
  const WmiQueryFunction wmi = SystemWmi();
  THardwareFactory factory;
  factory.smbios = [wmi] { return CreateSMBios(wmi); };
  factory.netAdapters = [] { return GetNetList(); };
  factory.sounds = [wmi] { return CreateSoundList(wmi); };
  factory.graphics = [] { return CreateSystemGraphicsList(); };
  factory.cpu = [wmi] { return DetectCpu(WindowsCpuSeams(wmi)); };
  factory.board = [wmi] {
    TSuperIoEnvironment environment;
    environment.channels = [] { return OpenDriverChannel(DriverKind::HardwareAccess); };
    environment.wmi = wmi;
    environment.bus = IsaBusLock();
    return DetectMainBord(environment);
  };
  factory.disks = [] { return EnumerateWindowsDisks(); };
  factory.zones = [wmi] { return std::make_unique<TThermalZones>(wmi); };
  return std::make_unique<THardware>(factory);
}

}  // namespace vsm

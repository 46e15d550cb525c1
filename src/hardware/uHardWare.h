#pragma once
// The one object through which the program sees the machine's hardware: it owns every hardware
// component, refreshes the sensors on a worker thread once per period, and keeps a snapshot of the
// latest readings that the windows copy out under a brief lock.
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "hardware/acpi/ThermalZones.h"
#include "hardware/cpu/CpuInfo.h"
#include "hardware/disk/DiskList.h"
#include "hardware/graphics/GraphicsList.h"
#include "hardware/superio/MainBord.h"
#include "software/network/NetList.h"
#include "sysinfo/SoundList.h"
#include "sysinfo/smbios/uSMBIOS.h"

namespace vsm {

// Hardware classes of update and GetAsynData.
enum THardwareClass : unsigned {
  hcGraphicsUsage = 4,
  hcDiskTemp = 8,
  hcBoard = 16,
  hcCpuTemp = 32,
  hcGraphicsTemp = 64,
  hcZoneTemp = 128,
};

// How each component comes about, called in this order by the constructor. A function that is
// missing, answers nothing or throws gives the component's generic form (no SMBIOS table, empty
// lists, an unknown processor, a board without a chip).
struct THardwareFactory {
  std::function<std::unique_ptr<TSMBios>()> smbios;
  std::function<std::unique_ptr<TNetList>()> netAdapters;
  std::function<std::unique_ptr<TSoundList>()> sounds;
  std::function<std::unique_ptr<TGraphicsList>()> graphics;
  std::function<std::unique_ptr<TCpuInfo>()> cpu;
  std::function<std::unique_ptr<TMainBord>()> board;
  std::function<std::unique_ptr<TDiskList>()> disks;
  std::function<std::unique_ptr<TThermalZones>()> zones;
};

class THardware;
// Called on the update thread after each cycle.
using THardwareNotify = std::function<void(THardware& hardware)>;

// The components the aggregator owns; freed in this order: disks, network adapters, sound
// devices, SMBIOS table, processor, board, graphics cards, thermal zones.
struct THardwareComponents {
  THardwareComponents() = default;
  THardwareComponents(THardwareComponents&&) = default;
  THardwareComponents& operator=(THardwareComponents&&) = delete;
  ~THardwareComponents();

  std::unique_ptr<TSMBios> smbios;  // null when no table could be had
  std::unique_ptr<TNetList> netAdapters;
  std::unique_ptr<TSoundList> sounds;
  std::unique_ptr<TGraphicsList> Graphics;
  std::unique_ptr<TCpuInfo> cpu;
  std::unique_ptr<TMainBord> board;
  std::unique_ptr<TDiskList> hdds;
  std::unique_ptr<TThermalZones> zones;
};

// The components are never null except smbios.
class THardware : public THardwareComponents {
 public:
  explicit THardware(const THardwareFactory& factory);
  THardware(const THardware&) = delete;
  THardware& operator=(const THardware&) = delete;
  // Stops the update thread and waits for its cycle (at most the period plus 100 ms), then frees
  // the components. A cycle that is still running after that keeps the components until it ends.
  ~THardware();

  // Starts the update thread: a cycle of every class, the notification when there is one, then a
  // sleep of periodMs, until EndTimer; a period of 0 runs one cycle. A thread that is still
  // running is stopped and waited for first. The notification must not wait for the thread that
  // destroys this object.
  void StartAsynTimer(unsigned periodMs, THardwareNotify notify = {});
  // Asks the thread to stop; it ends after its current cycle. Does not wait.
  void EndTimer();
  // Asks the thread to stop and waits for its cycle, at most the period plus 100 ms, so that no
  // register sequence is cut off by the end of the process. Whether the thread has ended.
  bool EndTimerAndWait();

  // Refreshes the components of the classes in temps (0 = all), then takes the snapshot.
  void update(unsigned temps);

  // One value of the snapshot by class flag and index (see THardwareClass): card usage (4), disk
  // temperature (8), CPU average at 0 and core n at n (32), card temperature (64). An index
  // outside the snapshot or a flag without a single value leaves Data unchanged.
  void GetAsynData(int hard, int idx, double& Data);
  // The board's voltages (idx 0), temperatures (1) or fans (2) (flag 16), or the thermal zones
  // (flag 128, idx 0); anything else leaves Data unchanged.
  void GetAsynData(int hard, int idx, TSenorArray& Data);

 private:
  struct TSnapshot;
  struct TUpdateThread;

  std::shared_ptr<TSnapshot> FSnapshot;
  // The update thread, running or asked to stop; joined at the next start or at destruction.
  std::shared_ptr<TUpdateThread> FWorker;
};

// The process-wide instance, set by the hidden main form at start-up.
extern std::unique_ptr<THardware> Hardware;

}  // namespace vsm

#pragma once
// The processor: its identity from CPUID and WMI, and one temperature per core. One subclass per
// vendor and family reads the temperatures; the base keeps what all of them share.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "hardware/Drivers.h"
#include "hardware/cpu/CpuSeams.h"
#include "sysinfo/wmi.h"

namespace vsm {

enum class TCpuType { AmdCPU, IntelCPU, UnknowCPU };

// Display family and model from the processor signature (CPUID leaf 1 EAX).
constexpr uint32_t DisplayFamily(uint32_t signature) {
  return ((signature >> 20) & 0xFF) + ((signature >> 8) & 0xF);
}
constexpr uint32_t DisplayModel(uint32_t signature) {
  return ((signature >> 16) & 0xF) * 16 + ((signature >> 4) & 0xF);
}

class TCpuInfo;

// Creates a processor object of class T and loads its data. The only way to make one, so that
// LoadCpuData always runs with the final class's overrides in place.
template <class T>
std::unique_ptr<T> CreateCpuInfo(TCpuSeams seams);

class TCpuInfo {
 public:
  // Handed only to CreateCpuInfo, which finishes the construction.
  class ConstructionKey {
    ConstructionKey() = default;
    template <class T>
    friend std::unique_ptr<T> CreateCpuInfo(TCpuSeams seams);
  };

  static constexpr int kMaxLeaves = 1024;
  static constexpr uint32_t kExtendedBase = 0x80000000;

  virtual ~TCpuInfo() = default;
  TCpuInfo(const TCpuInfo&) = delete;
  TCpuInfo& operator=(const TCpuInfo&) = delete;

  // Refreshes CpuTemp. Runs on the hardware update thread and pins it to each core in turn.
  virtual void Update() = 0;

  bool HasTempSensor() const { return NumberOfCores != 0 && !CpuTemp.empty() && CpuTemp[0] > 0; }

  int CpuDataLen = 0;                   // highest standard leaf kept
  int CpuExDataLen = 0;                 // number of extended leaves above 0x80000000 kept
  std::vector<TCpuidRecord> CpuData;    // leaves 0 .. CpuDataLen
  std::vector<TCpuidRecord> CpuExData;  // leaves 0x80000000 .. 0x80000000 + CpuExDataLen
  std::unique_ptr<TVeskHdDrv> driver;
  WmiObject FWmiObject;  // the first Win32_Processor object
  TCpuType CPUType;
  uint32_t CpuModel = 0;
  uint32_t Family = 0;
  uint8_t NumberOfCores = 0;
  std::vector<double> CpuTemp;  // degrees Celsius per core; 0 = no reading
  std::string VendorIDString;
  std::string Name;
  std::string Description;
  std::string Manufacturer;
  std::string ProcessorId;
  int64_t CacheSize = 0;  // bytes

 protected:
  TCpuInfo(TCpuType type, TCpuSeams seams);

  // Gathers CPUID leaves and the WMI identity; subclasses add their own set-up after it.
  virtual void LoadCpuData();

  TCpuidRecord Cpuid(uint32_t leaf) const;
  // Runs work(i) for each core with the thread pinned to logical processor i; see CorePinning.h.
  void ForEachCore(const std::function<bool(int core)>& work);

  const TCpuSeams& Seams() const { return seams_; }
  // Waits up to `timeout` for PCI configuration space; owns nothing when the wait failed.
  TBusGuard LockPciBus(std::chrono::milliseconds timeout);

 private:
  template <class T>
  friend std::unique_ptr<T> CreateCpuInfo(TCpuSeams seams);

  // Opens the driver, loads the data and sizes CpuTemp to one zero per core.
  void Initialize();
  void ReadWmiIdentity();
  void ReadCpuidLeaves();

  TCpuSeams seams_;
};

// A processor of a vendor or family without a temperature method.
class TUnkonwCPUInof final : public TCpuInfo {
 public:
  TUnkonwCPUInof(ConstructionKey, TCpuSeams seams) : TCpuInfo(TCpuType::UnknowCPU, std::move(seams)) {}
  void Update() override {}
};

template <class T>
std::unique_ptr<T> CreateCpuInfo(TCpuSeams seams) {
  auto cpu = std::make_unique<T>(TCpuInfo::ConstructionKey{}, std::move(seams));
  static_cast<TCpuInfo&>(*cpu).Initialize();
  return cpu;
}

}  // namespace vsm

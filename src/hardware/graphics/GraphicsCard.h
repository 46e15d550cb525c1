#pragma once
// A graphics card: its name, memory, clocks, fan speed, attached displays, and its temperature and
// load read live from the vendor's library. The vendor classes fill what their library reports;
// WMI's Win32_VideoController fills the rest.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sysinfo/wmi.h"

namespace vsm {

struct TDisplay {
  std::string Name, Manufacturer;
  int32_t HorzRes = 0, VertSize = 0, VertRes = 0, ColorDepth = 0, HorzSize = 0;
  std::vector<std::string> VidModes;
  int32_t ControllerIndex = 0, DisplayType = 0, OutputType = 0;
  uint32_t Connector = 0, InfoMask = 0, InfoValue = 0;
  int32_t RefreshRate = 0;  // hertz
};

class TDisplayList {
 public:
  int Count() const { return static_cast<int>(FItems.size()); }
  // Nothing for an index outside the list.
  const TDisplay* GetDisplay(int index) const;
  void Add(TDisplay display) { FItems.push_back(std::move(display)); }
  void Clear() { FItems.clear(); }

 private:
  std::vector<TDisplay> FItems;
};

class TGraphicsCard {
 public:
  virtual ~TGraphicsCard() = default;
  TGraphicsCard(const TGraphicsCard&) = delete;
  TGraphicsCard& operator=(const TGraphicsCard&) = delete;

  // Completes construction: the vendor's details first, then WMI's.
  void ReadDetails(const WmiQueryFunction& wmi);

  // Read from the vendor library on every call; 0 when there is no reading.
  virtual int usePercent() { return 0; }
  virtual double Temperature() { return 0; }
  // The cards keep no sampled state; the aggregator calls this once per cycle all the same.
  virtual void update() {}
  // Reads the sensor to answer.
  bool HasTempSensor() { return Temperature() > 0; }

  const std::string& Name() const { return FName; }
  int64_t MemorySize() const { return FAdapterRAM; }
  int32_t MemoryClock() const { return FMemoryclock; }
  int32_t coreClock() const { return FCoreclock; }
  int32_t FanSpeed() const { return FFanSpeed; }
  const std::string& MemoryType() const { return FMemoryType; }
  const TDisplayList& Displays() const { return FDisplays; }
  const std::string& Chipset() const { return FChipset; }
  const std::string& DAC() const { return FDAC; }
  int32_t Memory() const { return FMemory; }
  const std::string& BIOSVersion() const { return FBIOSVersion; }
  const std::string& BIOSDate() const { return FBIOSDate; }
  const std::string& BIOSString() const { return FBIOSString; }
  const std::string& Technology() const { return FTechnology; }

  uint32_t vendorId = 0;
  std::string Description, VideoProcessor, VideoModeDescription;

 protected:
  TGraphicsCard() = default;
  explicit TGraphicsCard(std::string name) : FName(std::move(name)) {}

  virtual void ReadVendorDetails() {}

  std::string FTechnology, FBIOSString, FBIOSVersion, FBIOSDate;
  int32_t FMemory = 0;
  std::string FChipset;
  std::string FDAC;
  std::string FName;
  int64_t FAdapterRAM = 0;                   // bytes
  int32_t FFanSpeed = 0;                     // RPM
  int32_t FMemoryclock = 0, FCoreclock = 0;  // MHz
  std::string FMemoryType;
  TDisplayList FDisplays;

 private:
  void ReadWmiDetails(const WmiQueryFunction& wmi);
};

// A card that only WMI knows: no sensors.
class TUnknowGraphics final : public TGraphicsCard {
 public:
  explicit TUnknowGraphics(std::string name) : TGraphicsCard(std::move(name)) {}
};

// The Win32_VideoController text of a VideoMemoryType code; empty for codes without one.
std::string VideoMemoryTypeName(int64_t code);

}  // namespace vsm

#pragma once
// AMD's display library (ADL) as the graphics cards use it: its calls with their result blocks
// as bytes, laid out as the library's published structures. The Windows binding forwards to the
// library's entry points; tests answer with prepared blocks.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "hardware/graphics/VendorBlock.h"

namespace vsm {

namespace adl {

constexpr int kOk = 0;
// What a call answers when the library does not export its entry point (ADL's generic error).
constexpr int kMissing = -1;

// AdapterInfo: iSize, iAdapterIndex, strUDID[256], bus/device/function numbers, iVendorID,
// strAdapterName[256], ... (1572 bytes in the Windows layout).
constexpr size_t kAdapterInfoSize = 1572;
constexpr size_t kAdapterIndexOffset = 4;
constexpr size_t kAdapterNameOffset = 280;
constexpr size_t kNameLength = 256;

// ADLMemoryInfo: iMemorySize (64-bit), strMemoryType[256], iMemoryBandwidth (64-bit).
constexpr size_t kMemoryInfoSize = 272;
constexpr size_t kMemoryTypeOffset = 8;

// ADLPMActivity: iSize, iEngineClock, iMemoryClock (10 kHz units), iVddc, iActivityPercent, ...
constexpr size_t kActivitySize = 40;
constexpr size_t kEngineClockOffset = 4;
constexpr size_t kMemoryClockOffset = 8;
constexpr size_t kActivityPercentOffset = 16;

// ADLFanSpeedValue: iSize, iSpeedType, iFanSpeed, iFlags.
constexpr size_t kFanSpeedSize = 16;
constexpr size_t kSpeedTypeOffset = 4;
constexpr size_t kFanSpeedOffset = 8;
constexpr uint32_t kSpeedTypeRpm = 2;

// ADLTemperature: iSize, iTemperature (thousandths of a degree).
constexpr size_t kTemperatureSize = 8;
constexpr size_t kTemperatureOffset = 4;

// ADLDisplayInfo: displayID {logical index, physical index, logical adapter, physical adapter},
// iDisplayControllerIndex, strDisplayName[256], strDisplayManufacturerName[256], iDisplayType,
// iDisplayOutputType, iDisplayConnector, iDisplayInfoMask, iDisplayInfoValue.
constexpr size_t kDisplayInfoSize = 552;
constexpr size_t kDisplayLogicalIndexOffset = 0;
constexpr size_t kDisplayNameOffset = 20;
constexpr size_t kDisplayManufacturerOffset = 276;
constexpr size_t kDisplayTypeOffset = 532;
constexpr size_t kDisplayOutputTypeOffset = 536;
constexpr size_t kDisplayInfoValueOffset = 548;
constexpr uint32_t kDisplayConnectedAndMapped = 0x3;

// ADLDisplayMap: iDisplayMapIndex, displayMode (ADLMode: iAdapterIndex, displayID, iXPos, iYPos,
// iXRes, iYRes, iColourDepth, fRefreshRate, ...), iNumDisplayTarget, ... (80 bytes).
constexpr size_t kDisplayMapSize = 80;
constexpr size_t kMapLogicalIndexOffset = 8;
constexpr size_t kMapXResOffset = 32;
constexpr size_t kMapYResOffset = 36;
constexpr size_t kMapColourDepthOffset = 40;
constexpr size_t kMapRefreshRateOffset = 44;
// ADLDisplayTarget, whose array the library hands out with the maps.
constexpr size_t kDisplayTargetSize = 28;

}  // namespace adl

// Every call answers the library's result code: 0 on success.
class TAdlLibrary {
 public:
  virtual ~TAdlLibrary() = default;

  virtual int NumberOfAdapters(int& count) = 0;
  // Fills records, whose size is a whole number of AdapterInfo records.
  virtual int AdapterInfo(std::vector<uint8_t>& records) = 0;
  virtual int AdapterId(int adapterIndex, int& id) = 0;
  virtual int MemoryInfo(int adapterIndex, TVendorBlock<adl::kMemoryInfoSize>& info) = 0;
  virtual int CurrentActivity(int adapterIndex, TVendorBlock<adl::kActivitySize>& activity) = 0;
  virtual int FanSpeed(int adapterIndex, int thermalController, TVendorBlock<adl::kFanSpeedSize>& speed) = 0;
  virtual int Temperature(int adapterIndex, int thermalController,
                          TVendorBlock<adl::kTemperatureSize>& temperature) = 0;
  // The library's own array of ADLDisplayInfo records, copied out.
  virtual int DisplayInfo(int adapterIndex, std::vector<uint8_t>& displays) = 0;
  // The library's array of ADLDisplayMap records, copied out.
  virtual int DisplayMaps(int adapterIndex, std::vector<uint8_t>& maps) = 0;
};

}  // namespace vsm

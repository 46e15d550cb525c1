#include "GpuBlocks.h"

#include <cstring>
#include <stdexcept>

#include "base/le_bytes.h"

namespace vsm::gpublocks {

namespace {

// A field outside the block is a mistake in the test data.
void Put(Bytes& block, size_t offset, uint32_t value) {
  if (!ByteView(block).Has(offset, 4)) throw std::out_of_range("field outside the GPU block");
  PutLe(block, offset, value, 4);
}

void PutText(Bytes& block, size_t offset, const std::string& text) {
  std::memcpy(block.data() + offset, text.data(), text.size());
}

}  // namespace

Bytes Words(std::initializer_list<uint32_t> words) {
  Bytes bytes(words.size() * 4);
  size_t at = 0;
  for (uint32_t w : words) {
    Put(bytes, at, w);
    at += 4;
  }
  return bytes;
}

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

Bytes Ansi(const std::string& text) {
  Bytes bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

// AdapterInfo (Windows): iSize 0, iAdapterIndex 4, strUDID 8, iBusNumber 264, iDeviceNumber 268,
// iFunctionNumber 272, iVendorID 276, strAdapterName 280, strDisplayName 536, iPresent 792,
// iExist 796, strDriverPath 800, strDriverPathExt 1056, strPNPString 1312, iOSDisplayIndex 1568.
Bytes AdlAdapterRecord(int adapterIndex, const std::string& name) {
  Bytes b(1572);
  Put(b, 0, 1572);
  Put(b, 4, static_cast<uint32_t>(adapterIndex));
  Put(b, 276, 1002);
  PutText(b, 280, name);
  PutText(b, 536, "\\\\.\\DISPLAY1");
  return b;
}

// ADLMemoryInfo: iMemorySize 0 (64-bit), strMemoryType 8, iMemoryBandwidth 264.
Bytes AdlMemoryInfo(int64_t bytes, const std::string& type) {
  Bytes b(272);
  Put(b, 0, static_cast<uint32_t>(bytes));
  Put(b, 4, static_cast<uint32_t>(static_cast<uint64_t>(bytes) >> 32));
  PutText(b, 8, type);
  return b;
}

// ADLPMActivity: iSize, iEngineClock, iMemoryClock, iVddc, iActivityPercent, ...
Bytes AdlActivity(int engineClock, int memoryClock, int activityPercent) {
  Bytes b(40);
  Put(b, 0, 40);
  Put(b, 4, static_cast<uint32_t>(engineClock));
  Put(b, 8, static_cast<uint32_t>(memoryClock));
  Put(b, 12, 1100);
  Put(b, 16, static_cast<uint32_t>(activityPercent));
  return b;
}

// ADLFanSpeedValue: iSize, iSpeedType, iFanSpeed, iFlags.
Bytes AdlFanSpeed(int rpm) { return Words({16, 2, static_cast<uint32_t>(rpm), 0}); }

// ADLTemperature: iSize, iTemperature.
Bytes AdlTemperature(int milliDegrees) { return Words({8, static_cast<uint32_t>(milliDegrees)}); }

// ADLDisplayInfo: displayID 0 (iDisplayLogicalIndex, iDisplayPhysicalIndex,
// iDisplayLogicalAdapterIndex, iDisplayPhysicalAdapterIndex), iDisplayControllerIndex 16,
// strDisplayName 20, strDisplayManufacturerName 276, iDisplayType 532, iDisplayOutputType 536,
// iDisplayConnector 540, iDisplayInfoMask 544, iDisplayInfoValue 548.
Bytes AdlDisplayInfo(int logicalIndex, const std::string& name, const std::string& manufacturer,
                     int displayType, int outputType, uint32_t infoValue) {
  Bytes b(552);
  Put(b, 0, static_cast<uint32_t>(logicalIndex));
  Put(b, 4, static_cast<uint32_t>(logicalIndex));
  Put(b, 16, 1);
  PutText(b, 20, name);
  PutText(b, 276, manufacturer);
  Put(b, 532, static_cast<uint32_t>(displayType));
  Put(b, 536, static_cast<uint32_t>(outputType));
  Put(b, 540, 12);
  Put(b, 544, 0xFF);
  Put(b, 548, infoValue);
  return b;
}

// ADLDisplayMap: iDisplayMapIndex 0, displayMode 4 (ADLMode: iAdapterIndex 4, displayID 8,
// iXPos 24, iYPos 28, iXRes 32, iYRes 36, iColourDepth 40, fRefreshRate 44, iOrientation 48,
// iModeFlag 52, iModeMask 56, iModeValue 60), iNumDisplayTarget 64,
// iFirstDisplayTargetArrayIndex 68, iDisplayMapMask 72, iDisplayMapValue 76.
Bytes AdlDisplayMap(int logicalIndex, int xRes, int yRes, int colourDepth, float refreshRate) {
  Bytes b(80);
  Put(b, 8, static_cast<uint32_t>(logicalIndex));
  Put(b, 32, static_cast<uint32_t>(xRes));
  Put(b, 36, static_cast<uint32_t>(yRes));
  Put(b, 40, static_cast<uint32_t>(colourDepth));
  uint32_t bits;
  std::memcpy(&bits, &refreshRate, 4);
  Put(b, 44, bits);
  Put(b, 64, 1);
  return b;
}

// NV_GPU_THERMAL_SETTINGS v1: version, count, sensor[3] {controller, defaultMinTemp,
// defaultMaxTemp, currentTemp, target}.
Bytes NvThermal(int degrees) {
  Bytes b(68);
  Put(b, 0, 0x10044);
  Put(b, 4, 1);
  Put(b, 8, 1);
  Put(b, 12, 0);
  Put(b, 16, 127);
  Put(b, 20, static_cast<uint32_t>(degrees));
  Put(b, 24, 1);
  return b;
}

// NV_DISPLAY_DRIVER_MEMORY_INFO v2: version, dedicatedVideoMemory, availableDedicatedVideoMemory,
// systemVideoMemory, sharedSystemMemory, curAvailableDedicatedVideoMemory.
Bytes NvMemoryInfo(uint32_t dedicatedKb) {
  return Words({0x20018, dedicatedKb, dedicatedKb, 0, 786432, dedicatedKb / 2});
}

// NV_GPU_CLOCK_FREQUENCIES v2: version, clock type, domain[32] {bIsPresent, frequency}; the
// graphics domain is 0, the memory domain 4.
Bytes NvClocks(uint32_t graphicsKhz, uint32_t memoryKhz) {
  Bytes b(264);
  Put(b, 0, 0x20108);
  Put(b, 4, 1);
  Put(b, 8, 1);
  Put(b, 12, graphicsKhz);
  Put(b, 40, 1);
  Put(b, 44, memoryKhz);
  return b;
}

// Dynamic P-state utilisation: version, flags, utilization[] {bIsPresent, percentage}.
Bytes NvPstates(bool gpuPresent, uint32_t gpuPercent) {
  Bytes b(48);
  Put(b, 0, 0x10030);
  Put(b, 4, 1);
  Put(b, 8, gpuPresent ? 1 : 0);
  Put(b, 12, gpuPercent);
  Put(b, 16, 1);
  Put(b, 20, 9);
  return b;
}

// Usages: version, then usage words; the GPU usage is the third word.
Bytes NvUsages(uint32_t gpuPercent) {
  Bytes b(136);
  Put(b, 0, 0x10088);
  Put(b, 4, 1);
  Put(b, 12, gpuPercent);
  return b;
}

// NV_GPU_DISPLAYIDS: version, connectorType, displayId, flag bits.
Bytes NvDisplayId(uint32_t connectorType, uint32_t displayId) {
  return Words({0x10010, connectorType, displayId, 0x3});
}

Bytes NvDisplayMode(uint32_t width, uint32_t height, uint32_t colourDepth, uint32_t refreshRate) {
  return Words({0x1001C, width, height, colourDepth, refreshRate, 0, 0});
}

}  // namespace vsm::gpublocks

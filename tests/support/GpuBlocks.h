#pragma once
// Result blocks of the GPU vendors' libraries as a real library would hand them out, written at
// the offsets of the vendors' published structures (stated here on their own, not taken from the
// code under test).
#include <cstdint>
#include <string>
#include <vector>

namespace vsm::gpublocks {

using Bytes = std::vector<uint8_t>;

Bytes Words(std::initializer_list<uint32_t> words);
Bytes Join(std::initializer_list<Bytes> parts);
// An 8-bit string with its terminating NUL.
Bytes Ansi(const std::string& text);

// ADL
Bytes AdlAdapterRecord(int adapterIndex, const std::string& name);
Bytes AdlMemoryInfo(int64_t bytes, const std::string& type);
Bytes AdlActivity(int engineClock, int memoryClock, int activityPercent);
Bytes AdlFanSpeed(int rpm);
Bytes AdlTemperature(int milliDegrees);
Bytes AdlDisplayInfo(int logicalIndex, const std::string& name, const std::string& manufacturer,
                     int displayType, int outputType, uint32_t infoValue);
Bytes AdlDisplayMap(int logicalIndex, int xRes, int yRes, int colourDepth, float refreshRate);

// NVAPI
Bytes NvThermal(int degrees);
Bytes NvMemoryInfo(uint32_t dedicatedKb);
Bytes NvClocks(uint32_t graphicsKhz, uint32_t memoryKhz);
Bytes NvPstates(bool gpuPresent, uint32_t gpuPercent);
Bytes NvUsages(uint32_t gpuPercent);
Bytes NvDisplayId(uint32_t connectorType, uint32_t displayId);
Bytes NvDisplayMode(uint32_t width, uint32_t height, uint32_t colourDepth, uint32_t refreshRate);

}  // namespace vsm::gpublocks

// Fuzz target: everything the GPU vendor libraries hand back (ADL and NVAPI result codes, counts
// and result blocks), taken in call order from the input, decoded as the graphics list builds its
// cards and reads their sensors.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "hardware/graphics/AdlLibrary.h"
#include "hardware/graphics/GraphicsCard.h"
#include "hardware/graphics/GraphicsList.h"
#include "hardware/graphics/NvApiLibrary.h"

namespace {

// The input, read front to back; zeros once it is used up.
class Replies {
 public:
  Replies(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint8_t Byte() { return used_ < size_ ? data_[used_++] : 0; }
  uint32_t Word() {
    uint32_t value = 0;
    Fill(&value, sizeof value);
    return value;
  }
  void Fill(void* out, size_t size) {
    if (size == 0) return;  // an empty block may have no storage at all
    const size_t taken = std::min(size, size_ - used_);
    std::memcpy(out, data_ + used_, taken);
    std::memset(static_cast<uint8_t*>(out) + taken, 0, size - taken);
    used_ += taken;
  }
  // Mostly success, sometimes a failure code.
  int Status(int failure) { return Byte() % 8 == 7 ? failure : 0; }
  // Records of `recordSize` bytes, as many as the next byte says (at most 7).
  int Records(std::vector<uint8_t>& out, size_t recordSize, int failure) {
    const int status = Status(failure);
    out.resize((Byte() % 8) * recordSize);
    Fill(out.data(), out.size());
    return status;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t used_ = 0;
};

class FuzzAdl final : public vsm::TAdlLibrary {
 public:
  explicit FuzzAdl(Replies& replies) : r_(replies) {}
  int NumberOfAdapters(int& count) override {
    count = r_.Byte() % 8;
    return r_.Status(-1);
  }
  int AdapterInfo(std::vector<uint8_t>& records) override {
    r_.Fill(records.data(), records.size());
    return r_.Status(-1);
  }
  int AdapterId(int, int& id) override {
    id = static_cast<int>(r_.Word());
    return r_.Status(-1);
  }
  int MemoryInfo(int, vsm::TVendorBlock<vsm::adl::kMemoryInfoSize>& info) override { return Block(info); }
  int CurrentActivity(int, vsm::TVendorBlock<vsm::adl::kActivitySize>& activity) override {
    return Block(activity);
  }
  int FanSpeed(int, int, vsm::TVendorBlock<vsm::adl::kFanSpeedSize>& speed) override { return Block(speed); }
  int Temperature(int, int, vsm::TVendorBlock<vsm::adl::kTemperatureSize>& temperature) override {
    return Block(temperature);
  }
  int DisplayInfo(int, std::vector<uint8_t>& displays) override {
    return r_.Records(displays, vsm::adl::kDisplayInfoSize, -1);
  }
  int DisplayMaps(int, std::vector<uint8_t>& maps) override {
    return r_.Records(maps, vsm::adl::kDisplayMapSize, -1);
  }

 private:
  template <size_t Size>
  int Block(vsm::TVendorBlock<Size>& block) {
    r_.Fill(block.data(), Size);
    return r_.Status(-1);
  }
  Replies& r_;
};

class FuzzNvApi final : public vsm::TNvApiLibrary {
 public:
  explicit FuzzNvApi(Replies& replies) : r_(replies) {}
  int EnumPhysicalGPUs(vsm::nvapi::TGpuHandles& gpus, uint32_t& count) override {
    return Handles(gpus, count);
  }
  int EnumNvidiaDisplayHandle(uint32_t, vsm::TNvDisplayHandle& display) override {
    display = r_.Word();
    return r_.Status(-7);
  }
  int GetPhysicalGPUsFromDisplay(vsm::TNvDisplayHandle, vsm::nvapi::TGpuHandles& gpus,
                                 uint32_t& count) override {
    return Handles(gpus, count);
  }
  int GetFullName(vsm::TNvPhysicalGpuHandle, vsm::TVendorBlock<vsm::nvapi::kFullNameLength>& name) override {
    return Block(name);
  }
  int GetThermalSettings(vsm::TNvPhysicalGpuHandle, uint32_t,
                         vsm::TVendorBlock<vsm::nvapi::kThermalSize>& settings) override {
    return Block(settings);
  }
  int GetMemoryInfo(vsm::TNvDisplayHandle, vsm::TVendorBlock<vsm::nvapi::kMemoryInfoSize>& info) override {
    return Block(info);
  }
  int GetAllClockFrequencies(vsm::TNvPhysicalGpuHandle,
                             vsm::TVendorBlock<vsm::nvapi::kClocksSize>& clocks) override {
    return Block(clocks);
  }
  int GetDynamicPstatesInfoEx(vsm::TNvPhysicalGpuHandle,
                              vsm::TVendorBlock<vsm::nvapi::kPstatesSize>& pstates) override {
    return Block(pstates);
  }
  int GetUsages(vsm::TNvPhysicalGpuHandle, vsm::TVendorBlock<vsm::nvapi::kUsagesSize>& usages) override {
    return Block(usages);
  }
  int GetConnectedDisplayIds(vsm::TNvPhysicalGpuHandle, std::vector<uint8_t>& entries, uint32_t& count,
                             uint32_t) override {
    // The library writes no more records than the caller made room for, but the count it
    // answers is its own.
    r_.Fill(entries.data(), std::min<size_t>(entries.size(), (r_.Byte() % 8) * vsm::nvapi::kDisplayIdsSize));
    count = r_.Byte() < 250 ? r_.Byte() % 8 : r_.Word();
    return r_.Status(-7);
  }
  int GetDeviceDisplayMode(uint32_t, vsm::TVendorBlock<vsm::nvapi::kDisplayModeSize>& mode) override {
    return Block(mode);
  }

 private:
  int Handles(vsm::nvapi::TGpuHandles& gpus, uint32_t& count) {
    for (auto& gpu : gpus) gpu = 0;
    const uint8_t wanted = r_.Byte();
    count = wanted < 250 ? wanted % 4 : r_.Word();  // now and then a count past the array
    for (uint32_t i = 0; i < std::min<uint32_t>(count, 4); ++i) gpus[i] = r_.Word() | 1;
    return r_.Status(-7);
  }
  template <size_t Size>
  int Block(vsm::TVendorBlock<Size>& block) {
    r_.Fill(block.data(), Size);
    return r_.Status(-7);
  }
  Replies& r_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Replies replies(data, size);
  FuzzAdl adl(replies);
  FuzzNvApi nvapi(replies);
  const vsm::WmiQueryFunction noWmi = [](std::string_view, std::string_view) {
    return std::optional<vsm::WmiObjects>();
  };
  std::unique_ptr<vsm::TGraphicsList> list = vsm::CreateGraphicsList(&adl, &nvapi, noWmi);
  for (int i = 0; i < list->Count(); ++i) {
    vsm::TGraphicsCard* card = list->GetGraphics(i);
    card->Temperature();
    card->usePercent();
  }
  return 0;
}

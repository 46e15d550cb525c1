// Fuzz target: the traffic-filter driver's replies (how many bytes it returns and what they hold),
// taken in call order from the input, decoded by the engine over a few samples of a short process
// list.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "FakeSoftwarePlatform.h"
#include "drivers/driver_channel.h"
#include "software/Software.h"
#include "software/TdiFwDrv.h"

namespace {

class FuzzChannel final : public vsm::CountingDriverChannel {
 public:
  FuzzChannel(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool IsOpen() const override { return true; }
  bool ControlReturning(uint32_t, const void*, uint32_t, void* out, uint32_t outSize,
                        uint32_t& returned) override {
    if (used_ >= size_) return false;
    const uint8_t header = data_[used_++];
    // The driver says how much it wrote; now and then more than the caller's buffer holds.
    returned = header >= 0xF0 ? outSize + header : std::min<uint32_t>(header, outSize);
    const size_t taken = std::min<size_t>({std::min<uint32_t>(returned, outSize), size_ - used_});
    if (out != nullptr) std::memcpy(out, data_ + used_, taken);
    used_ += taken;
    return (header & 1) == 0;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t used_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto state = std::make_shared<vsm::test::FakeSoftwarePlatform::State>();
  state->running = {{0, "[System Idle Process]"}, {4, "System"}, {500, "a.exe"}, {900, "b.exe"}};
  vsm::TSoftware engine(
      std::make_unique<vsm::test::FakeSoftwarePlatform>(state),
      std::make_unique<vsm::TVeskTdiFwDrv>(std::make_unique<FuzzChannel>(data, size), nullptr));
  for (int sample = 0; sample < 3; ++sample) {
    engine.UpdateSystem();
    engine.UpdateProcesses();
  }
  engine.TdiRecord().RecvPerS();
  return 0;
}

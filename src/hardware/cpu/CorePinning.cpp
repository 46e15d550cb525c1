#include "hardware/cpu/CorePinning.h"

namespace vsm {

namespace {

constexpr int kMaskBits = 32;

uint32_t ProcessorMask(int processor) { return uint32_t{1} << (processor % kMaskBits); }

// Remembers the thread's affinity when first changed and puts it back on destruction, so that an
// early stop or an exception in the work cannot leave the thread pinned.
class AffinityRestorer {
 public:
  explicit AffinityRestorer(const AffinityFunction& setAffinity) : setAffinity_(setAffinity) {}
  ~AffinityRestorer() {
    if (saved_ != 0) setAffinity_(saved_);
  }
  AffinityRestorer(const AffinityRestorer&) = delete;
  AffinityRestorer& operator=(const AffinityRestorer&) = delete;

  // Answers whether the thread now runs on that processor.
  bool PinTo(int processor) {
    uint32_t previous = setAffinity_(ProcessorMask(processor));
    if (previous != 0 && !remembered_) {
      saved_ = previous;
      remembered_ = true;
    }
    return previous != 0;
  }

 private:
  const AffinityFunction& setAffinity_;
  uint32_t saved_ = 0;
  bool remembered_ = false;
};

}  // namespace

void ForEachCorePinned(const AffinityFunction& setAffinity, int cores,
                       const std::function<bool(int core)>& work) {
  if (!setAffinity) {
    for (int core = 0; core < cores; ++core) {
      if (!work(core)) return;
    }
    return;
  }
  AffinityRestorer restorer(setAffinity);
  for (int core = 0; core < cores; ++core) {
    restorer.PinTo(core);
    if (!work(core)) return;
  }
}

int CountLogicalProcessors(const AffinityFunction& setAffinity) {
  if (!setAffinity) return 0;
  AffinityRestorer restorer(setAffinity);
  int count = 0;
  while (count < kMaskBits && restorer.PinTo(count)) ++count;
  return count;
}

}  // namespace vsm

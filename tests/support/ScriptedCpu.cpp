#include "ScriptedCpu.h"

#include <algorithm>
#include <cstring>

#include "base/le_bytes.h"

namespace vsm::test {

ScriptedCpu::ScriptedCpu(int processors)
    : initialMask_(processors >= 32 ? 0xFFFFFFFFu : (uint32_t{1} << processors) - 1), mask_(initialMask_) {}

uint32_t ScriptedCpu::Signature(uint32_t family, uint32_t model, uint32_t stepping) {
  uint32_t baseFamily = family < 0xF ? family : 0xF;
  uint32_t extFamily = family - baseFamily;
  return extFamily << 20 | (model >> 4) << 16 | baseFamily << 8 | (model & 0xF) << 4 | (stepping & 0xF);
}

void ScriptedCpu::SetIdentity(std::string_view vendor, uint32_t family, uint32_t model, uint32_t stepping,
                              uint32_t highestLeaf) {
  uint8_t text[12] = {};
  std::memcpy(text, vendor.data(), std::min<size_t>(vendor.size(), sizeof text));
  const ByteView words(text, sizeof text);
  SetLeaf(0, {highestLeaf, words.U32(0), words.U32(8), words.U32(4)});
  SetLeaf(1, {Signature(family, model, stepping), 0, 0, 0});
}

CpuidFunction ScriptedCpu::Cpuid() {
  return [this](uint32_t leaf, uint32_t) {
    auto it = leaves_.find(leaf);
    return it == leaves_.end() ? TCpuidRecord{} : it->second;
  };
}

AffinityFunction ScriptedCpu::Affinity() {
  return [this](uint32_t mask) -> uint32_t {
    masksSet_.push_back(mask);
    if (mask == 0 || (mask & ~initialMask_) != 0) return 0;
    uint32_t previous = mask_;
    mask_ = mask;
    return previous;
  };
}

int ScriptedCpu::CurrentCpu() const {
  for (int cpu = 0; cpu < 32; ++cpu) {
    if (mask_ & (uint32_t{1} << cpu)) return cpu;
  }
  return 0;
}

TCpuSeams ScriptedCpu::Seams(sim::SimHardware* machine, WmiQueryFunction wmi) {
  TCpuSeams seams{Cpuid(), Affinity(), {}, std::move(wmi), nullptr};
  if (machine != nullptr) {
    machine->SetCurrentCpuSource([this] { return CurrentCpu(); });
    seams.channels = machine->Factory();
  }
  return seams;
}

WmiQueryFunction ProcessorWmi(WmiObject processor) {
  return [processor](std::string_view, std::string_view wql) -> std::optional<WmiObjects> {
    if (wql.find("Win32_Processor") == std::string_view::npos) return WmiObjects{};
    return WmiObjects{processor};
  };
}

}  // namespace vsm::test

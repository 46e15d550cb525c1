#pragma once
// A scripted processor for the CPU tests: CPUID answers from a table, and a thread affinity that
// records every mask it is given and tells the simulated machine which processor runs.
#include <cstdint>
#include <map>
#include <string_view>
#include <vector>

#include "hardware/cpu/CpuSeams.h"
#include "sim/SimHardware.h"

namespace vsm::test {

class ScriptedCpu {
 public:
  // `processors` logical processors; masks naming others are refused. The thread starts on all.
  explicit ScriptedCpu(int processors = 4);

  void SetLeaf(uint32_t leaf, TCpuidRecord record) { leaves_[leaf] = record; }
  // Leaf 0 with the vendor string and highest leaf; leaf 1 with the signature built from the
  // display family, model and stepping.
  void SetIdentity(std::string_view vendor, uint32_t family, uint32_t model, uint32_t stepping = 0,
                   uint32_t highestLeaf = 0x16);
  static uint32_t Signature(uint32_t family, uint32_t model, uint32_t stepping);

  CpuidFunction Cpuid();
  AffinityFunction Affinity();
  // Seams onto `machine` (whose MSR reads then follow the pinned processor), or without a driver.
  TCpuSeams Seams(sim::SimHardware* machine, WmiQueryFunction wmi = {});

  uint32_t InitialMask() const { return initialMask_; }
  uint32_t Mask() const { return mask_; }
  int CurrentCpu() const;
  const std::vector<uint32_t>& MasksSet() const { return masksSet_; }

 private:
  std::map<uint32_t, TCpuidRecord> leaves_;
  uint32_t initialMask_;
  uint32_t mask_;
  std::vector<uint32_t> masksSet_;
};

// A WMI answer with one Win32_Processor object.
WmiQueryFunction ProcessorWmi(WmiObject processor);

}  // namespace vsm::test

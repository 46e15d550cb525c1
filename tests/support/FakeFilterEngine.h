#pragma once
// A filtering engine for the block list: hands out filter identifiers and keeps the live ones;
// the test can make the n-th add fail or deletions be refused.
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "software/wfp/ExecutableBlockList.h"

namespace vsm::test {

class FakeFilterEngine final : public FilterEngine {
 public:
  struct State {
    std::set<uint64_t> live;
    std::vector<std::string> paths;  // the executable of every filter added, in order
    int failAddNumber = -1;          // this add (0-based, over the engine's life) fails
    bool refuseDelete = false;
    int adds = 0;
  };
  explicit FakeFilterEngine(State& state) : state_(state) {}

  int FilterCount() const override { return 4; }
  std::optional<uint64_t> AddBlockFilter(const std::string& exePath, int) override {
    if (state_.adds++ == state_.failAddNumber) return std::nullopt;
    uint64_t id = 1000 + static_cast<uint64_t>(state_.adds);
    state_.live.insert(id);
    state_.paths.push_back(exePath);
    return id;
  }
  bool DeleteFilter(uint64_t id) override {
    if (state_.refuseDelete) return false;
    state_.live.erase(id);
    return true;
  }

 private:
  State& state_;
};

}  // namespace vsm::test

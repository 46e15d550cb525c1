#pragma once
// The executables we block and the filters that do it. Blocking adds every filter the engine asks
// for or none (a partial set is taken back); allowing deletes them. The process page blocks on
// the user-interface thread while the engine's pass reads the state on its worker.
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "software/wfp/NetworkBlocker.h"

namespace vsm {

// The filtering engine as the block list uses it.
class FilterEngine {
 public:
  virtual ~FilterEngine() = default;
  // How many filters block one executable (one per layer).
  virtual int FilterCount() const = 0;
  // Adds the index-th blocking filter for the executable; its identifier, or nothing.
  virtual std::optional<uint64_t> AddBlockFilter(const std::string& exePath, int index) = 0;
  // True when the filter is gone afterwards (also when it was gone before).
  virtual bool DeleteFilter(uint64_t filterId) = 0;
};

class TExecutableBlockList final : public NetworkBlocker {
 public:
  // A null engine: blocking is not available.
  explicit TExecutableBlockList(std::unique_ptr<FilterEngine> engine);

  bool Available() const override { return engine_ != nullptr; }
  bool Block(const std::string& exePath) override;
  bool Allow(const std::string& exePath) override;
  bool IsBlocked(const std::string& exePath) const override;

 private:
  // Windows paths compare without regard to letter case.
  static std::string Key(const std::string& exePath);
  bool DeleteAll(std::vector<uint64_t>& filters);

  std::unique_ptr<FilterEngine> engine_;
  mutable std::mutex lock_;
  std::map<std::string, std::vector<uint64_t>> blocked_;
};

}  // namespace vsm

#include "software/wfp/ExecutableBlockList.h"

#include "base/text.h"

namespace vsm {

TExecutableBlockList::TExecutableBlockList(std::unique_ptr<FilterEngine> engine)
    : engine_(std::move(engine)) {}

std::string TExecutableBlockList::Key(const std::string& exePath) { return AsciiLower(exePath); }

bool TExecutableBlockList::DeleteAll(std::vector<uint64_t>& filters) {
  std::vector<uint64_t> kept;
  for (uint64_t filter : filters) {
    if (!engine_->DeleteFilter(filter)) kept.push_back(filter);
  }
  filters = std::move(kept);
  return filters.empty();
}

bool TExecutableBlockList::Block(const std::string& exePath) {
  if (engine_ == nullptr || exePath.empty()) return false;
  std::lock_guard guard(lock_);
  std::string key = Key(exePath);
  if (blocked_.count(key) != 0) return true;
  std::vector<uint64_t> added;
  for (int index = 0; index < engine_->FilterCount(); ++index) {
    std::optional<uint64_t> filter = engine_->AddBlockFilter(exePath, index);
    if (!filter) {
      // Half a block would leave the program reachable one way and not the other.
      if (!DeleteAll(added)) blocked_[key] = added;  // what could not be taken back still blocks
      return false;
    }
    added.push_back(*filter);
  }
  if (added.empty()) return false;
  blocked_[key] = std::move(added);
  return true;
}

bool TExecutableBlockList::Allow(const std::string& exePath) {
  if (engine_ == nullptr || exePath.empty()) return false;
  std::lock_guard guard(lock_);
  auto found = blocked_.find(Key(exePath));
  if (found == blocked_.end()) return true;
  if (!DeleteAll(found->second)) return false;
  blocked_.erase(found);
  return true;
}

bool TExecutableBlockList::IsBlocked(const std::string& exePath) const {
  if (exePath.empty()) return false;
  std::lock_guard guard(lock_);
  return blocked_.count(Key(exePath)) != 0;
}

}  // namespace vsm

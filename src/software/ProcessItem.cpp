#include "software/ProcessItem.h"

#include <algorithm>
#include <utility>

namespace vsm {

TProcessHandle::TProcessHandle(TProcessHandle&& other) noexcept
    : value_(std::exchange(other.value_, 0)), closer_(std::exchange(other.closer_, nullptr)) {}

TProcessHandle& TProcessHandle::operator=(TProcessHandle&& other) noexcept {
  if (this != &other) {
    Close();
    value_ = std::exchange(other.value_, 0);
    closer_ = std::exchange(other.closer_, nullptr);
  }
  return *this;
}

void TProcessHandle::Close() {
  if (value_ != 0 && closer_ != nullptr) closer_(value_);
  value_ = 0;
  closer_ = nullptr;
}

TProcessItemRef TProcessList::GetItem(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return items_[static_cast<size_t>(index)];
}

void TProcessList::PutItem(int index, TProcessItemRef item) {
  if (index < 0 || index >= Count()) return;
  items_[static_cast<size_t>(index)] = std::move(item);
}

void TProcessList::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  items_.erase(items_.begin() + index);
}

bool TProcessList::Remove(const TProcessItem* item) {
  auto it = std::find_if(items_.begin(), items_.end(),
                         [item](const TProcessItemRef& entry) { return entry.get() == item; });
  if (it == items_.end()) return false;
  items_.erase(it);
  return true;
}

bool ContainsProcess(const std::vector<TProcessIdentity>& sorted, const TProcessIdentity& process) {
  auto at = std::lower_bound(sorted.begin(), sorted.end(), process, IdentityIdLess);
  for (; at != sorted.end() && at->id == process.id; ++at) {
    if (SameProcess(*at, process)) return true;
  }
  return false;
}

}  // namespace vsm

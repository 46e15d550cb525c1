#include "software/SystemProcessQuery_win.h"

#include <windows.h>

#include <algorithm>

#include "software/NtQuerySystemInformation_win.h"

namespace vsm {

namespace {

constexpr ULONG kSystemProcessInformation = 5;
constexpr LONG kStatusInfoLengthMismatch = static_cast<LONG>(0xC0000004);
constexpr size_t kFirstQuerySize = 128 * 1024;
// No machine needs more; a system that keeps asking is not followed further.
constexpr size_t kLargestQuerySize = 64 * 1024 * 1024;

}  // namespace

bool TSystemProcessQuery::Refresh() {
  records_.clear();
  NtQuerySystemInformationFn query = NtQuerySystemInformationFunction();
  if (query == nullptr) return false;
  if (buffer_.empty()) buffer_.resize(kFirstQuerySize);
  for (;;) {
    ULONG returned = 0;
    const LONG status =
        query(kSystemProcessInformation, buffer_.data(), static_cast<ULONG>(buffer_.size()), &returned);
    if (status >= 0) {
      // A system that does not say how much it wrote leaves the rest of the buffer zeroed.
      const size_t used = returned != 0 ? std::min<size_t>(returned, buffer_.size()) : buffer_.size();
      DecodeSystemProcessRecords(ByteView(buffer_.data(), used), records_);
      return true;
    }
    if (status != kStatusInfoLengthMismatch) return false;
    const size_t next = GrownQuerySize(buffer_.size(), returned);
    if (next > kLargestQuerySize) return false;
    buffer_.assign(next, 0);
  }
}

bool IsSameProcessRunning(const TProcessIdentity& process) {
  TSystemProcessQuery query;
  if (!query.Refresh()) return true;
  return FindProcessTimes(query.Records(), process) != nullptr;
}

}  // namespace vsm

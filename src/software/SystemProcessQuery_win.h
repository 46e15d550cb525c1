#pragma once
// Every process's id, start time and CPU times from one system process-information query.
#include <cstdint>
#include <vector>

#include "software/SystemProcessRecords.h"

namespace vsm {

class TSystemProcessQuery {
 public:
  // Queries again; false (and no records) when the system refuses. The buffer is kept and grown
  // as the system asks, so a steady machine allocates nothing.
  bool Refresh();
  // Sorted by id, as of the last Refresh.
  const std::vector<TProcessTimes>& Records() const { return records_; }

 private:
  std::vector<uint8_t> buffer_;
  std::vector<TProcessTimes> records_;
};

// Whether the process is still running as the same process (its id not given to another one
// since). When the system cannot tell, the id alone decides: true.
bool IsSameProcessRunning(const TProcessIdentity& process);

}  // namespace vsm

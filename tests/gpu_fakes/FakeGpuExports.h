#pragma once
// What every fake GPU library shares: the control exports through which the tests prepare its
// replies (FakeGpu_Reply, FakeGpu_Reset, FakeGpu_Asked, in FakeGpuExports.cpp), and the relay of
// a caller's structure to the fake.
#include <cstring>

#include "FakeGpuLibraries.h"

namespace vsm::fake {

// The replies of the library's one fake, defined by each library.
TReplies& LibraryReplies();

// Runs a fake call on a copy of the caller's block, of the size the real library writes, and
// writes the result back into the caller's structure.
template <size_t Size, typename Call>
int Relay(void* block, Call&& call) {
  if (!block) return -1;
  TVendorBlock<Size> copy;
  std::memcpy(copy.data(), block, Size);
  int result = call(copy);
  std::memcpy(block, copy.data(), Size);
  return result;
}

}  // namespace vsm::fake

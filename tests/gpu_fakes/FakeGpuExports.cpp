#include "FakeGpuExports.h"

#include <cstdint>
#include <vector>

using vsm::fake::LibraryReplies;

extern "C" {

__declspec(dllexport) void FakeGpu_Reply(uint32_t call, uint64_t key, int status, const uint8_t* bytes,
                                         int size) {
  LibraryReplies().Set(call, key, status,
                       size > 0 ? std::vector<uint8_t>(bytes, bytes + size) : std::vector<uint8_t>());
}

__declspec(dllexport) void FakeGpu_Reset() { LibraryReplies().Clear(); }

__declspec(dllexport) int FakeGpu_Asked(uint32_t call) { return LibraryReplies().Asked(call); }

}  // extern "C"

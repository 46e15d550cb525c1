#pragma once
// Whether this 32-bit program runs on 64-bit Windows: under WOW64, on an IA64, AMD64 or ARM64
// processor. Computed once; it selects the 64-bit registry view.
namespace vsm {

bool Is64BitWindows();

}  // namespace vsm

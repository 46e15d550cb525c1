#pragma once
// Whether this 32-bit process runs on 64-bit Windows (under WOW64), computed once. It selects the
// 64-bit registry view and the native system information.
namespace vsm {

bool Is64BitWindows();

}  // namespace vsm

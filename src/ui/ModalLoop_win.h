#pragma once
// The message loop of a window shown modally.
#include <functional>

namespace vsm {

// Runs the calling thread's messages until `finished` says so; true then. A WM_QUIT that comes
// first belongs to the thread's own loop: it is posted again and false is returned.
bool RunModalLoop(const std::function<bool()>& finished);

}  // namespace vsm

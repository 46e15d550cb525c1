#pragma once
// ADL bound at run time from a given folder: "atiadlxx.dll", else "atiadlxy.dll".
#include <memory>
#include <string>

#include "hardware/graphics/AdlLibrary.h"

namespace vsm {

// Nothing when neither library loads, it lacks ADL_Main_Control_Create, or that call fails.
// Entry points the library lacks answer adl::kMissing. Calls are serialised, since the
// library's first-generation interface is not made for several threads and the cards' sensors
// are read from the update thread and the user-interface thread. The library is never unloaded.
std::unique_ptr<TAdlLibrary> BindAdlLibrary(const std::wstring& folder);

}  // namespace vsm

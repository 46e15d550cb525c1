#pragma once
// NVAPI bound at run time from "nvapi.dll" in a given folder.
#include <memory>
#include <string>

#include "hardware/graphics/NvApiLibrary.h"

namespace vsm {

// Nothing when the library does not load, lacks nvapi_QueryInterface or the enumeration
// interfaces, or its initialisation does not answer 0. Other interfaces the library lacks answer
// nvapi::kMissing. Calls are serialised (the cards' sensors are read from two threads). The
// library is never unloaded.
std::unique_ptr<TNvApiLibrary> BindNvApiLibrary(const std::wstring& folder);

}  // namespace vsm

#pragma once
// The machine's network configuration from the IP Helper library and the registry.
#include <memory>

#include "software/network/NetList.h"

namespace vsm {

// A new list; the caller owns it. Never fails as a whole: what cannot be read stays empty.
std::unique_ptr<TNetList> GetNetList();

}  // namespace vsm

#pragma once
// The core's registry reader and subkey lister on the real registry, in the 64-bit view on
// 64-bit Windows.
#include "base/registry_reader.h"

namespace vsm {

RegStringReader SystemRegStringReader();
RegSubkeyLister SystemRegSubkeyLister();

}  // namespace vsm

#pragma once
// The machine's graphics cards as the aggregator builds them at start-up.
#include <memory>

#include "hardware/graphics/GraphicsList.h"

namespace vsm {

// The vendor libraries are bound once per run, from the Windows system folder, where their
// drivers install them (a 32-bit process on 64-bit Windows is redirected to the 32-bit copies),
// and stay loaded until the program ends. WMI supplies the remaining details.
std::unique_ptr<TGraphicsList> CreateSystemGraphicsList();

}  // namespace vsm

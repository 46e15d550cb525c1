#include "hardware/graphics/GraphicsList_win.h"

#include "base/library_win.h"
#include "hardware/graphics/AdlLibrary_win.h"
#include "hardware/graphics/NvApiLibrary_win.h"
#include "sysinfo/wmi_win.h"

namespace vsm {

std::unique_ptr<TGraphicsList> CreateSystemGraphicsList() {
  // Never destroyed: the cards refer to the libraries for the rest of the run.
  static TAdlLibrary* const adl = BindAdlLibrary(SystemFolder()).release();
  static TNvApiLibrary* const nvapi = BindNvApiLibrary(SystemFolder()).release();
  return CreateGraphicsList(adl, nvapi, SystemWmi());
}

}  // namespace vsm

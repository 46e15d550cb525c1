#include "software/wfp/FilteringPlatform_win.h"

#include "base/library_win.h"

namespace vsm {

const FilteringFunctions& FilteringPlatform() {
  static const FilteringFunctions functions = [] {
    FilteringFunctions bound;
    HMODULE module = LoadSystemLibrary(L"fwpuclnt.dll");
    bound.engineOpen = BindFunction<FilteringFunctions::EngineOpenFn>(module, "FwpmEngineOpen0");
    bound.engineClose = BindFunction<FilteringFunctions::EngineCloseFn>(module, "FwpmEngineClose0");
    bound.filterAdd = BindFunction<FilteringFunctions::FilterAddFn>(module, "FwpmFilterAdd0");
    bound.filterDeleteById =
        BindFunction<FilteringFunctions::FilterDeleteByIdFn>(module, "FwpmFilterDeleteById0");
    bound.getAppId = BindFunction<FilteringFunctions::GetAppIdFn>(module, "FwpmGetAppIdFromFileName0");
    bound.freeMemory = BindFunction<FilteringFunctions::FreeMemoryFn>(module, "FwpmFreeMemory0");
    return bound;
  }();
  return functions;
}

}  // namespace vsm

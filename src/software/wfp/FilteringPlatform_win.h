#pragma once
// The Windows Filtering Platform's management functions of fwpuclnt.dll, bound at run time from
// the system folder, once, and kept for the life of the process. Null members where a function
// is missing (Windows XP has no such library). Its declarations need Vista's level of the
// headers, which the program otherwise builds below.
#pragma push_macro("_WIN32_WINNT")
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#include <windows.h>
#include <fwpmu.h>
#pragma pop_macro("_WIN32_WINNT")

namespace vsm {

struct FilteringFunctions {
  using EngineOpenFn = DWORD(WINAPI*)(const wchar_t* server, UINT32 authnService, void* authIdentity,
                                      const FWPM_SESSION0* session, HANDLE* engine);
  using EngineCloseFn = DWORD(WINAPI*)(HANDLE engine);
  using FilterAddFn = DWORD(WINAPI*)(HANDLE engine, const FWPM_FILTER0* filter, PSECURITY_DESCRIPTOR sd,
                                     UINT64* id);
  using FilterDeleteByIdFn = DWORD(WINAPI*)(HANDLE engine, UINT64 id);
  using GetAppIdFn = DWORD(WINAPI*)(const wchar_t* fileName, FWP_BYTE_BLOB** appId);
  using FreeMemoryFn = void(WINAPI*)(void** memory);

  EngineOpenFn engineOpen = nullptr;
  EngineCloseFn engineClose = nullptr;
  FilterAddFn filterAdd = nullptr;
  FilterDeleteByIdFn filterDeleteById = nullptr;
  GetAppIdFn getAppId = nullptr;
  FreeMemoryFn freeMemory = nullptr;

  bool Complete() const {
    return engineOpen != nullptr && engineClose != nullptr && filterAdd != nullptr &&
           filterDeleteById != nullptr && getAppId != nullptr && freeMemory != nullptr;
  }
};

const FilteringFunctions& FilteringPlatform();

}  // namespace vsm

#include "software/network/IpHelper_win.h"

#include "base/library_win.h"

namespace vsm {

namespace {

using GetAdaptersInfoFn = DWORD(WINAPI*)(IP_ADAPTER_INFO*, ULONG*);
using GetNetworkParamsFn = DWORD(WINAPI*)(FIXED_INFO*, ULONG*);
using GetIfEntryFn = DWORD(WINAPI*)(MIB_IFROW*);
using GetIfTableFn = DWORD(WINAPI*)(MIB_IFTABLE*, ULONG*, BOOL);
using GetIfTable2Fn = DWORD(WINAPI*)(MIB_IF_TABLE2**);
using FreeMibTableFn = VOID(WINAPI*)(PVOID);

struct IpHelperLibrary {
  GetAdaptersInfoFn getAdaptersInfo = nullptr;
  GetNetworkParamsFn getNetworkParams = nullptr;
  GetIfEntryFn getIfEntry = nullptr;
  GetIfTableFn getIfTable = nullptr;
  GetIfTable2Fn getIfTable2 = nullptr;
  FreeMibTableFn freeMibTable = nullptr;
};

const IpHelperLibrary& Library() {
  static const IpHelperLibrary library = [] {
    IpHelperLibrary result;
    // Reuse the copy already in the process; otherwise load the system's and keep it loaded.
    HMODULE module = GetModuleHandleW(L"iphlpapi.dll");
    if (module == nullptr) module = LoadSystemLibrary(L"iphlpapi.dll");
    result.getAdaptersInfo = BindFunction<GetAdaptersInfoFn>(module, "GetAdaptersInfo");
    result.getNetworkParams = BindFunction<GetNetworkParamsFn>(module, "GetNetworkParams");
    result.getIfEntry = BindFunction<GetIfEntryFn>(module, "GetIfEntry");
    result.getIfTable = BindFunction<GetIfTableFn>(module, "GetIfTable");
    result.getIfTable2 = BindFunction<GetIfTable2Fn>(module, "GetIfTable2");
    result.freeMibTable = BindFunction<FreeMibTableFn>(module, "FreeMibTable");
    return result;
  }();
  return library;
}

}  // namespace

bool BindIpHelper() { return Library().getAdaptersInfo != nullptr; }

DWORD IpHelperGetAdaptersInfo(IP_ADAPTER_INFO* buffer, ULONG* size) {
  auto call = Library().getAdaptersInfo;
  return call != nullptr ? call(buffer, size) : ERROR_PROC_NOT_FOUND;
}

DWORD IpHelperGetNetworkParams(FIXED_INFO* buffer, ULONG* size) {
  auto call = Library().getNetworkParams;
  return call != nullptr ? call(buffer, size) : ERROR_PROC_NOT_FOUND;
}

DWORD IpHelperGetIfEntry(MIB_IFROW* row) {
  auto call = Library().getIfEntry;
  return call != nullptr ? call(row) : ERROR_PROC_NOT_FOUND;
}

DWORD IpHelperGetIfTable(MIB_IFTABLE* table, ULONG* size, BOOL sort) {
  auto call = Library().getIfTable;
  return call != nullptr ? call(table, size, sort) : ERROR_PROC_NOT_FOUND;
}

bool HasIfTable2() { return Library().getIfTable2 != nullptr && Library().freeMibTable != nullptr; }

DWORD IpHelperGetIfTable2(MIB_IF_TABLE2** table) {
  *table = nullptr;
  if (!HasIfTable2()) return ERROR_PROC_NOT_FOUND;
  return Library().getIfTable2(table);
}

void IpHelperFreeMibTable(void* table) {
  if (table != nullptr && Library().freeMibTable != nullptr) Library().freeMibTable(table);
}

}  // namespace vsm

#pragma once
// The IP Helper library, bound at run time so the program starts where it is missing. Bound
// once, on first use, and kept for the life of the process. The wrappers answer
// ERROR_PROC_NOT_FOUND when the library or the function is missing.
// The 64-bit interface table's declarations need the IP definitions of Windows Sockets first, and
// Vista's level of the headers, which the program otherwise builds below.
#pragma push_macro("_WIN32_WINNT")
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#include <winsock2.h>
#include <ws2ipdef.h>
#include <windows.h>
#include <iphlpapi.h>
#pragma pop_macro("_WIN32_WINNT")

namespace vsm {

// True when the library and GetAdaptersInfo are available.
bool BindIpHelper();

DWORD IpHelperGetAdaptersInfo(IP_ADAPTER_INFO* buffer, ULONG* size);
DWORD IpHelperGetNetworkParams(FIXED_INFO* buffer, ULONG* size);
DWORD IpHelperGetIfEntry(MIB_IFROW* row);
DWORD IpHelperGetIfTable(MIB_IFTABLE* table, ULONG* size, BOOL sort);

// The 64-bit interface table exists from Windows Vista on.
bool HasIfTable2();
// On success the table is the library's; release it with IpHelperFreeMibTable.
DWORD IpHelperGetIfTable2(MIB_IF_TABLE2** table);
void IpHelperFreeMibTable(void* table);

}  // namespace vsm

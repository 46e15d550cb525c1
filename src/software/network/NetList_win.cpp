#include "software/network/NetList_win.h"

#include <cstddef>

#include "base/wide_win.h"
#include "platform/RegistryReader_win.h"
#include "software/network/IpHelper_win.h"

namespace vsm {

namespace {

// The core decodes the records from their bytes; its offsets must be the library's.
static_assert(sizeof(void*) == 4, "the record layout is that of the 32-bit program");
static_assert(offsetof(IP_ADDR_STRING, IpAddress) == iphlp_layout::kAddrStringAddress);
static_assert(offsetof(IP_ADDR_STRING, IpMask) == iphlp_layout::kAddrStringMask);
static_assert(sizeof(IP_ADDR_STRING) == iphlp_layout::kAddrStringSize);
static_assert(offsetof(IP_ADAPTER_INFO, Description) == iphlp_layout::kAdapterDescription);
static_assert(offsetof(IP_ADAPTER_INFO, AddressLength) == iphlp_layout::kAdapterAddressLength);
static_assert(offsetof(IP_ADAPTER_INFO, Index) == iphlp_layout::kAdapterIndex);
static_assert(offsetof(IP_ADAPTER_INFO, Type) == iphlp_layout::kAdapterType);
static_assert(offsetof(IP_ADAPTER_INFO, DhcpEnabled) == iphlp_layout::kAdapterDhcpEnabled);
static_assert(offsetof(IP_ADAPTER_INFO, IpAddressList) == iphlp_layout::kAdapterIpAddressList);
static_assert(offsetof(IP_ADAPTER_INFO, GatewayList) == iphlp_layout::kAdapterGatewayList);
static_assert(offsetof(IP_ADAPTER_INFO, DhcpServer) == iphlp_layout::kAdapterDhcpServer);
static_assert(offsetof(IP_ADAPTER_INFO, HaveWins) == iphlp_layout::kAdapterHaveWins);
static_assert(offsetof(IP_ADAPTER_INFO, PrimaryWinsServer) == iphlp_layout::kAdapterPrimaryWins);
static_assert(offsetof(IP_ADAPTER_INFO, SecondaryWinsServer) == iphlp_layout::kAdapterSecondaryWins);
static_assert(offsetof(FIXED_INFO, CurrentDnsServer) == iphlp_layout::kFixedCurrentDnsServer);
static_assert(offsetof(FIXED_INFO, DnsServerList) == iphlp_layout::kFixedDnsServerList);
static_assert(offsetof(FIXED_INFO, NodeType) == iphlp_layout::kFixedNodeType);
static_assert(offsetof(FIXED_INFO, ScopeId) == iphlp_layout::kFixedScopeId);
static_assert(offsetof(FIXED_INFO, EnableDns) == iphlp_layout::kFixedEnableDns);
static_assert(sizeof(FIXED_INFO) == iphlp_layout::kFixedInfoSize);

std::optional<InterfaceRowInfo> InterfaceRow(uint32_t index) {
  MIB_IFROW row{};
  row.dwIndex = index;
  if (IpHelperGetIfEntry(&row) != NO_ERROR) return std::nullopt;
  return InterfaceRowInfo{NarrowField(row.wszName, MAX_INTERFACE_NAME_LEN), row.dwSpeed, row.dwMtu,
                          row.dwAdminStatus, row.dwOperStatus};
}

}  // namespace

std::unique_ptr<TNetList> GetNetList() {
  NetListSources sources;
  sources.getAdaptersInfo = [](uint8_t* buffer, uint32_t& size) -> uint32_t {
    ULONG length = size;
    DWORD error = IpHelperGetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(buffer), &length);
    size = length;
    return error;
  };
  sources.getNetworkParams = [](uint8_t* buffer, uint32_t& size) -> uint32_t {
    ULONG length = size;
    DWORD error = IpHelperGetNetworkParams(reinterpret_cast<FIXED_INFO*>(buffer), &length);
    size = length;
    return error;
  };
  sources.getIfEntry = InterfaceRow;
  sources.readRegString = SystemRegStringReader();
  sources.decodeAnsi = [](std::string_view ansi) { return AnsiToUtf8(ansi); };
  return BuildNetList(sources);
}

}  // namespace vsm

#include "software/network/NetList.h"

#include "base/text.h"

namespace vsm {

namespace {

const std::string kTcpipParameters = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";

void SplitEntries(const std::vector<IpAddressEntry>& entries, StringList& addresses, StringList& masks) {
  for (const IpAddressEntry& entry : entries) {
    addresses.push_back(entry.address);
    masks.push_back(entry.mask);
  }
}

}  // namespace

TNodeType NodeTypeFromCode(uint32_t code) {
  switch (code) {
    case 1: return TNodeType::ntBroadcast;
    case 2: return TNodeType::ntPeerToPeer;
    case 4: return TNodeType::ntMixed;
    case 8: return TNodeType::ntHybrid;
    default: return TNodeType::ntUnknown;
  }
}

std::string FormatMacAddress(const std::vector<uint8_t>& bytes) {
  std::string text;
  for (uint8_t byte : bytes) {
    if (!text.empty()) text += ':';
    text += Format("%2.2X", byte);
  }
  return text;
}

TNetAdapter::TNetAdapter(const AdapterRecord& record, const std::optional<InterfaceRowInfo>& row)
    : FName(Trim(record.description)), FAdapterType(record.type),
      FMACAddress(FormatMacAddress(record.hardwareAddress)), FEnableDHCP(record.dhcpEnabled),
      FHaveWINS(record.haveWins) {
  SplitEntries(record.ipAddresses, FIPAddress, FIPAddressMask);
  SplitEntries(record.gateways, FGateway_IPAddress, FGateway_IPAddressMask);
  SplitEntries(record.dhcpServers, FDHCP_IPAddress, FDHCP_IPAddressMask);
  SplitEntries(record.primaryWins, FPrimaryWINS_IPAddress, FPrimaryWINS_IPAddressMask);
  SplitEntries(record.secondaryWins, FSecondaryWINS_IPAddress, FSecondaryWINS_IPAddressMask);
  if (row) {
    FHasInterfaceRow = true;
    FDeviceId = row->name;
    FMaxSpeed = row->speed;
    FMtu = row->mtu;
    FAdminStatus = row->adminStatus;
    FOperStatus = row->operStatus;
  }
}

TNetAdapter* TNetList::GetAdapter(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return FAdapters[static_cast<size_t>(index)].get();
}

void TNetList::PutAdapter(int index, std::unique_ptr<TNetAdapter> adapter) {
  if (index < 0 || index >= Count()) return;
  FAdapters[static_cast<size_t>(index)] = std::move(adapter);
}

void TNetList::Add(std::unique_ptr<TNetAdapter> adapter) { FAdapters.push_back(std::move(adapter)); }

void TNetList::SetNetworkParams(const NetworkParamsRecord& params,
                                const std::optional<std::string>& searchList) {
  FNodeType = NodeTypeFromCode(params.nodeType);
  FDHCPScopeName = params.scopeId;
  FPrimaryDNSSuffix = params.currentDnsServer;
  FDNSServers = params.dnsServers;
  // Every piece counts, so a missing or empty search list gives one empty suffix.
  FDNSSuffixes = Split(searchList.value_or(std::string()), ',');
  FHostName = params.hostName;
  FDomainName = params.domainName;
  FEnableProxy = params.enableProxy;
  FEnableRouting = params.enableRouting;
  FEnableDNS = params.enableDns;
}

std::unique_ptr<TNetList> BuildNetList(const NetListSources& sources) {
  auto list = std::make_unique<TNetList>();
  std::vector<uint8_t> buffer;
  if (sources.getAdaptersInfo &&
      CallWithGrowingBuffer(sources.getAdaptersInfo, iphlp_layout::kAdapterRecordSize,
                            iphlp_layout::kAdapterRecordSize, buffer) == 0) {
    for (const AdapterRecord& record :
         DecodeAdaptersInfo(buffer, Address32(buffer.data()), sources.decodeAnsi)) {
      std::optional<InterfaceRowInfo> row;
      if (sources.getIfEntry) row = sources.getIfEntry(record.index);
      list->Add(std::make_unique<TNetAdapter>(record, row));
    }
  }
  if (sources.getNetworkParams &&
      CallWithGrowingBuffer(sources.getNetworkParams, iphlp_layout::kFixedInfoSize, 0, buffer) == 0) {
    if (auto params = DecodeNetworkParams(buffer, Address32(buffer.data()), sources.decodeAnsi)) {
      list->SetNetworkParams(
          *params, ReadRegText(sources.readRegString, RegRoot::LocalMachine, kTcpipParameters, "SearchList"));
    }
  }
  return list;
}

}  // namespace vsm

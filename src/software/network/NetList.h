#pragma once
// The machine's network configuration, read once: every adapter with its addresses and interface
// row, and the machine-wide parameters.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/registry_reader.h"
#include "software/network/IpHelperRecords.h"

namespace vsm {

enum class TNodeType { ntUnknown, ntBroadcast, ntPeerToPeer, ntMixed, ntHybrid };

// The NetBIOS node type code of the network parameters.
TNodeType NodeTypeFromCode(uint32_t code);

// What the interface row of an adapter contributes.
struct InterfaceRowInfo {
  std::string name;
  uint32_t speed = 0;
  uint32_t mtu = 0;
  uint32_t adminStatus = 0;
  uint32_t operStatus = 0;
};

using StringList = std::vector<std::string>;

class TNetAdapter {
 public:
  // Without an interface row the device name, speed, MTU and status stay empty or 0.
  TNetAdapter(const AdapterRecord& record, const std::optional<InterfaceRowInfo>& row);

  const std::string& Name() const { return FName; }
  uint32_t AdapterType() const { return FAdapterType; }
  const std::string& MACAddress() const { return FMACAddress; }
  bool EnableDHCP() const { return FEnableDHCP; }
  bool HaveWINS() const { return FHaveWINS; }
  const StringList& IPAddress() const { return FIPAddress; }
  const StringList& IPAddressMask() const { return FIPAddressMask; }
  const StringList& Gateway_IPAddress() const { return FGateway_IPAddress; }
  const StringList& Gateway_IPAddressMask() const { return FGateway_IPAddressMask; }
  const StringList& DHCP_IPAddress() const { return FDHCP_IPAddress; }
  const StringList& DHCP_IPAddressMask() const { return FDHCP_IPAddressMask; }
  const StringList& PrimaryWINS_IPAddress() const { return FPrimaryWINS_IPAddress; }
  const StringList& PrimaryWINS_IPAddressMask() const { return FPrimaryWINS_IPAddressMask; }
  const StringList& SecondaryWINS_IPAddress() const { return FSecondaryWINS_IPAddress; }
  const StringList& SecondaryWINS_IPAddressMask() const { return FSecondaryWINS_IPAddressMask; }
  const std::string& DeviceId() const { return FDeviceId; }
  uint32_t MaxSpeed() const { return FMaxSpeed; }
  uint32_t Mtu() const { return FMtu; }
  uint32_t AdminStatus() const { return FAdminStatus; }
  uint32_t OperStatus() const { return FOperStatus; }
  // Whether the interface row was there, so that speed and status mean something.
  bool HasInterfaceRow() const { return FHasInterfaceRow; }

 private:
  std::string FName;
  uint32_t FAdapterType = 0;
  std::string FMACAddress;
  bool FEnableDHCP = false;
  bool FHaveWINS = false;
  StringList FIPAddress, FIPAddressMask;
  StringList FGateway_IPAddress, FGateway_IPAddressMask;
  StringList FDHCP_IPAddress, FDHCP_IPAddressMask;
  StringList FPrimaryWINS_IPAddress, FPrimaryWINS_IPAddressMask;
  StringList FSecondaryWINS_IPAddress, FSecondaryWINS_IPAddressMask;
  std::string FDeviceId;
  uint32_t FMaxSpeed = 0;
  uint32_t FMtu = 0;
  uint32_t FAdminStatus = 0;
  uint32_t FOperStatus = 0;
  bool FHasInterfaceRow = false;
};

// The adapters in the library's order, owned by the list, and the machine-wide parameters.
class TNetList {
 public:
  int Count() const { return static_cast<int>(FAdapters.size()); }
  // Null for an index out of range.
  TNetAdapter* GetAdapter(int index) const;
  // Replaces the adapter at an index (the old one is destroyed); ignored out of range.
  void PutAdapter(int index, std::unique_ptr<TNetAdapter> adapter);
  void Add(std::unique_ptr<TNetAdapter> adapter);
  void Clear() { FAdapters.clear(); }

  // Fills the machine-wide properties; the DNS suffixes come from the registry's search list.
  void SetNetworkParams(const NetworkParamsRecord& params, const std::optional<std::string>& searchList);

  TNodeType NodeType() const { return FNodeType; }
  const std::string& DHCPScopeName() const { return FDHCPScopeName; }
  const std::string& PrimaryDNSSuffix() const { return FPrimaryDNSSuffix; }
  const StringList& DNSServers() const { return FDNSServers; }
  const StringList& DNSSuffixes() const { return FDNSSuffixes; }
  const std::string& HostName() const { return FHostName; }
  const std::string& DomainName() const { return FDomainName; }
  bool EnableProxy() const { return FEnableProxy; }
  bool EnableRouting() const { return FEnableRouting; }
  bool EnableDNS() const { return FEnableDNS; }

 private:
  std::vector<std::unique_ptr<TNetAdapter>> FAdapters;
  TNodeType FNodeType = TNodeType::ntUnknown;
  std::string FDHCPScopeName;
  std::string FPrimaryDNSSuffix;
  StringList FDNSServers;
  StringList FDNSSuffixes;
  std::string FHostName;
  std::string FDomainName;
  bool FEnableProxy = false;
  bool FEnableRouting = false;
  bool FEnableDNS = false;
};

// The calls the list is built from; the shell binds them to the IP Helper library and the
// registry. A missing function behaves like a failing call.
struct NetListSources {
  BufferFillFunction getAdaptersInfo;   // answers the library's error code
  BufferFillFunction getNetworkParams;  // answers the library's error code
  std::function<std::optional<InterfaceRowInfo>(uint32_t interfaceIndex)> getIfEntry;
  RegStringReader readRegString;
  AnsiDecoder decodeAnsi;
};

// Never fails as a whole: what cannot be read stays empty.
std::unique_ptr<TNetList> BuildNetList(const NetListSources& sources);

// "AA:BB:..." of a hardware address, two upper-case hex digits per byte.
std::string FormatMacAddress(const std::vector<uint8_t>& bytes);

}  // namespace vsm

#include "base/text.h"
#include "pages/DeviceTexts.h"
#include "pages/InfoPages.h"
#include "pages/NetworkRows.h"
#include "pages/PageFill.h"
#include "software/network/NetList.h"

namespace vsm {

namespace {

// A group row of address and mask pairs, only when there are addresses.
void AddAddressGroup(TInfoRow& adapter, const std::string& caption, bool expanded,
                     const StringList& addresses, const StringList& masks, const TPageTexts& texts) {
  if (addresses.empty()) return;
  TInfoRow& group = adapter.Add(caption);
  group.Expanded = expanded;
  AddAddressPairs(group, addresses, masks, texts);
}

void AddAdapter(TInfoTree& tree, const TNetAdapter& adapter, const TPageTexts& texts) {
  TInfoRow& row = tree.Add(adapter.Name());
  row.Expanded = true;
  row.Add(texts.Caption("DeviceID", "Device ID"), adapter.DeviceId());
  row.Add(texts.Caption("AdapterType", "Adapter Type"), AdapterTypeText(adapter.AdapterType(), texts));
  row.Add(texts.Caption("MACAddress", "MAC Address"), adapter.MACAddress());
  // Speed and state come from the interface row; without one neither is known.
  const bool known = adapter.HasInterfaceRow();
  row.Add(texts.Caption("MaxSpeed", "Max Speed"), known && adapter.MaxSpeed() != 0
                                                      ? Format("%.0f Mbps", adapter.MaxSpeed() / 1000000.0)
                                                      : std::string("-"));
  row.Add(texts.Caption("OperStatus", "Oper Status"),
          known ? OperStatusText(adapter.OperStatus(), texts) : "-");
  AddAddressGroup(row, texts.Caption("IPAddress", "IP Address"), true, adapter.IPAddress(),
                  adapter.IPAddressMask(), texts);
  AddAddressGroup(row, texts.Caption("Gateway", "Gateway Address"), false, adapter.Gateway_IPAddress(),
                  adapter.Gateway_IPAddressMask(), texts);
  if (adapter.EnableDHCP()) {
    AddAddressGroup(row, texts.Caption("DHCP", "DHCP Address"), false, adapter.DHCP_IPAddress(),
                    adapter.DHCP_IPAddressMask(), texts);
  }
  if (adapter.HaveWINS()) {
    AddAddressGroup(row, texts.Caption("WINSAddress", "Primary WINS Address"), false,
                    adapter.PrimaryWINS_IPAddress(), adapter.PrimaryWINS_IPAddressMask(), texts);
  }
}

}  // namespace

void FillNetworkPage(TInfoTree& tree, const THardwareParts* hardware, const TPageTexts& texts) {
  const TPageFill fill(tree, kInfoRowHeight, {kInfoValueColumn, false});
  if (!hardware || !hardware->netAdapters) return;
  const TNetList& list = *hardware->netAdapters;
  tree.Add(texts.Caption("HostName", "Host Name"), list.HostName());
  if (!list.DomainName().empty()) tree.Add(texts.Caption("DomainName", "Domain Name"), list.DomainName());
  if (!list.DHCPScopeName().empty())
    tree.Add(texts.Caption("DHCPName", "DHCP Scope Name"), list.DHCPScopeName());
  if (list.EnableDNS()) {
    TInfoRow& dns = tree.Add(texts.Caption("DNSServers", "DNS Servers"));
    dns.Expanded = true;
    for (size_t i = 0; i < list.DNSServers().size(); ++i) {
      dns.Add(texts.Caption("DNSIP", "DNS Servers IP"), list.DNSServers()[i]);
      dns.Add(texts.Caption("DNSSuffixes", "DNS Suffixes"), ListEntry(list.DNSSuffixes(), i));
    }
  }
  for (int i = 0; i < list.Count(); ++i) AddAdapter(tree, *list.GetAdapter(i), texts);
}

}  // namespace vsm

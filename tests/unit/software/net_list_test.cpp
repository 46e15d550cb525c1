#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "software/network/NetList.h"

namespace vsm {
namespace {

using namespace iphlp_layout;

// Writes the library's 32-bit records into a buffer, with links as addresses into that buffer.
class RecordWriter {
 public:
  explicit RecordWriter(uint8_t* buffer) : buffer_(buffer) {}
  void U32(size_t offset, uint32_t value) { std::memcpy(buffer_ + offset, &value, sizeof value); }
  void Text(size_t offset, const std::string& text) {
    std::memcpy(buffer_ + offset, text.data(), text.size());
  }
  uint32_t Link(size_t offset) const { return Address32(buffer_ + offset); }
  void Entry(size_t offset, const std::string& address, const std::string& mask, size_t nextOffset = 0) {
    Text(offset + kAddrStringAddress, address);
    Text(offset + kAddrStringMask, mask);
    U32(offset + kAddrStringNext, nextOffset == 0 ? 0 : Link(nextOffset));
  }

 private:
  uint8_t* buffer_;
};

// The library as seen through the fill seam: it asks for more room until the buffer holds
// `needed` bytes, then lays out the records with `write`.
BufferFillFunction Library(uint32_t needed, std::function<void(RecordWriter&)> write,
                           std::vector<uint32_t>* sizesSeen = nullptr) {
  return [=](uint8_t* buffer, uint32_t& size) -> uint32_t {
    if (sizesSeen) sizesSeen->push_back(size);
    if (size < needed) {
      size = needed;
      return kErrorBufferOverflow;
    }
    RecordWriter writer(buffer);
    write(writer);
    return 0;
  };
}

constexpr size_t kSecond = kAdapterRecordSize;
constexpr size_t kExtraEntries = 2 * kAdapterRecordSize;

void WriteTwoAdapters(RecordWriter& w) {
  w.U32(kAdapterNext, w.Link(kSecond));
  w.Text(kAdapterDescription, "  Realtek PCIe GbE Family Controller \t");
  w.U32(kAdapterAddressLength, 6);
  w.Text(kAdapterAddress, std::string("\x00\x1A\x2B\x3C\x4D\x5E", 6));
  w.U32(kAdapterIndex, 11);
  w.U32(kAdapterType, 6);
  w.U32(kAdapterDhcpEnabled, 1);
  w.Entry(kAdapterIpAddressList, "192.168.1.20", "255.255.255.0", kExtraEntries);
  w.Entry(kExtraEntries, "10.0.0.5", "255.0.0.0");
  w.Entry(kAdapterGatewayList, "192.168.1.1", "255.255.255.255");
  w.Entry(kAdapterDhcpServer, "192.168.1.1", "255.255.255.255");
  w.U32(kAdapterHaveWins, 1);
  w.Entry(kAdapterPrimaryWins, "192.168.1.2", "255.255.255.255");
  w.Entry(kAdapterSecondaryWins, "192.168.1.3", "255.255.255.255");

  w.Text(kSecond + kAdapterDescription, "Loopback");
  w.U32(kSecond + kAdapterIndex, 1);
  w.U32(kSecond + kAdapterType, 24);
  w.Entry(kSecond + kAdapterIpAddressList, "127.0.0.1", "255.0.0.0");
  // No gateway: the library leaves the embedded first entry as it is.
  w.Entry(kSecond + kAdapterGatewayList, "0.0.0.0", "");
}

TEST(GetNetList, AdaptersCarryEveryFieldAndAddressListsInOrder) {
  std::vector<uint32_t> sizes;
  std::vector<uint32_t> rowsAsked;
  NetListSources sources;
  sources.getAdaptersInfo = Library(kExtraEntries + kAddrStringSize, WriteTwoAdapters, &sizes);
  sources.getIfEntry = [&](uint32_t index) -> std::optional<InterfaceRowInfo> {
    rowsAsked.push_back(index);
    if (index != 11) return std::nullopt;
    return InterfaceRowInfo{"\\DEVICE\\TCPIP_{6A1}", 1000000000, 1500, 1, 5};
  };
  auto list = BuildNetList(sources);

  // 640 first, then what the library asked for plus one more record.
  EXPECT_EQ(sizes, (std::vector<uint32_t>{640, kExtraEntries + kAddrStringSize + 640}));
  EXPECT_EQ(rowsAsked, (std::vector<uint32_t>{11, 1}));
  ASSERT_EQ(list->Count(), 2);
  const TNetAdapter& nic = *list->GetAdapter(0);
  EXPECT_EQ(nic.Name(), "Realtek PCIe GbE Family Controller");
  EXPECT_EQ(nic.AdapterType(), 6u);
  EXPECT_EQ(nic.MACAddress(), "00:1A:2B:3C:4D:5E");
  EXPECT_TRUE(nic.EnableDHCP());
  EXPECT_TRUE(nic.HaveWINS());
  EXPECT_EQ(nic.IPAddress(), (StringList{"192.168.1.20", "10.0.0.5"}));
  EXPECT_EQ(nic.IPAddressMask(), (StringList{"255.255.255.0", "255.0.0.0"}));
  EXPECT_EQ(nic.Gateway_IPAddress(), StringList{"192.168.1.1"});
  EXPECT_EQ(nic.DHCP_IPAddress(), StringList{"192.168.1.1"});
  EXPECT_EQ(nic.DHCP_IPAddressMask(), StringList{"255.255.255.255"});
  EXPECT_EQ(nic.PrimaryWINS_IPAddress(), StringList{"192.168.1.2"});
  EXPECT_EQ(nic.SecondaryWINS_IPAddress(), StringList{"192.168.1.3"});
  EXPECT_EQ(nic.DeviceId(), "\\DEVICE\\TCPIP_{6A1}");
  EXPECT_EQ(nic.MaxSpeed(), 1000000000u);
  EXPECT_EQ(nic.Mtu(), 1500u);
  EXPECT_EQ(nic.AdminStatus(), 1u);
  EXPECT_EQ(nic.OperStatus(), 5u);

  const TNetAdapter& loopback = *list->GetAdapter(1);
  EXPECT_EQ(loopback.MACAddress(), "");
  EXPECT_FALSE(loopback.EnableDHCP());
  EXPECT_EQ(loopback.Gateway_IPAddress(), StringList{"0.0.0.0"});
  EXPECT_EQ(loopback.Gateway_IPAddressMask(), StringList{""});
  // Lists the library left empty still have their first, empty entry.
  EXPECT_EQ(loopback.SecondaryWINS_IPAddress(), StringList{""});
  // Its interface row could not be read.
  EXPECT_EQ(loopback.DeviceId(), "");
  EXPECT_EQ(loopback.MaxSpeed(), 0u);
  EXPECT_EQ(loopback.Mtu(), 0u);
  EXPECT_EQ(loopback.OperStatus(), 0u);
  EXPECT_EQ(list->GetAdapter(2), nullptr);
  EXPECT_EQ(list->GetAdapter(-1), nullptr);
}

TEST(GetNetList, LinksThatLoopOrLeaveTheBufferEndTheWalk) {
  std::vector<uint8_t> buffer(2 * kAdapterRecordSize + 2 * kAddrStringSize);
  RecordWriter w(buffer.data());
  const size_t extra = 2 * kAdapterRecordSize;
  // Adapter 0 links to adapter 1, which links back to adapter 0.
  w.U32(kAdapterNext, w.Link(kSecond));
  w.U32(kSecond + kAdapterNext, w.Link(0));
  // An entry linking to itself.
  w.Entry(kAdapterIpAddressList, "192.168.1.20", "255.255.255.0", kAdapterIpAddressList);
  // Two extra entries linking to each other.
  w.Entry(kAdapterGatewayList, "10.0.0.1", "", extra);
  w.Entry(extra, "10.0.0.2", "", extra + kAddrStringSize);
  w.Entry(extra + kAddrStringSize, "10.0.0.3", "", extra);
  // A link beyond the buffer's end.
  w.Entry(kAdapterDhcpServer, "10.0.0.9", "");
  w.U32(kAdapterDhcpServer + kAddrStringNext, w.Link(buffer.size() - 8));
  // Adapter 1's address-length field claims more than the record holds.
  w.U32(kSecond + kAdapterAddressLength, 200);

  auto adapters = DecodeAdaptersInfo(buffer, Address32(buffer.data()), nullptr);
  ASSERT_EQ(adapters.size(), 2u);
  ASSERT_EQ(adapters[0].ipAddresses.size(), 1u);
  EXPECT_EQ(adapters[0].ipAddresses[0].address, "192.168.1.20");
  ASSERT_EQ(adapters[0].gateways.size(), 3u);
  EXPECT_EQ(adapters[0].gateways[2].address, "10.0.0.3");
  EXPECT_EQ(adapters[0].dhcpServers.size(), 1u);
  EXPECT_EQ(adapters[1].hardwareAddress.size(), 8u);
}

TEST(GetNetList, BufferTooShortForARecordGivesNoAdaptersAndNoParams) {
  std::vector<uint8_t> adapters(kAdapterUsedSize - 1);
  EXPECT_TRUE(DecodeAdaptersInfo(adapters, Address32(adapters.data()), nullptr).empty());
  std::vector<uint8_t> params(kFixedInfoSize - 1);
  EXPECT_FALSE(DecodeNetworkParams(params, Address32(params.data()), nullptr).has_value());
}

constexpr size_t kDnsExtra = kFixedInfoSize;

void WriteParams(RecordWriter& w) {
  w.Text(kFixedHostName, "workstation");
  w.Text(kFixedDomainName, "corp.example");
  w.U32(kFixedCurrentDnsServer, w.Link(kFixedDnsServerList));
  // 10.1.1.1 -> 10.1.1.2 -> 10.1.1.2 (same address again: the walk stops before it) -> 10.1.1.9
  w.Entry(kFixedDnsServerList, "10.1.1.1", "", kDnsExtra);
  w.Entry(kDnsExtra, "10.1.1.2", "", kDnsExtra + kAddrStringSize);
  w.Entry(kDnsExtra + kAddrStringSize, "10.1.1.2", "", kDnsExtra + 2 * kAddrStringSize);
  w.Entry(kDnsExtra + 2 * kAddrStringSize, "10.1.1.9", "");
  w.U32(kFixedNodeType, 8);
  w.Text(kFixedScopeId, "SCOPE");
  w.U32(kFixedEnableRouting, 1);
  w.U32(kFixedEnableProxy, 0);
  w.U32(kFixedEnableDns, 1);
}

TEST(GetNetList, NetworkParametersDnsWalkAndSearchSuffixes) {
  std::vector<uint32_t> sizes;
  std::vector<std::string> registryReads;
  NetListSources sources;
  sources.getNetworkParams = Library(kDnsExtra + 3 * kAddrStringSize, WriteParams, &sizes);
  sources.readRegString = [&](RegRoot root, const std::string& path, const std::string& name,
                              std::string& text) {
    EXPECT_EQ(root, RegRoot::LocalMachine);
    registryReads.push_back(path + "|" + name);
    text = "corp.example,lab.example";
    return true;
  };
  auto list = BuildNetList(sources);

  EXPECT_EQ(sizes, (std::vector<uint32_t>{584, kDnsExtra + 3 * kAddrStringSize}));
  EXPECT_EQ(list->Count(), 0);
  EXPECT_EQ(list->HostName(), "workstation");
  EXPECT_EQ(list->DomainName(), "corp.example");
  EXPECT_EQ(list->PrimaryDNSSuffix(), "10.1.1.1");
  EXPECT_EQ(list->DNSServers(), (StringList{"10.1.1.1", "10.1.1.2"}));
  EXPECT_EQ(list->NodeType(), TNodeType::ntHybrid);
  EXPECT_EQ(list->DHCPScopeName(), "SCOPE");
  EXPECT_TRUE(list->EnableRouting());
  EXPECT_FALSE(list->EnableProxy());
  EXPECT_TRUE(list->EnableDNS());
  EXPECT_EQ(registryReads, StringList{"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters|SearchList"});
  EXPECT_EQ(list->DNSSuffixes(), (StringList{"corp.example", "lab.example"}));
}

TEST(GetNetList, MissingSearchListAndNoCurrentDnsServer) {
  NetListSources sources;
  sources.getNetworkParams = Library(kFixedInfoSize, [](RecordWriter& w) {
    w.Text(kFixedHostName, "host");
    w.U32(kFixedNodeType, 3);
  });
  auto list = BuildNetList(sources);
  EXPECT_EQ(list->HostName(), "host");
  EXPECT_EQ(list->PrimaryDNSSuffix(), "");
  EXPECT_EQ(list->DNSServers(), StringList{""});
  EXPECT_EQ(list->NodeType(), TNodeType::ntUnknown);
  EXPECT_EQ(list->DNSSuffixes(), StringList{""});
}

TEST(GetNetList, FailingCallsLeaveTheirPartEmpty) {
  NetListSources sources;
  sources.getAdaptersInfo = Library(kExtraEntries + kAddrStringSize, WriteTwoAdapters);
  sources.getNetworkParams = [](uint8_t*, uint32_t&) -> uint32_t { return 232; };
  sources.readRegString = [](RegRoot, const std::string&, const std::string&, std::string& text) {
    text = "never.read";
    return true;
  };
  auto list = BuildNetList(sources);
  EXPECT_EQ(list->Count(), 2);
  EXPECT_EQ(list->HostName(), "");
  EXPECT_TRUE(list->DNSServers().empty());
  EXPECT_TRUE(list->DNSSuffixes().empty());

  auto nothing = BuildNetList(NetListSources{});
  EXPECT_EQ(nothing->Count(), 0);
  EXPECT_TRUE(nothing->DNSSuffixes().empty());
}

TEST(GetNetList, LibraryThatNeverHasEnoughRoomIsNotFollowedForEver) {
  int calls = 0;
  NetListSources sources;
  sources.getAdaptersInfo = [&](uint8_t*, uint32_t& size) -> uint32_t {
    ++calls;
    size += 1;
    return kErrorBufferOverflow;
  };
  EXPECT_EQ(BuildNetList(sources)->Count(), 0);
  EXPECT_LE(calls, 8);
}

TEST(TNetList, NodeTypeCodes) {
  const std::map<uint32_t, TNodeType> cases = {{0, TNodeType::ntUnknown},    {1, TNodeType::ntBroadcast},
                                               {2, TNodeType::ntPeerToPeer}, {3, TNodeType::ntUnknown},
                                               {4, TNodeType::ntMixed},      {8, TNodeType::ntHybrid},
                                               {16, TNodeType::ntUnknown}};
  for (const auto& [code, type] : cases) EXPECT_EQ(NodeTypeFromCode(code), type) << code;
}

TEST(TNetList, PutAdapterReplacesInRangeOnly) {
  TNetList list;
  AdapterRecord first;
  first.description = "one";
  AdapterRecord second;
  second.description = "two";
  list.Add(std::make_unique<TNetAdapter>(first, std::nullopt));
  list.PutAdapter(0, std::make_unique<TNetAdapter>(second, std::nullopt));
  list.PutAdapter(1, std::make_unique<TNetAdapter>(first, std::nullopt));
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.GetAdapter(0)->Name(), "two");
}

}  // namespace
}  // namespace vsm

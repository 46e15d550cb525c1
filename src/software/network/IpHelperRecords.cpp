#include "software/network/IpHelperRecords.h"

#include <set>

#include "base/le_bytes.h"

namespace vsm {

namespace {

using namespace iphlp_layout;

// Reads the records of one buffer; every read is checked against the buffer's end.
class RecordReader {
 public:
  RecordReader(std::span<const uint8_t> buffer, uint32_t bufferAddress, const AnsiDecoder& decode)
      : buffer_(buffer), address_(bufferAddress), decode_(decode) {}

  bool Fits(size_t offset, size_t size) const { return buffer_.Has(offset, size); }

  uint32_t U32(size_t offset) const { return buffer_.U32(offset); }

  // A NUL-terminated text in a fixed field; a field without NUL is taken whole.
  std::string Text(size_t offset, size_t fieldSize) const {
    const char* field = reinterpret_cast<const char*>(buffer_.data() + offset);
    size_t length = 0;
    while (length < fieldSize && field[length] != '\0') ++length;
    std::string_view ansi(field, length);
    return decode_ ? decode_(ansi) : std::string(ansi);
  }

  // The buffer offset a link points to, when a record of `size` bytes there lies in the buffer.
  std::optional<size_t> Follow(uint32_t link, size_t size) const {
    if (link == 0) return std::nullopt;
    size_t offset = static_cast<uint32_t>(link - address_);
    if (!Fits(offset, size)) return std::nullopt;
    return offset;
  }

  IpAddressEntry AddressEntry(size_t offset) const {
    return {Text(offset + kAddrStringAddress, kAddrStringTextSize),
            Text(offset + kAddrStringMask, kAddrStringTextSize)};
  }

  // An embedded first entry and the entries linked from it. The first entry always counts.
  std::vector<IpAddressEntry> AddressList(size_t first) const {
    std::vector<IpAddressEntry> entries;
    std::set<size_t> visited;
    std::optional<size_t> offset = first;
    while (offset && visited.insert(*offset).second) {
      entries.push_back(AddressEntry(*offset));
      offset = Follow(U32(*offset + kAddrStringNext), kAddrStringSize);
    }
    return entries;
  }

  // The DNS server list also ends where an entry repeats the address just taken.
  std::vector<std::string> DnsServerList(size_t first) const {
    std::vector<std::string> servers;
    std::set<size_t> visited;
    std::optional<size_t> offset = first;
    while (offset && visited.insert(*offset).second) {
      std::string address = AddressEntry(*offset).address;
      servers.push_back(address);
      offset = Follow(U32(*offset + kAddrStringNext), kAddrStringSize);
      if (offset && AddressEntry(*offset).address == address) break;
    }
    return servers;
  }

  AdapterRecord Adapter(size_t offset) const {
    AdapterRecord record;
    record.description = Text(offset + kAdapterDescription, kAdapterDescriptionSize);
    record.type = U32(offset + kAdapterType);
    size_t length = std::min<size_t>(U32(offset + kAdapterAddressLength), kAdapterAddressSize);
    const uint8_t* address = buffer_.data() + offset + kAdapterAddress;
    record.hardwareAddress.assign(address, address + length);
    record.index = U32(offset + kAdapterIndex);
    record.dhcpEnabled = U32(offset + kAdapterDhcpEnabled) != 0;
    record.haveWins = U32(offset + kAdapterHaveWins) != 0;
    record.ipAddresses = AddressList(offset + kAdapterIpAddressList);
    record.gateways = AddressList(offset + kAdapterGatewayList);
    record.dhcpServers = AddressList(offset + kAdapterDhcpServer);
    record.primaryWins = AddressList(offset + kAdapterPrimaryWins);
    record.secondaryWins = AddressList(offset + kAdapterSecondaryWins);
    return record;
  }

 private:
  ByteView buffer_;
  uint32_t address_;
  const AnsiDecoder& decode_;
};

}  // namespace

uint32_t Address32(const uint8_t* byte) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(byte)); }

std::vector<AdapterRecord> DecodeAdaptersInfo(std::span<const uint8_t> buffer, uint32_t bufferAddress,
                                              const AnsiDecoder& decode) {
  RecordReader reader(buffer, bufferAddress, decode);
  std::vector<AdapterRecord> adapters;
  std::set<size_t> visited;
  std::optional<size_t> offset;
  if (reader.Fits(0, kAdapterUsedSize)) offset = 0;
  while (offset && visited.insert(*offset).second) {
    adapters.push_back(reader.Adapter(*offset));
    offset = reader.Follow(reader.U32(*offset + kAdapterNext), kAdapterUsedSize);
  }
  return adapters;
}

std::optional<NetworkParamsRecord> DecodeNetworkParams(std::span<const uint8_t> buffer,
                                                       uint32_t bufferAddress, const AnsiDecoder& decode) {
  RecordReader reader(buffer, bufferAddress, decode);
  if (!reader.Fits(0, kFixedInfoSize)) return std::nullopt;
  NetworkParamsRecord params;
  params.hostName = reader.Text(kFixedHostName, kFixedNameSize);
  params.domainName = reader.Text(kFixedDomainName, kFixedNameSize);
  if (auto current = reader.Follow(reader.U32(kFixedCurrentDnsServer), kAddrStringSize)) {
    params.currentDnsServer = reader.AddressEntry(*current).address;
  }
  params.dnsServers = reader.DnsServerList(kFixedDnsServerList);
  params.nodeType = reader.U32(kFixedNodeType);
  params.scopeId = reader.Text(kFixedScopeId, kFixedScopeIdSize);
  params.enableRouting = reader.U32(kFixedEnableRouting) != 0;
  params.enableProxy = reader.U32(kFixedEnableProxy) != 0;
  params.enableDns = reader.U32(kFixedEnableDns) != 0;
  return params;
}

uint32_t CallWithGrowingBuffer(const BufferFillFunction& fill, uint32_t initialSize, uint32_t extra,
                               std::vector<uint8_t>& buffer) {
  // The needed size can grow between calls (an adapter appears); a few rounds are plenty, and a
  // library that keeps asking for more is not followed for ever.
  constexpr int kMaxRounds = 8;
  constexpr uint32_t kMaxSize = 16u << 20;
  uint32_t size = initialSize;
  buffer.assign(size, 0);
  uint32_t error = fill(buffer.data(), size);
  for (int round = 1; error == kErrorBufferOverflow && round < kMaxRounds; ++round) {
    if (size > kMaxSize) break;
    size += extra;
    buffer.assign(size, 0);
    error = fill(buffer.data(), size);
  }
  return error;
}

}  // namespace vsm

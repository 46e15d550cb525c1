#pragma once
// The IP Helper library's adapter-information and network-parameter records as the 32-bit
// program receives them: linked records inside the buffer the caller passed, the links being
// 32-bit addresses into that same buffer. Decoding them here, from the bytes and the buffer's
// address, keeps every link bounds-checked and lets the tests build the records themselves.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vsm {

// Byte layout of the 32-bit records (iptypes.h).
namespace iphlp_layout {
constexpr size_t kAddrStringNext = 0;
constexpr size_t kAddrStringAddress = 4;
constexpr size_t kAddrStringMask = 20;
constexpr size_t kAddrStringTextSize = 16;
constexpr size_t kAddrStringSize = 40;

constexpr size_t kAdapterNext = 0;
constexpr size_t kAdapterDescription = 268;
constexpr size_t kAdapterDescriptionSize = 132;
constexpr size_t kAdapterAddressLength = 400;
constexpr size_t kAdapterAddress = 404;
constexpr size_t kAdapterAddressSize = 8;
constexpr size_t kAdapterIndex = 412;
constexpr size_t kAdapterType = 416;
constexpr size_t kAdapterDhcpEnabled = 420;
constexpr size_t kAdapterIpAddressList = 428;
constexpr size_t kAdapterGatewayList = 468;
constexpr size_t kAdapterDhcpServer = 508;
constexpr size_t kAdapterHaveWins = 548;
constexpr size_t kAdapterPrimaryWins = 552;
constexpr size_t kAdapterSecondaryWins = 592;
// Everything this program reads lies before the lease times.
constexpr size_t kAdapterUsedSize = 632;
constexpr size_t kAdapterRecordSize = 640;

constexpr size_t kFixedHostName = 0;
constexpr size_t kFixedNameSize = 132;
constexpr size_t kFixedDomainName = 132;
constexpr size_t kFixedCurrentDnsServer = 264;
constexpr size_t kFixedDnsServerList = 268;
constexpr size_t kFixedNodeType = 308;
constexpr size_t kFixedScopeId = 312;
constexpr size_t kFixedScopeIdSize = 260;
constexpr size_t kFixedEnableRouting = 572;
constexpr size_t kFixedEnableProxy = 576;
constexpr size_t kFixedEnableDns = 580;
constexpr size_t kFixedInfoSize = 584;
}  // namespace iphlp_layout

// The 32-bit address the program's records use for a byte of its buffer.
uint32_t Address32(const uint8_t* byte);

// The library's text fields are in the system code page; the shell converts them to UTF-8.
using AnsiDecoder = std::function<std::string(std::string_view ansi)>;

struct IpAddressEntry {
  std::string address;
  std::string mask;
};

struct AdapterRecord {
  std::string description;
  uint32_t type = 0;
  std::vector<uint8_t> hardwareAddress;
  uint32_t index = 0;
  bool dhcpEnabled = false;
  bool haveWins = false;
  std::vector<IpAddressEntry> ipAddresses;
  std::vector<IpAddressEntry> gateways;
  std::vector<IpAddressEntry> dhcpServers;
  std::vector<IpAddressEntry> primaryWins;
  std::vector<IpAddressEntry> secondaryWins;
};

struct NetworkParamsRecord {
  std::string hostName;
  std::string domainName;
  std::string currentDnsServer;  // empty when there is none
  std::vector<std::string> dnsServers;
  uint32_t nodeType = 0;
  std::string scopeId;
  bool enableRouting = false;
  bool enableProxy = false;
  bool enableDns = false;
};

// The adapter records linked from the buffer's first byte, in list order. A record or link that
// would reach outside the buffer, or back to a record already read, ends the walk.
std::vector<AdapterRecord> DecodeAdaptersInfo(std::span<const uint8_t> buffer, uint32_t bufferAddress,
                                              const AnsiDecoder& decode);

// Nothing when the buffer is shorter than the fixed record.
std::optional<NetworkParamsRecord> DecodeNetworkParams(std::span<const uint8_t> buffer,
                                                       uint32_t bufferAddress, const AnsiDecoder& decode);

// Calls an IP Helper function that fills a caller's buffer: starts with `initialSize` zeroed
// bytes and, while the function answers ERROR_BUFFER_OVERFLOW with the size it needs, retries
// with that size plus `extra`. Answers the last error code (0 on success); `buffer` holds the
// data on success.
using BufferFillFunction = std::function<uint32_t(uint8_t* buffer, uint32_t& size)>;
uint32_t CallWithGrowingBuffer(const BufferFillFunction& fill, uint32_t initialSize, uint32_t extra,
                               std::vector<uint8_t>& buffer);

constexpr uint32_t kErrorBufferOverflow = 111;

}  // namespace vsm

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "software/etw/NetworkEventDecoder.h"

namespace vsm {
namespace {

// Writes a payload field by field in the order of the event classes' MOF declarations, so the
// offsets come from the documented field order and widths, not from the decoder.
class Payload {
 public:
  explicit Payload(unsigned pointerSize) : pointerSize_(pointerSize) {}
  Payload& U16(uint16_t value) { return Put(value, 2); }
  Payload& U32(uint32_t value) { return Put(value, 4); }
  Payload& Pointer(uint64_t value) { return Put(value, pointerSize_); }
  Payload& IPv4() { return Put(0xC0A80001, 4); }
  Payload& IPv6() {
    for (int i = 0; i < 16; ++i) bytes.push_back(static_cast<uint8_t>(0xF0 + i));
    return *this;
  }
  std::vector<uint8_t> bytes;

 private:
  Payload& Put(uint64_t value, unsigned width) {
    for (unsigned i = 0; i < width; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    return *this;
  }
  unsigned pointerSize_;
};

constexpr uint32_t kPid = 0x1A2B3C;
constexpr uint32_t kSize = 1460;

// Version 2: PID, size, daddr, saddr, dport, sport, [startime, endtime for TCP sends], seqnum,
// connid (pointer).
std::vector<uint8_t> Version2(unsigned pointerSize, bool ipv6, bool tcpSend) {
  Payload p(pointerSize);
  p.U32(kPid).U32(kSize);
  if (ipv6) {
    p.IPv6().IPv6();
  } else {
    p.IPv4().IPv4();
  }
  p.U16(443).U16(50000);
  if (tcpSend) p.U32(111).U32(222);
  p.U32(0x55555555).Pointer(0xDEADBEEFCAFEull);
  return p.bytes;
}

struct DecodeCase {
  const char* name;
  NetworkEventClass eventClass;
  uint8_t opcode;
  uint8_t version;
  unsigned pointerSize;
  std::vector<uint8_t> payload;
  uint32_t size;
  TrafficDirection direction;
};

std::vector<DecodeCase> Cases() {
  using C = NetworkEventClass;
  using D = TrafficDirection;
  std::vector<DecodeCase> cases;
  for (unsigned ptr : {4u, 8u}) {
    cases.push_back({"tcp send v4", C::TcpIp, 10, 2, ptr, Version2(ptr, false, true), kSize, D::Sent});
    cases.push_back({"tcp recv v4", C::TcpIp, 11, 2, ptr, Version2(ptr, false, false), kSize, D::Received});
    cases.push_back({"tcp send v6", C::TcpIp, 26, 2, ptr, Version2(ptr, true, true), kSize, D::Sent});
    cases.push_back({"tcp recv v6", C::TcpIp, 27, 2, ptr, Version2(ptr, true, false), kSize, D::Received});
    cases.push_back({"udp send v4", C::UdpIp, 10, 2, ptr, Version2(ptr, false, false), kSize, D::Sent});
    cases.push_back({"udp recv v4", C::UdpIp, 11, 2, ptr, Version2(ptr, false, false), kSize, D::Received});
    cases.push_back({"udp send v6", C::UdpIp, 26, 2, ptr, Version2(ptr, true, false), kSize, D::Sent});
    cases.push_back({"udp recv v6", C::UdpIp, 27, 2, ptr, Version2(ptr, true, false), kSize, D::Received});
    // Version 1: PID, size, daddr, saddr, dport, sport.
    std::vector<uint8_t> v1 = Payload(ptr).U32(kPid).U32(kSize).IPv4().IPv4().U16(80).U16(1025).bytes;
    cases.push_back({"tcp send v1", C::TcpIp, 10, 1, ptr, v1, kSize, D::Sent});
    cases.push_back({"udp recv v1", C::UdpIp, 11, 1, ptr, v1, kSize, D::Received});
    // Version 0 TCP: daddr, saddr, dport, sport, size, PID.
    cases.push_back({"tcp recv v0", C::TcpIp, 11, 0, ptr,
                     Payload(ptr).IPv4().IPv4().U16(80).U16(1025).U32(kSize).U32(kPid).bytes, kSize,
                     D::Received});
    // Version 0 UDP: context (process id, pointer), saddr, sport, size (16), daddr, dport, dsize (16).
    cases.push_back({"udp send v0", C::UdpIp, 10, 0, ptr,
                     Payload(ptr).Pointer(kPid).IPv4().U16(53).U16(512).IPv4().U16(53).U16(999).bytes, 512,
                     D::Sent});
  }
  return cases;
}

TEST(NetworkEventDecoder, DecodesEveryDocumentedLayoutAtItsExactSize) {
  for (const DecodeCase& c : Cases()) {
    SCOPED_TRACE(testing::Message() << c.name << ", pointer " << c.pointerSize);
    std::optional<NetworkTransfer> transfer =
        DecodeNetworkEvent(c.eventClass, c.opcode, c.version, c.pointerSize, c.payload);
    ASSERT_TRUE(transfer.has_value());
    EXPECT_EQ(transfer->processId, kPid);
    EXPECT_EQ(transfer->bytes, c.size);
    EXPECT_EQ(transfer->direction, c.direction);
  }
}

TEST(NetworkEventDecoder, TruncatedOversizedAndOtherPointerSizeRecordsAreRefused) {
  for (const DecodeCase& c : Cases()) {
    SCOPED_TRACE(testing::Message() << c.name << ", pointer " << c.pointerSize);
    std::vector<uint8_t> shorter(c.payload.begin(), c.payload.end() - 1);
    std::vector<uint8_t> longer = c.payload;
    longer.push_back(0);
    EXPECT_FALSE(DecodeNetworkEvent(c.eventClass, c.opcode, c.version, c.pointerSize, shorter));
    EXPECT_FALSE(DecodeNetworkEvent(c.eventClass, c.opcode, c.version, c.pointerSize, longer));
    EXPECT_FALSE(DecodeNetworkEvent(c.eventClass, c.opcode, c.version, c.pointerSize, ByteView()));
    bool hasPointer = c.version == 2 || (c.version == 0 && c.eventClass == NetworkEventClass::UdpIp);
    unsigned other = c.pointerSize == 4 ? 8 : 4;
    if (hasPointer) {
      EXPECT_FALSE(DecodeNetworkEvent(c.eventClass, c.opcode, c.version, other, c.payload));
    }
  }
}

TEST(NetworkEventDecoder, OtherTypesVersionsAndPointerSizesAreRefused) {
  std::vector<uint8_t> recv = Version2(8, false, false);
  EXPECT_TRUE(DecodeNetworkEvent(NetworkEventClass::TcpIp, 11, 2, 8, recv));
  // Connect (12), accept (15), disconnect (13) and retransmit (14) move no data of their own.
  for (uint8_t opcode : {12, 13, 14, 15, 18, 0, 255}) {
    EXPECT_FALSE(DecodeNetworkEvent(NetworkEventClass::TcpIp, opcode, 2, 8, recv)) << int(opcode);
  }
  EXPECT_FALSE(DecodeNetworkEvent(NetworkEventClass::TcpIp, 11, 3, 8, recv));
  EXPECT_FALSE(DecodeNetworkEvent(NetworkEventClass::TcpIp, 11, 2, 0, recv));
  EXPECT_FALSE(DecodeNetworkEvent(NetworkEventClass::TcpIp, 11, 2, 16, recv));
  // IPv6 events came with version 2; a version-1 IPv6 event does not exist.
  std::vector<uint8_t> v1 = Payload(4).U32(kPid).U32(kSize).IPv4().IPv4().U16(80).U16(1025).bytes;
  EXPECT_FALSE(DecodeNetworkEvent(NetworkEventClass::TcpIp, 27, 1, 4, v1));
}

}  // namespace
}  // namespace vsm

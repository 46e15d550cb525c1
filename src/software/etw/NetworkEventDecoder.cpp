#include "software/etw/NetworkEventDecoder.h"

namespace vsm {

namespace {

// Where the fields of one layout lie. Offsets and the length are given in fixed bytes plus a
// number of pointer-sized fields, which take 4 or 8 bytes by the logging kernel.
struct PayloadLayout {
  uint32_t processIdOffset;
  uint32_t sizeOffset;
  uint32_t pointersBeforeSize;
  uint32_t sizeWidth;  // 2 or 4
  uint32_t fixedLength;
  uint32_t pointerFields;
};

bool IsSend(uint8_t opcode) { return opcode == netevent::kSendIPv4 || opcode == netevent::kSendIPv6; }
bool IsIPv4(uint8_t opcode) { return opcode == netevent::kSendIPv4 || opcode == netevent::kRecvIPv4; }
bool IsIPv6(uint8_t opcode) { return opcode == netevent::kSendIPv6 || opcode == netevent::kRecvIPv6; }

std::optional<PayloadLayout> Layout(NetworkEventClass eventClass, uint8_t opcode, uint8_t version) {
  if (!IsIPv4(opcode) && !IsIPv6(opcode)) return std::nullopt;
  bool tcp = eventClass == NetworkEventClass::TcpIp;
  switch (version) {
    case 0:
      if (!IsIPv4(opcode)) return std::nullopt;
      // TCP: daddr, saddr, dport, sport, size, PID.
      if (tcp) return PayloadLayout{16, 12, 0, 4, 20, 0};
      // UDP: context (the process id, pointer-sized), saddr, sport, size (16 bits), daddr, dport,
      // dsize (16 bits).
      return PayloadLayout{0, 4 + 2, 1, 2, 16, 1};
    case 1:
      // PID, size, daddr, saddr, dport, sport; IPv4 only.
      if (!IsIPv4(opcode)) return std::nullopt;
      return PayloadLayout{0, 4, 0, 4, 20, 0};
    case 2: {
      // PID, size, daddr, saddr, dport, sport, then for TCP sends startime and endtime, then
      // seqnum and connid (pointer-sized). Addresses take 4 bytes (IPv4) or 16 (IPv6).
      uint32_t addresses = IsIPv6(opcode) ? 2 * 16 : 2 * 4;
      uint32_t sendTimes = tcp && IsSend(opcode) ? 8 : 0;
      return PayloadLayout{0, 4, 0, 4, 4 + 4 + addresses + 2 + 2 + sendTimes + 4, 1};
    }
    default: return std::nullopt;
  }
}

}  // namespace

std::optional<NetworkTransfer> DecodeNetworkEvent(NetworkEventClass eventClass, uint8_t opcode,
                                                  uint8_t version, unsigned pointerSize, ByteView payload) {
  if (pointerSize != 4 && pointerSize != 8) return std::nullopt;
  std::optional<PayloadLayout> layout = Layout(eventClass, opcode, version);
  if (!layout) return std::nullopt;
  if (payload.size() != layout->fixedLength + layout->pointerFields * pointerSize) return std::nullopt;
  uint32_t sizeOffset = layout->sizeOffset + layout->pointersBeforeSize * pointerSize;
  NetworkTransfer transfer;
  transfer.processId = payload.U32(layout->processIdOffset);
  transfer.bytes = layout->sizeWidth == 2 ? payload.U16(sizeOffset) : payload.U32(sizeOffset);
  transfer.direction = IsSend(opcode) ? TrafficDirection::Sent : TrafficDirection::Received;
  return transfer;
}

}  // namespace vsm

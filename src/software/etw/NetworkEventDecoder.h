#pragma once
// The kernel's TCP/IP and UDP/IP send and receive events, decoded from their payload bytes. The
// payload layout depends on the event version and on the pointer size of the kernel that logged
// it (a 32-bit program on 64-bit Windows receives 64-bit layouts); a payload whose size is not
// exactly that of its layout is refused, so nothing is read from a truncated or foreign record.
#include <cstdint>
#include <optional>

#include "base/le_bytes.h"

namespace vsm {

// The event classes by their provider GUIDs: TcpIp {9a280ac0-c8e0-11d1-84e2-00c04fb998a2},
// UdpIp {bf3a50c5-a9c9-4988-a005-2df0b7c80f80}.
enum class NetworkEventClass : uint8_t { TcpIp, UdpIp };

enum class TrafficDirection : uint8_t { Received, Sent };

struct NetworkTransfer {
  uint32_t processId = 0;  // from the payload: the event header's process is not the owner
  uint32_t bytes = 0;
  TrafficDirection direction = TrafficDirection::Received;
};

// Event types (the header's opcode) that carry data moved for a process.
namespace netevent {
inline constexpr uint8_t kSendIPv4 = 10;
inline constexpr uint8_t kRecvIPv4 = 11;
inline constexpr uint8_t kSendIPv6 = 26;
inline constexpr uint8_t kRecvIPv6 = 27;
}  // namespace netevent

// Nothing for other event types, unknown versions, a pointer size other than 4 or 8, or a payload
// of the wrong size.
std::optional<NetworkTransfer> DecodeNetworkEvent(NetworkEventClass eventClass, uint8_t opcode,
                                                  uint8_t version, unsigned pointerSize, ByteView payload);

}  // namespace vsm

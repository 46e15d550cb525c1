// Fuzz target: the payload of a kernel network event as the trace session delivers it. The first
// three bytes choose the event class and opcode, the event version and the pointer size of the
// kernel that logged it; the rest is the payload.
#include <cstddef>
#include <cstdint>

#include "software/etw/NetworkEventDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  constexpr uint8_t kOpcodes[] = {vsm::netevent::kSendIPv4, vsm::netevent::kRecvIPv4,
                                  vsm::netevent::kSendIPv6, vsm::netevent::kRecvIPv6};
  const auto eventClass =
      (data[0] & 0x80) != 0 ? vsm::NetworkEventClass::UdpIp : vsm::NetworkEventClass::TcpIp;
  // Mostly the opcodes that carry data, now and then any other.
  const uint8_t opcode = (data[0] & 0x40) != 0 ? static_cast<uint8_t>(data[0] & 0x3F) : kOpcodes[data[0] % 4];
  const unsigned pointerSize = (data[2] & 0x0F) == 0 ? 4u : (data[2] & 0x0F) == 1 ? 8u : data[2];
  vsm::DecodeNetworkEvent(eventClass, opcode, data[1], pointerSize, vsm::ByteView(data + 3, size - 3));
  return 0;
}

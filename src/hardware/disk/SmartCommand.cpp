#include "hardware/disk/SmartCommand.h"

namespace vsm {

namespace {

struct AtaRegisters {
  uint32_t bufferSize;
  uint8_t features;
  uint8_t cylinderLow;
  uint8_t cylinderHigh;
  uint8_t command;
};

constexpr uint8_t kSmartCylinderLow = 0x4F;
constexpr uint8_t kSmartCylinderHigh = 0xC2;

AtaRegisters RegistersFor(TSmartCommand command) {
  switch (command) {
    case TSmartCommand::IdentifyDevice: return {static_cast<uint32_t>(kIdentifyReplySize), 0, 0, 0, 0xEC};
    case TSmartCommand::EnableOperations:
      return {kSmartCommandSize, 0xD8, kSmartCylinderLow, kSmartCylinderHigh, 0xB0};
    case TSmartCommand::ReadData: break;
  }
  return {kSmartCommandSize, 0xD0, kSmartCylinderLow, kSmartCylinderHigh, 0xB0};
}

}  // namespace

std::vector<uint8_t> SmartCommandBlock(TSmartCommand command, uint8_t driveNumber) {
  AtaRegisters r = RegistersFor(command);
  std::vector<uint8_t> block(kSmartCommandSize, 0);
  PutLe(block, 0, r.bufferSize, 4);
  block[4] = r.features;  // then sector count and sector number, both 0
  block[7] = r.cylinderLow;
  block[8] = r.cylinderHigh;  // then drive/head, 0
  block[10] = r.command;
  block[12] = driveNumber;
  return block;
}

std::optional<ByteView> SmartReplyData(ByteView reply, size_t size) {
  if (!reply.Has(kSmartReplyHeaderSize, size)) return std::nullopt;
  if (reply.U8(4) != 0) return std::nullopt;  // driver error
  return reply.Sub(kSmartReplyHeaderSize, size);
}

}  // namespace vsm

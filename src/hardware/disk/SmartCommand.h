#pragma once
// The SMART command block (SENDCMDINPARAMS, 33 bytes) and the layout of the answer: a 16-byte
// header (buffer size, driver error, IDE error, reserved) followed by the data.
#include <cstdint>
#include <optional>
#include <vector>

#include "base/le_bytes.h"

namespace vsm {

enum class TSmartCommand { IdentifyDevice, EnableOperations, ReadData };

constexpr size_t kSmartCommandSize = 33;
constexpr size_t kSmartReplyHeaderSize = 16;
constexpr size_t kIdentifyReplySize = 528;
constexpr size_t kSmartReadDataReplySize = 6162;

// The request for `command` to drive `driveNumber` (the low byte of the disk number).
std::vector<uint8_t> SmartCommandBlock(TSmartCommand command, uint8_t driveNumber);

// The data part of an answer when the driver reported no error and at least `size` data bytes
// came back; the view then holds exactly `size` bytes.
std::optional<ByteView> SmartReplyData(ByteView reply, size_t size);

}  // namespace vsm

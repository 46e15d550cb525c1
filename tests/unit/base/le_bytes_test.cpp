#include "base/le_bytes.h"

#include <gtest/gtest.h>

#include <array>

namespace vsm {
namespace {

TEST(PutLe, WritesLowByteFirstIntoAnyBuffer) {
  uint8_t request[6] = {};
  PutLe(request, 1, 0x12345678, 4);
  EXPECT_EQ(std::to_array(request), (std::array<uint8_t, 6>{0, 0x78, 0x56, 0x34, 0x12, 0}));
  std::vector<uint8_t> record(8);
  PutLe(record, 0, 0x0102030405060708ull, 8);
  EXPECT_EQ(ByteView(record).U64(0), 0x0102030405060708ull);
}

TEST(PutLe, FieldNotWhollyInsideWritesNothing) {
  std::array<uint8_t, 4> block = {1, 2, 3, 4};
  PutLe(block, 2, 0xFFFFFFFF, 4);
  PutLe(block, 5, 0xFF, 1);
  PutLe(block, SIZE_MAX, 0xFF, 2);
  EXPECT_EQ(block, (std::array<uint8_t, 4>{1, 2, 3, 4}));
  PutLe(block, 2, 0xAABB, 2);
  EXPECT_EQ(block, (std::array<uint8_t, 4>{1, 2, 0xBB, 0xAA}));
}

}  // namespace
}  // namespace vsm

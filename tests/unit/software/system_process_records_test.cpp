#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <vector>

#include "base/le_bytes.h"
#include "software/SystemProcessRecords.h"

namespace vsm {
namespace {

struct Record {
  uint32_t id;
  uint64_t created, user, kernel;
  uint32_t length;  // bytes to the next record; 0 for the last
};

// Records laid out as a 32-bit process receives them, each `length` bytes long (the threads'
// records that follow a process's own are left zero).
std::vector<uint8_t> Buffer(const std::vector<Record>& records) {
  std::vector<uint8_t> bytes;
  for (const Record& record : records) {
    const size_t at = bytes.size();
    bytes.resize(at + std::max<size_t>(record.length, 0xB8));
    std::span<uint8_t> out(bytes.data() + at, bytes.size() - at);
    PutLe(out, kProcessRecordNextOffset, record.length, 4);
    PutLe(out, kProcessRecordCreateTime, record.created, 8);
    PutLe(out, kProcessRecordUserTime, record.user, 8);
    PutLe(out, kProcessRecordKernelTime, record.kernel, 8);
    PutLe(out, kProcessRecordProcessId, record.id, 4);
  }
  return bytes;
}

TEST(SystemProcessRecords, ChainIsDecodedAndSortedById) {
  const std::vector<uint8_t> bytes = Buffer({{0, 0, 0, 0x0123456789, 0x100},
                                             {4, 1000, 5, 6, 0x140},
                                             {0x9C4, 0x01DC000000000001, 3'000'000, 7'000'000, 0xB8},
                                             {300, 2000, 1, 2, 0}});
  std::vector<TProcessTimes> records;
  DecodeSystemProcessRecords(bytes, records);
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[0].id, 0u);
  EXPECT_EQ(records[0].kernel, 0x0123456789);
  EXPECT_EQ(records[2].id, 300u);
  EXPECT_EQ(records[3].id, 0x9C4u);
  EXPECT_EQ(records[3].created, 0x01DC000000000001u);
  EXPECT_EQ(records[3].user, 3'000'000);
  EXPECT_EQ(records[3].kernel, 7'000'000);
}

TEST(SystemProcessRecords, BrokenChainsEndWithoutReadingOutside) {
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    size_t records;
  };
  std::vector<uint8_t> pastTheEnd = Buffer({{8, 1, 1, 1, 0xB8}, {9, 1, 1, 1, 0x4000}});
  pastTheEnd.resize(2 * 0xB8);
  std::vector<uint8_t> cut = Buffer({{8, 1, 1, 1, 0xB8}, {9, 1, 1, 1, 0}});
  cut.resize(0xB8 + kProcessRecordMinimumSize - 1);
  const Case cases[] = {
      {"empty", {}, 0},
      {"shorter than one record", std::vector<uint8_t>(kProcessRecordMinimumSize - 1), 0},
      {"a link that does not move past the fields", Buffer({{8, 1, 1, 1, 4}, {9, 1, 1, 1, 0}}), 1},
      {"a link past the end", pastTheEnd, 2},
      {"a last record cut short", cut, 1},
  };
  for (const Case& c : cases) {
    std::vector<TProcessTimes> records{{77, 0, 0, 0}};
    DecodeSystemProcessRecords(c.bytes, records);
    EXPECT_EQ(records.size(), c.records) << c.what;
  }
}

TEST(SystemProcessRecords, FoundByIdAndStartTime) {
  std::vector<TProcessTimes> records;
  DecodeSystemProcessRecords(Buffer({{40, 500, 1, 1, 0xB8}, {20, 0, 1, 1, 0xB8}, {30, 900, 1, 1, 0}}),
                             records);
  EXPECT_EQ(FindProcessTimes(records, {30, 900}), &records[1]);
  EXPECT_EQ(FindProcessTimes(records, {30, 0}), &records[1]);    // a start time unknown to the caller
  EXPECT_EQ(FindProcessTimes(records, {20, 123}), &records[0]);  // or to the system
  EXPECT_EQ(FindProcessTimes(records, {30, 901}), nullptr);      // the id is another process's now
  EXPECT_EQ(FindProcessTimes(records, {31, 0}), nullptr);
  EXPECT_EQ(FindProcessTimes({}, {30, 0}), nullptr);
}

TEST(SystemProcessRecords, QueryBufferGrowsPastWhatWasAskedFor) {
  EXPECT_GT(GrownQuerySize(131072, 200000), 200000u);
  EXPECT_EQ(GrownQuerySize(131072, 0), 262144u);       // the call did not say
  EXPECT_EQ(GrownQuerySize(131072, 100000), 262144u);  // nor anything larger
  EXPECT_EQ(GrownQuerySize(SIZE_MAX - 10, SIZE_MAX - 5), SIZE_MAX);
}

}  // namespace
}  // namespace vsm

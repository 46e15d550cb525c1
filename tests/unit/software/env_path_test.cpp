#include <gtest/gtest.h>

#include <string>

#include "software/EnvPath.h"

namespace vsm {
namespace {

using namespace std::string_literals;

const std::string kBlock =
    "=C:=C:\\work\0"s
    "SystemRoot=C:\\Windows\0"s
    "ProgramFiles=C:\\Program Files\0"s
    "windir=C:\\Windows\0"s
    "\0"s
    "After=never read\0"s;

TEST(ExpandEnvPath, PercentNamesIgnoreCaseAndOnlyTheFirstIsReplaced) {
  EXPECT_EQ(ExpandEnvPath("%programfiles%\\App\\%ProgramFiles%", false, kBlock),
            "C:\\Program Files\\App\\%ProgramFiles%");
  EXPECT_EQ(ExpandEnvPath("%WINDIR%\\system32", false, kBlock), "C:\\Windows\\system32");
}

TEST(ExpandEnvPath, BackslashNamesOnlyWithTheFlag) {
  EXPECT_EQ(ExpandEnvPath("\\SystemRoot\\System32\\drivers\\x.sys", true, kBlock),
            "C:\\Windows\\System32\\drivers\\x.sys");
  EXPECT_EQ(ExpandEnvPath("\\SystemRoot\\System32", false, kBlock), "\\SystemRoot\\System32");
}

TEST(ExpandEnvPath, EmptyLineEndsTheBlockAndBlankNamesAreSkipped) {
  EXPECT_EQ(ExpandEnvPath("%After%", false, kBlock), "%After%");
  // "=C:" has a blank name and is never used.
  EXPECT_EQ(ExpandEnvPath("%%", false, kBlock), "%%");
  EXPECT_EQ(ExpandEnvPath("%windir%", false, ""), "%windir%");
}

TEST(ExpandEnvPath, TextAfterAReplacedNameIsCutAt1024Characters) {
  std::string tail(2000, 'x');
  std::string expanded = ExpandEnvPath("%windir%" + tail, false, kBlock);
  EXPECT_EQ(expanded, "C:\\Windows" + std::string(1024, 'x'));
  // Characters, not bytes: a two-byte character counts once.
  std::string wide;
  for (int i = 0; i < 1100; ++i) wide += "\xC3\xA4";
  std::string expandedWide = ExpandEnvPath("%windir%" + wide, false, kBlock);
  EXPECT_EQ(expandedWide.size(), std::string("C:\\Windows").size() + 2 * 1024);
}

TEST(ExpandEnvPath, OnlyTheFirst4096CharactersOfTheBlockCount) {
  std::string block = "Filler=" + std::string(4100, 'f') + "\0Late=value\0\0"s;
  EXPECT_EQ(ExpandEnvPath("%Late%", false, block), "%Late%");
  std::string early = "Early=value\0"s + block;
  EXPECT_EQ(ExpandEnvPath("%Early%", false, early), "value");
}

}  // namespace
}  // namespace vsm

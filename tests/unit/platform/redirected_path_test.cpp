#include <gtest/gtest.h>

#include "platform/RedirectedPath.h"

namespace vsm {
namespace {

TEST(RedirectedPath, OnlyTheSystemFolderGetsItsSysnativeName) {
  struct Case {
    const char* path;
    const char* windows;
    const char* expected;
  };
  const Case cases[] = {
      {"C:\\Windows\\System32\\svchost.exe", "C:\\Windows", "C:\\Windows\\Sysnative\\svchost.exe"},
      {"c:\\windows\\system32\\drivers\\etc\\hosts", "C:\\Windows\\",
       "C:\\Windows\\Sysnative\\drivers\\etc\\hosts"},
      {"C:\\Windows\\System32", "C:\\Windows", "C:\\Windows\\Sysnative"},
      {"D:\\WINNT\\SYSTEM32\\lsass.exe", "D:\\WINNT", "D:\\WINNT\\Sysnative\\lsass.exe"},
      // Not the system folder, or only a name that starts like it.
      {"C:\\Windows\\System32x\\a.exe", "C:\\Windows", "C:\\Windows\\System32x\\a.exe"},
      {"C:\\Windows\\SysWOW64\\a.exe", "C:\\Windows", "C:\\Windows\\SysWOW64\\a.exe"},
      {"C:\\Windows\\explorer.exe", "C:\\Windows", "C:\\Windows\\explorer.exe"},
      {"D:\\Windows\\System32\\a.exe", "C:\\Windows", "D:\\Windows\\System32\\a.exe"},
      {"C:\\Program Files\\Windows\\System32\\a.exe", "C:\\Windows",
       "C:\\Program Files\\Windows\\System32\\a.exe"},
      {"C:\\Win", "C:\\Windows", "C:\\Win"},
      {"", "C:\\Windows", ""},
      {"C:\\Windows\\System32\\a.exe", "", "C:\\Windows\\System32\\a.exe"},
  };
  for (const Case& c : cases) EXPECT_EQ(SysnativePath(c.path, c.windows), c.expected) << c.path;
}

}  // namespace
}  // namespace vsm

#include <windows.h>

#include <gtest/gtest.h>

#include "base/module_path_win.h"
#include "drivers/DriverManager_win.h"

namespace vsm {
namespace {

TEST(DriverManager, WithoutLibraryEveryRequestFailsAtOnce) {
  auto channel = OpenDriverChannel(DriverKind::HardwareAccess);
  ASSERT_NE(channel, nullptr);
  EXPECT_FALSE(channel->IsOpen());
  uint32_t in = 0;
  uint32_t out = 0xDEADBEEF;
  EXPECT_FALSE(channel->Control(0x9C402084, &in, sizeof in, &out, sizeof out));
  EXPECT_EQ(out, 0xDEADBEEFu);
}

TEST(ModulePath, ExecutableFolderEndsWithBackslash) {
  std::wstring folder = ExecutableFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), L'\\');
  EXPECT_NE(GetFileAttributesW((folder + L"win_tests.exe").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace vsm

#include <windows.h>

#include <gtest/gtest.h>

#include <utility>

#include "base/handle_win.h"

namespace vsm {
namespace {

bool IsOpenHandle(HANDLE handle) {
  DWORD flags = 0;
  return GetHandleInformation(handle, &flags) != FALSE;
}

TEST(HandleOwners, CloseWhatTheyHoldOnceAndHandItOverOnMove) {
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(event, nullptr);
  {
    TKernelHandle first(event);
    TKernelHandle second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(second.Get(), event);
    EXPECT_TRUE(IsOpenHandle(event));  // the moved-from owner closed nothing
  }
  EXPECT_FALSE(IsOpenHandle(event));

  // Failure values of the kernel's functions hold nothing.
  EXPECT_FALSE(TKernelHandle(INVALID_HANDLE_VALUE));
  EXPECT_FALSE(TKernelHandle(nullptr));

  HANDLE kept = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  TKernelHandle released(kept);
  EXPECT_EQ(released.Release(), kept);
  EXPECT_FALSE(released);
  EXPECT_TRUE(IsOpenHandle(kept));
  CloseHandle(kept);
}

TEST(HandleOwners, ARegistryKeyIsOpenedThroughItsOwner) {
  TRegistryKey key;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, key.Put()), ERROR_SUCCESS);
  EXPECT_TRUE(key);
  DWORD subkeys = 0;
  EXPECT_EQ(RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  key.Reset();
  EXPECT_FALSE(key);
}

}  // namespace
}  // namespace vsm

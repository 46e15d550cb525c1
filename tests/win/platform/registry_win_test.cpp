#include <windows.h>

#include <gtest/gtest.h>

#include "platform/Is64BitWindows_win.h"
#include "platform/VeskRegistry_win.h"

namespace vsm {
namespace {

// A scratch key in HKEY_LOCAL_MACHINE\Software, which 64-bit Windows keeps apart per view.
constexpr const wchar_t* kScratch = L"Software\\VeskRegistryTest";

class RegistryWin : public ::testing::Test {
 protected:
  void SetUp() override { Remove(); }
  void TearDown() override { Remove(); }

  static void Remove() {
    for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
      RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kScratch, view, 0);
    }
  }

  static void Put(REGSAM view, const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(key);
  }
};

TEST_F(RegistryWin, ValuesReadAsTextFromTheRealRegistry) {
  const uint8_t binary[] = {0x01, 0x0A, 0xFF};
  const DWORD dword = 4000000000u;
  const ULONGLONG qword = 0x100000000ull;
  const wchar_t text[] = L"%SystemRoot%\\x";
  Put(KEY_WOW64_64KEY, L"Binary", REG_BINARY, binary, sizeof binary);
  Put(KEY_WOW64_64KEY, L"Dword", REG_DWORD, &dword, sizeof dword);
  Put(KEY_WOW64_64KEY, L"Qword", REG_QWORD, &qword, sizeof qword);
  Put(KEY_WOW64_64KEY, L"Expand", REG_EXPAND_SZ, text, sizeof text);
  struct Case {
    const char* name;
    const char* text;
  } cases[] = {{"Binary", "01,0A,FF"},
               {"Dword", "4000000000"},
               {"Qword", "4294967296"},
               {"Expand", "%SystemRoot%\\x"},
               {"Missing", ""}};
  for (const auto& c : cases) {
    std::string value = "stale";
    EXPECT_TRUE(ReadRegString(HKEY_LOCAL_MACHINE, "Software\\VeskRegistryTest", c.name, true, value));
    EXPECT_EQ(value, c.text) << c.name;
  }
  std::string value = "stale";
  EXPECT_FALSE(ReadRegString(HKEY_LOCAL_MACHINE, "Software\\NoSuchVeskKey", "x", true, value));
  EXPECT_EQ(value, "");
}

TEST_F(RegistryWin, ViewRequestedReadsThe64BitView) {
  ASSERT_TRUE(Is64BitWindows()) << "the test prefix is a 64-bit Wine prefix";
  EXPECT_EQ(RegAccess("CLSID\\{1F25C9CF-D2E0-41C7-9EF0-3016E5040A63}", true, true), 0x20119u);
  EXPECT_EQ(RegAccess("CLSID\\{1F25C9CF-D2E0-41C7-9EF0-3016E5040A63}", false, false), 0xF003Fu);
  const wchar_t only64[] = L"sixty-four";
  Put(KEY_WOW64_64KEY, L"Where", REG_SZ, only64, sizeof only64);
  std::string value;
  EXPECT_TRUE(ReadRegString(HKEY_LOCAL_MACHINE, "Software\\VeskRegistryTest", "Where", true, value));
  EXPECT_EQ(value, "sixty-four");
  // Without the view the 32-bit process sees its own, redirected branch, where the key is absent.
  EXPECT_FALSE(ReadRegString(HKEY_LOCAL_MACHINE, "Software\\VeskRegistryTest", "Where", false, value));
}

TEST_F(RegistryWin, OpenedKeysKeepTheViewAndRelativePaths) {
  const wchar_t text[] = L"deep";
  Put(KEY_WOW64_64KEY, L"Top", REG_SZ, text, sizeof text);
  TVeskRegistry registry(RegAccess("Software", true, true));
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(registry.OpenKeyReadOnly("Software"));
  EXPECT_EQ(registry.Access(), 0x20119u);
  ASSERT_TRUE(registry.OpenKeyReadOnly("VeskRegistryTest"));
  EXPECT_EQ(registry.CurrentPath(), "Software\\VeskRegistryTest");
  TRegDataInfoEx info;
  ASSERT_TRUE(registry.GetDataInfo("Top", info));
  EXPECT_EQ(info.RegData, REG_SZ);
  EXPECT_EQ(info.DataSize, sizeof text);
  EXPECT_EQ(registry.GetDataAsString("Top", false), "deep");
  registry.CloseKey();
  EXPECT_EQ(registry.CurrentKey(), nullptr);
  EXPECT_EQ(registry.CurrentPath(), "");
}

}  // namespace
}  // namespace vsm

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "base/file_win.h"
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
  EXPECT_EQ(RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  key.Reset();
  EXPECT_FALSE(key);
}

std::wstring TestFolder(const wchar_t* name) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + name;
  EXPECT_TRUE(ForceDirectories(folder));
  return folder;
}

std::vector<std::wstring> FileNames(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  const TFindHandle search(FindFirstFileW((folder + L"\\*.*").c_str(), &found));
  if (!search) return names;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(search.Get(), &found));
  return names;
}

TEST(HandleOwners, AFileSearchIsHeldUntilItsOwnerEnds) {
  const std::wstring folder = TestFolder(L"vsm_find_owner");
  const std::vector<uint8_t> bytes{'a'};
  ASSERT_TRUE(WriteFileReplacing(folder + L"\\one.ini", bytes));
  EXPECT_EQ(FileNames(folder), std::vector<std::wstring>{L"one.ini"});

  WIN32_FIND_DATAW found;
  EXPECT_FALSE(TFindHandle(FindFirstFileW((folder + L"\\*.none").c_str(), &found)));
  DeleteFileW((folder + L"\\one.ini").c_str());
  RemoveDirectoryW(folder.c_str());
}

TEST(HandleOwners, AReplacedFileLeavesNoTemporaryAndIsNotHeldOpen) {
  const std::wstring folder = TestFolder(L"vsm_replace_owner");
  const std::wstring path = folder + L"\\settings.ini";
  ASSERT_TRUE(WriteFileReplacing(path, {'o', 'l', 'd'}));
  ASSERT_TRUE(WriteFileReplacing(path, {'n', 'e', 'w'}));
  EXPECT_EQ(ReadWholeFile(path), (std::vector<uint8_t>{'n', 'e', 'w'}));
  EXPECT_EQ(FileNames(folder), std::vector<std::wstring>{L"settings.ini"});
  // No handle of ours keeps the written file: it opens without sharing.
  EXPECT_TRUE(TKernelHandle(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr)));
  EXPECT_TRUE(DeleteFileW(path.c_str()));
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace vsm

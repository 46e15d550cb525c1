#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "ChildProcess_win.h"
#include "base/module_path_win.h"

namespace vsm {
namespace {

constexpr DWORD kDriverOpen = 1;
constexpr DWORD kFoundByName = 2;

std::wstring PlantedFolder() { return ExecutableFolder() + L"planted"; }

// The child in a fresh folder of its own, so that no DManager.dll lies beside it.
std::wstring LoneChild() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"vsm_planted_" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(folder.c_str(), nullptr);
  std::wstring child = folder + L"\\test_child.exe";
  CopyFileW(test::ChildProcess::Path().c_str(), child.c_str(), FALSE);
  return child;
}

// The environment block of this process with PATH replaced.
std::vector<wchar_t> EnvironmentWithPath(const std::wstring& path) {
  std::vector<wchar_t> block;
  wchar_t* strings = GetEnvironmentStringsW();
  for (const wchar_t* entry = strings; *entry != L'\0'; entry += wcslen(entry) + 1) {
    if (_wcsnicmp(entry, L"PATH=", 5) == 0) continue;
    block.insert(block.end(), entry, entry + wcslen(entry) + 1);
  }
  FreeEnvironmentStringsW(strings);
  std::wstring pathEntry = L"PATH=" + path;
  block.insert(block.end(), pathEntry.c_str(), pathEntry.c_str() + pathEntry.size() + 1);
  block.push_back(L'\0');
  return block;
}

// Runs "test_child driver" and answers its exit code.
DWORD RunDriverChild(const std::wstring& exe, const std::wstring& workingFolder,
                     std::vector<wchar_t> environment) {
  std::wstring command = L"\"" + exe + L"\" driver";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                      environment.data(), workingFolder.c_str(), &startup, &info)) {
    ADD_FAILURE() << "child did not start: " << GetLastError();
    return 0xFFFFFFFF;
  }
  CloseHandle(info.hThread);
  DWORD code = 0xFFFFFFFF;
  if (WaitForSingleObject(info.hProcess, 30000) == WAIT_OBJECT_0) GetExitCodeProcess(info.hProcess, &code);
  CloseHandle(info.hProcess);
  return code;
}

TEST(PlantedDriverManager, ALibraryInTheWorkingFolderOrOnPathGivesNoDriver) {
  ASSERT_NE(GetFileAttributesW((PlantedFolder() + L"\\DManager.dll").c_str()), INVALID_FILE_ATTRIBUTES);
  const std::wstring child = LoneChild();
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);

  // Each time the plant is within the search order's reach (bit 1), yet no driver is open.
  EXPECT_EQ(RunDriverChild(child, PlantedFolder(), EnvironmentWithPath(system)), kFoundByName);
  EXPECT_EQ(RunDriverChild(child, temp, EnvironmentWithPath(PlantedFolder() + L";" + system)), kFoundByName);

  // The same library beside the executable is the program's own and is used.
  const std::wstring beside = child.substr(0, child.rfind(L'\\') + 1) + L"DManager.dll";
  ASSERT_TRUE(CopyFileW((PlantedFolder() + L"\\DManager.dll").c_str(), beside.c_str(), FALSE));
  EXPECT_EQ(RunDriverChild(child, temp, EnvironmentWithPath(system)), kDriverOpen | kFoundByName);
  DeleteFileW(beside.c_str());
  DeleteFileW(child.c_str());
  RemoveDirectoryW(child.substr(0, child.rfind(L'\\')).c_str());
}

}  // namespace
}  // namespace vsm

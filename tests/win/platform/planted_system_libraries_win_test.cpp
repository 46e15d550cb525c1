#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cwctype>
#include <set>
#include <string>
#include <vector>

#include "base/file_win.h"
#include "base/module_path_win.h"
#include "base/wide_win.h"

namespace vsm {
namespace {

// Windows 10's known DLLs, which the loader takes from the system folder whatever lies beside a
// program. Every other library the program imports could be planted there.
const std::set<std::wstring> kKnownDlls = {
    L"advapi32.dll", L"clbcatq.dll",  L"combase.dll",  L"comdlg32.dll", L"coml2.dll",    L"difxapi.dll",
    L"gdi32.dll",    L"gdiplus.dll",  L"imagehlp.dll", L"imm32.dll",    L"kernel32.dll", L"msctf.dll",
    L"msvcrt.dll",   L"normaliz.dll", L"nsi.dll",      L"ole32.dll",    L"oleaut32.dll", L"psapi.dll",
    L"rpcrt4.dll",   L"sechost.dll",  L"setupapi.dll", L"shcore.dll",   L"shell32.dll",  L"shlwapi.dll",
    L"user32.dll",   L"wldap32.dll",  L"ws2_32.dll"};

// The libraries bound at run time, planted as well: they must come from the system folder too.
const std::vector<std::wstring> kBoundAtRunTime = {L"version.dll", L"wininet.dll", L"msimg32.dll",
                                                   L"urlmon.dll", L"comctl32.dll"};

std::wstring Lower(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
  return text;
}

template <class T>
bool ReadAt(const std::vector<uint8_t>& file, size_t offset, T& value) {
  if (offset > file.size() || file.size() - offset < sizeof(T)) return false;
  memcpy(&value, file.data() + offset, sizeof(T));
  return true;
}

// The names in the import directory of a 32-bit executable file, lower-cased.
std::vector<std::wstring> ImportedLibraries(const std::wstring& path) {
  const std::vector<uint8_t> file = ReadWholeFile(path).value_or(std::vector<uint8_t>());
  IMAGE_DOS_HEADER dos{};
  IMAGE_NT_HEADERS32 nt{};
  if (!ReadAt(file, 0, dos) || !ReadAt(file, dos.e_lfanew, nt)) return {};
  const size_t sections =
      dos.e_lfanew + offsetof(IMAGE_NT_HEADERS32, OptionalHeader) + nt.FileHeader.SizeOfOptionalHeader;
  auto fileOffset = [&](DWORD rva) -> size_t {
    for (WORD i = 0; i < nt.FileHeader.NumberOfSections; ++i) {
      IMAGE_SECTION_HEADER section{};
      if (!ReadAt(file, sections + i * sizeof section, section)) return 0;
      if (rva >= section.VirtualAddress && rva < section.VirtualAddress + section.SizeOfRawData) {
        return rva - section.VirtualAddress + section.PointerToRawData;
      }
    }
    return 0;
  };
  std::vector<std::wstring> names;
  const DWORD directory = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
  for (size_t at = fileOffset(directory); at != 0; at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
    IMAGE_IMPORT_DESCRIPTOR entry{};
    if (!ReadAt(file, at, entry) || entry.Name == 0) break;
    const size_t name = fileOffset(entry.Name);
    if (name == 0) break;
    const char* text = reinterpret_cast<const char*>(file.data() + name);
    names.push_back(Lower(Widen(std::string(text, strnlen(text, file.size() - name)))));
  }
  return names;
}

// The paths of the modules loaded in a process, lower-cased.
std::vector<std::wstring> LoadedModules(DWORD processId) {
  std::vector<std::wstring> modules;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
  if (snapshot == INVALID_HANDLE_VALUE) return modules;
  MODULEENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Module32FirstW(snapshot, &entry); more; more = Module32NextW(snapshot, &entry)) {
    modules.push_back(Lower(entry.szExePath));
  }
  CloseHandle(snapshot);
  return modules;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring FreshFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder =
      std::wstring(temp) + L"vsm_standins_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

// The environment of this process with the planted names preferred as native libraries, as an
// unprotected Windows loader would take them from the program's folder.
std::vector<wchar_t> EnvironmentPreferring(const std::vector<std::wstring>& names) {
  std::wstring overrides = L"WINEDLLOVERRIDES=mscoree,mshtml=;";
  for (const std::wstring& name : names) overrides += name.substr(0, name.size() - 4) + L",";
  overrides.back() = L'=';
  overrides += L"n,b";
  std::vector<wchar_t> block;
  wchar_t* strings = GetEnvironmentStringsW();
  for (const wchar_t* entry = strings; *entry != L'\0'; entry += wcslen(entry) + 1) {
    if (_wcsnicmp(entry, L"WINEDLLOVERRIDES=", 17) == 0) continue;
    block.insert(block.end(), entry, entry + wcslen(entry) + 1);
  }
  FreeEnvironmentStringsW(strings);
  block.insert(block.end(), overrides.c_str(), overrides.c_str() + overrides.size() + 1);
  block.push_back(L'\0');
  return block;
}

bool HasModule(const std::vector<std::wstring>& modules, const std::wstring& path) {
  return std::find(modules.begin(), modules.end(), Lower(path)) != modules.end();
}

TEST(PlantedSystemLibraries, StandInsBesideTheProgramAreNeverLoaded) {
  const std::wstring product = VSM_PRODUCT_EXE;
  const std::wstring standIn = ExecutableFolder() + L"planted\\standin.dll";
  ASSERT_TRUE(Exists(product));
  ASSERT_TRUE(Exists(standIn));

  // Wine has no known DLLs: its own common controls, which its shell and dialog libraries load
  // before the program runs, take version.dll from the program's folder, where Windows would
  // resolve the known DLLs' dependencies in the system folder. There version.dll cannot be
  // checked; the import table shows that the program does not import it.
  const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  std::vector<std::wstring> planted;
  for (const std::wstring& name : kBoundAtRunTime) {
    if (!(wine && name == L"version.dll")) planted.push_back(name);
  }
  for (const std::wstring& name : ImportedLibraries(product)) {
    if (!kKnownDlls.count(name) && std::find(planted.begin(), planted.end(), name) == planted.end()) {
      planted.push_back(name);
    }
  }
  const std::vector<std::wstring> imported = ImportedLibraries(product);
  ASSERT_GT(imported.size(), 3u) << "the import table was not read";
  EXPECT_EQ(std::find(imported.begin(), imported.end(), L"version.dll"), imported.end());

  const std::wstring folder = FreshFolder();
  const std::wstring exe = folder + L"VeskSystemMonitor.exe";
  ASSERT_TRUE(CopyFileW(product.c_str(), exe.c_str(), FALSE));
  for (const std::wstring& name : planted)
    ASSERT_TRUE(CopyFileW(standIn.c_str(), (folder + name).c_str(), FALSE));

  // The stand-in does leave its mark when it is loaded.
  {
    const std::wstring probe = folder + L"probe.dll";
    ASSERT_TRUE(CopyFileW(standIn.c_str(), probe.c_str(), FALSE));
    HMODULE module = LoadLibraryW(probe.c_str());
    ASSERT_NE(module, nullptr);
    FreeLibrary(module);
    EXPECT_TRUE(Exists(probe + L".loaded"));
    DeleteFileW((probe + L".loaded").c_str());
    DeleteFileW(probe.c_str());
  }

  // The program in the background, its working folder its own.
  std::wstring command = L"\"" + exe + L"\" -os";
  std::vector<wchar_t> environment = EnvironmentPreferring(planted);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                             environment.data(), folder.c_str(), &startup, &info));
  CloseHandle(info.hThread);

  // The settings are read at start, with the program's version from its resource: version.dll is
  // in use then. The first start's install report brings wininet.dll.
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring systemVersion = std::wstring(system) + L"\\version.dll";
  const std::wstring systemWinInet = std::wstring(system) + L"\\wininet.dll";
  std::vector<std::wstring> modules;
  bool versionLoaded = false;
  for (DWORD waited = 0; waited < 60000 && !versionLoaded; waited += 200) {
    if (WaitForSingleObject(info.hProcess, 200) == WAIT_OBJECT_0) break;
    modules = LoadedModules(info.dwProcessId);
    versionLoaded = HasModule(modules, systemVersion);
  }
  for (DWORD waited = 0; versionLoaded && waited < 10000 && !HasModule(modules, systemWinInet);
       waited += 200) {
    Sleep(200);
    modules = LoadedModules(info.dwProcessId);
  }
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info.hProcess, &code);
  TerminateProcess(info.hProcess, 0);
  WaitForSingleObject(info.hProcess, 10000);
  CloseHandle(info.hProcess);

  EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE))
      << "the program did not start with the stand-ins beside it";
  EXPECT_TRUE(versionLoaded) << "the system's version.dll never came into use";
  // Settings saved by an earlier run of this version leave out the install report, and with it
  // the start's only request.
  if (!HasModule(modules, systemWinInet)) std::printf("note: no request at this start\n");
  for (const std::wstring& name : planted) {
    EXPECT_FALSE(Exists(folder + name + L".loaded"))
        << Narrow(name) << " was loaded from the program's folder";
    EXPECT_FALSE(HasModule(modules, folder + name)) << Narrow(name);
  }
  for (const std::wstring& name : planted) {
    DeleteFileW((folder + name + L".loaded").c_str());
    DeleteFileW((folder + name).c_str());
  }
  DeleteFileW(exe.c_str());
  DeleteFileW((folder + L"Languages").c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace vsm

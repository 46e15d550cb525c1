#include "hardware/disk/VolumeSystem_win.h"

#include <windows.h>

#include "base/library_win.h"
#include "base/wide_win.h"
#include "hardware/disk/StorageDevice_win.h"

namespace vsm {

struct TWinVolumeSystem::Functions {
  using FindFirstVolumeFn = HANDLE(WINAPI*)(LPWSTR name, DWORD length);
  using FindNextVolumeFn = BOOL(WINAPI*)(HANDLE find, LPWSTR name, DWORD length);
  using FindVolumeCloseFn = BOOL(WINAPI*)(HANDLE find);
  FindFirstVolumeFn findFirst = nullptr;
  FindNextVolumeFn findNext = nullptr;
  FindVolumeCloseFn findClose = nullptr;
};

namespace {

constexpr DWORD kVolumeNameLength = 260;

// The mount paths of a volume ("C:\", folders it is mounted on), as the API's multi-string.
std::vector<std::wstring> MountPaths(const std::wstring& volume) {
  std::vector<wchar_t> buffer(MAX_PATH + 1, L'\0');
  DWORD needed = 0;
  if (!GetVolumePathNamesForVolumeNameW(volume.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                        &needed)) {
    if (GetLastError() != ERROR_MORE_DATA || needed == 0) return {};
    buffer.assign(needed + 1, L'\0');
    if (!GetVolumePathNamesForVolumeNameW(volume.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                          &needed))
      return {};
  }
  buffer.push_back(L'\0');  // the list ends with an empty string even if the API left it out
  std::vector<std::wstring> paths;
  for (const wchar_t* p = buffer.data(); *p != L'\0'; p += wcslen(p) + 1) paths.emplace_back(p);
  return paths;
}

}  // namespace

TWinVolumeSystem::TWinVolumeSystem() {
  auto functions = std::make_shared<Functions>();
  if (HMODULE kernel = GetModuleHandleW(L"kernel32.dll")) {
    functions->findFirst = BindFunction<Functions::FindFirstVolumeFn>(kernel, "FindFirstVolumeW");
    functions->findNext = BindFunction<Functions::FindNextVolumeFn>(kernel, "FindNextVolumeW");
    functions->findClose = BindFunction<Functions::FindVolumeCloseFn>(kernel, "FindVolumeClose");
  }
  functions_ = functions;
}

std::optional<std::vector<std::string>> TWinVolumeSystem::Volumes() {
  if (!functions_->findFirst || !functions_->findNext || !functions_->findClose) return std::nullopt;
  std::vector<std::string> volumes;
  wchar_t name[kVolumeNameLength] = {};
  HANDLE find = functions_->findFirst(name, kVolumeNameLength);
  if (find == INVALID_HANDLE_VALUE) return volumes;
  do {
    name[kVolumeNameLength - 1] = L'\0';
    volumes.push_back(Narrow(name));
  } while (functions_->findNext(find, name, kVolumeNameLength));
  functions_->findClose(find);
  return volumes;
}

std::unique_ptr<TStorageDevice> TWinVolumeSystem::OpenVolume(const std::string& name) {
  return OpenStorageDevice(Widen(name), 0, FILE_SHARE_READ, 0);
}

std::unique_ptr<TStorageDevice> TWinVolumeSystem::OpenPhysicalDrive(uint32_t diskNumber) {
  return OpenStorageDevice(L"\\\\.\\PhysicalDrive" + std::to_wstring(diskNumber),
                           GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           FILE_ATTRIBUTE_DEVICE);
}

TVolumeDetails TWinVolumeSystem::VolumeDetails(const std::string& volumeWithBackslash) {
  TVolumeDetails details;
  std::vector<std::wstring> paths = MountPaths(Widen(volumeWithBackslash));
  if (paths.empty()) return details;
  for (const std::wstring& path : paths) {
    if (!details.PathName.empty()) details.PathName += ", ";
    details.PathName += Narrow(path);
  }
  const std::wstring& first = paths.front();
  ULARGE_INTEGER freeAvailable{}, total{}, totalFree{};
  if (GetDiskFreeSpaceExW(first.c_str(), &freeAvailable, &total, &totalFree)) {
    details.FreeAvailable = static_cast<int64_t>(freeAvailable.QuadPart);
    details.TotalSpace = static_cast<int64_t>(total.QuadPart);
    details.TotalFree = static_cast<int64_t>(totalFree.QuadPart);
  }
  wchar_t label[MAX_PATH + 1] = {};
  wchar_t fileSystem[MAX_PATH + 1] = {};
  if (GetVolumeInformationW(first.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, fileSystem,
                            MAX_PATH + 1)) {
    details.VolumeName = Narrow(label);
    details.FileSystemName = Narrow(fileSystem);
  }
  return details;
}

std::unique_ptr<TDiskList> EnumerateWindowsDisks() {
  TWinVolumeSystem system;
  return EnumerateDisks(system);
}

}  // namespace vsm

#include "sysinfo/os/OsPlatform_win.h"

#include <windows.h>
#include <shlobj.h>

#include "base/handle_win.h"
#include "base/library_win.h"
#include "base/wide_win.h"
#include "platform/Is64BitWindows_win.h"
#include "platform/RegistryReader_win.h"

namespace vsm {

namespace {

using GetProductInfoFn = BOOL(WINAPI*)(DWORD, DWORD, DWORD, DWORD, DWORD*);
using GetNativeSystemInfoFn = VOID(WINAPI*)(SYSTEM_INFO*);

// The first connection record layout, which every version of the dial-up library accepts.
struct LegacyRasConnection {
  DWORD dwSize;
  HANDLE hrasconn;
  CHAR szEntryName[257];
  CHAR szDeviceType[17];
  CHAR szDeviceName[129];
};
using RasEnumConnectionsFn = DWORD(WINAPI*)(LegacyRasConnection*, DWORD*, DWORD*);
constexpr DWORD kRasBufferTooSmall = 603;

SystemTimeFields FromSystemTime(const SYSTEMTIME& time) {
  return {time.wYear, time.wMonth,  time.wDayOfWeek, time.wDay,
          time.wHour, time.wMinute, time.wSecond,    time.wMilliseconds};
}

// Answers a folder from an API that fills a MAX_PATH buffer with its length.
template <typename Call>
std::string FolderFrom(Call call) {
  wchar_t buffer[MAX_PATH];
  UINT length = call(buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return "";
  return Narrow(std::wstring_view(buffer, length));
}

class WindowsPlatform final : public OsPlatform {
 public:
  WindowsPlatform()
      : kernel_(GetModuleHandleW(L"kernel32.dll")), reader_(SystemRegStringReader()),
        lister_(SystemRegSubkeyLister()) {}

  std::optional<OsVersionRecord> VersionInfo() const override {
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof info;
    static_assert(sizeof(OSVERSIONINFOEXW) == 284);
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info))) return std::nullopt;
    OsVersionRecord record;
    record.majorVersion = info.dwMajorVersion;
    record.minorVersion = info.dwMinorVersion;
    record.buildNumber = info.dwBuildNumber;
    record.platformId = info.dwPlatformId;
    record.csdVersion = NarrowField(info.szCSDVersion, 128);
    record.servicePackMajor = info.wServicePackMajor;
    record.servicePackMinor = info.wServicePackMinor;
    record.suiteMask = info.wSuiteMask;
    record.productType = info.wProductType;
    return record;
  }

  std::optional<uint32_t> ProductInfo(uint32_t major, uint32_t minor, uint32_t spMajor,
                                      uint32_t spMinor) const override {
    auto getProductInfo = BindFunction<GetProductInfoFn>(kernel_, "GetProductInfo");
    DWORD type = 0;
    if (getProductInfo == nullptr || !getProductInfo(major, minor, spMajor, spMinor, &type))
      return std::nullopt;
    return type;
  }

  int SystemMetric(int index) const override { return GetSystemMetrics(index); }

  uint16_t ProcessorArchitecture() const override {
    SYSTEM_INFO info{};
    auto getNativeSystemInfo = BindFunction<GetNativeSystemInfoFn>(kernel_, "GetNativeSystemInfo");
    if (Is64BitWindows() && getNativeSystemInfo != nullptr) {
      getNativeSystemInfo(&info);
    } else {
      GetSystemInfo(&info);
    }
    return info.wProcessorArchitecture;
  }

  bool Is64BitWindows() const override { return vsm::Is64BitWindows(); }

  std::optional<TimeZoneInformation> TimeZone() const override {
    TIME_ZONE_INFORMATION info{};
    if (GetTimeZoneInformation(&info) == TIME_ZONE_ID_INVALID) return std::nullopt;
    return TimeZoneInformation{
        info.Bias,         NarrowField(info.StandardName, 32), FromSystemTime(info.StandardDate),
        info.StandardBias, NarrowField(info.DaylightName, 32), FromSystemTime(info.DaylightDate),
        info.DaylightBias};
  }

  int CurrentYear() const override {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now.wYear;
  }

  std::string LocaleText(uint32_t localeId, uint32_t type) const override {
    wchar_t buffer[255];
    int length = GetLocaleInfoW(localeId, type, buffer, 255);
    // The length counts the terminating NUL.
    if (length <= 1) return "";
    return Narrow(std::wstring_view(buffer, static_cast<size_t>(length - 1)));
  }

  uint16_t SystemDefaultLangId() const override { return GetSystemDefaultLangID(); }

  std::u16string EnvironmentBlock() const override {
    wchar_t* block = GetEnvironmentStringsW();
    if (block == nullptr) return {};
    // Up to and with the empty entry that closes the block.
    size_t length = 0;
    while (block[length] != L'\0' || block[length + 1] != L'\0') ++length;
    std::u16string copy(reinterpret_cast<const char16_t*>(block), length + 2);
    FreeEnvironmentStringsW(block);
    return copy;
  }

  std::string SpecialFolderPath(int csidl) const override {
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(GetDesktopWindow(), csidl, &list)) || list == nullptr) return "";
    wchar_t path[MAX_PATH] = L"";
    BOOL found = SHGetPathFromIDListW(list, path);
    CoTaskMemFree(list);
    return found ? NarrowField(path, MAX_PATH) : "";
  }

  std::string WindowsDirectory() const override { return FolderFrom(GetWindowsDirectoryW); }
  std::string SystemDirectory() const override { return FolderFrom(GetSystemDirectoryW); }
  std::string TempPath() const override {
    return FolderFrom(
        [](wchar_t* buffer, UINT size) { return static_cast<UINT>(GetTempPathW(size, buffer)); });
  }

  bool ReadRegString(RegRoot root, const std::string& path, const std::string& name,
                     std::string& text) const override {
    return reader_(root, path, name, text);
  }

  std::vector<std::string> RegSubkeys(RegRoot root, const std::string& path) const override {
    return lister_(root, path);
  }

  bool FileExists(const std::string& path) const override {
    DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  }

  int DialupConnections() const override {
    const TModuleHandle ras(LoadSystemLibrary(L"rasapi32.dll"));
    auto enumConnections = BindFunction<RasEnumConnectionsFn>(ras.Get(), "RasEnumConnectionsA");
    int count = 0;
    if (enumConnections != nullptr) {
      LegacyRasConnection connections[4]{};
      for (LegacyRasConnection& connection : connections) connection.dwSize = sizeof connection;
      DWORD size = sizeof connections;
      DWORD found = 0;
      DWORD error = enumConnections(connections, &size, &found);
      if (error == 0) count = static_cast<int>(found);
      // Too small a buffer: the size asked for tells how many there are.
      if (error == kRasBufferTooSmall) count = static_cast<int>(size / sizeof(LegacyRasConnection));
    }
    return count;
  }

 private:
  HMODULE kernel_;
  RegStringReader reader_;
  RegSubkeyLister lister_;
};

}  // namespace

std::shared_ptr<const OsPlatform> WindowsOsPlatform() { return std::make_shared<WindowsPlatform>(); }

std::unique_ptr<TOperatingSystem> CreateOperatingSystem() {
  return std::make_unique<TOperatingSystem>(WindowsOsPlatform());
}

}  // namespace vsm

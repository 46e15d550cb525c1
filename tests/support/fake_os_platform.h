#pragma once
// An operating system made of tables, for tests of the operating-system information.
#include <map>
#include <set>
#include <tuple>

#include "base/text.h"
#include "sysinfo/os/OsPlatform.h"

namespace vsm::test {

class FakeOsPlatform : public OsPlatform {
 public:
  std::optional<OsVersionRecord> version;
  std::optional<uint32_t> productType;  // what GetProductInfo answers
  std::map<int, int> metrics;
  uint16_t architecture = 0;
  bool is64Bit = false;
  std::optional<TimeZoneInformation> timeZone;
  int year = 2024;
  std::map<uint32_t, std::string> locale;  // by locale type
  uint16_t langId = 0x0409;
  std::u16string environment = std::u16string(u"\0", 1);
  std::map<int, std::string> folders;  // by CSIDL
  std::string windowsDirectory = "C:\\WINDOWS";
  std::string systemDirectory = "C:\\WINDOWS\\SYSTEM";
  std::string tempPath = "C:\\WINDOWS\\TEMP\\";
  std::set<std::string> files;
  int dialup = 0;
  mutable std::vector<std::string> productInfoCalls;

  // Registry values by root, key path (with or without a leading backslash, any case) and name.
  void SetReg(RegRoot root, const std::string& path, const std::string& name, const std::string& text) {
    registry_[{root, KeyOf(path), AsciiLower(name)}] = text;
  }
  void AddSubkey(RegRoot root, const std::string& path, const std::string& name) {
    subkeys_[{root, KeyOf(path)}].push_back(name);
  }

  std::optional<OsVersionRecord> VersionInfo() const override { return version; }
  std::optional<uint32_t> ProductInfo(uint32_t major, uint32_t minor, uint32_t spMajor,
                                      uint32_t spMinor) const override {
    productInfoCalls.push_back(Format("%u.%u.%u.%u", major, minor, spMajor, spMinor));
    return productType;
  }
  int SystemMetric(int index) const override {
    auto found = metrics.find(index);
    return found == metrics.end() ? 0 : found->second;
  }
  uint16_t ProcessorArchitecture() const override { return architecture; }
  bool Is64BitWindows() const override { return is64Bit; }
  std::optional<TimeZoneInformation> TimeZone() const override { return timeZone; }
  int CurrentYear() const override { return year; }
  std::string LocaleText(uint32_t localeId, uint32_t type) const override {
    if (localeId != 1024) return "";
    auto found = locale.find(type);
    return found == locale.end() ? "" : found->second;
  }
  uint16_t SystemDefaultLangId() const override { return langId; }
  std::u16string EnvironmentBlock() const override { return environment; }
  std::string SpecialFolderPath(int csidl) const override {
    auto found = folders.find(csidl);
    return found == folders.end() ? "" : found->second;
  }
  std::string WindowsDirectory() const override { return windowsDirectory; }
  std::string SystemDirectory() const override { return systemDirectory; }
  std::string TempPath() const override { return tempPath; }
  bool ReadRegString(RegRoot root, const std::string& path, const std::string& name,
                     std::string& text) const override {
    auto found = registry_.find({root, KeyOf(path), AsciiLower(name)});
    if (found == registry_.end()) return false;
    text = found->second;
    return true;
  }
  std::vector<std::string> RegSubkeys(RegRoot root, const std::string& path) const override {
    auto found = subkeys_.find({root, KeyOf(path)});
    return found == subkeys_.end() ? std::vector<std::string>{} : found->second;
  }
  bool FileExists(const std::string& path) const override { return files.count(path) != 0; }
  int DialupConnections() const override { return dialup; }

 private:
  static std::string KeyOf(const std::string& path) {
    return AsciiLower(!path.empty() && path.front() == '\\' ? path.substr(1) : path);
  }
  std::map<std::tuple<RegRoot, std::string, std::string>, std::string> registry_;
  std::map<std::pair<RegRoot, std::string>, std::vector<std::string>> subkeys_;
};

}  // namespace vsm::test

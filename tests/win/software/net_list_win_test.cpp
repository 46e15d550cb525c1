#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "../host_files_win.h"
#include "base/text.h"
#include "base/wide_win.h"
#include "software/network/IpHelper_win.h"
#include "software/network/NetList_win.h"

namespace vsm {
namespace {

constexpr wchar_t kTcpipParameters[] = L"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";

// Sets or removes the "SearchList" value for one test and puts the old state back after it.
class SearchListValue {
 public:
  SearchListValue() {
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, kTcpipParameters, 0, nullptr, 0,
                    KEY_READ | KEY_WRITE | KEY_WOW64_64KEY, nullptr, &key_, nullptr);
    wchar_t old[1024];
    DWORD size = sizeof old;
    DWORD type = 0;
    if (RegQueryValueExW(key_, L"SearchList", nullptr, &type, reinterpret_cast<BYTE*>(old), &size) == 0) {
      old_ = std::wstring(old, size / sizeof(wchar_t));
    }
  }
  ~SearchListValue() {
    if (old_) {
      RegSetValueExW(key_, L"SearchList", 0, REG_SZ, reinterpret_cast<const BYTE*>(old_->data()),
                     static_cast<DWORD>(old_->size() * sizeof(wchar_t)));
    } else {
      RegDeleteValueW(key_, L"SearchList");
    }
    RegCloseKey(key_);
  }
  void Set(const std::wstring& value) {
    RegSetValueExW(key_, L"SearchList", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  }
  void Remove() { RegDeleteValueW(key_, L"SearchList"); }

 private:
  HKEY key_ = nullptr;
  std::optional<std::wstring> old_;
};

std::string HostValue(const std::string& interfaceName, const std::string& file) {
  return Trim(test::ReadHostFile("/sys/class/net/" + interfaceName + "/" + file).value_or(""));
}

TEST(GetNetListWine, AdaptersAreTheHostsInterfacesWithTheirHardwareAddresses) {
  ASSERT_TRUE(BindIpHelper());
  auto list = GetNetList();
  ASSERT_NE(list, nullptr);

  // Every host interface but the loopback one, by name with its address as Linux reports it.
  std::map<std::string, std::string> host;
  for (const std::string& name : test::ListHostFolder("/sys/class/net")) {
    if (HostValue(name, "type") != "772") host[name] = AsciiUpper(HostValue(name, "address"));
  }
  ASSERT_FALSE(host.empty());

  std::map<std::string, std::string> listed;
  for (int i = 0; i < list->Count(); ++i) {
    const TNetAdapter& adapter = *list->GetAdapter(i);
    listed[adapter.Name()] = adapter.MACAddress();
    SCOPED_TRACE(adapter.Name());
    EXPECT_EQ(adapter.MACAddress().size(), 17u);
    EXPECT_EQ(adapter.AdapterType(), 6u);  // Ethernet
    EXPECT_EQ(std::to_string(adapter.Mtu()), HostValue(adapter.Name(), "mtu"));
    EXPECT_EQ(adapter.DeviceId().rfind("\\DEVICE\\TCPIP_{", 0), 0u) << adapter.DeviceId();
    ASSERT_FALSE(adapter.IPAddress().empty());
    EXPECT_EQ(adapter.IPAddress().size(), adapter.IPAddressMask().size());
    EXPECT_EQ(adapter.Gateway_IPAddress().size(), adapter.Gateway_IPAddressMask().size());
    EXPECT_EQ(adapter.PrimaryWINS_IPAddress().size(), 1u);
  }
  EXPECT_EQ(listed, host);
}

TEST(GetNetListWine, MachineParametersAreTheHosts) {
  auto list = GetNetList();
  std::string hostName = Trim(test::ReadHostFile("/proc/sys/kernel/hostname").value_or(""));
  EXPECT_TRUE(EqualsNoCase(list->HostName(), hostName.substr(0, hostName.find('.'))))
      << list->HostName() << " vs " << hostName;

  std::vector<std::string> nameservers;
  std::istringstream resolv(test::ReadHostFile("/etc/resolv.conf").value_or(""));
  std::string line;
  while (std::getline(resolv, line)) {
    std::istringstream words(line);
    std::string keyword, address;
    if (words >> keyword >> address && keyword == "nameserver" && address.find(':') == std::string::npos) {
      nameservers.push_back(address);
    }
  }
  if (nameservers.empty()) GTEST_SKIP() << "no IPv4 name server on this host";
  EXPECT_EQ(list->DNSServers(), nameservers);
  EXPECT_EQ(list->PrimaryDNSSuffix(), nameservers.front());
}

TEST(GetNetListWine, SearchSuffixesComeFromTheRegistry) {
  SearchListValue value;
  value.Set(L"corp.example,lab.example");
  EXPECT_EQ(GetNetList()->DNSSuffixes(), (std::vector<std::string>{"corp.example", "lab.example"}));
  value.Remove();
  EXPECT_EQ(GetNetList()->DNSSuffixes(), std::vector<std::string>{""});
}

}  // namespace
}  // namespace vsm

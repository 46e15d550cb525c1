#pragma once
// Default browser and mail client, connection type and proxy servers.
#include <functional>
#include <string>
#include <vector>

#include "sysinfo/os/OsPlatform.h"

namespace vsm {

enum class TConnectionType { ctNone, ctLAN, ctDialup };

// Looks up an environment variable; nothing when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;

// Replaces every %NAME% whose variable is set; other percent signs stay as they are.
std::string ExpandEnvironmentReferences(const std::string& text, const EnvironmentLookup& lookup);

// The executable a shell command starts: the command with its environment references expanded,
// shortened from the end (enclosing quotes removed each time) until it names an existing file.
// Empty when no prefix does.
std::string CommandToExecutablePath(const std::string& command, const EnvironmentLookup& lookup,
                                    const std::function<bool(const std::string&)>& fileExists);

// The proxy setting as a list: ";" and "," separate entries, and an entry without "=" becomes
// "index=entry".
std::vector<std::string> ProxyServerList(const std::string& proxyServer);

// Case-insensitive lookup in a list of "name=value" lines.
EnvironmentLookup EnvironmentListLookup(std::vector<std::string> lines);

class TInternet {
 public:
  void RefreshData(const OsPlatform& platform);
  static std::string GetConnTypeStr(TConnectionType type);

  const std::string& DefaultBrowser() const { return FBrowser; }
  const std::vector<std::string>& ProxyServer() const { return FProxy; }
  const std::string& DefaultMailClient() const { return FMailClient; }
  TConnectionType ConnectionType() const { return FCType; }
  const std::string& DefaultMailClientName() const { return FMailClientName; }
  const std::string& DefaultBrowserName() const { return FBrowserName; }

 private:
  std::string FBrowser;
  std::vector<std::string> FProxy;
  std::string FMailClient;
  TConnectionType FCType = TConnectionType::ctNone;
  std::string FMailClientName;
  std::string FBrowserName;
};

}  // namespace vsm

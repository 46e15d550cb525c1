#include "sysinfo/os/Internet.h"

#include <algorithm>

#include "base/text.h"
#include "sysinfo/os/Environment.h"

namespace vsm {

namespace {

const std::string kClientsKey = "\\SOFTWARE\\Clients\\";
const std::string kInternetSettings = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet settings";

std::string WithoutEnclosingQuotes(const std::string& text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') return text.substr(1, text.size() - 2);
  return text;
}

struct DefaultClient {
  std::string name;
  std::string path;
};

DefaultClient ReadDefaultClient(const OsPlatform& platform, RegRoot root, const std::string& kind,
                                const EnvironmentLookup& environment) {
  DefaultClient client;
  std::string kindKey = kClientsKey + kind;
  std::string clientKey = platform.RegText(root, kindKey, "").value_or("");
  if (clientKey.empty()) return client;
  std::string key = kindKey + "\\" + clientKey;
  client.name = platform.RegText(root, key, "").value_or("");
  std::string command = platform.RegText(root, key + "\\shell\\open\\command", "").value_or("");
  client.path = CommandToExecutablePath(command, environment,
                                        [&](const std::string& path) { return platform.FileExists(path); });
  return client;
}

// The machine's choice, replaced by what the user chose where the user chose anything.
void ReadChosenClient(const OsPlatform& platform, const std::string& kind,
                      const EnvironmentLookup& environment, std::string& name, std::string& path) {
  DefaultClient machine = ReadDefaultClient(platform, RegRoot::LocalMachine, kind, environment);
  DefaultClient user = ReadDefaultClient(platform, RegRoot::CurrentUser, kind, environment);
  name = user.name.empty() ? machine.name : user.name;
  path = user.path.empty() ? machine.path : user.path;
}

}  // namespace

std::string ExpandEnvironmentReferences(const std::string& text, const EnvironmentLookup& lookup) {
  std::string result;
  size_t position = 0;
  while (position < text.size()) {
    size_t open = text.find('%', position);
    size_t close = open == std::string::npos ? std::string::npos : text.find('%', open + 1);
    if (close == std::string::npos) break;
    result.append(text, position, open - position);
    std::string name = text.substr(open + 1, close - open - 1);
    auto value = name.empty() || !lookup ? std::nullopt : lookup(name);
    if (value) {
      result += *value;
      position = close + 1;
    } else {
      // Not a reference: keep the first percent sign, the second may open one.
      result += '%';
      position = open + 1;
    }
  }
  result.append(text, std::min(position, text.size()));
  return result;
}

std::string CommandToExecutablePath(const std::string& command, const EnvironmentLookup& lookup,
                                    const std::function<bool(const std::string&)>& fileExists) {
  std::string remainder = WithoutEnclosingQuotes(ExpandEnvironmentReferences(command, lookup));
  while (!remainder.empty()) {
    std::string candidate = WithoutEnclosingQuotes(remainder);
    if (!candidate.empty() && fileExists(candidate)) return candidate;
    remainder.pop_back();
  }
  return "";
}

std::vector<std::string> ProxyServerList(const std::string& proxyServer) {
  std::string text = proxyServer;
  std::replace(text.begin(), text.end(), ';', ',');
  std::vector<std::string> entries;
  for (const std::string& piece : Split(text, ',')) {
    std::string entry = Trim(piece);
    if (entry.empty()) continue;
    if (entry.find('=') == std::string::npos) entry = std::to_string(entries.size()) + "=" + entry;
    entries.push_back(entry);
  }
  return entries;
}

EnvironmentLookup EnvironmentListLookup(std::vector<std::string> lines) {
  return [lines = std::move(lines)](const std::string& name) -> std::optional<std::string> {
    for (const std::string& line : lines) {
      // Entries such as "=C:=C:\" name hidden per-drive folders; their name starts after the "=".
      size_t equals = line.find('=', 1);
      if (equals != std::string::npos && EqualsNoCase(std::string_view(line).substr(0, equals), name)) {
        return line.substr(equals + 1);
      }
    }
    return std::nullopt;
  };
}

std::string TInternet::GetConnTypeStr(TConnectionType type) {
  switch (type) {
    case TConnectionType::ctLAN: return "LAN";
    case TConnectionType::ctDialup: return "Dialup";
    case TConnectionType::ctNone: break;
  }
  return "None";
}

void TInternet::RefreshData(const OsPlatform& platform) {
  EnvironmentLookup environment = EnvironmentListLookup(ParseEnvironmentBlock(platform.EnvironmentBlock()));
  ReadChosenClient(platform, "StartMenuInternet", environment, FBrowserName, FBrowser);
  ReadChosenClient(platform, "Mail", environment, FMailClientName, FMailClient);

  auto enable = platform.RegText(RegRoot::CurrentUser, kInternetSettings, "ProxyEnable");
  auto enabled = enable ? RegTextToUInt32(*enable) : std::nullopt;
  std::string proxy = platform.RegText(RegRoot::CurrentUser, kInternetSettings, "ProxyServer").value_or("");
  if (enabled && *enabled != 0 && !proxy.empty()) {
    FCType = TConnectionType::ctLAN;
  } else if (platform.DialupConnections() > 0) {
    FCType = TConnectionType::ctDialup;
  } else {
    FCType = TConnectionType::ctNone;
  }
  FProxy = ProxyServerList(proxy);
}

}  // namespace vsm

#pragma once
// The addresses of the feedback site: its pages are "index.php" with one "to" query value, and
// every question page the program opens carries the identity of this installation.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vsm {

// Who asks: the installation and program the answers belong to.
struct TSupportIdentity {
  std::string installation = "TFrmSupport";  // the setup identifier
  int32_t product = 1;
  std::string version;    // the program's version text
  std::string osVersion;  // major.minor.build
  int32_t vip = 0;
};

// The addresses on one feedback site, given as its root (scheme and host, no trailing slash).
class TSupportAddresses {
 public:
  explicit TSupportAddresses(std::string site) : FSite(std::move(site)) {}

  std::string Home() const { return Page("home"); }
  // The page of one answer; without an identifier, the prefix every such page starts with.
  std::string Question() const { return Page("question"); }
  std::string Question(int32_t id) const;
  std::string MyFeedback() const { return Page("my-feedback"); }
  std::string WriteQuestion() const { return Page("write-question"); }
  std::string UnreadMessages(std::string_view installation) const;
  std::string Upload() const { return Page("upload-file"); }

  // The page shown first: home without unread answers, the one answer's page, or the list.
  std::string FirstPage(const std::vector<int32_t>& unreadIds) const;

 private:
  std::string Page(std::string_view to) const;
  std::string FSite;
};

// "&guid=...&product_id=...&version=...&system_info=...&vip=..." for a question page.
std::string IdentitySuffix(const TSupportIdentity& identity);

}  // namespace vsm

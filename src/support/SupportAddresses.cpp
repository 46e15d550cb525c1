#include "support/SupportAddresses.h"

namespace vsm {

std::string TSupportAddresses::Page(std::string_view to) const {
  return FSite + "/index.php?to=" + std::string(to);
}

std::string TSupportAddresses::Question(int32_t id) const { return Question() + "&id=" + std::to_string(id); }

std::string TSupportAddresses::UnreadMessages(std::string_view installation) const {
  return Page("fetch-unread-message") + "&guid=" + std::string(installation);
}

std::string TSupportAddresses::FirstPage(const std::vector<int32_t>& unreadIds) const {
  if (unreadIds.empty()) return Home();
  if (unreadIds.size() == 1) return Question(unreadIds.front());
  return MyFeedback();
}

std::string IdentitySuffix(const TSupportIdentity& identity) {
  return "&guid=" + identity.installation + "&product_id=" + std::to_string(identity.product) +
         "&version=" + identity.version + "&system_info=" + identity.osVersion +
         "&vip=" + std::to_string(identity.vip);
}

}  // namespace vsm

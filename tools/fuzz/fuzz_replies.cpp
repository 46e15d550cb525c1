// Fuzz target: any bytes, taken as the update server's reply and as the news server's reply under
// a few read lists and language codes, then every kept message's address checked and its id
// appended to the read list, whose length rule must hold; as the feedback site's unread list; and
// as an upload answer, whose form encoding must hold only the bytes a page script can take.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/NewsReply.h"
#include "app/UpdateReply.h"
#include "base/web_address.h"
#include "support/PageScripts.h"
#include "support/UnreadReply.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (auto reply = vsm::ParseUpdateReply(text)) {
    vsm::IsWebAddress(reply->blogUrl);
    if (reply->build) vsm::IsUpdateOffered(127, *reply->build);
  }
  const vsm::TNewsFilter filters[] = {
      {"", "0409", false, 45000},
      {",1,2,3", "0804|1004", true, 45000.5},
  };
  for (const vsm::TNewsFilter& filter : filters) {
    std::string readIds = filter.readIds;
    for (const vsm::TNewsInfo& news : vsm::ParseNewsReply(text, filter)) {
      vsm::IsWebAddress(news.url);
      readIds = vsm::AppendReadId(readIds, news.id);
      if (readIds.size() > vsm::kMaxReadListLength || readIds.front() != ',') std::abort();
    }
  }
  vsm::ParseUnreadIds(text);
  for (char c : vsm::FormEncode(text)) {
    if (static_cast<unsigned char>(c) <= ' ' || static_cast<unsigned char>(c) >= 0x7F || c == '"' ||
        c == '\\') {
      std::abort();
    }
  }
  return 0;
}

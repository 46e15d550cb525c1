#pragma once
// The news server's reply: which messages the user gets to see, and the list of messages
// already read.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/date_time.h"

namespace vsm {

// Product number of the news query ("pid").
inline constexpr int kNewsProductId = 11;
// The read list is kept at most this long.
inline constexpr size_t kMaxReadListLength = 255;

struct TNewsInfo {
  int32_t id = 0;
  int32_t mtype = 0;
  std::string title;
  std::string url;
  int32_t width = 0;   // client width of the message window, 0 for the default
  int32_t height = 0;  // client height
  TDateTime expired = 0;
  std::string langcode;
  int32_t color = 0;  // 0x00BBGGRR; 0 or below for the default
};

// What decides whether a message is shown.
struct TNewsFilter {
  std::string readIds;     // "MSGIDs": ",12,15"
  std::string langCodes;   // the language file's "LangCode", such as "0804|1004"
  bool isPro = false;      // messages of type 0 are not for the professional edition
  TDateTime localNow = 0;  // stands in for a server time that does not parse
};

// The messages of a reply that are current, meant for this language and not yet read, in the
// reply's order. A reply that is no JSON object, lacks "servertime" or has it empty gives none;
// an entry of the wrong shape ends the walk and keeps what was taken before it.
std::vector<TNewsInfo> ParseNewsReply(std::string_view text, const TNewsFilter& filter);

// Whether the comma-separated list holds the id as a whole item.
bool IsMessageRead(std::string_view readIds, int32_t id);
// Whether `lang` is one of the "|"-separated codes, compared without regard to letter case.
bool IsCurrentLanguage(std::string_view langCodes, std::string_view lang);

// The read list with ",<id>" appended; beyond kMaxReadListLength characters the oldest items are
// dropped from its start, whole, so that it stays a run of ",<id>" items.
std::string AppendReadId(std::string_view readIds, int32_t id);

}  // namespace vsm

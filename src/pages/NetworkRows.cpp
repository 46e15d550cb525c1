#include "pages/NetworkRows.h"

namespace vsm {

std::string ListEntry(const std::vector<std::string>& list, size_t index) {
  return index < list.size() ? list[index] : std::string();
}

void AddAddressPairs(TInfoRow& group, const std::vector<std::string>& addresses,
                     const std::vector<std::string>& masks, const TPageTexts& texts) {
  const std::string addressCaption = texts.Caption("IPAddress", "IP Address");
  const std::string maskCaption = texts.Caption("IPMask", "IP Address Mask");
  for (size_t i = 0; i < addresses.size(); ++i) {
    group.Add(addressCaption, addresses[i]);
    group.Add(maskCaption, ListEntry(masks, i));
  }
}

}  // namespace vsm

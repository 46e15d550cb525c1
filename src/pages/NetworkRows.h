#pragma once
// Rows of the network page that pair two lists: addresses with their masks, DNS servers with their
// suffixes. The second list may be shorter; its missing entries show as empty values.
#include <cstddef>
#include <string>
#include <vector>

#include "pages/PageTexts.h"
#include "ui/InfoTree.h"

namespace vsm {

// Entry `index` of a list, empty past its end.
std::string ListEntry(const std::vector<std::string>& list, size_t index);

// One "IP Address" and one "IP Address Mask" child per address.
void AddAddressPairs(TInfoRow& group, const std::vector<std::string>& addresses,
                     const std::vector<std::string>& masks, const TPageTexts& texts);

}  // namespace vsm

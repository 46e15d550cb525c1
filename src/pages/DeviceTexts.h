#pragma once
// The texts the disk and network pages show for codes: Windows media types, IP Helper interface
// types and operational states.
#include <cstdint>
#include <string>

#include "pages/PageTexts.h"

namespace vsm {

// A MEDIA_TYPE value; "unknown" for values without a text.
std::string MediaTypeText(uint32_t mediaType);
// An interface type, translated; "Unknown type" for types without a text.
std::string AdapterTypeText(uint32_t type, const TPageTexts& texts);
// An operational status, translated; empty for states without a text.
std::string OperStatusText(uint32_t status, const TPageTexts& texts);

}  // namespace vsm

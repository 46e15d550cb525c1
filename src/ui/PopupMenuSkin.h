#pragma once
// Colours and measures of the popup-menu skin.
#include <cstdint>

#include "base/BrandColour.h"

namespace vsm::skin {

// Colours as 0x00BBGGRR, the GDI order.
inline constexpr uint32_t kMenuBackground = 0x00FFFFFF;
inline constexpr uint32_t kMenuText = 0x00383838;
inline constexpr uint32_t kMenuHotBackground = GdiColour(kBrandColour);
inline constexpr uint32_t kMenuHotText = 0x00FFFFFF;
inline constexpr uint32_t kMenuSeparator = 0x00E5E5E5;
inline constexpr int kMenuSeparatorHeight = 7;
inline constexpr int kMenuTextIndent = 28;  // room for the check mark
inline constexpr int kMenuRightPadding = 16;

}  // namespace vsm::skin

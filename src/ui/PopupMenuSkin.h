#pragma once
// Colours and measures of the popup-menu skin.
#include <cstdint>

namespace vsm::skin {

// Colours as 0x00BBGGRR, the GDI order.
inline constexpr uint32_t kMenuBackground = 0x00FFFFFF;
inline constexpr uint32_t kMenuText = 0x00383838;
inline constexpr uint32_t kMenuHotBackground = 0x00DE9D11;  // the program's blue, 0x119DDE
inline constexpr uint32_t kMenuHotText = 0x00FFFFFF;
inline constexpr uint32_t kMenuSeparator = 0x00E5E5E5;
inline constexpr uint32_t kMenuBorder = 0x00C8C8C8;
inline constexpr int kMenuSeparatorHeight = 7;
inline constexpr int kMenuTextIndent = 28;  // room for the check mark
inline constexpr int kMenuRightPadding = 16;

}  // namespace vsm::skin

#pragma once
// Size and colour of the message window, and the browser emulation that its embedded browser
// runs under.
#include <cstdint>
#include <optional>

namespace vsm {

inline constexpr int kNewsClientWidth = 490;
inline constexpr int kNewsClientHeight = 242;
// A message asks for its own size; beyond this it is no message window any more.
inline constexpr int kMaxNewsClientSide = 2048;

struct TNewsWindowLayout {
  int clientWidth = kNewsClientWidth;
  int clientHeight = kNewsClientHeight;
  std::optional<uint32_t> background;  // 0x00BBGGRR of caption, client area and border
};

// The message's own size when both sides are given (and sensible), else the default; its
// colour when it is above 0 and a colour at all.
TNewsWindowLayout NewsWindowLayout(int32_t width, int32_t height, int32_t color);

// The FEATURE_BROWSER_EMULATION value for the installed Internet Explorer's major version:
// 8000 .. 12000 for 8 .. 12, nothing for any other version.
std::optional<uint32_t> BrowserEmulationValue(unsigned ieMajorVersion);

}  // namespace vsm

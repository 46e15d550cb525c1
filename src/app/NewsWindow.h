#pragma once
// Size and colour of the message window.
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

}  // namespace vsm

#pragma once
// Sizes are designed in 96-dpi units and scaled by the dots per inch of the monitor a window is
// on, so at 96 dpi every figure stays exactly as designed.
namespace vsm {

inline constexpr int kDesignDpi = 96;

struct TDpiScale {
  int dpi = kDesignDpi;
  // value * dpi / 96, rounded to the nearest pixel (halves away from zero).
  constexpr int operator()(int value) const {
    const long long scaled = static_cast<long long>(value) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + kDesignDpi / 2) / kDesignDpi
                                        : -((-scaled + kDesignDpi / 2) / kDesignDpi));
  }
};

}  // namespace vsm

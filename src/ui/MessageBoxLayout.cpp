#include "ui/MessageBoxLayout.h"

#include <algorithm>

#include "ui/Theme.h"

namespace vsm {

namespace {
constexpr int kMargin = 16;
constexpr int kIconSize = 32;
constexpr int kGap = 8;
}  // namespace

int MessageBoxTextWidth(TDpiScale scale) {
  return scale(Theme().metrics.messageBoxWidth - 2 * kMargin - kIconSize - kMargin);
}

TMessageBoxLayout LayoutMessageBox(int textHeight, int buttonCount, TDpiScale scale) {
  const TThemeMetrics& metrics = Theme().metrics;
  TMessageBoxLayout layout;
  const int width = scale(metrics.messageBoxWidth);
  const int titleHeight = scale(metrics.messageBoxTitleHeight);
  layout.title = {0, 0, width, titleHeight};
  layout.close = {width - titleHeight, 0, width, titleHeight};
  const int top = titleHeight + scale(kMargin);
  layout.icon = {scale(kMargin), top, scale(kMargin + kIconSize), top + scale(kIconSize)};
  const int textLeft = layout.icon.right + scale(kMargin);
  layout.text = {textLeft, top, textLeft + MessageBoxTextWidth(scale), top + textHeight};
  const int contentBottom = std::max(layout.icon.bottom, layout.text.bottom) + scale(kMargin);
  const int buttonTop = contentBottom;
  int right = width - scale(kMargin);
  layout.buttons.resize(static_cast<size_t>(std::max(buttonCount, 0)));
  for (int i = buttonCount - 1; i >= 0; --i) {
    layout.buttons[static_cast<size_t>(i)] = {right - scale(metrics.buttonWidth), buttonTop, right,
                                              buttonTop + scale(metrics.buttonHeight)};
    right -= scale(metrics.buttonWidth + kGap);
  }
  layout.window = {0, 0, width, buttonTop + scale(metrics.buttonHeight) + scale(kMargin)};
  return layout;
}

}  // namespace vsm

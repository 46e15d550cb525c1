#pragma once
// The skin of the program's windows in one record: colours, fonts by role and metrics. Sizes are
// in 96-dpi units; the windows scale them by their monitor's DPI.
#include <cstdint>

#include "base/BrandColour.h"

namespace vsm {

// Colours as 0xAARRGGBB; the GDI side converts (ui/Theme_win.h).
struct TThemeColours {
  // Floating strip and popup: white text on a dark, slightly translucent ground.
  uint32_t stripBackground = 0xFF151515;  // RGB 21, 21, 21
  uint8_t stripAlpha = 230;
  uint32_t darkText = 0xFFFFFFFF;
  uint32_t popupBackground = 0xFF1E1E1E;
  uint32_t popupHotRow = 0xFF2E3E4C;
  uint32_t popupSecondaryText = 0xFFBDBDBD;
  uint32_t chartPanelLine = 0x20FFFFFF;
  uint32_t radioRing = 0xFFBDBDBD;
  uint32_t radioDot = OpaqueArgb(kBrandColour);
  // Popup menus and message boxes: dark text on white.
  uint32_t menuBackground = 0xFFFFFFFF;
  uint32_t menuText = 0xFF383838;
  uint32_t accent = OpaqueArgb(kBrandColour);  // the program's blue: hot menu items, buttons, title bar
  uint32_t accentText = 0xFFFFFFFF;
  uint32_t formFrame = 0xFF005AB9;  // the deeper blue of the main and support windows' frames
  uint32_t menuSeparator = 0xFFE5E5E5;
  uint32_t border = 0xFFC8C8C8;
  uint32_t buttonFace = 0xFFF0F0F0;
};

struct TFontRole {
  const char* face = "Tahoma";
  int height = -11;  // negative: character height in 96-dpi pixels
  bool bold = false;
};

struct TThemeFonts {
  TFontRole strip;  // the floating strip
  TFontRole label;  // labels and list rows
  TFontRole title{"Tahoma", -11, true};
};

struct TThemeMetrics {
  int menuSeparatorHeight = 7;
  int menuTextIndent = 28;  // room for the check mark
  int menuRightPadding = 16;
  int messageBoxWidth = 340;
  int messageBoxTitleHeight = 30;
  int buttonWidth = 80;
  int buttonHeight = 26;
  int radioSize = 13;
};

struct TTheme {
  TThemeColours colours;
  TThemeFonts fonts;
  TThemeMetrics metrics;
};

inline const TTheme& Theme() {
  static const TTheme theme;
  return theme;
}

}  // namespace vsm

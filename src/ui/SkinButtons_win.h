#pragma once
// The flat buttons the skinned windows draw themselves: caption buttons (menu, close), tab
// buttons with an icon, small buttons with a badge, check boxes and the section buttons of a
// side menu. A window keeps them in a
// TSkinButtonSet, which tracks the hot and pressed button and paints each in its state.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ui/DpiScale.h"

namespace vsm {

enum class TSkinButtonKind { CaptionMenu, CaptionClose, Tab, Badge, CheckBox, Section };

struct TSkinButton {
  TSkinButton(int id, TSkinButtonKind kind, RECT bounds, std::wstring caption = {}, int icon = 0)
      : id(id), kind(kind), bounds(bounds), caption(std::move(caption)), icon(icon) {}

  int id = 0;
  TSkinButtonKind kind = TSkinButtonKind::Tab;
  RECT bounds{};  // 96-dpi units in the window's client area
  std::wstring caption;
  std::wstring hint;
  bool selected = false;  // a tab that is selected, a check box that is checked
  bool badge = false;     // a badge button with something waiting
  int icon = 0;           // a tab's icon kind (the tab's tag)
};

class TSkinButtonSet {
 public:
  std::vector<TSkinButton>& Buttons() { return FButtons; }
  TSkinButton* Find(int id);
  // The button under a client point (device pixels), or null.
  TSkinButton* At(POINT point, TDpiScale scale);

  // Mouse tracking; each returns whether the window needs repainting. MouseUp returns the id of
  // the button that was pressed and released over itself, else 0.
  bool MouseMove(HWND window, POINT point, TDpiScale scale);
  bool MouseLeave();
  bool MouseDown(POINT point, TDpiScale scale);
  int MouseUp(POINT point, TDpiScale scale);

  // Mouse messages of the window (move, leave, left down and up): tracks, captures the mouse
  // while a button is pressed, repaints, and answers the id of the button clicked, else 0.
  int HandleMouse(HWND window, TDpiScale scale, UINT message, LPARAM lParam);

  // WM_NCHITTEST of a window without a system caption: the band of `captionHeight` (96-dpi units)
  // at the top drags the window, except where a button is.
  LRESULT CaptionHitTest(HWND window, LPARAM lParam, TDpiScale scale, int captionHeight);

  // Paints every button; `onTabIcon` draws a tab's icon into its 24 x 24 box.
  void Paint(HDC dc, TDpiScale scale, HFONT font, COLORREF text,
             const std::function<void(HDC, const TSkinButton&, const RECT&)>& onTabIcon) const;

 private:
  std::vector<TSkinButton> FButtons;
  int FHot = 0;
  int FPressed = 0;
};

RECT ScaleRect(const RECT& rect, TDpiScale scale);

}  // namespace vsm

#pragma once
// A tree view over the rows of an information page: expand boxes, captions, and a value column
// drawn after each row (the after-row-draw hook), with a vertical scroll bar. A row's value comes
// from the hook when it gives one, else from the tree's own value step (a live row fetches its
// reading there). Painting is double-buffered, so a once-a-second repaint does not flicker.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/InfoTree.h"
#include "ui/Window_win.h"

namespace vsm {

class TInfoTreeView final : public TWindow {
 public:
  explicit TInfoTreeView(HWND parent);

  TInfoTree& Tree() { return FTree; }
  void SetFont(HFONT font) { FFont = font; }
  // Re-reads the tree's rows (after a fill) and repaints.
  void Rebuild();
  void Repaint() { InvalidateRect(Handle(), nullptr, FALSE); }

  // After a row is drawn: the value text to draw for it, or nothing to leave the value to the
  // tree. Set by the hardware page for its sensor rows.
  std::function<std::optional<std::string>(TInfoRow& row)> OnAfterRowDraw;
  // A right-button release on the tree, at the screen point.
  std::function<void(POINT screen)> OnRightClick;

 private:
  struct TVisibleRow {
    TInfoRow* row;
    int depth;
  };
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Flatten();
  void Paint(HDC dc);
  void Scroll(int position);
  int RowHeight() const { return Scale()(FTree.RowHeight()); }

  TInfoTree FTree;
  std::vector<TVisibleRow> FVisible;
  int FScroll = 0;
  HFONT FFont = nullptr;
};

}  // namespace vsm

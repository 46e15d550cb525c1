#include "ui/InfoTreeView_win.h"

#include <windowsx.h>

#include <algorithm>

#include "base/wide_win.h"
#include "ui/BufferedPaint_win.h"
#include "ui/Gdi_win.h"
#include "ui/ScrollBar_win.h"
#include "ui/Theme_win.h"

namespace vsm {

namespace {

const TWindowClassTraits kTraits{L"TVeskInfoTree", CS_DBLCLKS, IDC_ARROW, 0};
constexpr int kIndent = 19;
constexpr int kBox = 9;

void AddVisible(std::vector<std::pair<TInfoRow*, int>>& out, const TInfoRows& rows, int depth) {
  for (const auto& row : rows) {
    out.push_back({row.get(), depth});
    if (row->Expanded) AddVisible(out, row->Children(), depth + 1);
  }
}

}  // namespace

TInfoTreeView::TInfoTreeView(HWND parent) {
  RECT r{};
  GetClientRect(parent, &r);
  CreateWindowFrom(kTraits, 0, WS_CHILD | WS_VSCROLL | WS_CLIPSIBLINGS, r, parent);
}

void TInfoTreeView::Flatten() {
  std::vector<std::pair<TInfoRow*, int>> rows;
  AddVisible(rows, FTree.Rows(), 0);
  FVisible.clear();
  for (const auto& [row, depth] : rows) FVisible.push_back({row, depth});
  RECT client{};
  GetClientRect(Handle(), &client);
  const int content = static_cast<int>(FVisible.size()) * RowHeight();
  FScroll = SetVerticalScroll(Handle(), content, static_cast<int>(client.bottom), FScroll);
}

void TInfoTreeView::Rebuild() {
  FScroll = 0;
  Flatten();
  Repaint();
}

void TInfoTreeView::Scroll(int position) {
  FScroll = position;
  Flatten();
  Repaint();
}

void TInfoTreeView::Paint(HDC dc) {
  RECT client{};
  GetClientRect(Handle(), &client);
  FillColour(dc, client, 0xFFFFFFFF);
  SetBkMode(dc, TRANSPARENT);
  TSelectObject font(dc, FFont);
  const int height = RowHeight();
  const int first = FScroll / std::max(1, height);
  for (size_t i = static_cast<size_t>(first); i < FVisible.size(); ++i) {
    const int top = static_cast<int>(i) * height - FScroll;
    if (top > client.bottom) break;
    TInfoRow& row = *FVisible[i].row;
    const int left = Scale()(4 + kIndent * FVisible[i].depth);
    if (!row.Children().empty()) {
      const int box = Scale()(kBox);
      RECT frame{left, top + (height - box) / 2, left + box, top + (height - box) / 2 + box};
      FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
      const int cy = (frame.top + frame.bottom) / 2;
      const int cx = (frame.left + frame.right) / 2;
      RECT minus{frame.left + 2, cy, frame.right - 2, cy + 1};
      FillColour(dc, minus, 0xFF383838);
      if (!row.Expanded) {
        RECT plus{cx, frame.top + 2, cx + 1, frame.bottom - 2};
        FillColour(dc, plus, 0xFF383838);
      }
    }
    const int itemLeft = left + Scale()(kBox + 6);
    SetTextColor(dc, RGB(0x38, 0x38, 0x38));
    const std::wstring caption = Widen(row.Caption);
    RECT text{itemLeft, top, client.right, top + height};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    std::optional<std::string> value = OnAfterRowDraw ? OnAfterRowDraw(row) : std::nullopt;
    if (!value) value = FTree.DrawValue(row);
    if (value && !value->empty()) {
      const std::wstring valueText = Widen(*value);
      RECT valueRect{itemLeft + Scale()(FTree.ValueStyle().ValueColumn), top, client.right, top + height};
      SetTextColor(dc, RGB(0x55, 0x55, 0x55));
      DrawTextW(dc, valueText.c_str(), static_cast<int>(valueText.size()), &valueRect,
                DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
  }
}

LRESULT TInfoTreeView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_PAINT: PaintBuffered(Handle(), [this](HDC dc) { Paint(dc); }); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: Flatten(); return 0;
    case WM_VSCROLL: Scroll(VerticalScrollTarget(Handle(), wParam, RowHeight())); return 0;
    case WM_MOUSEWHEEL:
      Scroll(FScroll - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3 * RowHeight());
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      SetFocus(Handle());
      const size_t index = static_cast<size_t>((point.y + FScroll) / std::max(1, RowHeight()));
      if (index < FVisible.size() && !FVisible[index].row->Children().empty()) {
        const int left = Scale()(4 + kIndent * FVisible[index].depth);
        if (message == WM_LBUTTONDBLCLK || (point.x >= left && point.x < left + Scale()(kBox + 4))) {
          FVisible[index].row->Expanded = !FVisible[index].row->Expanded;
          Flatten();
          Repaint();
        }
      }
      return 0;
    }
    case WM_RBUTTONUP:
      if (OnRightClick) {
        POINT screen = point;
        ClientToScreen(Handle(), &screen);
        OnRightClick(screen);
      }
      return 0;
    default: return TWindow::OnMessage(message, wParam, lParam);
  }
}

}  // namespace vsm

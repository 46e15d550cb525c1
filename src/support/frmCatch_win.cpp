#include "support/frmCatch_win.h"

#include "support/CaptureSelection.h"
#include "ui/BufferedPaint_win.h"
#include "ui/Gdi_win.h"
#include "ui/ModalLoop_win.h"
#include "ui/MousePoint_win.h"
#include "ui/PngEncoder_win.h"
#include "ui/Rect_win.h"
#include "ui/Theme_win.h"

namespace vsm {

namespace {

const TWindowClassTraits kCatchClass{L"TFrmCatch", 0, IDC_CROSS, 0};

}  // namespace

TFrmCatch::TFrmCatch() {
  CreateWindowFrom(kCatchClass, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WS_POPUP, RECT{0, 0, 1, 1}, nullptr);
  // One pixel of the tint, stretched over the selection when it is blended.
  MaskPng = TImage::Create(1, 1);
  if (MaskPng) MaskPng->Pixels().Fill(kSelectionTint);
}

bool TFrmCatch::ShowModal() {
  if (Handle() == nullptr) return false;
  FormShow();
  const bool ended = RunModalLoop([this] { return FClosed; });
  if (GetCapture() == Handle()) ReleaseCapture();
  ShowWindow(Handle(), SW_HIDE);
  FScreen.reset();
  return ended && FResult;
}

// The picture is taken before the window shows, so the window is not in it, and the first paint
// already shows it.
void TFrmCatch::FormShow() {
  FNewPng.clear();
  FSelecting = false;
  FClosed = false;
  FResult = false;
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  FScreen = TImage::Create(width, height);
  if (FScreen) {
    TWindowDC screen(nullptr);
    BitBlt(FScreen->DC(), 0, 0, width, height, screen.Get(), 0, 0, SRCCOPY | CAPTUREBLT);
  }
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, width, height, SWP_SHOWWINDOW);
  SetForegroundWindow(Handle());
  SetFocus(Handle());
  UpdateWindow(Handle());
}

LRESULT TFrmCatch::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: PaintBuffered(Handle(), [this](HDC dc) { Paint(dc); }); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN: MouseDown(MousePoint(lParam)); return 0;
    case WM_MOUSEMOVE: MouseMove(MousePoint(lParam)); return 0;
    case WM_LBUTTONUP: MouseUp(MousePoint(lParam)); return 0;
    case WM_RBUTTONUP: Close(false); return 0;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) Close(false);
      return 0;
    case WM_CAPTURECHANGED:
      // Another window took the mouse (a system dialog, say): the drag is over.
      if (FSelecting && reinterpret_cast<HWND>(lParam) != Handle()) {
        FSelecting = false;
        InvalidateRect(Handle(), nullptr, FALSE);
      }
      return 0;
    case WM_CLOSE: Close(false); return 0;
    default: return TWindow::OnMessage(message, wParam, lParam);
  }
}

void TFrmCatch::Paint(HDC dc) const {
  if (!FScreen) return;
  BitBlt(dc, 0, 0, FScreen->Width(), FScreen->Height(), FScreen->DC(), 0, 0, SRCCOPY);
  if (!FSelecting) return;
  const Rect selection = SelectionRect(FPressed, FCurrent);
  TPenHandle pen(CreatePen(PS_SOLID, 1, ToColorRef(kSelectionOutline)));
  {
    TSelectObject selectedPen(dc, pen.Get());
    TSelectObject noFill(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, selection.left, selection.top, selection.right, selection.bottom);
  }
  DrawImage(MaskPng, dc, ToRECT(SelectionTintRect(selection)));
}

void TFrmCatch::MouseDown(Point point) {
  FPressed = point;
  FCurrent = point;
  FSelecting = true;
  SetCapture(Handle());
}

void TFrmCatch::MouseMove(Point point) {
  if (!FSelecting) return;
  FCurrent = point;
  InvalidateRect(Handle(), nullptr, FALSE);
  UpdateWindow(Handle());
}

void TFrmCatch::MouseUp(Point point) {
  if (!FSelecting) return;
  FCurrent = point;
  FSelecting = false;
  if (GetCapture() == Handle()) ReleaseCapture();
  const Rect selection = SelectionRect(FPressed, FCurrent);
  if (IsEmptySelection(selection) || !FScreen) {
    InvalidateRect(Handle(), nullptr, FALSE);
    return;
  }
  FNewPng = EncodePng(FScreen->Pixels(), selection);
  Close(!FNewPng.empty());
}

void TFrmCatch::Close(bool ok) {
  FResult = ok;
  FClosed = true;
  PostMessageW(Handle(), WM_NULL, 0, 0);  // wakes the modal loop
}

}  // namespace vsm

#pragma once
// The screenshot capture window of the support centre: a picture of the whole screen, taken as
// the window opens and shown by it over the whole screen, on which the user drags a rectangle
// with the left button. Releasing the button over a rectangle with some area keeps that part as
// PNG bytes and closes the window with OK; Escape or the right button closes it with Cancel.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "base/ArgbBitmap.h"
#include "ui/Image_win.h"
#include "ui/Window_win.h"

namespace vsm {

class TFrmCatch final : public TWindow {
 public:
  // Creates the hidden window (FormCreate); the support centre keeps it for later screenshots.
  TFrmCatch();

  // Takes the screen's picture, covers the screen with it and returns when the window closes:
  // true when a rectangle was chosen (its PNG is in NewPng), false for Cancel.
  bool ShowModal();
  // The chosen part of the screen as PNG bytes; empty from each show until a rectangle is chosen.
  const std::vector<uint8_t>& NewPng() const { return FNewPng; }

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  void FormShow();
  void Paint(HDC dc) const;
  void MouseDown(Point point);
  void MouseMove(Point point);
  void MouseUp(Point point);
  void Close(bool ok);

  std::unique_ptr<TImage> FScreen;  // the whole screen as it was when the window opened
  std::unique_ptr<TImage> MaskPng;  // the tint laid over the selection
  std::vector<uint8_t> FNewPng;
  Point FPressed, FCurrent;
  bool FSelecting = false;  // the left button is held
  bool FClosed = true;
  bool FResult = false;
};

}  // namespace vsm

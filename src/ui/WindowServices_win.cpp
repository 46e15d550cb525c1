#include "ui/WindowServices_win.h"

namespace vsm {

TMessageBoxFunction TWindowServices::MessageBoxOver(HWND owner) const {
  return [box = messageBox, owner](const std::wstring& title, const std::wstring& text, TMessageKind kind) {
    const bool confirm = kind == TMessageKind::mkConfirmation;
    return box(owner, title, text, confirm ? TMessageIcon::Confirmation : TMessageIcon::Information,
               confirm ? TMessageButtons::YesNo : TMessageButtons::Ok) == IDYES;
  };
}

}  // namespace vsm

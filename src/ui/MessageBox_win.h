#pragma once
// The program's skinned message box: a title, a text, an information or confirmation icon and
// OK or Yes/No buttons, shown modal to its owner and placed over it.
#include <windows.h>

#include <functional>
#include <string>

namespace vsm {

enum class TMessageIcon { Information, Confirmation };
enum class TMessageButtons { Ok, YesNo };
// IDOK, IDYES or IDNO; IDCANCEL when closed otherwise.
using TMessageResult = int;

class TVeskMessageBox {
 public:
  // Button captions and the close button's hint, set by the main form's Localize.
  std::wstring closeHint = L"Close";
  std::wstring yes = L"Yes";
  std::wstring no = L"No";
  std::wstring ok = L"OK";

  // Shows the box centred over `owner` (or the work area) and waits for the answer.
  TMessageResult Show(HWND owner, const std::wstring& title, const std::wstring& text, TMessageIcon icon,
                      TMessageButtons buttons) const;
};

enum class TMessageKind { mkInformation, mkConfirmation };
// The program's message box over one owner: an information box with OK, or a confirmation with
// Yes and No. Returns true when a confirmation was answered Yes.
using TMessageBoxFunction =
    std::function<bool(const std::wstring& title, const std::wstring& text, TMessageKind kind)>;

}  // namespace vsm

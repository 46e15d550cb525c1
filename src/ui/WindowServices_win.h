#pragma once
// What the shell hands a window when it makes it: the message box, the language look-up, the
// settings and the engines. A window reaches the program through this record, never through the
// main form.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "services/AppConfig.h"
#include "ui/MessageBox_win.h"

namespace vsm {

class THardware;
class TSoftware;

struct TWindowServices {
  // The program's message box, shown modal to `owner`.
  std::function<TMessageResult(HWND owner, const std::wstring& title, const std::wstring& text,
                               TMessageIcon icon, TMessageButtons buttons)>
      messageBox;
  // The language file's text for a key, else the built-in text.
  std::function<std::wstring(std::string_view section, std::string_view key, std::wstring_view builtIn)>
      langText;
  // The settings record and how to write it.
  TAppConfig* settings = nullptr;
  std::function<void()> saveSettings;
  // The engines; an engine that could not be made stays null.
  THardware* hardware = nullptr;
  TSoftware* software = nullptr;
  // Opens the main window.
  std::function<void()> showMainWindow;

  // The box over `owner` for code that speaks through a TMessageBoxFunction.
  TMessageBoxFunction MessageBoxOver(HWND owner) const;
};

}  // namespace vsm

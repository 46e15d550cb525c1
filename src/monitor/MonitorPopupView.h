#pragma once
// What the popup shows for one item, filled without the window: the process rows with their
// texts, or the temperature panel and the unit choice, and the content's height. The window
// paints the record and adds the process icons.
#include <string>
#include <string_view>
#include <vector>

#include "monitor/MonitorPopupRules.h"

namespace vsm {

struct TPopupProcessRow {
  TProcessItemRef item;  // kept, so a row can still end its process after the list moved on
  std::string caption;   // the executable's name
  std::string value;
  std::string exePath;  // for the icon
};

struct TPopupView {
  TMoniItem item = miNone;
  std::vector<TPopupProcessRow> rows;
  std::vector<TPanelTemperatureRow> temperatures;
  bool fahrenheit = false;
  int contentHeight = 0;  // pixels, without the frame's extra
};

// The rows for a process item from the engine's list, which the caller holds locked.
TPopupView ProcessPopupView(std::vector<TProcessItemRef>& processes, TMoniItem item,
                            std::string_view decimalSeparator, TDpiScale scale);
// The temperature panel; "F" as the unit setting chooses Fahrenheit.
TPopupView TemperaturePopupView(TMoniItem item, const std::vector<TPanelTemperature>& readings,
                                std::string_view temperatureUnit, TDpiScale scale);

}  // namespace vsm

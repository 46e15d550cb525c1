#include "monitor/MonitorPopupView.h"

namespace vsm {

TPopupView ProcessPopupView(std::vector<TProcessItemRef>& processes, TMoniItem item,
                            std::string_view decimalSeparator, TDpiScale scale) {
  TPopupView view;
  view.item = item;
  for (const TProcessItemRef& process : SelectProcessRows(processes, item)) {
    view.rows.push_back(
        {process, process->ExeName, ProcessRowValue(*process, item, decimalSeparator), process->ExePath});
  }
  view.contentHeight = ProcessContentHeight(static_cast<int>(view.rows.size()), item, scale);
  return view;
}

TPopupView TemperaturePopupView(TMoniItem item, const std::vector<TPanelTemperature>& readings,
                                std::string_view temperatureUnit, TDpiScale scale) {
  TPopupView view;
  view.item = item;
  view.temperatures = LayoutTemperaturePanel(readings);
  view.fahrenheit = temperatureUnit == "F";
  view.contentHeight = TemperatureContentHeight(static_cast<int>(view.temperatures.size()), scale);
  return view;
}

}  // namespace vsm

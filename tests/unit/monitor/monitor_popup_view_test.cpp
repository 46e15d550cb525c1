#include <gtest/gtest.h>

#include <memory>

#include "monitor/MonitorPopupView.h"

namespace vsm {
namespace {

TProcessItemRef Process(const char* name, const char* path, int32_t recv) {
  auto item = std::make_shared<TProcessItem>();
  item->ExeName = name;
  item->ExePath = path;
  item->RecvDataPerS = recv;
  return item;
}

TEST(MonitorPopupView, ProcessRowsCarryTheirTextsPathAndItemAndTheHeightFollowsThem) {
  std::vector<TProcessItemRef> processes = {Process("idle.exe", "C:\\idle.exe", -1),
                                            Process("slow.exe", "C:\\slow.exe", 1024),
                                            Process("fast.exe", "C:\\fast.exe", 3072)};
  const TPopupView view = ProcessPopupView(processes, miRecv, ",", TDpiScale{144});
  ASSERT_EQ(view.rows.size(), 2u);  // the rates stop at the unknown one
  EXPECT_EQ(view.rows[0].caption, "fast.exe");
  EXPECT_EQ(view.rows[0].value, "3,00 KB/s");
  EXPECT_EQ(view.rows[0].exePath, "C:\\fast.exe");
  EXPECT_EQ(view.rows[1].item, processes[1]);
  EXPECT_EQ(view.item, miRecv);
  EXPECT_EQ(view.contentHeight, ProcessContentHeight(2, miRecv, TDpiScale{144}));
  EXPECT_TRUE(view.temperatures.empty());

  std::vector<TProcessItemRef> none;
  EXPECT_EQ(ProcessPopupView(none, miCpu, ".", TDpiScale{96}).contentHeight, 25 + 90);
}

TEST(MonitorPopupView, TemperaturesLayOutAndTheUnitSettingChoosesTheScale) {
  const std::vector<TPanelTemperature> readings = {{miTempCpu, 41.6}, {miTempDisk, 35}};
  const TPopupView celsius = TemperaturePopupView(miTempCpu, readings, "C", TDpiScale{96});
  ASSERT_EQ(celsius.temperatures.size(), 2u);
  EXPECT_EQ(celsius.temperatures[1].item, miTempDisk);
  EXPECT_EQ(celsius.temperatures[1].top, 29 + 50);
  EXPECT_FALSE(celsius.fahrenheit);
  EXPECT_EQ(celsius.contentHeight, 29 + 2 * 50 + 40);
  EXPECT_TRUE(celsius.rows.empty());
  EXPECT_TRUE(TemperaturePopupView(miTempCpu, readings, "F", TDpiScale{96}).fahrenheit);
  EXPECT_FALSE(TemperaturePopupView(miTempCpu, readings, "", TDpiScale{96}).fahrenheit);
}

}  // namespace
}  // namespace vsm

#include <gtest/gtest.h>

#include "SuperIoBench.h"
#include "hardware/board/BoardMaps.h"
#include "hardware/superio/MainBord.h"

namespace vsm {
namespace {

TEST(TMainBord, IdentifiesTheBoardFromTheFirstBaseBoardObject) {
  std::string askedNamespace, askedQuery;
  WmiQueryFunction wmi = [&](std::string_view ns, std::string_view wql) -> std::optional<WmiObjects> {
    askedNamespace = ns;
    askedQuery = wql;
    return WmiObjects{
        {{"Manufacturer", WmiValue::Text("ASUSTeK Computer INC.")},
         {"Product", WmiValue::Text("P8P67 PRO")},
         {"SerialNumber", WmiValue::Text("MT7012345678")},
         {"Version", WmiValue::Text("Rev 1.xx")}},
        {{"Manufacturer", WmiValue::Text("Second board")}, {"Product", WmiValue::Text("Other")}},
    };
  };
  sim::SimHardware machine;
  TGeneralBoard board(machine.Factory(), QueryBaseBoard(wmi));
  EXPECT_EQ(askedNamespace, "ROOT\\CIMV2");
  EXPECT_EQ(askedQuery, "SELECT * From Win32_BaseBoard");
  EXPECT_EQ(board.Manufacturer, "ASUSTeK Computer INC.");
  EXPECT_EQ(board.Product, "P8P67 PRO");
  EXPECT_EQ(board.SerialNumber, "MT7012345678");
  EXPECT_EQ(board.Version, "Rev 1.xx");
  EXPECT_EQ(board.FWmiObject.GetText("Product"), "P8P67 PRO");
  EXPECT_EQ(board.mf, ManufacturerFromName("ASUSTeK Computer INC."));
  EXPECT_EQ(board.model, ModelFromName("P8P67 PRO"));
  EXPECT_EQ(board.Chip, 0);
}

TEST(TMainBord, WithoutABaseBoardObjectTheIdentityStaysUnknown) {
  const WmiQueryFunction kAnswers[] = {
      nullptr,
      test::NoWmi,
      [](std::string_view, std::string_view) -> std::optional<WmiObjects> { return WmiObjects{}; },
  };
  for (const auto& wmi : kAnswers) {
    TGeneralBoard board(nullptr, QueryBaseBoard(wmi));
    EXPECT_TRUE(board.Manufacturer.empty() && board.Product.empty() && board.SerialNumber.empty() &&
                board.Version.empty());
    EXPECT_EQ(board.mf, TBoardManufacturer::MB_Unknown);
    EXPECT_EQ(board.model, TBoardModel::BM_Unknown);
  }
}

TEST(TMainBord, MissingPropertiesReadAsEmptyText) {
  WmiQueryFunction wmi = [](std::string_view, std::string_view) -> std::optional<WmiObjects> {
    return WmiObjects{{{"Manufacturer", WmiValue::Null()}, {"Product", WmiValue::Text("X58A-UD3R")}}};
  };
  TGeneralBoard board(nullptr, QueryBaseBoard(wmi));
  EXPECT_EQ(board.Manufacturer, "");
  EXPECT_EQ(board.Product, "X58A-UD3R");
  EXPECT_EQ(board.SerialNumber, "");
}

TEST(TMainBord, HasTempSensorLooksAtTheFirstTemperature) {
  TGeneralBoard board(nullptr, TBaseBoardIdentity{});
  EXPECT_FALSE(board.HasTempSensor());
  board.Temperatures = {{"", 0}, {"", 40}};
  EXPECT_FALSE(board.HasTempSensor());
  board.Temperatures = {{"", -5}};
  EXPECT_FALSE(board.HasTempSensor());
  board.Temperatures = {{"", 0.5}};
  EXPECT_TRUE(board.HasTempSensor());
}

TEST(TMainBord, GeneralBoardHasNoGpioAndSamplesNothing) {
  sim::SimHardware machine;
  TGeneralBoard board(machine.Factory(), TBaseBoardIdentity{});
  EXPECT_EQ(board.ReadGPIO(0), 0);
  board.WriteGPID(0, 0xFF);
  board.update();
  EXPECT_TRUE(machine.Requests().empty());
}

}  // namespace
}  // namespace vsm

#include <gtest/gtest.h>

#include "hardware/page/BoardSensorRows.h"
#include "hardware/page/HardwareSections.h"
#include "pages/InfoReport.h"

namespace vsm {
namespace {

TSenorArray Voltages() { return {{"Vcore", 1.2}, {"+3.3V", 0}, {"+12V", 12.096}}; }
TSenorArray Temperatures() { return {{"CPU", 41}, {"System, rear", 35}}; }

TSenorArray Read(int index) {
  switch (index) {
    case 0: return Voltages();
    case 1: return Temperatures();
    default: return {{"CPU fan", 0}};  // a fan standing still
  }
}

std::string Translate(const std::string&, const std::string& builtIn) { return builtIn; }

TEST(BoardSensorRows, GroupsInOrderWithoutSilentChannelsAndKindTags) {
  TInfoTree tree;
  AddBoardSensorGroups(tree, Read, Translate);
  // The fan array has a channel, so its group stands, but the fan reads 0 and gets no line.
  ASSERT_EQ(tree.Rows().size(), 3u);
  EXPECT_EQ(tree.Rows()[0]->Caption, "Temperatures");
  EXPECT_EQ(tree.Rows()[1]->Caption, "Fans");
  EXPECT_TRUE(tree.Rows()[1]->Children().empty());
  EXPECT_EQ(tree.Rows()[2]->Caption, "Voltages");
  EXPECT_TRUE(tree.Rows()[0]->Expanded);
  const auto& volts = tree.Rows()[2]->Children();
  ASSERT_EQ(volts.size(), 2u);
  EXPECT_EQ(volts[0]->Caption, "Vcore");
  EXPECT_EQ(volts[0]->Tag, 0x1000);
  EXPECT_EQ(volts[1]->Tag, 0x1002);
  EXPECT_EQ(tree.Rows()[0]->Children()[1]->Tag, 0x2001);
  EXPECT_EQ(tree.UpdateCount(), 0);
}

TEST(BoardSensorRows, ValueTextsByKind) {
  auto temperature = [](double c) { return std::to_string(static_cast<int>(c)) + " C"; };
  EXPECT_EQ(BoardSensorValueText(0x1002, Read, temperature, "."), "12.1 V");
  EXPECT_EQ(BoardSensorValueText(0x1002, Read, temperature, ","), "12,1 V");  // the locale's separator
  EXPECT_EQ(BoardSensorValueText(0x2000, Read, temperature, "."), "41 C");
  EXPECT_EQ(BoardSensorValueText(0x3000, Read, temperature, ","), "0,0 RPM");
  EXPECT_EQ(BoardSensorValueText(0x2009, Read, temperature, "."), std::nullopt);  // channel gone
  EXPECT_EQ(BoardSensorValueText(5, Read, temperature, "."), std::nullopt);       // no kind mark
  EXPECT_EQ(BoardSensorValueText(kMarkDiskTemperature, Read, temperature, "."),
            std::nullopt);  // a disk's row
}

TEST(BoardSensorRows, SavedReportQuotesAndIndentsAndLeavesPaintedValuesEmpty) {
  TInfoTree tree;
  AddBoardSensorGroups(tree, Read, Translate);
  const std::string text = InfoReportText("ASUSTeK COMPUTER INC. P8H61", tree);
  // The indent stays inside a quoted field.
  EXPECT_NE(
      text.find("Temperatures,\r\n    CPU,\r\n\"    System, rear\",\r\nFans,\r\nVoltages,\r\n    Vcore,\r\n"),
      std::string::npos)
      << text;
  TInfoTree empty;
  AddBoardSensorGroups(
      empty, [](int) { return TSenorArray{}; }, Translate);
  EXPECT_TRUE(empty.Rows().empty());  // a board without a chip has no sensor group
}

TEST(HardwareSections, MenuOrderAndMissingAggregatorLeavesTheTree) {
  const auto& buttons = SectionButtons();
  const int expected[] = {0, 1, 2, 3, 4, 5, 7, 6};
  for (size_t i = 0; i < buttons.size(); ++i) EXPECT_EQ(static_cast<int>(buttons[i].section), expected[i]);
  TInfoTree tree;
  tree.Add("kept");
  EXPECT_FALSE(FillHardwareSection(tree, THardwareSection::Board, nullptr, 0, {}, Read));
  ASSERT_EQ(tree.Rows().size(), 1u);
  EXPECT_EQ(tree.Rows()[0]->Caption, "kept");
}

}  // namespace
}  // namespace vsm

// The pages read the real aggregator: its components, and its snapshot on every draw of a live row.
#include <gtest/gtest.h>

#include "SMBiosPages.h"
#include "base/Temperature.h"
#include "hardware/superio/MainBord.h"
#include "pages/HardwareParts.h"

namespace vsm {
namespace {

// A processor whose update takes the readings the test sets.
class ScriptedCpu final : public TCpuInfo {
 public:
  ScriptedCpu(ConstructionKey, TCpuSeams seams) : TCpuInfo(TCpuType::IntelCPU, std::move(seams)) {}
  void Update() override { CpuTemp = readings; }
  std::vector<double> readings;
};

TEST(HardwareParts, ProcessorRowsShowTheAggregatorsSnapshotOfTheirOwnCore) {
  ScriptedCpu* cpu = nullptr;
  THardwareFactory factory;
  factory.cpu = [&cpu]() -> std::unique_ptr<TCpuInfo> {
    auto made = CreateCpuInfo<ScriptedCpu>(TCpuSeams{});
    made->NumberOfCores = 3;
    made->CpuTemp.assign(3, 0);
    cpu = made.get();
    return made;
  };
  factory.board = [] {
    return std::make_unique<TGeneralBoard>(DriverChannelFactory{}, TBaseBoardIdentity{});
  };
  THardware hardware(factory);
  ASSERT_NE(cpu, nullptr);
  cpu->readings = {40, 0, 50};
  hardware.update(0);

  const THardwareParts parts = HardwareParts(hardware);
  EXPECT_EQ(parts.cpu, hardware.cpu.get());
  EXPECT_EQ(parts.smbios, nullptr);
  TInfoTree tree;
  FillProcessorPage(tree, &parts, {});
  TInfoRow& average = *tree.Rows().back();
  ASSERT_EQ(average.Children().size(), 3u);
  std::vector<std::string> drawn;
  for (const auto& core : average.Children()) drawn.push_back(*tree.DrawValue(*core));
  EXPECT_EQ(drawn, (std::vector<std::string>{"40\u00B0C", "-", "50\u00B0C"}));
  double snapshotAverage = 0;
  hardware.GetAsynData(32, 0, snapshotAverage);
  ASSERT_NE(snapshotAverage, 0);
  EXPECT_EQ(tree.DrawValue(average), FormatTemperature(snapshotAverage, TTempScale::Celsius));

  cpu->readings = {41, 42, 43};
  hardware.update(0);
  EXPECT_EQ(tree.DrawValue(*average.Children()[1]), "42\u00B0C");
  // A class the snapshot has no value of reads as none.
  EXPECT_EQ(parts.Reading(64, 7), 0);
}

}  // namespace
}  // namespace vsm

#include "page_reports.h"

#include "hardware/cpu/CpuInfo.h"
#include "hardware/superio/MainBord.h"
#include "pages/InfoPages.h"
#include "pages/SectionCaption.h"

namespace {

// Win32_BaseBoard as WMI fills it from the first baseboard structure.
vsm::WmiQueryFunction BaseBoardWmi(const vsm::TSMBios& smbios) {
  return [&smbios](std::string_view, std::string_view wql) -> std::optional<vsm::WmiObjects> {
    if (wql.find("Win32_BaseBoard") == std::string_view::npos || !smbios.HasBaseBoardInfo())
      return vsm::WmiObjects{};
    const vsm::TBaseBoardInformation& board = *smbios.BaseBoardInfo().front();
    return vsm::WmiObjects{{
        {"Manufacturer", vsm::WmiValue::Text(board.ManufacturerStr())},
        {"Product", vsm::WmiValue::Text(board.ProductStr())},
        {"Version", vsm::WmiValue::Text(board.VersionStr())},
        {"SerialNumber", vsm::WmiValue::Text(board.SerialNumberStr())},
    }};
  };
}

// The installed modules' total: what the memory status would report, less what the firmware keeps.
int64_t InstalledMemory(const vsm::TSMBios& smbios) {
  int64_t total = 0;
  for (const auto& device : smbios.MemoryDeviceInfo())
    total += static_cast<int64_t>(device->GetSize()) * 1024 * 1024;
  return total;
}

// What a paint of the whole page does: every row whose parents are expanded is drawn.
void DrawVisibleRows(const vsm::TInfoTree& tree, const vsm::TInfoRows& rows) {
  for (const auto& row : rows) {
    tree.DrawValue(*row);
    if (row->Expanded) DrawVisibleRows(tree, row->Children());
  }
}

PageReport Report(const char* fileName, std::string caption) {
  return PageReport{fileName, std::move(caption), {}};
}

}  // namespace

std::vector<PageReport> MakePageReports(const vsm::TSMBios& smbios, const vsm::TPageTexts& texts) {
  const std::unique_ptr<vsm::TCpuInfo> cpu = vsm::CreateCpuInfo<vsm::TUnkonwCPUInof>(vsm::TCpuSeams{});
  vsm::TGeneralBoard board(vsm::DriverChannelFactory{}, vsm::QueryBaseBoard(BaseBoardWmi(smbios)));
  vsm::THardwareParts parts;
  parts.cpu = cpu.get();
  parts.board = &board;
  parts.smbios = &smbios;

  using vsm::THardwareSection;
  std::vector<PageReport> reports;
  reports.push_back(Report("overview.csv", SectionCaption(THardwareSection::Overview, parts, texts)));
  vsm::FillOverviewPage(reports.back().tree, &parts, InstalledMemory(smbios), texts);
  reports.push_back(Report("processor.csv", SectionCaption(THardwareSection::Processor, parts, texts)));
  vsm::FillProcessorPage(reports.back().tree, &parts, texts);
  reports.push_back(Report("board.csv", SectionCaption(THardwareSection::Board, parts, texts)));
  vsm::FillBoardPage(reports.back().tree, board, &smbios, texts);
  reports.push_back(Report("memory.csv", SectionCaption(THardwareSection::Memory, parts, texts)));
  vsm::FillMemoryPage(reports.back().tree, &parts, texts);
  for (const PageReport& report : reports) DrawVisibleRows(report.tree, report.tree.Rows());
  return reports;
}

#include "SMBiosPages.h"

#include "hardware/superio/MainBord.h"

namespace vsm::test {

std::unique_ptr<TCpuInfo> ProcessorFromWmi(const WmiObject& processor) {
  TCpuSeams seams;
  seams.wmi = [processor](std::string_view, std::string_view) -> std::optional<WmiObjects> {
    return WmiObjects{processor};
  };
  return CreateCpuInfo<TUnkonwCPUInof>(std::move(seams));
}

SMBiosPages FillSMBiosPages(const TSMBios* smbios, TCpuInfo* cpu, const TPageTexts& texts) {
  std::unique_ptr<TCpuInfo> unknown;
  if (!cpu) {
    unknown = CreateCpuInfo<TUnkonwCPUInof>(TCpuSeams{});
    cpu = unknown.get();
  }
  TGeneralBoard board(DriverChannelFactory{}, TBaseBoardIdentity{});
  THardwareParts parts;
  parts.cpu = cpu;
  parts.board = &board;
  parts.smbios = smbios;
  SMBiosPages pages;
  FillProcessorPage(pages.processor, &parts, texts);
  FillBoardPage(pages.board, board, smbios, texts);
  FillMemoryPage(pages.memory, &parts, texts);
  return pages;
}

}  // namespace vsm::test

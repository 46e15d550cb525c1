#pragma once
// The information pages that read an SMBIOS table, filled for a test: the processor page with the
// given processor (an unknown one without WMI when none is given), the board page with a general
// board, and the memory page.
#include <memory>

#include "hardware/cpu/CpuInfo.h"
#include "pages/InfoPages.h"
#include "sysinfo/smbios/uSMBIOS.h"

namespace vsm::test {

struct SMBiosPages {
  TInfoTree processor;
  TInfoTree board;
  TInfoTree memory;
};

// A processor object made through the real construction, with WMI answering Win32_Processor with
// `processor` (no CPUID).
std::unique_ptr<TCpuInfo> ProcessorFromWmi(const WmiObject& processor);

SMBiosPages FillSMBiosPages(const TSMBios* smbios, TCpuInfo* cpu = nullptr, const TPageTexts& texts = {});

}  // namespace vsm::test

#pragma once
// The information pages. Each fill clears the tree and adds its page's rows from the components it
// is given, inside one update of the tree; a missing source leaves the rows that need it out (or
// the page empty, as each fill says).
#include <cstdint>
#include <functional>
#include <string>

#include "pages/PageTexts.h"
#include "ui/InfoTree.h"

namespace vsm {

class TCpuInfo;
class TMainBord;
class TDiskList;
class TGraphicsList;
class TNetList;
class TSoundList;
class TSMBios;
class TOperatingSystem;

// The hardware aggregator's components as the pages read them; any of them may be missing.
struct THardwareParts {
  const TCpuInfo* cpu = nullptr;
  const TMainBord* board = nullptr;
  TDiskList* hdds = nullptr;
  TGraphicsList* Graphics = nullptr;
  const TNetList* netAdapters = nullptr;
  const TSoundList* sounds = nullptr;
  const TSMBios* smbios = nullptr;
  // The aggregator's latest single reading by hardware class and index (GetAsynData); 0 when it
  // has none. Live rows call it on every draw.
  std::function<double(int hardwareClass, int index)> reading;

  double Reading(int hardwareClass, int index) const { return reading ? reading(hardwareClass, index) : 0; }
};

// Overview (value column 180, rows 30 high); empty without the aggregator. `totalPhysicalMemory`
// is the memory status's total in bytes.
void FillOverviewPage(TInfoTree& tree, const THardwareParts* hardware, int64_t totalPhysicalMemory,
                      const TPageTexts& texts);
// Operating system (rows 30 high); empty without the object.
void FillOperatingSystemPage(TInfoTree& tree, const TOperatingSystem* os, const TPageTexts& texts);
// Processor; empty without the aggregator or its processor. Rows from the SMBIOS table appear only
// when the table has a processor structure.
void FillProcessorPage(TInfoTree& tree, const THardwareParts* hardware, const TPageTexts& texts);
// The board's information rows; the SMBIOS rows only when a table with a baseboard structure is
// given.
void FillBoardPage(TInfoTree& tree, const TMainBord& board, const TSMBios* smbios, const TPageTexts& texts);
// Installed memory modules; empty without the aggregator, its table or memory devices.
void FillMemoryPage(TInfoTree& tree, const THardwareParts* hardware, const TPageTexts& texts);
void FillGraphicsPage(TInfoTree& tree, const THardwareParts* hardware, const TPageTexts& texts);
void FillDiskPage(TInfoTree& tree, const THardwareParts* hardware, const TPageTexts& texts);
void FillNetworkPage(TInfoTree& tree, const THardwareParts* hardware, const TPageTexts& texts);
void FillSoundPage(TInfoTree& tree, const THardwareParts* hardware, const TPageTexts& texts);

}  // namespace vsm

#pragma once
// The overview, processor, board and memory sections of the hardware page for a machine known
// only by its SMBIOS table, as the hardware page saves them. An unknown processor and a general
// board stand in for the live components; the board carries the maker, product, version and
// serial of the table's baseboard structure, as Windows' WMI reports them from the same table.
#include <string>
#include <vector>

#include "pages/PageTexts.h"
#include "sysinfo/smbios/uSMBIOS.h"
#include "ui/InfoTree.h"

struct PageReport {
  std::string fileName;  // "overview.csv", ...
  std::string caption;
  vsm::TInfoTree tree;
};

// The trees are drawn once, as a shown page is before it is saved: their live rows hold the text
// a machine without readings shows.
std::vector<PageReport> MakePageReports(const vsm::TSMBios& smbios, const vsm::TPageTexts& texts);

#include "hardware/disk/AtaMinorVersion.h"

#include <algorithm>
#include <iterator>

namespace vsm {

namespace {

struct MinorVersion {
  uint16_t code;
  const char* text;
};

// Sorted by code. Codes the standard leaves reserved are absent; the codes it now calls obsolete
// keep the names of the revisions they stood for.
constexpr MinorVersion kMinorVersions[] = {
    {0x0000, "Minor version is not reported"},
    {0x0001, "ATA-1 X3T9.2 781D prior to revision 4"},
    {0x0002, "ATA-1 published, ANSI X3.221-1994"},
    {0x0003, "ATA-1 X3T9.2 781D revision 4"},
    {0x0004, "ATA-2 published, ANSI X3.279-1996"},
    {0x0005, "ATA-2 X3T10 948D prior to revision 2k"},
    {0x0006, "ATA-3 X3T10 2008D revision 1"},
    {0x0007, "ATA-2 X3T10 948D revision 2k"},
    {0x0008, "ATA-3 X3T10 2008D revision 0"},
    {0x0009, "ATA-2 X3T10 948D revision 3"},
    {0x000A, "ATA-3 published, ANSI X3.298-1997"},
    {0x000B, "ATA-3 X3T10 2008D revision 6"},
    {0x000C, "ATA-3 X3T13 2008D revision 7 and 7a"},
    {0x000D, "ATA/ATAPI-4 X3T13 1153D revision 6"},
    {0x000E, "ATA/ATAPI-4 T13 1153D revision 13"},
    {0x000F, "ATA/ATAPI-4 X3T13 1153D revision 7"},
    {0x0010, "ATA/ATAPI-4 T13 1153D revision 18"},
    {0x0011, "ATA/ATAPI-4 T13 1153D revision 15"},
    {0x0012, "ATA/ATAPI-4 published, ANSI INCITS 317-1998"},
    {0x0013, "ATA/ATAPI-5 T13 1321D version 3"},
    {0x0014, "ATA/ATAPI-4 T13 1153D revision 14"},
    {0x0015, "ATA/ATAPI-5 T13 1321D version 1"},
    {0x0016, "ATA/ATAPI-5 published, ANSI INCITS 340-2000"},
    {0x0017, "ATA/ATAPI-4 T13 1153D revision 17"},
    {0x0018, "ATA/ATAPI-6 T13 1410D version 0"},
    {0x0019, "ATA/ATAPI-6 T13 1410D version 3a"},
    {0x001A, "ATA/ATAPI-7 T13 1532D version 1"},
    {0x001B, "ATA/ATAPI-6 T13 1410D version 2"},
    {0x001C, "ATA/ATAPI-6 T13 1410D version 1"},
    {0x001D, "ATA/ATAPI-7 published ANSI INCITS 397-2005"},
    {0x001E, "ATA/ATAPI-7 T13 1532D version 0"},
    {0x001F, "ACS-3 Revision 3b"},
    {0x0021, "ATA/ATAPI-7 T13 1532D version 4a"},
    {0x0022, "ATA/ATAPI-6 published, ANSI INCITS 361-2002"},
    {0x0027, "ATA8-ACS version 3c"},
    {0x0028, "ATA8-ACS version 6"},
    {0x0029, "ATA8-ACS version 4"},
    {0x0031, "ACS-2 Revision 2"},
    {0x0033, "ATA8-ACS version 3e"},
    {0x0039, "ATA8-ACS version 4c"},
    {0x0042, "ATA8-ACS version 3f"},
    {0x0052, "ATA8-ACS version 3b"},
    {0x005E, "ACS-4 Revision 5"},
    {0x006D, "ACS-3 Revision 5"},
    {0x0082, "ACS-2 published, ANSI INCITS 482-2012"},
    {0x0107, "ATA8-ACS version 2d"},
    {0x010A, "ACS-3 published, ANSI INCITS 522-2014"},
    {0x0110, "ACS-2 Revision 3"},
    {0x011B, "ACS-3 Revision 4"},
    {0xFFFF, "Minor version is not reported"},
};

}  // namespace

std::string AtaMinorVersionText(uint16_t code) {
  auto it = std::lower_bound(std::begin(kMinorVersions), std::end(kMinorVersions), code,
                             [](const MinorVersion& entry, uint16_t c) { return entry.code < c; });
  if (it == std::end(kMinorVersions) || it->code != code) return "Unknown";
  return it->text;
}

}  // namespace vsm

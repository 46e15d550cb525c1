#pragma once
// The minor version number of IDENTIFY DEVICE word 81: the revision of the ATA/ATAPI command set
// standard the device was built to, as the standard's table names it.
#include <cstdint>
#include <string>

namespace vsm {

// "Unknown" for codes the table does not list.
std::string AtaMinorVersionText(uint16_t code);

}  // namespace vsm

#pragma once
// The real SMBIOS dumps of tests/fixtures/smbios and dmidecode's output beside each of them.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dmidecode_output.h"
#include "sysinfo/smbios/uSMBIOS.h"

namespace vsm::test {

// The dumps' file names, in order.
std::vector<std::string> SMBiosDumpNames();
// The table of a dump; null when it holds none.
std::unique_ptr<TSMBios> LoadSMBiosDump(const std::string& name);
// What dmidecode printed for the dump.
DmiOutput DmidecodeOutputOf(const std::string& name);
// A test name made of the dump's file name.
std::string DumpTestName(const testing::TestParamInfo<std::string>& info);

}  // namespace vsm::test

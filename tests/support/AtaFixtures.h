#pragma once
// The real ATA blocks in tests/fixtures/ata and what hdparm printed for them.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vsm::test::ata {

// The drives with a saved IDENTIFY block (file names without ".identify.bin").
std::vector<std::string> FixtureDrives();
// A file of tests/fixtures/ata; empty when missing.
std::vector<uint8_t> FixtureBytes(const std::string& fileName);
std::vector<uint8_t> Identify(const std::string& drive);
std::vector<uint8_t> Smart(const std::string& drive);  // empty for drives without one
// "Key: value" lines of the hdparm output, values with their padding removed. A key that occurs
// more than once keeps its first value.
std::map<std::string, std::string> Hdparm(const std::string& drive);
// The raw hdparm text.
std::string HdparmText(const std::string& drive);

}  // namespace vsm::test::ata

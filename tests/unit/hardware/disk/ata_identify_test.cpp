#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "AtaFixtures.h"
#include "hardware/disk/AtaIdentify.h"
#include "hardware/disk/AtaMinorVersion.h"

namespace vsm {
namespace {

using test::ata::FixtureDrives;
using test::ata::Hdparm;
using test::ata::HdparmText;
using test::ata::Identify;

std::string WithoutBlanks(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
  return text;
}

// The last "GenN signaling speed (X)" feature hdparm lists, as "X".
std::string HighestSignalingSpeed(const std::string& hdparm) {
  std::istringstream in(hdparm);
  std::string line, speed;
  while (std::getline(in, line)) {
    size_t at = line.find("signaling speed (");
    if (at != std::string::npos) speed = line.substr(at + 17, line.find(')', at) - at - 17);
  }
  return speed;
}

TEST(AtaIdentify, FixturesDecodeAsHdparmReadsThem) {
  for (const std::string& drive : FixtureDrives()) {
    SCOPED_TRACE(drive);
    std::vector<uint8_t> block = Identify(drive);
    ASSERT_EQ(block.size(), kIdentifyBlockSize);
    auto id = DecodeIdentify(block);
    ASSERT_TRUE(id.has_value());
    auto hdparm = Hdparm(drive);

    EXPECT_EQ(id->Model, hdparm["Model Number"]);
    EXPECT_EQ(id->SerialNumber, hdparm["Serial Number"]);
    EXPECT_EQ(id->FirmwareRevision, hdparm["Firmware Revision"]);

    std::string megabytes = hdparm["device size with M = 1000*1000"];
    ASSERT_FALSE(megabytes.empty());
    EXPECT_EQ(std::to_string(id->Size / 1000000), megabytes.substr(0, megabytes.find(' ')));

    std::string rotation = hdparm["Nominal Media Rotation Rate"];
    int expectedRpm = rotation.empty() ? 0 : rotation == "Solid State Device" ? 1 : std::stoi(rotation);
    EXPECT_EQ(id->Rpm, expectedRpm);

    std::string transport = hdparm["Transport"];
    if (transport.rfind("Serial", 0) == 0) {
      // hdparm lists every revision the drive claims; the text names the highest one.
      std::string revisions = transport.substr(0, transport.find(';'));
      std::string highest = revisions.substr(revisions.rfind(", ") + 2);
      if (highest.rfind("SATA Rev ", 0) == 0) highest = "SATA " + highest.substr(9);
      if (highest == "SATA II Extensions") highest = "SATA II Ext";
      EXPECT_EQ(id->MajorVersion.substr(0, id->MajorVersion.find(',')), highest);
      std::string supported = id->MajorVersion.substr(id->MajorVersion.find(", ") + 2);
      EXPECT_EQ(WithoutBlanks(supported.substr(0, supported.find(" ("))),
                HighestSignalingSpeed(HdparmText(drive)));
    } else {
      EXPECT_EQ(id->MajorVersion, "");
    }

    // hdparm names the same revision where its own table knows the code.
    std::string used = hdparm["Used"];
    if (!used.empty() && used.rfind("unknown", 0) != 0) {
      std::string lastWord = used.substr(used.rfind(' ') + 1);
      std::string ours = id->MinorVersion;
      EXPECT_EQ(ours.substr(ours.rfind(' ') + 1), lastWord) << ours << " / " << used;
      std::string family = WithoutBlanks(used.substr(0, used.find(' ')));
      family.erase(std::remove(family.begin(), family.end(), '-'), family.end());
      std::string ourFamily = ours.substr(0, ours.find(' '));
      ourFamily.erase(std::remove(ourFamily.begin(), ourFamily.end(), '-'), ourFamily.end());
      EXPECT_EQ(ourFamily, family);
    }
  }
}

TEST(AtaIdentify, SelectedDrivesInFull) {
  auto samsung = DecodeIdentify(Identify("fwupd__Samsung_SSD_860_EVO_500GB"));
  ASSERT_TRUE(samsung);
  EXPECT_EQ(samsung->Size, 976773168ull * 512);
  EXPECT_EQ(samsung->Rpm, 1);
  EXPECT_EQ(samsung->MinorVersion, "ACS-4 Revision 5");
  EXPECT_EQ(samsung->MajorVersion, "SATA 3.0, 6.0 Gb/s (current: 6.0 Gb/s)");

  auto hitachi = DecodeIdentify(Identify("libblockdev__Hitachi_HDS721010CLA632"));
  ASSERT_TRUE(hitachi);
  EXPECT_EQ(hitachi->Rpm, 7200);  // word 217 = 0x1C20
  EXPECT_EQ(hitachi->MinorVersion, "ATA8-ACS version 4");
  EXPECT_EQ(hitachi->MajorVersion, "SATA 3.0, 6.0 Gb/s (current: 6.0 Gb/s)");

  auto kingston = DecodeIdentify(Identify("libblockdev__KINGSTON_SA400S37240G_SBFK71B1"));
  ASSERT_TRUE(kingston);
  EXPECT_EQ(kingston->MajorVersion, "SATA 3.0, 6.0 Gb/s (current: 3.0 Gb/s)");
  EXPECT_EQ(kingston->MinorVersion, "ACS-3 Revision 4");

  // A SATA II drive that does not report the negotiated speed.
  auto hd501 = DecodeIdentify(Identify("libatasmart__SAMSUNG_HD501LJ--CR100-12"));
  ASSERT_TRUE(hd501);
  EXPECT_EQ(hd501->MajorVersion, "SATA 2.5, 3.0 Gb/s");
  EXPECT_EQ(hd501->MinorVersion, "ATA8-ACS version 3b");
  EXPECT_EQ(hd501->Model, "SAMSUNG HD501LJ");

  // A parallel drive without 48-bit addressing.
  auto maxtor = DecodeIdentify(Identify("libatasmart__Maxtor_96147H8--BAC51KJ0--2"));
  ASSERT_TRUE(maxtor);
  EXPECT_EQ(maxtor->Size, 120060864ull * 512);
  EXPECT_EQ(maxtor->MajorVersion, "");
  EXPECT_EQ(maxtor->MinorVersion, "ATA/ATAPI-6 T13 1410D version 0");

  auto seagate = DecodeIdentify(Identify("libatasmart__ST9100821AS--3.CME"));
  ASSERT_TRUE(seagate);
  EXPECT_EQ(seagate->MinorVersion, "Minor version is not reported");
}

// Builds an IDENTIFY block from a real one with some words replaced.
std::vector<uint8_t> WithWords(std::vector<uint8_t> block,
                               const std::vector<std::pair<int, uint16_t>>& words) {
  for (auto [index, value] : words) {
    block[index * 2] = static_cast<uint8_t>(value);
    block[index * 2 + 1] = static_cast<uint8_t>(value >> 8);
  }
  return block;
}

TEST(AtaIdentify, CapacityRules) {
  const std::vector<uint8_t> base = Identify("libatasmart__SAMSUNG_HD501LJ--CR100-12");
  struct Case {
    const char* what;
    std::vector<std::pair<int, uint16_t>> words;
    uint64_t size;
  };
  const std::vector<Case> cases = {
      {"no LBA", {{49, 0x0D00}}, 0},
      {"28-bit only when 48-bit is not supported", {{83, 0x7801}}, 268435455ull * 512},
      {"both zero", {{60, 0}, {61, 0}, {100, 0}, {101, 0}, {102, 0}, {103, 0}}, 0},
      {"48-bit count above the 28-bit one", {}, 976773168ull * 512},
      {"48-bit count below the 28-bit one",
       {{100, 0x1000}, {101, 0}, {102, 0}, {103, 0}},
       268435455ull * 512},
      {"48-bit count with a high half", {{100, 0}, {101, 0}, {102, 1}, {103, 0}}, (1ull << 32) * 512},
      {"4096-byte logical sectors",
       {{106, 0x5000}, {117, 0x0800}, {118, 0}, {100, 0x1000}, {101, 0}, {102, 0}, {103, 0}},
       0x1000ull * 4096},
      {"sector size word not valid (bit 15 set)", {{106, 0xD000}, {117, 0x0800}}, 976773168ull * 512},
      {"sector size not reported (bit 12 clear)", {{106, 0x4000}, {117, 0x0800}}, 976773168ull * 512},
  };
  for (const Case& c : cases) EXPECT_EQ(IdentifyCapacity(WithWords(base, c.words)), c.size) << c.what;
}

TEST(AtaIdentify, RotationRateCodes) {
  struct Case {
    uint16_t word;
    int16_t rpm;
  };
  for (Case c : {Case{0, 0}, Case{0xFFFF, 0}, Case{1, 1}, Case{2, -2}, Case{0x400, -0x400},
                 Case{0x401, 0x401}, Case{0x1C20, 7200}, Case{15000, 15000}, Case{0x8000, 0}})
    EXPECT_EQ(NominalRotationRate(c.word), c.rpm) << c.word;
}

TEST(AtaIdentify, SataVersionTexts) {
  struct Case {
    uint16_t w222, w76, w77;
    const char* text;
  };
  const Case cases[] = {
      {0x107F, 0x850E, 0x00C6, "SATA 3.0, 6.0 Gb/s (current: 6.0 Gb/s)"},
      {0x1001, 0x0002, 0x0002, "ATA8-AST, 1.5 Gb/s (current: 1.5 Gb/s)"},
      {0x1002, 0x0006, 0x0004, "SATA 1.0a, 3.0 Gb/s (current: 3.0 Gb/s)"},
      {0x1004, 0x0006, 0x0000, "SATA II Ext, 3.0 Gb/s"},
      {0x1010, 0x0006, 0x0001, "SATA 2.6, 3.0 Gb/s"},
      {0x1040, 0x0010, 0x000E, ">SATA 3.1, >6.0 Gb/s"},  // only bits beyond the table
      {0x101F, 0x0001, 0x0001, "SATA 2.6"},              // speed words not valid (bit 0 set)
      {0x0000, 0x0506, 0x0004, ""},                      // not a serial transport
      {0x2010, 0x0506, 0x0004, ""},
      {0xFFFF, 0xFFFF, 0xFFFF, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(SataVersionText(c.w222, c.w76, c.w77), c.text) << std::hex << c.w222;
}

TEST(AtaIdentify, MinorVersionTable) {
  EXPECT_EQ(AtaMinorVersionText(0x0052), "ATA8-ACS version 3b");
  EXPECT_EQ(AtaMinorVersionText(0x001A), "ATA/ATAPI-7 T13 1532D version 1");
  EXPECT_EQ(AtaMinorVersionText(0x0082), "ACS-2 published, ANSI INCITS 482-2012");
  EXPECT_EQ(AtaMinorVersionText(0x010A), "ACS-3 published, ANSI INCITS 522-2014");
  EXPECT_EQ(AtaMinorVersionText(0x0012), "ATA/ATAPI-4 published, ANSI INCITS 317-1998");
  EXPECT_EQ(AtaMinorVersionText(0x0001), "ATA-1 X3T9.2 781D prior to revision 4");
  EXPECT_EQ(AtaMinorVersionText(0xFFFF), "Minor version is not reported");
  for (uint16_t reserved : {0x0020, 0x0023, 0x0030, 0x0053, 0x011C, 0xFFFE})
    EXPECT_EQ(AtaMinorVersionText(reserved), "Unknown");
}

TEST(AtaIdentify, ShortOrPaddedBlocks) {
  std::vector<uint8_t> block = Identify("libblockdev__Hitachi_HDS721010CLA632");
  EXPECT_FALSE(DecodeIdentify(ByteView(block.data(), 511)));
  EXPECT_FALSE(DecodeIdentify(ByteView()));

  // NUL padding and blanks vanish from the strings.
  std::vector<uint8_t> padded = WithWords(block, {{45, 0x0000}, {46, 0x2000}, {10, 0x2020}, {19, 0x0020}});
  auto id = DecodeIdentify(padded);
  ASSERT_TRUE(id);
  EXPECT_EQ(id->Model.find('\0'), std::string::npos);
  EXPECT_EQ(id->Model.back(), Hdparm("libblockdev__Hitachi_HDS721010CLA632")["Model Number"].back());
  EXPECT_NE(id->SerialNumber.front(), ' ');
}

}  // namespace
}  // namespace vsm

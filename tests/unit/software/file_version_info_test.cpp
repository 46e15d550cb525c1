#include <gtest/gtest.h>

#include "software/FileVersionInfo.h"

namespace vsm {
namespace {

TEST(FileFunctionText, TypesAndSubtypesAtTheEndsOfEachRange) {
  struct Case {
    uint32_t type;
    uint32_t subtype;
    const char* text;
  };
  // The ends of each range, the subtype that only drivers, fonts and virtual devices read, and
  // the texts with their own spelling.
  const Case cases[] = {
      {0, 7, "Unknown"},
      {1, 9, "Application"},
      {2, 3, "DLL"},
      {3, 0, "Unknown Driver"},
      {3, 8, "InstallableDriver"},
      {3, 10, "Communications Driver"},
      {3, 11, "Unknown"},
      {4, 0, "Unknown Font"},
      {4, 3, "Truetype Font"},
      {4, 4, "Unknown"},
      {5, 0x1A2B, "Virtual Defice Identifier = 00001A2B"},
      {6, 0, "Unknown"},
      {7, 0, "Static-link Library"},
      {8, 0, "Unknown"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FileFunctionText(c.type, c.subtype), c.text) << c.type << "/" << c.subtype;
}

TEST(ApplyFileFlags, AFlagNeedsItsBitInMaskAndFlags) {
  TFileVersionInfo info;
  info.Patched = true;  // cleared again: its bit is not in the flags
  ApplyFileFlags(info, 0x3F & ~0x08u, 0x01 | 0x02 | 0x08 | 0x10 | 0x20);
  EXPECT_TRUE(info.DebugBuild);
  EXPECT_TRUE(info.PreRelease);
  EXPECT_FALSE(info.Patched);
  EXPECT_FALSE(info.PrivateBuild);  // masked out
  EXPECT_TRUE(info.InfoInferred);
  EXPECT_TRUE(info.SpecialBuild);
}

TEST(VersionStringPath, LanguageAndCodePageAsFourHexDigitsEach) {
  EXPECT_EQ(VersionStringPath(0x0409, 0x04B0, "ProductName"), "\\StringFileInfo\\040904b0\\ProductName");
}

TEST(DescriptionOf, FallsBackToTheProductName) {
  TFileVersionInfo info;
  info.ProductName = "Product";
  EXPECT_EQ(DescriptionOf(info), "Product");
  info.FileDescription = "Description";
  EXPECT_EQ(DescriptionOf(info), "Description");
}

}  // namespace
}  // namespace vsm

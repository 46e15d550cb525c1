#include <gtest/gtest.h>

#include "hardware/board/BoardMaps.h"

namespace vsm {
namespace {

using M = TBoardManufacturer;
using B = TBoardModel;

struct MakerCase {
  const char* text;
  M expected;
};

TEST(BoardMaps, ManufacturerStringsMatchExactlyAndCaseSensitively) {
  const MakerCase cases[] = {
      // Makers that write their name in more than one way.
      {"ASUSTeK Computer INC.", M::MB_ASUS},
      {"ASUSTeK COMPUTER INC.", M::MB_ASUS},
      {"MICRO-STAR INTERNATIONAL CO.,LTD", M::MB_MSI},
      {"MSI", M::MB_MSI},
      {"INTEL Corporation", M::MB_Intel},
      {"XFX", M::MB_XFX},  // the last of the list
      // No trimming, no case folding, no prefix matches.
      {"ASUSTeK COMPUTER INC. ", M::MB_Unknown},
      {" ASRock", M::MB_Unknown},
      {"intel corporation", M::MB_Unknown},
      {"Intel corporation", M::MB_Unknown},
      {"Gigabyte Technology Co., Ltd", M::MB_Unknown},
      {"Toshiba", M::MB_Unknown},
      {"Dell", M::MB_Unknown},
      {"To be filled by O.E.M.", M::MB_Unknown},
      {"", M::MB_Unknown},
  };
  for (const MakerCase& c : cases) {
    EXPECT_EQ(ManufacturerFromName(c.text), c.expected) << '"' << c.text << '"';
  }
}

struct ModelCase {
  const char* text;
  B expected;
};

TEST(BoardMaps, ProductStringsMatchExactlyAndCaseSensitively) {
  const ModelCase cases[] = {
      {"880GMH/USB3", B::BM__880GMH_USB3},  // the first of the list
      {"ASRock AOD790GX/128M", B::BM_AOD790GX_128M},
      // Names that differ only in a suffix are different boards.
      {"P8P67", B::BM_P8P67},
      {"P8P67 EVO", B::BM_P8P67_EVO},
      {"P35-DS3L", B::BM_P35_DS3L},
      {"FH67", B::BM_FH67},  // the last of the list
      {"p35-ds3", B::BM_Unknown},
      {"P35-DS3 ", B::BM_Unknown},
      {"AOD790GX/128M", B::BM_Unknown},
      {"P55 DELUXE", B::BM_Unknown},
      {"Base Board Product Name", B::BM_Unknown},
      {"", B::BM_Unknown},
  };
  for (const ModelCase& c : cases) {
    EXPECT_EQ(ModelFromName(c.text), c.expected) << '"' << c.text << '"';
  }
}

TEST(BoardMaps, UnknownModelIsTheLastOfTheEnumeration) {
  EXPECT_EQ(static_cast<int>(B::BM__880GMH_USB3), 0);
  EXPECT_EQ(static_cast<int>(B::BM_FH67), 57);
  EXPECT_EQ(static_cast<int>(B::BM_Unknown), 58);
  EXPECT_EQ(static_cast<int>(M::MB_Unknown), 21);
}

}  // namespace
}  // namespace vsm

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
      {"Alienware", M::MB_Alienware},
      {"Apple Inc.", M::MB_Apple},
      {"ASRock", M::MB_ASRock},
      {"ASUSTeK Computer INC.", M::MB_ASUS},
      {"ASUSTeK COMPUTER INC.", M::MB_ASUS},
      {"Dell Inc.", M::MB_Dell},
      {"DFI", M::MB_DFI},
      {"DFI Inc.", M::MB_DFI},
      {"ECS", M::MB_ECS},
      {"EPoX COMPUTER CO., LTD", M::MB_EPoX},
      {"EVGA", M::MB_EVGA},
      {"First International Computer, Inc.", M::MB_FIC},
      {"FUJITSU", M::MB_Fujitsu},
      {"FUJITSU SIEMENS", M::MB_Fujitsu},
      {"Gigabyte Technology Co., Ltd.", M::MB_Gigabyte},
      {"Hewlett-Packard", M::MB_HP},
      {"IBM", M::MB_IBM},
      {"Intel", M::MB_Intel},
      {"Intel Corp.", M::MB_Intel},
      {"Intel Corporation", M::MB_Intel},
      {"INTEL Corporation", M::MB_Intel},
      {"Lenovo", M::MB_Lenovo},
      {"LENOVO", M::MB_Lenovo},
      {"Micro-Star International", M::MB_MSI},
      {"MICRO-STAR INTERNATIONAL CO., LTD", M::MB_MSI},
      {"MICRO-STAR INTERNATIONAL CO.,LTD", M::MB_MSI},
      {"MSI", M::MB_MSI},
      {"Shuttle", M::MB_Shuttle},
      {"Supermicro", M::MB_Supermicro},
      {"TOSHIBA", M::MB_Toshiba},
      {"XFX", M::MB_XFX},
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
      {"880GMH/USB3", B::BM__880GMH_USB3},
      {"ASRock AOD790GX/128M", B::BM_AOD790GX_128M},
      {"P55 Deluxe", B::BM_P55_Deluxe},
      {"P8P67", B::BM_P8P67},
      {"P8P67 EVO", B::BM_P8P67_EVO},
      {"P8P67-M PRO", B::BM_P8P67_M_PRO},
      {"LP DK P55-T3eH9", B::BM_LP_DK_P55_T3eH9},
      {"965P-S3", B::BM__965P_S3},
      {"G41MT-S2", B::BM_G41MT_S2},
      {"G41MT-S2P", B::BM_G41MT_S2P},
      {"H61M-DS2 REV 1.2", B::BM_H61M_DS2_REV_1_2},
      {"H61M-USB3-B3 REV 2.0", B::BM_H61M_USB3_B3_REV_2_0},
      {"P35-DS3", B::BM_P35_DS3},
      {"P35-DS3L", B::BM_P35_DS3L},
      {"P8Z68-V PRO", B::BM_P8Z68_V_PRO},
      {"Z68X-UD7-B3", B::BM_Z68X_UD7_B3},
      {"FH67", B::BM_FH67},
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

#include "hardware/board/BoardMaps.h"

#include <string_view>
#include <utility>

namespace vsm {
namespace {

using M = TBoardManufacturer;
using B = TBoardModel;

constexpr std::pair<std::string_view, M> kManufacturers[] = {
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
};

constexpr std::pair<std::string_view, B> kModels[] = {
    {"880GMH/USB3", B::BM__880GMH_USB3},
    {"ASRock AOD790GX/128M", B::BM_AOD790GX_128M},
    {"P55 Deluxe", B::BM_P55_Deluxe},
    {"Crosshair III Formula", B::BM_Crosshair_III_Formula},
    {"M2N-SLI DELUXE", B::BM_M2N_SLI_DELUXE},
    {"M4A79XTD EVO", B::BM_M4A79XTD_EVO},
    {"P5W DH Deluxe", B::BM_P5W_DH_Deluxe},
    {"P6T", B::BM_P6T},
    {"P6X58D-E", B::BM_P6X58D_E},
    {"P8P67", B::BM_P8P67},
    {"P8P67 EVO", B::BM_P8P67_EVO},
    {"P8P67 PRO", B::BM_P8P67_PRO},
    {"P8P67-M PRO", B::BM_P8P67_M_PRO},
    {"P8Z77-V", B::BM_P8Z77_V},
    {"P9X79", B::BM_P9X79},
    {"Rampage Extreme", B::BM_Rampage_Extreme},
    {"Rampage II GENE", B::BM_Rampage_II_GENE},
    {"LP BI P45-T2RS Elite", B::BM_LP_BI_P45_T2RS_Elite},
    {"LP DK P55-T3eH9", B::BM_LP_DK_P55_T3eH9},
    {"A890GXM-A", B::BM_A890GXM_A},
    {"X58 SLI Classified", B::BM_X58_SLI_Classified},
    {"965P-S3", B::BM__965P_S3},
    {"EP45-DS3R", B::BM_EP45_DS3R},
    {"EP45-UD3R", B::BM_EP45_UD3R},
    {"EX58-EXTREME", B::BM_EX58_EXTREME},
    {"EX58-UD3R", B::BM_EX58_UD3R},
    {"G41M-Combo", B::BM_G41M_Combo},
    {"G41MT-S2", B::BM_G41MT_S2},
    {"G41MT-S2P", B::BM_G41MT_S2P},
    {"GA-970A-UD3", B::BM_GA_970A_UD3},
    {"GA-MA770T-UD3", B::BM_GA_MA770T_UD3},
    {"GA-MA770T-UD3P", B::BM_GA_MA770T_UD3P},
    {"GA-MA785GM-US2H", B::BM_GA_MA785GM_US2H},
    {"GA-MA785GMT-UD2H", B::BM_GA_MA785GMT_UD2H},
    {"GA-MA78LM-S2H", B::BM_GA_MA78LM_S2H},
    {"GA-MA790X-UD3P", B::BM_GA_MA790X_UD3P},
    {"H55-USB3", B::BM_H55_USB3},
    {"H55N-USB3", B::BM_H55N_USB3},
    {"H61M-DS2 REV 1.2", B::BM_H61M_DS2_REV_1_2},
    {"H61M-USB3-B3 REV 2.0", B::BM_H61M_USB3_B3_REV_2_0},
    {"H67A-UD3H-B3", B::BM_H67A_UD3H_B3},
    {"H67A-USB3-B3", B::BM_H67A_USB3_B3},
    {"P35-DS3", B::BM_P35_DS3},
    {"P35-DS3L", B::BM_P35_DS3L},
    {"P55-UD4", B::BM_P55_UD4},
    {"P55A-UD3", B::BM_P55A_UD3},
    {"P55M-UD4", B::BM_P55M_UD4},
    {"P67A-UD3-B3", B::BM_P67A_UD3_B3},
    {"P67A-UD3R-B3", B::BM_P67A_UD3R_B3},
    {"P67A-UD4-B3", B::BM_P67A_UD4_B3},
    {"P8Z68-V PRO", B::BM_P8Z68_V_PRO},
    {"X38-DS5", B::BM_X38_DS5},
    {"X58A-UD3R", B::BM_X58A_UD3R},
    {"Z68A-D3H-B3", B::BM_Z68A_D3H_B3},
    {"Z68AP-D3", B::BM_Z68AP_D3},
    {"Z68X-UD3H-B3", B::BM_Z68X_UD3H_B3},
    {"Z68X-UD7-B3", B::BM_Z68X_UD7_B3},
    {"FH67", B::BM_FH67},
};

template <typename Value, size_t N>
Value Lookup(const std::pair<std::string_view, Value> (&table)[N], const std::string& text, Value fallback) {
  for (const auto& [name, value] : table) {
    if (name == text) return value;
  }
  return fallback;
}

}  // namespace

TBoardManufacturer ManufacturerFromName(const std::string& manufacturer) {
  return Lookup(kManufacturers, manufacturer, M::MB_Unknown);
}

TBoardModel ModelFromName(const std::string& product) { return Lookup(kModels, product, B::BM_Unknown); }

}  // namespace vsm

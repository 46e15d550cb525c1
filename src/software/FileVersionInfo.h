#pragma once
// The strings and flags of a file's version resource, and the rules that turn the resource's
// fixed part into them. Reading the resource is in FileVersionInfo_win.h.
#include <cstdint>
#include <string>
#include <string_view>

namespace vsm {

struct TFileVersionInfo {
  std::string FileType;  // always empty
  std::string CompanyName;
  std::string FileDescription;
  std::string FileVersion;
  std::string InternalName;
  std::string LegalCopyRight;
  std::string LegalTradeMarks;
  std::string OriginalFileName;
  std::string ProductName;
  std::string ProductVersion;
  std::string Comments;
  std::string SpecialBuildStr;
  std::string PrivateBuildStr;
  std::string FileFunction;
  bool DebugBuild = false;
  bool PreRelease = false;
  bool SpecialBuild = false;
  bool PrivateBuild = false;
  bool Patched = false;
  bool InfoInferred = false;
};

// The string-table keys read from a resource and the field each fills.
struct VersionStringKey {
  const char* key;
  std::string TFileVersionInfo::*field;
};
inline constexpr VersionStringKey kVersionStringKeys[] = {
    {"CompanyName", &TFileVersionInfo::CompanyName},
    {"FileDescription", &TFileVersionInfo::FileDescription},
    {"FileVersion", &TFileVersionInfo::FileVersion},
    {"InternalName", &TFileVersionInfo::InternalName},
    {"LegalCopyRight", &TFileVersionInfo::LegalCopyRight},
    {"LegalTradeMarks", &TFileVersionInfo::LegalTradeMarks},
    {"OriginalFileName", &TFileVersionInfo::OriginalFileName},
    {"ProductName", &TFileVersionInfo::ProductName},
    {"ProductVersion", &TFileVersionInfo::ProductVersion},
    {"Comments", &TFileVersionInfo::Comments},
    {"SpecialBuild", &TFileVersionInfo::SpecialBuildStr},
    {"PrivateBuild", &TFileVersionInfo::PrivateBuildStr},
};

// The string-table path of one key for the first translation (language, code page).
std::string VersionStringPath(uint16_t language, uint16_t codePage, std::string_view key);

// "Application", "DLL", "Display Driver", ... by the fixed information's file type and subtype.
std::string FileFunctionText(uint32_t fileType, uint32_t fileSubtype);

// Sets each build flag whose bit is set in both the flags mask and the flags.
void ApplyFileFlags(TFileVersionInfo& info, uint32_t flagsMask, uint32_t flags);

// The description a page shows: FileDescription, or ProductName when that is empty.
std::string DescriptionOf(const TFileVersionInfo& info);

}  // namespace vsm

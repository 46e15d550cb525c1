#include "software/FileVersionInfo.h"

#include "base/text.h"

namespace vsm {

namespace {

// Subtype texts of driver (type 3) and font (type 4) files, by subtype.
constexpr const char* kDriverTexts[] = {"Unknown Driver",  "Printer Driver",       "Keyboard Driver",
                                        "Language Driver", "Display Driver",       "Mouse Driver",
                                        "Network Driver",  "System Driver",        "InstallableDriver",
                                        "Sound Driver",    "Communications Driver"};
constexpr const char* kFontTexts[] = {"Unknown Font", "Raster Font", "Vector Font", "Truetype Font"};

template <size_t N>
std::string SubtypeText(const char* const (&texts)[N], uint32_t subtype) {
  return subtype < N ? texts[subtype] : "Unknown";
}

}  // namespace

std::string VersionStringPath(uint16_t language, uint16_t codePage, std::string_view key) {
  return Format("\\StringFileInfo\\%.4x%.4x\\%.*s", language, codePage, static_cast<int>(key.size()),
                key.data());
}

std::string FileFunctionText(uint32_t fileType, uint32_t fileSubtype) {
  switch (fileType) {
    case 1: return "Application";
    case 2: return "DLL";
    case 3: return SubtypeText(kDriverTexts, fileSubtype);
    case 4: return SubtypeText(kFontTexts, fileSubtype);
    case 5: return Format("Virtual Defice Identifier = %.8X", fileSubtype);
    case 7: return "Static-link Library";
    default: return "Unknown";
  }
}

void ApplyFileFlags(TFileVersionInfo& info, uint32_t flagsMask, uint32_t flags) {
  struct FlagField {
    uint32_t bit;
    bool TFileVersionInfo::*field;
  };
  static constexpr FlagField kFlags[] = {
      {0x01, &TFileVersionInfo::DebugBuild},   {0x02, &TFileVersionInfo::PreRelease},
      {0x04, &TFileVersionInfo::Patched},      {0x08, &TFileVersionInfo::PrivateBuild},
      {0x10, &TFileVersionInfo::InfoInferred}, {0x20, &TFileVersionInfo::SpecialBuild}};
  for (const FlagField& flag : kFlags) info.*flag.field = (flag.bit & flagsMask & flags) == flag.bit;
}

std::string DescriptionOf(const TFileVersionInfo& info) {
  return info.FileDescription.empty() ? info.ProductName : info.FileDescription;
}

}  // namespace vsm

// smbios_dump: loads an SMBIOS dump and prints, structure by structure, what the program decodes
// from it, then the overview, processor, board and memory sections of the hardware page as their
// saved reports. See docs/tools.md.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "base/le_bytes.h"
#include "page_reports.h"
#include "pages/InfoReport.h"
#include "services/Translation.h"
#include "sysinfo/smbios/SMBiosDump.h"
#include "sysinfo/smbios/SMBiosReport.h"
#include "sysinfo/smbios/uSMBIOS.h"

namespace {

enum class Format { Auto, Dmidecode, Program, Image, Raw };

int Usage() {
  std::fputs(
      "usage: smbios_dump [--dmidecode | --program | --image | --raw] [--pages-only]\n"
      "                   [--language LANGUAGE_FILE] [--save FOLDER] FILE\n"
      "  FILE is dmidecode's --dump-bin output, the program's own dump file, a memory image\n"
      "  holding an SMBIOS 2.x entry point, or a bare structure table. Without a format option\n"
      "  the file's start decides: an entry point anchor means a dmidecode dump, a header whose\n"
      "  Length matches the file means the program's dump, anything else a bare table.\n"
      "  --language takes the captions from a language file (English.ini beside it fills gaps);\n"
      "  --save also writes overview.csv, processor.csv, board.csv and memory.csv into FOLDER.\n",
      stderr);
  return 2;
}

// The program's dump: byte 0 (Used20CallingMethod) is 0 and Length accounts for the whole rest.
bool LooksLikeProgramDump(const std::vector<uint8_t>& bytes) {
  if (bytes.size() < 8 || bytes[0] != 0) return false;
  return vsm::ByteView(bytes).U32(4) == bytes.size() - 8;
}

bool HasEntryPointAnchor(const std::vector<uint8_t>& bytes) {
  for (const char* anchor : {"_SM3_", "_SM_", "_DMI_"}) {
    if (bytes.size() >= std::strlen(anchor) && std::memcmp(bytes.data(), anchor, std::strlen(anchor)) == 0) {
      return true;
    }
  }
  return false;
}

std::optional<vsm::TRawSMBIOSData> Decode(Format format, const std::vector<uint8_t>& bytes) {
  if (format == Format::Auto) {
    format = HasEntryPointAnchor(bytes)    ? Format::Dmidecode
             : LooksLikeProgramDump(bytes) ? Format::Program
                                           : Format::Raw;
  }
  switch (format) {
    case Format::Program: return vsm::DecodeSMBiosDump(bytes);
    case Format::Image: return vsm::FindSMBiosEntryPoint(bytes);
    case Format::Raw: {
      vsm::TRawSMBIOSData raw;
      raw.Length = static_cast<uint32_t>(bytes.size());
      raw.SMBIOSTableData = bytes;
      return raw;
    }
    default: return vsm::DecodeDmidecodeDump(bytes);
  }
}

std::optional<std::vector<uint8_t>> ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Captions through a language file, looked up as the program does.
vsm::TPageTexts LanguageTexts(const std::string& languageFile) {
  const std::filesystem::path path(languageFile);
  auto translator = std::make_shared<vsm::TTranslator>(vsm::LanguageFiles{
      [](const std::string& name) { return std::filesystem::is_regular_file(name); }, ReadFile});
  translator->SetLanguageFile(path.parent_path().string() + "/", path.stem().string());
  vsm::TPageTexts texts;
  texts.translate = [translator](const std::string& key, const std::string& builtIn) {
    return translator->GetLangText("Translation", key, builtIn);
  };
  return texts;
}

bool SaveReport(const std::filesystem::path& folder, const PageReport& report) {
  const std::vector<uint8_t> bytes = vsm::InfoReportBytes(report.caption, report.tree);
  std::ofstream file(folder / report.fileName, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
  Format format = Format::Auto;
  bool pagesOnly = false;
  const char* fileName = nullptr;
  std::string languageFile;
  std::string saveFolder;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--dmidecode")
      format = Format::Dmidecode;
    else if (arg == "--program")
      format = Format::Program;
    else if (arg == "--image")
      format = Format::Image;
    else if (arg == "--raw")
      format = Format::Raw;
    else if (arg == "--pages-only")
      pagesOnly = true;
    else if (arg == "--language" && i + 1 < argc)
      languageFile = argv[++i];
    else if (arg == "--save" && i + 1 < argc)
      saveFolder = argv[++i];
    else if (!arg.empty() && arg[0] != '-' && !fileName)
      fileName = argv[i];
    else
      return Usage();
  }
  if (!fileName) return Usage();

  try {
    std::optional<vsm::TRawSMBIOSData> raw = Decode(format, vsm::ReadSMBiosFile(fileName));
    if (!raw) {
      std::fprintf(stderr, "smbios_dump: no SMBIOS table found in %s\n", fileName);
      return 1;
    }
    const vsm::TSMBios smbios(std::move(*raw));
    if (!pagesOnly) std::fputs((vsm::DescribeSMBiosStructures(smbios) + "\n").c_str(), stdout);
    const vsm::TPageTexts texts = languageFile.empty() ? vsm::TPageTexts{} : LanguageTexts(languageFile);
    for (const PageReport& report : MakePageReports(smbios, texts)) {
      std::fputs(("== " + report.fileName + "\n").c_str(), stdout);
      std::fputs(vsm::InfoReportText(report.caption, report.tree).c_str(), stdout);
      if (!saveFolder.empty() && !SaveReport(saveFolder, report)) {
        std::fprintf(stderr, "smbios_dump: cannot write %s in %s\n", report.fileName.c_str(),
                     saveFolder.c_str());
        return 1;
      }
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "smbios_dump: %s\n", error.what());
    return 1;
  }
  return 0;
}

// ata_decode: prints what the program reads from a saved IDENTIFY DEVICE or SMART READ DATA
// block, for checking the decoder against a drive without running the program on Windows.
#include <cstdio>
#include <string>
#include <vector>

#include "base/text.h"
#include "block_file.h"
#include "hardware/disk/AtaIdentify.h"
#include "hardware/disk/DiskType.h"
#include "hardware/disk/SmartData.h"

namespace {

using namespace vsm;

const char* kUsage =
    "usage: ata_decode identify FILE\n"
    "       ata_decode smart FILE [--model MODEL]\n"
    "       ata_decode disk IDENTIFY_FILE SMART_FILE\n"
    "FILE is a 512-byte block as the drive returned it, or hex text: the 16-bit words that\n"
    "`hdparm --Istdout` prints, or lines of byte pairs.\n";

const char* TypeName(THddtypes type) {
  switch (type) {
    case THddtypes::SSDPlextor: return "SSDPlextor";
    case THddtypes::SSDIntel: return "SSDIntel";
    case THddtypes::SSDSandforce: return "SSDSandforce";
    case THddtypes::SSDIndilinx: return "SSDIndilinx";
    case THddtypes::SDSamsung: return "SDSamsung";
    case THddtypes::SSDMicron: return "SSDMicron";
    case THddtypes::GenericHarddisk: return "GenericHarddisk";
  }
  return "?";
}

std::string RotationText(int16_t rpm) {
  if (rpm == 0) return "not reported (Windows then asks for the seek penalty)";
  if (rpm == 1) return "solid state";
  if (rpm < 0) return Format("reserved code 0x%X (rotating)", -rpm);
  return Format("%d rpm", rpm);
}

void PrintIdentity(const TAtaIdentity& id) {
  std::printf("IDENTIFY DEVICE\n");
  std::printf("  Model:         %s\n", id.Model.c_str());
  std::printf("  Serial number: %s\n", id.SerialNumber.c_str());
  std::printf("  Firmware:      %s\n", id.FirmwareRevision.c_str());
  std::printf("  Capacity:      %llu bytes (%.1f GB)\n", static_cast<unsigned long long>(id.Size),
              id.Size / 1e9);
  std::printf("  Rotation rate: %s\n", RotationText(id.Rpm).c_str());
  std::printf("  ATA version:   %s\n", id.MinorVersion.c_str());
  std::printf("  SATA version:  %s\n",
              id.MajorVersion.empty() ? "(no serial transport reported)" : id.MajorVersion.c_str());
}

void PrintSmart(const std::vector<uint8_t>& block, const std::string& model) {
  std::printf("SMART READ DATA\n");
  std::printf("  ID  flags  current worst raw (48-bit value)\n");
  for (const TSmartAttribute& a : SmartAttributes(block)) {
    std::printf("  %3u 0x%04X %7u %5u ", a.Id, a.Flags, a.Current, a.Worst);
    for (int i = 5; i >= 0; --i) std::printf("%02X", a.Raw[i]);
    std::printf("\n");
  }
  THddtypes type = ChooseDiskType(model, block);
  std::printf("  Disk type:     %s (model \"%s\")\n", TypeName(type), model.c_str());
  auto id = TemperatureAttributeId(type);
  auto slot = id ? FindSmartAttribute(block, *id) : std::nullopt;
  if (!slot) {
    std::printf("  Temperature:   none\n");
    return;
  }
  const char* source = type == THddtypes::SSDSandforce ? "current value" : "first raw byte";
  std::printf("  Temperature:   %.0f C (attribute %u, %s)\n",
              TemperatureOf(type, *SmartAttributeAt(block, *slot)), *id, source);
}

std::optional<std::vector<uint8_t>> Load(const std::string& path) {
  std::string error;
  auto block = ata_decode::ReadBlockFile(path, error);
  if (!block) std::fprintf(stderr, "ata_decode: %s\n", error.c_str());
  return block;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 2 && args[0] == "identify") {
    auto block = Load(args[1]);
    if (!block) return 1;
    PrintIdentity(*DecodeIdentify(*block));
    return 0;
  }
  if ((args.size() == 2 || (args.size() == 4 && args[2] == "--model")) && args[0] == "smart") {
    auto block = Load(args[1]);
    if (!block) return 1;
    PrintSmart(*block, args.size() == 4 ? args[3] : "");
    return 0;
  }
  if (args.size() == 3 && args[0] == "disk") {
    auto identify = Load(args[1]);
    auto smart = Load(args[2]);
    if (!identify || !smart) return 1;
    TAtaIdentity id = *DecodeIdentify(*identify);
    PrintIdentity(id);
    PrintSmart(*smart, id.Model);
    return 0;
  }
  std::fputs(kUsage, stderr);
  return 2;
}

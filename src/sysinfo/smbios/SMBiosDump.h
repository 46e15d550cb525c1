#pragma once
// SMBIOS tables in files: the program's own dump file, a memory image scanned for an entry point,
// and the dumps that dmidecode writes.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "sysinfo/smbios/SMBiosTypes.h"

namespace vsm {

// The program's dump file: the four version bytes, Length (32-bit little-endian), then the table.
std::vector<uint8_t> EncodeSMBiosDump(const TRawSMBIOSData& raw);
// Nothing when the bytes are shorter than the header or than the Length it gives; bytes after the
// table are ignored.
std::optional<TRawSMBIOSData> DecodeSMBiosDump(std::span<const uint8_t> bytes);

// Scans a memory image for an SMBIOS 2.x entry point ("_SM_" ... "_DMI_", valid checksum) on a
// 16-byte boundary and takes the Length bytes that follow the 31-byte entry point; the table
// address inside the entry point is not used. A table the image cuts short keeps what is there.
std::optional<TRawSMBIOSData> FindSMBiosEntryPoint(std::span<const uint8_t> image);

// A dmidecode --dump-bin file: an SMBIOS 3.x ("_SM3_"), 2.x ("_SM_") or legacy ("_DMI_") entry
// point at offset 0 and the table at the address the entry point gives. A file without an entry
// point is taken as the bare structure table (version 0.0). Nothing when the table address lies
// outside the file.
std::optional<TRawSMBIOSData> DecodeDmidecodeDump(std::span<const uint8_t> bytes);

// File access for the above, with the program's error texts (ESMBiosError).
std::vector<uint8_t> ReadSMBiosFile(const std::string& fileName);
void WriteSMBiosFile(const std::string& fileName, std::span<const uint8_t> bytes);

}  // namespace vsm

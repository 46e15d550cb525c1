#include "sysinfo/smbios/SMBiosDecoding.h"

#include <span>

#include "base/text.h"

namespace vsm {
namespace {

struct CodeText {
  uint16_t code;
  const char* text;
};

// The texts as the SMBIOS reference prints them, trademark signs included.
constexpr CodeText kBoardType[] = {
    {2, "Other"}, {3, "Server Blade"}, {4, "Connectivity Switch"}, {5, "System Management Module"},
    {6, "Processor Module"}, {7, "I/O Module"}, {8, "Memory Module"}, {9, "Daughter board"},
    {10, "Motherboard (includes processor, memory, and I/O)"}, {11, "Processor/Memory Module"},
    {12, "Processor/IO Module"}, {13, "Interconnect Board"},
};
constexpr CodeText kChassisType[] = {
    {1, "Other"}, {3, "Desktop"}, {4, "Low Profile Desktop"}, {5, "Pizza Box"}, {6, "Mini Tower"},
    {7, "Tower"}, {8, "Portable"}, {9, "LapTop"}, {10, "Notebook"}, {11, "Hand Held"},
    {12, "Docking Station"}, {13, "All in One"}, {14, "Sub Notebook"}, {15, "Space-saving"},
    {16, "Lunc Box"}, {17, "Main Server Chassis"}, {18, "Expansion Chassis"}, {19, "SubChassis"},
    {20, "Bus Expansion Chassis"}, {21, "Peripheral Chassis"}, {22, "RAID Chassis"},
    {23, "Rack Mount Chassis"}, {24, "Sealed-case PC"}, {25, "Multi-system chassis"},
    {26, "Compact PCI"}, {27, "Advanced TCA"}, {28, "Blade"}, {29, "Blade Enclosure"},
};
constexpr CodeText kChassisState[] = {
    {1, "Other"}, {3, "Safe"}, {4, "Warning"}, {5, "Critical"}, {6, "Non-recoverable"},
};
constexpr CodeText kProcessorType[] = {
    {1, "Other"}, {3, "Central Processor"}, {4, "Math Processor"}, {5, "DSP Processor"},
    {6, "Video Processor"},
};
constexpr CodeText kProcessorUpgrade[] = {
    {1, "Other"}, {2, "Unknown"}, {3, "Daughter Board"}, {4, "ZIF Socket"},
    {5, "Replaceable Piggy Back"}, {6, "None"}, {7, "LIF Socket"}, {8, "Slot 1"}, {9, "Slot 2"},
    {10, "370-pin socket"}, {11, "Slot A"}, {12, "Slot M"}, {13, "Socket 423"},
    {14, "Socket A (Socket 462)"}, {15, "Socket 478"}, {16, "Socket 754"}, {17, "Socket 940"},
    {18, "Socket 939"}, {19, "Socket mPGA604"}, {20, "Socket LGA771"}, {21, "Socket LGA775"},
    {22, "Socket S1"}, {23, "Socket AM2"}, {24, "Socket F (1207)"}, {25, "Socket LGA1366"},
    {26, "Socket G34"}, {27, "Socket AM3"}, {28, "Socket C32"}, {29, "Socket LGA1156"},
    {30, "Socket LGA1567"}, {31, "Socket PGA988A"}, {32, "Socket BGA1288"}, {33, "Socket rPGA988B"},
    {34, "Socket BGA1023"}, {35, "Socket BGA1224"}, {36, "Socket BGA1155"}, {37, "Socket LGA1356"},
    {38, "Socket LGA2011"}, {39, "Socket FS1"}, {40, "Socket FS2"}, {41, "Socket FM1"},
    {42, "Socket FM2"},
};
constexpr CodeText kProcessorFamily[] = {
    {0, "Unknown"}, {1, "Other"}, {2, "Unknown"}, {3, "8086"}, {4, "80286"},
    {5, "Intel386™ processor"}, {6, "Intel486™ processor"}, {7, "8087"}, {8, "80287"}, {9, "80387"},
    {10, "80487"}, {11, "Intel® Pentium® processor"}, {12, "Pentium® Pro processor"},
    {13, "Pentium® II processor"}, {14, "Pentium® processor with MMX™ technology"},
    {15, "Intel® Celeron® processor"}, {16, "Pentium® II Xeon™ processor"},
    {17, "Pentium® III processor"}, {18, "M1 Family"}, {19, "M2 Family"},
    {20, "Intel® Celeron® M processor"}, {21, "Intel® Pentium® 4 HT processor"},
    {24, "AMD Duron™ Processor Family"}, {25, "K5 Family"}, {26, "K6 Family"}, {27, "K6-2"},
    {28, "K6-3"}, {29, "AMD Athlon™ Processor Family"}, {30, "AMD29000 Family"}, {31, "K6-2+"},
    {32, "Power PC Family"}, {33, "Power PC 601"}, {34, "Power PC 603"}, {35, "Power PC 603+"},
    {36, "Power PC 604"}, {37, "Power PC 620"}, {38, "Power PC x704"}, {39, "Power PC 750"},
    {40, "Intel® Core™ Duo processor"}, {41, "Intel® Core™ Duo mobile processor"},
    {42, "Intel® Core™ Solo mobile processor"}, {43, "Intel® Atom™ processor"},
    {44, "Intel® Core™ M processor"}, {45, "Intel® Core™ m3 processor"},
    {46, "Intel® Core™ m5 processor"}, {47, "Intel® Core™ m7 processor"}, {48, "Alpha Family"},
    {49, "Alpha 21064"}, {50, "Alpha 21066"}, {51, "Alpha 21164"}, {52, "Alpha 21164PC"},
    {53, "Alpha 21164a"}, {54, "Alpha 21264"}, {55, "Alpha 21364"},
    {56, "AMD Turion™ II Ultra Dual-Core Mobile M Processor Family"},
    {57, "AMD Turion™ II Dual-Core Mobile M Processor Family"},
    {58, "AMD Athlon™ II Dual-Core M Processor Family"}, {59, "AMD Opteron™ 6100 Series Processor"},
    {60, "AMD Opteron™ 4100 Series Processor"}, {61, "AMD Opteron™ 6200 Series Processor"},
    {62, "AMD Opteron™ 4200 Series Processor"}, {63, "AMD FX™ Series Processor"},
    {64, "MIPS Family"}, {65, "MIPS R4000"}, {66, "MIPS R4200"}, {67, "MIPS R4400"},
    {68, "MIPS R4600"}, {69, "MIPS R10000"}, {70, "AMD C-Series Processor"},
    {71, "AMD E-Series Processor"}, {72, "AMD A-Series Processor"}, {73, "AMD G-Series Processor"},
    {74, "AMD Z-Series Processor"}, {75, "AMD R-Series Processor"},
    {76, "AMD Opteron™ 4300 Series Processor"}, {77, "AMD Opteron™ 6300 Series Processor"},
    {78, "AMD Opteron™ 3300 Series Processor"}, {79, "AMD FirePro™ Series Processor"},
    {80, "SPARC Family"}, {81, "SuperSPARC"}, {82, "microSPARC II"}, {83, "microSPARC IIep"},
    {84, "UltraSPARC"}, {85, "UltraSPARC II"}, {86, "UltraSPARC Iii"}, {87, "UltraSPARC III"},
    {88, "UltraSPARC IIIi"}, {96, "68040 Family"}, {97, "68xxx"}, {98, "68000"}, {99, "68010"},
    {100, "68020"}, {101, "68030"}, {102, "AMD Athlon™ X4 Quad-Core Processor Family"},
    {103, "AMD Opteron™ X1000 Series Processor"}, {104, "AMD Opteron™ X2000 Series APU"},
    {105, "AMD Opteron™ A-Series Processor"}, {106, "AMD Opteron™ X3000 Series APU"},
    {107, "AMD Zen Processor Family"}, {112, "Hobbit Family"}, {120, "Crusoe™ TM5000 Family"},
    {121, "Crusoe™ TM3000 Family"}, {122, "Efficeon™ TM8000 Family"}, {128, "Weitek"},
    {130, "Itanium™ processor"}, {131, "AMD Athlon™ 64 Processor Family"},
    {132, "AMD Opteron™ Processor Family"}, {133, "AMD Sempron™ Processor Family"},
    {134, "AMD Turion™ 64 Mobile Technology"}, {135, "Dual-Core AMD Opteron™ Processor Family"},
    {136, "AMD Athlon™ 64 X2 Dual-Core Processor Family"},
    {137, "AMD Turion™ 64 X2 Mobile Technology"}, {138, "Quad-Core AMD Opteron™ Processor Family"},
    {139, "Third-Generation AMD Opteron™ Processor Family"},
    {140, "AMD Phenom™ FX Quad-Core Processor Family"},
    {141, "AMD Phenom™ X4 Quad-Core Processor Family"},
    {142, "AMD Phenom™ X2 Dual-Core Processor Family"},
    {143, "AMD Athlon™ X2 Dual-Core Processor Family"}, {144, "PA-RISC Family"},
    {145, "PA-RISC 8500"}, {146, "PA-RISC 8000"}, {147, "PA-RISC 7300LC"}, {148, "PA-RISC 7200"},
    {149, "PA-RISC 7100LC"}, {150, "PA-RISC 7100"}, {160, "V30 Family"},
    {161, "Quad-Core Intel® Xeon® processor 3200 Series"},
    {162, "Dual-Core Intel® Xeon® processor 3000 Series"},
    {163, "Quad-Core Intel® Xeon® processor 5300 Series"},
    {164, "Dual-Core Intel® Xeon® processor 5100 Series"},
    {165, "Dual-Core Intel® Xeon® processor 5000 Series"},
    {166, "Dual-Core Intel® Xeon® processor LV"}, {167, "Dual-Core Intel® Xeon® processor ULV"},
    {168, "Dual-Core Intel® Xeon® processor 7100 Series"},
    {169, "Quad-Core Intel® Xeon® processor 5400 Series"},
    {170, "Quad-Core Intel® Xeon® processor"},
    {171, "Dual-Core Intel® Xeon® processor 5200 Series"},
    {172, "Dual-Core Intel® Xeon® processor 7200 Series"},
    {173, "Quad-Core Intel® Xeon® processor 7300 Series"},
    {174, "Quad-Core Intel® Xeon® processor 7400 Series"},
    {175, "Multi-Core Intel® Xeon® processor 7400 Series"}, {176, "Pentium® III Xeon™ processor"},
    {177, "Pentium® III Processor with Intel® SpeedStep™ Technology"},
    {178, "Pentium® 4 Processor"}, {179, "Intel® Xeon® processor"}, {180, "AS400 Family"},
    {181, "Intel® Xeon™ processor MP"}, {182, "AMD Athlon™ XP Processor Family"},
    {183, "AMD Athlon™ MP Processor Family"}, {184, "Intel® Itanium® 2 processor"},
    {185, "Intel® Pentium® M processor"}, {186, "Intel® Celeron® D processor"},
    {187, "Intel® Pentium® D processor"}, {188, "Intel® Pentium® Processor Extreme Edition"},
    {189, "Intel® Core™ Solo Processor"}, {190, "Reserved"}, {191, "Intel® Core™ 2 Duo Processor"},
    {192, "Intel® Core™ 2 Solo processor"}, {193, "Intel® Core™ 2 Extreme processor"},
    {194, "Intel® Core™ 2 Quad processor"}, {195, "Intel® Core™ 2 Extreme mobile processor"},
    {196, "Intel® Core™ 2 Duo mobile processor"}, {197, "Intel® Core™ 2 Solo mobile processor"},
    {198, "Intel® Core™ i7 processor"}, {199, "Dual-Core Intel® Celeron® processor"},
    {200, "IBM390 Family"}, {201, "G4"}, {202, "G5"}, {203, "ESA/390 G6"},
    {204, "z/Architecture base"}, {205, "Intel® Core™ i5 processor"},
    {206, "Intel® Core™ i3 processor"}, {207, "Intel® Core™ i9 processor"},
    {210, "VIA C7™-M Processor Family"}, {211, "VIA C7™-D Processor Family"},
    {212, "VIA C7™ Processor Family"}, {213, "VIA Eden™ Processor Family"},
    {214, "Multi-Core Intel® Xeon® processor"},
    {215, "Dual-Core Intel® Xeon® processor 3xxx Series"},
    {216, "Quad-Core Intel® Xeon® processor 3xxx Series"}, {217, "VIA Nano™ Processor Family"},
    {218, "Dual-Core Intel® Xeon® processor 5xxx Series"},
    {219, "Quad-Core Intel® Xeon® processor 5xxx Series"},
    {221, "Dual-Core Intel® Xeon® processor 7xxx Series"},
    {222, "Quad-Core Intel® Xeon® processor 7xxx Series"},
    {223, "Multi-Core Intel® Xeon® processor 7xxx Series"},
    {224, "Multi-Core Intel® Xeon® processor 3400 Series"},
    {228, "AMD Opteron™ 3000 Series Processor"}, {229, "AMD Sempron™ II Processor"},
    {230, "Embedded AMD Opteron™ Quad-Core Processor Family"},
    {231, "AMD Phenom™ Triple-Core Processor Family"},
    {232, "AMD Turion™ Ultra Dual-Core Mobile Processor Family"},
    {233, "AMD Turion™ Dual-Core Mobile Processor Family"},
    {234, "AMD Athlon™ Dual-Core Processor Family"}, {235, "AMD Sempron™ SI Processor Family"},
    {236, "AMD Phenom™ II Processor Family"}, {237, "AMD Athlon™ II Processor Family"},
    {238, "Six-Core AMD Opteron™ Processor Family"}, {239, "AMD Sempron™ M Processor Family"},
    {250, "i860"}, {251, "i960"},
    {254, "Indicator to obtain the processor family from the Processor Family 2 field"},
    {255, "Reserved"},
};
constexpr CodeText kCacheAssociativity[] = {
    {1, "Other"}, {3, "Direct Mapped"}, {4, "2-way Set-Associative"}, {5, "4-way Set-Associative"},
    {6, "Fully Associative"}, {7, "8-way Set-Associative"}, {8, "16-way Set-Associative"},
    {9, "12-way Set-Associative"}, {10, "24-way Set-Associative"}, {11, "32-way Set-Associative"},
    {12, "48-way Set-Associative"}, {13, "64-way Set-Associative"}, {14, "20-way Set-Associative"},
};
constexpr CodeText kConnectorType[] = {
    {0, "None"}, {1, "Centronics"}, {2, "Mini Centronics"}, {3, "Proprietary"},
    {4, "DB-25 pin male"}, {5, "DB-25 pin female"}, {6, "DB-15 pin male"}, {7, "DB-15 pin female"},
    {8, "DB-9 pin male"}, {9, "DB-9 pin female"}, {10, "RJ-11"}, {11, "RJ-45"},
    {12, "50-pin MiniSCSI"}, {13, "Mini-DIN"}, {14, "Micro-DIN"}, {15, "PS/2"}, {16, "Infrared"},
    {17, "HP-HIL"}, {18, "Access Bus (USB)"}, {19, "SSA SCSI"}, {20, "Circular DIN-8 male"},
    {21, "Circular DIN-8 female"}, {22, "On Board IDE"}, {23, "On Board Floppy"},
    {24, "9-pin Dual Inline (pin 10 cut)"}, {25, "25-pin Dual Inline (pin 26 cut)"},
    {26, "50-pin Dual Inline"}, {27, "68-pin Dual Inline"},
    {28, "On Board Sound Input from CD-ROM"}, {29, "Mini-Centronics Type-14"},
    {30, "Mini-Centronics Type-26"}, {31, "Mini-jack (headphones)"}, {32, "BNC"}, {33, "1394"},
    {34, "SAS/SATA Plug Receptacle"}, {160, "PC-98"}, {161, "PC-98Hireso"}, {162, "PC-H98"},
    {163, "PC-98Note"}, {164, "PC-98Full"},
    {255, "Other  Use Reference Designator Strings to supply information"},
};
constexpr CodeText kPortType[] = {
    {0, "None"}, {1, "Parallel Port XT/AT Compatible"}, {2, "Parallel Port PS/2"},
    {3, "Parallel Port ECP"}, {4, "Parallel Port EPP"}, {5, "Parallel Port ECP/EPP"},
    {6, "Serial Port XT/AT Compatible"}, {7, "Serial Port 16450 Compatible"},
    {8, "Serial Port 16550 Compatible"}, {9, "Serial Port 16550A Compatible"}, {10, "SCSI Port"},
    {11, "MIDI Port"}, {12, "Joy Stick Port"}, {13, "Keyboard Port"}, {14, "Mouse Port"},
    {15, "SSA SCSI"}, {16, "USB"}, {17, "FireWire (IEEE P1394)"}, {18, "PCMCIA Type I2"},
    {19, "PCMCIA Type II"}, {20, "PCMCIA Type III"}, {21, "Cardbus"}, {22, "Access Bus Port"},
    {23, "SCSI II"}, {24, "SCSI Wide"}, {25, "PC-98"}, {26, "PC-98-Hireso"}, {27, "PC-H98"},
    {28, "Video Port"}, {29, "Audio Port"}, {30, "Modem Port"}, {31, "Network Port"}, {32, "SATA"},
    {33, "SAS"}, {160, "8251 Compatible"}, {161, "8251 FIFO Compatible"}, {255, "Other"},
};
constexpr CodeText kSlotType[] = {
    {1, "Other"}, {2, "Unknown"}, {3, "ISA"}, {4, "MCA"}, {5, "EISA"}, {6, "PCI"},
    {7, "PC Card (PCMCIA)"}, {8, "VL-VESA"}, {9, "Proprietary"}, {10, "Processor Card Slot"},
    {11, "Proprietary Memory Card Slot"}, {12, "I/O Riser Card Slot"}, {13, "NuBus"},
    {14, "PCI  66MHz Capable"}, {15, "AGP"}, {16, "AGP 2X"}, {17, "AGP 4X"}, {18, "PCI-X"},
    {19, "AGP 8X"}, {160, "PC-98/C20"}, {161, "PC-98/C24"}, {162, "PC-98/E"},
    {163, "PC-98/Local Bus"}, {164, "PC-98/Card"}, {165, "PCI Express"}, {166, "PCI Express x1"},
    {167, "PCI Express x2"}, {168, "PCI Express x4"}, {169, "PCI Express x8"},
    {170, "PCI Express x16"}, {171, "PCI Express Gen 2"}, {172, "PCI Express Gen 2 x1"},
    {173, "PCI Express Gen 2 x2"}, {174, "PCI Express Gen 2 x4"}, {175, "PCI Express Gen 2 x8"},
    {176, "PCI Express Gen 2 x16"}, {177, "PCI Express Gen 3"}, {178, "PCI Express Gen 3 x1"},
    {179, "PCI Express Gen 3 x2"}, {180, "PCI Express Gen 3 x4"}, {181, "PCI Express Gen 3 x8"},
    {182, "PCI Express Gen 3 x16"},
};
constexpr CodeText kSlotDataBusWidth[] = {
    {1, "Other"}, {3, "8 bit"}, {4, "16 bit"}, {5, "32 bit"}, {6, "64 bit"}, {7, "128 bit"},
    {8, "1x or x1"}, {9, "2x or x2"}, {10, "4x or x4"}, {11, "8x or x8"}, {12, "12x or x12"},
    {13, "16x or x16"}, {14, "32x or x32"},
};
constexpr CodeText kSlotUsage[] = {
    {1, "Other"}, {3, "Available"}, {4, "In use"},
};
constexpr CodeText kSlotLength[] = {
    {1, "Other"}, {3, "Short Length"}, {4, "Long Length"},
};
constexpr CodeText kOnBoardDeviceType[] = {
    {1, "Other"}, {3, "Video"}, {4, "SCSI Controller"}, {5, "Ethernet"}, {6, "Token Ring"},
    {7, "Sound"}, {8, "PATA Controller"}, {9, "SATA Controller"}, {10, "SAS Controller"},
};
constexpr CodeText kArrayLocation[] = {
    {1, "Other"}, {3, "System board or motherboard"}, {4, "ISA add-on card"},
    {5, "EISA add-on card"},
};
constexpr CodeText kArrayUse[] = {
    {1, "Other"}, {3, "System memory"}, {4, "Video memory"}, {5, "Flash memory"},
    {6, "Non-volatile RAM"}, {7, "Cache memory"},
};
constexpr CodeText kArrayErrorCorrection[] = {
    {1, "Other"}, {3, "None"}, {4, "Parity"}, {5, "Single-bit ECC"}, {6, "Multi-bit ECC"},
    {7, "CRC"},
};
constexpr CodeText kMemoryFormFactor[] = {
    {1, "Other"}, {3, "SIMM"}, {4, "SIP"}, {5, "Chip"}, {6, "DIP"}, {7, "ZIP"},
    {8, "Proprietary Card"}, {9, "DIMM"}, {10, "TSOP"}, {11, "Row of chips"}, {12, "RIMM"},
    {13, "SODIMM"}, {14, "SRIMM"}, {15, "FB-DIMM"},
};
constexpr CodeText kMemoryType[] = {
    {1, "Other"}, {2, "Unknown"}, {3, "DRAM"}, {4, "EDRAM"}, {5, "VRAM"}, {6, "SRAM"}, {7, "RAM"},
    {8, "ROM"}, {9, "FLASH"}, {10, "EEPROM"}, {11, "FEPROM"}, {12, "EPROM"}, {13, "CDRAM"},
    {14, "3DRAM"}, {15, "SDRAM"}, {16, "SGRAM"}, {17, "RDRAM"}, {18, "DDR"}, {19, "DDR2"},
    {20, "DDR2 FB-DIMM"}, {21, "Reserved"}, {22, "Reserved"}, {23, "Reserved"}, {24, "DDR3"},
    {25, "FBD2"}, {26, "DDR4"}, {27, "LPDDR"}, {28, "LPDDR2"}, {29, "LPDDR3"}, {30, "LPDDR4"},
    {31, "Logical non-volatile device"}, {32, "HBM"}, {33, "HBM2"}, {34, "DDR5"}, {35, "LPDDR5"},
    {36, "HBM3"},
};
constexpr CodeText kPointingDeviceType[] = {
    {1, "Other"}, {3, "Mouse"}, {4, "Track Ball"}, {5, "Track Point"}, {6, "Glide Point"},
    {7, "Touch Pad"}, {8, "Touch Screen"}, {9, "Optical Sensor"},
};
constexpr CodeText kPointingDeviceInterface[] = {
    {1, "Other"}, {3, "Serial"}, {4, "PS/2"}, {5, "Infrared"}, {6, "HP-HIL"}, {7, "Bus mouse"},
    {8, "ADB (Apple Desktop Bus)"}, {160, "Bus mouse DB-9"}, {161, "Bus mouse micro-DIN"},
    {162, "USB"},
};
constexpr CodeText kBatteryChemistry[] = {
    {1, "Other"}, {3, "Lead Acid"}, {4, "Nickel Cadmium"}, {5, "Nickel metal hydride"},
    {6, "Lithium-ion"}, {7, "Zinc air"}, {8, "Lithium Polymer"},
};
constexpr CodeText kProbeLocation[] = {
    {1, "Other"}, {2, "Unknown"}, {3, "Processor"}, {4, "Disk"}, {5, "Peripheral Bay"},
    {6, "System Management Module"}, {7, "Motherboard"}, {8, "Memory Module"},
    {9, "Processor Module"}, {10, "Power Unit"}, {11, "Add-in Card"},
};
// Locations only temperature probes name (14 stays "Unknown").
constexpr CodeText kTemperatureProbeOnlyLocation[] = {
    {12, "Front Panel Board"}, {13, "Back Panel Board"}, {15, "Drive Back Plane"},
};
constexpr CodeText kProbeStatus[] = {
    {1, "Other"}, {2, "Unknown"}, {3, "OK"}, {4, "Non-critical"}, {5, "Critical"},
    {6, "Non-recoverable"},
};
constexpr CodeText kCoolingDeviceType[] = {
    {1, "Other"}, {2, "Unknown"}, {3, "Fan"}, {4, "Centrifugal Blower"}, {5, "Chip Fan"},
    {6, "Cabinet Fan"}, {7, "Power Supply Fan"}, {8, "Heat Pipe"}, {9, "Integrated Refrigeration"},
    {16, "Active Cooling"}, {17, "Passive Cooling"},
};
constexpr CodeText kErrorDetectingMethod[] = {
    {1, "Other"}, {3, "None"}, {4, "8-bit Parity"}, {5, "32-bit ECC"}, {6, "64-bit ECC"},
    {7, "128-bit ECC"}, {8, "CRC"},
};
constexpr CodeText kInterleave[] = {
    {1, "Other"}, {3, "One-Way Interleave"}, {4, "Two-Way Interleave"}, {5, "Four-Way Interleave"},
    {6, "Eight-Way Interleave"}, {7, "Sixteen-Way Interleave"},
};
constexpr CodeText kProcessorFamily2[] = {
    {255, "Unknown"}, {256, "ARMv7"}, {257, "ARMv8"}, {258, "ARMv9"}, {260, "SH-3"}, {261, "SH-4"},
    {280, "ARM"}, {281, "StrongARM"}, {300, "6x86"}, {301, "MediaGX"}, {302, "MII"},
    {320, "WinChip"}, {350, "DSP"}, {500, "Video Processor"}, {512, "RISC-V RV32"},
    {513, "RISC-V RV64"}, {514, "RISC-V RV128"}, {600, "LoongArch"},
    {601, "Loongson™ 1 Processor Family"}, {602, "Loongson™ 2 Processor Family"},
    {603, "Loongson™ 3 Processor Family"}, {604, "Loongson™ 2K Processor Family"},
    {605, "Loongson™ 3A Processor Family"}, {606, "Loongson™ 3B Processor Family"},
    {607, "Loongson™ 3C Processor Family"}, {608, "Loongson™ 3D Processor Family"},
    {609, "Loongson™ 3E Processor Family"}, {610, "Dual-Core Loongson™ 2K Processor 2xxx Series"},
    {620, "Quad-Core Loongson™ 3A Processor 5xxx Series"},
    {621, "Multi-Core Loongson™ 3A Processor 5xxx Series"},
    {622, "Quad-Core Loongson™ 3B Processor 5xxx Series"},
    {623, "Multi-Core Loongson™ 3B Processor 5xxx Series"},
    {624, "Multi-Core Loongson™ 3C Processor 5xxx Series"},
    {625, "Multi-Core Loongson™ 3D Processor 5xxx Series"}, {768, "Intel® Core™ 3"},
    {769, "Intel® Core™ 5"}, {770, "Intel® Core™ 7"}, {771, "Intel® Core™ 9"},
    {772, "Intel® Core™ Ultra 3"}, {773, "Intel® Core™ Ultra 5"}, {774, "Intel® Core™ Ultra 7"},
    {775, "Intel® Core™ Ultra 9"},
};

const char* Find(std::span<const CodeText> table, unsigned code, const char* fallback) {
  for (const CodeText& entry : table) {
    if (entry.code == code) return entry.text;
  }
  return fallback;
}

std::string Lookup(std::span<const CodeText> table, unsigned code) {
  return Find(table, code, "Unknown");
}

}  // namespace

std::string BoardTypeText(uint8_t code) { return Lookup(kBoardType, code); }
std::string ChassisTypeText(uint8_t code) { return Lookup(kChassisType, code); }
std::string ChassisStateText(uint8_t code) { return Lookup(kChassisState, code); }
std::string ProcessorTypeText(uint8_t code) { return Lookup(kProcessorType, code); }
std::string ProcessorUpgradeText(uint8_t code) { return Lookup(kProcessorUpgrade, code); }

std::string ProcessorFamilyText(uint8_t code) {
  return Find(kProcessorFamily, code, "Available for assignment");
}

std::string ProcessorFamily2Text(uint16_t code) {
  if (code >= 65534) return "Reserved";
  const char* fallback =
      code < 512 ? "These values are available for assignment" : "Available for assignment";
  return Find(kProcessorFamily2, code, fallback);
}

std::string CacheAssociativityText(uint8_t code) { return Lookup(kCacheAssociativity, code); }
std::string ConnectorTypeText(uint8_t code) { return Lookup(kConnectorType, code); }
std::string PortTypeText(uint8_t code) { return Lookup(kPortType, code); }
std::string SlotTypeText(uint8_t code) { return Lookup(kSlotType, code); }
std::string SlotDataBusWidthText(uint8_t code) { return Lookup(kSlotDataBusWidth, code); }
std::string SlotUsageText(uint8_t code) { return Lookup(kSlotUsage, code); }
std::string SlotLengthText(uint8_t code) { return Lookup(kSlotLength, code); }
std::string OnBoardDeviceTypeText(uint8_t code) { return Lookup(kOnBoardDeviceType, code); }
std::string ArrayLocationText(uint8_t code) { return Lookup(kArrayLocation, code); }
std::string ArrayUseText(uint8_t code) { return Lookup(kArrayUse, code); }
std::string ArrayErrorCorrectionText(uint8_t code) { return Lookup(kArrayErrorCorrection, code); }
std::string MemoryFormFactorText(uint8_t code) { return Lookup(kMemoryFormFactor, code); }

std::string MemoryTypeText(uint8_t code) {
  if (const char* text = Find(kMemoryType, code, nullptr)) return text;
  return Format("Unknown %d", code);
}

std::string PointingDeviceTypeText(uint8_t code) { return Lookup(kPointingDeviceType, code); }
std::string PointingDeviceInterfaceText(uint8_t code) {
  return Lookup(kPointingDeviceInterface, code);
}
std::string BatteryChemistryText(uint8_t code) { return Lookup(kBatteryChemistry, code); }
std::string ProbeLocationText(uint8_t code) { return Lookup(kProbeLocation, code); }
std::string TemperatureProbeLocationText(uint8_t code) {
  if (const char* text = Find(kTemperatureProbeOnlyLocation, code, nullptr)) return text;
  return ProbeLocationText(code);
}
std::string ProbeStatusText(uint8_t code) { return Lookup(kProbeStatus, code); }
std::string CoolingDeviceTypeText(uint8_t code) { return Lookup(kCoolingDeviceType, code); }
std::string ErrorDetectingMethodText(uint8_t code) { return Lookup(kErrorDetectingMethod, code); }
std::string InterleaveText(uint8_t code) { return Lookup(kInterleave, code); }

}  // namespace vsm

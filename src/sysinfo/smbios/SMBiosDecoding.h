#pragma once
// The decoding tables from SMBIOS codes to the texts this program shows. A code a table does not
// list gives "Unknown" unless the function says otherwise.
#include <cstdint>
#include <string>

namespace vsm {

std::string BoardTypeText(uint8_t code);
std::string ChassisTypeText(uint8_t code);   // the code without its chassis-lock bit
std::string ChassisStateText(uint8_t code);  // boot-up and power-supply state
std::string ProcessorTypeText(uint8_t code);
std::string ProcessorUpgradeText(uint8_t code);
// Processor Family byte; unlisted codes give "Available for assignment".
std::string ProcessorFamilyText(uint8_t code);
// Processor Family 2 word, for words of 255 and more (below, the word's codes are the byte's).
std::string ProcessorFamily2Text(uint16_t code);
std::string CacheAssociativityText(uint8_t code);
std::string ConnectorTypeText(uint8_t code);
std::string PortTypeText(uint8_t code);
std::string SlotTypeText(uint8_t code);
std::string SlotDataBusWidthText(uint8_t code);
std::string SlotUsageText(uint8_t code);
std::string SlotLengthText(uint8_t code);
std::string OnBoardDeviceTypeText(uint8_t code);
std::string ArrayLocationText(uint8_t code);
std::string ArrayUseText(uint8_t code);
std::string ArrayErrorCorrectionText(uint8_t code);
std::string MemoryFormFactorText(uint8_t code);
// Unlisted codes give "Unknown %d" with the code.
std::string MemoryTypeText(uint8_t code);
std::string PointingDeviceTypeText(uint8_t code);
std::string PointingDeviceInterfaceText(uint8_t code);
std::string BatteryChemistryText(uint8_t code);
// Voltage and current probes; temperature probes know three more locations.
std::string ProbeLocationText(uint8_t code);
std::string TemperatureProbeLocationText(uint8_t code);
std::string ProbeStatusText(uint8_t code);  // also the cooling-device status
std::string CoolingDeviceTypeText(uint8_t code);
std::string ErrorDetectingMethodText(uint8_t code);
std::string InterleaveText(uint8_t code);

}  // namespace vsm

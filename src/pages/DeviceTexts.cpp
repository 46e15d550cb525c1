#include "pages/DeviceTexts.h"

#include <iterator>

namespace vsm {
namespace {

// Runs of blanks are part of the texts.
constexpr const char* kMediaTypes[] = {
    "unknown",
    "5.25\", 1.2MB",
    "3.5\",  1.44MB",
    "3.5\",  2.88MB",
    "3.5\",  20.8MB",
    "3.5\",  720KB",
    "5.25\", 360KB",
    "5.25\", 320KB",
    "5.25\", 320KB",
    "5.25\", 180KB",
    "5.25\", 160KB",
    "Removable media",
    "Fixed hard disk",
    "3.5\", 120M Floppy",
    "3.5\" ,  640KB",
    "5.25\",  640KB",
    "5.25\",  720KB",
    "3.5\" ,  1.2Mb",
    "3.5\" ,  1.23Mb",
    "5.25\",  1.23MB",
    "3.5\" MO 128Mb",
    "3.5\" MO 230Mb",
    "8\",     256KB",
    "3.5\",   200M Floppy (HiFD)",
    "3.5\",   240Mb Floppy (HiFD)",
    "3.5\",   32Mb Floppy",
};

struct CodeCaption {
  uint32_t code;
  const char* key;
  const char* builtIn;
};

constexpr CodeCaption kAdapterTypes[] = {
    {1, "OtherType", "Other"},
    {6, "Ethernet", "Ethernet"},
    {9, "TokenRing", "Token Ring"},
    {23, "PPP", "PPP"},
    {24, "SoftwareLookback", "Software Lookback"},
    {37, "ATM", "ATM"},
    {71, "IEEE802", "IEEE 802.11 Wireless"},
    {131, "Tunnel", "Tunnel type encapsulation"},
    {144, "IEEE1394", "IEEE 1394 Firewire"},
};

constexpr CodeCaption kOperStates[] = {
    {0, "LANdisabled", "LAN adapter has been disabled."},
    {1, "WANconnected", "WAN adapter that is not connected."},
    {2, "disconnected", "disconnected"},
    {3, "connecting", "adapter connecting."},
    {4, "connected", "connected to a remote peer."},
    {5, "Normal", "Normal"},
};

const CodeCaption* Find(const CodeCaption* begin, const CodeCaption* end, uint32_t code) {
  for (const CodeCaption* entry = begin; entry != end; ++entry) {
    if (entry->code == code) return entry;
  }
  return nullptr;
}

}  // namespace

std::string MediaTypeText(uint32_t mediaType) {
  return mediaType < std::size(kMediaTypes) ? kMediaTypes[mediaType] : kMediaTypes[0];
}

std::string AdapterTypeText(uint32_t type, const TPageTexts& texts) {
  const CodeCaption* entry = Find(std::begin(kAdapterTypes), std::end(kAdapterTypes), type);
  return entry ? texts.Caption(entry->key, entry->builtIn) : texts.Caption("Unknown type", "Unknown type");
}

std::string OperStatusText(uint32_t status, const TPageTexts& texts) {
  const CodeCaption* entry = Find(std::begin(kOperStates), std::end(kOperStates), status);
  return entry ? texts.Caption(entry->key, entry->builtIn) : std::string();
}

}  // namespace vsm

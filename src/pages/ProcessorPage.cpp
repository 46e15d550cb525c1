#include "base/text.h"
#include "hardware/cpu/CpuInfo.h"
#include "pages/InfoPages.h"
#include "pages/IntegerPattern.h"
#include "pages/PageFill.h"
#include "sysinfo/smbios/uSMBIOS.h"

namespace vsm {
namespace {

constexpr int kCpuTempClass = 32;
constexpr int kAverageTemperatureTag = 16;
constexpr const char* kCoreCaption = "Core %d temperature";

// A live temperature row: reading `index` of the CPU class (0 the average, n core n - 1).
void MakeTemperatureRow(TInfoRow& row, const THardwareParts& hardware, int index, const TPageTexts& texts) {
  row.Tag = index == 0 ? kAverageTemperatureTag : kCpuTempClass;
  row.Data = index;
  row.Live = [reading = hardware.reading, index, texts] {
    const double value = reading ? reading(kCpuTempClass, index) : 0;
    return value == 0 ? std::string("-") : texts.Temperature(value);
  };
}

// The translated core caption numbers the cores from 0; a translation that is no format for one
// integer gives way to the built-in text, numbered from 1.
std::string CoreCaption(const std::string& translated, int core) {
  if (std::optional<std::string> caption = FormatWithOneInteger(translated, core)) return *caption;
  return Format(kCoreCaption, core + 1);
}

}  // namespace

void FillProcessorPage(TInfoTree& tree, const THardwareParts* hardware, const TPageTexts& texts) {
  const TPageFill fill(tree, kInfoRowHeight, {kInfoValueColumn, true});
  if (!hardware || !hardware->cpu) return;
  const TCpuInfo& cpu = *hardware->cpu;
  const TSMBios* smbios = hardware->smbios;
  const TProcessorInformation* processor =
      smbios && smbios->HasProcessorInfo() ? smbios->ProcessorInfo().front().get() : nullptr;

  tree.Add(texts.Caption("Manufacter", "Manufacter"), cpu.Manufacturer);
  if (processor) {
    tree.Add(texts.Caption("Socket", "Socket Architecture"), processor->SocketDesignationStr());
    tree.Add(texts.Caption("Type", "Type"), processor->ProcessorTypeStr());
    tree.Add(texts.Caption("Familiy", "Familiy"), processor->ProcessorFamilyStr());
    tree.Add(texts.Caption("Version", "Version"), processor->ProcessorVersionStr());
  }
  tree.Add(texts.Caption("Processor", "Processor"), cpu.Description);
  if (processor) {
    tree.Add(texts.Caption("MaximumSpeed", "Maximum processor speed"),
             FigureText(processor->GetWord(0x14), "  Mhz"));
    tree.Add(texts.Caption("CurrentSpeed", "Current processor speed"),
             FigureText(processor->GetWord(0x16), "  Mhz"));
  }
  tree.Add(texts.Caption("Serial", "Serial Number"), cpu.ProcessorId);
  tree.Add(texts.Caption("CacheSize", "L2 Cache Size"), texts.ByteSize(cpu.CacheSize));
  if (processor) tree.Add(texts.Caption("Threads", "Threads Count"), Format("%d", processor->GetByte(0x25)));
  tree.Add(texts.Caption("Cores", "Core Count"), Format("%d", cpu.NumberOfCores));

  TInfoRow& average = tree.Add(texts.Caption("ATemperature", "Average Temperature"));
  average.Expanded = true;
  MakeTemperatureRow(average, *hardware, 0, texts);
  const std::string coreCaption = texts.Caption("CTemperature", kCoreCaption);
  for (int core = 0; core < cpu.NumberOfCores; ++core) {
    MakeTemperatureRow(average.Add(CoreCaption(coreCaption, core)), *hardware, core + 1, texts);
  }
}

}  // namespace vsm

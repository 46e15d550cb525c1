#include "base/text.h"
#include "hardware/graphics/GraphicsList.h"
#include "pages/InfoPages.h"
#include "pages/PageFill.h"

namespace vsm {
namespace {

constexpr int kUsageClass = 4;
constexpr int kTemperatureClass = 64;
constexpr int kUsageTag = 1;
constexpr int kTemperatureTag = 2;

void AddDisplay(TInfoRow& card, const TDisplay& display, const TPageTexts& texts) {
  TInfoRow& row = card.Add(texts.Caption("VideoDisplay", "Display Name"), display.Name);
  row.Add(texts.Caption("Manufactor", "Manufactor"), display.Manufacturer);
  row.Add(texts.Caption("ColorDepth", "Color Depth"), FigureText(display.ColorDepth, " bits"));
  const bool hasMode = display.HorzRes != 0 && display.VertRes != 0;
  row.Add(texts.Caption("VideoMode", "Video Mode"),
          hasMode ? Format("%d \u00D7 %d", display.HorzRes, display.VertRes) : std::string("-"));
  row.Add(texts.Caption("RefreshRate", "Refresh Rate"), FigureText(display.RefreshRate, " Hz"));
}

}  // namespace

void FillGraphicsPage(TInfoTree& tree, const THardwareParts* hardware, const TPageTexts& texts) {
  const TPageFill fill(tree, kInfoRowHeight, {kInfoValueColumn, false});
  if (!hardware || !hardware->Graphics) return;
  const auto reading = hardware->reading;
  for (int index = 0; index < hardware->Graphics->Count(); ++index) {
    TGraphicsCard& card = *hardware->Graphics->GetGraphics(index);
    TInfoRow& row = tree.Add(card.Name());
    row.Expanded = true;
    row.Add(texts.Caption("GPUChip", "GPU Chip"), card.VideoProcessor);
    row.Add(texts.Caption("EngineClock", "Engine Clock"), FigureText(card.coreClock(), " MHz"));
    row.Add(texts.Caption("MemoryClock", "Memory Clock"), FigureText(card.MemoryClock(), " MHz"));

    TInfoRow& usage = row.Add(texts.Caption("ActivityPercent", "Activity Percent"));
    usage.Tag = kUsageTag;
    usage.Data = index;
    usage.Live = [reading, index] {
      const double value = reading ? reading(kUsageClass, index) : 0;
      return value < 0 ? std::string("-") : Format("%d%%", static_cast<int>(value));
    };

    row.Add(texts.Caption("Memory", "Memory Size"),
            card.MemorySize() == 0 ? std::string("-") : texts.ByteSize(card.MemorySize()));
    row.Add(texts.Caption("MemoryType", "Memory type"), card.MemoryType());
    row.Add(texts.Caption("Technology", "Technology"), card.Technology());
    for (int d = 0; d < card.Displays().Count(); ++d) AddDisplay(row, *card.Displays().GetDisplay(d), texts);

    // A card without a sensor gets no temperature row. The snapshot answers: the vendor library is
    // called from the hardware thread only.
    if (hardware->Reading(kTemperatureClass, index) != 0) {
      TInfoRow& temperature = row.Add(texts.Caption("Temperature", "Temperature"));
      temperature.Tag = kTemperatureTag;
      temperature.Data = index;
      temperature.Live = [reading, index, texts] {
        const double value = reading ? reading(kTemperatureClass, index) : 0;
        return value < 0 ? std::string("-") : texts.Temperature(value);
      };
    }
  }
}

}  // namespace vsm

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "FakeGpuLibraries.h"
#include "GpuBlocks.h"
#include "GpuScenarios.h"
#include "hardware/graphics/ATIGraphics.h"
#include "hardware/graphics/GraphicsList.h"
#include "hardware/graphics/NvidiaGraphics.h"

namespace vsm {
namespace {

using namespace gpublocks;
using fake::PrepareNvidiaGpuWithDisplay;
using fake::TFakeAdl;
using fake::TFakeNvApi;

// WMI that answers prepared objects per query text and remembers what it was asked.
class FakeWmi {
 public:
  void Answer(const std::string& wql, WmiObjects objects) { answers_[wql] = std::move(objects); }
  WmiQueryFunction Function() {
    return [this](std::string_view nameSpace, std::string_view wql) -> std::optional<WmiObjects> {
      asked.emplace_back(wql);
      if (nameSpace != kWmiCimv2) return std::nullopt;
      auto found = answers_.find(std::string(wql));
      if (found == answers_.end()) return WmiObjects{};
      return found->second;
    };
  }
  std::vector<std::string> asked;

 private:
  std::map<std::string, WmiObjects> answers_;
};

std::string ControllerQuery(const std::string& name) {
  return "SELECT * From Win32_VideoController where name='" + name + "'";
}
const char* const kFallbackQuery = "SELECT Name, Status From Win32_VideoController";

WmiObject Controller(const std::string& name, int64_t adapterRam, int64_t memoryType) {
  return {{"Name", WmiValue::Text(name)},
          {"Description", WmiValue::Text(name + " (WDDM)")},
          {"AdapterDACType", WmiValue::Text("Internal DAC(400MHz)")},
          {"VideoProcessor", WmiValue::Text(name + " processor")},
          {"AdapterRAM", WmiValue::Int(adapterRam)},
          {"VideoMemoryType", WmiValue::Int(memoryType)},
          {"CurrentBitsPerPixel", WmiValue::Int(32)},
          {"CurrentHorizontalResolution", WmiValue::Int(1920)},
          {"CurrentVerticalResolution", WmiValue::Int(1080)},
          {"CurrentRefreshRate", WmiValue::Int(60)},
          {"Status", WmiValue::Text("OK")}};
}

// One AMD card whose three outputs ADL lists as adapters 7, 8 and 9, all with adapter ID 0x3100.
void PrepareOneAmdCardWithThreeOutputs(TFakeAdl& adl) {
  adl.replies.Set(fake::kAdlNumberOfAdapters, 0, 0, Words({3}));
  adl.replies.Set(fake::kAdlAdapterInfo, 0, 0,
                  Join({AdlAdapterRecord(7, "AMD Radeon HD 6800 Series"),
                        AdlAdapterRecord(8, "AMD Radeon HD 6800 Series"),
                        AdlAdapterRecord(9, "AMD Radeon HD 6800 Series")}));
  for (int index : {7, 8, 9}) adl.replies.Set(fake::kAdlAdapterId, index, 0, Words({0x3100}));
  adl.replies.Set(fake::kAdlMemoryInfo, 7, 0, AdlMemoryInfo(1LL << 30, "GDDR5"));
  adl.replies.Set(fake::kAdlActivity, 7, 0, AdlActivity(85000, 105000, 37));
  adl.replies.Set(fake::kAdlFanSpeed, 7, 0, AdlFanSpeed(1850));
  adl.replies.Set(fake::kAdlTemperature, 7, 0, AdlTemperature(61500));
}

TEST(AdlCards, OneCardFromThreeOutputsWithOneAdapterId) {
  TFakeAdl adl;
  PrepareOneAmdCardWithThreeOutputs(adl);
  FakeWmi wmi;
  auto cards = EnumerateAdlCards(adl, wmi.Function());
  ASSERT_EQ(cards.size(), 1u);
  auto* card = dynamic_cast<TATIGraphics*>(cards[0].get());
  ASSERT_NE(card, nullptr);
  EXPECT_EQ(card->AdapterIndex(), 7);
  EXPECT_EQ(card->Name(), "AMD Radeon HD 6800 Series");
}

TEST(AdlCards, OutputsOfConsecutiveCardsAndUnusableAdaptersAreSorted) {
  TFakeAdl adl;
  adl.replies.Set(fake::kAdlNumberOfAdapters, 0, 0, Words({5}));
  adl.replies.Set(
      fake::kAdlAdapterInfo, 0, 0,
      Join({AdlAdapterRecord(0, "First"), AdlAdapterRecord(1, "First"), AdlAdapterRecord(2, "Ghost"),
            AdlAdapterRecord(3, "Broken"), AdlAdapterRecord(4, "Second")}));
  adl.replies.Set(fake::kAdlAdapterId, 0, 0, Words({0x100}));
  adl.replies.Set(fake::kAdlAdapterId, 1, 0, Words({0x100}));
  adl.replies.Set(fake::kAdlAdapterId, 2, 0, Words({0}));       // ID 0: no card
  adl.replies.Set(fake::kAdlAdapterId, 3, -1, Words({0x300}));  // the call fails: no card
  adl.replies.Set(fake::kAdlAdapterId, 4, 0, Words({0x200}));
  FakeWmi wmi;
  auto cards = EnumerateAdlCards(adl, wmi.Function());
  ASSERT_EQ(cards.size(), 2u);
  EXPECT_EQ(cards[0]->Name(), "First");
  EXPECT_EQ(cards[1]->Name(), "Second");
}

TEST(AdlCards, NoCardsWhenTheLibraryDoesNotAnswer) {
  FakeWmi wmi;
  struct Case {
    const char* what;
    int countStatus;
    uint32_t count;
    bool infoAnswers;
  };
  const Case cases[] = {
      {"count fails", -1, 2, true},
      {"no adapters", 0, 0, true},
      {"negative count", 0, 0xFFFFFFFF, true},
      {"absurd count", 0, 5000000, true},
      {"adapter information fails", 0, 1, false},
  };
  for (const Case& c : cases) {
    TFakeAdl adl;
    adl.replies.Set(fake::kAdlNumberOfAdapters, 0, c.countStatus, Words({c.count}));
    if (c.infoAnswers) adl.replies.Set(fake::kAdlAdapterInfo, 0, 0, AdlAdapterRecord(0, "Card"));
    adl.replies.Set(fake::kAdlAdapterId, 0, 0, Words({0x100}));
    EXPECT_TRUE(EnumerateAdlCards(adl, wmi.Function()).empty()) << c.what;
  }
}

TEST(AdlCards, DetailsComeFromTheLibraryAndWmiOnlyFillsTheRest) {
  TFakeAdl adl;
  PrepareOneAmdCardWithThreeOutputs(adl);
  adl.replies.Set(fake::kAdlDisplayInfo, 7, 0,
                  Join({AdlDisplayInfo(0, "DELL U2410", "DEL", 1, 4, 0x3),
                        AdlDisplayInfo(1, "Projector", "EPS", 2, 4, 0x1),  // connected, not mapped
                        AdlDisplayInfo(2, "LG TV", "GSM", 3, 5, 0x3)}));
  adl.replies.Set(fake::kAdlDisplayMaps, 7, 0,
                  Join({AdlDisplayMap(2, 1280, 720, 16, 50.0f), AdlDisplayMap(0, 1920, 1200, 32, 59.94f)}));
  FakeWmi wmi;
  wmi.Answer(ControllerQuery("AMD Radeon HD 6800 Series"),
             {Controller("AMD Radeon HD 6800 Series", 268435456, 2)});
  auto cards = EnumerateAdlCards(adl, wmi.Function());
  ASSERT_EQ(cards.size(), 1u);
  const TGraphicsCard& card = *cards[0];

  EXPECT_EQ(card.MemorySize(), 1LL << 30);  // WMI's smaller figure does not replace ADL's
  EXPECT_EQ(card.MemoryType(), "GDDR5");
  EXPECT_EQ(card.coreClock(), 850);  // 85000 in units of 10 kHz
  EXPECT_EQ(card.MemoryClock(), 1050);
  EXPECT_EQ(card.FanSpeed(), 1850);
  EXPECT_EQ(card.DAC(), "Internal DAC(400MHz)");
  EXPECT_EQ(card.VideoProcessor, "AMD Radeon HD 6800 Series processor");
  EXPECT_EQ(card.Description, "AMD Radeon HD 6800 Series (WDDM)");

  ASSERT_EQ(card.Displays().Count(), 2);
  const TDisplay& dell = *card.Displays().GetDisplay(0);
  EXPECT_EQ(dell.Name, "DELL U2410");
  EXPECT_EQ(dell.Manufacturer, "DEL");
  EXPECT_EQ(dell.DisplayType, 1);
  EXPECT_EQ(dell.OutputType, 4);
  EXPECT_EQ(dell.HorzRes, 1920);
  EXPECT_EQ(dell.VertRes, 1200);
  EXPECT_EQ(dell.ColorDepth, 32);
  EXPECT_EQ(dell.RefreshRate, 60);
  const TDisplay& tv = *card.Displays().GetDisplay(1);
  EXPECT_EQ(tv.Name, "LG TV");
  EXPECT_EQ(tv.HorzRes, 1280);
  EXPECT_EQ(tv.RefreshRate, 50);
  EXPECT_EQ(card.Displays().GetDisplay(2), nullptr);
}

TEST(AdlCards, WithoutLibraryDetailsWmiFillsMemoryTypeSizeAndOneDisplay) {
  TFakeAdl adl;
  adl.replies.Set(fake::kAdlNumberOfAdapters, 0, 0, Words({1}));
  adl.replies.Set(fake::kAdlAdapterInfo, 0, 0, AdlAdapterRecord(0, "ATI Radeon X1300"));
  adl.replies.Set(fake::kAdlAdapterId, 0, 0, Words({0x100}));
  adl.replies.Set(fake::kAdlActivity, 0, 0, AdlActivity(0, -1, 0));  // no clocks reported
  FakeWmi wmi;
  wmi.Answer(ControllerQuery("ATI Radeon X1300"), {Controller("ATI Radeon X1300", 268435456, 13)});
  auto cards = EnumerateAdlCards(adl, wmi.Function());
  ASSERT_EQ(cards.size(), 1u);
  const TGraphicsCard& card = *cards[0];
  EXPECT_EQ(card.coreClock(), 0);
  EXPECT_EQ(card.MemoryClock(), 0);
  EXPECT_EQ(card.MemorySize(), 268435456);
  EXPECT_EQ(card.MemoryType(), "SGRAM");
  ASSERT_EQ(card.Displays().Count(), 1);
  EXPECT_EQ(card.Displays().GetDisplay(0)->HorzRes, 1920);
  EXPECT_EQ(card.Displays().GetDisplay(0)->VertRes, 1080);
  EXPECT_EQ(card.Displays().GetDisplay(0)->ColorDepth, 32);
  EXPECT_EQ(card.Displays().GetDisplay(0)->RefreshRate, 60);
}

TEST(AdlCards, TemperatureAndLoadAreReadLiveFromTheLibrary) {
  TFakeAdl adl;
  PrepareOneAmdCardWithThreeOutputs(adl);
  FakeWmi wmi;
  auto cards = EnumerateAdlCards(adl, wmi.Function());
  ASSERT_EQ(cards.size(), 1u);
  TGraphicsCard& card = *cards[0];
  EXPECT_DOUBLE_EQ(card.Temperature(), 61.5);
  EXPECT_EQ(card.usePercent(), 37);
  EXPECT_TRUE(card.HasTempSensor());

  adl.replies.Set(fake::kAdlTemperature, 7, 0, AdlTemperature(70250));
  adl.replies.Set(fake::kAdlActivity, 7, 0, AdlActivity(85000, 105000, -4));
  EXPECT_DOUBLE_EQ(card.Temperature(), 70.25);
  EXPECT_EQ(card.usePercent(), 0);  // a negative activity reads as 0

  adl.replies.Set(fake::kAdlTemperature, 7, -8, AdlTemperature(70250));
  adl.replies.Set(fake::kAdlActivity, 7, -8, AdlActivity(85000, 105000, 50));
  EXPECT_EQ(card.Temperature(), 0);
  EXPECT_EQ(card.usePercent(), 0);
  EXPECT_FALSE(card.HasTempSensor());
}

TEST(NvidiaCards, GpuWithDisplayTakesNameMemoryClocksAndDisplaysFromNvapi) {
  TFakeNvApi nv;
  PrepareNvidiaGpuWithDisplay(nv);
  FakeWmi wmi;
  wmi.Answer(ControllerQuery("NVIDIA GeForce GTX 560"), {Controller("NVIDIA GeForce GTX 560", 268435456, 2)});
  auto cards = EnumerateNvidiaCards(nv, wmi.Function());
  ASSERT_EQ(cards.size(), 1u);
  auto* card = dynamic_cast<TNvidiaGraphics*>(cards[0].get());
  ASSERT_NE(card, nullptr);
  EXPECT_EQ(card->GpuHandle(), 0x1000u);
  EXPECT_EQ(card->DisplayHandle(), 0x2000u);
  EXPECT_EQ(card->Name(), "NVIDIA GeForce GTX 560");
  EXPECT_EQ(card->MemorySize(), 1LL << 30);
  EXPECT_EQ(card->coreClock(), 810);     // 810.5 MHz rounds half to even
  EXPECT_EQ(card->MemoryClock(), 1002);  // 4010000 kHz / 4000 = 1002.5, half to even
  EXPECT_EQ(card->FanSpeed(), 0);
  EXPECT_EQ(card->MemoryType(), "DDRAM");  // NVAPI gives none, WMI's code 2
  EXPECT_EQ(card->VideoProcessor, "NVIDIA GeForce GTX 560 processor");

  ASSERT_EQ(card->Displays().Count(), 2);
  const TDisplay& first = *card->Displays().GetDisplay(0);
  EXPECT_EQ(first.DisplayType, 0x1);
  EXPECT_EQ(first.HorzRes, 2560);
  EXPECT_EQ(first.VertRes, 1440);
  EXPECT_EQ(first.ColorDepth, 32);
  EXPECT_EQ(first.RefreshRate, 144);
  const TDisplay& second = *card->Displays().GetDisplay(1);
  EXPECT_EQ(second.DisplayType, 0x5);
  EXPECT_EQ(second.HorzRes, 0);  // its mode request fails

  EXPECT_EQ(card->Temperature(), 54);
}

TEST(NvidiaCards, GpuWithoutDisplayHasNoNvapiMemoryOrClocksAndWmiSuppliesTheMemory) {
  TFakeNvApi nv;
  PrepareNvidiaGpuWithDisplay(nv);
  nv.replies.Set(nvapi::kEnumNvidiaDisplayHandle, 0, -7, {});  // NVAPI_END_ENUMERATION at once
  nv.replies.Set(nvapi::kGetMemoryInfo, 0, 0, NvMemoryInfo(2097152));
  FakeWmi wmi;
  wmi.Answer(ControllerQuery("NVIDIA GeForce GTX 560"), {Controller("NVIDIA GeForce GTX 560", 805306368, 2)});
  auto cards = EnumerateNvidiaCards(nv, wmi.Function());
  ASSERT_EQ(cards.size(), 1u);
  auto* card = dynamic_cast<TNvidiaGraphics*>(cards[0].get());
  ASSERT_NE(card, nullptr);
  EXPECT_EQ(card->DisplayHandle(), 0u);
  EXPECT_EQ(nv.replies.Asked(nvapi::kGetMemoryInfo), 0);
  EXPECT_EQ(nv.replies.Asked(nvapi::kGetAllClockFrequencies), 0);
  EXPECT_EQ(card->coreClock(), 0);
  EXPECT_EQ(card->MemoryClock(), 0);
  EXPECT_EQ(card->MemorySize(), 805306368);
}

TEST(NvidiaCards, ALaterDisplayReplacesAnEarlierOneAndEachGpuGetsItsOwn) {
  TFakeNvApi nv;
  nv.replies.Set(nvapi::kEnumPhysicalGPUs, 0, 0, Words({0xA0, 0xB0, 0xC0}));
  nv.replies.Set(nvapi::kEnumNvidiaDisplayHandle, 0, 0, Words({0x10}));
  nv.replies.Set(nvapi::kEnumNvidiaDisplayHandle, 1, 0, Words({0x11}));
  nv.replies.Set(nvapi::kEnumNvidiaDisplayHandle, 2, 0, Words({0x12}));
  nv.replies.Set(nvapi::kGetPhysicalGPUsFromDisplay, 0x10, 0, Words({0xA0}));
  nv.replies.Set(nvapi::kGetPhysicalGPUsFromDisplay, 0x11, 0, Words({0xB0}));
  nv.replies.Set(nvapi::kGetPhysicalGPUsFromDisplay, 0x12, 0, Words({0xA0}));
  FakeWmi wmi;
  auto cards = EnumerateNvidiaCards(nv, wmi.Function());
  ASSERT_EQ(cards.size(), 3u);
  EXPECT_EQ(dynamic_cast<TNvidiaGraphics&>(*cards[0]).DisplayHandle(), 0x12u);
  EXPECT_EQ(dynamic_cast<TNvidiaGraphics&>(*cards[1]).DisplayHandle(), 0x11u);
  EXPECT_EQ(dynamic_cast<TNvidiaGraphics&>(*cards[2]).DisplayHandle(), 0u);
  EXPECT_EQ(cards[0]->Name(), "NVIDIA ");  // the name request fails
}

TEST(NvidiaCards, UsageFromPstatesElseFromUsagesElseZero) {
  TFakeNvApi nv;
  PrepareNvidiaGpuWithDisplay(nv);
  FakeWmi wmi;
  auto cards = EnumerateNvidiaCards(nv, wmi.Function());
  ASSERT_EQ(cards.size(), 1u);
  TGraphicsCard& card = *cards[0];

  struct Case {
    const char* what;
    int pstatesStatus;
    bool gpuPresent;
    uint32_t pstatesPercent;
    int usagesStatus;
    uint32_t usagesPercent;
    int expected;
  };
  const Case cases[] = {
      {"P-states", 0, true, 37, 0, 12, 37},
      {"P-states without the GPU domain", 0, false, 37, 0, 12, 12},
      {"P-states reporting 0", 0, true, 0, 0, 12, 12},
      {"P-states failing", -9, true, 37, 0, 12, 12},
      {"both failing", -3, true, 37, -3, 12, 0},
  };
  for (const Case& c : cases) {
    nv.replies.Set(nvapi::kGetDynamicPstatesInfoEx, 0x1000, c.pstatesStatus,
                   NvPstates(c.gpuPresent, c.pstatesPercent));
    nv.replies.Set(nvapi::kGetUsages, 0x1000, c.usagesStatus, NvUsages(c.usagesPercent));
    EXPECT_EQ(card.usePercent(), c.expected) << c.what;
  }

  nv.replies.Set(nvapi::kGetThermalSettings, 0x1000, 0, NvThermal(71));
  EXPECT_EQ(card.Temperature(), 71);
  nv.replies.Set(nvapi::kGetThermalSettings, 0x1000, -5, NvThermal(71));
  EXPECT_EQ(card.Temperature(), 0);
  EXPECT_FALSE(card.HasTempSensor());
}

TEST(NvidiaCards, CountsBeyondTheArraysAreCutToThem) {
  TFakeNvApi nv;
  std::vector<uint8_t> many;
  for (uint32_t i = 0; i < 70; ++i) {
    auto word = Words({0x100 + i});
    many.insert(many.end(), word.begin(), word.end());
  }
  nv.replies.Set(nvapi::kEnumPhysicalGPUs, 0, 0, many);
  for (uint32_t i = 0; i < 100; ++i) nv.replies.Set(nvapi::kEnumNvidiaDisplayHandle, i, 0, Words({0x9000}));
  nv.replies.Set(nvapi::kGetPhysicalGPUsFromDisplay, 0x9000, 0, many);
  std::vector<uint8_t> ids;
  for (uint32_t i = 0; i < 40; ++i) {
    auto id = NvDisplayId(1, i);
    ids.insert(ids.end(), id.begin(), id.end());
  }
  nv.replies.Set(nvapi::kGetConnectedDisplayIds, 0x100, 0, ids);
  FakeWmi wmi;
  auto cards = EnumerateNvidiaCards(nv, wmi.Function());
  ASSERT_EQ(cards.size(), 64u);
  EXPECT_EQ(cards[0]->Displays().Count(), 32);
  EXPECT_LE(nv.replies.Asked(nvapi::kEnumNvidiaDisplayHandle), 64);
}

// A wrapper may hand back fewer bytes than its count claims: only whole records held are read.
TEST(GraphicsParsers, ReadOnlyWholeRecordsTheWrappersHold) {
  FakeWmi wmi;
  TFakeNvApi nv;
  PrepareNvidiaGpuWithDisplay(nv);
  nv.displayIdsHeld = nvapi::kDisplayIdsSize + 8;  // the first entry and half of the second
  auto nvidia = EnumerateNvidiaCards(nv, wmi.Function());
  ASSERT_EQ(nvidia.size(), 1u);
  EXPECT_EQ(nvidia[0]->Displays().Count(), 1);

  TFakeAdl adl;
  PrepareOneAmdCardWithThreeOutputs(adl);
  adl.replies.Set(fake::kAdlAdapterId, 8, 0, Words({0x3200}));  // the second output is a card of its own
  adl.adapterInfoHeld = adl::kAdapterInfoSize + 100;
  auto amd = EnumerateAdlCards(adl, wmi.Function());
  ASSERT_EQ(amd.size(), 1u);
  EXPECT_EQ(dynamic_cast<TATIGraphics&>(*amd[0]).AdapterIndex(), 7);
}

TEST(GraphicsList, AmdCardsComeBeforeNvidiaCardsAndWmiIsNotAskedForCards) {
  TFakeAdl adl;
  PrepareOneAmdCardWithThreeOutputs(adl);
  TFakeNvApi nv;
  PrepareNvidiaGpuWithDisplay(nv);
  FakeWmi wmi;
  wmi.Answer(kFallbackQuery, {Controller("Basic Display Adapter", 0, 0)});
  auto list = CreateGraphicsList(&adl, &nv, wmi.Function());
  ASSERT_EQ(list->Count(), 2);
  EXPECT_NE(dynamic_cast<TATIGraphics*>(list->GetGraphics(0)), nullptr);
  EXPECT_NE(dynamic_cast<TNvidiaGraphics*>(list->GetGraphics(1)), nullptr);
  EXPECT_EQ(list->GetGraphics(2), nullptr);
  EXPECT_EQ(list->GetGraphics(-1), nullptr);
  for (const std::string& query : wmi.asked) EXPECT_NE(query, kFallbackQuery);
  EXPECT_TRUE(list->HasTempSensor());
}

TEST(GraphicsList, WithoutVendorCardsEveryControllerWithStatusOkBecomesACardWithoutSensors) {
  FakeWmi wmi;
  WmiObject broken = Controller("Second Adapter", 0, 0);
  broken.Set("Status", WmiValue::Text("Error"));
  WmiObject nameless = Controller("", 0, 0);
  nameless.Set("Name", WmiValue::Null());
  WmiObject lowerCase = Controller("Third Adapter", 0, 0);
  lowerCase.Set("Status", WmiValue::Text("ok"));
  wmi.Answer(kFallbackQuery, {Controller("Microsoft Basic Display Adapter", 0, 0), broken, nameless,
                              lowerCase, Controller("Mirror Driver", 0, 0)});
  wmi.Answer(ControllerQuery("Microsoft Basic Display Adapter"),
             {Controller("Microsoft Basic Display Adapter", 1073741824, 2)});
  TFakeAdl adl;  // answers nothing
  TFakeNvApi nv;
  nv.replies.Set(nvapi::kEnumPhysicalGPUs, 0, -6, {});  // NVAPI_NVIDIA_DEVICE_NOT_FOUND

  for (auto* library : {static_cast<TAdlLibrary*>(&adl), static_cast<TAdlLibrary*>(nullptr)}) {
    auto list = CreateGraphicsList(library, library ? &nv : nullptr, wmi.Function());
    ASSERT_EQ(list->Count(), 2);
    TGraphicsCard& basic = *list->GetGraphics(0);
    EXPECT_NE(dynamic_cast<TUnknowGraphics*>(&basic), nullptr);
    EXPECT_EQ(basic.Name(), "Microsoft Basic Display Adapter");
    EXPECT_EQ(basic.Temperature(), 0);
    EXPECT_EQ(basic.usePercent(), 0);
    EXPECT_EQ(basic.MemorySize(), 1073741824);
    EXPECT_EQ(basic.MemoryType(), "DDRAM");
    EXPECT_EQ(basic.Displays().Count(), 1);
    EXPECT_EQ(list->GetGraphics(1)->Name(), "Mirror Driver");
    EXPECT_FALSE(list->HasTempSensor());
  }
}

TEST(GraphicsList, NoCardsAtAllWhenWmiHasNone) {
  FakeWmi wmi;
  auto list = CreateGraphicsList(nullptr, nullptr, wmi.Function());
  EXPECT_EQ(list->Count(), 0);
  EXPECT_FALSE(list->HasTempSensor());
  EXPECT_EQ(CreateGraphicsList(nullptr, nullptr, WmiQueryFunction{})->Count(), 0);
}

TEST(GraphicsCardWmi, ANameWithQuotesCannotBreakTheQuery) {
  FakeWmi wmi;
  wmi.Answer(kFallbackQuery, {Controller("Vendor's \\ Card", 0, 0)});
  auto list = CreateGraphicsList(nullptr, nullptr, wmi.Function());
  ASSERT_EQ(list->Count(), 1);
  ASSERT_EQ(wmi.asked.size(), 2u);
  EXPECT_EQ(wmi.asked[1], "SELECT * From Win32_VideoController where name='Vendor\\'s \\\\ Card'");
}

TEST(GraphicsCardWmi, VideoMemoryTypeCodes) {
  const std::pair<int64_t, const char*> cases[] = {{0, ""},
                                                   {1, ""},
                                                   {2, "DDRAM"},
                                                   {3, "VRAM"},
                                                   {4, "DRAM"},
                                                   {5, "SRAM"},
                                                   {6, "WRAM"},
                                                   {7, "EDO RAM"},
                                                   {8, "Burst Synchronous DRAM"},
                                                   {9, "Pipelined Burst SRAM"},
                                                   {10, "CDRAM"},
                                                   {11, "3DRAM"},
                                                   {12, "SDRAM"},
                                                   {13, "SGRAM"},
                                                   {14, ""},
                                                   {-2, ""}};
  for (const auto& [code, name] : cases) EXPECT_EQ(VideoMemoryTypeName(code), name) << code;
}

}  // namespace
}  // namespace vsm

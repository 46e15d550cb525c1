#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FakeGpuLibraries.h"
#include "GpuBlocks.h"
#include "base/library_win.h"
#include "base/module_path_win.h"
#include "hardware/graphics/ATIGraphics.h"
#include "hardware/graphics/AdlLibrary_win.h"
#include "hardware/graphics/GraphicsList_win.h"
#include "hardware/graphics/NvApiLibrary_win.h"
#include "hardware/graphics/NvidiaGraphics.h"
#include "sysinfo/wmi_win.h"

namespace vsm {
namespace {

using namespace gpublocks;

std::wstring FakesFolder() { return ExecutableFolder() + L"gpu_fakes\\"; }

// A fake vendor library file, loaded by full path (the same module the binding then gets), with
// its control exports for preparing replies.
class FakeLibraryFile {
 public:
  explicit FakeLibraryFile(const std::wstring& path) : module_(LoadLibraryW(path.c_str())) {
    reply_ = BindFunction<ReplyFn>(module_, "FakeGpu_Reply");
    reset_ = BindFunction<ResetFn>(module_, "FakeGpu_Reset");
    asked_ = BindFunction<AskedFn>(module_, "FakeGpu_Asked");
    if (Loaded()) reset_();
  }
  bool Loaded() const { return reply_ && reset_ && asked_; }
  void Reply(uint32_t call, uint64_t key, int status, const Bytes& bytes = {}) {
    reply_(call, key, status, bytes.data(), static_cast<int>(bytes.size()));
  }
  int Asked(uint32_t call) const { return asked_(call); }

 private:
  using ReplyFn = void (*)(uint32_t, uint64_t, int, const uint8_t*, int);
  using ResetFn = void (*)();
  using AskedFn = int (*)(uint32_t);
  HMODULE module_;
  ReplyFn reply_ = nullptr;
  ResetFn reset_ = nullptr;
  AskedFn asked_ = nullptr;
};

void PrepareAmdCard(FakeLibraryFile& adl) {
  adl.Reply(fake::kAdlControlCreate, 0, 0);
  adl.Reply(fake::kAdlNumberOfAdapters, 0, 0, Words({3}));
  adl.Reply(fake::kAdlAdapterInfo, 0, 0,
            Join({AdlAdapterRecord(4, "AMD Radeon HD 7800 Series"),
                  AdlAdapterRecord(5, "AMD Radeon HD 7800 Series"),
                  AdlAdapterRecord(6, "AMD Radeon HD 7800 Series")}));
  for (int index : {4, 5, 6}) adl.Reply(fake::kAdlAdapterId, index, 0, Words({0x2200}));
  adl.Reply(fake::kAdlActivity, 4, 0, AdlActivity(85000, 120000, 41));
  adl.Reply(fake::kAdlTemperature, 4, 0, AdlTemperature(58000));
  adl.Reply(fake::kAdlDisplayInfo, 4, 0,
            Join({AdlDisplayInfo(0, "BenQ GW2470", "BNQ", 1, 4, 0x3),
                  AdlDisplayInfo(1, "Unplugged", "", 1, 4, 0x0)}));
  adl.Reply(fake::kAdlDisplayMaps, 4, 0, AdlDisplayMap(0, 1920, 1080, 32, 59.95f));
}

void PrepareNvidiaGpu(FakeLibraryFile& nv, bool withDisplay) {
  nv.Reply(nvapi::kInitialize, 0, 0);
  nv.Reply(nvapi::kEnumPhysicalGPUs, 0, 0, Words({0x5100}));
  if (withDisplay) {
    nv.Reply(nvapi::kEnumNvidiaDisplayHandle, 0, 0, Words({0x6100}));
    nv.Reply(nvapi::kGetPhysicalGPUsFromDisplay, 0x6100, 0, Words({0x5100}));
  } else {
    nv.Reply(nvapi::kEnumNvidiaDisplayHandle, 0, -7);  // end of the enumeration
  }
  nv.Reply(nvapi::kGetFullName, 0x5100, 0, Ansi("GeForce GTX 1060 6GB"));
  nv.Reply(nvapi::kGetMemoryInfo, 0x6100, 0, NvMemoryInfo(6291456));
  nv.Reply(nvapi::kGetAllClockFrequencies, 0x5100, 0, NvClocks(1506000, 8008000));
  nv.Reply(nvapi::kGetThermalSettings, 0x5100, 0, NvThermal(47));
  nv.Reply(nvapi::kGetDynamicPstatesInfoEx, 0x5100, 0, NvPstates(true, 23));
}

class GraphicsThroughFakeLibraries : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(adlFile.Loaded());
    ASSERT_TRUE(nvFile.Loaded());
  }
  FakeLibraryFile adlFile{FakesFolder() + L"atiadlxx.dll"};
  FakeLibraryFile nvFile{FakesFolder() + L"nvapi.dll"};
};

TEST_F(GraphicsThroughFakeLibraries, OneAmdCardFromThreeOutputsWithClocksDisplaysAndLiveSensors) {
  PrepareAmdCard(adlFile);
  auto adl = BindAdlLibrary(FakesFolder());
  ASSERT_NE(adl, nullptr);
  auto list = CreateGraphicsList(adl.get(), nullptr, SystemWmi());
  ASSERT_EQ(list->Count(), 1);
  auto* card = dynamic_cast<TATIGraphics*>(list->GetGraphics(0));
  ASSERT_NE(card, nullptr);
  EXPECT_EQ(card->AdapterIndex(), 4);
  EXPECT_EQ(card->Name(), "AMD Radeon HD 7800 Series");
  EXPECT_EQ(card->coreClock(), 850);
  EXPECT_EQ(card->MemoryClock(), 1200);
  // The display list came through the library's allocation callback and was freed by the binding.
  ASSERT_EQ(card->Displays().Count(), 1);
  EXPECT_EQ(card->Displays().GetDisplay(0)->Name, "BenQ GW2470");
  EXPECT_EQ(card->Displays().GetDisplay(0)->HorzRes, 1920);
  EXPECT_EQ(card->Displays().GetDisplay(0)->RefreshRate, 60);

  EXPECT_DOUBLE_EQ(card->Temperature(), 58.0);
  EXPECT_EQ(card->usePercent(), 41);
  adlFile.Reply(fake::kAdlTemperature, 4, 0, AdlTemperature(63250));
  EXPECT_DOUBLE_EQ(card->Temperature(), 63.25);
  EXPECT_TRUE(list->HasTempSensor());
}

TEST_F(GraphicsThroughFakeLibraries, AmdCardComesBeforeNvidiaCard) {
  PrepareAmdCard(adlFile);
  PrepareNvidiaGpu(nvFile, true);
  auto adl = BindAdlLibrary(FakesFolder());
  auto nv = BindNvApiLibrary(FakesFolder());
  ASSERT_NE(adl, nullptr);
  ASSERT_NE(nv, nullptr);
  auto list = CreateGraphicsList(adl.get(), nv.get(), SystemWmi());
  ASSERT_EQ(list->Count(), 2);
  EXPECT_NE(dynamic_cast<TATIGraphics*>(list->GetGraphics(0)), nullptr);
  auto* nvidia = dynamic_cast<TNvidiaGraphics*>(list->GetGraphics(1));
  ASSERT_NE(nvidia, nullptr);
  EXPECT_EQ(nvidia->Name(), "NVIDIA GeForce GTX 1060 6GB");
  EXPECT_EQ(nvidia->DisplayHandle(), 0x6100u);
  EXPECT_EQ(nvidia->MemorySize(), 6442450944LL);
  EXPECT_EQ(nvidia->coreClock(), 1506);
  EXPECT_EQ(nvidia->MemoryClock(), 2002);
  EXPECT_EQ(nvidia->Temperature(), 47);
  EXPECT_EQ(nvidia->usePercent(), 23);
}

TEST_F(GraphicsThroughFakeLibraries, NvidiaGpuWithoutDisplayTakesItsMemoryFromWmi) {
  PrepareNvidiaGpu(nvFile, false);
  auto nv = BindNvApiLibrary(FakesFolder());
  ASSERT_NE(nv, nullptr);
  auto wine = WmiQuery("SELECT * From Win32_VideoController");
  ASSERT_TRUE(wine.has_value());
  ASSERT_FALSE(wine->empty());
  // Wine's one controller stands in for the card's own controller entry.
  const std::string cardQuery =
      "SELECT * From Win32_VideoController where name='NVIDIA GeForce GTX 1060 6GB'";
  const std::string wineQuery =
      "SELECT * From Win32_VideoController where name='" + wine->front().GetText("Name") + "'";
  WmiQueryFunction wmi = [&](std::string_view nameSpace, std::string_view wql) {
    return RunWmiQuery(nameSpace, wql == cardQuery ? std::string_view(wineQuery) : wql);
  };
  auto list = CreateGraphicsList(nullptr, nv.get(), wmi);
  ASSERT_EQ(list->Count(), 1);
  TGraphicsCard& card = *list->GetGraphics(0);
  ASSERT_NE(dynamic_cast<TNvidiaGraphics*>(&card), nullptr);
  EXPECT_EQ(card.Name(), "NVIDIA GeForce GTX 1060 6GB");
  EXPECT_EQ(nvFile.Asked(nvapi::kGetMemoryInfo), 0);
  EXPECT_EQ(card.coreClock(), 0);
  EXPECT_EQ(card.MemoryClock(), 0);
  EXPECT_GT(card.MemorySize(), 0);
  EXPECT_EQ(card.MemorySize(), WmiVarToInt64(wine->front().Get("AdapterRAM")));
  EXPECT_EQ(card.VideoProcessor, wine->front().GetText("VideoProcessor"));
}

TEST_F(GraphicsThroughFakeLibraries, ALibraryThatDoesNotStartIsNotBound) {
  adlFile.Reply(fake::kAdlControlCreate, 0, -1);
  EXPECT_EQ(BindAdlLibrary(FakesFolder()), nullptr);
  nvFile.Reply(nvapi::kInitialize, 0, -6);
  EXPECT_EQ(BindNvApiLibrary(FakesFolder()), nullptr);
}

TEST(GraphicsBinding, LoadsOnlyFromTheFolderItIsGiven) {
  // Even with the fakes on the DLL search path, a folder without the libraries binds nothing.
  ASSERT_TRUE(SetDllDirectoryW(FakesFolder().c_str()));
  EXPECT_EQ(BindAdlLibrary(ExecutableFolder()), nullptr);
  EXPECT_EQ(BindNvApiLibrary(ExecutableFolder()), nullptr);
  EXPECT_EQ(BindAdlLibrary(L""), nullptr);
  EXPECT_EQ(BindNvApiLibrary(L""), nullptr);
  SetDllDirectoryW(nullptr);
}

TEST(GraphicsBinding, FallsBackToTheSecondAdlFileName) {
  FakeLibraryFile second(FakesFolder() + L"second\\atiadlxy.dll");
  ASSERT_TRUE(second.Loaded());
  second.Reply(fake::kAdlControlCreate, 0, 0);
  EXPECT_NE(BindAdlLibrary(FakesFolder() + L"second"), nullptr);
  EXPECT_EQ(second.Asked(fake::kAdlControlCreate), 1);
}

TEST(GraphicsWithoutVendorLibraries, WineVideoControllersWithStatusOkBecomeCardsWithoutSensors) {
  auto controllers = WmiQuery("SELECT * From Win32_VideoController");
  ASSERT_TRUE(controllers.has_value());
  std::vector<const WmiObject*> ok;
  for (const WmiObject& c : *controllers) {
    if (c.GetText("Status") == "OK") ok.push_back(&c);
  }
  ASSERT_FALSE(ok.empty());

  std::unique_ptr<TGraphicsList> lists[] = {CreateGraphicsList(nullptr, nullptr, SystemWmi()),
                                            CreateSystemGraphicsList()};
  for (const auto& list : lists) {
    ASSERT_EQ(list->Count(), static_cast<int>(ok.size()));
    for (int i = 0; i < list->Count(); ++i) {
      TGraphicsCard& card = *list->GetGraphics(i);
      EXPECT_NE(dynamic_cast<TUnknowGraphics*>(&card), nullptr);
      EXPECT_EQ(card.Name(), ok[i]->GetText("Name"));
      EXPECT_EQ(card.Temperature(), 0);
      EXPECT_EQ(card.usePercent(), 0);
      EXPECT_EQ(card.MemorySize(), WmiVarToInt64(ok[i]->Get("AdapterRAM")));
      EXPECT_EQ(card.DAC(), ok[i]->GetText("AdapterDACType"));
      EXPECT_EQ(card.VideoProcessor, ok[i]->GetText("VideoProcessor"));
      EXPECT_EQ(card.MemoryType(), VideoMemoryTypeName(WmiVarToInt64(ok[i]->Get("VideoMemoryType"))));
      ASSERT_EQ(card.Displays().Count(), 1);
      EXPECT_EQ(card.Displays().GetDisplay(0)->HorzRes,
                WmiVarToInt64(ok[i]->Get("CurrentHorizontalResolution")));
    }
    EXPECT_FALSE(list->HasTempSensor());
  }
}

}  // namespace
}  // namespace vsm

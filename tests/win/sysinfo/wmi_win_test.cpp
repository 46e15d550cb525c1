#include "sysinfo/wmi_win.h"

#include <windows.h>
#include <gtest/gtest.h>
#include <objbase.h>

#include <fstream>
#include <string>
#include <thread>

#include "base/text.h"
#include "sysinfo/SoundList.h"

namespace vsm {
namespace {

// The first "model name" line of the Linux machine's processor list, as Wine sees the file.
std::string LinuxModelName() {
  std::ifstream cpuinfo("Z:\\proc\\cpuinfo");
  std::string line;
  while (std::getline(cpuinfo, line)) {
    if (line.rfind("model name", 0) == 0) {
      size_t colon = line.find(':');
      if (colon != std::string::npos) return Trim(line.substr(colon + 1));
    }
  }
  return {};
}

TEST(WmiQuery, ProcessorNameIsTheMachinesOwn) {
  std::string expected = LinuxModelName();
  if (expected.empty()) GTEST_SKIP() << "this machine lists no processor model name";
  auto processors = WmiQuery("SELECT * From Win32_Processor");
  ASSERT_TRUE(processors.has_value());
  ASSERT_FALSE(processors->empty());
  const WmiValue& name = processors->front().Get("Name");
  ASSERT_EQ(name.kind, WmiValue::Kind::Text);
  EXPECT_EQ(Trim(name.text), expected);
  // Unsigned and numeric properties arrive as numbers.
  EXPECT_EQ(processors->front().Get("NumberOfLogicalProcessors").kind, WmiValue::Kind::Integer);
  EXPECT_GT(WmiVarToInt64(processors->front().Get("NumberOfLogicalProcessors")), 0);
}

TEST(WmiQuery, BaseBoardHasItsFourIdentityStrings) {
  auto boards = WmiQuery("SELECT * From Win32_BaseBoard");
  ASSERT_TRUE(boards.has_value());
  ASSERT_FALSE(boards->empty());
  for (const char* property : {"Manufacturer", "Product", "SerialNumber", "Version"}) {
    WmiValue::Kind kind = boards->front().Get(property).kind;
    EXPECT_TRUE(kind == WmiValue::Kind::Text || kind == WmiValue::Kind::Null) << property;
  }
  EXPECT_EQ(boards->front().Get("Manufacturer").kind, WmiValue::Kind::Text);
  EXPECT_EQ(boards->front().Get("Product").kind, WmiValue::Kind::Text);
}

TEST(WmiQuery, ABadQueryGivesNothing) {
  EXPECT_FALSE(WmiQuery("this is not a query").has_value());
  EXPECT_FALSE(WmiQuery("SELECT * From").has_value());
  EXPECT_FALSE(RunWmiQuery("ROOT\\NoSuchNamespace", "SELECT * From Win32_Processor").has_value());
}

TEST(WmiQuery, ANamedServerAnswersLikeThisMachine) {
  const WmiQueryFunction localhost = RemoteWmi()("localhost", "", "");
  ASSERT_TRUE(localhost);
  auto remote = localhost(kWmiCimv2, "SELECT Name From Win32_Processor");
  auto local = WmiQuery("SELECT Name From Win32_Processor");
  ASSERT_TRUE(remote.has_value());
  ASSERT_TRUE(local.has_value());
  ASSERT_EQ(remote->size(), local->size());
  EXPECT_EQ(remote->front().GetText("Name"), local->front().GetText("Name"));
  // A machine that does not exist: the query cannot run.
  EXPECT_FALSE(RemoteWmi()("no-such-host.invalid", "", "")(kWmiCimv2, "SELECT Name From Win32_Processor"));
}

TEST(WmiQuery, AnUnknownClassGivesNoObject) {
  // Windows fails the enumeration (nothing); Wine answers an empty result.
  auto unknown = WmiQuery("SELECT * From Win32_NoSuchClass");
  EXPECT_TRUE(!unknown.has_value() || unknown->empty());
}

TEST(WmiQuery, AQueryThatMatchesNothingGivesAnEmptyList) {
  auto none = WmiQuery("SELECT * From Win32_Processor where Name='no such processor'");
  ASSERT_TRUE(none.has_value());
  EXPECT_TRUE(none->empty());
}

TEST(WmiQuery, LeavesTheCallingThreadsApartmentAsItFoundIt) {
  // A thread in the single-threaded apartment stays there.
  std::thread([] {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    EXPECT_TRUE(WmiQuery("SELECT * From Win32_Processor").has_value());
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE);
    CoUninitialize();
    CoUninitialize();
  }).join();
  // A thread without COM is left without it, free to choose its apartment later.
  std::thread([] {
    EXPECT_TRUE(WmiQuery("SELECT * From Win32_Processor").has_value());
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    CoUninitialize();
  }).join();
}

TEST(WmiQuery, SelectedPropertiesOnlyAndUnsignedNumbersStayUnsigned) {
  auto controllers = WmiQuery("SELECT Name, Status From Win32_VideoController");
  ASSERT_TRUE(controllers.has_value());
  ASSERT_FALSE(controllers->empty());
  EXPECT_EQ(controllers->front().Get("Name").kind, WmiValue::Kind::Text);
  EXPECT_EQ(controllers->front().Get("AdapterRAM").kind, WmiValue::Kind::Null);

  auto full = WmiQuery("SELECT * From Win32_VideoController");
  ASSERT_TRUE(full.has_value());
  ASSERT_FALSE(full->empty());
  const WmiValue& ram = full->front().Get("AdapterRAM");
  ASSERT_EQ(ram.kind, WmiValue::Kind::Integer);
  EXPECT_GT(ram.integer, 0);
}

TEST(CreateSoundList, ListsWhatWmiListsAsSoundDevices) {
  auto devices = WmiQuery("SELECT * From Win32_SoundDevice");
  ASSERT_TRUE(devices.has_value());
  auto list = CreateSoundList(SystemWmi());
  ASSERT_EQ(list->Count(), static_cast<int>(devices->size()));
  for (int i = 0; i < list->Count(); ++i) {
    EXPECT_EQ(list->GetSound(i)->Name(), (*devices)[i].GetText("Name"));
    EXPECT_EQ(list->GetSound(i)->Description(), (*devices)[i].GetText("Description"));
  }
}

}  // namespace
}  // namespace vsm

#include <gtest/gtest.h>

#include <string>

#include "sysinfo/SoundList.h"

namespace vsm {
namespace {

struct RecordedQuery {
  std::string nameSpace, wql;
};

WmiQueryFunction Answering(std::optional<WmiObjects> answer, RecordedQuery* seen) {
  return [answer, seen](std::string_view nameSpace, std::string_view wql) {
    *seen = {std::string(nameSpace), std::string(wql)};
    return answer;
  };
}

TEST(CreateSoundList, OneAdapterPerSoundDeviceInOrder) {
  RecordedQuery seen;
  WmiObjects devices = {
      {{"Name", WmiValue::Text("Realtek High Definition Audio")},
       {"Description", WmiValue::Text("Realtek High Definition Audio")},
       {"Manufacturer", WmiValue::Text("Realtek")}},
      {{"Name", WmiValue::Text("NVIDIA High Definition Audio")}, {"Description", WmiValue::Null()}},
  };
  auto list = CreateSoundList(Answering(devices, &seen));
  EXPECT_EQ(seen.nameSpace, "ROOT\\CIMV2");
  EXPECT_EQ(seen.wql, "SELECT * From Win32_SoundDevice");
  ASSERT_EQ(list->Count(), 2);
  EXPECT_EQ(list->GetSound(0)->Name(), "Realtek High Definition Audio");
  EXPECT_EQ(list->GetSound(0)->Description(), "Realtek High Definition Audio");
  EXPECT_EQ(list->GetSound(0)->WmiObject().GetText("Manufacturer"), "Realtek");
  EXPECT_EQ(list->GetSound(1)->Name(), "NVIDIA High Definition Audio");
  EXPECT_EQ(list->GetSound(1)->Description(), "");  // a null Description reads as empty text
  EXPECT_EQ(list->GetSound(2), nullptr);
  EXPECT_EQ(list->GetSound(-1), nullptr);
}

TEST(CreateSoundList, NoDevicesOrNoWmiGiveAnEmptyList) {
  RecordedQuery seen;
  EXPECT_EQ(CreateSoundList(Answering(WmiObjects{}, &seen))->Count(), 0);
  EXPECT_EQ(CreateSoundList(Answering(std::nullopt, &seen))->Count(), 0);
  EXPECT_EQ(CreateSoundList(WmiQueryFunction{})->Count(), 0);
}

TEST(TSoundList, ClearFreesEveryAdapter) {
  TSoundList list;
  list.Add(std::make_unique<TSoundAdapter>(WmiObject{{"Name", WmiValue::Text("first")}}));
  list.Add(std::make_unique<TSoundAdapter>(WmiObject{{"Name", WmiValue::Text("second")}}));
  EXPECT_EQ(list.GetSound(1)->Name(), "second");
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.GetSound(0), nullptr);
}

}  // namespace
}  // namespace vsm

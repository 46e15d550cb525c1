#include "sysinfo/wmi.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vsm {
namespace {

TEST(WmiVarToInt64, ConvertsWhatItCanAndGivesZeroOtherwise) {
  struct Case {
    const char* what;
    WmiValue value;
    int64_t expected;
  };
  const Case cases[] = {
      {"null", WmiValue::Null(), 0},
      {"text 12", WmiValue::Text("12"), 12},
      {"text abc", WmiValue::Text("abc"), 0},
      {"empty text", WmiValue::Text(""), 0},
      {"64-bit text beyond 32 bits", WmiValue::Text("8589934592"), 8589934592LL},
      {"negative integer", WmiValue::Int(-5), -5},
      {"unsigned 32-bit integer", WmiValue::Int(4293918720LL), 4293918720LL},
      {"boolean", WmiValue::Bool(true), 1},
      {"real", WmiValue::Real(59.94), 60},
      {"real out of range", WmiValue::Real(1e30), 0},
      {"not a number", WmiValue::Real(std::nan("")), 0},
      {"bytes", WmiValue::Bytes({1, 2}), 0},
  };
  for (const Case& c : cases) EXPECT_EQ(WmiVarToInt64(c.value), c.expected) << c.what;
}

TEST(WmiObject, PropertyNamesCompareWithoutCaseAndMissingOnesReadAsNull) {
  WmiObject object{{"Name", WmiValue::Text("Realtek")}, {"Status", WmiValue::Null()}};
  EXPECT_EQ(object.GetText("name"), "Realtek");
  EXPECT_EQ(object.Get("Status").kind, WmiValue::Kind::Null);
  EXPECT_EQ(object.Get("Missing").kind, WmiValue::Kind::Null);
  EXPECT_EQ(object.GetText("Status"), "");
  object.Set("NAME", WmiValue::Int(3));
  EXPECT_EQ(object.GetText("Name"), "3");
}

}  // namespace
}  // namespace vsm

#pragma once
// The WMI seam. A query answers a list of property bags; the Windows implementation
// (wmi_win.cpp) runs WQL through the WMI scripting interface, tests build the bags themselves.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vsm {

struct WmiValue {
  enum class Kind { Null, Integer, Real, Boolean, Text, Bytes };
  Kind kind = Kind::Null;
  int64_t integer = 0;  // Integer and Boolean (0 or 1)
  double real = 0;
  std::string text;            // UTF-8
  std::vector<uint8_t> bytes;  // arrays of bytes (uint8[] properties)

  static WmiValue Null() { return {}; }
  static WmiValue Int(int64_t v) {
    WmiValue r;
    r.kind = Kind::Integer;
    r.integer = v;
    return r;
  }
  static WmiValue Real(double v) {
    WmiValue r;
    r.kind = Kind::Real;
    r.real = v;
    return r;
  }
  static WmiValue Bool(bool v) {
    WmiValue r;
    r.kind = Kind::Boolean;
    r.integer = v ? 1 : 0;
    return r;
  }
  static WmiValue Text(std::string v) {
    WmiValue r;
    r.kind = Kind::Text;
    r.text = std::move(v);
    return r;
  }
  static WmiValue Bytes(std::vector<uint8_t> v) {
    WmiValue r;
    r.kind = Kind::Bytes;
    r.bytes = std::move(v);
    return r;
  }
};

// One result object: its properties by name (names compare without regard to case, as in WMI).
class WmiObject {
 public:
  WmiObject() = default;
  WmiObject(std::initializer_list<std::pair<std::string, WmiValue>> properties) : properties_(properties) {}
  void Set(std::string name, WmiValue value);
  // A missing property reads as null.
  const WmiValue& Get(std::string_view name) const;
  // Text of a property: text as it is, numbers in decimal, null or bytes as empty text.
  std::string GetText(std::string_view name) const;

 private:
  std::vector<std::pair<std::string, WmiValue>> properties_;
};

using WmiObjects = std::vector<WmiObject>;

// Runs a WQL query in a namespace. Nothing (nullopt) when WMI could not run it at all, which
// callers treat like "no enumerator": they keep their defaults.
using WmiQueryFunction =
    std::function<std::optional<WmiObjects>(std::string_view nameSpace, std::string_view wql)>;

// Connects WMI to another machine with these credentials and gives the query function that runs
// there; an empty function when the connection cannot be made.
using WmiConnectFunction = std::function<WmiQueryFunction(std::string_view server, std::string_view userName,
                                                          std::string_view password)>;

constexpr std::string_view kWmiCimv2 = "ROOT\\CIMV2";
constexpr std::string_view kWmiRootWmi = "root\\WMI";

// A WMI value as a 64-bit integer: 0 for null and for values that do not convert.
int64_t WmiVarToInt64(const WmiValue& value);

}  // namespace vsm

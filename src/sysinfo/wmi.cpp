#include "sysinfo/wmi.h"

#include <cmath>

#include "base/text.h"

namespace vsm {

void WmiObject::Set(std::string name, WmiValue value) {
  for (auto& [key, existing] : properties_) {
    if (EqualsNoCase(key, name)) {
      existing = std::move(value);
      return;
    }
  }
  properties_.emplace_back(std::move(name), std::move(value));
}

const WmiValue& WmiObject::Get(std::string_view name) const {
  static const WmiValue kNull;
  for (const auto& [key, value] : properties_) {
    if (EqualsNoCase(key, name)) return value;
  }
  return kNull;
}

std::string WmiObject::GetText(std::string_view name) const {
  const WmiValue& value = Get(name);
  switch (value.kind) {
    case WmiValue::Kind::Text: return value.text;
    case WmiValue::Kind::Integer:
    case WmiValue::Kind::Boolean: return std::to_string(value.integer);
    case WmiValue::Kind::Real: return Format("%g", value.real);
    default: return {};
  }
}

int64_t WmiVarToInt64(const WmiValue& value) {
  switch (value.kind) {
    case WmiValue::Kind::Integer:
    case WmiValue::Kind::Boolean: return value.integer;
    case WmiValue::Kind::Real:
      if (!std::isfinite(value.real) || std::fabs(value.real) >= 9.2e18) return 0;
      return static_cast<int64_t>(std::llround(value.real));
    case WmiValue::Kind::Text: return ParseInteger(value.text).value_or(0);
    default: return 0;
  }
}

}  // namespace vsm

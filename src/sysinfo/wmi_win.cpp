#include "sysinfo/wmi_win.h"

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <wbemcli.h>
#include <wbemdisp.h>
#include <wrl/client.h>

#include <cstdint>
#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "base/com_win.h"
#include "base/wide_win.h"

namespace vsm {
namespace {

using Microsoft::WRL::ComPtr;

constexpr long kReturnImmediately = 16;  // wbemFlagReturnImmediately

WmiValue BytesOf(SAFEARRAY* array) {
  if (!array || SafeArrayGetDim(array) != 1) return WmiValue::Null();
  LONG lower = 0, upper = -1;
  if (FAILED(SafeArrayGetLBound(array, 1, &lower)) || FAILED(SafeArrayGetUBound(array, 1, &upper)))
    return WmiValue::Null();
  std::vector<uint8_t> bytes;
  if (upper >= lower) {
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(array, &data))) return WmiValue::Null();
    const auto* first = static_cast<const uint8_t*>(data);
    bytes.assign(first, first + (static_cast<int64_t>(upper) - lower + 1));
    SafeArrayUnaccessData(array);
  }
  return WmiValue::Bytes(std::move(bytes));
}

// WMI hands unsigned 32-bit properties over as signed VT_I4; the CIM type says which they are.
WmiValue ValueOf(const VARIANT& v, WbemCimtypeEnum cimType) {
  switch (v.vt) {
    case VT_BSTR: return WmiValue::Text(v.bstrVal ? Narrow({v.bstrVal, SysStringLen(v.bstrVal)}) : "");
    case VT_BOOL: return WmiValue::Bool(v.boolVal != VARIANT_FALSE);
    case VT_I1: return WmiValue::Int(v.cVal);
    case VT_I2: return WmiValue::Int(v.iVal);
    case VT_I4:
    case VT_INT:
      if (cimType == wbemCimtypeUint32) return WmiValue::Int(static_cast<uint32_t>(v.lVal));
      return WmiValue::Int(v.lVal);
    case VT_I8: return WmiValue::Int(v.llVal);
    case VT_UI1: return WmiValue::Int(v.bVal);
    case VT_UI2: return WmiValue::Int(v.uiVal);
    case VT_UI4:
    case VT_UINT: return WmiValue::Int(v.ulVal);
    case VT_UI8:
      return v.ullVal > static_cast<ULONGLONG>(INT64_MAX) ? WmiValue::Null()
                                                          : WmiValue::Int(static_cast<int64_t>(v.ullVal));
    case VT_R4: return WmiValue::Real(v.fltVal);
    case VT_R8: return WmiValue::Real(v.dblVal);
    case VT_ARRAY | VT_UI1: return BytesOf(v.parray);
    default: return WmiValue::Null();  // null, embedded objects and arrays of other types
  }
}

// Walks an enumerator of dispatch items, handing each one to visit. False when the enumerator
// failed before it gave any item.
template <typename Visit>
bool ForEachItem(IEnumVARIANT* items, Visit&& visit) {
  bool any = false;
  for (;;) {
    Variant item;
    ULONG fetched = 0;
    HRESULT hr = items->Next(1, item.get(), &fetched);
    if (FAILED(hr)) return any;
    if (hr != S_OK || fetched != 1) return true;
    any = true;
    if ((*item).vt == VT_DISPATCH && (*item).pdispVal) visit((*item).pdispVal);
  }
}

ComPtr<IEnumVARIANT> EnumeratorOf(IUnknown* newEnum) {
  ComPtr<IEnumVARIANT> items;
  if (newEnum) newEnum->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(items.GetAddressOf()));
  return items;
}

// Reads the objects of one query into property bags. The scripting layer lists an object's
// properties itself where it can; where it cannot (Wine's does not), the names and CIM types come
// from the class definition through the WMI COM interface, and the values still from the object.
class ObjectReader {
 public:
  explicit ObjectReader(std::wstring nameSpace) : nameSpace_(std::move(nameSpace)) {}

  WmiObject Read(IDispatch* item) {
    WmiObject object;
    ComPtr<ISWbemObject> wbemObject;
    ComPtr<ISWbemPropertySet> properties;
    if (FAILED(item->QueryInterface(IID_ISWbemObject, reinterpret_cast<void**>(wbemObject.GetAddressOf()))) ||
        FAILED(wbemObject->get_Properties_(properties.GetAddressOf())))
      return object;
    if (!ReadListed(properties.Get(), object)) ReadBySchema(properties.Get(), object);
    return object;
  }

 private:
  struct Property {
    std::wstring name;
    CIMTYPE type;
  };
  using Schema = std::vector<Property>;

  static bool ReadListed(ISWbemPropertySet* properties, WmiObject& object) {
    ComPtr<IUnknown> newEnum;
    if (FAILED(properties->get__NewEnum(newEnum.GetAddressOf()))) return false;
    ComPtr<IEnumVARIANT> items = EnumeratorOf(newEnum.Get());
    if (!items) return false;
    bool listed = true;
    ForEachItem(items.Get(), [&](IDispatch* entry) {
      ComPtr<ISWbemProperty> property;
      Bstr name;
      Variant value;
      WbemCimtypeEnum cimType = wbemCimtypeString;
      if (FAILED(
              entry->QueryInterface(IID_ISWbemProperty, reinterpret_cast<void**>(property.GetAddressOf()))) ||
          FAILED(property->get_Name(name.out()))) {
        listed = false;
        return;
      }
      if (FAILED(property->get_Value(value.get()))) return;
      property->get_CIMType(&cimType);
      object.Set(name.Utf8(), ValueOf(*value, cimType));
    });
    return listed;
  }

  static bool ReadValue(ISWbemPropertySet* properties, BSTR name, Variant& value) {
    ComPtr<ISWbemProperty> property;
    return SUCCEEDED(properties->Item(name, 0, property.GetAddressOf())) &&
           SUCCEEDED(property->get_Value(value.get()));
  }

  void ReadBySchema(ISWbemPropertySet* properties, WmiObject& object) {
    Bstr classProperty(L"__CLASS");
    Variant className;
    if (!ReadValue(properties, classProperty.get(), className) || (*className).vt != VT_BSTR) return;
    for (const Property& property : SchemaOf((*className).bstrVal)) {
      Bstr name(property.name);
      Variant value;
      // A query that selects some properties leaves the others out of its objects.
      if (ReadValue(properties, name.get(), value))
        object.Set(Narrow(property.name), ValueOf(*value, static_cast<WbemCimtypeEnum>(property.type)));
    }
  }

  const Schema& SchemaOf(const std::wstring& className) {
    for (const auto& [name, schema] : schemas_) {
      if (name == className) return schema;
    }
    return schemas_.emplace_back(className, LoadSchema(className)).second;
  }

  Schema LoadSchema(const std::wstring& className) {
    Schema schema;
    IWbemServices* services = Services();
    Bstr name(className);
    ComPtr<IWbemClassObject> definition;
    SAFEARRAY* names = nullptr;
    if (!services ||
        FAILED(services->GetObject(name.get(), 0, nullptr, definition.GetAddressOf(), nullptr)) ||
        FAILED(definition->GetNames(nullptr, WBEM_FLAG_NONSYSTEM_ONLY, nullptr, &names)))
      return schema;
    LONG lower = 0, upper = -1;
    SafeArrayGetLBound(names, 1, &lower);
    SafeArrayGetUBound(names, 1, &upper);
    for (LONG i = lower; i <= upper; ++i) {
      BSTR propertyName = nullptr;
      CIMTYPE type = CIM_EMPTY;
      if (FAILED(SafeArrayGetElement(names, &i, &propertyName))) continue;
      definition->Get(propertyName, 0, nullptr, &type, nullptr);
      schema.push_back({std::wstring(propertyName, SysStringLen(propertyName)), type});
      SysFreeString(propertyName);
    }
    SafeArrayDestroy(names);
    return schema;
  }

  IWbemServices* Services() {
    if (services_ || triedServices_) return services_.Get();
    triedServices_ = true;
    ComPtr<IWbemLocator> locator;
    Bstr space(nameSpace_);
    if (SUCCEEDED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                                   reinterpret_cast<void**>(locator.GetAddressOf()))))
      locator->ConnectServer(space.get(), nullptr, nullptr, nullptr, 0, nullptr, nullptr,
                             services_.GetAddressOf());
    return services_.Get();
  }

  std::wstring nameSpace_;
  ComPtr<IWbemServices> services_;
  bool triedServices_ = false;
  std::vector<std::pair<std::wstring, Schema>> schemas_;
};

// The machine and credentials a query runs with; all empty for this machine and this user.
struct WmiServer {
  std::wstring server, user, password;
};

std::optional<WmiObjects> Query(const WmiServer& target, std::string_view nameSpace, std::string_view wql) {
  ComApartment apartment;
  ComPtr<ISWbemLocator> locator;
  if (FAILED(CoCreateInstance(CLSID_SWbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_ISWbemLocator,
                              reinterpret_cast<void**>(locator.GetAddressOf()))))
    return std::nullopt;

  Bstr empty(L""), space(Widen(nameSpace)), query(Widen(wql)), language(L"WQL");
  Bstr server(target.server), user(target.user), password(target.password);
  ComPtr<ISWbemServices> services;
  ComPtr<ISWbemObjectSet> results;
  ComPtr<IUnknown> newEnum;
  if (FAILED(locator->ConnectServer(server.get(), space.get(), user.get(), password.get(), empty.get(),
                                    empty.get(), 0, nullptr, services.GetAddressOf())) ||
      FAILED(services->ExecQuery(query.get(), language.get(), kReturnImmediately, nullptr,
                                 results.GetAddressOf())) ||
      FAILED(results->get__NewEnum(newEnum.GetAddressOf())))
    return std::nullopt;
  ComPtr<IEnumVARIANT> items = EnumeratorOf(newEnum.Get());
  if (!items) return std::nullopt;

  WmiObjects objects;
  ObjectReader reader(Widen(nameSpace));
  if (!ForEachItem(items.Get(), [&](IDispatch* item) { objects.push_back(reader.Read(item)); }))
    return std::nullopt;
  return objects;
}

std::optional<WmiObjects> RunOn(const WmiServer& target, std::string_view nameSpace, std::string_view wql) {
  try {
    return Query(target, nameSpace, wql);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace

std::optional<WmiObjects> RunWmiQuery(std::string_view nameSpace, std::string_view wql) {
  return RunOn(WmiServer{}, nameSpace, wql);
}

std::optional<WmiObjects> WmiQuery(std::string_view wql) { return RunWmiQuery(kWmiCimv2, wql); }

WmiQueryFunction SystemWmi() { return RunWmiQuery; }

WmiConnectFunction RemoteWmi() {
  return [](std::string_view server, std::string_view userName, std::string_view password) {
    WmiServer target{Widen(server), Widen(userName), Widen(password)};
    return WmiQueryFunction(
        [target](std::string_view nameSpace, std::string_view wql) { return RunOn(target, nameSpace, wql); });
  };
}

}  // namespace vsm

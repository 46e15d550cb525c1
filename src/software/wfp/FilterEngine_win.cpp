#include "software/wfp/FilterEngine_win.h"

#include <array>

#include "base/wide_win.h"
#include "software/wfp/FilteringPlatform_win.h"

namespace vsm {

namespace {

// The ALE layers where a connection is authorised: outgoing (connect) and incoming (accept), for
// IPv4 and IPv6: FWPM_LAYER_ALE_AUTH_CONNECT_V4/V6, FWPM_LAYER_ALE_AUTH_RECV_ACCEPT_V4/V6.
constexpr std::array<GUID, 4> kBlockLayers = {{
    {0xc38d57d1, 0x05a7, 0x4c33, {0x90, 0x4f, 0x7f, 0xbc, 0xee, 0xe6, 0x0e, 0x82}},
    {0x4a72393b, 0x319f, 0x44bc, {0x84, 0xc3, 0xba, 0x54, 0xdc, 0xb3, 0xb6, 0xb4}},
    {0xe1cd9fe7, 0xf4b5, 0x4273, {0x96, 0xc0, 0x59, 0x2e, 0x48, 0x7b, 0x86, 0x50}},
    {0xa3b42c97, 0x9f04, 0x4672, {0xb8, 0x7e, 0xce, 0xe9, 0xc4, 0x83, 0x25, 0x7f}},
}};
// FWPM_CONDITION_ALE_APP_ID: the application identifier of the executable.
constexpr GUID kConditionAleAppId = {
    0xd78e1e87, 0x8644, 0x4ea5, {0x94, 0x37, 0xd8, 0x09, 0xec, 0xef, 0xc9, 0x71}};
constexpr UINT32 kSessionFlagDynamic = 0x00000001;  // FWPM_SESSION_FLAG_DYNAMIC
constexpr DWORD kFilterNotFound = 0x80320003;       // FWP_E_FILTER_NOT_FOUND
constexpr UINT32 kAuthnDefault = 0xFFFFFFFF;        // RPC_C_AUTHN_DEFAULT

class WfpFilterEngine final : public FilterEngine {
 public:
  WfpFilterEngine(const FilteringFunctions& functions, HANDLE engine)
      : functions_(functions), engine_(engine) {}
  // Closing the dynamic session deletes our filters.
  ~WfpFilterEngine() override { functions_.engineClose(engine_); }
  WfpFilterEngine(const WfpFilterEngine&) = delete;
  WfpFilterEngine& operator=(const WfpFilterEngine&) = delete;

  int FilterCount() const override { return static_cast<int>(kBlockLayers.size()); }

  std::optional<uint64_t> AddBlockFilter(const std::string& exePath, int index) override {
    if (index < 0 || index >= FilterCount()) return std::nullopt;
    std::wstring path = Widen(exePath);
    FWP_BYTE_BLOB* appId = nullptr;
    if (functions_.getAppId(path.c_str(), &appId) != ERROR_SUCCESS || appId == nullptr) return std::nullopt;

    FWPM_FILTER_CONDITION0 condition = {};
    condition.fieldKey = kConditionAleAppId;
    condition.matchType = FWP_MATCH_EQUAL;
    condition.conditionValue.type = FWP_BYTE_BLOB_TYPE;
    condition.conditionValue.byteBlob = appId;

    wchar_t name[] = L"Vesk System Monitor: network access blocked";
    FWPM_FILTER0 filter = {};
    filter.displayData.name = name;
    filter.layerKey = kBlockLayers[static_cast<size_t>(index)];
    filter.weight.type = FWP_EMPTY;  // the platform picks the weight
    filter.numFilterConditions = 1;
    filter.filterCondition = &condition;
    filter.action.type = FWP_ACTION_BLOCK;

    UINT64 id = 0;
    DWORD status = functions_.filterAdd(engine_, &filter, nullptr, &id);
    functions_.freeMemory(reinterpret_cast<void**>(&appId));
    if (status != ERROR_SUCCESS) return std::nullopt;
    return id;
  }

  bool DeleteFilter(uint64_t filterId) override {
    DWORD status = functions_.filterDeleteById(engine_, filterId);
    return status == ERROR_SUCCESS || status == kFilterNotFound;
  }

 private:
  const FilteringFunctions functions_;
  HANDLE engine_;
};

}  // namespace

std::unique_ptr<FilterEngine> OpenFilterEngine(const FilteringFunctions& functions) {
  if (!functions.Complete()) return nullptr;
  wchar_t name[] = L"Vesk System Monitor";
  FWPM_SESSION0 session = {};
  session.displayData.name = name;
  session.flags = kSessionFlagDynamic;
  HANDLE engine = nullptr;
  if (functions.engineOpen(nullptr, kAuthnDefault, nullptr, &session, &engine) != ERROR_SUCCESS ||
      engine == nullptr) {
    return nullptr;
  }
  return std::make_unique<WfpFilterEngine>(functions, engine);
}

std::unique_ptr<NetworkBlocker> CreateNetworkBlocker() {
  return std::make_unique<TExecutableBlockList>(OpenFilterEngine());
}

}  // namespace vsm

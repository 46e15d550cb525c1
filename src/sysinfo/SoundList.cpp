#include "sysinfo/SoundList.h"

#include <utility>

namespace vsm {

TSoundAdapter::TSoundAdapter(vsm::WmiObject object)
    : FWmiObject(std::move(object)), FDescription(FWmiObject.GetText("Description")),
      FName(FWmiObject.GetText("Name")) {}

TSoundAdapter* TSoundList::GetSound(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return FItems[static_cast<size_t>(index)].get();
}

std::unique_ptr<TSoundList> CreateSoundList(const WmiQueryFunction& wmi) {
  auto list = std::make_unique<TSoundList>();
  if (!wmi) return list;
  std::optional<WmiObjects> devices = wmi(kWmiCimv2, "SELECT * From Win32_SoundDevice");
  if (!devices) return list;
  for (WmiObject& device : *devices) list->Add(std::make_unique<TSoundAdapter>(std::move(device)));
  return list;
}

}  // namespace vsm

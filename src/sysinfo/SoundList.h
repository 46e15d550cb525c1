#pragma once
// The sound devices WMI reports, built once by the hardware aggregator and shown by the sound page.
#include <memory>
#include <string>
#include <vector>

#include "sysinfo/wmi.h"

namespace vsm {

class TSoundAdapter {
 public:
  // Keeps the Win32_SoundDevice object and reads its Description and Name (null gives empty text).
  explicit TSoundAdapter(vsm::WmiObject object);

  const vsm::WmiObject& WmiObject() const { return FWmiObject; }
  const std::string& Description() const { return FDescription; }
  const std::string& Name() const { return FName; }

 private:
  vsm::WmiObject FWmiObject;
  std::string FDescription;
  std::string FName;
};

// Owns its adapters.
class TSoundList {
 public:
  int Count() const { return static_cast<int>(FItems.size()); }
  // Nothing for an index outside the list.
  TSoundAdapter* GetSound(int index) const;
  void Add(std::unique_ptr<TSoundAdapter> adapter) { FItems.push_back(std::move(adapter)); }
  void Clear() { FItems.clear(); }

 private:
  std::vector<std::unique_ptr<TSoundAdapter>> FItems;
};

// Every Win32_SoundDevice as an adapter; an empty list when WMI answers nothing.
std::unique_ptr<TSoundList> CreateSoundList(const WmiQueryFunction& wmi);

}  // namespace vsm

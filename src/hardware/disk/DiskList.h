#pragma once
// The physical disks that carry mounted volumes, found through volume enumeration.
#include <cstdint>
#include <memory>
#include <vector>

#include "hardware/disk/HardDisk.h"
#include "hardware/disk/VolumeSystem.h"

namespace vsm {

class TDiskList {
 public:
  size_t Count() const { return items_.size(); }
  THardDisk* FindDisk(uint32_t diskNumber) const;
  // Nothing for an index out of range.
  THardDisk* GetDisk(size_t index) const { return index < items_.size() ? items_[index].get() : nullptr; }
  void PutDisk(size_t index, std::unique_ptr<THardDisk> disk) {
    if (index < items_.size()) items_[index] = std::move(disk);
  }
  THardDisk& Add(std::unique_ptr<THardDisk> disk) { return *items_.emplace_back(std::move(disk)); }
  // The list is not empty and its first disk has a temperature.
  bool HasTempSensor() const { return !items_.empty() && items_.front()->HasTempSensor(); }
  void Clear() { items_.clear(); }

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<std::unique_ptr<THardDisk>> items_;
};

// Every disk that holds part of a mounted volume, each with its volumes attached to its
// partitions. Never fails: what cannot be opened or read is left out.
std::unique_ptr<TDiskList> EnumerateDisks(TVolumeSystem& system);

}  // namespace vsm

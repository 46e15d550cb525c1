#include "FakeStorage.h"

#include <algorithm>

#include "base/le_bytes.h"
#include "hardware/disk/StorageDevice.h"

namespace vsm::test {

namespace {

constexpr uint32_t kErrorInvalidFunction = 1;
constexpr uint32_t kErrorFileNotFound = 2;

TStorageReply Failure(uint32_t error = kErrorInvalidFunction) { return {false, 0, error}; }

TStorageReply Copy(const std::vector<uint8_t>& answer, std::vector<uint8_t>& out) {
  size_t n = std::min(answer.size(), out.size());
  std::copy_n(answer.begin(), n, out.begin());
  return {true, static_cast<uint32_t>(n), 0};
}

TStorageReply CopyIfItFits(const std::vector<uint8_t>& answer, std::vector<uint8_t>& out,
                           uint32_t tooSmallError) {
  if (answer.size() > out.size()) return Failure(tooSmallError);
  return Copy(answer, out);
}

// SENDCMDOUTPARAMS: buffer size, driver status (all clear), then the data.
std::vector<uint8_t> SmartAnswer(const std::vector<uint8_t>& data) {
  std::vector<uint8_t> answer(16 + data.size(), 0);
  PutLe(answer, 0, data.size(), 4);
  std::copy(data.begin(), data.end(), answer.begin() + 16);
  return answer;
}

}  // namespace

size_t FakeDriveState::CountRequests(uint32_t code) const {
  return static_cast<size_t>(std::count_if(requests.begin(), requests.end(),
                                           [code](const FakeRequest& r) { return r.code == code; }));
}

TStorageReply FakeDrive::Control(uint32_t code, const std::vector<uint8_t>& in, std::vector<uint8_t>& out) {
  FakeDriveState& s = *state_;
  s.requests.push_back({code, in, out.size()});
  switch (code) {
    case kSmartRcvDriveData:
      if (in.size() < 33) return Failure();
      if (in[10] == 0xEC && !s.identify.empty()) return Copy(SmartAnswer(s.identify), out);
      if (in[10] == 0xB0 && in[4] == 0xD0 && !s.smart.empty()) return Copy(SmartAnswer(s.smart), out);
      return Failure();
    case kSmartSendDriveCommand:
      if (in.size() < 33 || in[10] != 0xB0 || in[4] != 0xD8 || !s.smartEnable) return Failure();
      return Copy(SmartAnswer({}), out);
    case kIoctlScsiPassThrough: {
      if (!s.inquiry || in.size() < 44 || in[28] != 0x12) return Failure();
      std::vector<uint8_t> answer(in);
      answer.resize(std::max<size_t>(answer.size(), 76 + s.inquiry->size()));
      std::copy(s.inquiry->begin(), s.inquiry->end(), answer.begin() + 76);
      PutLe(answer, 12, s.inquiry->size(), 4);
      answer.resize(76 + s.inquiry->size());
      return Copy(answer, out);
    }
    case kIoctlDiskGetDriveGeometryEx: return s.geometry ? Copy(*s.geometry, out) : Failure();
    case kIoctlStorageQueryProperty:
      if (in.size() < 12) return Failure();
      if (in[0] == 0) return s.deviceDescriptor ? Copy(*s.deviceDescriptor, out) : Failure();
      if (in[0] == 7 && s.seekPenalty) {
        std::vector<uint8_t> answer(12, 0);
        PutLe(answer, 0, 1, 4);
        PutLe(answer, 4, 12, 4);
        answer[8] = *s.seekPenalty ? 1 : 0;
        return Copy(answer, out);
      }
      if (in[0] == 52 && s.temperature) return Copy(*s.temperature, out);
      // Protocol NVMe (3), log page (2), page 02h.
      if (in[0] == 50 && in.size() >= 48 && in[8] == 3 && in[12] == 2 && in[16] == 2 &&
          !s.nvmeHealthLog.empty())
        return Copy(ProtocolDataReplyBytes(s.nvmeHealthLog), out);
      return Failure();
    case kIoctlDiskGetDriveLayoutEx:
      return s.layout ? CopyIfItFits(*s.layout, out, kErrorInsufficientBuffer) : Failure();
    case kIoctlVolumeGetVolumeDiskExtents:
      return s.extents ? CopyIfItFits(*s.extents, out, kErrorMoreData) : Failure();
    default: return Failure();
  }
}

std::vector<uint8_t> DriveLayoutBytes(uint32_t style, const std::vector<FakePartition>& partitions) {
  std::vector<uint8_t> bytes(48 + 144 * partitions.size(), 0);
  PutLe(bytes, 0, style, 4);
  PutLe(bytes, 4, partitions.size(), 4);
  for (size_t i = 0; i < partitions.size(); ++i) {
    const FakePartition& p = partitions[i];
    size_t at = 48 + 144 * i;
    PutLe(bytes, at, p.style, 4);
    PutLe(bytes, at + 8, static_cast<uint64_t>(p.offset), 8);
    PutLe(bytes, at + 16, static_cast<uint64_t>(p.length), 8);
    PutLe(bytes, at + 24, p.number, 4);
    if (p.style == 0)
      bytes[at + 32] = p.mbrType;
    else
      std::copy(p.gptType.begin(), p.gptType.end(), bytes.begin() + static_cast<long>(at + 32));
  }
  return bytes;
}

std::vector<uint8_t> VolumeExtentsBytes(const std::vector<TDiskExtent>& extents) {
  std::vector<uint8_t> bytes(8 + 24 * extents.size(), 0);
  PutLe(bytes, 0, extents.size(), 4);
  for (size_t i = 0; i < extents.size(); ++i) {
    PutLe(bytes, 8 + 24 * i, extents[i].DiskNumber, 4);
    PutLe(bytes, 8 + 24 * i + 8, static_cast<uint64_t>(extents[i].StartingOffset), 8);
    PutLe(bytes, 8 + 24 * i + 16, static_cast<uint64_t>(extents[i].ExtentLength), 8);
  }
  return bytes;
}

std::vector<uint8_t> GeometryBytes(int64_t cylinders, uint32_t mediaType, uint32_t tracks, uint32_t sectors,
                                   uint32_t bytesPerSector, int64_t diskSize) {
  std::vector<uint8_t> bytes(40, 0);
  PutLe(bytes, 0, static_cast<uint64_t>(cylinders), 8);
  PutLe(bytes, 8, mediaType, 4);
  PutLe(bytes, 12, tracks, 4);
  PutLe(bytes, 16, sectors, 4);
  PutLe(bytes, 20, bytesPerSector, 4);
  PutLe(bytes, 24, static_cast<uint64_t>(diskSize), 8);
  return bytes;
}

std::vector<uint8_t> DeviceDescriptorBytes(uint8_t busType, const std::string& serial,
                                           const std::string& revision, const std::string& product) {
  // The fixed part, then each string with its NUL; an empty string gets offset 0.
  const size_t serialAt = 40;
  const size_t revisionAt = serialAt + (serial.empty() ? 0 : serial.size() + 1);
  const size_t productAt = revisionAt + (revision.empty() ? 0 : revision.size() + 1);
  std::vector<uint8_t> bytes(productAt + (product.empty() ? 0 : product.size() + 1), 0);
  std::copy(serial.begin(), serial.end(), bytes.begin() + serialAt);
  std::copy(revision.begin(), revision.end(), bytes.begin() + static_cast<long>(revisionAt));
  std::copy(product.begin(), product.end(), bytes.begin() + static_cast<long>(productAt));
  PutLe(bytes, 0, 1, 4);
  PutLe(bytes, 4, bytes.size(), 4);
  PutLe(bytes, 16, product.empty() ? 0 : productAt, 4);
  PutLe(bytes, 20, revision.empty() ? 0 : revisionAt, 4);
  PutLe(bytes, 24, serial.empty() ? 0 : serialAt, 4);
  bytes[28] = busType;
  return bytes;
}

std::vector<uint8_t> StorageTemperatureBytes(const std::vector<int16_t>& celsius) {
  std::vector<uint8_t> bytes(24 + 16 * celsius.size(), 0);
  PutLe(bytes, 0, 40, 4);
  PutLe(bytes, 4, bytes.size(), 4);
  PutLe(bytes, 12, celsius.size(), 2);
  for (size_t i = 0; i < celsius.size(); ++i) {
    PutLe(bytes, 24 + 16 * i, i, 2);
    PutLe(bytes, 24 + 16 * i + 2, static_cast<uint16_t>(celsius[i]), 2);
  }
  return bytes;
}

std::vector<uint8_t> ProtocolDataReplyBytes(const std::vector<uint8_t>& data) {
  std::vector<uint8_t> bytes(48 + data.size(), 0);
  PutLe(bytes, 0, 48, 4);
  PutLe(bytes, 4, bytes.size(), 4);
  PutLe(bytes, 8, 3, 4);
  PutLe(bytes, 12, 2, 4);
  PutLe(bytes, 16, 2, 4);
  PutLe(bytes, 24, 40, 4);
  PutLe(bytes, 28, data.size(), 4);
  std::copy(data.begin(), data.end(), bytes.begin() + 48);
  return bytes;
}

std::optional<std::vector<std::string>> FakeVolumeSystem::Volumes() {
  if (!available) return std::nullopt;
  std::vector<std::string> names;
  for (const Volume& v : volumes) names.push_back(v.name);
  return names;
}

std::unique_ptr<TStorageDevice> FakeVolumeSystem::OpenVolume(const std::string& name) {
  for (const Volume& v : volumes) {
    if (v.name == name + "\\") {
      auto state = std::make_shared<FakeDriveState>();
      state->extents = VolumeExtentsBytes(v.extents);
      return std::make_unique<FakeDrive>(state);
    }
  }
  return nullptr;
}

std::unique_ptr<TStorageDevice> FakeVolumeSystem::OpenPhysicalDrive(uint32_t diskNumber) {
  auto it = drives.find(diskNumber);
  if (it == drives.end()) return nullptr;
  return std::make_unique<FakeDrive>(it->second);
}

TVolumeDetails FakeVolumeSystem::VolumeDetails(const std::string& volumeWithBackslash) {
  detailsAskedFor.push_back(volumeWithBackslash);
  for (const Volume& v : volumes) {
    if (v.name == volumeWithBackslash) return v.details;
  }
  return {};
}

}  // namespace vsm::test

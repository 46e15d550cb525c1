#pragma once
// NT product type, installed suites and service-pack numbers.
#include <cstdint>
#include <string>
#include <vector>

#include "sysinfo/os/OsPlatform.h"

namespace vsm {

enum class TNtProductType { ptUnknown, ptWorkStation, ptServer, ptAdvancedServer, ptDataCenter, ptWeb };

enum class TNTSuite {
  suSmallBusiness,
  suEnterprise,
  suBackOffice,
  suCommunications,
  suTerminal,
  suSmallBusinessRestricted,
  suEmbeddedNT,
  suDataCenter,
  suSingleUserTS,
  suPersonal,
  suBlade,
  suEmbeddedRestricted,
  suStorageServer,
  suComputeCluster,
  suHomeServer
};

// A set of suites.
class TNTSuites {
 public:
  void Include(TNTSuite suite) { bits_ |= Bit(suite); }
  bool Contains(TNTSuite suite) const { return (bits_ & Bit(suite)) != 0; }
  bool Empty() const { return bits_ == 0; }

 private:
  static uint32_t Bit(TNTSuite suite) { return 1u << static_cast<unsigned>(suite); }
  uint32_t bits_ = 0;
};

struct TUpdateRecord {
  std::string ID, InstallDate, InstalledBy, Description, SPInEffect, Comment;
};

class TNTSpecific {
 public:
  void RefreshData(const OsPlatform& platform);
  // Appends one "name=0|1" line per suite.
  void GetInstalledSuitesStr(std::vector<std::string>& lines) const;

  uint16_t ServicePackMinorVersion() const { return FSPMinorVer; }
  uint16_t ServicePackMajorVersion() const { return FSPMajorVer; }
  TNtProductType ProductType() const { return FProduct; }
  const TNTSuites& InstalledSuites() const { return FSuites; }
  // The update list and the user counts are not gathered: they stay empty and 0.
  int UpdateCount() const { return static_cast<int>(FUR.size()); }
  // An empty record for an index out of range.
  TUpdateRecord GetUpdateRec(int index) const;
  int NumberOfLicensedUsers() const { return FNOLU; }
  int NumberOfUsers() const { return FNOU; }

 private:
  uint16_t FSPMinorVer = 0;
  uint16_t FSPMajorVer = 0;
  TNtProductType FProduct = TNtProductType::ptUnknown;
  TNTSuites FSuites;
  std::vector<TUpdateRecord> FUR;
  int FNOLU = 0;
  int FNOU = 0;
};

}  // namespace vsm

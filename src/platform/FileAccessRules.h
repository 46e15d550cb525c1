#pragma once
// Whether someone other than an administrator can change a file or folder, judged from its
// owner and access list. The program runs elevated, and what it starts with its rights (the
// log-on task) must not be a file that such a user can replace.
#include <cstdint>
#include <vector>

namespace vsm {

// Who an owner or access entry names, as far as the rule tells them apart.
enum class TTrustee { trAdministrators, trSystem, trTrustedInstaller, trCreatorOwner, trOther };

struct TAccessEntry {
  bool allow = true;  // an allow entry; deny entries are not credited (see below)
  uint32_t mask = 0;  // the access mask as stored, generic rights included
  TTrustee trustee = TTrustee::trOther;
  bool inheritOnly = false;  // applies to children only, not to the object itself
};

struct TObjectSecurity {
  TTrustee owner = TTrustee::trOther;
  bool hasAccessList = true;  // false: a null access list, which grants everyone everything
  std::vector<TAccessEntry> entries;
};

// Rights that let a holder replace what the object holds or who may change it: write or append
// data (add a file or a folder), delete a child, delete, rewrite the access list or the owner,
// and the generic write and all rights.
inline constexpr uint32_t kReplacingRights =
    0x2 | 0x4 | 0x40 | 0x10000 | 0x40000 | 0x80000 | 0x40000000 | 0x10000000;

// True for a null access list; an owner other than Administrators, SYSTEM or TrustedInstaller
// (an owner may always rewrite the access list, and a user's own unelevated programs act as the
// owner); or an allow entry effective on the object itself that grants one of kReplacingRights
// to anyone else (CREATOR OWNER counts as the owner). Deny entries are ignored, so the rule errs
// towards refusing.
bool WritableByNonAdministrators(const TObjectSecurity& security);

}  // namespace vsm

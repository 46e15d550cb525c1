#include "platform/FileAccessRules.h"

namespace vsm {

namespace {

bool Administrative(TTrustee trustee) {
  return trustee == TTrustee::trAdministrators || trustee == TTrustee::trSystem ||
         trustee == TTrustee::trTrustedInstaller;
}

}  // namespace

bool WritableByNonAdministrators(const TObjectSecurity& security) {
  if (!security.hasAccessList || !Administrative(security.owner)) return true;
  for (const TAccessEntry& entry : security.entries) {
    if (!entry.allow || entry.inheritOnly || (entry.mask & kReplacingRights) == 0) continue;
    const TTrustee trustee = entry.trustee == TTrustee::trCreatorOwner ? security.owner : entry.trustee;
    if (!Administrative(trustee)) return true;
  }
  return false;
}

}  // namespace vsm

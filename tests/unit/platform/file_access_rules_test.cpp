#include <gtest/gtest.h>

#include "platform/FileAccessRules.h"

namespace vsm {
namespace {

using T = TTrustee;

// Masks as Windows stores them on folders.
constexpr uint32_t kFullControl = 0x1F01FF;
constexpr uint32_t kModify = 0x1301BF;
constexpr uint32_t kReadExecute = 0x1200A9;
constexpr uint32_t kGenericAll = 0x10000000;
constexpr uint32_t kGenericReadExecute = 0xA0000000;
constexpr uint32_t kAppendData = 0x4;  // "create folders / append data"
constexpr uint32_t kWriteDac = 0x40000;

TEST(FileAccessRules, AccessListShapes) {
  const TAccessEntry admins{true, kFullControl, T::trAdministrators, false};
  const TAccessEntry system{true, kFullControl, T::trSystem, false};
  const TAccessEntry installer{true, kFullControl, T::trTrustedInstaller, false};
  const TAccessEntry usersRead{true, kReadExecute, T::trOther, false};
  const TAccessEntry usersGenericRead{true, kGenericReadExecute, T::trOther, true};
  const TAccessEntry creatorAll{true, kGenericAll, T::trCreatorOwner, true};
  struct Case {
    const char* shape;
    TObjectSecurity security;
    bool writable;
  };
  const Case cases[] = {
      {"Program Files: installer owns, users read, creator owner inherit-only",
       {T::trTrustedInstaller, true, {installer, admins, system, usersRead, usersGenericRead, creatorAll}},
       false},
      {"a folder made by an elevated installer",
       {T::trAdministrators, true, {admins, system, usersRead}},
       false},
      {"owned by SYSTEM", {T::trSystem, true, {system, admins, usersRead}}, false},
      {"Downloads: the user owns it",
       {T::trOther, true, {system, admins, {true, kFullControl, T::trOther, false}}},
       true},
      {"owned by a user, access list admins only", {T::trOther, true, {admins, system}}, true},
      {"null access list", {T::trAdministrators, false, {}}, true},
      {"empty access list: nobody but the owner", {T::trAdministrators, true, {}}, false},
      {"authenticated users may modify",
       {T::trAdministrators, true, {admins, {true, kModify, T::trOther, false}}},
       true},
      {"users may add folders (the root of a drive)",
       {T::trAdministrators, true, {admins, usersRead, {true, kAppendData, T::trOther, false}}},
       true},
      {"users may rewrite the access list",
       {T::trAdministrators, true, {admins, {true, kWriteDac, T::trOther, false}}},
       true},
      {"everyone generic all", {T::trAdministrators, true, {{true, kGenericAll, T::trOther, false}}}, true},
      {"users' write right only for children",
       {T::trAdministrators, true, {admins, {true, kModify, T::trOther, true}}},
       false},
      {"creator owner on the object, owner an administrator",
       {T::trAdministrators, true, {{true, kFullControl, T::trCreatorOwner, false}}},
       false},
      {"a deny entry does not make it safe",
       {T::trAdministrators,
        true,
        {{false, kFullControl, T::trOther, false}, {true, kModify, T::trOther, false}}},
       true},
      {"a denied write is no grant",
       {T::trAdministrators, true, {admins, {false, kModify, T::trOther, false}}},
       false},
      {"users read only", {T::trAdministrators, true, {admins, usersRead}}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(WritableByNonAdministrators(c.security), c.writable) << c.shape;
}

}  // namespace
}  // namespace vsm

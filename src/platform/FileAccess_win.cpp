#include "platform/FileAccess_win.h"

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <vector>

#include "base/file_win.h"
#include "base/handle_win.h"
#include "platform/WindowsVersion_win.h"

namespace vsm {

namespace {

// The TrustedInstaller service's SID, which owns the system's own folders from Vista on.
constexpr const wchar_t* kTrustedInstallerSid =
    L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";

bool IsTrustedInstaller(PSID sid) {
  PSID installer = nullptr;
  if (!ConvertStringSidToSidW(kTrustedInstallerSid, &installer)) return false;
  const bool same = EqualSid(sid, installer) != FALSE;
  LocalFree(installer);
  return same;
}

// The running user's SID while every process of that user is an administrator: a member of
// Administrators without a split token (Windows XP, or UAC off). Otherwise (no SID) the user's own
// unelevated programs could use what the user's SID is granted.
struct TUnsplitAdministrator {
  std::vector<BYTE> sid;
};

const TUnsplitAdministrator& RunningUnsplitAdministrator() {
  static const TUnsplitAdministrator user = [] {
    TUnsplitAdministrator result;
    TKernelHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Put())) return result;
    BYTE admins[SECURITY_MAX_SID_SIZE];
    DWORD adminsSize = sizeof admins;
    BOOL member = FALSE;
    const bool administrator =
        CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, admins, &adminsSize) &&
        CheckTokenMembership(nullptr, admins, &member) && member;
    // TokenElevationType (18) from Vista on: 1 is a token without a linked one.
    DWORD elevationType = 0, size = 0;
    const bool split = TrueWindowsVersion().major >= 6 &&
                       !(GetTokenInformation(token.Get(), static_cast<TOKEN_INFORMATION_CLASS>(18),
                                             &elevationType, sizeof elevationType, &size) &&
                         elevationType == 1);
    DWORD needed = 0;
    GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    if (administrator && !split && needed != 0 &&
        GetTokenInformation(token.Get(), TokenUser, buffer.data(), needed, &needed)) {
      const PSID sid = reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid;
      result.sid.assign(static_cast<BYTE*>(sid), static_cast<BYTE*>(sid) + GetLengthSid(sid));
    }
    return result;
  }();
  return user;
}

TTrustee TrusteeOf(PSID sid) {
  if (sid == nullptr || !IsValidSid(sid)) return TTrustee::trOther;
  const auto& user = RunningUnsplitAdministrator().sid;
  if (!user.empty() && EqualSid(sid, const_cast<BYTE*>(user.data()))) return TTrustee::trAdministrators;
  if (IsWellKnownSid(sid, WinBuiltinAdministratorsSid)) return TTrustee::trAdministrators;
  if (IsWellKnownSid(sid, WinLocalSystemSid)) return TTrustee::trSystem;
  if (IsWellKnownSid(sid, WinCreatorOwnerSid)) return TTrustee::trCreatorOwner;
  if (IsTrustedInstaller(sid)) return TTrustee::trTrustedInstaller;
  return TTrustee::trOther;
}

}  // namespace

std::optional<TObjectSecurity> ReadObjectSecurity(const std::wstring& path) {
  PSID owner = nullptr;
  PACL list = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT,
                            OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner, nullptr, &list,
                            nullptr, &descriptor) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  TObjectSecurity security;
  security.owner = TrusteeOf(owner);
  security.hasAccessList = list != nullptr;
  for (DWORD index = 0; list != nullptr && index < list->AceCount; ++index) {
    void* ace = nullptr;
    if (!GetAce(list, index, &ace)) continue;
    const auto* header = static_cast<const ACE_HEADER*>(ace);
    // Allow and deny entries, plain or with a condition, share this layout; others (audit,
    // label) grant nothing.
    const bool allow =
        header->AceType == ACCESS_ALLOWED_ACE_TYPE || header->AceType == ACCESS_ALLOWED_CALLBACK_ACE_TYPE;
    const bool deny =
        header->AceType == ACCESS_DENIED_ACE_TYPE || header->AceType == ACCESS_DENIED_CALLBACK_ACE_TYPE;
    if (!allow && !deny) continue;
    auto* entry = static_cast<ACCESS_ALLOWED_ACE*>(ace);
    security.entries.push_back(
        {allow, entry->Mask, TrusteeOf(&entry->SidStart), (header->AceFlags & INHERIT_ONLY_ACE) != 0});
  }
  LocalFree(descriptor);
  return security;
}

bool ProgramReplaceableByNonAdministrators(const std::wstring& program) {
  std::wstring folder = ParentFolder(program);
  if (!folder.empty() && folder.back() == L':') folder += L'\\';  // a drive's root, not its current folder
  for (const std::wstring& path : {program, folder}) {
    const auto security = ReadObjectSecurity(path);
    if (!security || WritableByNonAdministrators(*security)) return true;
  }
  return false;
}

}  // namespace vsm

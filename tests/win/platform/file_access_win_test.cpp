// The owner and access list of real files and folders, as Wine's security calls keep them: a
// folder given an administrators-only list and one that users may write, each holding a program.
#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <string>

#include "base/module_path_win.h"
#include "platform/FileAccess_win.h"

namespace vsm {
namespace {

// A folder under the temporary folder with a program file in it, removed at the end.
class ProgramFolder : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"vsm_access_" + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
    program_ = folder_ + L"\\VeskSystemMonitor.exe";
    ASSERT_TRUE(CopyFileW(ExecutablePath().c_str(), program_.c_str(), FALSE));
  }
  void TearDown() override {
    DeleteFileW(program_.c_str());
    RemoveDirectoryW(folder_.c_str());
  }

  // Sets owner and a protected access list (no inherited entries) from SDDL.
  bool SetSecurity(const std::wstring& path, const wchar_t* sddl) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor, nullptr)) {
      return false;
    }
    BOOL present = FALSE, defaulted = FALSE;
    PACL list = nullptr;
    PSID owner = nullptr;
    GetSecurityDescriptorDacl(descriptor, &present, &list, &defaulted);
    GetSecurityDescriptorOwner(descriptor, &owner, &defaulted);
    const DWORD result = SetNamedSecurityInfoW(
        const_cast<wchar_t*>(path.c_str()), SE_FILE_OBJECT,
        OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, owner,
        nullptr, list, nullptr);
    LocalFree(descriptor);
    return result == ERROR_SUCCESS;
  }

  std::wstring folder_, program_;
};

// Owner Administrators; full control for Administrators and SYSTEM, read and execute for users.
constexpr const wchar_t* kAdministratorsOnly = L"O:BAD:P(A;;FA;;;BA)(A;;FA;;;SY)(A;;FRFX;;;BU)";
// The same, and users may also modify.
constexpr const wchar_t* kUsersModify = L"O:BAD:P(A;;FA;;;BA)(A;;FA;;;SY)(A;;0x1301BF;;;BU)";

TEST_F(ProgramFolder, SecurityOfAdministratorsOnlyAndUserWritableFolders) {
  ASSERT_TRUE(SetSecurity(folder_, kAdministratorsOnly));
  ASSERT_TRUE(SetSecurity(program_, kAdministratorsOnly));
  const auto security = ReadObjectSecurity(folder_);
  ASSERT_TRUE(security);
  EXPECT_EQ(security->owner, TTrustee::trAdministrators);
  ASSERT_EQ(security->entries.size(), 3u);
  EXPECT_EQ(security->entries[1].trustee, TTrustee::trSystem);
  EXPECT_EQ(security->entries[2].trustee, TTrustee::trOther);
  EXPECT_FALSE(ProgramReplaceableByNonAdministrators(program_));

  // Users may write the folder: a program there could be replaced.
  ASSERT_TRUE(SetSecurity(folder_, kUsersModify));
  EXPECT_TRUE(ProgramReplaceableByNonAdministrators(program_));
  // The folder is safe again, but users may write the file itself.
  ASSERT_TRUE(SetSecurity(folder_, kAdministratorsOnly));
  ASSERT_TRUE(SetSecurity(program_, kUsersModify));
  EXPECT_TRUE(ProgramReplaceableByNonAdministrators(program_));
}

TEST_F(ProgramFolder, AFileThatCannotBeReadCountsAsReplaceable) {
  EXPECT_TRUE(ProgramReplaceableByNonAdministrators(folder_ + L"\\missing\\VeskSystemMonitor.exe"));
}

}  // namespace
}  // namespace vsm

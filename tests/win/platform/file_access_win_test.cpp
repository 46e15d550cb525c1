// The owner and access list of real files and folders as Wine's security calls report them.
#include <windows.h>

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

  std::wstring folder_, program_;
};

// Wine keeps no security of its own for files: every file and folder reads as owned by the user,
// with full control for SYSTEM and the user and read access for everyone, and setting another
// list has no effect. Its token is elevated with a linked one, as under UAC, so the user's own
// unelevated programs could replace the program: that is what the program must conclude.
TEST_F(ProgramFolder, WinesUserOwnedFoldersCountAsReplaceable) {
  const auto security = ReadObjectSecurity(folder_);
  ASSERT_TRUE(security);
  EXPECT_TRUE(security->hasAccessList);
  EXPECT_EQ(security->owner, TTrustee::trOther);
  bool systemFull = false, everyoneWrites = false;
  for (const TAccessEntry& entry : security->entries) {
    systemFull |= entry.allow && entry.trustee == TTrustee::trSystem && (entry.mask & 0x1F01FF) == 0x1F01FF;
    everyoneWrites |=
        entry.allow && entry.trustee == TTrustee::trOther && (entry.mask & kReplacingRights) != 0;
  }
  EXPECT_TRUE(systemFull);
  EXPECT_TRUE(everyoneWrites);  // the user's own entry
  EXPECT_TRUE(WritableByNonAdministrators(*security));
  EXPECT_TRUE(ProgramReplaceableByNonAdministrators(program_));
}

TEST_F(ProgramFolder, AFileThatCannotBeReadCountsAsReplaceable) {
  EXPECT_TRUE(ProgramReplaceableByNonAdministrators(folder_ + L"\\missing\\VeskSystemMonitor.exe"));
}

}  // namespace
}  // namespace vsm

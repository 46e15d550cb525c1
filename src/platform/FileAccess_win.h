#pragma once
// A file's or folder's owner and access list, read for FileAccessRules.
#include <optional>
#include <string>

#include "platform/FileAccessRules.h"

namespace vsm {

// Nullopt when the security information cannot be read. The running user counts as an
// administrator while all of that user's programs are (a member of Administrators on XP, or with
// UAC off); with UAC's split token the user's own unelevated programs are not.
std::optional<TObjectSecurity> ReadObjectSecurity(const std::wstring& path);

// Whether someone other than an administrator can replace the program file: through the file
// itself or through its folder. Security that cannot be read counts as writable.
bool ProgramReplaceableByNonAdministrators(const std::wstring& program);

}  // namespace vsm

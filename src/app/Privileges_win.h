#pragma once

namespace vsm {

// Enables SeDebugPrivilege in the process token so the process monitor can open other users'
// processes. Failure is harmless and not reported.
void EnableDebugPrivilege();

}  // namespace vsm

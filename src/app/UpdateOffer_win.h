#pragma once
// What the program does with the update check's result: offer the download page of a newer
// build, or say that there is none when the user asked.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "base/http_win.h"
#include "services/ServerAddresses.h"
#include "ui/MessageBox_win.h"

namespace vsm {

// The finish handler: a newer reported build asks whether to upgrade and, on Yes, opens the
// blog address (a web address only); otherwise, with `showHint`, says that nothing was found.
// User-interface thread.
void OfferUpdate(HWND owner, int32_t runningBuild, int32_t reportedBuild, const std::string& blogUrl,
                 bool showHint, const TMessageBoxFunction& box);

// Starts the update check for the running build with OfferUpdate as its finish handler (the
// main menu's DoCheckNewVer). Returns the worker's handle for the caller to close, or null.
HANDLE DoCheckNewVer(HWND owner, int32_t runningBuild, bool showHint, TMessageBoxFunction box,
                     const std::wstring& checkUrl = kUpdateInfoUrl, DWORD timeoutMs = kHttpTimeoutMs);

}  // namespace vsm

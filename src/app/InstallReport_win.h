#pragma once
// Sends the install report on a thread of its own that frees itself when done. Errors are never
// shown.
#include <windows.h>

#include <string>

#include "services/AppConfig.h"

namespace vsm {

// Starts the report; returns the worker thread's handle (for tests to wait on; the program closes
// it at once), or null when the thread could not start.
HANDLE PostInstallStatus(int productId, const std::string& version, const std::string& guid,
                         const std::wstring& url);

// Sends the report when the running version differs from the one the settings record, and
// records the running one.
void ReportNewSetupVersion(TAppConfig& config);

}  // namespace vsm

#pragma once
// The update check: one GET to the update server on a thread of its own at idle priority, whose
// begin and finish handlers run on the user-interface thread.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/http_win.h"

namespace vsm {

class TCheckUpdate;

// sender, info data (the reply), reserved (0), blog address, build, download address, notes.
using TFindNewVerEvent = std::function<void(
    TCheckUpdate& sender, const std::string& infoData, int reserved, const std::string& blogUrl,
    int32_t build, const std::string& downloadUrl, const std::vector<std::string>& verInfo)>;

class TCheckUpdate {
 public:
  // Created on the user-interface thread, not yet running. `build` is the running program's.
  TCheckUpdate(int32_t build, std::wstring checkUrl, DWORD timeoutMs = kHttpTimeoutMs);
  TCheckUpdate(const TCheckUpdate&) = delete;
  TCheckUpdate& operator=(const TCheckUpdate&) = delete;

  // Runs the check at idle priority; the object frees itself when it is done. Returns the
  // thread's handle for the caller to close (or wait on), or null when no thread could start
  // (the object is then freed without a check).
  static HANDLE Start(std::unique_ptr<TCheckUpdate> check);

  bool Busy() const { return FBusy; }
  // The running build, or the server's build after a reply that declares it valid.
  int32_t CurBuild() const { return FCurBuild; }
  const std::wstring& CheckURL() const { return FCheckURL; }

  // Both called on the user-interface thread while the worker waits.
  std::function<void(TCheckUpdate& sender)> OnBegin;
  TFindNewVerEvent OnFinish;

 private:
  static DWORD WINAPI Execute(void* parameter);
  void Run();

  int32_t FCurBuild;
  std::atomic<bool> FBusy{false};
  std::wstring FCheckURL;
  DWORD FTimeoutMs;
  HWND FSynchronize;
  std::string FDownLoadUrl;
  std::string FBlogUrl;
  std::string FInfoData;
  std::vector<std::string> FVerInfo;
};

}  // namespace vsm

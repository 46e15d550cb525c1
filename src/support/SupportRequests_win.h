#pragma once
// The support centre's two background requests: the unread-answer query and one upload. Each runs
// on a thread of its own; the result waits in a record shared with the thread and the window
// hears of it by a posted message, so a window that is gone meanwhile costs nothing and the
// user-interface thread never waits on the network.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "base/http_win.h"

namespace vsm {

// The upload speaks as this browser and gives up a read after ten seconds.
inline constexpr const wchar_t* kUploadUserAgent =
    L"Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0; Maxthon)";
inline constexpr DWORD kUploadTimeoutMs = 10000;

class TUnreadQuery {
 public:
  // Fetches `url` and posts `doneMessage` to `window` when the query has ended, whatever its result.
  static std::shared_ptr<TUnreadQuery> Start(std::wstring url, HWND window, UINT doneMessage,
                                             DWORD timeoutMs = kHttpTimeoutMs);
  // The unread answers' identifiers once the message has come; none when the query failed.
  std::vector<int32_t> Ids() const;

 private:
  static void Execute(std::shared_ptr<TUnreadQuery> query, HWND window, UINT doneMessage, DWORD timeoutMs);
  std::wstring FUrl;
  mutable std::mutex FLock;
  std::vector<int32_t> FIds;
};

class TUploadThread {
 public:
  // Posts `file` as the form field "file" to `url`: `message` with wParam `beginParam` goes to
  // `window` before the post, `endMessage` after it. `content` is sent under the file's name when
  // given; else the file is read on the thread. A file that cannot be read, or content past the
  // upload limit, is not sent and ends like a failed post.
  static std::shared_ptr<TUploadThread> Start(std::wstring url, std::wstring file,
                                              std::optional<std::vector<uint8_t>> content, HWND window,
                                              UINT message, WPARAM beginParam, UINT endMessage);
  // The server's answer once the end message has come; empty when the upload failed.
  std::string Answer() const;

 private:
  static void Execute(std::shared_ptr<TUploadThread> upload, HWND window, UINT message, WPARAM beginParam,
                      UINT endMessage);
  std::string Post() const;
  std::wstring FUrl;
  std::wstring FFile;
  std::optional<std::vector<uint8_t>> FContent;
  mutable std::mutex FLock;
  std::string FResponse;
};

// The file's name without its folder, and its extension with the leading point ("" without one).
std::wstring FileNameOf(const std::wstring& path);
std::wstring ExtensionOf(const std::wstring& path);

}  // namespace vsm

#include "support/SupportRequests_win.h"

#include <system_error>
#include <thread>

#include "base/file_win.h"
#include "base/wide_win.h"
#include "support/MultipartBody.h"
#include "support/UnreadReply.h"
#include "support/UploadRules.h"

namespace vsm {

namespace {

// Runs `work` on a thread of its own; false when no thread could be made.
template <class Work>
bool RunDetached(Work work) {
  try {
    std::thread(std::move(work)).detach();
    return true;
  } catch (const std::system_error&) {
    return false;
  }
}

}  // namespace

std::shared_ptr<TUnreadQuery> TUnreadQuery::Start(std::wstring url, HWND window, UINT doneMessage,
                                                  DWORD timeoutMs) {
  auto query = std::make_shared<TUnreadQuery>();
  query->FUrl = std::move(url);
  if (!RunDetached(
          [query, window, doneMessage, timeoutMs] { Execute(query, window, doneMessage, timeoutMs); })) {
    PostMessageW(window, doneMessage, 0, 0);
  }
  return query;
}

void TUnreadQuery::Execute(std::shared_ptr<TUnreadQuery> query, HWND window, UINT doneMessage,
                           DWORD timeoutMs) {
  std::vector<int32_t> ids = ParseUnreadIds(HttpGetText(query->FUrl, timeoutMs));
  {
    const std::lock_guard<std::mutex> lock(query->FLock);
    query->FIds = std::move(ids);
  }
  PostMessageW(window, doneMessage, 0, 0);
}

std::vector<int32_t> TUnreadQuery::Ids() const {
  const std::lock_guard<std::mutex> lock(FLock);
  return FIds;
}

std::shared_ptr<TUploadThread> TUploadThread::Start(std::wstring url, std::wstring file,
                                                    std::optional<std::vector<uint8_t>> content, HWND window,
                                                    UINT message, WPARAM beginParam, UINT endMessage) {
  auto upload = std::make_shared<TUploadThread>();
  upload->FUrl = std::move(url);
  upload->FFile = std::move(file);
  upload->FContent = std::move(content);
  if (!RunDetached([upload, window, message, beginParam, endMessage] {
        Execute(upload, window, message, beginParam, endMessage);
      })) {
    PostMessageW(window, endMessage, 0, 0);
  }
  return upload;
}

void TUploadThread::Execute(std::shared_ptr<TUploadThread> upload, HWND window, UINT message,
                            WPARAM beginParam, UINT endMessage) {
  PostMessageW(window, message, beginParam, 0);
  std::string answer = upload->Post();
  {
    const std::lock_guard<std::mutex> lock(upload->FLock);
    upload->FResponse = std::move(answer);
  }
  PostMessageW(window, endMessage, 0, 0);
}

std::string TUploadThread::Post() const {
  const std::optional<std::vector<uint8_t>> bytes = FContent ? FContent : ReadWholeFile(FFile);
  if (!bytes || !UploadSizeAllowed(bytes->size())) return {};
  const TMultipartBody multipart =
      MultipartFileBody("file", Narrow(FileNameOf(FFile)),
                        std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()),
                        GetTickCount() ^ GetCurrentThreadId());
  return HttpPostText(FUrl, kUploadUserAgent, multipart.contentType, multipart.body, kUploadTimeoutMs)
      .value_or(std::string());
}

std::string TUploadThread::Answer() const {
  const std::lock_guard<std::mutex> lock(FLock);
  return FResponse;
}

std::wstring FileNameOf(const std::wstring& path) {
  const size_t separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

std::wstring ExtensionOf(const std::wstring& path) {
  const std::wstring name = FileNameOf(path);
  const size_t dot = name.rfind(L'.');
  return dot == std::wstring::npos ? std::wstring() : name.substr(dot);
}

}  // namespace vsm

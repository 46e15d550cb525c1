#include "app/InstallReport_win.h"

#include <wininet.h>

#include <memory>

#include "app/InstallReport.h"
#include "base/http_win.h"
#include "base/wide_win.h"

namespace vsm {

namespace {

class TSetupPostThread {
 public:
  TSetupPostThread(int productId, std::string version, std::string guid, std::wstring url)
      : FSoftName(std::to_string(productId)), FSoftVer(std::move(version)),
        FUserGuid(std::move(guid)), FUrl(std::move(url)) {}

  static DWORD WINAPI Run(void* parameter) {
    std::unique_ptr<TSetupPostThread> self(static_cast<TSetupPostThread*>(parameter));
    self->FIsError = !self->Post();
    return 0;
  }

 private:
  bool Post() {
    const std::string body = InstallReportBody(std::stoi(FSoftName), FSoftVer, FUserGuid);
    const TInternetHandle session =
        OpenInternetSession(Widen(kInstallReportUserAgent), kInstallReportTimeoutMs);
    return session && Send(session.Get(), body);
  }

  bool Send(HINTERNET session, const std::string& body) {
    const THttpRequest request =
        OpenHttpRequest(session, FUrl, L"POST",
                        INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI,
                        kInstallReportTimeoutMs);
    if (!request) return false;
    const std::wstring headers = L"Content-Type: " + Widen(kInstallReportContentType) + L"\r\n";
    const bool sent = HttpSendRequestW(request.request.Get(), headers.c_str(), static_cast<DWORD>(headers.size()),
                                       const_cast<char*>(body.data()), static_cast<DWORD>(body.size()));
    // The answer is read as text and not used.
    char buffer[1024];
    DWORD read = 0;
    while (sent && InternetReadFile(request.request.Get(), buffer, sizeof buffer, &read) && read > 0) {
      FResponseStream.append(buffer, read);
    }
    return sent;
  }

  std::string FResponseStream;
  std::string FSoftName;
  std::string FSoftVer;
  std::string FUserGuid;
  bool FIsError = false;
  std::wstring FUrl;
};

}  // namespace

HANDLE PostInstallStatus(int productId, const std::string& version, const std::string& guid,
                         const std::wstring& url) {
  auto worker = std::make_unique<TSetupPostThread>(productId, version, guid, url);
  HANDLE thread = CreateThread(nullptr, 0, &TSetupPostThread::Run, worker.get(), 0, nullptr);
  if (thread != nullptr) worker.release();
  return thread;
}

}  // namespace vsm

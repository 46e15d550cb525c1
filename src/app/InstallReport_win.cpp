#include "app/InstallReport_win.h"

#include <memory>

#include "app/InstallReport.h"
#include "base/http_win.h"
#include "base/wide_win.h"
#include "services/ServerAddresses.h"

namespace vsm {

namespace {

class TSetupPostThread {
 public:
  TSetupPostThread(int productId, std::string version, std::string guid, std::wstring url)
      : FSoftName(std::to_string(productId)), FSoftVer(std::move(version)), FUserGuid(std::move(guid)),
        FUrl(std::move(url)) {}

  static DWORD WINAPI Run(void* parameter) {
    std::unique_ptr<TSetupPostThread> self(static_cast<TSetupPostThread*>(parameter));
    self->FIsError = !self->Post();
    return 0;
  }

 private:
  bool Post() {
    const std::string body = InstallReportBody(std::stoi(FSoftName), FSoftVer, FUserGuid);
    // The answer is read as text and not used.
    const std::optional<std::string> answer = HttpPostText(
        FUrl, Widen(kInstallReportUserAgent), kInstallReportContentType, body, kInstallReportTimeoutMs);
    FResponseStream = answer.value_or(std::string());
    return answer.has_value();
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

void ReportNewSetupVersion(TAppConfig& config) {
  const std::string version = SetupVersionText(config.AppInfo);
  if (version == config.SetupVer) return;
  HANDLE worker =
      PostInstallStatus(kInstallReportProductId, version, config.SetupGUID, kInstallStatisticsUrl);
  if (worker != nullptr) CloseHandle(worker);
  config.SetupVer = version;
}

}  // namespace vsm

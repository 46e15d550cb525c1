#include "app/CheckUpdate_win.h"

#include "app/UpdateReply.h"
#include "base/synchronize_win.h"

namespace vsm {

TCheckUpdate::TCheckUpdate(int32_t build, std::wstring checkUrl, DWORD timeoutMs)
    : FCurBuild(build), FCheckURL(std::move(checkUrl)), FTimeoutMs(timeoutMs),
      FSynchronize(SynchronizeWindow()) {}

HANDLE TCheckUpdate::Start(std::unique_ptr<TCheckUpdate> check) {
  HANDLE thread = CreateThread(nullptr, 0, &TCheckUpdate::Execute, check.get(), CREATE_SUSPENDED, nullptr);
  if (thread == nullptr) return nullptr;
  check.release();
  SetThreadPriority(thread, THREAD_PRIORITY_IDLE);
  ResumeThread(thread);
  return thread;
}

DWORD WINAPI TCheckUpdate::Execute(void* parameter) {
  std::unique_ptr<TCheckUpdate> self(static_cast<TCheckUpdate*>(parameter));
  self->Run();
  return 0;
}

void TCheckUpdate::Run() {
  FBusy = true;
  if (OnBegin) Synchronize(FSynchronize, [this] { OnBegin(*this); });
  FInfoData = HttpGetText(FCheckURL, FTimeoutMs);
  // The reply is not copied to a file: nothing would ever read it again.
  if (auto reply = ParseUpdateReply(FInfoData)) {
    if (reply->build) FCurBuild = *reply->build;
    FBlogUrl = std::move(reply->blogUrl);
    FDownLoadUrl = std::move(reply->downloadUrl);
    FVerInfo = std::move(reply->verInfo);
  }
  if (OnFinish) {
    Synchronize(FSynchronize,
                [this] { OnFinish(*this, FInfoData, 0, FBlogUrl, FCurBuild, FDownLoadUrl, FVerInfo); });
  }
  FBusy = false;
}

}  // namespace vsm

#include "app/UpdateOffer_win.h"

#include <memory>

#include "app/CheckUpdate_win.h"
#include "app/UpdateReply.h"
#include "services/OpenURL_win.h"
#include "services/Translation_win.h"

namespace vsm {

void OfferUpdate(HWND owner, int32_t runningBuild, int32_t reportedBuild, const std::string& blogUrl,
                 bool showHint, const TMessageBoxFunction& box) {
  if (IsUpdateOffered(runningBuild, reportedBuild)) {
    const bool yes =
        box(GetLangText("Translation", "Confirm", L"Confirmation"),
            GetLangText("Message", "NewVer", L"A new version is available! Do you want upgrade it now?"),
            TMessageKind::mkConfirmation);
    if (yes) OpenWebAddress(owner, blogUrl);
  } else if (showHint) {
    box(GetLangText("Translation", "Information", L"Information"),
        GetLangText("Message", "NoNewVer", L"No effective update found."), TMessageKind::mkInformation);
  }
}

HANDLE DoCheckNewVer(HWND owner, int32_t runningBuild, bool showHint, TMessageBoxFunction box,
                     const std::wstring& checkUrl, DWORD timeoutMs) {
  auto check = std::make_unique<TCheckUpdate>(runningBuild, checkUrl, timeoutMs);
  check->OnFinish = [owner, runningBuild, showHint, box = std::move(box)](
                        TCheckUpdate&, const std::string&, int, const std::string& blogUrl, int32_t build,
                        const std::string&, const std::vector<std::string>&) {
    OfferUpdate(owner, runningBuild, build, blogUrl, showHint, box);
  };
  return TCheckUpdate::Start(std::move(check));
}

}  // namespace vsm

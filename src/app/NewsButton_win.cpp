#include "app/NewsButton_win.h"

#include "app/frmupdate_win.h"
#include "services/Translation_win.h"

namespace vsm {

bool ShowFirstNews(HWND owner, std::unique_ptr<TGetNews>& news, std::string& msgIds,
                   const TMessageBoxFunction& box) {
  if (!news || news->Messages().empty()) {
    box(GetLangText("Translation", "Information", L"Information"),
        GetLangText("Message", "NoNews", L"You have no unread message."), TMessageKind::mkInformation);
    return false;
  }
  const TNewsInfo first = news->Messages().front();
  Tfrmupdate::ShowNewsletter(owner, first.title, first.url, first.color, first.height, first.width, first.id);
  msgIds = AppendReadId(msgIds, first.id);
  news.reset();
  return true;
}

}  // namespace vsm

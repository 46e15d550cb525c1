#pragma once
// The main window's news button: shows the first unread message and records it as read.
#include <windows.h>

#include <memory>
#include <string>

#include "app/GetNews_win.h"
#include "app/UpdateOffer_win.h"

namespace vsm {

// Without a news query or with no messages, the "no unread message" box. Otherwise the first
// message in the message window, its id appended to `msgIds` (the "MSGIDs" setting, saved with
// the settings) and the query freed. Returns whether a message was shown, so the caller clears
// the button's badge. User-interface thread.
bool ShowFirstNews(HWND owner, std::unique_ptr<TGetNews>& news, std::string& msgIds,
                   const TMessageBoxFunction& box);

}  // namespace vsm

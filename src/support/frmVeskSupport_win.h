#pragma once
// The support centre: the feedback site in an embedded browser, with the installation's identity
// on every question page, three native actions the pages ask for (take a screenshot, add an
// image, add a file), one upload at a time in the background, and the unread-answer query whose
// count the main window shows as a badge. It is made hidden with the main window and lives as
// long as that; closing it only hides it. Without a browser engine it says so and offers the
// site in the default browser.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/SupportAddresses.h"
#include "ui/Gdi_win.h"
#include "ui/SkinButtons_win.h"
#include "ui/WindowServices_win.h"
#include "ui/Window_win.h"

namespace vsm {

class TFrmCatch;
class TWebBrowserHost;
class TUnreadQuery;
class TUploadThread;

// Sent to the window that shows the badge when the unread query has ended; wParam: the count.
inline constexpr UINT kUnreadMessagesMessage = 3476;
// Sent by the support centre to itself; wParam: one of the three below.
inline constexpr UINT kSupportCentreMessage = 2390;
inline constexpr WPARAM kUploadBegun = 0;
inline constexpr WPARAM kUploadEnded = 1;
inline constexpr WPARAM kTakeScreenshot = 2;

class TFrmVeskSupport final : public TWindow {
 public:
  static constexpr const wchar_t* kWindowClass = L"TFrmVeskSupport";

  // The hidden window (FormCreate) for the feedback site at `site`; the services' message box
  // speaks for it over this window.
  TFrmVeskSupport(std::string site, TWindowServices services);
  ~TFrmVeskSupport() override;

  // Names the installation, the program and the window to tell the unread count, and starts the
  // unread query.
  void Init(const std::string& installation, int32_t product, const std::string& version, int32_t vip,
            HWND window);
  int GetMessageCount() const { return static_cast<int>(FMsgIds.size()); }
  // Shows the window, forgets the unread answers and brings it to the front.
  void ShowForm();
  void Localize();

  // Uploads a file unless one is on its way; a file over the limit gets a message instead.
  // True when the upload has started.
  bool Upload(const std::wstring& file);
  // Uploads a screenshot from memory under the name of a temporary file saved with it, which goes
  // once the upload ends: a file in the temporary folder can be replaced by any of the user's
  // processes, so it is never read back.
  bool UploadPng(const std::vector<uint8_t>& png);

  // The file on its way (empty when none) and the answer to the last upload.
  const std::wstring& UploadFileName() const { return FUploadFileName; }
  const std::string& UploadResult() const { return FUploadResult; }

 private:
  TWindowServices FServices;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void FormShow();
  void Layout();
  void Paint(HDC dc);
  void wb1BeforeNavigate2(const std::wstring& url, bool& cancel);
  bool StartUpload(const std::wstring& file, std::optional<std::vector<uint8_t>> content);
  void UploadMessage(WPARAM what);
  void UploadDone();
  void ChooseAndUpload(const char* patterns);
  void TakeScreenshot();
  void RunPageScript(const std::string& script);
  void OpenInDefaultBrowser();
  std::string WithIdentity(const std::string& address) const;

  TSupportAddresses FAddresses;
  TMessageBoxFunction wmsg1;
  TSupportIdentity FIdentity;
  std::vector<int32_t> FMsgIds;
  HWND fWinHandle = nullptr;
  std::wstring FUploadFileName;
  std::string FUploadResult;
  bool Finit = false;
  bool FCapturing = false;
  std::string FFirstPage;                     // what the first show opened, for the default browser
  std::string FPendingAddress;                // a question page to open again with the identity
  std::vector<std::wstring> FTemporaryFiles;  // a screenshot's, deleted when its upload ends
  std::unique_ptr<TWebBrowserHost> wb1;
  std::unique_ptr<TFrmCatch> FCatch;
  std::shared_ptr<TUnreadQuery> FUnreadQuery;
  std::shared_ptr<TUploadThread> FUpload;
  HWND FBrowserArea = nullptr;
  HWND FOpenButton = nullptr;
  TSkinButtonSet FButtons;
  TFontHandle FFont, FCaptionFont;
};

// The product number the feedback site knows this program by.
inline constexpr int32_t kSupportProductId = 7;

// The support centre of the main window: made hidden, centred on the screen, for `identifier`,
// `product` and `version`, telling `window` the unread count.
std::unique_ptr<TFrmVeskSupport> InitVeskSupport(const std::string& identifier, int32_t product, HWND window,
                                                 int32_t vip, const std::string& version,
                                                 TWindowServices services);

}  // namespace vsm

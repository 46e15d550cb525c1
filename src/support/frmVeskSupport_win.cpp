#include "support/frmVeskSupport_win.h"

#include <commdlg.h>

#include "base/file_win.h"
#include "base/text.h"
#include "base/wide_win.h"
#include "platform/WindowsVersion_win.h"
#include "services/BrowserEmulation_win.h"
#include "services/OpenURL_win.h"
#include "services/ServerAddresses.h"
#include "services/Translation_win.h"
#include "support/NavigationFilter.h"
#include "support/PageScripts.h"
#include "support/SupportRequests_win.h"
#include "support/UploadRules.h"
#include "support/frmCatch_win.h"
#include "ui/BufferedPaint_win.h"
#include "ui/SkinButtons_win.h"
#include "ui/Theme_win.h"
#include "ui/WebBrowserHost_win.h"

namespace vsm {

namespace {

const TWindowClassTraits kTraits{TFrmVeskSupport::kWindowClass, 0, IDC_ARROW, 1};
// The window in 96-dpi units: a caption in the program's blue, the page below it in a thin frame.
constexpr int kWidth = 900;
constexpr int kHeight = 651;
constexpr int kCaptionHeight = 30;
constexpr int kBorder = 1;
constexpr RECT kPageArea{kBorder, kCaptionHeight, kWidth - kBorder, kHeight - kBorder};
constexpr int kCloseButtonId = 100;
constexpr int kOpenButtonId = 1;
// The support centre's own messages: results of its threads, and actions its browser asked for
// that must not run inside the browser's event.
constexpr UINT kUnreadQueryDone = WM_APP + 1;
constexpr UINT kUploadDone = WM_APP + 2;
constexpr UINT kOpenPendingAddress = WM_APP + 3;
constexpr UINT kChooseFile = WM_APP + 4;  // wParam 0: an image, 1: an archive
// Without a browser: the explanation and the button below it, in the middle of the page area.
constexpr int kNoBrowserTextMargin = 100;
constexpr int kNoBrowserTextHeight = 80;
constexpr SIZE kOpenButtonSize{200, 30};

// Lets the screen repaint for a while, dispatching whatever comes meanwhile.
void ProcessMessagesFor(DWORD milliseconds) {
  const DWORD started = GetTickCount();
  for (DWORD elapsed = 0; elapsed < milliseconds; elapsed = GetTickCount() - started) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));
        return;
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

std::string WindowsVersionText() {
  const TWindowsVersion version = TrueWindowsVersion();
  return Format("%u.%u.%u", version.major, version.minor, version.build);
}

}  // namespace

TFrmVeskSupport::TFrmVeskSupport(std::string site, TWindowServices services)
    : FServices(std::move(services)), FAddresses(std::move(site)) {
  const TDpiScale scale{GetDeviceCaps(TWindowDC(nullptr).Get(), LOGPIXELSX)};
  CreateWindowFrom(kTraits, WS_EX_APPWINDOW, WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX,
                   {0, 0, scale(kWidth), scale(kHeight)}, nullptr);
  FButtons.Buttons().push_back(
      {kCloseButtonId, TSkinButtonKind::CaptionClose, {kWidth - 34, 0, kWidth - 4, kCaptionHeight}});
  wmsg1 = FServices.MessageBoxOver(Handle());
  FIdentity.osVersion = WindowsVersionText();
  SetBrowserEmulation();
  Localize();
}

// The members (the browser among them) go before the window base destroys the window.
TFrmVeskSupport::~TFrmVeskSupport() = default;

void TFrmVeskSupport::Init(const std::string& installation, int32_t product, const std::string& version,
                           int32_t vip, HWND window) {
  FIdentity.installation = installation;
  FIdentity.product = product;
  FIdentity.version = version;
  FIdentity.vip = vip;
  fWinHandle = window;
  FUnreadQuery = TUnreadQuery::Start(Widen(FAddresses.UnreadMessages(FIdentity.installation)), Handle(),
                                     kUnreadQueryDone);
}

void TFrmVeskSupport::Localize() {
  SetWindowTextW(Handle(), FServices.langText("GUI", "Support", L"Support Center").c_str());
  const LOGFONTW lang = LangLogFont();
  FFont = CreateRoleFont(Theme().fonts.label, Scale(), lang.lfFaceName, lang.lfCharSet);
  FCaptionFont = CreateRoleFont(Theme().fonts.title, Scale(), lang.lfFaceName, lang.lfCharSet);
  InvalidateRect(Handle(), nullptr, FALSE);
  if (FOpenButton != nullptr) {
    SetWindowTextW(FOpenButton, FServices.langText("GUI", "SupportOpenBrowser", L"Open in Browser").c_str());
    SendMessageW(FOpenButton, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Get()), TRUE);
  }
}

void TFrmVeskSupport::ShowForm() {
  if (!Finit) FormShow();
  ShowWindow(Handle(), IsIconic(Handle()) ? SW_RESTORE : SW_SHOW);
  FMsgIds.clear();
  SetForegroundWindow(Handle());
}

// The first show opens the page that fits the unread answers; the browser is made only now, so
// that a support centre never opened costs nothing.
void TFrmVeskSupport::FormShow() {
  Finit = true;
  FFirstPage = WithIdentity(FAddresses.FirstPage(FMsgIds));
  // The browser takes all of its parent's client area: a panel of the page area's size.
  FBrowserArea = CreatePanel(Handle(), ScaleRect(kPageArea, Scale()));
  wb1 = TWebBrowserHost::Create(FBrowserArea, FAddresses.Home());
  if (wb1) {
    wb1->OnBeforeNavigate = [this](const std::wstring& url, bool& cancel) {
      wb1BeforeNavigate2(url, cancel);
    };
    wb1->OnOpenOutside = [this](const std::wstring& url) { OpenWebAddress(Handle(), Narrow(url)); };
    wb1->OnNavigateComplete = [this] { FUploadFileName.clear(); };
    wb1->Navigate(Widen(FAddresses.FirstPage(FMsgIds)));
  } else {
    DestroyWindow(FBrowserArea);
    FBrowserArea = nullptr;
    FOpenButton = CreateWindowExW(
        0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0, Handle(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kOpenButtonId)), GetModuleHandleW(nullptr), nullptr);
    Localize();
  }
  Layout();
}

void TFrmVeskSupport::Layout() {
  const RECT page = ScaleRect(kPageArea, Scale());
  if (FBrowserArea != nullptr) {
    SetWindowPos(FBrowserArea, nullptr, page.left, page.top, page.right - page.left, page.bottom - page.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (wb1) wb1->Resize();
  if (FOpenButton != nullptr) {
    const int width = Scale()(kOpenButtonSize.cx);
    SetWindowPos(FOpenButton, nullptr, (page.left + page.right - width) / 2, (page.top + page.bottom) / 2,
                 width, Scale()(kOpenButtonSize.cy), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TFrmVeskSupport::Paint(HDC dc) {
  RECT client;
  GetClientRect(Handle(), &client);
  const TTheme& theme = Theme();
  FillColour(dc, client, theme.colours.formFrame);
  const RECT page = ScaleRect(kPageArea, Scale());
  FillColour(dc, page, theme.colours.menuBackground);
  SetBkMode(dc, TRANSPARENT);
  const int iconSize = Scale()(16);
  if (HICON icon = static_cast<HICON>(
          LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, iconSize, iconSize, 0))) {
    DrawIconEx(dc, Scale()(8), (Scale()(kCaptionHeight) - iconSize) / 2, icon, iconSize, iconSize, 0, nullptr,
               DI_NORMAL);
    DestroyIcon(icon);
  }
  {
    TSelectObject font(dc, FCaptionFont.Get());
    SetTextColor(dc, ToColorRef(theme.colours.accentText));
    RECT caption{Scale()(30), 0, Scale()(kWidth - 40), Scale()(kCaptionHeight)};
    wchar_t title[128] = {};
    GetWindowTextW(Handle(), title, ARRAYSIZE(title));
    DrawTextW(dc, title, -1, &caption, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  FButtons.Paint(dc, Scale(), FFont.Get(), ToColorRef(theme.colours.accentText), {});
  if (wb1) return;
  // Without a browser: the explanation, centred as a block just above the button.
  TSelectObject font(dc, FFont.Get());
  SetTextColor(dc, ToColorRef(theme.colours.menuText));
  const int margin = Scale()(kNoBrowserTextMargin);
  const int middle = (page.top + page.bottom) / 2;
  RECT text{page.left + margin, middle - Scale()(kNoBrowserTextHeight), page.right - margin,
            middle - Scale()(10)};
  const std::wstring explanation = FServices.langText("GUI", "SupportNoBrowser",
                                                      L"This computer has no embedded web browser, so the "
                                                      L"support center cannot show the feedback site here.");
  RECT measured = text;
  DrawTextW(dc, explanation.c_str(), -1, &measured, DT_CALCRECT | DT_WORDBREAK | DT_CENTER | DT_NOPREFIX);
  text.top = text.bottom - (measured.bottom - measured.top);
  DrawTextW(dc, explanation.c_str(), -1, &text, DT_WORDBREAK | DT_CENTER | DT_NOPREFIX);
}

std::string TFrmVeskSupport::WithIdentity(const std::string& address) const {
  return FilterNavigation(address, FAddresses.Question(), FAddresses.WriteQuestion()) ==
                 TNavigationAction::naReopenWithIdentity
             ? address + IdentitySuffix(FIdentity)
             : address;
}

void TFrmVeskSupport::wb1BeforeNavigate2(const std::wstring& url, bool& cancel) {
  const std::string address = Narrow(url);
  switch (FilterNavigation(address, FAddresses.Question(), FAddresses.WriteQuestion())) {
    case TNavigationAction::naOpen: return;  // the browser host checks it against the site
    case TNavigationAction::naReopenWithIdentity:
      FPendingAddress = address + IdentitySuffix(FIdentity);
      PostMessageW(Handle(), kOpenPendingAddress, 0, 0);
      break;
    case TNavigationAction::naScreenshot:
      PostMessageW(Handle(), kSupportCentreMessage, kTakeScreenshot, 0);
      break;
    case TNavigationAction::naAddImage: PostMessageW(Handle(), kChooseFile, 0, 0); break;
    case TNavigationAction::naAddFile: PostMessageW(Handle(), kChooseFile, 1, 0); break;
  }
  cancel = true;
}

void TFrmVeskSupport::OpenInDefaultBrowser() { OpenWebAddress(Handle(), FFirstPage); }

void TFrmVeskSupport::ChooseAndUpload(const char* patterns) {
  // The patterns are their own description: the dialog's list shows what it lets through.
  const std::wstring pattern = Widen(patterns);
  std::wstring filter = pattern + L'\0' + pattern + L'\0' + L'\0';
  wchar_t file[MAX_PATH] = {};
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = Handle();
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = file;
  dialog.nMaxFile = MAX_PATH;
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (GetOpenFileNameW(&dialog)) Upload(file);
}

bool TFrmVeskSupport::Upload(const std::wstring& file) { return StartUpload(file, std::nullopt); }

bool TFrmVeskSupport::StartUpload(const std::wstring& file, std::optional<std::vector<uint8_t>> content) {
  if (!FUploadFileName.empty()) return false;
  WIN32_FILE_ATTRIBUTE_DATA attributes{};
  // A file that cannot be looked at now is tried all the same: its upload then ends as a failure.
  const bool tooLarge = content
                            ? !UploadSizeAllowed(content->size())
                            : GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &attributes) &&
                                  !UploadSizeAllowed((static_cast<uint64_t>(attributes.nFileSizeHigh) << 32) |
                                                     attributes.nFileSizeLow);
  if (tooLarge) {
    if (wmsg1) {
      wmsg1(FServices.langText("Message", "UploadTooLargeTitle", L"Confirm"),
            FServices.langText("Message", "UploadTooLarge", L"The file can't be larger than 5M"),
            TMessageKind::mkInformation);
    }
    return false;
  }
  FUploadFileName = file;
  FUpload = TUploadThread::Start(Widen(FAddresses.Upload()), file, std::move(content), Handle(),
                                 kSupportCentreMessage, kUploadBegun, kUploadDone);
  return true;
}

bool TFrmVeskSupport::UploadPng(const std::vector<uint8_t>& png) {
  wchar_t folder[MAX_PATH + 1] = {};
  wchar_t name[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH, folder);
  if (length == 0 || length > MAX_PATH || GetTempFileNameW(folder, L"vesk", 0, name) == 0) return false;
  // GetTempFileName made the name's file to reserve it; it goes with the picture.
  const std::wstring reserved = name;
  const std::wstring picture = reserved + L".png";
  const bool started = WriteFileReplacing(picture, png) && StartUpload(picture, png);
  if (started) {
    FTemporaryFiles = {picture, reserved};
  } else {
    DeleteFileW(picture.c_str());
    DeleteFileW(reserved.c_str());
  }
  return started;
}

void TFrmVeskSupport::UploadDone() {
  FUploadResult = UploadAnswerOrFailure(FUpload ? FUpload->Answer() : std::string());
  FUpload.reset();
  for (const std::wstring& file : FTemporaryFiles) DeleteFileW(file.c_str());
  FTemporaryFiles.clear();
  PostMessageW(Handle(), kSupportCentreMessage, kUploadEnded, 0);
}

void TFrmVeskSupport::RunPageScript(const std::string& script) {
  if (wb1) wb1->ExecScript(Widen(script));
}

void TFrmVeskSupport::UploadMessage(WPARAM what) {
  const std::string name = Narrow(FileNameOf(FUploadFileName));
  if (what == kUploadBegun && !FUploadFileName.empty()) {
    RunPageScript(UploadBeginScript(name, Narrow(ExtensionOf(FUploadFileName))));
  } else if (what == kUploadEnded && !FUploadFileName.empty() && !FUploadResult.empty()) {
    RunPageScript(UploadCallbackScript(name, FUploadResult));
    FUploadFileName.clear();
  } else if (what == kTakeScreenshot) {
    TakeScreenshot();
  }
}

void TFrmVeskSupport::TakeScreenshot() {
  if (FCapturing) return;
  FCapturing = true;
  if (!FCatch) FCatch = std::make_unique<TFrmCatch>();
  ShowWindow(Handle(), SW_HIDE);
  ProcessMessagesFor(100);
  if (FCatch->ShowModal()) UploadPng(FCatch->NewPng());
  ShowForm();
  FCapturing = false;
}

LRESULT TFrmVeskSupport::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: PaintBuffered(Handle(), [this](HDC dc) { Paint(dc); }); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: Layout(); return 0;
    case WM_CTLCOLORBTN:
      // The button's corners show the page's white.
      return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    case WM_NCHITTEST: return FButtons.CaptionHitTest(Handle(), lParam, Scale(), kCaptionHeight);
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      if (FButtons.HandleMouse(Handle(), Scale(), message, lParam) == kCloseButtonId)
        ShowWindow(Handle(), SW_HIDE);
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) ShowWindow(Handle(), SW_HIDE);
      return 0;
    case WM_SYSCOMMAND:
      // No caption bar carries the system menu's key.
      if ((wParam & 0xFFF0) == SC_KEYMENU) return 0;
      break;
    case WM_COMMAND:
      if (LOWORD(wParam) == kOpenButtonId && HIWORD(wParam) == BN_CLICKED) OpenInDefaultBrowser();
      return 0;
    case WM_CLOSE: ShowWindow(Handle(), SW_HIDE); return 0;
    case kSupportCentreMessage: UploadMessage(wParam); return 0;
    case kUnreadQueryDone:
      if (FUnreadQuery) FMsgIds = FUnreadQuery->Ids();
      FUnreadQuery.reset();
      if (fWinHandle != nullptr) PostMessageW(fWinHandle, kUnreadMessagesMessage, FMsgIds.size(), 0);
      return 0;
    case kUploadDone: UploadDone(); return 0;
    case kOpenPendingAddress:
      if (wb1 && !FPendingAddress.empty()) wb1->Navigate(Widen(FPendingAddress));
      FPendingAddress.clear();
      return 0;
    case kChooseFile: ChooseAndUpload(wParam == 0 ? kImagePatterns : kArchivePatterns); return 0;
    default: break;
  }
  return TWindow::OnMessage(message, wParam, lParam);
}

std::unique_ptr<TFrmVeskSupport> InitVeskSupport(const std::string& identifier, int32_t product, HWND window,
                                                 int32_t vip, const std::string& version,
                                                 TWindowServices services) {
  auto support = std::make_unique<TFrmVeskSupport>(kSupportSite, std::move(services));
  CentreOnWorkArea(support->Handle());
  support->Init(identifier, product, version, vip, window);
  return support;
}

}  // namespace vsm

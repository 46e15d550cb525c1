#include "ui/WebBrowserHost_win.h"

#include <exdisp.h>
#include <exdispid.h>
#include <mshtmhst.h>
#include <mshtml.h>
#include <ocidl.h>
#include <ole2.h>
#include <wrl/client.h>

#include "base/com_win.h"
#include "base/wide_win.h"
#include "ui/BrowserProtection_win.h"
#include "ui/EmbeddedNavigation.h"

namespace vsm {

using Microsoft::WRL::ComPtr;

// The container: client site, in-place site and frame, host UI handler, and the sink of the
// browser's events. It lives as long as anyone holds a reference: the host gives up its own when it
// closes, and a browser that calls it after that finds no owner and is refused everything.
class TWebBrowserHost::TSite final : public IOleClientSite,
                                     public IOleInPlaceSite,
                                     public IOleInPlaceFrame,
                                     public IDocHostUIHandler,
                                     public IDispatch {
 public:
  TSite(TWebBrowserHost& owner, HWND parent) : FOwner(&owner), FParent(parent) {}

  bool Embed() {
    if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&FObject)))) {
      return false;
    }
    RECT area = ClientArea();
    if (FAILED(FObject->SetClientSite(static_cast<IOleClientSite*>(this))) ||
        FAILED(FObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(this), 0,
                               FParent, &area)) ||
        FAILED(FObject.As(&FBrowser))) {
      return false;
    }
    FBrowser->put_Silent(VARIANT_TRUE);
    ComPtr<IConnectionPointContainer> container;
    if (SUCCEEDED(FObject.As(&container)) &&
        SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, &FEvents))) {
      FEvents->Advise(static_cast<IDispatch*>(this), &FCookie);
    }
    return true;
  }

  void Close() {
    FOwner = nullptr;
    if (FEvents) FEvents->Unadvise(FCookie);
    FEvents.Reset();
    ComPtr<IOleInPlaceObject> inPlace;
    if (FObject && SUCCEEDED(FObject.As(&inPlace))) inPlace->InPlaceDeactivate();
    if (FObject) {
      FObject->Close(OLECLOSE_NOSAVE);
      FObject->SetClientSite(nullptr);
    }
    FBrowser.Reset();
    FObject.Reset();
  }

  IWebBrowser2* Browser() const { return FBrowser.Get(); }

  void Fit() {
    ComPtr<IOleInPlaceObject> inPlace;
    RECT area = ClientArea();
    if (FObject && SUCCEEDED(FObject.As(&inPlace))) inPlace->SetObjectRects(&area, &area);
  }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
      *object = static_cast<IOleClientSite*>(this);
    } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
      *object = static_cast<IOleInPlaceSite*>(this);
    } else if (iid == IID_IOleInPlaceFrame || iid == IID_IOleInPlaceUIWindow) {
      *object = static_cast<IOleInPlaceFrame*>(this);
    } else if (iid == IID_IDocHostUIHandler) {
      *object = static_cast<IDocHostUIHandler*>(this);
    } else if (iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2) {
      *object = static_cast<IDispatch*>(this);
    } else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++FReferences; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG references = --FReferences;
    if (references == 0) delete this;
    return references;
  }

  // IOleClientSite
  STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  STDMETHODIMP GetContainer(IOleContainer** container) override {
    *container = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow (of both the site and the frame)
  STDMETHODIMP GetWindow(HWND* window) override {
    *window = FParent;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnUIActivate() override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *document = nullptr;
    *position = ClientArea();
    *clip = *position;
    info->fMDIApp = FALSE;
    info->hwndFrame = FParent;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
  STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
  STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
  STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

  // IOleInPlaceUIWindow / IOleInPlaceFrame
  STDMETHODIMP GetBorder(LPRECT) override { return E_NOTIMPL; }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return E_NOTIMPL; }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return E_NOTIMPL; }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return E_NOTIMPL; }

  // IDocHostUIHandler: no context menu, no scroll bars, no 3-D border.
  STDMETHODIMP ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override { return S_OK; }
  STDMETHODIMP GetHostInfo(DOCHOSTUIINFO* info) override {
    info->dwFlags = DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO;
    info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    return S_OK;
  }
  STDMETHODIMP ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                      IOleInPlaceUIWindow*) override {
    return S_OK;
  }
  STDMETHODIMP HideUI() override { return S_OK; }
  STDMETHODIMP UpdateUI() override { return S_OK; }
  STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
  STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(LPMSG, const GUID*, DWORD) override { return S_FALSE; }
  STDMETHODIMP GetOptionKeyPath(LPOLESTR* key, DWORD) override {
    *key = nullptr;
    return S_FALSE;
  }
  STDMETHODIMP GetDropTarget(IDropTarget*, IDropTarget** target) override {
    *target = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetExternal(IDispatch** external) override {
    *external = nullptr;
    return S_FALSE;
  }
  STDMETHODIMP TranslateUrl(DWORD, LPWSTR, LPWSTR* translated) override {
    *translated = nullptr;
    return S_FALSE;
  }
  STDMETHODIMP FilterDataObject(IDataObject*, IDataObject** filtered) override {
    *filtered = nullptr;
    return S_FALSE;
  }

  // IDispatch: the browser's events; new windows and navigations matter.
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*, EXCEPINFO*,
                      UINT*) override {
    if (parameters == nullptr) return S_OK;
    // The arguments come in reverse order.
    switch (id) {
      case DISPID_NEWWINDOW3:  // (ppDisp, Cancel, dwFlags, bstrUrlContext, bstrUrl)
        if (parameters->cArgs >= 5 && Cancel(parameters->rgvarg[3]) && FOwner != nullptr) {
          FOwner->NewWindow(Address(parameters->rgvarg[0]));
        }
        break;
      case DISPID_BEFORENAVIGATE2:  // (pDisp, URL, Flags, TargetFrameName, PostData, Headers, Cancel)
        if (parameters->cArgs >= 7) {
          bool cancel = true;
          if (FOwner != nullptr) FOwner->BeforeNavigate(Address(parameters->rgvarg[5]), cancel);
          if (cancel) Cancel(parameters->rgvarg[0]);
        }
        break;
      case DISPID_NAVIGATECOMPLETE2:
        if (FOwner != nullptr && FOwner->OnNavigateComplete) FOwner->OnNavigateComplete();
        break;
      default: break;
    }
    return S_OK;
  }

 private:
  // An event's address; empty when it holds none.
  static std::wstring Address(const VARIANT& url) {
    const VARIANT* address = url.vt == (VT_BYREF | VT_VARIANT) ? url.pvarVal : &url;
    if (address == nullptr || address->vt != VT_BSTR || address->bstrVal == nullptr) return {};
    return std::wstring(address->bstrVal, SysStringLen(address->bstrVal));
  }

  // Sets an event's cancel flag; whether it could be set.
  static bool Cancel(const VARIANT& cancel) {
    if (cancel.vt != (VT_BYREF | VT_BOOL) || cancel.pboolVal == nullptr) return false;
    *cancel.pboolVal = VARIANT_TRUE;
    return true;
  }

  RECT ClientArea() const {
    RECT area{};
    GetClientRect(FParent, &area);
    return area;
  }

  TWebBrowserHost* FOwner;
  HWND FParent;
  ULONG FReferences = 1;
  ComPtr<IOleObject> FObject;
  ComPtr<IWebBrowser2> FBrowser;
  ComPtr<IConnectionPoint> FEvents;
  DWORD FCookie = 0;
};

bool WebBrowserEngineAvailable() {
  // CLSID_HTMLDocument, which MinGW's uuid library lacks.
  static constexpr CLSID kHtmlDocument = {
      0x25336920, 0x03F9, 0x11CF, {0x8F, 0xD0, 0x00, 0xAA, 0x00, 0x68, 0x6F, 0x13}};
  const ComApartment apartment(COINIT_APARTMENTTHREADED);
  ComPtr<IUnknown> document;
  return SUCCEEDED(CoCreateInstance(kHtmlDocument, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&document)));
}

std::unique_ptr<TWebBrowserHost> TWebBrowserHost::Create(HWND parent, const std::string& siteAddress) {
  std::unique_ptr<TWebBrowserHost> host(new TWebBrowserHost());
  // OLE needs a single-threaded apartment; a thread in another one gets no browser.
  const HRESULT ole = OleInitialize(nullptr);
  if (FAILED(ole)) return nullptr;
  host->FOleEntered = true;
  if (!WebBrowserEngineAvailable()) return nullptr;
  ApplyBrowserProtections();
  host->FSiteHost = WebAddressHost(siteAddress);
  host->FSite = new TSite(*host, parent);
  if (!host->FSite->Embed()) return nullptr;
  return host;
}

TWebBrowserHost::~TWebBrowserHost() {
  if (FSite) {
    FSite->Close();
    FSite->Release();
  }
  if (FOleEntered) OleUninitialize();
}

void TWebBrowserHost::BeforeNavigate(const std::wstring& url, bool& cancel) {
  cancel = false;
  if (OnBeforeNavigate) OnBeforeNavigate(url, cancel);
  if (cancel) return;
  switch (EmbeddedNavigation(Narrow(url), FSiteHost)) {
    case TEmbeddedNavigation::enFollow: return;
    case TEmbeddedNavigation::enDefaultBrowser:
      if (OnOpenOutside) OnOpenOutside(url);
      break;
    case TEmbeddedNavigation::enRefuse: break;
  }
  cancel = true;
}

void TWebBrowserHost::NewWindow(const std::wstring& url) {
  if (OnNewWindow) OnNewWindow(url);
  if (EmbeddedNewWindow(Narrow(url)) == TEmbeddedNavigation::enDefaultBrowser && OnOpenOutside)
    OnOpenOutside(url);
}

bool TWebBrowserHost::Navigate(const std::wstring& url) {
  if (!FSite || FSite->Browser() == nullptr) return false;
  Bstr address(url);
  Variant none;
  VARIANT empty = *none;
  return SUCCEEDED(FSite->Browser()->Navigate(address.get(), &empty, &empty, &empty, &empty));
}

bool TWebBrowserHost::ExecScript(const std::wstring& script) {
  if (!FSite || FSite->Browser() == nullptr) return false;
  ComPtr<IDispatch> document;
  ComPtr<IHTMLDocument2> html;
  ComPtr<IHTMLWindow2> window;
  if (FAILED(FSite->Browser()->get_Document(&document)) || !document || FAILED(document.As(&html)) ||
      FAILED(html->get_parentWindow(&window)) || !window) {
    return false;
  }
  Bstr code(script);
  Bstr language(L"javascript");
  Variant result;
  return SUCCEEDED(window->execScript(code.get(), language.get(), result.get()));
}

void TWebBrowserHost::Resize() {
  if (FSite) FSite->Fit();
}

}  // namespace vsm

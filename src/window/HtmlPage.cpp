#include "window/HtmlPage.h"

#include "ResourceIds.h"
#include "core/Bstr.h"
#include "core/LogSink.h"
#include "core/PrivateMessages.h"
#include "core/Variant.h"
#include "controls/Paint.h"
#include "controls/SkinRegion.h"
#include "win/Resources.h"

namespace ui {

// --- the container ---------------------------------------------------------------------------

STDMETHODIMP BrowserSite::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid == IID_IUnknown || iid == IID_IOleClientSite)
    *object = static_cast<IOleClientSite*>(this);
  else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
    *object = static_cast<IOleInPlaceSite*>(this);
  else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame)
    *object = static_cast<IOleInPlaceFrame*>(this);
  else if (iid == IID_IDocHostUIHandler)
    *object = static_cast<IDocHostUIHandler*>(this);
  else
    return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) BrowserSite::AddRef() {
  return static_cast<ULONG>(::InterlockedIncrement(&references_));
}
STDMETHODIMP_(ULONG) BrowserSite::Release() {
  return static_cast<ULONG>(::InterlockedDecrement(&references_));
}

STDMETHODIMP BrowserSite::SaveObject() {
  return E_NOTIMPL;
}
STDMETHODIMP BrowserSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker) *moniker = nullptr;
  return E_NOTIMPL;
}
STDMETHODIMP BrowserSite::GetContainer(IOleContainer** container) {
  if (container) *container = nullptr;
  return E_NOINTERFACE;
}
STDMETHODIMP BrowserSite::ShowObject() {
  return S_OK;
}
STDMETHODIMP BrowserSite::OnShowWindow(BOOL) {
  return S_OK;
}
STDMETHODIMP BrowserSite::RequestNewObjectLayout() {
  return E_NOTIMPL;
}

STDMETHODIMP BrowserSite::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = window_;
  return S_OK;
}
STDMETHODIMP BrowserSite::ContextSensitiveHelp(BOOL) {
  return E_NOTIMPL;
}

STDMETHODIMP BrowserSite::CanInPlaceActivate() {
  return S_OK;
}
STDMETHODIMP BrowserSite::OnInPlaceActivate() {
  return S_OK;
}
STDMETHODIMP BrowserSite::OnUIActivate() {
  return S_OK;
}
STDMETHODIMP BrowserSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                           RECT* position, RECT* clip, OLEINPLACEFRAMEINFO* info) {
  if (!frame || !document || !position || !clip || !info) return E_POINTER;
  *frame = static_cast<IOleInPlaceFrame*>(this);
  AddRef();
  *document = nullptr;
  ::GetClientRect(window_, position);
  *clip = *position;
  info->fMDIApp = FALSE;
  info->hwndFrame = window_;
  info->haccel = nullptr;
  info->cAccelEntries = 0;
  return S_OK;
}
STDMETHODIMP BrowserSite::Scroll(SIZE) {
  return E_NOTIMPL;
}
STDMETHODIMP BrowserSite::OnUIDeactivate(BOOL) {
  return S_OK;
}
STDMETHODIMP BrowserSite::OnInPlaceDeactivate() {
  return S_OK;
}
STDMETHODIMP BrowserSite::DiscardUndoState() {
  return E_NOTIMPL;
}
STDMETHODIMP BrowserSite::DeactivateAndUndo() {
  return E_NOTIMPL;
}
STDMETHODIMP BrowserSite::OnPosRectChange(const RECT*) {
  return S_OK;
}

STDMETHODIMP BrowserSite::GetBorder(RECT*) {
  return INPLACE_E_NOTOOLSPACE;
}
STDMETHODIMP BrowserSite::RequestBorderSpace(LPCBORDERWIDTHS) {
  return INPLACE_E_NOTOOLSPACE;
}
STDMETHODIMP BrowserSite::SetBorderSpace(LPCBORDERWIDTHS) {
  return S_OK;
}
STDMETHODIMP BrowserSite::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) {
  return S_OK;
}
STDMETHODIMP BrowserSite::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) {
  return S_OK;
}
STDMETHODIMP BrowserSite::SetMenu(HMENU, HOLEMENU, HWND) {
  return S_OK;
}
STDMETHODIMP BrowserSite::RemoveMenus(HMENU) {
  return S_OK;
}
STDMETHODIMP BrowserSite::SetStatusText(LPCOLESTR) {
  return S_OK;
}
STDMETHODIMP BrowserSite::EnableModeless(BOOL) {
  return S_OK;
}
STDMETHODIMP BrowserSite::TranslateAccelerator(LPMSG, WORD) {
  return S_FALSE;
}

// The page shows no menu of the browser's: the menu is "shown" by nobody.
STDMETHODIMP BrowserSite::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) {
  return S_OK;
}
STDMETHODIMP BrowserSite::GetHostInfo(DOCHOSTUIINFO* info) {
  if (!info) return E_POINTER;
  info->dwFlags = kHostFlags;
  info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
  info->pchHostCss = nullptr;
  info->pchHostNS = nullptr;
  return S_OK;
}
STDMETHODIMP BrowserSite::ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                                 IOleInPlaceUIWindow*) {
  return S_OK;  // the host shows the control's UI itself (it has none)
}
STDMETHODIMP BrowserSite::HideUI() {
  return S_OK;
}
STDMETHODIMP BrowserSite::UpdateUI() {
  return S_OK;
}
STDMETHODIMP BrowserSite::OnDocWindowActivate(BOOL) {
  return S_OK;
}
STDMETHODIMP BrowserSite::OnFrameWindowActivate(BOOL) {
  return S_OK;
}
STDMETHODIMP BrowserSite::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) {
  return S_OK;
}
STDMETHODIMP BrowserSite::TranslateAccelerator(LPMSG, const GUID*, DWORD) {
  return S_FALSE;
}
STDMETHODIMP BrowserSite::GetOptionKeyPath(LPOLESTR* key, DWORD) {
  if (key) *key = nullptr;
  return S_FALSE;
}
STDMETHODIMP BrowserSite::GetDropTarget(IDropTarget*, IDropTarget** replacement) {
  if (replacement) *replacement = nullptr;
  return E_NOTIMPL;
}
STDMETHODIMP BrowserSite::GetExternal(IDispatch** external) {
  if (external) *external = nullptr;
  return S_FALSE;
}
STDMETHODIMP BrowserSite::TranslateUrl(DWORD, LPWSTR, LPWSTR* translated) {
  if (translated) *translated = nullptr;
  return S_FALSE;
}
STDMETHODIMP BrowserSite::FilterDataObject(IDataObject*, IDataObject** replacement) {
  if (replacement) *replacement = nullptr;
  return S_FALSE;
}

// --- the page ---------------------------------------------------------------------------------

CDHtmlExploreDlg::~CDHtmlExploreDlg() {
  CloseControl();
}

bool CDHtmlExploreDlg::Create(HWND parent, POINT at, app::SkinBitmap background, win::Scale scale) {
  background_ = background;
  at_ = at;
  scale_ = scale;
  shaped_ = false;
  if (!Dialog::Create(win::ResourceModule(), IDD_HTML_PAGE, parent)) return false;
  const POINT place = scale_.Px(at_);
  ::SetWindowPos(hwnd(), nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::SetWindowLongPtrW(hwnd(), GWLP_ID, page_);
  return true;
}

std::wstring CDHtmlExploreDlg::PageAddress() const {
  wchar_t module[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameW(win::ResourceModule(), module, MAX_PATH);
  // RT_HTML, numbered.
  return L"res://" + std::wstring(module, length) + L"/23/" + std::to_wstring(page_);
}

void CDHtmlExploreDlg::OnInitDialog() {
  const SIZE size = background_.Size();
  if (size.cx > 0)
    ::SetWindowPos(hwnd(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  site_.Attach(hwnd());
  if (!EmbedControl()) {
    CloseControl();
    return;
  }
  const Microsoft::WRL::ComPtr<IWebBrowser2> browser = browser_;
  app::Variant none;
  const app::Bstr address(PageAddress());
  if (address.get())
    browser->Navigate(address.get(), &none.value(), &none.value(), &none.value(), &none.value());
}

bool CDHtmlExploreDlg::EmbedControl() {
  if (FAILED(::CoCreateInstance(control_, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&object_))))
    return false;
  if (FAILED(object_->SetClientSite(&site_))) return false;
  RECT rc{};
  ::GetClientRect(hwnd(), &rc);
  if (FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site_, 0, hwnd(), &rc))) return false;
  if (FAILED(object_.As(&browser_))) return false;
  browser_->put_Silent(VARIANT_TRUE);
  return true;
}

void CDHtmlExploreDlg::CloseControl() noexcept {
  browser_.Reset();
  if (object_) {
    object_->Close(OLECLOSE_NOSAVE);
    object_->SetClientSite(nullptr);
    object_.Reset();
  }
}

void CDHtmlExploreDlg::Shape() {
  if (shaped_) return;
  shaped_ = true;
  // Shaped like every panel; the window owns the region once it is set.
  win::UniqueRegion region = skin::OpaqueRegion(background_.get());
  if (region && ::SetWindowRgn(hwnd(), region.get(), FALSE)) (void)region.release();
}

void CDHtmlExploreDlg::ApplyScale(win::Scale scale) {
  scale_ = scale;
  const POINT place = scale_.Px(at_);
  const SIZE size = background_.Size();
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  if (size.cx <= 0) flags |= SWP_NOSIZE;
  ::SetWindowPos(hwnd(), nullptr, place.x, place.y, size.cx, size.cy, flags);
  // The control fills the page again.
  Microsoft::WRL::ComPtr<IOleInPlaceObject> inPlace;
  if (object_ && SUCCEEDED(object_.As(&inPlace))) {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    inPlace->SetObjectRects(&client, &client);
  }
  // Shaped by the new background: now if the page shows, else when it is next shown.
  shaped_ = false;
  ::SetWindowRgn(hwnd(), nullptr, FALSE);
  if (::IsWindowVisible(hwnd())) Shape();
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void CDHtmlExploreDlg::Paint(HDC dc) const {
  DrawBitmap(dc, background_.get(), 0, 0);
}

bool CDHtmlExploreDlg::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      result = FALSE;  // the page takes no focus when it is made
      return true;
    case WM_ERASEBKGND: result = 1; return true;
    case WM_PAINT: {
      const win::PaintScope paint(hwnd());
      Paint(paint.dc());
      return true;
    }
    case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wParam)); return true;
    case WM_SHOWWINDOW:
      // Shaped while still hidden; once shown (after the default processing), painted at once
      // rather than when the queue gets round to it.
      if (wParam) {
        Shape();
        ::PostMessageW(hwnd(), app::kHtmlPageRepaintMessage, 0, 0);
      }
      return false;
    case app::kHtmlPageRepaintMessage: ::UpdateWindow(hwnd()); return true;
    case app::kApplyScaleMessage:
      ApplyScale(win::Scale(static_cast<int>(wParam)));
      result = 0;
      return true;
    case WM_DESTROY: CloseControl(); return false;
    default: return false;
  }
}

std::wstring CDHtmlExploreDlg::TabTitle() const {
  const TabRow* tab = FindTabWhere(
      [&](const TabRow& row) { return row.content == TabContent::kHtmlPage && row.panelId == page_; });
  return tab ? win::WithoutAccessKey(win::LoadString(tab->ribbonCaptionId)) : std::wstring();
}

void HtmlPages::Place(HWND parent, POINT at, app::SkinBitmap background) noexcept {
  parent_ = parent;
  at_ = at;
  background_ = background;
}

void HtmlPages::Create() {
  if (made_ || !parent_) return;
  made_ = true;
  for (const TabRow& tab : kTabs) {
    if (tab.content != TabContent::kHtmlPage) continue;
    CDHtmlExploreDlg& page = pages_[static_cast<size_t>(tab.tab) - 1].emplace(tab.panelId);
    if (!page.Create(parent_, at_, background_, scale_))
      app::Log().Line(L"Main window: the HTML page %d could not be created", tab.panelId);
  }
}

void HtmlPages::Show(int tab, bool show) const {
  if (tab < 1 || tab > kTabCount) return;
  const std::optional<CDHtmlExploreDlg>& page = pages_[static_cast<size_t>(tab) - 1];
  if (page && page->hwnd()) ::ShowWindow(page->hwnd(), show ? SW_SHOW : SW_HIDE);
}

}  // namespace ui

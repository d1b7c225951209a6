// CDHtmlExploreDlg: an information page of the main window (the dictionaries tab, the web-service
// tab), an HTML page of the current resource module shown in the WebBrowser control without any
// browser chrome. The control sits in a small OLE container of our own: the page's client site,
// in-place site and frame, and the document host's UI handler (no border, no scroll bars, no
// context menu). A page whose control cannot be made shows the panel background only.
#pragma once

#include <windows.h>
#include <exdisp.h>
#include <mshtmhst.h>
#include <oleidl.h>
#include <wrl/client.h>

#include <array>
#include <optional>
#include <string>

#include "core/SharedGraphics.h"
#include "menu/TabTable.h"
#include "win/AccessibleObject.h"
#include "win/Dialog.h"
#include "win/Scale.h"

namespace ui {

// The container's side of the embedded control. Its lifetime is its page's: the page closes the
// control and lets go of it before the site goes, so the reference count only answers the control.
class BrowserSite final : public IOleClientSite,
                          public IOleInPlaceSite,
                          public IOleInPlaceFrame,
                          public IDocHostUIHandler {
 public:
  // DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO | DOCHOSTUIFLAG_DISABLE_OFFSCREEN
  static constexpr DWORD kHostFlags = 0x4C;

  BrowserSite() = default;
  BrowserSite(const BrowserSite&) = delete;
  BrowserSite& operator=(const BrowserSite&) = delete;
  virtual ~BrowserSite() = default;

  // The page's window, which the control draws in.
  void Attach(HWND window) noexcept { window_ = window; }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IOleClientSite
  STDMETHODIMP SaveObject() override;
  STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
  STDMETHODIMP GetContainer(IOleContainer** container) override;
  STDMETHODIMP ShowObject() override;
  STDMETHODIMP OnShowWindow(BOOL show) override;
  STDMETHODIMP RequestNewObjectLayout() override;

  // IOleWindow (of the in-place site and the frame)
  STDMETHODIMP GetWindow(HWND* window) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL enter) override;

  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override;
  STDMETHODIMP OnInPlaceActivate() override;
  STDMETHODIMP OnUIActivate() override;
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, RECT* position,
                                RECT* clip, OLEINPLACEFRAMEINFO* info) override;
  STDMETHODIMP Scroll(SIZE extent) override;
  STDMETHODIMP OnUIDeactivate(BOOL undoable) override;
  STDMETHODIMP OnInPlaceDeactivate() override;
  STDMETHODIMP DiscardUndoState() override;
  STDMETHODIMP DeactivateAndUndo() override;
  STDMETHODIMP OnPosRectChange(const RECT* position) override;

  // IOleInPlaceUIWindow and IOleInPlaceFrame: the page has no tool space and no menus to share.
  STDMETHODIMP GetBorder(RECT* border) override;
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS widths) override;
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS widths) override;
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR name) override;
  STDMETHODIMP InsertMenus(HMENU shared, LPOLEMENUGROUPWIDTHS widths) override;
  STDMETHODIMP SetMenu(HMENU shared, HOLEMENU descriptor, HWND activeObject) override;
  STDMETHODIMP RemoveMenus(HMENU shared) override;
  STDMETHODIMP SetStatusText(LPCOLESTR text) override;
  STDMETHODIMP EnableModeless(BOOL enable) override;
  STDMETHODIMP TranslateAccelerator(LPMSG message, WORD id) override;

  // IDocHostUIHandler
  STDMETHODIMP ShowContextMenu(DWORD id, POINT* at, IUnknown* target, IDispatch* object) override;
  STDMETHODIMP GetHostInfo(DOCHOSTUIINFO* info) override;
  STDMETHODIMP ShowUI(DWORD id, IOleInPlaceActiveObject* active, IOleCommandTarget* target,
                      IOleInPlaceFrame* frame, IOleInPlaceUIWindow* document) override;
  STDMETHODIMP HideUI() override;
  STDMETHODIMP UpdateUI() override;
  STDMETHODIMP OnDocWindowActivate(BOOL activate) override;
  STDMETHODIMP OnFrameWindowActivate(BOOL activate) override;
  STDMETHODIMP ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frameWindow) override;
  STDMETHODIMP TranslateAccelerator(LPMSG message, const GUID* group, DWORD id) override;
  STDMETHODIMP GetOptionKeyPath(LPOLESTR* key, DWORD reserved) override;
  STDMETHODIMP GetDropTarget(IDropTarget* target, IDropTarget** replacement) override;
  STDMETHODIMP GetExternal(IDispatch** external) override;
  STDMETHODIMP TranslateUrl(DWORD translate, LPWSTR url, LPWSTR* translated) override;
  STDMETHODIMP FilterDataObject(IDataObject* object, IDataObject** replacement) override;

 private:
  HWND window_ = nullptr;
  LONG references_ = 0;
};

class CDHtmlExploreDlg final : public win::Dialog {
 public:
  // `page`: the page's HTML resource ID. `control`: the class of the control that shows it (the
  // WebBrowser control; another serves a check of the page without one).
  explicit CDHtmlExploreDlg(int page, const CLSID& control = CLSID_WebBrowser) noexcept
      : page_(page), control_(control) {}
  ~CDHtmlExploreDlg() override;

  // Creates the hidden page at `at` (a place of the 96-DPI design, scaled by `scale`) in `parent`
  // with the size of `background` (the panel background, painted behind the control), and loads
  // its page. False when the window could not be made; a page without its control still exists. A
  // shared background is decoded, and the page shaped by it, when the page is first shown. At a
  // new scale (the scale message) it moves, takes the background's new size and shape, and so
  // does the control in it.
  bool Create(HWND parent, POINT at, app::SkinBitmap background, win::Scale scale = {});

  // The address the page is loaded from: res://<module path>/23/<page ID>, the module being the
  // current resource module.
  [[nodiscard]] std::wstring PageAddress() const;
  // The embedded control; null when it could not be made.
  [[nodiscard]] IWebBrowser2* Browser() const noexcept { return browser_.Get(); }

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  // A screen reader meets the page as a pane named by its ribbon tab.
  win::AccessibleSource* Accessible() noexcept override { return &pane_; }

 private:
  void OnInitDialog();
  bool EmbedControl();
  void CloseControl() noexcept;
  void Paint(HDC dc) const;
  void Shape();
  void ApplyScale(win::Scale scale);

  int page_;
  CLSID control_;
  app::SkinBitmap background_;  // not owned
  POINT at_{};                  // of the design
  win::Scale scale_;
  bool shaped_ = false;
  BrowserSite site_;
  Microsoft::WRL::ComPtr<IOleObject> object_;
  Microsoft::WRL::ComPtr<IWebBrowser2> browser_;
  win::PaneSource pane_{[this] { return TabTitle(); }};
  [[nodiscard]] std::wstring TabTitle() const;
};

// The pages of the tabs that show one (the tab table's HTML tabs), made together when first needed.
class HtmlPages {
 public:
  // Where the pages go: into `parent` at `at` (a place of the design), with the panels' background.
  void Place(HWND parent, POINT at, app::SkinBitmap background) noexcept;
  // The scale pages made from now on are laid out at (those made lay themselves out again when
  // they get the scale message).
  void SetScale(win::Scale scale) noexcept { scale_ = scale; }
  // Once: makes the hidden pages; a page that cannot be made is logged and left out.
  void Create();
  // Shows or hides tab `tab`'s page, if it has one that was made.
  void Show(int tab, bool show) const;

 private:
  std::array<std::optional<CDHtmlExploreDlg>, kTabCount> pages_;  // by tab number - 1
  HWND parent_ = nullptr;
  POINT at_{};
  win::Scale scale_;
  app::SkinBitmap background_;
  bool made_ = false;
};

}  // namespace ui

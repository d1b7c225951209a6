// The HTML pages of the main window: the WebBrowser control embedded in the page through the
// program's own container, loading the page from the current resource module, with the browser's
// context menu refused; and a page whose control cannot be made, which still shows the panel.
#include <gtest/gtest.h>

#include <windows.h>
#include <exdisp.h>
#include <mshtmhst.h>
#include <wrl/client.h>

#include <string>

#include "ControlsHost.h"
#include "SkinIds.h"
#include "support/Driver.h"
#include "controls/Paint.h"
#include "core/Bstr.h"
#include "window/HtmlPage.h"
#include "win/ComScope.h"
#include "win/Resources.h"

namespace controls {
namespace {

using Microsoft::WRL::ComPtr;

constexpr POINT kHtmlPageAt{9, 146};
// A class nobody registered: the page's control cannot be made.
constexpr CLSID kNoSuchControl = {
    0x5b1d7f2e, 0x0c4a, 0x4e6b, {0x9a, 0x1f, 0x3d, 0x2c, 0x7e, 0x8b, 0x90, 0x41}};

class HtmlPageTest : public ControlsTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(ole_.result(), S_OK);
    ASSERT_NO_FATAL_FAILURE(ControlsTest::SetUp());
    background_.reset(ui::LoadSkinBitmap(IDB_PANEL_BACKGROUND));
    ASSERT_TRUE(background_);
  }

  [[nodiscard]] HBITMAP Background() const { return background_.get(); }
  [[nodiscard]] static std::wstring ExpectedAddress(int page) {
    wchar_t module[MAX_PATH] = {};
    ::GetModuleFileNameW(win::ResourceModule(), module, MAX_PATH);
    return L"res://" + std::wstring(module) + L"/23/" + std::to_wstring(page);
  }

  win::OleScope ole_;  // first in, last out: it outlives the bitmap and every page
  win::UniqueBitmap background_;
};

TEST_F(HtmlPageTest, TheControlIsEmbeddedAndLoadsThePageFromTheResourceModule) {
  // The two pages, and one that the module lacks (a language library without it): sent there all the same.
  for (int page : {200, 189, 4711}) {
    ui::CDHtmlExploreDlg html(page);
    ASSERT_TRUE(html.Create(host_.hwnd(), kHtmlPageAt, Background())) << page;
    EXPECT_EQ(html.PageAddress(), ExpectedAddress(page));
    IWebBrowser2* browser = html.Browser();
    ASSERT_NE(browser, nullptr) << page;
    // The control reports where it was sent.
    std::wstring reported;
    test::WaitUntil(
        [&] {
          app::Bstr location;
          if (SUCCEEDED(browser->get_LocationURL(location.put()))) reported = location.str();
          return !reported.empty();
        },
        std::chrono::seconds(5));
    EXPECT_EQ(reported, ExpectedAddress(page));
    // Its window fills the page.
    HWND control = ::GetWindow(html.hwnd(), GW_CHILD);
    ASSERT_NE(control, nullptr);
    const SIZE size = ui::BitmapSize(Background());
    const RECT rc = RectIn(control, html.hwnd());
    EXPECT_EQ(rc.right - rc.left, size.cx);
    EXPECT_EQ(rc.bottom - rc.top, size.cy);
  }
}

TEST_F(HtmlPageTest, TheContainerRefusesTheBrowsersContextMenuAndAsksForNoBorderOrScrollBars) {
  ui::CDHtmlExploreDlg html(200);
  ASSERT_TRUE(html.Create(host_.hwnd(), kHtmlPageAt, Background()));
  ASSERT_NE(html.Browser(), nullptr);
  // The site the control itself was given.
  ComPtr<IOleObject> object;
  ASSERT_EQ(html.Browser()->QueryInterface(IID_PPV_ARGS(&object)), S_OK);
  ComPtr<IOleClientSite> site;
  ASSERT_EQ(object->GetClientSite(&site), S_OK);
  ComPtr<IDocHostUIHandler> handler;
  ASSERT_EQ(site.As(&handler), S_OK);
  POINT at{100, 100};
  EXPECT_EQ(handler->ShowContextMenu(CONTEXT_MENU_DEFAULT, &at, nullptr, nullptr), S_OK);  // shown by nobody
  DOCHOSTUIINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_EQ(handler->GetHostInfo(&info), S_OK);
  EXPECT_EQ(info.dwFlags, static_cast<DWORD>(DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO |
                                             DOCHOSTUIFLAG_DISABLE_OFFSCREEN));
}

// Given decoded, or named among the shared bitmaps (decoded, and the page shaped, only when it is
// first shown): the same panel, of the background's size, shaped by its opaque pixels.
TEST_F(HtmlPageTest, APageWithoutItsControlShowsThePanelBackground) {
  for (const bool shared : {false, true}) {
    SCOPED_TRACE(shared ? "shared bitmap" : "given bitmap");
    app::SharedGraphics graphics;
    graphics.Create();  // the skin is in this program's own resources
    ui::CDHtmlExploreDlg html(200, kNoSuchControl);
    ASSERT_TRUE(html.Create(
        host_.hwnd(), kHtmlPageAt,
        shared ? app::SkinBitmap(graphics, IDB_PANEL_BACKGROUND) : app::SkinBitmap(Background())));
    EXPECT_EQ(html.Browser(), nullptr);
    EXPECT_EQ(::GetWindow(html.hwnd(), GW_CHILD), nullptr);
    EXPECT_EQ(graphics.LoadedBitmapCount(), 0u);
    const Pixels panel = test::BitmapPixels(Background());
    RECT rc{};
    ::GetClientRect(html.hwnd(), &rc);
    EXPECT_EQ(rc.right, panel.width);
    EXPECT_EQ(rc.bottom, panel.height);
    ::ShowWindow(html.hwnd(), SW_SHOWNA);
    host_.Settle();
    ::RedrawWindow(html.hwnd(), nullptr, nullptr, RDW_UPDATENOW);
    EXPECT_EQ(graphics.LoadedBitmapCount(), shared ? 1u : 0u);
    win::UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
    EXPECT_NE(::GetWindowRgn(html.hwnd(), region.get()), ERROR);
    const Pixels screen = Grab(host_.hwnd());
    int differing = 0, misshaped = 0;
    for (int y = 0; y < panel.height; y += 3)
      for (int x = 0; x < panel.width; x += 3) {
        const bool inShape = panel.At(x, y) != RGB(255, 0, 255);
        misshaped += (::PtInRegion(region.get(), x, y) != FALSE) != inShape;
        if (inShape) differing += screen.At(kHtmlPageAt.x + x, kHtmlPageAt.y + y) != panel.At(x, y);
      }
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(misshaped, 0);
    ::DestroyWindow(html.hwnd());
    host_.Settle();
  }
}

}  // namespace
}  // namespace controls

// The GDI owners and DC scopes: each owner deletes its object, each scope gives back what it took.
#include <gtest/gtest.h>

#include <windows.h>

#include <utility>

#include "ControlsHost.h"
#include "controls/MenuBackBuffer.h"
#include "win/Dc.h"
#include "win/Handle.h"

namespace controls {
namespace {

// Takes `made` into an `Owner`, lets the owner go and reports whether the object went with it.
template <class Owner>
void ExpectOwnerDeletes(typename Owner::type made, DWORD kind) {
  ASSERT_EQ(::GetObjectType(made), kind);
  Owner first(made);
  {
    const Owner second(std::move(first));
    EXPECT_FALSE(first.valid());
    EXPECT_EQ(second.get(), made);
    EXPECT_EQ(::GetObjectType(made), kind);  // a move hands the object on, it does not delete it
  }
  EXPECT_EQ(::GetObjectType(made), 0u) << kind;
}

TEST(GdiOwnerTest, EachOwnerDeletesItsOwnKindOfObject) {
  ExpectOwnerDeletes<win::UniqueBitmap>(::CreateBitmap(4, 4, 1, 32, nullptr), OBJ_BITMAP);
  ExpectOwnerDeletes<win::UniqueFont>(
      ::CreateFontW(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"), OBJ_FONT);
  ExpectOwnerDeletes<win::UniqueBrush>(::CreateSolidBrush(RGB(1, 2, 3)), OBJ_BRUSH);
  ExpectOwnerDeletes<win::UniquePen>(::CreatePen(PS_SOLID, 1, RGB(1, 2, 3)), OBJ_PEN);
  ExpectOwnerDeletes<win::UniqueRegion>(::CreateRectRgn(0, 0, 5, 5), OBJ_REGION);
}

TEST(GdiScopeTest, SelectionPutsTheOldObjectBack) {
  const win::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  const win::UniqueBitmap bitmap(::CreateBitmap(4, 4, 1, 1, nullptr));
  const win::UniqueBrush brush(::CreateSolidBrush(RGB(9, 8, 7)));
  ASSERT_TRUE(dc && bitmap && brush);
  const HGDIOBJ oldBitmap = ::GetCurrentObject(dc.get(), OBJ_BITMAP);
  const HGDIOBJ oldBrush = ::GetCurrentObject(dc.get(), OBJ_BRUSH);
  {
    const win::SelectScope selectBitmap(dc.get(), bitmap.get());
    const win::SelectScope selectBrush(dc.get(), brush.get());
    EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BITMAP), bitmap.get());
    EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BRUSH), brush.get());
  }
  EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BITMAP), oldBitmap);
  EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BRUSH), oldBrush);
}

using WindowDcTest = ControlsTest;

TEST_F(WindowDcTest, ReleasesTheDcItGot) {
  for (const auto area : {win::WindowDc::Area::kClient, win::WindowDc::Area::kWholeWindow}) {
    HDC got = nullptr;
    {
      const win::WindowDc dc(host_.hwnd(), area);
      ASSERT_TRUE(dc);
      got = dc.get();
    }
    // Released once already: a second release finds nothing to give back.
    EXPECT_EQ(::ReleaseDC(host_.hwnd(), got), 0) << static_cast<int>(area);
  }
}

// A window that notes the DC and area of its one scoped paint.
struct Painted {
  HDC dc = nullptr;
  RECT area{};
  int paints = 0;
};
Painted g_painted;

LRESULT CALLBACK PaintNoter(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return ::DefWindowProcW(window, message, wParam, lParam);
  const win::PaintScope paint(window);
  g_painted = {paint.dc(), paint.area(), g_painted.paints + 1};
  return 0;
}

TEST_F(WindowDcTest, PaintScopeEndsThePaint) {
  WNDCLASSW type{};
  type.lpfnWndProc = &PaintNoter;
  type.hInstance = ::GetModuleHandleW(nullptr);
  type.lpszClassName = L"StartdeckPaintNoter";
  ::RegisterClassW(&type);
  const HWND window = ::CreateWindowExW(0, type.lpszClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, 60, 40,
                                        host_.hwnd(), nullptr, type.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  ::UpdateWindow(window);
  g_painted = {};
  const RECT dirty{10, 5, 30, 25};
  ::InvalidateRect(window, &dirty, FALSE);
  ::UpdateWindow(window);
  EXPECT_EQ(g_painted.paints, 1);
  EXPECT_TRUE(::EqualRect(&g_painted.area, &dirty));
  EXPECT_FALSE(::GetUpdateRect(window, nullptr, FALSE));
  EXPECT_EQ(::ReleaseDC(window, g_painted.dc), 0);  // EndPaint gave it back
  ::DestroyWindow(window);
}

// The kept back buffer is one surface at a time: a paint inside another gets a surface of its own,
// a larger paint after a smaller one gets a grown one, and each presents exactly its own pixels.
TEST(MenuBackBufferTest, TheKeptSurfaceServesOnePaintAtATimeAndGrows) {
  const win::WindowDc screen(nullptr);
  const win::UniqueMemoryDc target(::CreateCompatibleDC(screen.get()));
  const win::UniqueBitmap picture(::CreateCompatibleBitmap(screen.get(), 40, 30));
  const win::SelectScope select(target.get(), picture.get());
  const RECT all{0, 0, 40, 30};
  ::FillRect(target.get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  using Surface = ui::MenuBackBuffer::Surface;
  HDC outer = nullptr;
  {
    const ui::MenuBackBuffer first(target.get(), 10, 10, Surface::kKept);
    outer = first.dc();
    const ui::MenuBackBuffer inner(target.get(), 10, 10, Surface::kKept);
    EXPECT_NE(outer, target.get());
    EXPECT_NE(inner.dc(), outer) << "two paints drew into one surface";
    const RECT rc{0, 0, 10, 10};
    ::FillRect(first.dc(), &rc, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    first.Present();
  }
  const ui::MenuBackBuffer larger(target.get(), 40, 30, Surface::kKept);
  EXPECT_EQ(larger.dc(), outer) << "the kept surface was not taken again once given back";
  const RECT rc{0, 0, 40, 30};
  ::FillRect(larger.dc(), &rc, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
  EXPECT_EQ(::GetPixel(target.get(), 9, 9), RGB(0, 0, 0));
  EXPECT_EQ(::GetPixel(target.get(), 10, 10), RGB(255, 255, 255)) << "more than its own pixels presented";
  larger.Present();
  const COLORREF gray = ::GetPixel(larger.dc(), 39, 29);
  EXPECT_EQ(::GetPixel(target.get(), 39, 29), gray);
  EXPECT_EQ(::GetPixel(target.get(), 0, 0), gray);
}

}  // namespace
}  // namespace controls

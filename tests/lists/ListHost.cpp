#include "ListHost.h"

#include <algorithm>
#include <map>

#include "SkinIds.h"
#include "support/Driver.h"
#include "support/TestPaths.h"
#include "core/SharedGraphics.h"
#include "core/SkinImage.h"
#include "core/SkinLibrary.h"
#include "controls/Paint.h"
#include "win/KeyboardCues.h"
#include "win/Resources.h"

namespace lists {
namespace {

constexpr UINT kSettleMessage = WM_APP + 1;

// The skin pieces the list and its panel draw with, loaded once from Startdeck.exe.
constexpr int kSkinIds[] = {IDB_LIST_ROWS,
                            IDB_LIST_ROWS_HOT,
                            IDB_LIST_ROWS_HOT_SCROLL,
                            IDB_SCROLL_UP_NORMAL,
                            IDB_SCROLL_UP_HOVER,
                            IDB_SCROLL_UP_PRESSED,
                            IDB_SCROLL_DOWN_NORMAL,
                            IDB_SCROLL_DOWN_HOVER,
                            IDB_SCROLL_DOWN_PRESSED,
                            IDB_SCROLL_TRACK,
                            IDB_SCROLL_THUMB_NORMAL,
                            IDB_SCROLL_THUMB_HOVER,
                            IDB_SCROLL_THUMB_PRESSED,
                            IDB_PANEL_BACKGROUND};
std::map<int, win::UniqueBitmap>* loadedSkin = nullptr;

template <class Visit>
void ForEach(const Pixels& screen, const RECT& rect, Visit visit) {
  for (int y = std::max(0L, rect.top); y < std::min<LONG>(screen.height, rect.bottom); ++y)
    for (int x = std::max(0L, rect.left); x < std::min<LONG>(screen.width, rect.right); ++x)
      visit(screen.At(x, y));
}

}  // namespace

bool ListHost::Create() {
  if (!CreateWindowOf(L"ListsTestHost", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, kWidth, kHeight,
                      nullptr, 0))
    return false;
  ::SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ::SetForegroundWindow(hwnd());
  // As the main window starts: used with the mouse, no focus cues until a key asks for them.
  win::HideKeyboardCues(hwnd());
  return true;
}

void ListHost::Settle() {
  settled_ = false;
  ::PostMessageW(hwnd(), kSettleMessage, 0, 0);
  EXPECT_TRUE(test::WaitUntil([this] { return settled_; }, std::chrono::seconds(10)));
  ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  ::GdiFlush();
}

std::vector<Note> ListHost::NotesOf(UINT message) const {
  std::vector<Note> found;
  for (const Note& note : notes_)
    if (note.message == message) found.push_back(note);
  return found;
}

LRESULT ListHost::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case app::kListRowChosenMessage:
    case app::kListRowHoveredMessage: notes_.push_back({message, wParam, lParam}); return 0;
    case kSettleMessage: settled_ = true; return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      const win::PaintScope paint(hwnd());
      win::UniqueBrush brush(::CreateSolidBrush(kBackground));
      ::FillRect(paint.dc(), &paint.area(), brush.get());
      return 0;
    }
    default: return Default(message, wParam, lParam);
  }
}

double ShareShowing(const Pixels& screen, POINT origin, const Pixels& bitmap, const Pixels& other,
                    const RECT& rect) {
  int compared = 0, showing = 0;
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) {
      const COLORREF want = bitmap.At(x, y);
      if (want == other.At(x, y)) continue;
      const int sx = origin.x + x, sy = origin.y + y;
      if (sx < 0 || sy < 0 || sx >= screen.width || sy >= screen.height) continue;
      ++compared;
      if (screen.At(sx, sy) == want) ++showing;
    }
  }
  return compared ? static_cast<double>(showing) / compared : 0.0;
}

int DarkestChannel(const Pixels& screen, const RECT& rect) {
  int darkest = 255;
  ForEach(screen, rect, [&](COLORREF c) {
    darkest = std::min({darkest, static_cast<int>(GetRValue(c)), static_cast<int>(GetGValue(c)),
                        static_cast<int>(GetBValue(c))});
  });
  return darkest;
}

int CountNearWhite(const Pixels& screen, const RECT& rect) {
  int count = 0;
  ForEach(screen, rect,
          [&](COLORREF c) { count += (GetRValue(c) > 240 && GetGValue(c) > 240 && GetBValue(c) > 240); });
  return count;
}

app::SharedGraphics* ListTest::graphics_ = nullptr;

void ListTest::SetUpTestSuite() {
  // Startdeck.exe as a resource module: its skin, and the panel's dialog template; the skin of the
  // other scales from the library beside it.
  win::UniqueModule program(::LoadLibraryExW((test::BinFolder() / L"Startdeck.exe").c_str(), nullptr,
                                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  ASSERT_TRUE(program) << "Startdeck.exe is built beside the tests";
  static win::UniqueModule scaledSkin(
      ::LoadLibraryExW((test::BinFolder() / app::kScaledSkinFile).c_str(), nullptr,
                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  ASSERT_TRUE(scaledSkin) << "the scaled skin is built beside the tests";
  static app::SharedGraphics graphics;
  graphics.CreateWithScaledSkin(program.get(), scaledSkin.get(), skinscale::kDesignDpi);
  graphics_ = &graphics;
  static std::map<int, win::UniqueBitmap> bitmaps;
  for (int id : kSkinIds) bitmaps[id].reset(app::LoadSkinImage(program.get(), id));
  loadedSkin = &bitmaps;
  win::AdoptResourceModule(std::move(program));
}

void ListTest::TearDownTestSuite() {
  if (loadedSkin) loadedSkin->clear();
  win::ResetResourceModule();
  if (graphics_) graphics_->Destroy();
}

HBITMAP ListTest::Skin(int id) {
  if (!loadedSkin) return nullptr;
  const auto found = loadedSkin->find(id);
  return found == loadedSkin->end() ? nullptr : found->second.get();
}

ui::skin::ListSkin ListTest::MakeListSkin() {
  ui::skin::ListSkin look;
  look.rows = Skin(IDB_LIST_ROWS);
  look.hot = Skin(IDB_LIST_ROWS_HOT);
  look.hotScroll = Skin(IDB_LIST_ROWS_HOT_SCROLL);
  look.titleFont = graphics_->Font(app::SharedFont::kTahoma14Bold);
  look.secondFont = graphics_->Font(app::SharedFont::kTahoma13);
  look.scrollBar.up[0] = Skin(IDB_SCROLL_UP_NORMAL);
  look.scrollBar.up[1] = Skin(IDB_SCROLL_UP_HOVER);
  look.scrollBar.up[2] = Skin(IDB_SCROLL_UP_PRESSED);
  look.scrollBar.down[0] = Skin(IDB_SCROLL_DOWN_NORMAL);
  look.scrollBar.down[1] = Skin(IDB_SCROLL_DOWN_HOVER);
  look.scrollBar.down[2] = Skin(IDB_SCROLL_DOWN_PRESSED);
  look.scrollBar.track = Skin(IDB_SCROLL_TRACK);
  look.scrollBar.thumb[0] = Skin(IDB_SCROLL_THUMB_NORMAL);
  look.scrollBar.thumb[1] = Skin(IDB_SCROLL_THUMB_HOVER);
  look.scrollBar.thumb[2] = Skin(IDB_SCROLL_THUMB_PRESSED);
  return look;
}

void ListTest::SetUp() {
  for (int id : kSkinIds) ASSERT_NE(Skin(id), nullptr) << "skin bitmap " << id;
  // The real pointer rests away from the host, so only the test's own moves hover.
  ::SetCursorPos(ListHost::kWidth + 100, ListHost::kHeight + 100);
  ASSERT_TRUE(host_.Create());
}

void ListTest::MakeList(int rows) {
  list_ = std::make_unique<ui::skin::CCustomList>();
  ASSERT_TRUE(list_->Create(kListAt.x, kListAt.y, MakeListSkin(), host_.hwnd(), kListId));
  const HICON icon = ::LoadIconW(nullptr, IDI_APPLICATION);  // shared by the system: borrowed
  for (int n = 0; n < rows; ++n)
    list_->AddItem(icon, L"Row " + std::to_wstring(n), L"The second line of row " + std::to_wstring(n), false,
                   100 + n);
  host_.Settle();
}

RECT ListTest::RowOnHost(int row) const {
  RECT rc = list_->RowRect(row);
  ::OffsetRect(&rc, kListAt.x, kListAt.y);
  return rc;
}

void ListTest::ClickRow(int row) {
  const RECT rc = list_->RowRect(row);
  test::ClickAt(list_->hwnd(), {(rc.left + rc.right) / 3, (rc.top + rc.bottom) / 2});
  host_.Settle();
}

void ListTest::HoverRow(int row) {
  const RECT rc = list_->RowRect(row);
  POINT at{(rc.left + rc.right) / 3, (rc.top + rc.bottom) / 2};
  POINT onScreen = at;
  ::ClientToScreen(list_->hwnd(), &onScreen);
  ::SetCursorPos(onScreen.x, onScreen.y);
  ::PostMessageW(list_->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
  host_.Settle();
}

void ListTest::Wheel(int delta) {
  POINT onScreen{10, 10};
  ::ClientToScreen(list_->hwnd(), &onScreen);
  ::PostMessageW(list_->hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))),
                 MAKELPARAM(onScreen.x, onScreen.y));
  host_.Settle();
}

}  // namespace lists

#include "Preview.h"

#include <algorithm>
#include <fstream>
#include <map>

#include "Layout.h"
#include "ListIcons.h"
#include "SkinIds.h"

namespace skin {
namespace {

using namespace layout;

class Sheet {
 public:
  Sheet(int w, int h, Rgb fill) : image_(w, h, 3) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) Set(x, y, fill);
  }
  // Copies `src` scaled by `scale`; magenta is skipped when `keyed` (as TransparentBlt does).
  void Blit(const Image& src, int left, int top, int scale = 1, bool keyed = true) {
    for (int y = 0; y < src.height * scale; ++y) {
      for (int x = 0; x < src.width * scale; ++x) {
        const int sx = x / scale, sy = y / scale;
        if (keyed && src.IsKey(sx, sy)) continue;
        if (src.channels == 4) {
          const std::uint8_t* p = src.At(sx, sy);
          const float a = p[3] / 255.f;
          const Rgb under = Get(left + x, top + y);
          const Rgb colour{static_cast<float>(p[0]), static_cast<float>(p[1]), static_cast<float>(p[2])};
          Set(left + x, top + y, Mix(under, colour, a));
        } else {
          Set(left + x, top + y, src.Colour(sx, sy));
        }
      }
    }
  }
  // A piece of `src` (source rectangle), as the list draws one row slice.
  void BlitPart(const Image& src, int sx0, int sy0, int w, int h, int left, int top) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) Set(left + x, top + y, src.Colour(sx0 + x, sy0 + y));
  }
  void Stretch(const Image& src, int left, int top, int height) {
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < src.width; ++x) Set(left + x, top + y, src.Colour(x, y * src.height / height));
  }
  void Rect(int x0, int y0, int x1, int y1, Rgb c) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) Set(x, y, c);
  }
  void Number(int value, int left, int top, Rgb c) {
    // 3 x 5 digits, scaled 2x.
    static constexpr const char* kDigits[10] = {
        "111101101101111", "010110010010111", "111001111100111", "111001111001111", "101101111001001",
        "111100111001111", "111100111101111", "111001010010010", "111101111101111", "111101111001111"};
    const std::string text = std::to_string(value);
    for (size_t i = 0; i < text.size(); ++i) {
      const char* bits = kDigits[text[i] - '0'];
      for (int r = 0; r < 5; ++r)
        for (int k = 0; k < 3; ++k)
          if (bits[r * 3 + k] == '1') {
            const int x = left + static_cast<int>(i) * 8 + k * 2, y = top + r * 2;
            Rect(x, y, x + 2, y + 2, c);
          }
    }
  }
  const Image& image() const { return image_; }

 private:
  Rgb Get(int x, int y) const {
    if (x < 0 || y < 0 || x >= image_.width || y >= image_.height) return {};
    return image_.Colour(x, y);
  }
  void Set(int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= image_.width || y >= image_.height) return;
    std::uint8_t* p = image_.At(x, y);
    p[0] = static_cast<std::uint8_t>(std::clamp(c.r, 0.f, 255.f));
    p[1] = static_cast<std::uint8_t>(std::clamp(c.g, 0.f, 255.f));
    p[2] = static_cast<std::uint8_t>(std::clamp(c.b, 0.f, 255.f));
  }
  Image image_;
};

struct Text {
  std::string mvg;
  void Add(int x, int y, int size, const char* colour, const std::string& text, bool bold = false) {
    mvg += std::string("font ") + (bold ? "DejaVu-Sans-Bold" : "DejaVu-Sans") + " font-size " +
           std::to_string(size) + " fill '" + colour + "' text " + std::to_string(x) + "," +
           std::to_string(y) + " \"" + text + "\"\n";
  }
};

constexpr int kMargin = 20;

void StartMock(Sheet& s, Text& t, const std::map<int, const Image*>& by, int ox, int oy) {
  s.Blit(*by.at(IDB_MAIN_BACKGROUND), ox, oy, 1, false);
  const int px = ox + kStartX, py = oy + kStartY;
  s.Blit(*by.at(IDB_START_BACKGROUND), px, py, 1, false);
  s.Blit(*by.at(IDB_START_TRANSLATE_NORMAL), px + kLargeX, py + kLargeY);
  const int small[2][3][2] = {
      {{IDB_START_SETUP_NORMAL, 0}, {IDB_START_DICTIONARIES_HOVER, 0}, {IDB_START_LAUNCH_NORMAL, 0}},
      {{IDB_START_NET_DISABLED, 0}, {IDB_START_MYVANTO_NORMAL, 0}, {IDB_START_GUIDE_PRESSED, 0}}};
  const char* captions[2][3][2] = {
      {{"Customize Translation", "Tasks of customizing  the translation system"},
       {"VANTO Dictionaries", "Installation of specialized dictionaries and profiles"},
       {"Launch Applications", "Launching applications of the suite"}},
      {{"VANTO NET", "Tasks of administrating the network version"},
       {"My VANTO", "User private area with access to online services"},
       {"User's Guide", "See documentation to the product"}}};
  for (int col = 0; col < 2; ++col) {
    for (int row = 0; row < 3; ++row) {
      const int x = px + 1 + col * (kSmallWidth + 1), y = py + kSmallY + row * (kSmallHeight + 1);
      s.Blit(*by.at(small[col][row][0]), x, y);
      const bool disabled = col == 1 && row == 0;
      t.Add(x + 74, y + 30, 12, disabled ? "#969696" : "black", captions[col][row][0], true);
      t.Add(x + 74, y + 52, 11, disabled ? "#969696" : "#004DAB", captions[col][row][1]);
    }
  }
  t.Add(px + kLargeX + 86, py + kLargeY + 42, 16, "white", "TRANSLATE", true);
  const int top = oy + kTopButtonY, closeX = ox + kWindowWidth - kCloseRightMargin - kCloseWidth;
  s.Blit(*by.at(IDB_MINIMIZE_NORMAL), closeX - kMinimizeWidth + 1, top);
  s.Blit(*by.at(IDB_CLOSE_NORMAL), closeX, top);
  s.Blit(*by.at(IDB_HELP_NORMAL), ox + kHelpX, oy + kHelpY);
  s.Blit(*by.at(IDB_EXIT_NORMAL), ox + kWindowWidth - 12 - kBottomButtonWidth, oy + kBottomButtonY);
  s.Blit(*by.at(IDB_ABOUT_HOVER), ox + kWindowWidth - 12 - 2 * kBottomButtonWidth - 8, oy + kBottomButtonY);
  s.Blit(*by.at(IDB_CHECK_OFF_NORMAL), ox + 90, oy + kWindowHeight - 33);
  t.Add(ox + 45, oy + 27, 14, "white", "VANTO Translator 9", true);
  t.Add(ox + 20, oy + 86, 14, "white", "Welcome to the main menu", true);
  t.Add(ox + 30, oy + kWindowHeight - 20, 11, "white", "Help");
  t.Add(ox + 111, oy + kWindowHeight - 20, 11, "white", "Show all features of VANTO translators");
  t.Add(ox + kWindowWidth - 12 - kBottomButtonWidth + 32, oy + kBottomButtonY + 17, 12, "white", "Exit",
        true);
  t.Add(ox + kWindowWidth - 20 - 2 * kBottomButtonWidth + 26, oy + kBottomButtonY + 17, 12, "white", "About",
        true);
}

void TabMock(Sheet& s, Text& t, const std::map<int, const Image*>& by,
             const std::vector<std::vector<Image>>& listIcons, int ox, int oy) {
  s.Blit(*by.at(IDB_MAIN_BACKGROUND), ox, oy, 1, false);
  const int tabs[7] = {IDB_TAB_TRANSLATION_PRESSED, IDB_TAB_SETUP_NORMAL, IDB_TAB_DICTIONARIES_HOVER,
                       IDB_TAB_LAUNCH_NORMAL,       IDB_TAB_NET_DISABLED, IDB_TAB_MYVANTO_NORMAL,
                       IDB_TAB_GUIDE_NORMAL};
  const char* names[7][2] = {
      {"Translation", ""}, {"Translation", "Setup"}, {"VANTO", "Dictionaries"}, {"Launching", "Applications"},
      {"VANTO NET", ""},   {"My VANTO", ""},         {"User's Guide", ""}};
  for (int i = 0; i < 7; ++i) {
    const int x = ox + kRibbonX + i * kTabWidth, y = oy + kRibbonY;
    s.Blit(*by.at(tabs[i]), x, y);
    const char* colour = i == 4 ? "#969696" : "white";
    const bool two = names[i][1][0] != 0;
    const int len0 = static_cast<int>(std::string(names[i][0]).size()),
              len1 = static_cast<int>(std::string(names[i][1]).size());
    t.Add(x + 48 - len0 * 7 / 2, y + (two ? 62 : 69), 11, colour, names[i][0], true);
    if (two) t.Add(x + 48 - len1 * 7 / 2, y + 76, 11, colour, names[i][1], true);
  }
  const int px = ox + kPanelX, py = oy + kPanelY;
  s.Blit(*by.at(IDB_PANEL_BACKGROUND), px, py, 1, false);
  t.Add(px + 18, py + 30, 14, "white", "Translation tasks", true);
  t.Add(px + 18, py + 58, 11, "white", "1. Choose a task in the list.");
  t.Add(px + 18, py + 74, 11, "white", "2. Follow the steps it shows.");
  // The list: rows sliced from the strips, row 1 hovered, with the scroll bar shown.
  const Image& rows = *by.at(IDB_LIST_ROWS);
  const Image& hot = *by.at(IDB_LIST_ROWS_HOT_SCROLL);
  const int lx = px + kListX, ly = py + kListY;
  const char* items[5][2] = {
      {"Quick Translation", "Translation of typed text or text pasted from the clipboard"},
      {"Translate Web Page", "Translating Web Pages"},
      {"Translate Word Document", "Translating Microsoft Word Documents"},
      {"Translate Excel Spreadsheet", "Translating Microsoft Excel Spreadsheets"},
      {"Translate Email", "Translating Email Messages in Microsoft Outlook"}};
  for (int r = 0; r < kListRows; ++r) {
    s.BlitPart(r == 1 ? hot : rows, 0, r * kListRowHeight, kListWidth, kListRowHeight, lx,
               ly + r * kListRowHeight);
    const int y = ly + r * kListRowHeight;
    if (static_cast<size_t>(r) < listIcons.size()) s.Blit(listIcons[r].back(), lx + 20, y + 8, 1, false);
    t.Add(lx + 64, y + 21, 12, "black", items[r][0], true);
    t.Add(lx + 64, y + 37, 11, r == 4 ? "#969696" : "#333333", items[r][1]);
  }
  const int sx = lx + kListWidth - 19, sy = ly + 5, sh = kListRowHeight * kListRows - 10;
  s.Stretch(*by.at(IDB_SCROLL_TRACK), sx, sy, sh);
  s.Blit(*by.at(IDB_SCROLL_UP_NORMAL), sx, sy);
  s.Blit(*by.at(IDB_SCROLL_DOWN_HOVER), sx, sy + sh - kScrollArrowHeight);
  s.Blit(*by.at(IDB_SCROLL_THUMB_NORMAL), sx, sy + 15 + 30);
  // A combo box and two push buttons below the list.
  const int cx = px + kListX, cy = py + 262, cw = 190, ch = kDropSize + 4;
  s.Rect(cx, cy, cx + cw, cy + ch, {59, 168, 225});
  s.Rect(cx + 1, cy + 1, cx + cw - 1, cy + ch - 1, {255, 255, 255});
  s.Blit(*by.at(IDB_COMBO_DROP_NORMAL), cx + cw - kDropSize - 2, cy + 2);
  t.Add(cx + 5, cy + 15, 12, "black", "English - German");
  s.Blit(*by.at(IDB_PUSH_NORMAL), cx + cw + 8, cy - 1);
  s.Blit(*by.at(IDB_PUSH_DISABLED), cx + cw + 8 + kPushWidth + 6, cy - 1);
  t.Add(cx + cw + 8 + 22, cy + 15, 12, "white", "Translate", true);
  t.Add(cx + cw + 8 + kPushWidth + 6 + 36, cy + 15, 12, "#969696", "Edit", true);
  s.Blit(*by.at(IDB_CHECK_ON_NORMAL), cx, cy + 34);
  t.Add(cx + 21, cy + 47, 11, "black", "Remember my choice");
  // Bottom bar: Help, Home, Back, Exit; top buttons, the close one under the mouse.
  const int top = oy + kTopButtonY, closeX = ox + kWindowWidth - kCloseRightMargin - kCloseWidth;
  s.Blit(*by.at(IDB_MINIMIZE_NORMAL), closeX - kMinimizeWidth + 1, top);
  s.Blit(*by.at(IDB_CLOSE_HOVER), closeX, top);
  s.Blit(*by.at(IDB_HELP_HOVER), ox + kHelpX, oy + kHelpY);
  const int bx = ox + kWindowWidth - 12 - kBottomButtonWidth, by0 = oy + kBottomButtonY;
  s.Blit(*by.at(IDB_EXIT_NORMAL), bx, by0);
  s.Blit(*by.at(IDB_BACK_PRESSED), bx - 98, by0);
  s.Blit(*by.at(IDB_HOME_NORMAL), bx - 196, by0);
  t.Add(ox + 45, oy + 27, 14, "white", "VANTO Translator 9", true);
  t.Add(ox + 30, oy + kWindowHeight - 20, 11, "white", "Help");
  t.Add(bx + 32, by0 + 17, 12, "white", "Exit", true);
  t.Add(bx - 98 + 36, by0 + 18, 12, "white", "Back", true);
  t.Add(bx - 196 + 36, by0 + 17, 12, "white", "Home", true);
}

// Each list icon on a white cell, as on a list row: 32 px, 16 px, and 32 px enlarged twice.
constexpr int kCellWidth = 136, kCellHeight = 68;

void ListIconCells(Sheet& s, const std::vector<std::vector<Image>>& listIcons, int left, int top, int width) {
  const int perRow = (width + 12) / (kCellWidth + 12);
  for (size_t i = 0; i < listIcons.size(); ++i) {
    const int x = left + static_cast<int>(i % perRow) * (kCellWidth + 12);
    const int y = top + static_cast<int>(i / perRow) * (kCellHeight + 28);
    s.Rect(x, y, x + kCellWidth, y + kCellHeight, {255, 255, 255});
    const Image& big = listIcons[i].back();
    s.Blit(big, x + 2, y + 2, 2, false);
    s.Blit(big, x + 74, y + 18, 1, false);
    s.Blit(listIcons[i].front(), x + 112, y + 26, 1, false);
    s.Number(ListIcons()[i].id, x, y + kCellHeight + 4, {255, 255, 255});
  }
}

int ListIconRows(size_t count, int width) {
  const int perRow = (width + 12) / (kCellWidth + 12);
  return static_cast<int>((count + perRow - 1) / perRow);
}

}  // namespace

bool WriteContactSheet(const std::string& ppmPath, const std::string& mvgPath,
                       const std::vector<DrawnBitmap>& bitmaps, const std::vector<Image>& icons,
                       const std::vector<std::vector<Image>>& listIcons) {
  std::map<int, const Image*> by;
  for (const DrawnBitmap& b : bitmaps) by[b.entry->id] = &b.image;
  const int width = kMargin * 3 + kWindowWidth * 2;
  // Lay the tiles out first to know the height: small pictures at 2x, large ones at 1x.
  struct Tile {
    const Image* image;
    int id, x, y, scale;
  };
  std::vector<Tile> tiles;
  int x = kMargin, y = kMargin * 2 + kWindowHeight + 10, rowHeight = 0;
  auto place = [&](const Image* image, int id, int scale) {
    const int w = image->width * scale, h = image->height * scale + 16;
    if (x + w > width - kMargin) {  // next row
      x = kMargin;
      y += rowHeight + 12;
      rowHeight = 0;
    }
    tiles.push_back({image, id, x, y, scale});
    x += w + 12;
    rowHeight = std::max(rowHeight, h);
  };
  for (const DrawnBitmap& b : bitmaps)
    if (b.image.width <= 200 && b.entry->id != IDB_SCROLL_TRACK) place(&b.image, b.entry->id, 2);
  for (const Image& icon : icons) place(&icon, 128, icon.width <= 48 ? 2 : 1);
  for (const DrawnBitmap& b : bitmaps)
    if (b.image.width > 200 || b.entry->id == IDB_SCROLL_TRACK) place(&b.image, b.entry->id, 1);
  const int listTop = y + rowHeight + 24, listWidth = width - 2 * kMargin;
  const int height = listTop + ListIconRows(listIcons.size(), listWidth) * (kCellHeight + 28) + kMargin;

  Sheet s(width, height, {92, 98, 108});
  Text t;
  StartMock(s, t, by, kMargin, kMargin);
  TabMock(s, t, by, listIcons, kMargin * 2 + kWindowWidth, kMargin);
  ListIconCells(s, listIcons, kMargin, listTop, listWidth);
  for (const Tile& tile : tiles) {
    const int w = tile.image->width * tile.scale, h = tile.image->height * tile.scale;
    if (tile.image->channels == 4)
      s.Rect(tile.x, tile.y, tile.x + w, tile.y + h / 2, {255, 255, 255});  // light and dark
    s.Blit(*tile.image, tile.x, tile.y, tile.scale, false);
    s.Number(tile.id, tile.x, tile.y + h + 4, {255, 255, 255});
  }
  std::ofstream ppm(ppmPath, std::ios::binary | std::ios::trunc);
  ppm << "P6\n" << width << " " << height << "\n255\n";
  ppm.write(reinterpret_cast<const char*>(s.image().data.data()),
            static_cast<std::streamsize>(s.image().data.size()));
  std::ofstream mvg(mvgPath, std::ios::trunc);
  mvg << t.mvg;
  return static_cast<bool>(ppm) && static_cast<bool>(mvg);
}

}  // namespace skin

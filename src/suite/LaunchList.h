// The launch tab's list: the catalogue's applications that this product may start, built by
// Fill(show all) and handed row by row to the tab's list control through LaunchListSink.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class CXCryptedProfileW;

namespace suite {

class LaunchContext;

// One row being built.
struct AppItem {
  std::wstring appId;
  std::wstring name;  // the display name
  std::wstring description;
  std::wstring path;      // the executable
  int iconId = 0;         // the program's own icon resource, loaded (shared) by whoever draws it
  bool enabled = true;    // listed in the product's "apps"
  bool installed = true;  // a non-empty executable path was found
  bool damaged = false;   // the Apps value was refused as damaged (then not installed either)
  bool forced = false;    // skip the "apps" test (the documentation list sets it)

  [[nodiscard]] bool Available() const noexcept { return enabled && installed; }
};

// What the launch tab's list control offers the launch list. Unavailable rows are drawn dimmed.
class LaunchListSink {
 public:
  virtual ~LaunchListSink() = default;
  virtual void Clear() = 0;
  virtual void AddRow(HICON icon, const std::wstring& name, const std::wstring& description,
                      bool available) = 0;
  // The same with icon resource `iconId` of the program's own file (0: none). A list that draws may
  // load it when the row is first drawn; this default loads it now.
  virtual void AddRowWithIconId(int iconId, const std::wstring& name, const std::wstring& description,
                                bool available) {
    AddRow(iconId ? ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId)) : nullptr, name,
           description, available);
  }
};

// How an item's executable is checked: the shell must read its file information (icon included),
// or, for a quick first answer, the file need only be there.
enum class FileCheck { kShell, kPresence };

// The item routine shared by the lists of applications: fills in `enabled`, `installed` and, when
// empty, the path from the Apps key, and says whether the item belongs in a list in this mode.
// Normal mode takes only enabled, installed items whose executable the shell can read; show-all
// mode takes every item, unless the Apps key itself cannot be opened.
[[nodiscard]] bool AdmitItem(AppItem& item, const CXCryptedProfileW& configuration, bool showAll,
                             FileCheck check = FileCheck::kShell);

class LaunchList {
 public:
  LaunchList(LaunchContext& context, LaunchListSink& sink) noexcept : context_(context), sink_(sink) {}

  // Rebuilds the list from the catalogue, "allapps" or "apps" deciding which rows are asked for;
  // false when it stays empty (nothing is handed to the sink then).
  bool Fill(bool showAll);
  // Whether Fill would give rows, by the files' presence instead of the shell's reading them: the
  // shell takes long to start, and the window shows before the list is filled.
  [[nodiscard]] bool LikelyHasRows(bool showAll) const;

  [[nodiscard]] std::span<const AppItem> Items() const noexcept { return items_; }
  [[nodiscard]] bool ShowAll() const noexcept { return showAll_; }

  // Starts the row at `index` (see Launcher); an index outside the list does nothing.
  void LaunchItem(size_t index);
  // Starts the first row whose app ID matches, without regard to case; no match does nothing.
  void ActivateByAppId(std::wstring_view appId);

 private:
  // The admitted items, at most `limit` of them.
  [[nodiscard]] std::vector<AppItem> Collect(bool showAll, FileCheck check, size_t limit = SIZE_MAX) const;

  LaunchContext& context_;
  LaunchListSink& sink_;
  std::vector<AppItem> items_;
  bool showAll_ = false;
};

}  // namespace suite

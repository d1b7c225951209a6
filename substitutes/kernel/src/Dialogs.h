// The kernel's dialogs (titles and controls in vanto/KernelDialogs.h).
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace vanto {

// New dictionary or new translation memory: the name the user gave, or nothing when cancelled.
// `taken` says whether the direction already has a dictionary (memory) of that name.
[[nodiscard]] std::optional<std::wstring> AskName(HWND owner, int templateId,
                                                  const std::wstring& directionName,
                                                  const std::function<bool(const std::wstring&)>& taken);

struct WordEntry {
  std::wstring source;
  std::wstring target;
  int kind = 0;  // the dialog entry: index in the kind list
};

// Add word: the entry the user added, or nothing when cancelled. *kind comes in as the dialog entry
// to start with and goes out as the user's last choice, also when cancelled.
[[nodiscard]] std::optional<WordEntry> AskWord(HWND owner, bool entryView, const std::wstring& word,
                                               const std::wstring& dictionaryName, int* kind);

// Message window (IDD_VANTO_MESSAGE, the text may hold a link), error box (IDD_VANTO_ERROR) and About
// box (IDD_VANTO_ABOUT): an icon from the MB_ICON* bits of `flags`, the text, and OK. An empty
// caption keeps the template's title. False when the window could not be shown.
bool ShowTextDialog(HWND owner, int templateId, const std::wstring& caption, const std::wstring& text,
                    LONG flags);

}  // namespace vanto

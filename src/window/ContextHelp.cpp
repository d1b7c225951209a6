#include "window/ContextHelp.h"

#include "StringIds.h"
#include "profile/CryptedProfile.h"
#include "suite/InfSections.h"
#include "suite/LaunchContext.h"
#include "suite/SystemLibrary.h"

namespace ui {
namespace {

// HtmlHelpW's command for a context-sensitive topic, and the topics' base.
constexpr UINT kHelpContextCommand = 15;  // HH_HELP_CONTEXT
constexpr DWORD kHelpContextBase = 0x20000;

}  // namespace

DWORD ContextHelp::ContextOf(int view) const {
  if (suite::IsConfigurableView(view) &&
      context_.ProductConfiguration().SectionEntryCount(suite::MenuSectionOf(view)) > 0)
    return kHelpContextBase + static_cast<DWORD>(view);
  return kHelpContextBase;
}

void ContextHelp::Show(HWND owner, int view) {
  // The engine opens a missing file without a word: say so, naming the file.
  const DWORD attributes = ::GetFileAttributesW(helpFile_.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    context_.ShowMessage(IDS_HELP_FILE_MISSING, helpFile_, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  if (!engineTried_) {
    engineTried_ = true;
    engine_ = suite::LoadSystemLibrary(L"hhctrl.ocx");
  }
  if (!engine_) return;
  using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
  const auto htmlHelp = suite::ProcAddress<HtmlHelpFn>(engine_.get(), "HtmlHelpW");
  if (!htmlHelp) return;
  htmlHelp(owner, helpFile_.c_str(), kHelpContextCommand, ContextOf(view));
}

}  // namespace ui

// The Help button and F1: the help file's topic for the view that shows, through the system's HTML
// Help engine, which is loaded on first use. Without the engine Help does nothing; without the help
// file it says that the file is missing.
#pragma once

#include <windows.h>

#include <string>

#include "win/Handle.h"

namespace suite {
class LaunchContext;
}

namespace ui {

class ContextHelp {
 public:
  // `context` gives the product's configuration and shows the messages.
  ContextHelp(suite::LaunchContext& context, std::wstring helpFile)
      : context_(context), helpFile_(std::move(helpFile)) {}

  // The topic of `view`: a tab configured by the product's "_menu<N>" section has its own topic,
  // everything else the general one.
  [[nodiscard]] DWORD ContextOf(int view) const;
  void Show(HWND owner, int view);

 private:
  suite::LaunchContext& context_;
  std::wstring helpFile_;
  win::UniqueModule engine_;
  bool engineTried_ = false;
};

}  // namespace ui

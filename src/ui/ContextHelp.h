// The Help button: the help file's topic for the view that shows, through the system's HTML Help
// engine, which is loaded on first use. Without the engine Help does nothing.
#pragma once

#include <windows.h>

#include <string>

#include "win/Handle.h"

class CXCryptedProfileW;

namespace ui {

class ContextHelp {
 public:
  ContextHelp(const CXCryptedProfileW& configuration, std::wstring helpFile)
      : configuration_(configuration), helpFile_(std::move(helpFile)) {}

  // The topic of `view`: a tab configured by the product's "_menu<N>" section has its own topic,
  // everything else the general one.
  [[nodiscard]] DWORD ContextOf(int view) const;
  void Show(HWND owner, int view);

 private:
  const CXCryptedProfileW& configuration_;
  std::wstring helpFile_;
  win::UniqueModule engine_;
  bool engineTried_ = false;
};

}  // namespace ui

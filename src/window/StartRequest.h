// What Startdeck is asked to do on its command line, by this start or by a later one that hands its
// command line to the running window:
//   Startdeck.exe /translate "<document>"   the document's translation panel, with the document in
//                                           it and the focus on Translate; of several documents (Send
//                                           To with a selection) the first, and a note that one
//                                           document is translated at a time
//   Startdeck.exe /quick ["<text>"]         Quick Translation, with the text to translate
// A switch is written with "/" or "-", in any letter case; the arguments follow CommandLineToArgvW's
// rules (a quoted argument is one argument).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "window/WindowPart.h"

namespace ui {

class MainViews;
class MainWindowContext;

struct StartRequest {
  enum class Action { kNone, kTranslate, kQuick, kWrong };
  Action action = Action::kNone;
  // kTranslate: the document; kQuick: the text (may be empty); kWrong: the argument that is wrong
  // (empty when /translate came without a document).
  std::wstring argument;
  bool moreDocuments = false;  // kTranslate: more documents came after it
};

// The request of a whole command line, the program's name first.
[[nodiscard]] StartRequest ParseStartRequest(std::wstring_view commandLine);

class StartRequests : public WindowPart {
 public:
  StartRequests(MainWindowContext& app, MainViews& views) noexcept : app_(app), views_(views) {}

  // The window's own command line, carried out once the window is whole.
  void Create(HWND window, std::wstring_view commandLine);

  // WM_COPYDATA with a later start's command line, and kStartRequestMessage.
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  void AfterFirstPaint() override;

 private:
  void CarryOut(const StartRequest& request);

  MainWindowContext& app_;
  MainViews& views_;
  HWND window_ = nullptr;
  bool whole_ = false;  // after the first paint
  StartRequest pending_;
};

}  // namespace ui

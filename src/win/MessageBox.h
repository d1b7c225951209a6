// Every message box of the program goes through here, so that unit tests can answer them without a
// person; the end-to-end tests answer the real boxes on screen.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace win {

struct MessageBoxRequest {
  HWND owner = nullptr;
  std::wstring text;
  std::wstring caption;
  UINT flags = 0;
};

using MessageBoxAnswerer = std::function<int(const MessageBoxRequest&)>;

// Shows the box (MessageBoxW) unless an answerer is installed, which then gives the button.
int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags);

// Tests only: answers every box from now on; an empty function restores the real boxes.
void SetMessageBoxAnswerer(MessageBoxAnswerer answerer);

}  // namespace win

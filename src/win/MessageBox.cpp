#include "win/MessageBox.h"

namespace win {
namespace {

MessageBoxAnswerer& Answerer() {
  static MessageBoxAnswerer answerer;
  return answerer;
}

}  // namespace

int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) {
  if (const MessageBoxAnswerer& answerer = Answerer()) return answerer({owner, text, caption, flags});
  return ::MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
}

void SetMessageBoxAnswerer(MessageBoxAnswerer answerer) {
  Answerer() = std::move(answerer);
}

}  // namespace win

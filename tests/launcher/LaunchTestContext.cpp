#include "LaunchTestContext.h"

#include <gtest/gtest.h>

#include "core/PrivateMessages.h"
#include "profile/ProfileWriter.h"
#include "support/TestPaths.h"
#include "win/Resources.h"

namespace test {
namespace {

constexpr wchar_t kWindowClass[] = L"LaunchTestMainWindow";

void RegisterWindowClass(WNDPROC procedure) {
  static const bool registered = [procedure] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kWindowClass;
    return ::RegisterClassW(&windowClass) != 0;
  }();
  (void)registered;
}

}  // namespace

CXCryptedProfileW MakeConfiguration(const ValueSections& sections) {
  inf::ProfileDocument document;
  for (const auto& [name, entries] : sections) {
    inf::DocumentSection section{name, {}};
    for (const auto& [key, value] : entries) section.entries.push_back({key, inf::kTypeText, value, 0, {}});
    document.sections.push_back(std::move(section));
  }
  CXCryptedProfileW configuration;
  EXPECT_TRUE(configuration.LoadFromBytes(inf::WriteProfileFile(document, {0x1234, 0x5678, 0x9ABC})));
  return configuration;
}

CXCryptedProfileW MakeConfiguration(const Sections& sections) {
  ValueSections withValues;
  for (const auto& [name, keys] : sections) {
    auto& entries = withValues.emplace_back(name, ValueSections::value_type::second_type{}).second;
    for (const std::wstring& key : keys) entries.emplace_back(key, L"1");
  }
  return MakeConfiguration(withValues);
}

void UseEnglishStrings() {
  static const bool loaded = [] {
    const std::wstring path = (BinFolder() / L"StartdeckResENU.dll").wstring();
    win::UniqueModule library(::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!library) return false;
    win::AdoptResourceModule(std::move(library));
    return true;
  }();
  ASSERT_TRUE(loaded) << "StartdeckResENU.dll is missing from the bin folder";
}

LaunchTestContext::LaunchTestContext(const Sections& sections) : configuration_(MakeConfiguration(sections)) {
  RegisterWindowClass(&WindowProc);
  window_ = ::CreateWindowExW(0, kWindowClass, L"Startdeck (test)", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                              nullptr, nullptr, ::GetModuleHandleW(nullptr), this);
  EXPECT_NE(window_, nullptr);
}

LaunchTestContext::~LaunchTestContext() {
  if (window_) ::DestroyWindow(window_);
}

LRESULT CALLBACK LaunchTestContext::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<LaunchTestContext*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY) ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  if (message == WM_CLOSE && self) {
    ++self->closeRequests_;  // counted, but the window stays for the test to look at
    return 0;
  }
  if (message == app::kPluginsManagerMessage && self) {
    ++self->pluginRequests_;
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

int LaunchTestContext::ShowMessage(UINT id, std::wstring_view argument, UINT flags) {
  // As the start centre does: the argument in quotes in place of the first %s.
  std::wstring text = win::LoadString(id);
  if (const size_t at = text.find(L"%s"); at != std::wstring::npos)
    text.replace(at, 2, L"\"" + std::wstring(argument) + L"\"");
  shown_.push_back({true, id, std::wstring(argument), text, flags});
  return NextAnswer(text);
}

int LaunchTestContext::ShowText(const std::wstring& text, UINT flags) {
  shown_.push_back({false, 0, {}, text, flags});
  return NextAnswer(text);
}

int LaunchTestContext::NextAnswer(const std::wstring& text) {
  // A box with only an OK button needs nobody's decision.
  if ((shown_.back().flags & MB_TYPEMASK) == MB_OK) return IDOK;
  if (answers_.empty()) {
    ADD_FAILURE() << "a question nobody answers: " << ::testing::PrintToString(text);
    return IDNO;
  }
  const int button = answers_.front();
  answers_.pop_front();
  return button;
}

}  // namespace test

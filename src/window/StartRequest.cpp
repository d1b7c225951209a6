#include "window/StartRequest.h"

#include <shellapi.h>

#include <memory>
#include <vector>

#include "ResourceIds.h"
#include "StringIds.h"
#include "core/LogSink.h"
#include "core/PrivateMessages.h"
#include "menu/TaskTable.h"
#include "tasks/TaskPanel.h"
#include "window/MainViews.h"
#include "window/MainWindowContext.h"

namespace ui {

namespace {

// The longest command line Windows starts a program with, in characters.
constexpr size_t kLongestCommandLine = 32767;

struct LocalFreer {
  void operator()(wchar_t** arguments) const noexcept { ::LocalFree(arguments); }
};

std::vector<std::wstring> Arguments(std::wstring_view commandLine) {
  const std::wstring text(commandLine);
  int count = 0;
  const std::unique_ptr<wchar_t*, LocalFreer> arguments(::CommandLineToArgvW(text.c_str(), &count));
  if (!arguments) return {};
  return std::vector<std::wstring>(arguments.get(), arguments.get() + count);
}

// "/name" or "-name", in any letter case.
bool IsSwitch(const std::wstring& argument, std::wstring_view name) {
  return argument.size() == name.size() + 1 && (argument[0] == L'/' || argument[0] == L'-') &&
         ::CompareStringOrdinal(argument.c_str() + 1, static_cast<int>(name.size()), name.data(),
                                static_cast<int>(name.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

StartRequest ParseStartRequest(std::wstring_view commandLine) {
  // An empty text would make CommandLineToArgvW name this program: there is nothing to parse.
  if (commandLine.empty()) return {};
  const std::vector<std::wstring> arguments = Arguments(commandLine);
  if (arguments.size() < 2) return {};
  const std::wstring& first = arguments[1];
  using Action = StartRequest::Action;
  if (IsSwitch(first, L"translate")) {
    if (arguments.size() < 3 || arguments[2].empty()) return {Action::kWrong, {}};
    // Send To hands over every document chosen: the first is taken.
    return {Action::kTranslate, arguments[2], arguments.size() > 3};
  }
  if (IsSwitch(first, L"quick")) {
    if (arguments.size() > 3) return {Action::kWrong, arguments[3]};
    return {Action::kQuick, arguments.size() == 3 ? arguments[2] : std::wstring()};
  }
  return {Action::kWrong, first};
}

void StartRequests::Create(HWND window, std::wstring_view commandLine) {
  window_ = window;
  pending_ = ParseStartRequest(commandLine);
}

bool StartRequests::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR& result) {
  if (message == WM_COPYDATA) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data == nullptr || data->dwData != app::kCommandLineData || data->lpData == nullptr ||
        data->cbData % sizeof(wchar_t) != 0 || data->cbData / sizeof(wchar_t) > kLongestCommandLine)
      return false;
    // The text may or may not end with its NUL; it is read up to the first one.
    std::wstring_view text(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
    text = text.substr(0, text.find(L'\0'));
    pending_ = ParseStartRequest(text);
    // The sender waits for the answer: the request is carried out once it has it.
    if (whole_) ::PostMessageW(window_, app::kStartRequestMessage, 0, 0);
    result = TRUE;
    return true;
  }
  if (message == app::kStartRequestMessage) {
    CarryOut(std::exchange(pending_, {}));
    result = 0;
    return true;
  }
  return false;
}

void StartRequests::AfterFirstPaint() {
  whole_ = true;
  if (pending_.action != StartRequest::Action::kNone)
    ::PostMessageW(window_, app::kStartRequestMessage, 0, 0);
}

void StartRequests::CarryOut(const StartRequest& request) {
  using Action = StartRequest::Action;
  FileDrop* opener = views_.Opener();
  switch (request.action) {
    case Action::kNone: return;
    case Action::kWrong:
      if (request.argument.empty())
        app_.ShowMessage(IDS_CMDLINE_NEEDS_FILE, {}, MB_OK | MB_ICONINFORMATION);
      else
        app_.ShowMessage(IDS_CMDLINE_UNKNOWN, request.argument, MB_OK | MB_ICONINFORMATION);
      return;
    case Action::kTranslate: {
      const DWORD attributes = ::GetFileAttributesW(request.argument.c_str());
      if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        app_.ShowMessage(IDS_CMDLINE_NO_FILE, request.argument, MB_OK | MB_ICONINFORMATION);
        return;
      }
      if (request.moreDocuments)
        app_.ShowMessage(IDS_CMDLINE_ONE_AT_A_TIME, request.argument, MB_OK | MB_ICONINFORMATION);
      // The user confirms with Translate: nothing is handed over unasked.
      if (tasks::TaskPanel* panel = opener ? opener->OpenTaskOf(request.argument) : nullptr)
        if (HWND translate = ::GetDlgItem(panel->Window(), IDC_PANEL_ACTION);
            translate && ::IsWindowVisible(translate))
          ::SetFocus(translate);
      return;
    }
    case Action::kQuick:
      if (tasks::TaskPanel* panel = opener ? opener->OpenTask(kQuickTranslationTask) : nullptr) {
        if (!request.argument.empty()) (void)panel->TakeText(request.argument);
      } else {
        app::Log().Line(L"Command line: the product has no quick translation");
      }
      return;
  }
}

}  // namespace ui

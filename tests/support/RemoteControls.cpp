#include "support/RemoteControls.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>

#include "ResourceIds.h"
#include "support/Driver.h"
#include "win/Scale.h"

namespace test {

RemoteBlock::RemoteBlock(HWND window, size_t size) {
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  process_.reset(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
  if (process_) at_ = ::VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT, PAGE_READWRITE);
}

RemoteBlock::~RemoteBlock() {
  if (at_) ::VirtualFreeEx(process_.get(), at_, 0, MEM_RELEASE);
}

bool RemoteBlock::Write(size_t offset, const void* data, size_t size) const {
  return at_ && ::WriteProcessMemory(process_.get(), At(offset), data, size, nullptr);
}

bool RemoteBlock::Read(size_t offset, void* data, size_t size) const {
  return at_ && ::ReadProcessMemory(process_.get(), At(offset), data, size, nullptr);
}

namespace {

constexpr UINT kAnswerTimeoutMs = 5000;

bool Ask(HWND control, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* answer) {
  return ::SendMessageTimeoutW(control, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                               answer) != 0;
}

}  // namespace

std::wstring ControlText(HWND control) {
  DWORD_PTR length = 0;
  if (!Ask(control, WM_GETTEXTLENGTH, 0, 0, &length)) return L"<no answer>";
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!Ask(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), &copied))
    return L"<no answer>";
  text.resize(std::min<size_t>(copied, length));
  return text;
}

void SetControlText(HWND control, const std::wstring& text) {
  ::SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

HWND FindChild(HWND parent, int id, const wchar_t* className) {
  for (HWND child = ::FindWindowExW(parent, nullptr, className, nullptr); child;
       child = ::FindWindowExW(parent, child, className, nullptr))
    if (::GetDlgCtrlID(child) == id) return child;
  return nullptr;
}

HWND FocusIn(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  return ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

bool ClickToFocus(HWND field) {
  ClickAt(field, {4, 4});
  return WaitUntil([&] { return FocusIn(field) == field; }, 5s);
}

std::vector<std::wstring> ListViewRows(HWND list) {
  constexpr size_t kChars = 1024;
  std::vector<std::wstring> rows;
  const RemoteBlock block(list, sizeof(LVITEMW) + kChars * sizeof(wchar_t));
  const int count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) {
    LVITEMW item{};
    item.pszText = reinterpret_cast<wchar_t*>(block.At(sizeof(LVITEMW)));
    item.cchTextMax = static_cast<int>(kChars);
    if (!block.Write(0, &item, sizeof(item))) break;
    const auto length = std::min(
        kChars - 1, static_cast<size_t>(::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                                       reinterpret_cast<LPARAM>(block.At(0)))));
    std::wstring text(length, L'\0');
    if (!block.Read(sizeof(LVITEMW), text.data(), length * sizeof(wchar_t))) break;
    rows.push_back(std::move(text));
  }
  return rows;
}

POINT ListViewRowCentre(HWND list, int row) {
  RECT rect{LVIR_BOUNDS, 0, 0, 0};
  const RemoteBlock block(list, sizeof(rect));
  block.Write(0, &rect, sizeof(rect));
  ::SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(block.At(0)));
  block.Read(0, &rect, sizeof(rect));
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

HWND ComboPopupList(HWND combo) {
  RECT box{};
  ::GetWindowRect(combo, &box);
  DWORD processId = 0;
  ::GetWindowThreadProcessId(combo, &processId);
  struct Search {
    DWORD processId;
    RECT box;
    HWND list;
  } search{processId, box, nullptr};
  ::EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        HWND list = owner == s->processId ? ::GetDlgItem(window, IDC_COMBO_POPUP_LIST) : nullptr;
        RECT rc{};
        if (!list || !::GetWindowRect(window, &rc) || rc.left != s->box.left || rc.top != s->box.bottom)
          return TRUE;
        s->list = list;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.list;
}

std::vector<std::wstring> ComboEntries(HWND combo) {
  HWND list = ComboPopupList(combo);
  return list ? ListViewRows(list) : std::vector<std::wstring>{};
}

HWND DropDown(HWND combo) {
  DWORD processId = 0;
  ::GetWindowThreadProcessId(combo, &processId);
  HWND list = nullptr;
  for (int attempt = 0; attempt < 3 && !list; ++attempt) {
    Click(combo);
    WaitUntil(
        [&] {
          for (HWND window : TopLevelWindows(processId))
            if (HWND rows = ::GetDlgItem(window, IDC_COMBO_POPUP_LIST)) list = rows;
          return list != nullptr;
        },
        2s);
  }
  return list;
}

bool ClickDropDownRow(HWND list, int row) {
  ClickAt(list, ListViewRowCentre(list, row));
  return WaitUntil([&] { return !::IsWindowVisible(::GetParent(list)); }, 5s);
}

std::vector<std::wstring> DropDownRows(HWND combo) {
  HWND list = DropDown(combo);
  if (!list) return {};
  std::vector<std::wstring> rows = ListViewRows(list);
  Click(combo);
  WaitUntil([&] { return !::IsWindowVisible(::GetParent(list)); }, 5s);
  return rows;
}

namespace {

INPUT KeyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

}  // namespace

void PressKey(WORD key, std::initializer_list<WORD> modifiers, std::chrono::milliseconds settle) {
  std::vector<INPUT> inputs;
  for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, false));
  inputs.push_back(KeyInput(key, false));
  inputs.push_back(KeyInput(key, true));
  for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, true));
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  if (settle.count() > 0) ::Sleep(static_cast<DWORD>(settle.count()));
}

void TypeKeys(const std::wstring& text) {
  for (wchar_t c : text) {
    if (c == L'\n') {
      PressKey(VK_RETURN);
      continue;
    }
    INPUT inputs[2]{};
    for (INPUT& input : inputs) {
      input.type = INPUT_KEYBOARD;
      input.ki.wScan = c;
      input.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    ::SendInput(2, inputs, sizeof(INPUT));
  }
}

bool TypeKeysInto(HWND field, const std::wstring& text) {
  if (FocusIn(field) != field) return false;
  size_t added = text.size();
  for (wchar_t c : text) added += c == L'\n' ? 1 : 0;
  const size_t expected = ControlText(field).size() + added;
  TypeKeys(text);
  return WaitUntil([&] { return ControlText(field).size() >= expected; }, 10s);
}

bool PostCharacters(HWND field, const std::wstring& text) {
  Click(field);
  ::PostMessageW(field, EM_SETSEL, 0, -1);
  for (wchar_t c : text) ::PostMessageW(field, WM_CHAR, c, 1);
  return WaitUntil([&] { return ControlText(field) == text; }, 5s);
}

bool FillClipboard(std::initializer_list<ClipboardData> data) {
  if (!::OpenClipboard(nullptr)) return false;
  ::EmptyClipboard();
  bool placed = true;
  for (const ClipboardData& d : data) {
    // The clipboard owns the memory once it took it.
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, d.size);
    void* bytes = memory ? ::GlobalLock(memory) : nullptr;
    if (!bytes) {
      if (memory) ::GlobalFree(memory);
      placed = false;
      continue;
    }
    std::memcpy(bytes, d.bytes, d.size);
    ::GlobalUnlock(memory);
    if (!::SetClipboardData(d.format, memory)) {
      ::GlobalFree(memory);
      placed = false;
    }
  }
  ::CloseClipboard();
  return placed;
}

std::unique_ptr<RemoteBlock> DropFile(HWND window, const std::wstring& file) {
  std::vector<char> bytes(sizeof(DROPFILES) + (file.size() + 2) * sizeof(wchar_t), 0);
  DROPFILES header{};
  header.pFiles = sizeof(DROPFILES);
  header.fWide = TRUE;
  std::memcpy(bytes.data(), &header, sizeof(header));
  std::memcpy(bytes.data() + sizeof(DROPFILES), file.c_str(), file.size() * sizeof(wchar_t));
  auto block = std::make_unique<RemoteBlock>(window, bytes.size());
  if (!block->Write(0, bytes.data(), bytes.size())) return nullptr;
  ::PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(block->At(0)), 0);
  return block;
}

MessageCounter::MessageCounter(const wchar_t* name) : message_(::RegisterWindowMessageW(name)) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = Procedure;
  windowClass.lpszClassName = L"StartdeckTestsMessageCounter";
  ::RegisterClassW(&windowClass);  // fails harmlessly for a second counter: the class is there
  window_ = ::CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              nullptr, nullptr);
  if (window_) ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

MessageCounter::~MessageCounter() {
  if (window_) ::DestroyWindow(window_);
}

LRESULT CALLBACK MessageCounter::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<MessageCounter*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self && message == self->message_) ++self->count_;
  if (message == WM_NCDESTROY) ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  return ::DefWindowProcW(window, message, wParam, lParam);
}

HWND OpenTab(HWND window, int opener, int listId, std::chrono::milliseconds timeout) {
  Click(FindDescendant(window, opener));
  // The list may be made by the click itself, when it comes before the window has made its panels.
  HWND list = nullptr;
  const bool shown = WaitUntil(
      [&] { return (list = FindDescendant(window, listId)) != nullptr && ::IsWindowVisible(list) != FALSE; },
      timeout);
  return shown ? list : nullptr;
}

int ListRowHeight() {
  return win::SkinScaleFor(win::SystemDpi()).Px(kListRowHeight);
}

void ClickListRow(HWND list, int row) {
  RECT client{};
  ::GetClientRect(list, &client);
  const int height = ListRowHeight();
  const int below = std::max(0, row + 1 - static_cast<int>(client.bottom / height));
  for (int step = 0; step < 16; ++step) ::PostMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  for (int step = 0; step < below; ++step)
    ::PostMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  ClickAt(list, {win::SkinScaleFor(win::SystemDpi()).Px(120), (row - below) * height + height / 2});
}

}  // namespace test

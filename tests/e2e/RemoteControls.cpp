#include "RemoteControls.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstring>

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

std::wstring ControlText(HWND control) {
  std::wstring text(1024, L'\0');
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, 5000, &length))
    return L"<no answer>";
  text.resize(length);
  return text;
}

HWND FindChild(HWND parent, int id, const wchar_t* className) {
  for (HWND child = ::FindWindowExW(parent, nullptr, className, nullptr); child;
       child = ::FindWindowExW(parent, child, className, nullptr))
    if (::GetDlgCtrlID(child) == id) return child;
  return nullptr;
}

std::vector<std::wstring> ListViewRows(HWND list) {
  constexpr int kChars = 256;
  std::vector<std::wstring> rows;
  const RemoteBlock block(list, sizeof(LVITEMW) + kChars * sizeof(wchar_t));
  const int count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) {
    LVITEMW item{};
    item.pszText = reinterpret_cast<wchar_t*>(block.At(sizeof(LVITEMW)));
    item.cchTextMax = kChars;
    wchar_t text[kChars] = {};
    if (!block.Write(0, &item, sizeof(item))) break;
    ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(block.At(0)));
    if (!block.Read(sizeof(LVITEMW), text, sizeof(text) - sizeof(wchar_t))) break;
    rows.emplace_back(text);
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

}  // namespace test

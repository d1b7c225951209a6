#include "tasks/WindowAppList.h"

#include <array>

#include "suite/NameCompare.h"

namespace tasks {
namespace {

// The messages of the two controls, which do the same under other numbers.
struct ListMessages {
  UINT count, reset, add, insert, textLength, text;
};
constexpr ListMessages kListBox{LB_GETCOUNT,     LB_RESETCONTENT, LB_ADDSTRING,
                                LB_INSERTSTRING, LB_GETTEXTLEN,   LB_GETTEXT};
constexpr ListMessages kComboBox{CB_GETCOUNT,     CB_RESETCONTENT, CB_ADDSTRING,
                                 CB_INSERTSTRING, CB_GETLBTEXTLEN, CB_GETLBTEXT};

bool IsComboBox(HWND control) {
  std::array<wchar_t, 64> name{};
  const int length = ::GetClassNameW(control, name.data(), static_cast<int>(name.size()));
  return length > 0 &&
         suite::SameName(std::wstring_view(name.data(), static_cast<size_t>(length)), L"ComboBox");
}

}  // namespace

WindowAppList::WindowAppList(HWND control) : control_(control), comboBox_(IsComboBox(control)) {}

int WindowAppList::Count() const {
  const LRESULT count = ::SendMessageW(control_, (comboBox_ ? kComboBox : kListBox).count, 0, 0);
  return count < 0 ? 0 : static_cast<int>(count);
}

void WindowAppList::Clear() {
  ::SendMessageW(control_, (comboBox_ ? kComboBox : kListBox).reset, 0, 0);
}

void WindowAppList::Append(const std::wstring& text) {
  ::SendMessageW(control_, (comboBox_ ? kComboBox : kListBox).add, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void WindowAppList::InsertAt(int index, const std::wstring& text) {
  ::SendMessageW(control_, (comboBox_ ? kComboBox : kListBox).insert, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring WindowAppList::Text(int index) const {
  if (index < 0 || index >= Count()) return {};
  const ListMessages& messages = comboBox_ ? kComboBox : kListBox;
  const LRESULT length = ::SendMessageW(control_, messages.textLength, static_cast<WPARAM>(index), 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT copied = ::SendMessageW(control_, messages.text, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied < 0 ? 0 : static_cast<size_t>(copied));
  return text;
}

}  // namespace tasks

#include "tasks/DroppedFile.h"

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <array>

#include "StringIds.h"
#include "menu/TaskTable.h"
#include "suite/AppId.h"
#include "win/Resources.h"

namespace tasks {
namespace {

constexpr std::size_t kDropKindCount = static_cast<std::size_t>(
    std::ranges::count_if(ui::Tasks(), [](const ui::TaskRow& task) { return task.drop.kindId != 0; }));

// The tasks that take dropped files, in the order of their kinds in the message.
constexpr std::array<DropKind, kDropKindCount> MakeDropKinds() {
  std::array<DropKind, kDropKindCount> kinds{};
  for (const ui::TaskRow& task : ui::Tasks())
    if (task.drop.kindId != 0)
      kinds.at(static_cast<std::size_t>(task.drop.position)) = {task.taskCode, task.drop.kindId};
  return kinds;
}

constexpr std::array kDropKinds = MakeDropKinds();

// After the last dot of the file name; a dot in a folder name does not count.
std::wstring_view ExtensionOf(std::wstring_view path) noexcept {
  const size_t nameStart = path.find_last_of(L"\\/");
  const std::wstring_view name = nameStart == std::wstring_view::npos ? path : path.substr(nameStart + 1);
  const size_t dot = name.rfind(L'.');
  return dot == std::wstring_view::npos ? std::wstring_view{} : name.substr(dot + 1);
}

// Extensions are plain ASCII, so only A-Z fold.
bool SameExtension(std::wstring_view given, std::wstring_view lowerCase) noexcept {
  return std::ranges::equal(given, lowerCase, [](wchar_t a, wchar_t b) {
    return (a >= L'A' && a <= L'Z' ? a - L'A' + L'a' : a) == b;
  });
}

// The task that takes files with this extension, or nullptr.
const ui::TaskRow* TaskOfExtension(std::wstring_view extension) {
  if (extension.empty()) return nullptr;
  for (const ui::TaskRow& task : ui::Tasks())
    for (std::wstring_view known : suite::SplitAppIds(docs::ExtensionsOf(task.drop.documents)))
      if (SameExtension(extension, known)) return &task;
  return nullptr;
}

}  // namespace

bool HasExtension(std::wstring_view path, std::wstring_view lowerCase) noexcept {
  return SameExtension(ExtensionOf(path), lowerCase);
}

std::optional<std::wstring> FileUrlOfPath(std::wstring_view path) {
  const std::wstring source(path);  // the call wants it NUL-terminated
  std::wstring url(source.size() + 16, L'\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    DWORD size = static_cast<DWORD>(url.size());
    const HRESULT result = ::UrlCreateFromPathW(source.c_str(), url.data(), &size, 0);
    if (SUCCEEDED(result)) {
      url.resize(size);
      return url;
    }
    // Too small: `size` now holds what the URL needs, with its NUL.
    if (result != E_POINTER || size <= url.size()) break;
    url.resize(size);
  }
  return std::nullopt;
}

std::optional<DroppedDocument> DocumentOfDroppedFile(std::wstring_view path) {
  const ui::TaskRow* task = TaskOfExtension(ExtensionOf(path));
  if (!task) return std::nullopt;
  if (!task->takesAddress) return DroppedDocument{task->taskCode, std::wstring(path)};
  std::optional<std::wstring> url = FileUrlOfPath(path);
  if (!url) return std::nullopt;
  return DroppedDocument{task->taskCode, std::move(*url)};
}

std::span<const DropKind> DropKinds() noexcept {
  return kDropKinds;
}

std::wstring DropKindsText(const std::function<bool(int taskCode)>& offered) {
  std::wstring text;
  for (const DropKind& kind : kDropKinds) {
    if (!offered(kind.taskCode)) continue;
    if (!text.empty()) text += L'\n';
    text += win::LoadString(kind.kindStringId);
  }
  return text;
}

}  // namespace tasks

// What a file dropped onto the main window means: the task that opens it and what goes into the
// task's document field, by the file's extension. The window itself only hands over the path.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tasks {

// The task a dropped file opens, and what goes into its document field.
struct DroppedDocument {
  int taskCode = 0;
  std::wstring document;
};

// A task that accepts dropped files and the string that names its kinds of files.
struct DropKind {
  int taskCode = 0;
  unsigned kindStringId = 0;
};

// Whether the file name of `path` ends in "." and `lowerCase`, ignoring the case of A-Z.
[[nodiscard]] bool HasExtension(std::wstring_view path, std::wstring_view lowerCase) noexcept;

// Empty when no task translates this kind of file. A web page goes in as its file URL; every
// other document as the path given.
[[nodiscard]] std::optional<DroppedDocument> DocumentOfDroppedFile(std::wstring_view path);

// "file:///C:/folder/page.html" for a path, escaped as the shell escapes it; empty when the shell
// makes no URL of it.
[[nodiscard]] std::optional<std::wstring> FileUrlOfPath(std::wstring_view path);

// The tasks that accept dropped files, in the order the "kinds" message lists them.
[[nodiscard]] std::span<const DropKind> DropKinds() noexcept;

// The kind strings of the tasks `offered` accepts, one a line, in DropKinds() order.
[[nodiscard]] std::wstring DropKindsText(const std::function<bool(int taskCode)>& offered);

}  // namespace tasks

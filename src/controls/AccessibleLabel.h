// How a field without a caption of its own (a combo box, an edit) is named for screen readers: by
// the label before it: the STATIC window right before it among its siblings (hidden ones skipped),
// as dialogs lay a label out right before its field.
#pragma once

#include <windows.h>

#include <string>

namespace ui::skin {

// The text of the label before `field`, with its access-key mark; empty for none.
[[nodiscard]] std::wstring LabelBefore(HWND field);
// "Alt+L" for a caption that marks L as its access key ("&Language"), empty for none.
[[nodiscard]] std::wstring AccessKeyShortcut(const std::wstring& caption);

}  // namespace ui::skin

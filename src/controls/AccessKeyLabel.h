// The label of a field: a static text that carries the field's access key ("&x"), from which the
// dialog manager moves the focus to the control that follows the label. Some systems' static
// control underlines the key at all times; a label made so draws as the static does, with the
// underline only while the window shows access keys, and repaints when that changes.
#pragma once

#include <windows.h>

namespace ui {

// Makes the text static `label` (SS_LEFT, without SS_NOPREFIX) draw so; false when it could not.
bool DrawAsAccessKeyLabel(HWND label) noexcept;

// Puts `label` right before `field` in the order the dialog manager walks (the z-order), so that
// its access key reaches the field.
void PutLabelBefore(HWND label, HWND field) noexcept;

}  // namespace ui

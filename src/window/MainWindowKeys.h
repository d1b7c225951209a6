// The keys the main window swallows before dialog processing: it has no keyboard navigation, so
// Enter and Escape never close it and Tab and Space move nothing.
#pragma once

#include <windows.h>

namespace ui {

// True for a key that is swallowed; a blank typed into a text field is text and passes.
[[nodiscard]] bool IsNavigationKey(const MSG& message);

}  // namespace ui

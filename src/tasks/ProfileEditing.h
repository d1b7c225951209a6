// Editing translation profiles in the kernel's own profile editor. While it is open the Running key
// holds the "TMD" record, so that suite programs the editor starts work with the same kernel.
#pragma once

#include <windows.h>

namespace app {
class KernelConnection;
}
namespace suite {
struct KernelLocation;
}

namespace tasks {

// Opens the editor modally over `owner` for the kernel's direction at `directionIndex`, then tells
// every running suite program to reload profiles. The record is removed again whatever the editor
// did; a kernel that fails before its editor opens is answered with a beep.
void EditProfiles(const app::KernelConnection& kernel, const suite::KernelLocation& location, int directionIndex,
                  HWND owner);

}  // namespace tasks

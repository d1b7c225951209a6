// The server process: its objects, how long since the last call, and the windows its objects work
// for. The process ends when its last object is gone, when every owner window it was given has gone
// (the client ended without releasing), or when no call came for the idle limit.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

namespace websvc {

void ObjectCreated() noexcept;
void ObjectDestroyed() noexcept;
// Each incoming call counts as activity.
void CallArrived() noexcept;
void OwnerWindowGiven(HWND window) noexcept;

// The process's own path and its type library's description of the component's interface.
[[nodiscard]] std::wstring ProgramPath();
[[nodiscard]] ITypeInfo* InterfaceTypeInfo() noexcept;

// "<process id>.<object number>": which object a journal line is about.
[[nodiscard]] std::wstring NextObjectName();

}  // namespace websvc

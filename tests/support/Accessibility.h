// An accessibility client of our own, as a screen reader is one: it reads another process's windows
// through oleacc (AccessibleObjectFromWindow, AccessibleChildren), walks their tree, acts on what it
// finds (default action, selection, value) and records the WinEvents the program raises.
#pragma once

#include <windows.h>

#include <oleacc.h>
#include <wrl/client.h>

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace test {

using Microsoft::WRL::ComPtr;

// One element of the tree: an object, and an item of it (CHILDID_SELF for the object itself).
struct AccElement {
  ComPtr<IAccessible> object;
  long child = CHILDID_SELF;
};

// What the client reads about an element.
struct AccNode {
  AccElement element;
  int depth = 0;
  std::wstring name, description, value, defaultAction, shortcut;
  long role = 0;  // 0 when none was given
  long state = 0;
  // The window that the element's object stands for.
  HWND window = nullptr;
};

// The client object of `window` (OBJID_CLIENT), as a screen reader gets it; null on failure (the
// result goes to `result` when given).
[[nodiscard]] ComPtr<IAccessible> AccessibleOf(HWND window, HRESULT* result = nullptr);

// Reads one element.
[[nodiscard]] AccNode Describe(const AccElement& element, int depth = 0);
// The children of an element (its items, and the objects of its child windows).
[[nodiscard]] std::vector<AccElement> ChildrenOf(const AccElement& element);
// Every element below `root` and itself, depth first, in the order the children are given. Stops at
// `maxDepth` levels.
[[nodiscard]] std::vector<AccNode> Walk(const AccElement& root, int maxDepth = 16);
// The first node of `nodes` with `role` and `name` (any name when empty); null when none.
[[nodiscard]] const AccNode* Find(const std::vector<AccNode>& nodes, long role,
                                  const std::wstring& name = {});
// Such a node that shows (not STATE_SYSTEM_INVISIBLE), found by walking `root` anew.
[[nodiscard]] AccNode FindShown(const AccElement& root, long role, const std::wstring& name);

[[nodiscard]] bool Shows(const AccNode& node);
// "push button", "list item"...: the role's name as the system gives it.
[[nodiscard]] std::wstring RoleText(long role);
// A line for test messages: role, name and window of a node.
[[nodiscard]] std::wstring Line(const AccNode& node);

HRESULT DoDefaultAction(const AccElement& element);
HRESULT Select(const AccElement& element, long flags);
HRESULT SetValue(const AccElement& element, const std::wstring& value);

// WinEvents of one process, recorded out of context: this thread must pump messages for them to come,
// which WaitFor does.
class WinEventRecorder {
 public:
  struct Event {
    DWORD event = 0;
    HWND window = nullptr;
    LONG object = 0;
    LONG child = 0;
  };

  WinEventRecorder(DWORD processId, DWORD eventMin, DWORD eventMax);
  ~WinEventRecorder();
  WinEventRecorder(const WinEventRecorder&) = delete;
  WinEventRecorder& operator=(const WinEventRecorder&) = delete;

  [[nodiscard]] bool Hooked() const noexcept { return hook_ != nullptr; }
  // Waits (pumping messages) until an event that `match` accepts has been recorded, at most `timeout`.
  bool WaitFor(const std::function<bool(const Event&)>& match, std::chrono::milliseconds timeout);
  [[nodiscard]] const std::vector<Event>& Events() const noexcept { return events_; }
  void Clear() { events_.clear(); }

 private:
  static void CALLBACK Callback(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child,
                                DWORD thread, DWORD time);

  HWINEVENTHOOK hook_ = nullptr;
  std::vector<Event> events_;
  static std::map<HWINEVENTHOOK, WinEventRecorder*>& Recorders();
};

// The element an event names (AccessibleObjectFromEvent); object null on failure.
[[nodiscard]] AccElement ElementOf(const WinEventRecorder::Event& event);

}  // namespace test

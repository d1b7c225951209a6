#include "support/Accessibility.h"

#include <oleauto.h>

#include <utility>

#include "support/Driver.h"

namespace test {
namespace {

VARIANT ChildVariant(long child) {
  VARIANT v;
  ::VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = child;
  return v;
}

// A BSTR answer as text; empty for none.
std::wstring TakeText(HRESULT hr, BSTR text) {
  std::wstring result;
  if (SUCCEEDED(hr) && text) result.assign(text, ::SysStringLen(text));
  ::SysFreeString(text);
  return result;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  return window ? std::wstring(name, static_cast<size_t>(::GetClassNameW(window, name, 256)))
                : std::wstring();
}

long TakeLong(HRESULT hr, VARIANT& v) {
  long result = 0;
  if (SUCCEEDED(hr) && v.vt == VT_I4) result = v.lVal;
  ::VariantClear(&v);
  return result;
}

}  // namespace

ComPtr<IAccessible> AccessibleOf(HWND window, HRESULT* result) {
  ComPtr<IAccessible> object;
  const HRESULT hr =
      ::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                   reinterpret_cast<void**>(object.GetAddressOf()));
  if (result) *result = hr;
  if (FAILED(hr)) object.Reset();
  return object;
}

AccNode Describe(const AccElement& element, int depth) {
  AccNode node;
  node.element = element;
  node.depth = depth;
  IAccessible* object = element.object.Get();
  if (object == nullptr) return node;
  const VARIANT child = ChildVariant(element.child);
  using Getter = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);
  const auto read = [&](Getter getter) {
    BSTR text = nullptr;
    const HRESULT hr = (object->*getter)(child, &text);
    return TakeText(hr, text);
  };
  node.name = read(&IAccessible::get_accName);
  node.description = read(&IAccessible::get_accDescription);
  node.value = read(&IAccessible::get_accValue);
  node.defaultAction = read(&IAccessible::get_accDefaultAction);
  node.shortcut = read(&IAccessible::get_accKeyboardShortcut);
  VARIANT v;
  ::VariantInit(&v);
  HRESULT hr = object->get_accRole(child, &v);
  node.role = TakeLong(hr, v);
  ::VariantInit(&v);
  hr = object->get_accState(child, &v);
  node.state = TakeLong(hr, v);
  ::WindowFromAccessibleObject(object, &node.window);
  return node;
}

std::vector<AccElement> ChildrenOf(const AccElement& element) {
  std::vector<AccElement> children;
  if (element.object == nullptr || element.child != CHILDID_SELF) return children;  // items have none
  long count = 0;
  if (FAILED(element.object->get_accChildCount(&count)) || count <= 0) return children;
  std::vector<VARIANT> got(static_cast<size_t>(count));
  long obtained = 0;
  if (FAILED(::AccessibleChildren(element.object.Get(), 0, count, got.data(), &obtained))) return children;
  for (long i = 0; i < obtained; ++i) {
    VARIANT& v = got[static_cast<size_t>(i)];
    if (v.vt == VT_DISPATCH && v.pdispVal) {
      AccElement child;
      if (SUCCEEDED(v.pdispVal->QueryInterface(__uuidof(IAccessible),
                                               reinterpret_cast<void**>(child.object.GetAddressOf()))))
        children.push_back(std::move(child));
    } else if (v.vt == VT_I4) {
      children.push_back(AccElement{element.object, v.lVal});
    }
    ::VariantClear(&v);
  }
  return children;
}

std::vector<AccNode> Walk(const AccElement& root, int maxDepth) {
  std::vector<AccNode> nodes;
  std::function<void(const AccElement&, int)> visit = [&](const AccElement& element, int depth) {
    nodes.push_back(Describe(element, depth));
    if (depth >= maxDepth) return;
    for (const AccElement& child : ChildrenOf(element)) visit(child, depth + 1);
  };
  visit(root, 0);
  return nodes;
}

const AccNode* Find(const std::vector<AccNode>& nodes, long role, const std::wstring& name) {
  for (const AccNode& node : nodes)
    if (node.role == role && (name.empty() || node.name == name)) return &node;
  return nullptr;
}

AccNode FindShown(const AccElement& root, long role, const std::wstring& name) {
  for (const AccNode& node : Walk(root))
    if (node.role == role && node.name == name && Shows(node)) return node;
  return {};
}

bool Shows(const AccNode& node) {
  return (node.state & STATE_SYSTEM_INVISIBLE) == 0;
}

std::wstring RoleText(long role) {
  wchar_t text[128] = {};
  const UINT length = ::GetRoleTextW(static_cast<DWORD>(role), text, 128);
  return length ? std::wstring(text, length) : L"role " + std::to_wstring(role);
}

std::wstring Line(const AccNode& node) {
  wchar_t window[32] = {};
  swprintf(window, 32, L"%p", static_cast<void*>(node.window));
  return std::wstring(static_cast<size_t>(node.depth) * 2, L' ') + L"[" + RoleText(node.role) + L"] \"" +
         node.name + L"\" child " + std::to_wstring(node.element.child) + L" window " + window + L" class " +
         ClassOf(node.window) + L" state 0x" + [&] {
           wchar_t bits[16] = {};
           swprintf(bits, 16, L"%lx", static_cast<unsigned long>(node.state));
           return std::wstring(bits);
         }();
}

HRESULT DoDefaultAction(const AccElement& element) {
  if (element.object == nullptr) return E_POINTER;
  return element.object->accDoDefaultAction(ChildVariant(element.child));
}

HRESULT Select(const AccElement& element, long flags) {
  if (element.object == nullptr) return E_POINTER;
  return element.object->accSelect(flags, ChildVariant(element.child));
}

HRESULT SetValue(const AccElement& element, const std::wstring& value) {
  if (element.object == nullptr) return E_POINTER;
  BSTR text = ::SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
  const HRESULT hr = element.object->put_accValue(ChildVariant(element.child), text);
  ::SysFreeString(text);
  return hr;
}

std::map<HWINEVENTHOOK, WinEventRecorder*>& WinEventRecorder::Recorders() {
  static std::map<HWINEVENTHOOK, WinEventRecorder*> recorders;
  return recorders;
}

WinEventRecorder::WinEventRecorder(DWORD processId, DWORD eventMin, DWORD eventMax) {
  hook_ = ::SetWinEventHook(eventMin, eventMax, nullptr, &WinEventRecorder::Callback, processId, 0,
                            WINEVENT_OUTOFCONTEXT);
  if (hook_) Recorders()[hook_] = this;
}

WinEventRecorder::~WinEventRecorder() {
  if (hook_ == nullptr) return;
  ::UnhookWinEvent(hook_);
  Recorders().erase(hook_);
}

void CALLBACK WinEventRecorder::Callback(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                         LONG child, DWORD, DWORD) {
  const auto found = Recorders().find(hook);
  if (found != Recorders().end()) found->second->events_.push_back(Event{event, window, object, child});
}

bool WinEventRecorder::WaitFor(const std::function<bool(const Event&)>& match,
                               std::chrono::milliseconds timeout) {
  return WaitUntil(
      [&] {
        for (const Event& event : events_)
          if (match(event)) return true;
        return false;
      },
      timeout);
}

AccElement ElementOf(const WinEventRecorder::Event& event) {
  AccElement element;
  IAccessible* object = nullptr;
  VARIANT child;
  ::VariantInit(&child);
  if (SUCCEEDED(::AccessibleObjectFromEvent(event.window, static_cast<DWORD>(event.object),
                                            static_cast<DWORD>(event.child), &object, &child)) &&
      object) {
    element.object.Attach(object);
    element.child = child.vt == VT_I4 ? child.lVal : CHILDID_SELF;
  }
  ::VariantClear(&child);
  return element;
}

}  // namespace test

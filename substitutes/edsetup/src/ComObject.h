// The IUnknown every object of the DLL shares: a QISearch table of the derived class, an atomic
// reference count and the DLL's object count.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <shlwapi.h>
#include <wrl/client.h>

#include <atomic>
#include <new>
#include <utility>

#include "Module.h"

namespace edsetup {

using Microsoft::WRL::ComPtr;

// One row of a QISearch table: interface I of class C. The cast fits OFFSETOFCLASS's DWORD to the
// row's offset field, which one set of Windows headers declares as int and another as DWORD.
template <class C, class I>
QITAB InterfaceRow() {
  return {&__uuidof(I), static_cast<decltype(QITAB::dwOffset)>(OFFSETOFCLASS(I, C))};
}

template <class Derived, class Interface>
class ComObject : public Interface {
 public:
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) noexcept override {
    if (!ppv) return E_POINTER;
    return ::QISearch(static_cast<Derived*>(this), Derived::Table(), riid, ppv);
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() noexcept override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  ComObject() noexcept { ObjectCreated(); }
  virtual ~ComObject() { ObjectDestroyed(); }

 private:
  std::atomic<ULONG> refs_{1};
};

// Creates a T with one reference and hands out the interface `riid`. No exception leaves: a failed
// allocation or a throwing constructor is E_OUTOFMEMORY.
template <class T, class... Args>
[[nodiscard]] HRESULT MakeObjectAs(REFIID riid, void** ppv, Args&&... args) noexcept {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  T* object = nullptr;
  try {
    object = new (std::nothrow) T(std::forward<Args>(args)...);
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  if (!object) return E_OUTOFMEMORY;
  const HRESULT hr = object->QueryInterface(riid, ppv);
  object->Release();  // the caller's reference, if any, keeps it
  return hr;
}

// Runs the body of a COM method; an exception becomes an HRESULT instead of crossing the boundary.
template <class Body>
[[nodiscard]] HRESULT Guarded(Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace edsetup

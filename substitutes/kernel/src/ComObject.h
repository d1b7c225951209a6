// The IUnknown every kernel object shares: a QISearch table of the derived class, an atomic
// reference count, the DLL's object count, and the aggregated free-threaded marshaler, so that an
// interface marshalled to another apartment arrives as the object itself.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <shlwapi.h>
#include <wrl/client.h>

#include <atomic>
#include <new>
#include <utility>

#include "Module.h"

namespace vanto {

using Microsoft::WRL::ComPtr;

// One row of a QISearch table: interface I of class C. The cast fits OFFSETOFCLASS's DWORD to the
// row's offset field, which one set of Windows headers declares as int and another as DWORD.
template <class C, class I>
QITAB InterfaceRow() {
  return {&__uuidof(I), static_cast<decltype(QITAB::dwOffset)>(OFFSETOFCLASS(I, C))};
}

template <class Derived, class First, class... Rest>
class ComObject : public First, public Rest... {
 public:
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) noexcept override {
    if (!ppv) return E_POINTER;
    const HRESULT hr = ::QISearch(static_cast<Derived*>(this), Derived::Table(), riid, ppv);
    if (hr == E_NOINTERFACE && marshaler_ && riid == IID_IMarshal)
      return marshaler_->QueryInterface(riid, ppv);
    return hr;
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() noexcept override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  // Called once by MakeObject, while the object is still the caller's alone.
  [[nodiscard]] HRESULT AggregateMarshaler() noexcept {
    return ::CoCreateFreeThreadedMarshaler(static_cast<First*>(this), &marshaler_);
  }

 protected:
  ComObject() noexcept { ObjectCreated(); }
  virtual ~ComObject() { ObjectDestroyed(); }

 private:
  std::atomic<ULONG> refs_{1};
  ComPtr<IUnknown> marshaler_;
};

// Creates a T with one reference, owned by *out. No exception leaves: a failed allocation or a
// throwing constructor is E_OUTOFMEMORY.
template <class T, class I, class... Args>
[[nodiscard]] HRESULT MakeObject(I** out, Args&&... args) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  try {
    T* object = new (std::nothrow) T(std::forward<Args>(args)...);
    if (!object) return E_OUTOFMEMORY;
    const HRESULT hr = object->AggregateMarshaler();
    if (FAILED(hr)) {
      object->Release();
      return hr;
    }
    *out = static_cast<I*>(object);
    return S_OK;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

// The same for a caller that asks by IID (class factories).
template <class T, class I>
[[nodiscard]] HRESULT MakeObjectAs(REFIID riid, void** ppv) noexcept {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  ComPtr<I> object;
  const HRESULT hr = MakeObject<T>(object.GetAddressOf());
  return FAILED(hr) ? hr : object->QueryInterface(riid, ppv);
}

}  // namespace vanto

namespace vanto {

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

}  // namespace vanto

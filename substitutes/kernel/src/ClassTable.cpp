#include "ClassTable.h"

#include "ComObject.h"
#include "Objects.h"

namespace vanto {
namespace {

constexpr ClassRow kClasses[] = {
    {&CLSID_VantoMessages, L"VANTO Kernel Message Component", &CreateMessages},
    {&CLSID_VantoNetworkKernel, L"VANTO Network Kernel", &CreateNetworkKernel},
    {&CLSID_VantoLocalKernel, L"1", &CreateLocalKernel},
    {&CLSID_VantoText, L"VANTO Text Object", &CreateText},
};

class ClassFactory final : public ComObject<ClassFactory, IClassFactory> {
 public:
  explicit ClassFactory(const ClassRow& row) noexcept : row_(row) {}
  static const QITAB* Table() noexcept {
    static const QITAB table[] = {InterfaceRow<ClassFactory, IClassFactory>(), {}};
    return table;
  }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) noexcept override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return row_.create(riid, ppv);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) noexcept override {
    LockModule(lock != FALSE);
    return S_OK;
  }

 private:
  const ClassRow& row_;
};

}  // namespace

std::span<const ClassRow> Classes() noexcept {
  return kClasses;
}

HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** ppv) noexcept {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  for (const ClassRow& row : kClasses) {
    if (*row.clsid != clsid) continue;
    ComPtr<IClassFactory> factory;
    const HRESULT hr = MakeObject<ClassFactory>(factory.GetAddressOf(), row);
    return FAILED(hr) ? hr : factory->QueryInterface(riid, ppv);
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

}  // namespace vanto

#include "ClassFactory.h"

#include "ComObject.h"
#include "vanto/EdSetup.h"

namespace edsetup {
namespace {

class ClassFactory final : public ComObject<ClassFactory, IClassFactory> {
 public:
  static const QITAB* Table() noexcept {
    static const QITAB table[] = {InterfaceRow<ClassFactory, IClassFactory>(), {}};
    return table;
  }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) noexcept override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return CreateInstaller(riid, ppv);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) noexcept override {
    LockModule(lock != FALSE);
    return S_OK;
  }
};

}  // namespace

HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** ppv) noexcept {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (clsid != CLSID_VantoEdSetup) return CLASS_E_CLASSNOTAVAILABLE;
  return MakeObjectAs<ClassFactory>(riid, ppv);
}

}  // namespace edsetup

#include "updates/UpdateEventHandler.h"

#include <new>
#include <string>

#include "core/Variant.h"
#include "vanto/VantoWebService.h"

namespace updates {
namespace {

std::wstring TextOf(const app::Variant& text) {
  const BSTR value = V_BSTR(&text.value());
  return value ? std::wstring(value, ::SysStringLen(value)) : std::wstring();
}

}  // namespace

HRESULT CUpdateEventHandler::QueryInterface(REFIID riid, void** ppv) noexcept {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (riid != IID_IUnknown && riid != IID_IDispatch && riid != DIID_DVantoWebServiceEvents)
    return E_NOINTERFACE;
  *ppv = static_cast<IDispatch*>(this);
  AddRef();
  return S_OK;
}

ULONG CUpdateEventHandler::Release() noexcept {
  const ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

HRESULT CUpdateEventHandler::GetTypeInfoCount(UINT* count) noexcept {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT CUpdateEventHandler::GetTypeInfo(UINT, LCID, ITypeInfo** info) noexcept {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT CUpdateEventHandler::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept {
  return E_NOTIMPL;
}

HRESULT CUpdateEventHandler::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                    UINT* badArgument) noexcept {
  const UINT count = params ? params->cArgs : 0;
  switch (id) {
    case kUpdateInstalled: {
      if (count != 2 || !params->rgvarg) return DISP_E_BADPARAMCOUNT;
      // The arguments arrive last first: the date, then the number.
      app::Variant number;
      app::Variant date;
      const bool numberOk = number.ChangeTypeFrom(params->rgvarg[1], VT_BSTR);
      const bool dateOk = numberOk && date.ChangeTypeFrom(params->rgvarg[0], VT_BSTR);
      if (!numberOk || !dateOk) {
        if (badArgument) *badArgument = numberOk ? 0 : 1;
        return DISP_E_TYPEMISMATCH;
      }
      HRESULT hr = S_OK;
      try {
        std::wstring numberText = TextOf(number);
        std::wstring dateText = TextOf(date);
        info_->Update([&](ServiceValues& values) {
          values.updateNumber = std::move(numberText);
          values.updateDate = std::move(dateText);
        });
      } catch (const std::bad_alloc&) {
        hr = E_OUTOFMEMORY;
      }
      return hr;
    }
    case kInstalling: {
      if (count != 1 || !params->rgvarg) return DISP_E_BADPARAMCOUNT;
      app::Variant value;
      if (!value.ChangeTypeFrom(params->rgvarg[0], VT_I4)) {
        if (badArgument) *badArgument = 0;
        return DISP_E_TYPEMISMATCH;
      }
      info_->SetInstalling(V_I4(&value.value()) == 1);
      return S_OK;
    }
    default:
      // Progress and anything newer: nothing to do.
      return S_OK;
  }
}

}  // namespace updates

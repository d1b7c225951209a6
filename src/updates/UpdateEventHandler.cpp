#include "updates/UpdateEventHandler.h"

#include <new>
#include <string>

#include "vanto/VantoWebService.h"

namespace updates {
namespace {

// One argument converted to `type`; false when it does not convert.
bool Convert(const VARIANT& argument, VARTYPE type, VARIANT& out) noexcept {
  ::VariantInit(&out);
  return SUCCEEDED(::VariantChangeType(&out, const_cast<VARIANT*>(&argument), 0, type));
}

std::wstring TextOf(const VARIANT& text) {
  return text.bstrVal ? std::wstring(text.bstrVal, ::SysStringLen(text.bstrVal)) : std::wstring();
}

}  // namespace

HRESULT CUpdateEventHandler::QueryInterface(REFIID riid, void** ppv) noexcept {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (riid != IID_IUnknown && riid != IID_IDispatch && riid != DIID_DVantoWebServiceEvents) return E_NOINTERFACE;
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

HRESULT CUpdateEventHandler::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept { return E_NOTIMPL; }

HRESULT CUpdateEventHandler::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                    UINT* badArgument) noexcept {
  const UINT count = params ? params->cArgs : 0;
  switch (id) {
    case kUpdateInstalled: {
      if (count != 2 || !params->rgvarg) return DISP_E_BADPARAMCOUNT;
      // The arguments arrive last first: the date, then the number.
      VARIANT number;
      VARIANT date;
      const bool numberOk = Convert(params->rgvarg[1], VT_BSTR, number);
      const bool dateOk = numberOk && Convert(params->rgvarg[0], VT_BSTR, date);
      if (!numberOk || !dateOk) {
        if (numberOk) ::VariantClear(&number);
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
      ::VariantClear(&number);
      ::VariantClear(&date);
      return hr;
    }
    case kInstalling: {
      if (count != 1 || !params->rgvarg) return DISP_E_BADPARAMCOUNT;
      VARIANT value;
      if (!Convert(params->rgvarg[0], VT_I4, value)) {
        if (badArgument) *badArgument = 0;
        return DISP_E_TYPEMISMATCH;
      }
      info_->SetInstalling(value.lVal == 1);
      return S_OK;
    }
    default:
      // Progress and anything newer: nothing to do.
      return S_OK;
  }
}

}  // namespace updates

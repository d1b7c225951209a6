// CUpdateEventHandler: receives the web-service component's events on the exchange thread's
// apartment and stores what they report in the service record.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <atomic>
#include <memory>

#include "updates/ServiceInfo.h"

namespace updates {

class CUpdateEventHandler final : public IDispatch {
 public:
  // The events' numbers.
  static constexpr DISPID kProgress = 46501;
  static constexpr DISPID kUpdateInstalled = 46502;
  static constexpr DISPID kInstalling = 46503;

  explicit CUpdateEventHandler(std::shared_ptr<ServiceInfo> info) noexcept : info_(std::move(info)) {}
  CUpdateEventHandler(const CUpdateEventHandler&) = delete;
  CUpdateEventHandler& operator=(const CUpdateEventHandler&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() noexcept override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) noexcept override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept override;
  // 46502 takes two texts, 46503 one number; arguments of another count or of a type that does not
  // convert are refused and change nothing. Other events succeed without effect.
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                   UINT* badArgument) noexcept override;

 private:
  ~CUpdateEventHandler() = default;

  std::atomic<ULONG> refs_{1};
  std::shared_ptr<ServiceInfo> info_;
};

}  // namespace updates

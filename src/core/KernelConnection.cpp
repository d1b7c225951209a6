#include "core/KernelConnection.h"

#include "core/Bstr.h"
#include "core/ComError.h"
#include "core/KernelWatch.h"

namespace app {

using Microsoft::WRL::ComPtr;

HRESULT KernelConnection::Connect(std::wstring_view clientName, std::wstring_view loginName,
                                  std::wstring_view productName) {
  // The message component learns the product's name through StartSession; the watch shows it as
  // its message's caption.
  KernelWatch watch{std::wstring(productName)};
  Disconnect();
  loginName_ = loginName;
  HRESULT hr =
      ::CoCreateInstance(CLSID_VantoMessages, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&messages_));
  if (FAILED(hr)) {
    couldNotLoad_ = true;
    return hr;
  }
  hr = messages_->Setup(3, 0);
  if (FAILED(hr)) return hr;

  const Bstr client(clientName);
  ComPtr<IVantoNetworkKernel> network;
  if (SUCCEEDED(::CoCreateInstance(CLSID_VantoNetworkKernel, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(&network)))) {
    // A network client works with its server's kernel or not at all: the local kernel of a client
    // has none of the server's dictionaries and settings.
    Bstr server;
    VARIANT_BOOL isLocal = VARIANT_TRUE;
    hr = network->Connect(client.get(), &kernel_, server.put(), &isLocal);
    if (SUCCEEDED(hr) && !kernel_) hr = E_POINTER;
    if (SUCCEEDED(hr)) {
      network_ = std::move(network);
      serverName_ = server.str();
      local_ = isLocal != VARIANT_FALSE;
    } else {
      kernel_.Reset();
    }
  } else {
    ComPtr<IVantoLocalKernel> localKernel;
    hr =
        ::CoCreateInstance(CLSID_VantoLocalKernel, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&localKernel));
    couldNotLoad_ = FAILED(hr);
    if (SUCCEEDED(hr)) hr = localKernel->Initialize(client.get());
    if (SUCCEEDED(hr)) hr = localKernel.As(&kernel_);
    local_ = true;
    serverName_.clear();
  }

  VARIANT_BOOL accepted = VARIANT_FALSE;
  const Bstr server(serverName_);
  const HRESULT told =
      messages_->ReportConnection(kernel_ ? VARIANT_TRUE : VARIANT_FALSE, server.get(), &accepted);
  if (FAILED(told) || accepted == VARIANT_FALSE) kernel_.Reset();
  if (!kernel_) return FAILED(hr) ? hr : (FAILED(told) ? told : E_ABORT);
  return S_OK;
}

void KernelConnection::StartSession(std::wstring_view productName) {
  if (!messages_) return;
  const Bstr product(productName);
  messages_->Start(product.get());
}

void KernelConnection::EndStartUp() {
  if (messages_) messages_->Finish();
}

std::wstring KernelConnection::ServerName() const {
  if (!network_) return serverName_;
  Bstr name;
  if (SUCCEEDED(network_->GetServerName(name.put()))) {
    std::wstring now = name.str();
    if (!now.empty()) serverName_ = std::move(now);
  }
  return serverName_;
}

std::vector<TranslationDirection> KernelConnection::Directions() const {
  std::vector<TranslationDirection> directions;
  if (!kernel_) return directions;
  RunKernelOperation(L"KernelConnection", __LINE__, L"Listing the translation directions", [&] {
    ComPtr<IVantoDirections> list;
    ThrowIfFailed(kernel_->GetDirections(&list));
    LONG count = 0;
    ThrowIfFailed(ThrowIfNull(list.Get())->GetCount(&count));
    for (LONG i = 0; i < count; ++i) {
      LONG id = 0;
      Bstr name;
      ThrowIfFailed(list->GetItem(i, &id, name.put()));
      directions.push_back({static_cast<int>(id), name.str()});
    }
  });
  return directions;
}

void KernelConnection::ShowAbout(HWND owner) const {
  if (messages_) messages_->ShowAbout(WindowArgument(owner));
}

int KernelConnection::ShowLinkMessage(HWND owner, std::wstring_view text, std::wstring_view caption,
                                      UINT flags) const {
  if (!messages_) return IDOK;
  const Bstr body(text);
  const Bstr title(caption);
  LONG result = IDOK;
  messages_->ShowMessage(WindowArgument(owner), body.get(), title.get(), static_cast<LONG>(flags), &result);
  return static_cast<int>(result);
}

void KernelConnection::ReportError(HWND owner, HRESULT code, std::wstring_view applicationName) const {
  // The error reporter lives with the network kernel; a local kernel's message component serves too.
  ComPtr<IVantoMessages> reporter;
  if (network_) network_->GetErrorReporter(&reporter);
  if (!reporter) reporter = messages_;
  if (!reporter) return;
  const Bstr application(applicationName);
  reporter->ReportError(WindowArgument(owner), static_cast<LONG>(code), application.get());
}

void KernelConnection::Disconnect() noexcept {
  if (messages_) messages_->Finish();
  kernel_.Reset();
  network_.Reset();
  messages_.Reset();
  serverName_.clear();
  local_ = true;
  couldNotLoad_ = false;
}

}  // namespace app

// The local kernel class, the kernel it becomes, and the network kernel class.
#include <mutex>

#include "ComObject.h"
#include "Config.h"
#include "KernelState.h"
#include "Objects.h"

namespace vanto {
namespace {

class Kernel final : public ComObject<Kernel, IVantoLocalKernel, IVantoKernel> {
 public:
  Kernel() noexcept = default;
  explicit Kernel(StatePtr state) noexcept : state_(std::move(state)) {}
  static const QITAB* Table() noexcept {
    static const QITAB table[] = {
        InterfaceRow<Kernel, IVantoLocalKernel>(), InterfaceRow<Kernel, IVantoKernel>(), {}};
    return table;
  }

  HRESULT STDMETHODCALLTYPE Initialize(BSTR) noexcept override {
    ConnectFault();
    return Guarded([&] {
      std::lock_guard lock(mutex_);
      if (state_) return HRESULT_FROM_WIN32(ERROR_ALREADY_INITIALIZED);
      state_ = std::make_shared<KernelState>(DataFolder());
      return S_OK;
    });
  }

  HRESULT STDMETHODCALLTYPE GetDirections(IVantoDirections** directions) noexcept override {
    if (!directions) return E_POINTER;
    *directions = nullptr;
    StatePtr state = State();
    if (!state) return CO_E_NOTINITIALIZED;
    if (const HRESULT failure = DirectionsError(); failure != S_OK) return failure;
    return MakeDirections(std::move(state), directions);
  }
  HRESULT STDMETHODCALLTYPE SetCurrentDirection(SHORT index) noexcept override {
    StatePtr state = State();
    if (!state) return CO_E_NOTINITIALIZED;
    if (!KernelState::ValidDirection(index)) return E_INVALIDARG;
    return Guarded([&] {
      state->SetCurrentDirection(index);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE GetSettings(IVantoSettings** settings) noexcept override {
    if (!settings) return E_POINTER;
    *settings = nullptr;
    StatePtr state = State();
    if (!state) return CO_E_NOTINITIALIZED;
    return Guarded([&] { return MakeSettings(state, state->CurrentDirection(), settings); });
  }
  HRESULT STDMETHODCALLTYPE CommitSettings(LONG* status) noexcept override {
    if (!status) return E_POINTER;
    *status = 0;  // the settings are live already: nothing can fail here
    return State() ? S_OK : CO_E_NOTINITIALIZED;
  }
  HRESULT STDMETHODCALLTYPE GetProfileEditor(IVantoProfileEditor** editor) noexcept override {
    if (!editor) return E_POINTER;
    *editor = nullptr;
    StatePtr state = State();
    return state ? MakeProfileEditor(std::move(state), editor) : CO_E_NOTINITIALIZED;
  }

 private:
  StatePtr State() noexcept {
    std::lock_guard lock(mutex_);
    return state_;
  }

  std::mutex mutex_;
  StatePtr state_;
};

class NetworkKernel final : public ComObject<NetworkKernel, IVantoNetworkKernel> {
 public:
  static const QITAB* Table() noexcept {
    static const QITAB table[] = {InterfaceRow<NetworkKernel, IVantoNetworkKernel>(), {}};
    return table;
  }

  HRESULT STDMETHODCALLTYPE Connect(BSTR, IVantoKernel** kernel, BSTR* serverName,
                                    VARIANT_BOOL* isLocal) noexcept override {
    if (!kernel || !serverName || !isLocal) return E_POINTER;
    *kernel = nullptr;
    *serverName = nullptr;
    *isLocal = VARIANT_TRUE;
    ConnectFault();
    return Guarded([&] {
      const std::wstring server = NetworkServer().value_or(std::wstring());
      if (server.empty()) return VANTO_E_NO_SERVER;
      ComPtr<IVantoKernel> connected;
      HRESULT hr = MakeObject<Kernel>(connected.GetAddressOf(), std::make_shared<KernelState>(DataFolder()));
      if (FAILED(hr) || FAILED(hr = ToBstr(server, serverName))) return hr;
      *kernel = connected.Detach();
      *isLocal = VARIANT_FALSE;
      return S_OK;
    });
  }

  HRESULT STDMETHODCALLTYPE GetErrorReporter(IVantoMessages** reporter) noexcept override {
    return MakeMessages(reporter);
  }

  // Read at every call: a test switches servers while its client runs.
  HRESULT STDMETHODCALLTYPE GetServerName(BSTR* serverName) noexcept override {
    if (!serverName) return E_POINTER;
    *serverName = nullptr;
    return Guarded([&] {
      const std::wstring server = NetworkServer().value_or(std::wstring());
      return server.empty() ? VANTO_E_NO_SERVER : ToBstr(server, serverName);
    });
  }
};

}  // namespace

HRESULT CreateLocalKernel(REFIID riid, void** ppv) noexcept {
  return MakeObjectAs<Kernel, IVantoLocalKernel>(riid, ppv);
}

HRESULT CreateNetworkKernel(REFIID riid, void** ppv) noexcept {
  // A machine without the network client has no network kernel to create, though the class is
  // registered here on every machine.
  bool networkClient = false;
  if (const HRESULT hr = Guarded([&] {
        networkClient = NetworkServer().has_value();
        return S_OK;
      });
      FAILED(hr))
    return hr;
  if (!networkClient) return CLASS_E_CLASSNOTAVAILABLE;
  return MakeObjectAs<NetworkKernel, IVantoNetworkKernel>(riid, ppv);
}

}  // namespace vanto

#include "updates/WebServiceThread.h"

#include <ocidl.h>
#include <wrl/client.h>

#include <memory>
#include <new>
#include <string>
#include <utility>

#include "core/Bstr.h"
#include "core/CaughtFailure.h"
#include "core/ComError.h"
#include "core/KernelConnection.h"
#include "core/PrivateMessages.h"
#include "core/SettingsStore.h"
#include "updates/UpdateEventHandler.h"
#include "vanto/VantoWebService.h"
#include "win/ComScope.h"

namespace updates {
namespace {

using Microsoft::WRL::ComPtr;

constexpr wchar_t kSourceTag[] = L"WebServiceThread";

// A failing call of the component: ends the exchange.
void Check(HRESULT hr) {
  app::ThrowIfFailed(hr);
}

std::wstring ReadText(IVantoWebService& service, HRESULT (STDMETHODCALLTYPE IVantoWebService::*get)(BSTR*)) {
  app::Bstr text;
  Check((service.*get)(text.put()));
  return text.str();
}

void PutText(IVantoWebService& service, HRESULT (STDMETHODCALLTYPE IVantoWebService::*put)(BSTR),
             const std::wstring& text) {
  const app::Bstr value(text);
  Check((service.*put)(value.get()));
}

ComPtr<IVantoWebService> CreateComponent() {
  ComPtr<IVantoWebService> service;
  if (FAILED(::CoCreateInstance(CLSID_VantoWebService, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&service))))
    return nullptr;
  return service;
}

// The sink's connection to the component, undone when it goes.
class Connection {
 public:
  Connection(IVantoWebService& service, std::shared_ptr<ServiceInfo> info) {
    ComPtr<IConnectionPointContainer> container;
    Check(service.QueryInterface(IID_PPV_ARGS(&container)));
    Check(container->FindConnectionPoint(DIID_DVantoWebServiceEvents, &point_));
    ComPtr<IDispatch> sink;
    sink.Attach(new CUpdateEventHandler(std::move(info)));
    Check(point_->Advise(sink.Get(), &cookie_));
  }
  ~Connection() { Disconnect(); }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  void Disconnect() noexcept {
    if (point_ && cookie_ != 0) (void)point_->Unadvise(cookie_);
    cookie_ = 0;
    point_.Reset();
  }

 private:
  ComPtr<IConnectionPoint> point_;
  DWORD cookie_ = 0;
};

struct StartupWork {
  ExchangeSetup setup;
  ComPtr<IStream> kernel;
  win::UniqueHandle started;
};

void RunStartup(StartupWork& work) {
  const win::ComApartment apartment;
  ServiceInfo& info = *work.setup.info;
  const auto signal = [&work] { ::SetEvent(work.started.get()); };
  ComPtr<IUnknown> kernel;
  if (work.kernel && FAILED(::CoUnmarshalInterface(work.kernel.Get(), IID_PPV_ARGS(&kernel)))) {
    signal();
    return;
  }
  work.kernel.Reset();
  ComPtr<IVantoWebService> service = apartment.ok() ? CreateComponent() : nullptr;
  if (!service) {
    signal();
    return;
  }
  LONG status = 0;
  {
    const app::Bstr client(work.setup.clientName);
    if (FAILED(service->Initialise(client.get(), kernel.Get(), -1, &status)) || status != 0) {
      signal();
      return;
    }
  }
  std::unique_ptr<Connection> connection;
  try {
    connection = std::make_unique<Connection>(*service.Get(), work.setup.info);
    Check(service->put_OwnerWindow(app::WindowArgument(work.setup.window)));
    std::wstring productKey = ReadText(*service.Get(), &IVantoWebService::get_ProductKey);
    // The user's choice is stored under the product key, which only now is known.
    const bool lookForUpdates = app::SettingsStore::StoredUpdateFlag(productKey) != 0;
    info.Update([&](ServiceValues& v) { v.productKey = std::move(productKey); });
    SHORT flag = 0;
    Check(service->get_ServiceFlag(&flag));
    info.Update([&](ServiceValues& v) { v.serviceFlag = flag; });
    std::wstring number = ReadText(*service.Get(), &IVantoWebService::get_UpdateNumber);
    info.Update([&](ServiceValues& v) { v.updateNumber = std::move(number); });
    std::wstring date = ReadText(*service.Get(), &IVantoWebService::get_UpdateDate);
    info.Update([&](ServiceValues& v) { v.updateDate = std::move(date); });
    std::wstring account = ReadText(*service.Get(), &IVantoWebService::get_Account);
    info.Update([&](ServiceValues& v) { v.account = std::move(account); });
    LONG state = 0;
    Check(service->get_ServiceState(&state));
    info.Update([&](ServiceValues& v) { v.serviceState = state; });
    std::wstring session = ReadText(*service.Get(), &IVantoWebService::get_Session);
    info.Update([&](ServiceValues& v) { v.session = std::move(session); });

    // The main window goes on with its initialisation.
    signal();

    (void)service->Run(0);
    if (lookForUpdates) (void)service->Run(2);
    std::wstring server = ReadText(*service.Get(), &IVantoWebService::get_Server);
    info.Update([&](ServiceValues& v) { v.server = std::move(server); });
    std::wstring token = ReadText(*service.Get(), &IVantoWebService::get_Token);
    info.Update([&](ServiceValues& v) { v.token = std::move(token); });

    connection.reset();
    (void)service->Finish(&status);
  } catch (const app::ComError&) {
    app::LogCaughtException(kSourceTag, __LINE__, L"The start-up exchange");
    connection.reset();
    signal();
  } catch (const std::bad_alloc&) {
    app::LogCaughtException(kSourceTag, __LINE__, L"The start-up exchange");
    connection.reset();
    signal();
  }
}

ExchangeEnd RunLaunch(ExchangeSetup& setup) {
  const win::ComApartment apartment;
  if (!apartment.ok()) return ExchangeEnd::kDone;
  ComPtr<IVantoWebService> service = CreateComponent();
  if (!service) return ExchangeEnd::kNoComponent;
  LONG status = 0;
  const app::Bstr client(setup.clientName);
  if (FAILED(service->Initialise(client.get(), nullptr, 0, &status)) || status != 0)
    return ExchangeEnd::kDone;
  try {
    const ServiceValues values = setup.info->Snapshot();
    Check(service->put_OwnerWindow(app::WindowArgument(setup.window)));
    PutText(*service.Get(), &IVantoWebService::put_ProductKey, values.productKey);
    PutText(*service.Get(), &IVantoWebService::put_UpdateNumber, values.updateNumber);
    PutText(*service.Get(), &IVantoWebService::put_UpdateDate, values.updateDate);
    PutText(*service.Get(), &IVantoWebService::put_Account, values.account);
    Check(service->put_ServiceState(values.serviceState));
    PutText(*service.Get(), &IVantoWebService::put_Session, values.session);
    if (!values.server.empty()) {
      PutText(*service.Get(), &IVantoWebService::put_Server, values.server);
      PutText(*service.Get(), &IVantoWebService::put_Token, values.token);
    }
    (void)service->Run(1);
    LONG state = 0;
    Check(service->get_ServiceState(&state));
    setup.info->Update([&](ServiceValues& v) { v.serviceState = state; });
    std::wstring server = ReadText(*service.Get(), &IVantoWebService::get_Server);
    setup.info->Update([&](ServiceValues& v) { v.server = std::move(server); });
    std::wstring token = ReadText(*service.Get(), &IVantoWebService::get_Token);
    setup.info->Update([&](ServiceValues& v) { v.token = std::move(token); });
    (void)service->Finish(&status);
  } catch (const app::ComError&) {
    // The component refused: the exchange ends without a word to the user, a line in the log.
    app::LogCaughtException(kSourceTag, __LINE__, L"The Launch exchange");
  } catch (const std::bad_alloc&) {
    app::LogCaughtException(kSourceTag, __LINE__, L"The Launch exchange");
  }
  return ExchangeEnd::kDone;
}

DWORD WINAPI StartupThread(void* parameter) noexcept {
  std::unique_ptr<StartupWork> work(static_cast<StartupWork*>(parameter));
  const DWORD result = app::RunThreadBody(kSourceTag, __LINE__, L"The start-up exchange", [&work] {
    RunStartup(*work);
    return DWORD{0};
  });
  // However the exchange ended, the main window goes on with its initialisation.
  if (result != 0) ::SetEvent(work->started.get());
  ::PostMessageW(work->setup.window, app::kWebServiceEndedMessage, static_cast<WPARAM>(Exchange::kStartup),
                 0);
  return result;
}

DWORD WINAPI LaunchThread(void* parameter) noexcept {
  std::unique_ptr<ExchangeSetup> setup(static_cast<ExchangeSetup*>(parameter));
  ExchangeEnd end = ExchangeEnd::kDone;
  const DWORD result = app::RunThreadBody(kSourceTag, __LINE__, L"The Launch exchange", [&setup, &end] {
    end = RunLaunch(*setup);
    return DWORD{0};
  });
  ::PostMessageW(setup->window, app::kWebServiceEndedMessage, static_cast<WPARAM>(Exchange::kLaunch),
                 static_cast<LPARAM>(end));
  return result;
}

}  // namespace

win::UniqueHandle StartStartupExchange(ExchangeSetup setup, IStream* kernel, HANDLE started) {
  HANDLE own = nullptr;
  if (!::DuplicateHandle(::GetCurrentProcess(), started, ::GetCurrentProcess(), &own, 0, FALSE,
                         DUPLICATE_SAME_ACCESS)) {
    ::SetEvent(started);
    return {};
  }
  auto work = std::make_unique<StartupWork>();
  work->setup = std::move(setup);
  work->kernel = kernel;
  work->started.reset(own);
  win::UniqueHandle thread(::CreateThread(nullptr, 0, &StartupThread, work.get(), 0, nullptr));
  if (thread)
    (void)work.release();  // the thread owns it now
  else
    ::SetEvent(started);
  return thread;
}

win::UniqueHandle StartLaunchExchange(ExchangeSetup setup) {
  auto owned = std::make_unique<ExchangeSetup>(std::move(setup));
  win::UniqueHandle thread(::CreateThread(nullptr, 0, &LaunchThread, owned.get(), 0, nullptr));
  if (thread) (void)owned.release();
  return thread;
}

}  // namespace updates

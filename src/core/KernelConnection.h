// The one connection to the translation kernel for the whole run: a message component, the kernel
// interface (from the translation server on a network client, else the local kernel), and whether
// the kernel runs on this machine.
#pragma once

#include <windows.h>
#include <wrl/client.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/Directions.h"
#include "vanto/Kernel.h"

namespace app {

class KernelConnection : public DirectionSource {
 public:
  KernelConnection() = default;
  KernelConnection(const KernelConnection&) = delete;
  KernelConnection& operator=(const KernelConnection&) = delete;
  ~KernelConnection() override { Disconnect(); }

  // 0 on success, else the failing HRESULT (never 0). A machine whose network kernel cannot be
  // created uses the local kernel; a network client whose server does not connect has no kernel.
  // A kernel that hangs or crashes meanwhile ends the process with a message (KernelWatch).
  HRESULT Connect(std::wstring_view clientName, std::wstring_view loginName, std::wstring_view productName);
  // After a failed Connect: the kernel could not be loaded at all (its message component or its
  // local kernel cannot be created: a class not registered, a DLL missing or refusing to load), as
  // opposed to a kernel that was there and refused, or a server that did not answer.
  [[nodiscard]] bool CouldNotLoad() const noexcept { return couldNotLoad_; }

  // The message component's calls that start-up and the main window make.
  void StartSession(std::wstring_view productName);
  void EndStartUp();

  [[nodiscard]] bool IsConnected() const noexcept { return kernel_ != nullptr; }
  [[nodiscard]] bool IsLocal() const noexcept { return local_; }
  // The server's name as the network kernel gives it now (the records of started programs must
  // name the server in use); empty for a local kernel. When the server cannot say, the name it gave
  // last stands in.
  [[nodiscard]] std::wstring ServerName() const;
  [[nodiscard]] IVantoKernel* Kernel() const noexcept { return kernel_.Get(); }
  [[nodiscard]] IVantoMessages* Messages() const noexcept { return messages_.Get(); }
  [[nodiscard]] IVantoNetworkKernel* Network() const noexcept { return network_.Get(); }

  // Empty when the kernel is unavailable or its list cannot be read.
  [[nodiscard]] std::vector<TranslationDirection> Directions() const override;

  // The kernel's own windows.
  void ShowAbout(HWND owner) const;
  int ShowLinkMessage(HWND owner, std::wstring_view text, std::wstring_view caption, UINT flags) const;
  void ReportError(HWND owner, HRESULT code, std::wstring_view applicationName) const;

  // The message component's shutdown call, then every interface released. Safe to call twice.
  void Disconnect() noexcept;

 private:
  Microsoft::WRL::ComPtr<IVantoMessages> messages_;
  Microsoft::WRL::ComPtr<IVantoNetworkKernel> network_;
  Microsoft::WRL::ComPtr<IVantoKernel> kernel_;
  bool local_ = true;
  bool couldNotLoad_ = false;
  mutable std::wstring serverName_;  // the name the server gave last
  std::wstring loginName_;
};

// Owner windows travel to the kernel as 64-bit integers.
[[nodiscard]] inline LONGLONG WindowArgument(HWND window) noexcept {
  return static_cast<LONGLONG>(reinterpret_cast<INT_PTR>(window));
}

}  // namespace app

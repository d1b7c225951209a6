// The message component: start-up handshake, About box, message window and error reporter.
#include <mutex>

#include "ComObject.h"
#include "Config.h"
#include "Dialog.h"
#include "Dialogs.h"
#include "DirectionTable.h"
#include "KernelResources.h"
#include "Objects.h"
#include "vanto/KernelDialogs.h"

namespace vanto {
namespace {

std::wstring SystemText(HRESULT code) {
  wchar_t* buffer = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      static_cast<DWORD>(code), 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
  std::wstring text = length ? std::wstring(buffer, length) : std::wstring();
  ::LocalFree(buffer);
  return Trimmed(text);
}

std::wstring Hex(LONG code) {
  wchar_t text[16] = {};
  swprintf(text, std::size(text), L"%08lX", static_cast<unsigned long>(code));
  return text;
}

class Messages final : public ComObject<Messages, IVantoMessages> {
 public:
  static const QITAB* Table() noexcept {
    static const QITAB table[] = {InterfaceRow<Messages, IVantoMessages>(), {}};
    return table;
  }

  HRESULT STDMETHODCALLTYPE Setup(LONG, LONG) noexcept override {
    std::lock_guard lock(mutex_);
    setUp_ = true;
    finished_ = false;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Start(BSTR productName) noexcept override {
    return Guarded([&] {
      std::wstring name = FromBstr(productName);
      std::lock_guard lock(mutex_);
      product_ = std::move(name);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE Finish() noexcept override {
    std::lock_guard lock(mutex_);
    finished_ = true;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ReportConnection(VARIANT_BOOL, BSTR, VARIANT_BOOL* accepted) noexcept override {
    if (!accepted) return E_POINTER;
    std::lock_guard lock(mutex_);
    *accepted = setUp_ && !finished_ && !RefuseConnection() ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE ShowAbout(LONGLONG ownerHwnd) noexcept override {
    return Guarded([&] {
      std::wstring product;
      {
        std::lock_guard lock(mutex_);
        product = product_.empty() ? L"VANTO" : product_;
      }
      const std::wstring text =
          LoadText(IDS_ABOUT_TEXT, {product, std::to_wstring(Directions().size()), DataFolder().wstring()});
      return ShowTextDialog(OwnerWindow(ownerHwnd), IDD_VANTO_ABOUT, L"", text, MB_ICONINFORMATION) ? S_OK
                                                                                                    : E_FAIL;
    });
  }

  HRESULT STDMETHODCALLTYPE ShowMessage(LONGLONG ownerHwnd, BSTR text, BSTR caption, LONG flags,
                                        LONG* result) noexcept override {
    if (!result) return E_POINTER;
    *result = 0;
    return Guarded([&] {
      if (!ShowTextDialog(OwnerWindow(ownerHwnd), IDD_VANTO_MESSAGE, FromBstr(caption), FromBstr(text),
                          flags))
        return E_FAIL;
      *result = IDOK;  // the window's one button; closing it counts the same
      return S_OK;
    });
  }

  HRESULT STDMETHODCALLTYPE ReportError(LONGLONG ownerHwnd, LONG code,
                                        BSTR applicationName) noexcept override {
    return Guarded([&] {
      const std::wstring application = FromBstr(applicationName);
      const std::wstring text = code == VANTO_E_TRANSLATION_LIMIT
                                    ? LoadText(IDS_ERROR_LIMIT, {application})
                                    : LoadText(IDS_ERROR_OTHER, {application, SystemText(code), Hex(code)});
      return ShowTextDialog(OwnerWindow(ownerHwnd), IDD_VANTO_ERROR, L"", text, MB_ICONERROR) ? S_OK : E_FAIL;
    });
  }

 private:
  std::mutex mutex_;
  bool setUp_ = false;
  bool finished_ = false;
  std::wstring product_;
};

}  // namespace

HRESULT CreateMessages(REFIID riid, void** ppv) noexcept {
  return MakeObjectAs<Messages, IVantoMessages>(riid, ppv);
}

HRESULT MakeMessages(IVantoMessages** messages) noexcept {
  return MakeObject<Messages>(messages);
}

}  // namespace vanto

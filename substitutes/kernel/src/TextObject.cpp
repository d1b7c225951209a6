// The text object class: a text that any thread may set and read.
#include <mutex>

#include "ComObject.h"
#include "Objects.h"

namespace vanto {
namespace {

class Text final : public ComObject<Text, IVantoText> {
 public:
  static const QITAB* Table() noexcept {
    static const QITAB table[] = {InterfaceRow<Text, IVantoText>(), {}};
    return table;
  }

  HRESULT STDMETHODCALLTYPE SetText(BSTR text) noexcept override {
    return Guarded([&] {
      std::wstring value = FromBstr(text);
      std::lock_guard lock(mutex_);
      text_ = std::move(value);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE GetText(BSTR* text) noexcept override {
    if (!text) return E_POINTER;
    std::lock_guard lock(mutex_);
    return ToBstr(text_, text);
  }

 private:
  std::mutex mutex_;
  std::wstring text_;
};

}  // namespace

HRESULT CreateText(REFIID riid, void** ppv) noexcept {
  return MakeObjectAs<Text, IVantoText>(riid, ppv);
}

}  // namespace vanto

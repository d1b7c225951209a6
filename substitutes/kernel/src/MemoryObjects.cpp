// The translation-memory collection of a direction and its databases.
#include "ComObject.h"
#include "DirectionTable.h"
#include "Dialog.h"
#include "Dialogs.h"
#include "KernelState.h"
#include "Objects.h"
#include "vanto/KernelDialogs.h"

namespace vanto {
namespace {

class Memory final : public ComObject<Memory, IVantoMemory> {
 public:
  Memory(StatePtr state, MemoryInfo info) noexcept : state_(std::move(state)), info_(std::move(info)) {}
  static const QITAB* Table() noexcept {
    static const QITAB table[] = {InterfaceRow<Memory, IVantoMemory>(), {}};
    return table;
  }

  HRESULT STDMETHODCALLTYPE GetProperty(LONG number, BSTR* value) noexcept override {
    if (!value) return E_POINTER;
    *value = nullptr;
    return Guarded([&] {
      switch (number) {
        case kVantoMemoryName: return ToBstr(info_.name, value);
        case kVantoMemoryDirection:
          return ToBstr(Directions()[static_cast<size_t>(info_.direction)].name, value);
        case kVantoMemorySegments: {
          // Counted now: segments come and go while the object lives.
          const std::optional<MemoryInfo> now = state_->FindMemory(info_.key);
          return ToBstr(std::to_wstring(now ? now->segments : 0), value);
        }
        case kVantoMemoryIdentifier: return ToBstr(info_.key, value);
        default: return E_INVALIDARG;
      }
    });
  }
  HRESULT STDMETHODCALLTYPE AddSegment(BSTR source, BSTR target) noexcept override {
    return Guarded([&] { return state_->AddSegment(info_.key, FromBstr(source), FromBstr(target)); });
  }

 private:
  const StatePtr state_;
  const MemoryInfo info_;
};

class Memories final : public ComObject<Memories, IVantoMemories> {
 public:
  Memories(StatePtr state, int direction) noexcept : state_(std::move(state)), direction_(direction) {}
  static const QITAB* Table() noexcept {
    static const QITAB table[] = {InterfaceRow<Memories, IVantoMemories>(), {}};
    return table;
  }

  HRESULT STDMETHODCALLTYPE GetCount(LONG* count) noexcept override {
    if (!count) return E_POINTER;
    *count = 0;
    return Guarded([&] {
      *count = static_cast<LONG>(state_->Memories(direction_).size());
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE GetItem(LONG index, IVantoMemory** memory) noexcept override {
    if (!memory) return E_POINTER;
    *memory = nullptr;
    return Guarded([&] {
      const std::vector<MemoryInfo> list = state_->Memories(direction_);
      if (index < 0 || static_cast<size_t>(index) >= list.size()) return E_INVALIDARG;
      return MakeObject<Memory>(memory, state_, list[static_cast<size_t>(index)]);
    });
  }
  HRESULT STDMETHODCALLTYPE CreateNew(LONGLONG ownerHwnd, VARIANT, VARIANT, VARIANT, VARIANT,
                                      IVantoMemory** created) noexcept override {
    if (!created) return E_POINTER;
    *created = nullptr;
    return Guarded([&] {
      const std::optional<std::wstring> name = AskName(
          OwnerWindow(ownerHwnd), IDD_VANTO_NEWMEMORY,
          std::wstring(Directions()[static_cast<size_t>(direction_)].name),
          [&](const std::wstring& candidate) { return state_->HasMemoryNamed(direction_, candidate); });
      if (!name) return S_FALSE;
      MemoryInfo info;
      const HRESULT hr = state_->CreateMemory(direction_, *name, &info);
      return FAILED(hr) ? hr : MakeObject<Memory>(created, state_, std::move(info));
    });
  }

 private:
  const StatePtr state_;
  const int direction_;
};

}  // namespace

HRESULT MakeMemories(StatePtr state, int direction, IVantoMemories** out) noexcept {
  return MakeObject<Memories>(out, std::move(state), direction);
}

HRESULT MakeMemory(StatePtr state, std::wstring key, IVantoMemory** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  return Guarded([&] {
    std::optional<MemoryInfo> info = state->FindMemory(key);
    return info ? MakeObject<Memory>(out, std::move(state), std::move(*info))
                : HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
  });
}

}  // namespace vanto

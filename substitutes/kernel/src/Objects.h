// Creation functions of the kernel's objects; the classes themselves stay inside their files.
#pragma once

#include <memory>
#include <string>

#include "vanto/Kernel.h"

namespace vanto {

class KernelState;
using StatePtr = std::shared_ptr<KernelState>;

// Creatable classes (ClassTable.cpp).
HRESULT CreateMessages(REFIID riid, void** ppv) noexcept;
HRESULT CreateNetworkKernel(REFIID riid, void** ppv) noexcept;
HRESULT CreateLocalKernel(REFIID riid, void** ppv) noexcept;
HRESULT CreateText(REFIID riid, void** ppv) noexcept;

HRESULT MakeMessages(IVantoMessages** messages) noexcept;

HRESULT MakeDirections(StatePtr state, IVantoDirections** out) noexcept;
HRESULT MakeProfiles(IVantoProfiles** out) noexcept;
HRESULT MakeSettings(StatePtr state, int direction, IVantoSettings** out) noexcept;
HRESULT MakeDictionaries(StatePtr state, int direction, IVantoDictionaries** out) noexcept;
HRESULT MakeDictionary(StatePtr state, std::wstring key, std::wstring name, LONG kind,
                       IVantoDictionary** out) noexcept;
HRESULT MakeMemories(StatePtr state, int direction, IVantoMemories** out) noexcept;
HRESULT MakeMemory(StatePtr state, std::wstring key, IVantoMemory** out) noexcept;
HRESULT MakeProfileEditor(StatePtr state, IVantoProfileEditor** out) noexcept;

// Answered by the kernel's own dictionary objects: which user dictionary this is. A dictionary of
// another implementation does not answer and cannot be written to.
// clang-format off
MIDL_INTERFACE("CFEF8768-E21D-4763-ADE2-1BAB8CCE488E")
IVantoDictionaryKey : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetKey(BSTR* key) = 0;  // empty for a general dictionary
};
// clang-format on

// BSTR helpers: a BSTR may be null, which reads as empty text.
[[nodiscard]] std::wstring FromBstr(BSTR text);
[[nodiscard]] HRESULT ToBstr(std::wstring_view text, BSTR* out) noexcept;

}  // namespace vanto

#ifdef __CRT_UUID_DECL
__CRT_UUID_DECL(vanto::IVantoDictionaryKey, 0xCFEF8768, 0xE21D, 0x4763, 0xAD, 0xE2, 0x1B, 0xAB, 0x8C, 0xCE,
                0x48, 0x8E)
#endif

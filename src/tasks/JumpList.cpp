#include "tasks/JumpList.h"

#include <windows.h>
#include <objbase.h>
#include <objectarray.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <atomic>
#include <cstring>

#include "core/LogSink.h"
#include "core/Language.h"

namespace tasks {

namespace {

using Microsoft::WRL::ComPtr;

// The title property of a shell link in a jump list (PKEY_Title).
constexpr PROPERTYKEY kTitleKey = {
    {0xF29F85E0, 0x4FF9, 0x1068, {0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9}}, 2};

// A link to this program with `arguments`, shown as `title`.
ComPtr<IShellLinkW> LinkTo(const std::wstring& program, const std::wstring& arguments,
                           const std::wstring& title) {
  ComPtr<IShellLinkW> link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))))
    return {};
  if (FAILED(link->SetPath(program.c_str())) || FAILED(link->SetArguments(arguments.c_str()))) return {};
  (void)link->SetIconLocation(program.c_str(), 0);
  ComPtr<IPropertyStore> properties;
  if (FAILED(link.As(&properties))) return {};
  // The title as the property system takes a string: a copy in COM's memory, freed by
  // PropVariantClear (written out here so that the program needs no shell helper library).
  const size_t bytes = (title.size() + 1) * sizeof(wchar_t);
  PROPVARIANT value{};
  value.pwszVal = static_cast<wchar_t*>(::CoTaskMemAlloc(bytes));
  if (value.pwszVal == nullptr) return {};
  std::memcpy(value.pwszVal, title.c_str(), bytes);
  value.vt = VT_LPWSTR;
  const HRESULT set = properties->SetValue(kTitleKey, value);
  ::PropVariantClear(&value);
  if (FAILED(set) || FAILED(properties->Commit())) return {};
  return link;
}

// A collection of `links`; null when one of them could not be made.
ComPtr<IObjectArray> Collection(const std::vector<ComPtr<IShellLinkW>>& links) {
  ComPtr<IObjectCollection> collection;
  if (FAILED(::CoCreateInstance(CLSID_EnumerableObjectCollection, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&collection))))
    return {};
  for (const ComPtr<IShellLinkW>& link : links)
    if (!link || FAILED(collection->AddObject(link.Get()))) return {};
  ComPtr<IObjectArray> array;
  if (FAILED(collection.As(&array))) return {};
  return array;
}

std::wstring DocumentFileName(const std::wstring& document) {
  const size_t slash = document.find_last_of(L"\\/");
  return slash == std::wstring::npos ? document : document.substr(slash + 1);
}

}  // namespace

bool UpdateJumpList(const std::vector<suite::RecentDocument>& recent, const std::wstring& category,
                    const std::wstring& quickTitle) {
  static std::atomic_bool toldMissing{false};
  // A shell without jump lists either has no such object or refuses to begin one (Wine).
  ComPtr<ICustomDestinationList> list;
  HRESULT begun =
      ::CoCreateInstance(CLSID_DestinationList, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&list));
  UINT slots = 0;
  ComPtr<IObjectArray> removed;
  if (SUCCEEDED(begun)) begun = list->BeginList(&slots, IID_PPV_ARGS(&removed));
  if (FAILED(begun)) {
    if (!toldMissing.exchange(true))
      app::Log().Line(L"The shell keeps no jump list (0x%08lX); Startdeck goes on without one.",
                      static_cast<unsigned long>(begun));
    return false;
  }
  const std::wstring program = app::ProgramPath();
  std::vector<ComPtr<IShellLinkW>> documents;
  for (const suite::RecentDocument& document : recent) {
    if (documents.size() >= slots) break;
    documents.push_back(
        LinkTo(program, L"/translate \"" + document.document + L"\"", DocumentFileName(document.document)));
  }
  const ComPtr<IObjectArray> documentLinks = Collection(documents);
  const ComPtr<IObjectArray> taskLinks = Collection({LinkTo(program, L"/quick", quickTitle)});
  bool built = documentLinks && taskLinks;
  if (built && !documents.empty())
    built = SUCCEEDED(list->AppendCategory(category.c_str(), documentLinks.Get()));
  if (built) built = SUCCEEDED(list->AddUserTasks(taskLinks.Get()));
  if (built) built = SUCCEEDED(list->CommitList());
  if (!built) {
    (void)list->AbortList();
    app::Log().Line(L"The jump list could not be built.");
  }
  return built;
}

}  // namespace tasks

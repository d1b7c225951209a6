#include "tasks/DictAndTMMUtils.h"

#include <climits>
#include <string>
#include <utility>

#include "StringIds.h"
#include "core/Bstr.h"
#include "core/ComError.h"
#include "core/Variant.h"
#include "core/KernelConnection.h"
#include "core/RegisteredMessages.h"
#include "core/RegistryKey.h"
#include "core/SettingsStore.h"
#include "suite/ExclusiveStart.h"
#include "suite/Installed.h"
#include "suite/Launcher.h"
#include "suite/RunningKey.h"
#include "suite/RunningRecords.h"
#include "tasks/TaskContext.h"
#include "controls/CustomComboBox.h"

namespace tasks {
namespace {

using app::ThrowIfFailed;
using app::ThrowIfNull;
using Microsoft::WRL::ComPtr;

constexpr wchar_t kSourceTag[] = L"DictAndTMMUtils";

// The local kernel's class key; its default value is the add-word dialog's entry.
constexpr wchar_t kKernelClassKey[] = L"SOFTWARE\\Classes\\CLSID\\{5A3C7E10-2B4D-4F61-9C8A-0D1E2F3A4B5C}";
constexpr int kEntryWithoutClassKey = 1;
constexpr wchar_t kEditingRecordName[] = L"TMD";

// Leading blanks, a sign and digits, as far as they go; 0 when there are no digits or the number
// does not fit.
int NumberOf(std::wstring_view text) noexcept {
  size_t at = text.find_first_not_of(L" \t");
  if (at == std::wstring_view::npos) return 0;
  const bool negative = text[at] == L'-';
  if (text[at] == L'-' || text[at] == L'+') ++at;
  long long value = 0;
  for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at) {
    value = value * 10 + (text[at] - L'0');
    if (value > static_cast<long long>(INT_MAX) + 1) return 0;
  }
  if (negative) value = -value;
  return value < INT_MIN || value > INT_MAX ? 0 : static_cast<int>(value);
}

IVantoKernel& ConnectedKernel(TaskContext& context) {
  return *ThrowIfNull(context.Kernel().Kernel());
}

ComPtr<IVantoDirections> DirectionsOf(IVantoKernel& kernel) {
  ComPtr<IVantoDirections> directions;
  ThrowIfFailed(kernel.GetDirections(&directions));
  ThrowIfNull(directions.Get());
  return directions;
}

ComPtr<IVantoDictionaries> DictionariesOf(IVantoKernel& kernel, int directionIndex) {
  ComPtr<IVantoDictionaries> dictionaries;
  ThrowIfFailed(DirectionsOf(kernel)->GetDictionaries(directionIndex, &dictionaries));
  ThrowIfNull(dictionaries.Get());
  return dictionaries;
}

std::wstring MemoryProperty(IVantoMemory& memory, LONG number) {
  app::Bstr value;
  ThrowIfFailed(memory.GetProperty(number, value.put()));
  return value.str();
}

void RunProfileEditor(IVantoKernel& kernel, int directionIndex, HWND owner) {
  ThrowIfFailed(kernel.SetCurrentDirection(static_cast<SHORT>(directionIndex)));
  ComPtr<IVantoProfileEditor> editor;
  ThrowIfFailed(kernel.GetProfileEditor(&editor));
  const app::Variant ownerArgument = app::Variant::Int64(app::WindowArgument(owner));
  app::Variant flag = app::Variant::Int32(1);
  const app::Variant missing = app::Variant::Missing();
  // What the editor did is its own business: its outcome is not used.
  (void)ThrowIfNull(editor.Get())
      ->ShowModal(ownerArgument.value(), &flag.value(), missing.value(), missing.value());
}

void SelectText(ui::skin::CCustomComboBox& list, const std::wstring& text) {
  const int found = list.FindStringExact(text);
  list.SetCurSel(found < 0 ? 0 : found);
}

}  // namespace

int AddWordDialogEntry(std::wstring_view remembered) {
  if (!remembered.empty()) return NumberOf(remembered);
  app::RegistryKey classKey;
  if (!classKey.Open(HKEY_LOCAL_MACHINE, kKernelClassKey)) return kEntryWithoutClassKey;
  return NumberOf(classKey.ReadString(L""));
}

// ---- User dictionaries ----

void CDictAndTMMUtils::ListDictionaries(ui::skin::CCustomComboBox& list, int directionIndex) {
  list.ResetContent();
  dictionaryIndex_.clear();
  (void)app::RunKernelOperation(kSourceTag, __LINE__, L"Listing the user dictionaries", [&] {
    ComPtr<IVantoDictionaries> dictionaries = DictionariesOf(ConnectedKernel(context_), directionIndex);
    LONG count = 0;
    ThrowIfFailed(dictionaries->GetCount(&count));
    // The collection is addressed by 16-bit indices.
    for (LONG i = 0; i < count && i <= SHRT_MAX; ++i) {
      ComPtr<IVantoDictionary> dictionary;
      ThrowIfFailed(dictionaries->GetItem(i, &dictionary));
      LONG kind = 0;
      ThrowIfFailed(ThrowIfNull(dictionary.Get())->GetKind(&kind));
      if (kind != kVantoDictionaryKindUser) continue;
      app::Bstr name;
      ThrowIfFailed(dictionary->GetName(name.put()));
      list.AddString(name.str());
      dictionaryIndex_.push_back(static_cast<SHORT>(i));
      ThrowIfFailed(dictionaries->Select(static_cast<SHORT>(i), VARIANT_TRUE));
    }
  });
  list.SetCurSel(0);
}

ComPtr<IVantoDictionary> CDictAndTMMUtils::NewDictionary(int directionIndex, HWND owner) {
  ComPtr<IVantoDictionary> created;
  (void)app::RunKernelOperation(kSourceTag, __LINE__, L"Creating a user dictionary", [&] {
    IVantoKernel& kernel = ConnectedKernel(context_);
    ThrowIfFailed(kernel.SetCurrentDirection(static_cast<SHORT>(directionIndex)));
    // The settings of the direction exist before one of its dictionaries is made.
    ComPtr<IVantoSettings> settings;
    ThrowIfFailed(kernel.GetSettings(&settings));
    ThrowIfNull(settings.Get());
    ThrowIfFailed(DictionariesOf(kernel, directionIndex)->CreateNew(app::WindowArgument(owner), &created));
  });
  return created;
}

bool CDictAndTMMUtils::AddWord(ui::skin::CCustomComboBox& list, int directionIndex, const std::wstring& word,
                               HWND owner) {
  if (list.GetCount() == 0) {
    if (context_.ShowMessage(IDS_ASK_CREATE_DICTIONARY, {}, MB_YESNO | MB_ICONQUESTION) != IDYES)
      return false;
    if (ComPtr<IVantoDictionary> created = NewDictionary(directionIndex, owner)) {
      app::Bstr name;
      (void)created->GetName(name.put());
      ListDictionaries(list, directionIndex);
      SelectText(list, name.str());
    }
    if (list.GetCount() == 0) return false;
  }
  app::SettingsStore& settings = context_.Settings();
  return app::RunKernelOperation(kSourceTag, __LINE__, L"Adding a word", [&] {
    IVantoKernel& kernel = ConnectedKernel(context_);
    ThrowIfFailed(kernel.SetCurrentDirection(static_cast<SHORT>(directionIndex)));
    ComPtr<IVantoSettings> directionSettings;
    ThrowIfFailed(kernel.GetSettings(&directionSettings));
    ComPtr<IVantoAddWord> addWord;
    ThrowIfFailed(ThrowIfNull(directionSettings.Get())->GetAddWord(&addWord));
    ThrowIfNull(addWord.Get());
    const int entry = list.GetCurSel();
    if (entry < 0 || static_cast<size_t>(entry) >= dictionaryIndex_.size()) throw app::ComError(E_UNEXPECTED);
    const SHORT index = dictionaryIndex_[static_cast<size_t>(entry)];
    ComPtr<IVantoDictionaries> dictionaries = DictionariesOf(kernel, directionIndex);
    ThrowIfFailed(dictionaries->Select(index, VARIANT_TRUE));
    ComPtr<IVantoDictionary> dictionary;
    ThrowIfFailed(dictionaries->GetItem(index, &dictionary));

    ThrowIfFailed(addWord->SetDialogEntry(
        AddWordDialogEntry(settings.Get(kDictionaryTask, app::SettingsStore::kDlgEntryName))));
    const app::Bstr text(word);
    // S_FALSE, the user's cancel, is an outcome like any other: the entry is remembered all the same.
    ThrowIfFailed(addWord->ShowDialog(context_.EntryView() != 0 ? VARIANT_TRUE : VARIANT_FALSE,
                                      ThrowIfNull(dictionary.Get()), text.get()));
    LONG chosen = 0;
    ThrowIfFailed(addWord->GetDialogEntry(&chosen));
    settings.Set(kDictionaryTask, app::SettingsStore::kDlgEntryName, std::to_wstring(chosen));
  });
}

// ---- Translation memories ----

void CDictAndTMMUtils::BuildTmCatalogue() {
  tmRecords_.clear();
  (void)app::RunKernelOperation(kSourceTag, __LINE__, L"Listing the translation memories", [&] {
    ComPtr<IVantoDirections> directions = DirectionsOf(ConnectedKernel(context_));
    LONG count = 0;
    ThrowIfFailed(directions->GetCount(&count));
    for (LONG j = 0; j < count; ++j) {
      ComPtr<IVantoMemories> memories;
      ThrowIfFailed(directions->GetMemories(j, &memories));
      ThrowIfNull(memories.Get());
      LONG id = 0;
      app::Bstr name;
      ThrowIfFailed(directions->GetItem(j, &id, name.put()));
      const int direction = TmDirectionOf(name.str(), static_cast<int>(id), static_cast<int>(j));
      LONG databases = 0;
      ThrowIfFailed(memories->GetCount(&databases));
      for (LONG i = 0; i < databases; ++i) {
        ComPtr<IVantoMemory> memory;
        ThrowIfFailed(memories->GetItem(i, &memory));
        AddTmRecord(*ThrowIfNull(memory.Get()), direction);
      }
    }
  });
}

int CDictAndTMMUtils::TmDirectionOf(const std::wstring& name, int id, int kernelIndex) {
  for (size_t i = 0; i < tmDirections_.size(); ++i)
    if (tmDirections_[i] == name) return static_cast<int>(i);
  tmDirections_.push_back(name);
  tmDirectionIds_.push_back(id);
  tmDirectionKernelIndex_.push_back(kernelIndex);
  return static_cast<int>(tmDirections_.size() - 1);
}

void CDictAndTMMUtils::AddTmRecord(IVantoMemory& memory, int directionIndex) {
  TmRecord record;
  record.name = MemoryProperty(memory, kVantoMemoryName);
  record.identifier = MemoryProperty(memory, kVantoMemoryIdentifier);
  record.direction = MemoryProperty(memory, kVantoMemoryDirection);
  record.segments = MemoryProperty(memory, kVantoMemorySegments);
  record.directionIndex = directionIndex;
  tmRecords_.push_back(std::move(record));
}

int CDictAndTMMUtils::TmDirectionId(int index) const noexcept {
  return index >= 0 && static_cast<size_t>(index) < tmDirectionIds_.size()
             ? tmDirectionIds_[static_cast<size_t>(index)]
             : 0;
}

int CDictAndTMMUtils::ListTmDirections(ui::skin::CCustomComboBox& list) const {
  list.ResetContent();
  for (const std::wstring& name : tmDirections_) list.AddString(name);
  return static_cast<int>(tmDirections_.size());
}

int CDictAndTMMUtils::ListTmDatabases(ui::skin::CCustomComboBox& list, int directionIndex) {
  list.ResetContent();
  tmListIdentifiers_.clear();
  for (const TmRecord& record : tmRecords_) {
    if (record.directionIndex != directionIndex) continue;
    list.AddString(record.name);
    tmListIdentifiers_.push_back(record.identifier);
  }
  return static_cast<int>(tmListIdentifiers_.size());
}

bool CDictAndTMMUtils::CreateTmDatabase(HWND owner, int directionIndex, std::wstring& name,
                                        std::wstring& directionName) {
  if (directionIndex < 0 || static_cast<size_t>(directionIndex) >= tmDirections_.size()) return false;
  bool created = false;
  (void)app::RunKernelOperation(kSourceTag, __LINE__, L"Creating a translation memory", [&] {
    ComPtr<IVantoMemories> memories;
    ThrowIfFailed(DirectionsOf(ConnectedKernel(context_))
                      ->GetMemories(tmDirectionKernelIndex_[static_cast<size_t>(directionIndex)], &memories));
    ComPtr<IVantoMemory> memory;
    const app::Variant missing = app::Variant::Missing();
    ThrowIfFailed(ThrowIfNull(memories.Get())
                      ->CreateNew(app::WindowArgument(owner), missing.value(), missing.value(),
                                  missing.value(), missing.value(), &memory));
    if (!memory) return;
    AddTmRecord(*memory.Get(), directionIndex);
    name = tmRecords_.back().name;
    directionName = tmDirections_[static_cast<size_t>(directionIndex)];
    created = true;
  });
  return created;
}

bool CDictAndTMMUtils::CreateAndSelectTmDatabase(HWND owner, ui::skin::CCustomComboBox& directions,
                                                 ui::skin::CCustomComboBox& databases) {
  std::wstring name;
  std::wstring directionName;
  if (!CreateTmDatabase(owner, directions.GetCurSel(), name, directionName)) return false;
  if (!directionName.empty()) {
    (void)ListTmDirections(directions);
    SelectText(directions, directionName);
  }
  (void)ListTmDatabases(databases, directions.GetCurSel());
  SelectText(databases, name);
  return true;
}

bool CDictAndTMMUtils::OpenTmDatabase(ui::skin::CCustomComboBox& databases, HWND owner,
                                      ui::skin::CCustomComboBox& directions) {
  // Without the installation's records the manager cannot be found: say so, as its start would.
  if (!suite::OpenAppsKey()) {
    suite::ReportDamagedRegistry(context_);
    return false;
  }
  if (databases.GetCount() == 0) {
    if (context_.ShowMessage(IDS_ASK_CREATE_MEMORY, {}, MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
    if (!CreateAndSelectTmDatabase(owner, directions, databases)) return false;
  }
  const int entry = databases.GetCurSel();
  if (entry < 0 || static_cast<size_t>(entry) >= tmListIdentifiers_.size()) return false;
  // The Apps value, the record "G=<identifier>" and the shell start, with their messages.
  return suite::Launcher(context_).StartTmManager(tmListIdentifiers_[static_cast<size_t>(entry)]);
}

// ---- Profiles ----

void CDictAndTMMUtils::EditProfiles(int directionIndex, HWND owner) {
  suite::RunningKey running;
  if (!running.IsOpen()) return;
  (void)running.Write(kEditingRecordName, suite::TmEditingRecord(suite::KernelOf(context_)));
  if (IVantoKernel* connected = context_.Kernel().Kernel())
    (void)app::RunKernelOperation(kSourceTag, __LINE__, L"Editing the profiles",
                                  [&] { RunProfileEditor(*connected, directionIndex, owner); });
  else
    app::BeepForUnexpectedError();
  ::PostMessageW(HWND_BROADCAST, app::kTemplateChangedMessage, 0, 0);
  (void)running.Remove(kEditingRecordName);
  running.Close();
}

}  // namespace tasks

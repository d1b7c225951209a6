#include "tasks/DictEditDialog.h"

#include "ResourceIds.h"
#include "StringIds.h"
#include "core/Bstr.h"
#include "core/SettingsStore.h"
#include "core/SharedGraphics.h"
#include "tasks/DictAndTMMUtils.h"
#include "tasks/PanelParts.h"
#include "tasks/TaskContext.h"
#include "win/Resources.h"

namespace tasks {
namespace {

// Rows of the paper side, top to bottom.
constexpr int kDirectionLabelTop = 18;
constexpr int kDirectionTop = 36;
constexpr int kDictionaryLabelTop = 72;
constexpr int kDictionaryTop = 90;
constexpr int kNewDictionaryTop = 126;
constexpr int kWordLabelTop = 164;
constexpr int kWordTop = 182;
constexpr int kWordHeight = 22;
constexpr int kOutcomeTop = 222;
constexpr int kOutcomeHeight = 100;
constexpr int kButtonWidth = 104;  // the push buttons' face
constexpr int kButtonLeft = kContentRight - kButtonWidth;

}  // namespace

bool CDictEditDialog::OnInitPanel() {
  static_assert(ui::FindTask(kDictionaryTask) != nullptr);
  const ui::PanelTextIds& texts = ui::FindTask(kDictionaryTask)->texts;
  const app::SharedGraphics& graphics = context_.Graphics();
  const HFONT labelFont = graphics.Font(app::SharedFont::kTahoma12Bold);
  const HFONT textFont = graphics.Font(app::SharedFont::kTahoma12);
  const ui::skin::ComboLook comboLook = ComboLookOf(graphics);

  const HWND directionLabel = MakeLabel(hwnd(), IDC_PANEL_DIRECTION_LABEL,
                                        {kContentLeft, kDirectionLabelTop, kContentWidth, kLabelHeight},
                                        IDS_LABEL_DIRECTION, labelFont);
  const HWND dictionaryLabel = MakeLabel(hwnd(), IDC_PANEL_DICTIONARY_LABEL,
                                         {kContentLeft, kDictionaryLabelTop, kContentWidth, kLabelHeight},
                                         IDS_LABEL_DICTIONARY, labelFont);
  if (!directionList_.Create(kContentLeft, kDirectionTop, kContentWidth, hwnd(), IDC_PANEL_DIRECTIONS,
                             comboLook) ||
      !dictionaries_.Create(kContentLeft, kDictionaryTop, kContentWidth, hwnd(), IDC_PANEL_DICTIONARIES,
                            comboLook))
    return false;
  if (!MakePushButton(newDictionary_, hwnd(), {kButtonLeft, kNewDictionaryTop}, IDC_PANEL_NEW_DICTIONARY,
                      IDS_NEW_DICTIONARY, graphics))
    return false;

  const HWND wordLabel =
      MakeLabel(hwnd(), IDC_PANEL_WORD_LABEL, {kContentLeft, kWordLabelTop, kContentWidth, kLabelHeight},
                IDS_LABEL_WORD, labelFont);
  word_ = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL,
                            kContentLeft, kWordTop, kButtonLeft - 8 - kContentLeft, kWordHeight, hwnd(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_PANEL_WORD)),
                            ::GetModuleHandleW(nullptr), nullptr);
  if (!word_) return false;
  ::SendMessageW(word_, WM_SETFONT, reinterpret_cast<WPARAM>(textFont), FALSE);
  ::SendMessageW(word_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(3, 3));
  (void)wordFrame_.Attach(word_);
  if (!MakePushButton(add_, hwnd(), {kButtonLeft, kWordTop - 1}, IDC_PANEL_ADD_WORD, IDS_ADD, graphics))
    return false;

  const HWND outcome =
      MakeLabel(hwnd(), IDC_PANEL_OUTCOME, {kContentLeft, kOutcomeTop, kContentWidth, kOutcomeHeight},
                texts.help, textFont);
  SetTitleAndSteps(win::LoadString(texts.title), win::LoadString(texts.steps));
  return directionLabel && dictionaryLabel && wordLabel && outcome;
}

OpenOutcome CDictEditDialog::Open(int taskCode, std::wstring_view) {
  if (taskCode != kDictionaryTask) return OpenOutcome::kFailed;
  if (!LoadDirections(directions_, directionList_)) return OpenOutcome::kFailed;
  ::ShowWindow(hwnd(), SW_SHOW);
  return OpenOutcome::kShown;
}

void CDictEditDialog::OnShown() {
  app::SettingsStore& settings = context_.Settings();
  ::SetWindowTextW(word_, settings.Get(kDictionaryTask, app::SettingsStore::kTextEntryName).c_str());
  // Read first: choosing the direction remembers its first dictionary.
  const std::wstring dictionary = settings.Get(kDictionaryTask, app::SettingsStore::kDictName);
  const int direction =
      directionList_.FindStringExact(settings.Get(kDictionaryTask, app::SettingsStore::kDirId));
  directionList_.SetCurSel(direction < 0 ? 0 : direction);  // lists its dictionaries
  const int found = dictionaries_.FindStringExact(dictionary);
  dictionaries_.SetCurSel(found < 0 ? 0 : found);
}

void CDictEditDialog::OnHidden() {
  RememberWordAndDictionary();
  ::SetWindowTextW(word_, L"");
}

void CDictEditDialog::SaveSettings() {
  // A panel still open when the window closes keeps what it shows, as hiding it would.
  if (::IsWindowVisible(hwnd())) RememberWordAndDictionary();
}

void CDictEditDialog::RememberWordAndDictionary() {
  app::SettingsStore& settings = context_.Settings();
  settings.Set(kDictionaryTask, app::SettingsStore::kTextEntryName, TextOf(word_));
  settings.Set(kDictionaryTask, app::SettingsStore::kDictName, dictionaries_.GetText());
}

void CDictEditDialog::OnDirectionChanged() {
  const int direction = directionList_.GetCurSel();
  context_.DictAndTm().ListDictionaries(dictionaries_, direction);
  app::SettingsStore& settings = context_.Settings();
  settings.Set(kDictionaryTask, app::SettingsStore::kDictName, dictionaries_.GetText());
  settings.SetDirection(kDictionaryTask, app::SettingsStore::kDirId, directions_.IdAt(direction));
}

void CDictEditDialog::OnNewDictionary() {
  if (directionList_.GetCount() == 0) return;
  const int direction = directionList_.GetCurSel();
  CDictAndTMMUtils& utils = context_.DictAndTm();
  const Microsoft::WRL::ComPtr<IVantoDictionary> created =
      utils.NewDictionary(direction, ::GetAncestor(hwnd(), GA_ROOT));
  if (!created) return;
  app::Bstr name;
  (void)created->GetName(name.put());
  utils.ListDictionaries(dictionaries_, direction);
  if (const int found = dictionaries_.FindStringExact(name.str()); found >= 0) dictionaries_.SetCurSel(found);
}

void CDictEditDialog::OnAdd() {
  if (directionList_.GetCount() == 0) return;
  (void)context_.DictAndTm().AddWord(dictionaries_, directionList_.GetCurSel(), TextOf(word_),
                                     ::GetAncestor(hwnd(), GA_ROOT));
}

bool CDictEditDialog::OnCommand(int id, int code, HWND) {
  if (id == IDC_PANEL_NEW_DICTIONARY && code == BN_CLICKED)
    OnNewDictionary();
  else if (id == IDC_PANEL_ADD_WORD && code == BN_CLICKED)
    OnAdd();
  else if (id == IDC_PANEL_DIRECTIONS && code == CBN_SELCHANGE)
    OnDirectionChanged();
  else
    return false;
  return true;
}

}  // namespace tasks

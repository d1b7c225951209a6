#include "tasks/DictEditDialog.h"

#include "ResourceIds.h"
#include "StringIds.h"
#include "core/Bstr.h"
#include "core/SettingsStore.h"
#include "core/SharedGraphics.h"
#include "tasks/DictAndTMMUtils.h"
#include "controls/AccessKeyLabel.h"
#include "tasks/PanelParts.h"
#include "tasks/TaskContext.h"
#include "win/Resources.h"

namespace tasks {
namespace {

// Rows of the paper side, top to bottom.
constexpr int kWordTop = 182;

using app::SharedFont;
constexpr ControlPlace kDictDirectionLabel{
    IDC_PANEL_DIRECTION_LABEL, {kContentLeft, 18, kContentWidth, kLabelHeight}, SharedFont::kTahoma12Bold};
constexpr ControlPlace kDictDirections{IDC_PANEL_DIRECTIONS, {kContentLeft, 36, kContentWidth, 0}};
constexpr ControlPlace kDictionaryLabel{
    IDC_PANEL_DICTIONARY_LABEL, {kContentLeft, 72, kContentWidth, kLabelHeight}, SharedFont::kTahoma12Bold};
constexpr ControlPlace kDictionaries{IDC_PANEL_DICTIONARIES, {kContentLeft, 90, kContentWidth, 0}};
constexpr ControlPlace kNewDictionary{IDC_PANEL_NEW_DICTIONARY, {kButtonLeft, 126, 0, 0}};
constexpr ControlPlace kWordLabel{
    IDC_PANEL_WORD_LABEL, {kContentLeft, 164, kContentWidth, kLabelHeight}, SharedFont::kTahoma12Bold};
constexpr ControlPlace kWordField{IDC_PANEL_WORD,
                                  {kContentLeft, kWordTop, kButtonLeft - kFieldButtonGap - kContentLeft, 22},
                                  SharedFont::kTahoma12};
constexpr ControlPlace kAddWord{IDC_PANEL_ADD_WORD, {kButtonLeft, kWordTop - 1, 0, 0}};
constexpr ControlPlace kDictOutcome{
    IDC_PANEL_OUTCOME, {kContentLeft, 222, kContentWidth, 100}, SharedFont::kTahoma12};

}  // namespace

bool CDictEditDialog::OnInitPanel() {
  static_assert(ui::HasTask(kDictionaryTask));
  const ui::PanelTextIds& texts = ui::FindTask(kDictionaryTask)->texts;
  const app::SharedGraphics& graphics = context_.Graphics();

  const HWND directionLabel = MakeFieldLabel(hwnd(), kDictDirectionLabel, IDS_LABEL_DIRECTION, graphics);
  const HWND dictionaryLabel = MakeFieldLabel(hwnd(), kDictionaryLabel, IDS_LABEL_DICTIONARY, graphics);
  if (!MakeComboBox(directionList_, hwnd(), kDictDirections, graphics) ||
      !MakeComboBox(dictionaries_, hwnd(), kDictionaries, graphics))
    return false;
  // Each label right before its field, so that its access key reaches the field.
  ui::PutLabelBefore(directionLabel, directionList_.hwnd());
  ui::PutLabelBefore(dictionaryLabel, dictionaries_.hwnd());
  if (!MakePushButton(newDictionary_, hwnd(), kNewDictionary, IDS_NEW_DICTIONARY, graphics)) return false;

  const HWND wordLabel = MakeFieldLabel(hwnd(), kWordLabel, IDS_LABEL_WORD, graphics);
  const RECT field = ScaledEdges(kWordField, graphics.Scale());
  word_ = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL,
                            field.left, field.top, field.right - field.left, field.bottom - field.top, hwnd(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_PANEL_WORD)),
                            ::GetModuleHandleW(nullptr), nullptr);
  if (!word_) return false;
  ::SendMessageW(word_, WM_SETFONT, reinterpret_cast<WPARAM>(graphics.Font(kWordField.font)), FALSE);
  SetFieldMargins(word_, graphics.Scale());
  (void)wordFrame_.Attach(word_);
  if (!MakePushButton(add_, hwnd(), kAddWord, IDS_ADD, graphics)) return false;

  const HWND outcome = MakeLabel(hwnd(), kDictOutcome, texts.help, graphics);
  SetTitleAndSteps(win::LoadString(texts.title), win::LoadString(texts.steps));
  return directionLabel && dictionaryLabel && wordLabel && outcome;
}

void CDictEditDialog::ApplyScale() {
  const app::SharedGraphics& graphics = context_.Graphics();
  // The new faces and fonts first: a control lays itself out by them and by the width given next.
  for (CMenuButton* button : {&newDictionary_, &add_}) RestyleControl(*button, graphics);
  for (ui::skin::CCustomComboBox* combo : {&directionList_, &dictionaries_}) RestyleControl(*combo, graphics);
  const auto label = [this](int id) { return ::GetDlgItem(hwnd(), id); };  // the labels' IDs are their own
  PlaceControls({{label(IDC_PANEL_DIRECTION_LABEL), kDictDirectionLabel},
                 {directionList_.hwnd(), kDictDirections},
                 {label(IDC_PANEL_DICTIONARY_LABEL), kDictionaryLabel},
                 {dictionaries_.hwnd(), kDictionaries},
                 {newDictionary_.hwnd(), kNewDictionary},
                 {label(IDC_PANEL_WORD_LABEL), kWordLabel},
                 {word_, kWordField},
                 {add_.hwnd(), kAddWord},
                 {label(IDC_PANEL_OUTCOME), kDictOutcome}},
                graphics);
  SetFieldMargins(word_, graphics.Scale());
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

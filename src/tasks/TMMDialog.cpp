#include "tasks/TMMDialog.h"

#include <string>

#include "ResourceIds.h"
#include "StringIds.h"
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
constexpr int kCreateTop = 170;

using app::SharedFont;
constexpr ControlPlace kTmmDirectionLabel{
    IDC_PANEL_DIRECTION_LABEL, {kContentLeft, 18, kContentWidth, kLabelHeight}, SharedFont::kTahoma12Bold};
constexpr ControlPlace kTmmDirections{IDC_PANEL_DIRECTIONS, {kContentLeft, 36, kContentWidth, 0}};
constexpr ControlPlace kMemoryLabel{
    IDC_PANEL_MEMORY_LABEL, {kContentLeft, 72, kContentWidth, kLabelHeight}, SharedFont::kTahoma12Bold};
constexpr ControlPlace kMemories{IDC_PANEL_MEMORIES, {kContentLeft, 90, kContentWidth, 0}};
constexpr ControlPlace kEditMemory{IDC_PANEL_EDIT_MEMORY, {kButtonLeft, 126, 0, 0}};
// The label stands left of its button, its first line level with the caption; a long translation
// takes a second line.
constexpr ControlPlace kNewMemoryLabel{IDC_PANEL_NEW_MEMORY_LABEL,
                                       {kContentLeft, kCreateTop + (kButtonHeight - kLabelHeight) / 2,
                                        kButtonLeft - kFieldButtonGap - kContentLeft, 2 * kLabelHeight},
                                       SharedFont::kTahoma12Bold};
constexpr ControlPlace kCreateMemory{IDC_PANEL_CREATE_MEMORY, {kButtonLeft, kCreateTop, 0, 0}};
constexpr ControlPlace kTmmOutcome{
    IDC_PANEL_OUTCOME, {kContentLeft, 214, kContentWidth, 100}, SharedFont::kTahoma12};

}  // namespace

bool CTMMDialog::OnInitPanel() {
  static_assert(ui::HasTask(kMemoryTask));
  const ui::PanelTextIds& texts = ui::FindTask(kMemoryTask)->texts;
  const app::SharedGraphics& graphics = context_.Graphics();

  const HWND directionLabel = MakeFieldLabel(hwnd(), kTmmDirectionLabel, IDS_LABEL_DIRECTION, graphics);
  const HWND memoryLabel = MakeFieldLabel(hwnd(), kMemoryLabel, IDS_LABEL_MEMORY, graphics);
  if (!MakeComboBox(directionList_, hwnd(), kTmmDirections, graphics) ||
      !MakeComboBox(memories_, hwnd(), kMemories, graphics))
    return false;
  // Each label right before its field, so that its access key reaches the field.
  ui::PutLabelBefore(directionLabel, directionList_.hwnd());
  ui::PutLabelBefore(memoryLabel, memories_.hwnd());
  if (!MakePushButton(edit_, hwnd(), kEditMemory, IDS_EDIT, graphics)) return false;
  // The new database's label names the button that makes it: its key goes to the button.
  const HWND newLabel = MakeFieldLabel(hwnd(), kNewMemoryLabel, IDS_LABEL_NEW_MEMORY, graphics);
  if (!MakePushButton(create_, hwnd(), kCreateMemory, IDS_CREATE, graphics)) return false;
  const HWND outcome = MakeLabel(hwnd(), kTmmOutcome, texts.help, graphics);
  SetTitleAndSteps(win::LoadString(texts.title), win::LoadString(texts.steps));
  return directionLabel && memoryLabel && newLabel && outcome;
}

void CTMMDialog::ApplyScale() {
  const app::SharedGraphics& graphics = context_.Graphics();
  // The new faces and fonts first: a control lays itself out by them and by the width given next.
  for (CMenuButton* button : {&edit_, &create_}) RestyleControl(*button, graphics);
  for (ui::skin::CCustomComboBox* combo : {&directionList_, &memories_}) RestyleControl(*combo, graphics);
  const auto label = [this](int id) { return ::GetDlgItem(hwnd(), id); };  // the labels' IDs are their own
  PlaceControls({{label(IDC_PANEL_DIRECTION_LABEL), kTmmDirectionLabel},
                 {directionList_.hwnd(), kTmmDirections},
                 {label(IDC_PANEL_MEMORY_LABEL), kMemoryLabel},
                 {memories_.hwnd(), kMemories},
                 {edit_.hwnd(), kEditMemory},
                 {label(IDC_PANEL_NEW_MEMORY_LABEL), kNewMemoryLabel},
                 {create_.hwnd(), kCreateMemory},
                 {label(IDC_PANEL_OUTCOME), kTmmOutcome}},
                graphics);
}

OpenOutcome CTMMDialog::Open(int taskCode, std::wstring_view) {
  if (taskCode != kMemoryTask) return OpenOutcome::kFailed;
  CDictAndTMMUtils& utils = context_.DictAndTm();
  utils.BuildTmCatalogue();
  if (utils.TmDirectionNames().empty()) {
    context_.ShowMessage(IDS_PANEL_NO_DIRECTIONS, {}, MB_OK | MB_ICONEXCLAMATION);
    return OpenOutcome::kFailed;
  }
  // Shown already: showing it again would not fill its lists from the new catalogue.
  if (::IsWindowVisible(hwnd()))
    OnShown();
  else
    ::ShowWindow(hwnd(), SW_SHOW);
  return OpenOutcome::kShown;
}

void CTMMDialog::OnShown() {
  app::SettingsStore& settings = context_.Settings();
  // Read first: choosing the direction remembers its first database.
  const std::wstring memory = settings.Get(kMemoryTask, app::SettingsStore::kMemBaseName);
  (void)context_.DictAndTm().ListTmDirections(directionList_);
  const int direction = directionList_.FindStringExact(settings.Get(kMemoryTask, app::SettingsStore::kDirId));
  directionList_.SetCurSel(direction < 0 ? 0 : direction);  // lists its databases
  const int found = memories_.FindStringExact(memory);
  memories_.SetCurSel(found < 0 ? 0 : found);
}

void CTMMDialog::OnMemoriesChanged() {
  CDictAndTMMUtils& utils = context_.DictAndTm();
  utils.BuildTmCatalogue();
  // A hidden panel fills its lists from the catalogue when it is shown.
  if (!::IsWindowVisible(hwnd())) return;
  (void)utils.ListTmDatabases(memories_, directionList_.GetCurSel());
  memories_.SetCurSel(0);  // remembered as the choice
}

void CTMMDialog::OnDirectionChanged() {
  const int direction = directionList_.GetCurSel();
  CDictAndTMMUtils& utils = context_.DictAndTm();
  (void)utils.ListTmDatabases(memories_, direction);
  memories_.SetCurSel(0);  // remembered as the choice
  context_.Settings().SetDirection(kMemoryTask, app::SettingsStore::kDirId, utils.TmDirectionId(direction));
}

void CTMMDialog::OnMemoryChanged() {
  context_.Settings().Set(kMemoryTask, app::SettingsStore::kMemBaseName, memories_.GetText());
}

void CTMMDialog::OnCreate() {
  if (directionList_.GetCount() == 0) return;
  (void)context_.DictAndTm().CreateAndSelectTmDatabase(hwnd(), directionList_, memories_);
}

void CTMMDialog::OnEdit() {
  if (directionList_.GetCount() == 0) return;
  (void)context_.DictAndTm().OpenTmDatabase(memories_, hwnd(), directionList_);
}

bool CTMMDialog::OnCommand(int id, int code, HWND) {
  if (id == IDC_PANEL_CREATE_MEMORY && code == BN_CLICKED)
    OnCreate();
  else if (id == IDC_PANEL_EDIT_MEMORY && code == BN_CLICKED)
    OnEdit();
  else if (id == IDC_PANEL_DIRECTIONS && code == CBN_SELCHANGE)
    OnDirectionChanged();
  else if (id == IDC_PANEL_MEMORIES && code == CBN_SELCHANGE)
    OnMemoryChanged();
  else
    return false;
  return true;
}

}  // namespace tasks

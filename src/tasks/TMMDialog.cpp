#include "tasks/TMMDialog.h"

#include <string>

#include "ResourceIds.h"
#include "StringIds.h"
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
constexpr int kMemoryLabelTop = 72;
constexpr int kMemoryTop = 90;
constexpr int kEditTop = 126;
constexpr int kCreateTop = 170;
constexpr int kOutcomeTop = 214;
constexpr int kOutcomeHeight = 100;
constexpr int kButtonWidth = 104;  // the push buttons' face
constexpr int kButtonLeft = kContentRight - kButtonWidth;
constexpr int kButtonHeight = 24;

}  // namespace

bool CTMMDialog::OnInitPanel() {
  static_assert(ui::FindTask(kMemoryTask) != nullptr);
  const ui::PanelTextIds& texts = ui::FindTask(kMemoryTask)->texts;
  const app::SharedGraphics& graphics = context_.Graphics();
  const HFONT labelFont = graphics.Font(app::SharedFont::kTahoma12Bold);
  const ui::skin::ComboLook comboLook = ComboLookOf(graphics);

  const HWND directionLabel = MakeLabel(hwnd(), IDC_PANEL_DIRECTION_LABEL,
                                        {kContentLeft, kDirectionLabelTop, kContentWidth, kLabelHeight},
                                        IDS_LABEL_DIRECTION, labelFont);
  const HWND memoryLabel =
      MakeLabel(hwnd(), IDC_PANEL_MEMORY_LABEL, {kContentLeft, kMemoryLabelTop, kContentWidth, kLabelHeight},
                IDS_LABEL_MEMORY, labelFont);
  if (!directionList_.Create(kContentLeft, kDirectionTop, kContentWidth, hwnd(), IDC_PANEL_DIRECTIONS,
                             comboLook) ||
      !memories_.Create(kContentLeft, kMemoryTop, kContentWidth, hwnd(), IDC_PANEL_MEMORIES, comboLook))
    return false;
  if (!MakePushButton(edit_, hwnd(), {kButtonLeft, kEditTop}, IDC_PANEL_EDIT_MEMORY, IDS_EDIT, graphics))
    return false;
  // The label stands left of its button, its first line level with the caption; a long translation
  // takes a second line.
  const HWND newLabel = MakeLabel(hwnd(), IDC_PANEL_NEW_MEMORY_LABEL,
                                  {kContentLeft, kCreateTop + (kButtonHeight - kLabelHeight) / 2,
                                   kButtonLeft - 8 - kContentLeft, 2 * kLabelHeight},
                                  IDS_LABEL_NEW_MEMORY, labelFont);
  if (!MakePushButton(create_, hwnd(), {kButtonLeft, kCreateTop}, IDC_PANEL_CREATE_MEMORY, IDS_CREATE,
                      graphics))
    return false;
  const HWND outcome =
      MakeLabel(hwnd(), IDC_PANEL_OUTCOME, {kContentLeft, kOutcomeTop, kContentWidth, kOutcomeHeight},
                texts.help, graphics.Font(app::SharedFont::kTahoma12));
  SetTitleAndSteps(win::LoadString(texts.title), win::LoadString(texts.steps));
  return directionLabel && memoryLabel && newLabel && outcome;
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

#include "tasks/SingleComboDialog.h"

#include <string>

#include "ResourceIds.h"
#include "StringIds.h"
#include "core/SettingsStore.h"
#include "core/SharedGraphics.h"
#include "menu/TaskTable.h"
#include "tasks/DictAndTMMUtils.h"
#include "tasks/PanelParts.h"
#include "tasks/TaskContext.h"
#include "tasks/TranslateMenuUtils.h"
#include "win/Resources.h"

namespace tasks {
namespace {

using ui::kProfilesTask;

constexpr int kListTop = 36;
constexpr int kButtonTop = 72;

using app::SharedFont;
// The two lists share one place, and so do the two buttons: a task shows one of each.
constexpr ControlPlace kLabel{
    IDC_PANEL_APPLICATION_LABEL, {kContentLeft, 18, kContentWidth, kLabelHeight}, SharedFont::kTahoma12Bold};
constexpr ControlPlace kSingleApplications{IDC_PANEL_APPLICATIONS,
                                           {kContentLeft, kListTop, kContentWidth, 0}};
constexpr ControlPlace kSingleDirections{IDC_PANEL_SINGLE_DIRECTIONS,
                                         {kContentLeft, kListTop, kContentWidth, 0}};
constexpr ControlPlace kLaunch{IDC_PANEL_ACTION, {kButtonLeft, kButtonTop, 0, 0}};
constexpr ControlPlace kEditProfiles{IDC_PANEL_EDIT_PROFILES, {kButtonLeft, kButtonTop, 0, 0}};
constexpr ControlPlace kSingleOutcome{
    IDC_PANEL_OUTCOME, {kContentLeft, 110, kContentWidth, 210}, SharedFont::kTahoma12};

}  // namespace

bool CSingleComboDialog::OnInitPanel() {
  const app::SharedGraphics& graphics = context_.Graphics();
  // The label's access key reaches whichever of the two lists shows: the hidden one is passed over.
  label_ = MakeFieldLabel(hwnd(), kLabel, IDS_LABEL_TRANSLATE_IN, graphics);
  if (!MakeComboBox(applications_, hwnd(), kSingleApplications, graphics) ||
      !MakeComboBox(directionList_, hwnd(), kSingleDirections, graphics))
    return false;
  if (!MakePushButton(launch_, hwnd(), kLaunch, IDS_LAUNCH, graphics) ||
      !MakePushButton(edit_, hwnd(), kEditProfiles, IDS_EDIT, graphics))
    return false;
  outcome_ = MakeLabel(hwnd(), kSingleOutcome, 0, graphics);
  return label_ && outcome_;
}

void CSingleComboDialog::ApplyScale() {
  const app::SharedGraphics& graphics = context_.Graphics();
  // The new faces and fonts first: a control lays itself out by them and by the width given next.
  for (CMenuButton* button : {&launch_, &edit_}) RestyleControl(*button, graphics);
  for (ui::skin::CCustomComboBox* combo : {&applications_, &directionList_}) RestyleControl(*combo, graphics);
  PlaceControls({{label_, kLabel},
                 {applications_.hwnd(), kSingleApplications},
                 {directionList_.hwnd(), kSingleDirections},
                 {launch_.hwnd(), kLaunch},
                 {edit_.hwnd(), kEditProfiles},
                 {outcome_, kSingleOutcome}},
                graphics);
}

OpenOutcome CSingleComboDialog::Open(int taskCode, std::wstring_view appTokens) {
  // Only editing profiles lists the directions; the launch tasks never read them.
  if (taskCode == kProfilesTask && !LoadDirections(directions_, directionList_)) return OpenOutcome::kFailed;
  appTokens_ = appTokens;
  if (!Initialise(taskCode, appTokens)) return OpenOutcome::kNoApplication;
  ::ShowWindow(hwnd(), SW_SHOW);
  return OpenOutcome::kShown;
}

void CSingleComboDialog::OnPluginsSwitched() {
  if (taskCode_ != 0 && taskCode_ != kProfilesTask && ::IsWindowVisible(hwnd()))
    (void)Initialise(taskCode_, appTokens_);
}

bool CSingleComboDialog::Initialise(int taskCode, std::wstring_view appTokens) {
  const ui::TaskRow* task = ui::FindTask(taskCode);
  if (!task || task->panel != ui::TaskPanelKind::kSingleCombo) return false;
  if (taskCode == kProfilesTask) {
    InitialiseProfiles(*task);
    return true;
  }
  return InitialiseLaunch(*task, appTokens);
}

bool CSingleComboDialog::InitialiseLaunch(const ui::TaskRow& task, std::wstring_view appTokens) {
  const int taskCode = task.taskCode;
  CTranslateMenuUtils* handOff = context_.MenuUtils();
  if (!handOff) return false;
  // Not yet this task's: a choice made while the list fills must not be remembered for it.
  taskCode_ = 0;
  applications_.ResetContent();
  ComboAppList list(applications_);
  if (!handOff->FillAppList(appTokens, taskCode, list) || list.Count() == 0) return false;
  taskCode_ = taskCode;
  SetTitleAndSteps(win::LoadString(task.texts.title), win::LoadString(task.texts.steps));
  ::SetWindowTextW(label_, win::LoadString(IDS_LABEL_TRANSLATE_IN).c_str());
  ShowControls({applications_.hwnd(), launch_.hwnd()}, true);
  ShowControls({directionList_.hwnd(), edit_.hwnd()}, false);
  const int remembered =
      applications_.FindStringExact(context_.Settings().Get(taskCode, app::SettingsStore::kTransType));
  applications_.SetCurSel(remembered < 0 ? 0 : remembered);
  return true;
}

void CSingleComboDialog::InitialiseProfiles(const ui::TaskRow& task) {
  taskCode_ = task.taskCode;
  SetTitleAndSteps(win::LoadString(task.texts.title), win::LoadString(task.texts.steps));
  ::SetWindowTextW(label_, win::LoadString(IDS_LABEL_DIRECTION).c_str());
  ::SetWindowTextW(outcome_, win::LoadString(task.texts.help).c_str());
  ShowControls({directionList_.hwnd(), edit_.hwnd()}, true);
  ShowControls({applications_.hwnd(), launch_.hwnd()}, false);
  const int remembered =
      directionList_.FindStringExact(context_.Settings().Get(kProfilesTask, app::SettingsStore::kDirId));
  directionList_.SetCurSel(remembered < 0 ? 0 : remembered);
  ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void CSingleComboDialog::OnApplicationChanged() {
  CTranslateMenuUtils* handOff = context_.MenuUtils();
  if (!handOff || taskCode_ == 0 || taskCode_ == kProfilesTask) return;
  std::wstring steps;
  const std::wstring outcome = handOff->HelpTextsOf(applications_.GetCurSel(), steps);
  // A messenger brings its own steps; without them the task's own stay.
  if (taskCode_ == ui::kMessengerTask)
    SetSteps(steps.empty() ? win::LoadString(ui::FindTask(ui::kMessengerTask)->texts.steps) : steps);
  ::SetWindowTextW(outcome_, outcome.c_str());
  ::InvalidateRect(hwnd(), nullptr, TRUE);
  context_.Settings().Set(taskCode_, app::SettingsStore::kTransType, applications_.GetText());
}

void CSingleComboDialog::OnDirectionChanged() {
  if (taskCode_ != kProfilesTask) return;
  context_.Settings().SetDirection(kProfilesTask, app::SettingsStore::kDirId,
                                   directions_.IdAt(directionList_.GetCurSel()));
}

void CSingleComboDialog::OnLaunch() {
  CTranslateMenuUtils* handOff = context_.MenuUtils();
  if (!handOff || taskCode_ == 0 || taskCode_ == kProfilesTask) return;
  (void)handOff->HandOff({applications_.GetCurSel(), 0, L"", L"", taskCode_});
}

void CSingleComboDialog::OnEdit() {
  if (taskCode_ != kProfilesTask) return;
  context_.DictAndTm().EditProfiles(directionList_.GetCurSel(), ::GetAncestor(hwnd(), GA_ROOT));
}

bool CSingleComboDialog::OnCommand(int id, int code, HWND from) {
  if (id == IDC_PANEL_ACTION && code == BN_CLICKED && from == launch_.hwnd())
    OnLaunch();
  else if (id == IDC_PANEL_APPLICATIONS && code == CBN_SELCHANGE && from == applications_.hwnd())
    OnApplicationChanged();
  else if (id == IDC_PANEL_SINGLE_DIRECTIONS && code == CBN_SELCHANGE)
    OnDirectionChanged();
  else if (id == IDC_PANEL_EDIT_PROFILES && code == BN_CLICKED)
    OnEdit();
  else
    return false;
  return true;
}

}  // namespace tasks

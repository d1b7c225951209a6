#include "tasks/TranslateDocumentDialog.h"

#include <array>
#include <optional>
#include <utility>

#include "ResourceIds.h"
#include "StringIds.h"
#include "core/SettingsStore.h"
#include "core/SharedGraphics.h"
#include "menu/TaskTable.h"
#include "controls/AccessKeyLabel.h"
#include "tasks/BrowseForDocument.h"
#include "tasks/PanelParts.h"
#include "tasks/TaskContext.h"
#include "tasks/TranslateMenuUtils.h"
#include "win/Resources.h"

namespace tasks {
namespace {

// Rows of the paper side, top to bottom.
constexpr int kDocColumnGap = 16;  // between the direction and the profile list
constexpr int kDocHalfWidth = (kContentWidth - kDocColumnGap) / 2;
constexpr int kDocProfileLeft = kContentLeft + kDocHalfWidth + kDocColumnGap;
constexpr int kDocumentTop = 36;

using app::SharedFont;
constexpr ControlPlace kDocumentLabel{
    IDC_PANEL_DOCUMENT_LABEL, {kContentLeft, 18, kContentWidth, kLabelHeight}, SharedFont::kTahoma12Bold};
constexpr ControlPlace kDocument{
    IDC_PANEL_DOCUMENT,
    {kContentLeft, kDocumentTop, kButtonLeft - kFieldButtonGap - kContentLeft, 22},
    SharedFont::kTahoma12};
constexpr ControlPlace kBrowse{IDC_PANEL_BROWSE, {kButtonLeft, kDocumentTop - 1, 0, 0}};
constexpr ControlPlace kApplicationLabel{
    IDC_PANEL_APPLICATION_LABEL, {kContentLeft, 72, kContentWidth, kLabelHeight}, SharedFont::kTahoma12Bold};
constexpr ControlPlace kDocApplications{IDC_PANEL_APPLICATIONS, {kContentLeft, 90, kContentWidth, 0}};
constexpr ControlPlace kDocDirectionLabel{
    IDC_PANEL_DIRECTION_LABEL, {kContentLeft, 126, kDocHalfWidth, kLabelHeight}, SharedFont::kTahoma12Bold};
constexpr ControlPlace kProfileLabel{
    IDC_PANEL_PROFILE_LABEL, {kDocProfileLeft, 126, kDocHalfWidth, kLabelHeight}, SharedFont::kTahoma12Bold};
constexpr ControlPlace kDocDirections{IDC_PANEL_DIRECTIONS, {kContentLeft, 144, kDocHalfWidth, 0}};
constexpr ControlPlace kProfiles{IDC_PANEL_PROFILES, {kDocProfileLeft, 144, kDocHalfWidth, 0}};
constexpr ControlPlace kAction{IDC_PANEL_ACTION, {kButtonLeft, 184, 0, 0}};
constexpr ControlPlace kDocOutcome{
    IDC_PANEL_OUTCOME, {kContentLeft, 222, kContentWidth, 100}, SharedFont::kTahoma12};

// Whether the task's document is a web address (a page to fetch) rather than a file.
bool TakesAddress(int taskCode) noexcept {
  const ui::TaskRow* task = ui::FindTask(taskCode);
  return task && task->takesAddress;
}

}  // namespace

bool CTranslateDocumentDialog::OnInitPanel() {
  const app::SharedGraphics& graphics = context_.Graphics();
  documentLabel_ = MakeFieldLabel(hwnd(), kDocumentLabel, IDS_LABEL_DOCUMENT, graphics);
  // The frame is painted over the edge: a non-client one (an edit control draws WS_BORDER itself,
  // inside its client area, where the frame cannot reach it).
  const RECT field = ScaledEdges(kDocument, graphics.Scale());
  document_ =
      ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                        field.left, field.top, field.right - field.left, field.bottom - field.top, hwnd(),
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_PANEL_DOCUMENT)),
                        ::GetModuleHandleW(nullptr), nullptr);
  if (!document_) return false;
  ::SendMessageW(document_, WM_SETFONT, reinterpret_cast<WPARAM>(graphics.Font(kDocument.font)), FALSE);
  SetFieldMargins(document_, graphics.Scale());
  (void)documentFrame_.Attach(document_);
  if (!MakePushButton(browse_, hwnd(), kBrowse, IDS_BROWSE, graphics)) return false;

  applicationLabel_ = MakeFieldLabel(hwnd(), kApplicationLabel, IDS_LABEL_TRANSLATE_IN, graphics);
  if (!MakeComboBox(applications_, hwnd(), kDocApplications, graphics)) return false;

  directionLabel_ = MakeFieldLabel(hwnd(), kDocDirectionLabel, IDS_LABEL_DIRECTION, graphics);
  profileLabel_ = MakeFieldLabel(hwnd(), kProfileLabel, IDS_LABEL_PROFILE, graphics);
  if (!MakeComboBox(directionList_, hwnd(), kDocDirections, graphics) ||
      !MakeComboBox(profiles_, hwnd(), kProfiles, graphics))
    return false;
  // Each label right before its field, so that its access key reaches the field.
  ui::PutLabelBefore(documentLabel_, document_);
  ui::PutLabelBefore(applicationLabel_, applications_.hwnd());
  ui::PutLabelBefore(directionLabel_, directionList_.hwnd());
  ui::PutLabelBefore(profileLabel_, profiles_.hwnd());

  if (!MakePushButton(action_, hwnd(), kAction, IDS_TRANSLATE, graphics)) return false;
  outcome_ = MakeLabel(hwnd(), kDocOutcome, 0, graphics);
  return documentLabel_ && applicationLabel_ && directionLabel_ && profileLabel_ && outcome_;
}

void CTranslateDocumentDialog::ApplyScale() {
  const app::SharedGraphics& graphics = context_.Graphics();
  // The new faces and fonts first: a control lays itself out by them and by the width given next.
  for (CMenuButton* button : {&browse_, &action_}) RestyleControl(*button, graphics);
  for (ui::skin::CCustomComboBox* combo : {&applications_, &directionList_, &profiles_})
    RestyleControl(*combo, graphics);
  PlaceControls({{documentLabel_, kDocumentLabel},
                 {document_, kDocument},
                 {browse_.hwnd(), kBrowse},
                 {applicationLabel_, kApplicationLabel},
                 {applications_.hwnd(), kDocApplications},
                 {directionLabel_, kDocDirectionLabel},
                 {profileLabel_, kProfileLabel},
                 {directionList_.hwnd(), kDocDirections},
                 {profiles_.hwnd(), kProfiles},
                 {action_.hwnd(), kAction},
                 {outcome_, kDocOutcome}},
                graphics);
  SetFieldMargins(document_, graphics.Scale());
}

OpenOutcome CTranslateDocumentDialog::Open(int taskCode, std::wstring_view appTokens) {
  if (!LoadDirections(directions_, directionList_)) return OpenOutcome::kFailed;
  appTokens_ = appTokens;
  if (!Initialise(taskCode, appTokens)) return OpenOutcome::kNoApplication;
  ::ShowWindow(hwnd(), SW_SHOW);
  return OpenOutcome::kShown;
}

void CTranslateDocumentDialog::OnPluginsSwitched() {
  if (taskCode_ == 0 || !::IsWindowVisible(hwnd())) return;
  // The entries' records changed; what the user typed stays.
  const std::wstring document = TextOf(document_);
  if (Initialise(taskCode_, appTokens_)) ::SetWindowTextW(document_, document.c_str());
}

bool CTranslateDocumentDialog::Initialise(int taskCode, std::wstring_view appTokens) {
  taskCode_ = taskCode;
  UseDefaultSteps();

  CTranslateMenuUtils* handOff = context_.MenuUtils();
  if (!handOff) return false;
  applications_.ResetContent();
  ComboAppList list(applications_);
  if (!handOff->FillAppList(appTokens, taskCode, list) || list.Count() == 0) return false;

  const ui::TaskRow* task = ui::FindTask(taskCode);
  const bool webPage = TakesAddress(taskCode);
  SetTitleAndSteps(win::LoadString(task ? task->texts.title : 0),
                   win::LoadString(task ? task->texts.steps : unsigned{IDS_PANEL_DEFAULT_STEPS}));
  ::SetWindowTextW(documentLabel_,
                   win::LoadString(webPage ? IDS_LABEL_WEB_PAGE : IDS_LABEL_DOCUMENT).c_str());
  ShowControls({browse_.hwnd()}, !webPage);

  // Each choice below runs its handler, as the user's own would.
  int application = applications_.FindStringExact(Remembered(app::SettingsStore::kTransType));
  if (application < 0) application = webPage ? handOff->DefaultBrowserEntry(list) : 0;
  applications_.SetCurSel(application);
  const int direction = directionList_.FindStringExact(Remembered(app::SettingsStore::kDirId));
  directionList_.SetCurSel(direction < 0 ? 0 : direction);

  std::wstring document = Remembered(app::SettingsStore::kTextEntryName);
  if (webPage && document.empty()) document = L"http://";
  ::SetWindowTextW(document_, document.c_str());
  return true;
}

void CTranslateDocumentDialog::UseDefaultSteps() {
  SetSteps(win::LoadString(IDS_PANEL_DEFAULT_STEPS));
  action_.SetCaption(win::LoadString(IDS_TRANSLATE));
  ShowDirectionAndProfile(true);
}

void CTranslateDocumentDialog::ShowDirectionAndProfile(bool show) {
  ShowControls({directionLabel_, directionList_.hwnd(), profileLabel_, profiles_.hwnd()}, show);
}

void CTranslateDocumentDialog::OnApplicationChanged() {
  CTranslateMenuUtils* handOff = context_.MenuUtils();
  if (!handOff || taskCode_ == 0) return;
  std::wstring steps;
  const std::wstring outcome = handOff->HelpTextsOf(applications_.GetCurSel(), steps);
  if (taskCode_ == ui::kPdfTask) {
    // Acrobat and Reader bring steps of their own: they only start with the document.
    if (steps.empty()) {
      UseDefaultSteps();
    } else {
      action_.SetCaption(win::LoadString(IDS_LAUNCH));
      ShowDirectionAndProfile(false);
      SetSteps(steps);
    }
  }
  ::SetWindowTextW(outcome_, outcome.c_str());
  ::InvalidateRect(hwnd(), nullptr, TRUE);
  Remember(app::SettingsStore::kTransType, applications_.GetText());
}

void CTranslateDocumentDialog::OnDirectionChanged() {
  FillProfiles();
  if (taskCode_ != 0)
    context_.Settings().SetDirection(taskCode_, app::SettingsStore::kDirId,
                                     directions_.IdAt(directionList_.GetCurSel()));
}

void CTranslateDocumentDialog::OnShown() {
  FillProfiles();
  const int profile = profiles_.FindStringExact(Remembered(app::SettingsStore::kTemplateName));
  profiles_.SetCurSel(profile < 0 ? 0 : profile);
}

void CTranslateDocumentDialog::OnHidden() {
  if (taskCode_ == 0) return;
  Remember(app::SettingsStore::kTextEntryName, TextOf(document_));
  ::SetWindowTextW(document_, L"");
  Remember(app::SettingsStore::kTemplateName, profiles_.GetText());
}

void CTranslateDocumentDialog::SaveSettings() {
  // A panel still open when the window closes keeps what it shows, as hiding it would.
  if (taskCode_ == 0 || !::IsWindowVisible(hwnd())) return;
  Remember(app::SettingsStore::kTextEntryName, TextOf(document_));
  Remember(app::SettingsStore::kTemplateName, profiles_.GetText());
}

bool CTranslateDocumentDialog::TakeDocument(const std::wstring& document) {
  if (taskCode_ == 0) return false;
  ::SetWindowTextW(document_, document.c_str());
  if (!TakesAddress(taskCode_)) context_.Settings().SetInitialDir(FolderOf(document));
  return true;
}

void CTranslateDocumentDialog::OnBrowse() {
  CTranslateMenuUtils* handOff = context_.MenuUtils();
  if (!handOff) return;
  const std::wstring filter = handOff->FileFilter(taskCode_, applications_.GetCurSel());
  if (std::optional<std::wstring> chosen =
          BrowseForDocument(hwnd(), filter, context_.Settings().InitialDir())) {
    ::SetWindowTextW(document_, chosen->c_str());
    context_.Settings().SetInitialDir(FolderOf(*chosen));
  }
}

bool CTranslateDocumentDialog::DocumentUsable(const std::wstring& document) {
  if (document.size() >= MAX_PATH) {
    context_.ShowMessage(IDS_DOCUMENT_PATH_TOO_LONG, {}, MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  const DWORD attributes = ::GetFileAttributesW(document.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    context_.ShowMessage(IDS_DOCUMENT_NOT_FOUND, document, MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    context_.ShowMessage(IDS_DOCUMENT_IS_FOLDER, document, MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  return true;
}

void CTranslateDocumentDialog::OnTranslate() {
  CTranslateMenuUtils* handOff = context_.MenuUtils();
  if (!handOff || taskCode_ == 0) return;
  const std::wstring document = TextOf(document_);
  const int entry = applications_.GetCurSel();
  // An empty field and an entry that cannot be used are the hand-off's to explain.
  const bool checkDocument =
      !TakesAddress(taskCode_) && !document.empty() && entry <= handOff->LastRealEntry();
  if (checkDocument && !DocumentUsable(document)) return;
  (void)handOff->HandOff(
      {entry, directions_.IdAt(directionList_.GetCurSel()), profiles_.GetText(), document, taskCode_});
}

bool CTranslateDocumentDialog::HandOverAgain(const suite::RecentDocument& entry) {
  if (entry.taskCode != taskCode_ || !TakeDocument(entry.document)) return false;
  const int application = applications_.FindStringExact(entry.application);
  if (application < 0) return false;
  applications_.SetCurSel(application);
  OnApplicationChanged();
  // A host that brings its own steps (Acrobat, Reader) takes no direction or profile.
  if ((::GetWindowLongPtrW(directionList_.hwnd(), GWL_STYLE) & WS_VISIBLE) != 0) {
    int direction = -1;
    for (int i = 0; i < directions_.Count() && direction < 0; ++i)
      if (directions_.IdAt(i) == entry.directionId) direction = i;
    if (direction < 0) return false;
    directionList_.SetCurSel(direction);
    OnDirectionChanged();
    const int profile = profiles_.FindStringExact(entry.profile);
    if (profile < 0) return false;
    profiles_.SetCurSel(profile);
  }
  OnTranslate();
  return true;
}

std::wstring CTranslateDocumentDialog::Remembered(int entry) const {
  return context_.Settings().Get(taskCode_, entry);
}

void CTranslateDocumentDialog::Remember(int entry, const std::wstring& text) {
  if (taskCode_ != 0) context_.Settings().Set(taskCode_, entry, text);
}

bool CTranslateDocumentDialog::OnCommand(int id, int code, HWND from) {
  if (id == IDC_PANEL_ACTION && code == BN_CLICKED && from == action_.hwnd())
    OnTranslate();
  else if (id == IDC_PANEL_APPLICATIONS && code == CBN_SELCHANGE && from == applications_.hwnd())
    OnApplicationChanged();
  else if (id == IDC_PANEL_DIRECTIONS && code == CBN_SELCHANGE)
    OnDirectionChanged();
  else if (id == IDC_PANEL_BROWSE && code == BN_CLICKED)
    OnBrowse();
  else
    return false;
  return true;
}

}  // namespace tasks

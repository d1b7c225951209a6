#include "tasks/QuickTranslationDialog.h"

#include <algorithm>
#include <utility>

#include "ResourceIds.h"
#include "SkinIds.h"
#include "StringIds.h"
#include "core/Bstr.h"
#include "core/ComError.h"
#include "core/KernelConnection.h"
#include "core/LogSink.h"
#include "core/PrivateMessages.h"
#include "core/SettingsStore.h"
#include "core/SharedGraphics.h"
#include "controls/AccessKeyLabel.h"
#include "tasks/PanelParts.h"
#include "tasks/QuickTranslationLines.h"
#include "tasks/TaskContext.h"
#include "controls/Paint.h"
#include "win/Resources.h"

namespace tasks {
namespace {

using app::ThrowIfFailed;
using app::ThrowIfNull;
using Microsoft::WRL::ComPtr;

// Rows of the paper side, top to bottom; what follows the caption is laid out from its height.
constexpr int kCaptionTop = 14;
constexpr int kCaptionGap = 8;
constexpr int kListGap = 12;   // between the lists and the source field
constexpr int kButtonGap = 8;  // above and below the buttons
constexpr int kPaperBottom = 318;
constexpr int kColumnGap = 16;  // between the direction and the profile list
constexpr int kHalfWidth = (kContentWidth - kColumnGap) / 2;
constexpr int kProfileLeft = kContentLeft + kHalfWidth + kColumnGap;
constexpr int kButtonSpacing = 8;
constexpr int kClearLeft = kButtonLeft - kButtonSpacing - kButtonWidth;

// Where the panel's controls go, in pixels: left, top, width and height (the lists' and buttons'
// heights are their own).
struct QuickPlaces {
  RECT caption;
  RECT directionLabel;
  RECT profileLabel;
  RECT directions;
  RECT profiles;
  RECT source;
  RECT target;
  POINT translate;
  POINT clear;
};

// The places at `scale` below a caption `captionHeight` pixels tall, with lists `listHeight` tall.
// Lengths are scaled one by one, as the rows are stacked, so that 100 % keeps its own pixels.
QuickPlaces Arrange(win::Scale scale, int captionHeight, int listHeight) {
  const int left = scale.Px(kContentLeft);
  const int width = scale.Px(kContentRight) - left;
  const int halfWidth = scale.Px(kContentLeft + kHalfWidth) - left;
  const int profileLeft = scale.Px(kProfileLeft);
  const int profileWidth = scale.Px(kProfileLeft + kHalfWidth) - profileLeft;
  const int captionTop = scale.Px(kCaptionTop);
  const int labelTop = captionTop + captionHeight + scale.Px(kCaptionGap);
  const int labelHeight = scale.Px(kLabelHeight);
  const int listTop = labelTop + labelHeight + scale.Px(kLabelGap);
  // The two fields share what is left, with the buttons between them.
  const int sourceTop = listTop + listHeight + scale.Px(kListGap);
  const int buttonHeight = scale.Px(kButtonHeight);
  const int fieldHeight = (scale.Px(kPaperBottom) - sourceTop - 2 * scale.Px(kButtonGap) - buttonHeight) / 2;
  const int buttonTop = sourceTop + fieldHeight + scale.Px(kButtonGap);
  const int targetTop = buttonTop + buttonHeight + scale.Px(kButtonGap);
  return {{left, captionTop, width, captionHeight},
          {left, labelTop, halfWidth, labelHeight},
          {profileLeft, labelTop, profileWidth, labelHeight},
          {left, listTop, halfWidth, listHeight},
          {profileLeft, listTop, profileWidth, listHeight},
          {left, sourceTop, width, fieldHeight},
          {left, targetTop, width, fieldHeight},
          {scale.Px(kButtonLeft), buttonTop},
          {scale.Px(kClearLeft), buttonTop}};
}

void Move(HWND control, const RECT& place, bool keepHeight = false) noexcept {
  RECT now{};
  ::GetWindowRect(control, &now);
  ::SetWindowPos(control, nullptr, place.left, place.top, place.right,
                 keepHeight ? now.bottom - now.top : place.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
}

int HeightOf(HWND window) noexcept {
  RECT rc{};
  ::GetWindowRect(window, &rc);
  return rc.bottom - rc.top;
}

}  // namespace

CQTransDlg::CQTransDlg(TaskContext& context) : CTaskPanelDialog(context) {}

CQTransDlg::~CQTransDlg() = default;

bool CQTransDlg::Create(HWND parent, POINT at) {
  return ui::skin::CLBRichEdit::LoadLibraryOnce() && CTaskPanelDialog::Create(parent, at);
}

int CQTransDlg::CaptionHeight(const std::wstring& caption) const {
  const auto font = reinterpret_cast<HFONT>(::SendMessageW(caption_, WM_GETFONT, 0, 0));
  const win::Scale scale = context_.Graphics().Scale();
  const int width = scale.Px(kContentRight) - scale.Px(kContentLeft);
  // No DT_VCENTER here: it places a line, and measured into an empty rectangle it halves the height.
  const SIZE line = ui::MeasureText(caption_, font, caption, width, DT_EXPANDTABS | DT_SINGLELINE);
  // A language whose caption is wider than the paper side takes a second line rather than lose words.
  if (line.cx <= width) return line.cy;
  return ui::MeasureText(caption_, font, caption, width, DT_EXPANDTABS | DT_WORDBREAK).cy;
}

HBITMAP CQTransDlg::Face(int id, win::UniqueBitmap& own) {
  if (const HBITMAP shared = context_.Graphics().Bitmap(id)) return shared;
  if (!own) own.reset(ui::LoadSkinBitmap(id));
  return own.get();
}

bool CQTransDlg::OnInitPanel() {
  const app::SharedGraphics& graphics = context_.Graphics();
  const HFONT labelFont = graphics.Font(app::SharedFont::kTahoma12Bold);
  const HFONT textFont = graphics.Font(app::SharedFont::kTahoma12);
  static_assert(ui::HasTask(kTaskCode));
  const ui::PanelTextIds& texts = ui::FindTask(kTaskCode)->texts;
  SetTitleAndSteps(win::LoadString(texts.title), win::LoadString(texts.steps));

  // Made where a one-line caption puts them (the labels anywhere), then laid out from the caption's
  // and the lists' heights.
  const QuickPlaces places = Arrange(graphics.Scale(), graphics.Scale().Px(kLabelHeight), 0);
  using app::SharedFont;
  caption_ = MakeLabel(hwnd(), {IDC_QUICK_CAPTION, {}, SharedFont::kTahoma12Bold},
                       IDS_CMD_QUICK_TRANSLATE_DESC, graphics);
  if (!caption_ ||
      !MakeFieldLabel(hwnd(), {IDC_PANEL_DIRECTION_LABEL, {}, SharedFont::kTahoma12Bold}, IDS_LABEL_DIRECTION,
                      graphics) ||
      !MakeFieldLabel(hwnd(), {IDC_PANEL_PROFILE_LABEL, {}, SharedFont::kTahoma12Bold}, IDS_LABEL_PROFILE,
                      graphics))
    return false;
  const ui::skin::ComboLook comboLook = ComboLookOf(graphics);
  for (ui::skin::CCustomComboBox* list : {&directionList_, &profiles_}) list->SetScale(graphics.Scale());
  if (!directionList_.Create(places.directions.left, places.directions.top, places.directions.right, hwnd(),
                             IDC_PANEL_DIRECTIONS, comboLook) ||
      !profiles_.Create(places.profiles.left, places.profiles.top, places.profiles.right, hwnd(),
                        IDC_PANEL_PROFILES, comboLook))
    return false;
  // Each label right before its list, so that its access key reaches the list.
  ui::PutLabelBefore(::GetDlgItem(hwnd(), IDC_PANEL_DIRECTION_LABEL), directionList_.hwnd());
  ui::PutLabelBefore(::GetDlgItem(hwnd(), IDC_PANEL_PROFILE_LABEL), profiles_.hwnd());

  for (ui::skin::CLBRichEdit* field : {&source_, &target_}) field->SetScale(graphics.Scale());
  if (!source_.Create(hwnd(), IDC_QUICK_SOURCE, places.source, textFont) ||
      !target_.Create(hwnd(), IDC_QUICK_TARGET, places.target, textFont))
    return false;
  // The two fields have no label beside them: screen readers hear what they hold.
  source_.SetAccessibleName(win::LoadString(IDS_QUICK_SOURCE_NAME));
  target_.SetAccessibleName(win::LoadString(IDS_QUICK_TARGET_NAME));

  const HBITMAP normal = Face(IDB_QUICK_BUTTON_NORMAL, faceNormal_);
  const HBITMAP hover = Face(IDB_QUICK_BUTTON_HOVER, faceHover_);
  const HBITMAP pressed = Face(IDB_QUICK_BUTTON_PRESSED, facePressed_);
  for (CMenuButton* button : {&translate_, &clear_}) button->SetScale(graphics.Scale());
  if (!translate_.Create(places.translate.x, places.translate.y, normal, hover, pressed,
                         MenuButtonStyle::kPush, IDS_TRANSLATE, 0, hwnd(), IDC_QUICK_TRANSLATE) ||
      !clear_.Create(places.clear.x, places.clear.y, normal, hover, pressed, MenuButtonStyle::kPush,
                     IDS_CLEAR, 0, hwnd(), IDC_QUICK_CLEAR))
    return false;
  for (CMenuButton* button : {&translate_, &clear_}) button->SetCaptionFont(labelFont, RGB(255, 255, 255));
  // While a translation runs, Translate shows its own face with a greyed caption.
  translate_.SetDisabledBitmap(normal);
  LayOutControls();
  return true;
}

void CQTransDlg::LayOutControls() {
  const win::Scale scale = context_.Graphics().Scale();
  const std::wstring caption = job_.Running() ? captionText_ : TextOf(caption_);
  const QuickPlaces places = Arrange(scale, CaptionHeight(caption), HeightOf(directionList_.hwnd()));
  Move(caption_, places.caption);
  Move(::GetDlgItem(hwnd(), IDC_PANEL_DIRECTION_LABEL), places.directionLabel);
  Move(::GetDlgItem(hwnd(), IDC_PANEL_PROFILE_LABEL), places.profileLabel);
  Move(directionList_.hwnd(), places.directions, true);
  Move(profiles_.hwnd(), places.profiles, true);
  Move(source_.hwnd(), places.source);
  Move(target_.hwnd(), places.target);
  for (const auto& [button, at] :
       {std::pair{&translate_, places.translate}, std::pair{&clear_, places.clear}})
    ::SetWindowPos(button->hwnd(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CQTransDlg::ApplyScale() {
  const app::SharedGraphics& graphics = context_.Graphics();
  const auto labelFont = reinterpret_cast<WPARAM>(graphics.Font(app::SharedFont::kTahoma12Bold));
  for (const int label : {IDC_QUICK_CAPTION, IDC_PANEL_DIRECTION_LABEL, IDC_PANEL_PROFILE_LABEL})
    ::SendMessageW(::GetDlgItem(hwnd(), label), WM_SETFONT, labelFont, TRUE);
  for (ui::skin::CLBRichEdit* field : {&source_, &target_})
    field->SetFont(graphics.Font(app::SharedFont::kTahoma12));
  // The fields hang below the lists, by the lists' height at the new scale: the lists take the scale
  // now. They take it again from the window's walk over its children, which changes nothing then.
  for (ui::skin::CCustomComboBox* list : {&directionList_, &profiles_}) {
    RestyleControl(*list, graphics);
    ::SendMessageW(list->hwnd(), app::kApplyScaleMessage, static_cast<WPARAM>(graphics.Scale().dpi()), 0);
  }
  for (CMenuButton* button : {&translate_, &clear_}) {
    button->SetFaces(Face(IDB_QUICK_BUTTON_NORMAL, faceNormal_), Face(IDB_QUICK_BUTTON_HOVER, faceHover_),
                     Face(IDB_QUICK_BUTTON_PRESSED, facePressed_));
    button->SetCaptionFont(graphics.Font(app::SharedFont::kTahoma12Bold), RGB(255, 255, 255));
  }
  translate_.SetDisabledBitmap(Face(IDB_QUICK_BUTTON_NORMAL, faceNormal_));
  LayOutControls();
}

OpenOutcome CQTransDlg::Open(int taskCode, std::wstring_view appTokens) {
  (void)appTokens;
  if (taskCode != kTaskCode) return OpenOutcome::kFailed;
  if (!PrepareDirections()) return OpenOutcome::kFailed;
  remembering_ = true;
  ::ShowWindow(hwnd(), SW_SHOW);
  return OpenOutcome::kShown;
}

bool CQTransDlg::PrepareDirections() {
  if (directions_.Loaded()) return true;
  if (!CTaskPanelDialog::LoadDirections(directions_, directionList_)) return false;
  directionList_.SetCurSel(0);  // fills the profiles
  source_.SetText(L"");
  target_.SetText(L"");
  return true;
}

void CQTransDlg::OnDirectionChanged() {
  FillProfiles();
  if (remembering_)
    context_.Settings().SetDirection(kTaskCode, app::SettingsStore::kDirId,
                                     directions_.IdAt(directionList_.GetCurSel()));
}

void CQTransDlg::OnShown() {
  FillProfiles();
  // Each choice runs its handler as the user's own would: the remembered direction brings its
  // profiles before the remembered profile is looked up.
  const int direction =
      directionList_.FindStringExact(context_.Settings().Get(kTaskCode, app::SettingsStore::kDirId));
  directionList_.SetCurSel(direction < 0 ? 0 : direction);
  const int profile =
      profiles_.FindStringExact(context_.Settings().Get(kTaskCode, app::SettingsStore::kTemplateName));
  profiles_.SetCurSel(profile < 0 ? 0 : profile);
}

void CQTransDlg::OnHidden() {
  // Leaving the panel (Back, another tab, Home, the window closing) ends the translation.
  (void)job_.Cancel();
  if (remembering_) context_.Settings().Set(kTaskCode, app::SettingsStore::kTemplateName, profile_);
}

void CQTransDlg::SaveSettings() {
  // Still open when the window closes: it keeps what it shows, as hiding it would. The panel's own
  // visibility counts: by now the main window is hidden on its way out, and the lists' popups, which
  // hold the entries, are gone (hence the profile's name kept aside).
  if (::GetWindowLongPtrW(hwnd(), GWL_STYLE) & WS_VISIBLE) OnHidden();
}

bool CQTransDlg::MakeProfileCurrent(IVantoKernel& kernel, int index) {
  try {
    ComPtr<IVantoSettings> settings;
    ThrowIfFailed(kernel.GetSettings(&settings));
    ComPtr<IVantoProfiles> profiles;
    ThrowIfFailed(ThrowIfNull(settings.Get())->GetProfiles(&profiles));
    app::Bstr name;
    ThrowIfFailed(ThrowIfNull(profiles.Get())->GetName(index, name.put()));
    ThrowIfFailed(settings->SetCurrentProfile(name.get()));
    LONG status = 0;
    ThrowIfFailed(kernel.CommitSettings(&status));
    return true;
  } catch (const app::ComError& error) {
    app::Log().Line(L"Quick translation: profile %d could not be made current (0x%08lX)", index,
                    static_cast<unsigned long>(error.Code()));
    app::BeepForUnexpectedError();
    return false;
  }
}

void CQTransDlg::OnTranslate() {
  if (job_.Running()) return;  // one translation at a time: a second F9 or click does nothing
  IVantoKernel* kernel = context_.Kernel().Kernel();
  if (!kernel || !directions_.Loaded()) {
    app::BeepForUnexpectedError();
    return;
  }
  std::wstring source = source_.Text();
  const int direction = std::max(0, directionList_.GetCurSel());
  const int profile = std::max(0, profiles_.GetCurSel());
  try {
    ThrowIfFailed(kernel->SetCurrentDirection(static_cast<SHORT>(direction)));
    // A profile the kernel refuses leaves its current one; the translation goes on.
    (void)MakeProfileCurrent(*kernel, profile);
    job_.Start(*kernel, std::move(source));
  } catch (const app::ComError& error) {
    ReportKernelFailure(error.Code());
    return;
  }
  captionText_ = TextOf(caption_);
  // A short text is done in this first slice, before the window sees another message.
  job_.TranslateSlice();
}

void CQTransDlg::ReportKernelFailure(HRESULT code) {
  app::Log().Line(L"Quick translation: the kernel failed with 0x%08lX", static_cast<unsigned long>(code));
  if (code == VANTO_E_TRANSLATION_LIMIT)
    context_.Kernel().ReportError(::GetAncestor(hwnd(), GA_ROOT), code, context_.ProductName());
  else
    app::BeepForUnexpectedError();
}

void CQTransDlg::ShowBusy() {
  if (translate_.State() != MenuButtonState::kDisabled) translate_.SetState(MenuButtonState::kDisabled, true);
}

void CQTransDlg::ShowProgress(size_t linesDone, size_t lineCount) {
  ::SetWindowTextW(caption_, ProgressText(win::LoadString(IDS_QUICK_PROGRESS), linesDone, lineCount).c_str());
  ::UpdateWindow(caption_);
}

void CQTransDlg::ShowEnded() {
  if (TextOf(caption_) != captionText_) ::SetWindowTextW(caption_, captionText_.c_str());
  if (translate_.State() == MenuButtonState::kDisabled) translate_.SetState(MenuButtonState::kNormal, true);
}

void CQTransDlg::OnClear() {
  (void)job_.Cancel();
  source_.SetText(L"");
  target_.SetText(L"");
  ::SetFocus(source_.hwnd());
}

void CQTransDlg::OnPastePlain() {
  const HWND focus = ::GetFocus();
  if (focus == source_.hwnd())
    source_.PastePlainText();
  else if (focus == target_.hwnd())
    target_.PastePlainText();
}

bool CQTransDlg::InPanel(HWND window) const noexcept {
  return window && (window == hwnd() || ::IsChild(hwnd(), window));
}

bool CQTransDlg::IsField(HWND window) const noexcept {
  return window && (window == source_.hwnd() || window == target_.hwnd());
}

bool CQTransDlg::TakeText(const std::wstring& text) {
  if (!source_.hwnd()) return false;
  source_.SetText(text);
  return true;
}

MessageRoute CQTransDlg::RouteMessage(MSG& message) {
  if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST || !InPanel(message.hwnd))
    return MessageRoute::kUnhandled;
  for (const ui::skin::CLBRichEdit* field : {&source_, &target_})
    if (field->TranslateAccelerator(message)) return MessageRoute::kConsumed;
  const bool inField = IsField(message.hwnd);
  if (message.message == WM_KEYDOWN) {
    switch (message.wParam) {
      // The window's: Tab walks on to its controls after the panel's (the target field is the last
      // of these). Escape cancels a running translation first; otherwise it goes back to the tab's list.
      case VK_TAB: return MessageRoute::kUnhandled;
      case VK_ESCAPE:
        if (job_.Cancel()) return MessageRoute::kConsumed;
        return MessageRoute::kUnhandled;
      case VK_F9:
        OnTranslate();
        // Then as Enter: the key goes on only inside a field (where F9 itself does nothing).
        [[fallthrough]];
      case VK_RETURN:
        if (!inField) return MessageRoute::kConsumed;
        break;
      default: break;
    }
  }
  if (!inField) return MessageRoute::kUnhandled;
  // The fields take every key they are sent, Enter included, past the window's dialog keys.
  ::TranslateMessage(&message);
  ::DispatchMessageW(&message);
  return MessageRoute::kConsumed;
}

bool CQTransDlg::OnCommand(int id, int code, HWND from) {
  if (id == IDC_QUICK_TRANSLATE && code == BN_CLICKED && from == translate_.hwnd())
    OnTranslate();
  else if (id == IDC_QUICK_CLEAR && code == BN_CLICKED && from == clear_.hwnd())
    OnClear();
  else if (id == IDM_PASTE_PLAIN || id == IDM_PASTE_PLAIN_INSERT)
    OnPastePlain();
  else if (id == IDC_PANEL_DIRECTIONS && code == CBN_SELCHANGE)
    OnDirectionChanged();
  else if (id == IDC_PANEL_PROFILES && code == CBN_DROPDOWN)
    FillProfiles();
  else if (id == IDC_PANEL_PROFILES && code == CBN_SELCHANGE)
    profile_ = profiles_.GetText();
  else
    return false;
  return true;
}

bool CQTransDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (job_.OnMessage(message, wParam)) {
    result = 0;
    return true;
  }
  switch (message) {
    case WM_LBUTTONDOWN:
      // A click beside the fields takes the focus out of them, to the panel.
      ::SetFocus(hwnd());
      result = 0;
      return true;
    case WM_SETFOCUS:
      // The panel keeps the focus it is given rather than handing it to a field.
      result = 0;
      return true;
    case WM_DESTROY:
      // The window closes: the kernel's objects are let go here, on their thread.
      job_.End();
      break;
    default: break;
  }
  return CTaskPanelDialog::OnMessage(message, wParam, lParam, result);
}

}  // namespace tasks

#include "tasks/QuickTranslationDialog.h"

#include <algorithm>
#include <chrono>
#include <exception>
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

// Every kind of server the text class may come from, as the kernel installs it.
constexpr DWORD kTextContexts =
    CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;

// A long translation goes on a slice at a time: as many lines as fit into a slice's time, then the
// window's messages. A ping waits at most a slice and the line that overran it.
constexpr auto kSliceTime = std::chrono::milliseconds(30);
// The caption's progress is repainted at most this often: every repaint costs the kernel its time.
constexpr auto kProgressInterval = std::chrono::milliseconds(150);
// The next slice, posted to the panel itself while no input or painting waits...
constexpr UINT kNextSliceMessage = WM_APP + 0x40;
// ... and otherwise on this timer, which comes only after them.
constexpr UINT_PTR kNextSliceTimer = 0x51CE;

using SliceClock = std::chrono::steady_clock;

// A result up to this long goes into the target at once; a longer one in pieces of about this many
// characters, cut after a line break: a rich edit takes a megabyte in seconds, not in one slice.
constexpr size_t kWholeTargetChars = size_t{64} * 1024;
constexpr size_t kTargetPieceChars = size_t{16} * 1024;

int HeightOf(HWND window) noexcept {
  RECT rc{};
  ::GetWindowRect(window, &rc);
  return rc.bottom - rc.top;
}

}  // namespace

// A translation on its way: the lines, the kernel's objects it was started with (they stay on the
// window's thread), and when the progress was last shown.
struct CQTransDlg::Run {
  explicit Run(std::wstring source) : lines(std::move(source)) {}

  LineTranslation lines;
  ComPtr<IVantoSettings> settings;
  ComPtr<IVantoTextTranslator> translator;  // null: the settings object translates each line itself
  ComPtr<IVantoText> sourceText;
  ComPtr<IVantoText> resultText;
  SliceClock::time_point progressShown{};
  // In a slice. A kernel in another apartment lets the window's messages through while it works:
  // what comes then must not start a slice or end the run under the one on its way.
  bool busy = false;
  bool endAsked = false;  // the run was cancelled or ended while busy: it ends after the slice
  bool filling = false;   // every line is translated, and the target takes them a piece at a time
  size_t filled = 0;      // the characters of the result in the target so far

  // One line through the kernel; a failing call throws its COM error.
  std::wstring Translate(const std::wstring& line) const {
    const app::Bstr text(line);
    app::Bstr translated;
    if (translator) {
      ThrowIfFailed(sourceText->SetText(text.get()));
      ThrowIfFailed(translator->TranslateText(sourceText.Get(), resultText.Get()));
      ThrowIfFailed(resultText->GetText(translated.put()));
    } else {
      ThrowIfFailed(settings->Translate(text.get(), translated.put()));
    }
    return translated.str();
  }
};

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
  static_assert(ui::FindTask(kTaskCode) != nullptr);
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
  const std::wstring caption = run_ ? captionText_ : TextOf(caption_);
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
  (void)CancelTranslation();
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
  if (run_) return;  // one translation at a time: a second F9 or click does nothing
  IVantoKernel* kernel = context_.Kernel().Kernel();
  if (!kernel || !directions_.Loaded()) {
    app::BeepForUnexpectedError();
    return;
  }
  auto run = std::make_unique<Run>(source_.Text());
  const int direction = std::max(0, directionList_.GetCurSel());
  const int profile = std::max(0, profiles_.GetCurSel());
  try {
    ThrowIfFailed(kernel->SetCurrentDirection(static_cast<SHORT>(direction)));
    // A profile the kernel refuses leaves its current one; the translation goes on.
    (void)MakeProfileCurrent(*kernel, profile);

    ThrowIfFailed(kernel->GetSettings(&run->settings));
    ThrowIfNull(run->settings.Get());
    if (const HRESULT offered = run->settings->GetTextTranslator(&run->translator);
        FAILED(offered) && offered != E_NOINTERFACE)
      throw app::ComError(offered);
    ThrowIfFailed(
        ::CoCreateInstance(CLSID_VantoText, nullptr, kTextContexts, IID_PPV_ARGS(&run->sourceText)));
    ThrowIfFailed(
        ::CoCreateInstance(CLSID_VantoText, nullptr, kTextContexts, IID_PPV_ARGS(&run->resultText)));
  } catch (const app::ComError& error) {
    ReportKernelFailure(error.Code());
    return;
  }
  run_ = std::move(run);
  captionText_ = TextOf(caption_);
  run_->progressShown = SliceClock::now();
  // A short text is done in this first slice, before the window sees another message.
  TranslateSlice();
}

void CQTransDlg::TranslateSlice() {
  ::KillTimer(hwnd(), kNextSliceTimer);
  if (!run_ || run_->busy) return;  // a slice asked for before the run ended, or inside one
  if (run_->filling) {
    if (!FillTargetSlice()) ScheduleSlice();
    return;
  }
  const auto start = SliceClock::now();
  Run& run = *run_;
  try {
    run.busy = true;
    do {
      run.lines.TranslateNext([&run](const std::wstring& line) { return run.Translate(line); });
    } while (!run.lines.Done() && !run.endAsked && SliceClock::now() - start < kSliceTime);
    run.busy = false;
  } catch (const app::ComError& error) {
    run.busy = false;
    // The target keeps what it showed: a translation that fails comes out not at all.
    EndTranslation();
    ReportKernelFailure(error.Code());
    return;
  } catch (const std::exception&) {
    run.busy = false;
    EndTranslation();
    app::Log().Line(L"Quick translation: the text could not be translated");
    app::BeepForUnexpectedError();
    return;
  }
  if (run.endAsked) {
    (void)CancelTranslation();
    return;
  }
  if (run_->lines.Done()) {
    FinishTranslation();
    return;
  }
  if (translate_.State() != MenuButtonState::kDisabled) translate_.SetState(MenuButtonState::kDisabled, true);
  if (SliceClock::now() - run_->progressShown >= kProgressInterval) ShowProgress();
  ScheduleSlice();
}

void CQTransDlg::ScheduleSlice() {
  // Posted messages come before the keyboard, the mouse and painting: while any of them waits, the
  // next slice waits for the timer, which comes after them.
  if (HIWORD(::GetQueueStatus(QS_INPUT | QS_PAINT)) != 0)
    ::SetTimer(hwnd(), kNextSliceTimer, USER_TIMER_MINIMUM, nullptr);
  else
    ::PostMessageW(hwnd(), kNextSliceMessage, 0, 0);
}

void CQTransDlg::ReportKernelFailure(HRESULT code) {
  app::Log().Line(L"Quick translation: the kernel failed with 0x%08lX", static_cast<unsigned long>(code));
  if (code == VANTO_E_TRANSLATION_LIMIT)
    context_.Kernel().ReportError(::GetAncestor(hwnd(), GA_ROOT), code, context_.ProductName());
  else
    app::BeepForUnexpectedError();
}

void CQTransDlg::ShowProgress() {
  ::SetWindowTextW(caption_, ProgressText(win::LoadString(IDS_QUICK_PROGRESS), run_->lines.LinesDone(),
                                          run_->lines.LineCount())
                                 .c_str());
  ::UpdateWindow(caption_);
  run_->progressShown = SliceClock::now();
}

void CQTransDlg::FinishTranslation() {
  if (run_->lines.Result().size() <= kWholeTargetChars) {
    const std::wstring result = run_->lines.Result();
    EndTranslation();
    target_.SetText(result);
    return;
  }
  // A long result goes in a piece of whole lines at a time, as the translation did.
  run_->filling = true;
  run_->filled = 0;
  if (translate_.State() != MenuButtonState::kDisabled) translate_.SetState(MenuButtonState::kDisabled, true);
  ShowProgress();
  target_.SetText(L"");
  if (!FillTargetSlice()) ScheduleSlice();
}

bool CQTransDlg::FillTargetSlice() {
  const std::wstring& result = run_->lines.Result();
  size_t end = std::min(result.size(), run_->filled + kTargetPieceChars);
  if (end < result.size()) {
    const size_t lineEnd = result.find(L"\r\n", end);
    end = lineEnd == std::wstring::npos ? result.size() : lineEnd + 2;
  }
  const std::wstring piece = result.substr(run_->filled, end - run_->filled);
  const HWND target = target_.hwnd();
  ::SendMessageW(target, EM_SETSEL, static_cast<WPARAM>(-1), -1);
  ::SendMessageW(target, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(piece.c_str()));
  run_->filled = end;
  if (end < result.size()) return false;
  // Whole: shown from its beginning, as a text put in at once is.
  ::SendMessageW(target, EM_SETSEL, 0, 0);
  ::SendMessageW(target, EM_SCROLLCARET, 0, 0);
  EndTranslation();
  return true;
}

bool CQTransDlg::CancelTranslation() {
  if (!run_) return false;
  if (run_->busy) {
    run_->endAsked = true;
    return true;
  }
  if (run_->filling) {
    // Every line is translated; the target keeps the whole lines it shows.
    const std::wstring_view shown = std::wstring_view(run_->lines.Result()).substr(0, run_->filled);
    size_t lines = 0;
    for (size_t at = shown.find(L"\r\n"); at != std::wstring_view::npos; at = shown.find(L"\r\n", at + 2))
      ++lines;
    app::Log().Line(L"Quick translation: cancelled after %lu of %lu lines", static_cast<unsigned long>(lines),
                    static_cast<unsigned long>(run_->lines.LineCount()));
    EndTranslation();
    return true;
  }
  app::Log().Line(L"Quick translation: cancelled after %lu of %lu lines",
                  static_cast<unsigned long>(run_->lines.LinesDone()),
                  static_cast<unsigned long>(run_->lines.LineCount()));
  // At once, whatever its length: the panel may be on its way out.
  const std::wstring done = run_->lines.Result();
  EndTranslation();
  target_.SetText(done);
  return true;
}

void CQTransDlg::EndTranslation() {
  ::KillTimer(hwnd(), kNextSliceTimer);
  if (!run_) return;
  if (run_->busy) {
    run_->endAsked = true;
    return;
  }
  run_.reset();
  if (TextOf(caption_) != captionText_) ::SetWindowTextW(caption_, captionText_.c_str());
  if (translate_.State() == MenuButtonState::kDisabled) translate_.SetState(MenuButtonState::kNormal, true);
}

void CQTransDlg::OnClear() {
  (void)CancelTranslation();
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
        if (CancelTranslation()) return MessageRoute::kConsumed;
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
    case kNextSliceMessage:
      TranslateSlice();
      result = 0;
      return true;
    case WM_TIMER:
      if (wParam != kNextSliceTimer) break;
      TranslateSlice();
      result = 0;
      return true;
    case WM_DESTROY:
      // The window closes: the kernel's objects are let go here, on their thread.
      EndTranslation();
      break;
    default: break;
  }
  return CTaskPanelDialog::OnMessage(message, wParam, lParam, result);
}

}  // namespace tasks
